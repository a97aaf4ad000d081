#pragma once

// What the web page import finds: lists of links that can become a menu,
// each with its items, and the limits of an import.

#include <cstddef>
#include <string>
#include <vector>

#include "document/errors.h"

namespace velmora {

inline constexpr int kMostImportedItems = 100000;
inline constexpr int kMostImportedLevels = 32;
// Larger pages are refused before they are read: the parser needs about
// fifteen times a page's size in memory.
inline constexpr size_t kLargestImportedPage = 64 * 1024 * 1024;

// An import that was refused; nothing was changed or written.
class ImportError : public Error {
 public:
  using Error::Error;
};

// One menu item as the page gives it; texts in UTF-8.
struct WebMenuItem {
  int level = 0;
  std::string caption;
  std::string link;
  std::string target = "_self";
  std::string toolTip;

  bool operator==(const WebMenuItem&) const = default;
};

// A list of links on a page that can become a menu.
struct WebMenuList {
  // How the page marks the list, for choosing among several:
  // <ul class="menu"> in <nav id="site">; the lists of one <nav> make one
  // menu.
  std::string where;
  bool inNav = false;
  // A visitor does not see it (hidden, display:none, aria-hidden ...).
  bool hidden = false;
  // How much it looks like the site's main navigation; higher is likelier.
  double score = 0;
  std::vector<WebMenuItem> items;  // in document order
  // Faults mended on the way (script links dropped, separators and line
  // breaks replaced), each naming the item.
  std::vector<std::string> warnings;
  // Why the list cannot be imported (too many items, nested too deeply);
  // empty when it can. The items then stop where the limit was met.
  std::string refusal;

  // The captions of the first `count` top-level items.
  std::vector<std::string> FirstCaptions(size_t count) const;
  // The levels of its items: 1 for a flat list.
  int Depth() const;
};

}  // namespace velmora
