#include "platform/codepage.h"

#include <QFile>
#include <QStringDecoder>
#include <array>

namespace velmora {

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page agrees with Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Decode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

// The byte of a character, or -1 when the code page lacks it.
int Encode(char16_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return ch;
  for (size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == ch) return static_cast<int>(0x80 + k);
  }
  return -1;
}

}  // namespace

QString FromCodePage(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) text.append(QChar(Decode(static_cast<unsigned char>(byte))));
  return text;
}

std::string ToCodePage(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) {
    const int byte = Encode(ch.unicode());
    bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return bytes;
}

bool FitsCodePage(const QString& text) {
  for (QChar ch : text) {
    if (Encode(ch.unicode()) < 0) return false;
  }
  return true;
}

std::string ToNativePath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString FromNativePath(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

QString FromErrorText(std::string_view text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;
  return FromCodePage(text);
}

}  // namespace velmora
