#pragma once

// The menu region of a site page: the bytes between the two marker comments
// that the user put where the menu belongs. Everything between them is
// ours to replace; every byte outside stays as the page has it.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kMenuRegionOpen = "<!-- velmora-menu -->";
inline constexpr std::string_view kMenuRegionClose = "<!-- /velmora-menu -->";
// Larger pages are refused rather than read whole.
inline constexpr std::size_t kLargestSitePage = 50u * 1024 * 1024;

struct MenuRegion {
  bool found = false;
  std::size_t begin = 0;  // just after the opening marker
  std::size_t end = 0;    // where the closing marker starts
  std::string lineEnd;    // the page's own: "\r\n" or "\n"
  std::string indent;     // blanks before the opening marker on its line
};

// Finds the region of a page's bytes. A page without markers has no region.
// Throws ValueError, naming `pageName` and the line, for a UTF-16 or UTF-32
// page, a closing marker before the opening one, an opening marker without
// a closing one, and a second region.
MenuRegion FindMenuRegion(std::string_view page, const std::string& pageName);

// The region's new bytes: each line of `code` (lines ended by CR LF) put on
// a line of its own behind the indentation, ended by the page's line end,
// and the indentation again before the closing marker.
std::string RegionText(std::string_view code, const MenuRegion& region);

// `code` written as XML, for a page that a browser reads as XML (XHTML):
// every attribute quoted and given a value, empty elements closed in their
// start tag. It is still HTML, so any page may take it.
std::string XmlSyntax(std::string_view code);

// The page with its region replaced by `regionText`.
std::string PageWithRegion(std::string_view page, const MenuRegion& region, std::string_view regionText);

}  // namespace velmora
