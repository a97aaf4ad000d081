#include "generator/page_style.h"

#include <algorithm>

#include "document/text.h"

namespace velmora {

PageSettings PageSettingsOf(const TvornAppletAgent& doc) {
  PageSettings settings;
  if (ToLowerAscii(doc.Extensions.Value(kPageStyleKey)) == "html5") settings.style = PageStyle::Html5;
  const std::string language = Trim(doc.Extensions.Value(kPageLanguageKey));
  if (!language.empty()) settings.language = language;
  return settings;
}

void StorePageSettings(TvornAppletAgent& doc, const PageSettings& settings) {
  StorePageSettings(doc.Extensions, settings);
}

void StorePageSettings(FormatExtensions& extensions, const PageSettings& settings) {
  if (settings.style == PageStyle::Html5) {
    extensions.Set(kPageStyleKey, kPageStyleHtml5);
  } else {
    extensions.Remove(kPageStyleKey);
  }
  const std::string language = Trim(settings.language);
  if (language.empty() || language == kDefaultPageLanguage) {
    extensions.Remove(kPageLanguageKey);
  } else {
    extensions.Set(kPageLanguageKey, language);
  }
}

std::optional<PageStyle> ParsePageStyle(std::string_view word) {
  const std::string lower = ToLowerAscii(word);
  if (lower == "classic") return PageStyle::Classic;
  if (lower == "html5") return PageStyle::Html5;
  return std::nullopt;
}

bool IsLanguageTag(std::string_view tag) {
  size_t start = 0;
  bool first = true;
  while (true) {
    const size_t end = std::min(tag.find('-', start), tag.size());
    const std::string_view subtag = tag.substr(start, end - start);
    if (subtag.empty() || subtag.size() > 8) return false;
    for (char c : subtag) {
      const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      if (!letter && (first || c < '0' || c > '9')) return false;
    }
    if (first && subtag.size() < 2) return false;
    if (end == tag.size()) return true;
    first = false;
    start = end + 1;
  }
}

}  // namespace velmora
