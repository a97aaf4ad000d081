#include "importers/web_text.h"

namespace velmora::web {

std::string CollapseWhiteSpace(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  enum { None, Space, Break } pending = None;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsAsciiSpace(c)) {
      if (pending == None) pending = Space;
    } else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {  // no-break space
      if (pending == None) pending = Space;
      ++i;
    } else if (c == kLineBreakMark) {
      pending = Break;
    } else {
      if (pending != None && !out.empty()) out += pending == Break ? '\n' : ' ';
      pending = None;
      out += c;
    }
  }
  return out;
}

std::string_view TrimAscii(std::string_view text) {
  while (!text.empty() && IsAsciiSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsAsciiSpace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace velmora::web
