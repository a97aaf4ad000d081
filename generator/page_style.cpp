#include "generator/page_style.h"

#include <algorithm>

#include "document/text.h"

namespace velmora {

PageSettings PageSettingsOf(const TvornAppletAgent&) {
  return {};  // until designs carry format extensions
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
