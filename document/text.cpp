#include "document/text.h"

#include <charconv>
#include <cstring>

#include "document/byte_search.h"
#include "document/errors.h"

namespace velmora {

std::string ExtractField(std::string_view text, int k, std::string_view delimiter) {
  if (k < 1) return {};
  std::string_view rest = text;
  std::string_view field;
  for (int i = 0; i < k; ++i) {
    const auto at = rest.find(delimiter);
    if (at == std::string_view::npos) return {};
    field = rest.substr(0, at);
    rest.remove_prefix(at + delimiter.size());
  }
  return std::string(field);
}

std::vector<std::string> SplitFields(std::string_view line, int count, std::string_view delimiter) {
  std::vector<std::string> fields(static_cast<size_t>(count));
  SplitFieldsInto(line, fields.data(), count, delimiter);
  return fields;
}

void SplitFieldsInto(std::string_view line, std::string* fields, int count, std::string_view delimiter) {
  std::string_view rest = line;
  int k = 0;
  for (; k < count; ++k) {
    const auto at = rest.find(delimiter);
    if (at == std::string_view::npos) break;
    fields[k].assign(rest.data(), at);
    rest.remove_prefix(at + delimiter.size());
  }
  for (; k < count; ++k) fields[k].clear();
}

bool IsDecimalInteger(std::string_view text) {
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int StrictToInt(std::string_view text, std::string_view where) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') return text[0] - '0';  // most item levels
  std::string_view digits = text;
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  int value = 0;
  const char* end = digits.data() + digits.size();
  const auto result = std::from_chars(digits.data(), end, value);
  if (!IsDecimalInteger(text) || result.ec != std::errc() || result.ptr != end) {
    throw NumberError(std::string(text), std::string(where));
  }
  return value;
}

std::string Trim(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string FoldCase1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
      c = static_cast<char>(b + 0x20);
    } else if (b == 0x8A || b == 0x8C || b == 0x8E) {
      c = static_cast<char>(b + 0x10);
    } else if (b == 0x9F) {
      c = static_cast<char>(0xFF);
    }
  }
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  for (size_t at = 0; at < content.size();) lines.push_back(NextLine(content, at));
  return lines;
}

std::string_view NextLine(std::string_view content, size_t& at) {
  return LineEndingAt(content, at, FindLineBreak(content, at));
}

std::string_view LineEndingAt(std::string_view content, size_t& at, size_t lineBreak) {
  const size_t start = at;
  if (lineBreak == std::string_view::npos) {
    at = content.size();
    return content.substr(start);
  }
  // CR LF is one line end; a lone CR or LF is one too.
  at = lineBreak +
       (content[lineBreak] == '\r' && lineBreak + 1 < content.size() && content[lineBreak + 1] == '\n' ? 2
                                                                                                       : 1);
  return content.substr(start, lineBreak - start);
}

}  // namespace velmora
