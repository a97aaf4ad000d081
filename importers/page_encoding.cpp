#include "importers/page_encoding.h"

#include <iconv.h>
#include <uchardet.h>

#include <cerrno>
#include <memory>

#include "document/text.h"
#include "document/unicode.h"
#include "importers/web_text.h"

namespace velmora::web {

namespace {

// The Encoding Standard's encodings with their labels. Decoders named by
// iconv; GBK is read by the gb18030 decoder, Big5 with the Hong Kong
// additions, Shift_JIS and EUC-KR as the Windows code pages, as browsers
// read them.
constexpr PageEncoding kEncodings[] = {
    {"UTF-8", "", "unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8"},
    {"IBM866", "IBM866", "866 cp866 csibm866 ibm866"},
    {"ISO-8859-2", "ISO-8859-2",
     "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 iso_8859-2:1987 l2 latin2"},
    {"ISO-8859-3", "ISO-8859-3",
     "csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 iso_8859-3:1988 l3 latin3"},
    {"ISO-8859-4", "ISO-8859-4",
     "csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 iso_8859-4:1988 l4 latin4"},
    {"ISO-8859-5", "ISO-8859-5",
     "csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 iso_8859-5 iso_8859-5:1988"},
    {"ISO-8859-6", "ISO-8859-6",
     "arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 iso-8859-6 iso-8859-6-e iso-8859-6-i "
     "iso-ir-127 iso8859-6 iso88596 iso_8859-6 iso_8859-6:1987"},
    {"ISO-8859-7", "ISO-8859-7",
     "csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 iso8859-7 iso88597 iso_8859-7 "
     "iso_8859-7:1987 sun_eu_greek"},
    {"ISO-8859-8", "ISO-8859-8",
     "csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 iso8859-8 iso88598 iso_8859-8 "
     "iso_8859-8:1988 visual"},
    {"ISO-8859-8-I", "ISO-8859-8", "csiso88598i iso-8859-8-i logical"},
    {"ISO-8859-10", "ISO-8859-10", "csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6"},
    {"ISO-8859-13", "ISO-8859-13", "iso-8859-13 iso8859-13 iso885913"},
    {"ISO-8859-14", "ISO-8859-14", "iso-8859-14 iso8859-14 iso885914"},
    {"ISO-8859-15", "ISO-8859-15", "csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
    {"ISO-8859-16", "ISO-8859-16", "iso-8859-16"},
    {"KOI8-R", "KOI8-R", "cskoi8r koi koi8 koi8-r koi8_r"},
    {"KOI8-U", "KOI8-U", "koi8-ru koi8-u"},
    {"macintosh", "MACINTOSH", "csmacintosh mac macintosh x-mac-roman"},
    {"windows-874", "WINDOWS-874", "dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874"},
    {"windows-1250", "CP1250", "cp1250 windows-1250 x-cp1250"},
    {"windows-1251", "CP1251", "cp1251 windows-1251 x-cp1251"},
    {"windows-1252", "",
     "ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 iso-ir-100 iso8859-1 iso88591 "
     "iso_8859-1 "
     "iso_8859-1:1987 l1 latin1 us-ascii windows-1252 x-cp1252"},
    {"windows-1253", "CP1253", "cp1253 windows-1253 x-cp1253"},
    {"windows-1254", "CP1254",
     "cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 iso_8859-9:1989 l5 latin5 "
     "windows-1254 x-cp1254"},
    {"windows-1255", "CP1255", "cp1255 windows-1255 x-cp1255"},
    {"windows-1256", "CP1256", "cp1256 windows-1256 x-cp1256"},
    {"windows-1257", "CP1257", "cp1257 windows-1257 x-cp1257"},
    {"windows-1258", "CP1258", "cp1258 windows-1258 x-cp1258"},
    {"x-mac-cyrillic", "MAC-CYRILLIC", "x-mac-cyrillic x-mac-ukrainian"},
    {"GBK", "GB18030", "chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk"},
    {"gb18030", "GB18030", "gb18030"},
    {"Big5", "BIG5-HKSCS", "big5 big5-hkscs cn-big5 csbig5 x-x-big5"},
    {"EUC-JP", "EUC-JP", "cseucpkdfmtjapanese euc-jp x-euc-jp"},
    {"ISO-2022-JP", "ISO-2022-JP", "csiso2022jp iso-2022-jp"},
    {"Shift_JIS", "CP932", "csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis"},
    {"EUC-KR", "CP949",
     "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 ks_c_5601-1989 ksc5601 ksc_5601 "
     "windows-949"},
    {"replacement", "", "csiso2022kr hz-gb-2312 iso-2022-cn iso-2022-cn-ext iso-2022-kr replacement"},
    {"UTF-16BE", "", "unicodefffe utf-16be"},
    {"UTF-16LE", "", "csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16 utf-16le"},
    {"x-user-defined", "", "x-user-defined"},
};

const PageEncoding& Named(std::string_view name) {
  for (const PageEncoding& encoding : kEncodings) {
    if (encoding.name == name) return encoding;
  }
  return kEncodings[0];
}

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

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

// UTF-8 as it is, with each byte that starts no valid sequence read as
// U+FFFD.
std::string MendedUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    size_t length = 1;
    while (length <= 4 && i + length <= bytes.size() && !IsValidUtf8(bytes.substr(i, length))) ++length;
    if (length <= 4 && i + length <= bytes.size()) {
      out += bytes.substr(i, length);
      i += length;
    } else {
      out += kReplacementCharacter;
      ++i;
    }
  }
  return out;
}

std::string DecodeUserDefined(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte < 0x80 ? byte : 0xF780 + byte - 0x80);
  }
  return out;
}

