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

std::string EscapeControls(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string ForMessage(std::string_view value) {
  if (value.size() > 60) {
    size_t cut = 57;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    return EscapeControls(value.substr(0, cut)) + "...";
  }
  return EscapeControls(value);
}

}  // namespace velmora::web
