#include "document/text_encoding.h"

#include "document/unicode.h"

namespace velmora {

namespace {

// Well-formed UTF-8 with anything broken replaced by U+FFFD.
std::string SoundUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const char32_t code = NextCodePoint(text, at);
    AppendUtf8(out, code == 0 || (code >= 0xDC80 && code <= 0xDCFF) ? char32_t{0xFFFD} : code);
  }
  return out;
}

template <typename Record>
void RecordToUtf8(Record& record, int item, std::vector<ValueSlot>& converted) {
  for (int k = 0; k < Record::size(); ++k) {
    const std::string_view value = record.at(k);
    if (IsAscii(value)) continue;
    record.at(k) = Utf8FromWindows1252(value);
    converted.push_back({item, k});
  }
}

}  // namespace

std::string TextToUtf8(std::string_view text, TextEncoding encoding) {
  return encoding == TextEncoding::Utf8 ? std::string(text) : Utf8FromWindows1252(text);
}

bool NeedsUtf8(std::string_view utf8, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8 || IsAscii(utf8) || !IsValidUtf8(utf8)) return false;
  std::string bytes;
  return !Windows1252FromUtf8(utf8, bytes);
}

std::string EncodedText(std::string_view utf8, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return SoundUtf8(utf8);
  // Text we cannot read as UTF-8 is kept as the code page bytes it is.
  std::string bytes;
  if (IsAscii(utf8) || !IsValidUtf8(utf8) || !Windows1252FromUtf8(utf8, bytes)) return std::string(utf8);
  return bytes;
}

bool SwitchToUtf8(TvornAppletAgent& doc) {
  if (doc.Encoding == TextEncoding::Utf8) return false;
  std::vector<ValueSlot> converted;
  RecordToUtf8(doc.AppletData, kMenuWide, converted);
  for (int i = 0; i < doc.ItemCount(); ++i) RecordToUtf8(doc.Items[static_cast<size_t>(i)], i, converted);
  doc.Encoding = TextEncoding::Utf8;
  doc.TellValuesChanged(converted);
  return true;
}

std::string ToDocumentText(TvornAppletAgent& doc, std::string_view utf8) {
  if (NeedsUtf8(utf8, doc.Encoding)) SwitchToUtf8(doc);
  return EncodedText(utf8, doc.Encoding);
}

std::string FileSystemName(std::string_view text, TextEncoding encoding) {
  return TextToUtf8(text, encoding);
}

std::string DocumentNameOfFile(TvornAppletAgent& doc, std::string_view fileSystemName) {
  return ToDocumentText(doc, fileSystemName);
}

}  // namespace velmora
