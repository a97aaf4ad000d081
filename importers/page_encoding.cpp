#include "importers/page_encoding.h"

#include "document/text.h"
#include "document/unicode.h"
#include "importers/web_text.h"

namespace velmora::web {

namespace {

struct Label {
  std::string_view name;
  PageEncoding encoding;
};

// The labels browsers accept for the encodings read here.
constexpr Label kLabels[] = {
    {"utf-8", PageEncoding::Utf8},
    {"utf8", PageEncoding::Utf8},
    {"unicode-1-1-utf-8", PageEncoding::Utf8},
    {"unicode11utf8", PageEncoding::Utf8},
    {"unicode20utf8", PageEncoding::Utf8},
    {"x-unicode20utf8", PageEncoding::Utf8},
    {"utf-16", PageEncoding::Utf8},
    {"utf-16le", PageEncoding::Utf8},
    {"utf-16be", PageEncoding::Utf8},
    {"ucs-2", PageEncoding::Utf8},
    {"unicode", PageEncoding::Utf8},
    {"unicodefffe", PageEncoding::Utf8},
    {"csunicode", PageEncoding::Utf8},
    {"iso-10646-ucs-2", PageEncoding::Utf8},
    {"windows-1252", PageEncoding::Windows1252},
    {"x-cp1252", PageEncoding::Windows1252},
    {"cp1252", PageEncoding::Windows1252},
    {"iso-8859-1", PageEncoding::Windows1252},
    {"iso8859-1", PageEncoding::Windows1252},
    {"iso88591", PageEncoding::Windows1252},
    {"iso_8859-1", PageEncoding::Windows1252},
    {"iso_8859-1:1987", PageEncoding::Windows1252},
    {"iso-ir-100", PageEncoding::Windows1252},
    {"csisolatin1", PageEncoding::Windows1252},
    {"latin1", PageEncoding::Windows1252},
    {"l1", PageEncoding::Windows1252},
    {"ibm819", PageEncoding::Windows1252},
    {"cp819", PageEncoding::Windows1252},
    {"us-ascii", PageEncoding::Windows1252},
    {"ascii", PageEncoding::Windows1252},
    {"ansi_x3.4-1968", PageEncoding::Windows1252},
};

std::string DecodeUtf16(std::string_view bytes, bool littleEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(littleEndian ? (b << 8 | a) : (a << 8 | b));
  };
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t code = unit(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? 0xFFFD : code);  // a lone surrogate
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
}

}  // namespace

std::optional<PageEncoding> EncodingFromByteOrderMark(std::string_view bytes, size_t& markLength) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    markLength = 3;
    return PageEncoding::Utf8;
  }
  if (bytes.starts_with("\xFF\xFE")) {
    markLength = 2;
    return PageEncoding::Utf16LE;
  }
  if (bytes.starts_with("\xFE\xFF")) {
    markLength = 2;
    return PageEncoding::Utf16BE;
  }
  markLength = 0;
  return std::nullopt;
}

std::optional<PageEncoding> EncodingFromLabel(std::string_view label) {
  const std::string name = ToLowerAscii(TrimAscii(label));
  for (const Label& known : kLabels) {
    if (known.name == name) return known.encoding;
  }
  return std::nullopt;
}

std::string CharsetOfContentType(std::string_view content) {
  const std::string lower = ToLowerAscii(content);
  for (size_t at = lower.find("charset"); at != std::string::npos; at = lower.find("charset", at + 1)) {
    size_t i = at + 7;
    while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t')) ++i;
    if (i >= lower.size() || lower[i] != '=') continue;
    ++i;
    while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t')) ++i;
    char quote = 0;
    if (i < lower.size() && (lower[i] == '"' || lower[i] == '\'')) quote = lower[i++];
    size_t end = i;
    while (end < content.size() && content[end] != quote && content[end] != ';' &&
           (quote || (content[end] != ' ' && content[end] != '\t'))) {
      ++end;
    }
    return std::string(content.substr(i, end - i));
  }
  return {};
}

std::string DecodeToUtf8(std::string_view bytes, PageEncoding encoding) {
  switch (encoding) {
    case PageEncoding::Utf8:
      return std::string(bytes);
    case PageEncoding::Utf16LE:
      return DecodeUtf16(bytes, true);
    case PageEncoding::Utf16BE:
      return DecodeUtf16(bytes, false);
    case PageEncoding::Windows1252:
      return Utf8FromWindows1252(bytes);
  }
  return std::string(bytes);
}

}  // namespace velmora::web