struct IconvCloser {
  void operator()(iconv_t handle) const { iconv_close(handle); }
};

std::string DecodeWithIconv(std::string_view bytes, std::string_view iconvName) {
  const iconv_t opened = iconv_open("UTF-8", std::string(iconvName).c_str());
  if (opened == reinterpret_cast<iconv_t>(-1)) return MendedUtf8(bytes);  // no such decoder here
  const std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser> handle(opened);
  std::string out(bytes.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  size_t written = 0;
  while (inLeft > 0) {
    if (out.size() - written < 16) out.resize(out.size() * 2);
    char* to = out.data() + written;
    size_t outLeft = out.size() - written;
    const size_t done = iconv(opened, &in, &inLeft, &to, &outLeft);
    written = out.size() - outLeft;
    if (done != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {  // a byte the encoding does not define, or a sequence cut short at the end
      out.replace(written, kReplacementCharacter.size(), kReplacementCharacter);
      written += kReplacementCharacter.size();
      ++in;
      --inLeft;
      iconv(opened, nullptr, nullptr, nullptr, nullptr);
    }
  }
  // The shift state of a stateful encoding ends with the text.
  char* to = out.data() + written;
  size_t outLeft = out.size() - written;
  iconv(opened, nullptr, nullptr, &to, &outLeft);
  out.resize(out.size() - outLeft);
  return out;
}

struct DetectorCloser {
  void operator()(uchardet_t detector) const { uchardet_delete(detector); }
};

}  // namespace

const PageEncoding& Utf8Encoding() {
  return Named("UTF-8");
}

const PageEncoding& Windows1252Encoding() {
  return Named("windows-1252");
}

const PageEncoding* EncodingForLabel(std::string_view label) {
  const std::string name = ToLowerAscii(TrimAscii(label));
  if (name.empty() || name.find(' ') != std::string::npos) return nullptr;
  for (const PageEncoding& encoding : kEncodings) {
    for (size_t at = 0; at < encoding.labels.size();) {
      const size_t end = std::min(encoding.labels.find(' ', at), encoding.labels.size());
      if (encoding.labels.substr(at, end - at) == name) return &encoding;
      at = end + 1;
    }
  }
  return nullptr;
}

const PageEncoding* EncodingForDeclaration(std::string_view label) {
  const PageEncoding* encoding = EncodingForLabel(label);
  if (encoding && encoding->IsUtf16()) return &Utf8Encoding();
  if (encoding && encoding->name == "x-user-defined") return &Windows1252Encoding();
  return encoding;
}

bool IsReplacement(const PageEncoding& encoding) {
  return encoding.name == "replacement";
}

const PageEncoding* EncodingFromByteOrderMark(std::string_view bytes, size_t& markLength) {
  struct Mark {
    std::string_view bytes;
    std::string_view encoding;
  };
  for (const Mark& mark :
       {Mark{"\xEF\xBB\xBF", "UTF-8"}, Mark{"\xFF\xFE", "UTF-16LE"}, Mark{"\xFE\xFF", "UTF-16BE"}}) {
    if (bytes.starts_with(mark.bytes)) {
      markLength = mark.bytes.size();
      return &Named(mark.encoding);
    }
  }
  markLength = 0;
  return nullptr;
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

std::string DecodeToUtf8(std::string_view bytes, const PageEncoding& encoding) {
  if (encoding.IsUtf8()) return MendedUtf8(bytes);
  if (encoding.name == "UTF-16LE") return DecodeUtf16(bytes, true);
  if (encoding.name == "UTF-16BE") return DecodeUtf16(bytes, false);
  if (encoding.name == "windows-1252") return Utf8FromWindows1252(bytes);
  if (encoding.name == "x-user-defined") return DecodeUserDefined(bytes);
  if (IsReplacement(encoding)) return bytes.empty() ? std::string() : std::string(kReplacementCharacter);
  return DecodeWithIconv(bytes, encoding.iconvName);
}

const PageEncoding& DetectEncoding(std::string_view bytes) {
  const std::unique_ptr<std::remove_pointer_t<uchardet_t>, DetectorCloser> detector(uchardet_new());
  // The first 64 KB tell the encoding as well as the whole page.
  const std::string_view sample = bytes.substr(0, 64 * 1024);
  if (uchardet_handle_data(detector.get(), sample.data(), sample.size()) != 0) return Windows1252Encoding();
  uchardet_data_end(detector.get());
  std::string_view charset = uchardet_get_charset(detector.get());
  // The detector's names that are no labels of the Encoding Standard.
  if (charset == "UHC" || charset == "CP949") charset = "euc-kr";
  if (charset == "MAC-CYRILLIC") charset = "x-mac-cyrillic";
  if (charset == "CP932") charset = "shift_jis";
  const PageEncoding* found = EncodingForLabel(charset);
  if (!found || found->IsUtf16() || IsReplacement(*found)) return Windows1252Encoding();
  return *found;
}

}  // namespace velmora::web
