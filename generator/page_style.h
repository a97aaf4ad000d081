#pragma once

// Which page a design is published with: the classic page, or the HTML5
// page whose container already holds the menu as a list of links that
// reads without script. A setting of the design, kept in its format
// extensions; a run of the generators may override the style.

#include <optional>
#include <string>
#include <string_view>

#include "document/applet_agent.h"

namespace velmora {

enum class PageStyle { Classic, Html5 };

inline constexpr const char* kPageStyleKey = "Page_Style";
inline constexpr const char* kPageStyleHtml5 = "HTML5";
inline constexpr const char* kPageLanguageKey = "Page_Language";
inline constexpr const char* kDefaultPageLanguage = "en";

struct PageSettings {
  PageStyle style = PageStyle::Classic;
  std::string language = kDefaultPageLanguage;
};

// The design's settings; absent keys give the classic page in English.
PageSettings PageSettingsOf(const TvornAppletAgent& doc);
// Writes the settings into the design. The classic style and the default
// language are stored as absent keys, so a classic design keeps its bytes.
void StorePageSettings(TvornAppletAgent& doc, const PageSettings& settings);
void StorePageSettings(FormatExtensions& extensions, const PageSettings& settings);

// "classic" or "html5", in any letter case.
std::optional<PageStyle> ParsePageStyle(std::string_view word);

// A language tag as pages declare it: subtags of one to eight letters or
// digits joined by "-", the first of two to eight letters ("en", "pt-BR",
// "zh-Hant-TW").
bool IsLanguageTag(std::string_view tag);

// What one run of the generators is asked for beyond the design itself.
struct PageOptions {
  std::optional<PageStyle> style;  // instead of the design's style
  std::string title;               // the HTML5 page's title; empty gives "Menu"
};

}  // namespace velmora
