#include "platform/codepage.h"

#include <QFile>
#include <QStringDecoder>

#include "document/text_encoding.h"
#include "document/unicode.h"

namespace velmora {

namespace {

QByteArrayView View(std::string_view bytes) {
  return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string_view View(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

QString FromCodePage(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes)
    text.append(QChar(static_cast<char16_t>(Windows1252ToCodePoint(static_cast<unsigned char>(byte)))));
  return text;
}

std::string ToCodePage(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) {
    const int byte = CodePointToWindows1252(ch.unicode());
    bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return bytes;
}

bool FitsCodePage(const QString& text) {
  for (QChar ch : text) {
    if (CodePointToWindows1252(ch.unicode()) < 0) return false;
  }
  return true;
}

QString FromDocumentText(std::string_view bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return QString::fromUtf8(View(bytes));
  return FromCodePage(bytes);
}

std::string ToDocumentText(TvornAppletAgent& doc, const QString& text) {
  return ToDocumentText(doc, View(text.toUtf8()));
}

std::string ToDocumentText(const QString& text, TextEncoding encoding) {
  return EncodedText(View(text.toUtf8()), encoding);
}

bool NeedsUtf8(const QString& text, TextEncoding encoding) {
  return NeedsUtf8(View(text.toUtf8()), encoding);
}

std::string ToNativePath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString FromNativePath(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

QString FromErrorText(std::string_view text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8(View(text));
  if (!utf8.hasError()) return decoded;
  return FromCodePage(text);
}

}  // namespace velmora
