#include "platform/preview_scheme.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "document/file_io.h"
#include "generator/preview.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

constexpr const char* kHost = "preview";
constexpr const char* kPageName = "menu.html";
constexpr const char* kRuntimeName = "jsmenu0.js";

std::optional<PreviewReply> ReadFileReply(const QString& path, const QByteArray& mimeType) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return PreviewReply{mimeType, file.readAll()};
}

QByteArray ImageMimeType(const QString& name) {
  static const std::pair<const char*, const char*> kTypes[] = {
      {".gif", "image/gif"},     {".png", "image/png"},   {".jpg", "image/jpeg"}, {".jpeg", "image/jpeg"},
      {".svg", "image/svg+xml"}, {".webp", "image/webp"}, {".bmp", "image/bmp"},  {".ico", "image/x-icon"},
  };
  for (const auto& [suffix, type] : kTypes) {
    if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) return type;
  }
  return "application/octet-stream";
}

}  // namespace

void RegisterPreviewScheme() {
  QWebEngineUrlScheme scheme(kPreviewScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
  QWebEngineUrlScheme::registerScheme(scheme);
}

bool PreviewSchemeRegistered() {
  return QWebEngineUrlScheme::schemeByName(kPreviewScheme).name() == kPreviewScheme;
}

QUrl PreviewPageUrl(int load) {
  return QUrl(QString::fromLatin1(kPreviewScheme) + "://" + kHost + '/' + QString::number(load) + '/' +
              kPageName);
}

namespace {

// The file name part of one of our addresses: the path after the load
// number; empty when the address is not ours.
QString NameInPreview(const QUrl& url) {
  if (url.scheme() != QLatin1String(kPreviewScheme) || url.host() != QLatin1String(kHost)) return {};
  static const QRegularExpression kPath(QStringLiteral("^/[0-9]{1,9}/(.+)$"));
  const QRegularExpressionMatch match = kPath.match(url.path(QUrl::FullyDecoded));
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

bool IsPreviewPageUrl(const QUrl& url) {
  return NameInPreview(url) == QLatin1String(kPageName) && !url.hasQuery() && !url.hasFragment();
}

QString AddressAsWritten(const QUrl& url) {
  const QString name = NameInPreview(url);
  if (name.isEmpty()) return url.toString();
  const bool ownPage = name == QLatin1String(kPageName) && (url.hasQuery() || url.hasFragment());
  QString address = ownPage ? QString() : name;
  if (url.hasQuery()) address += '?' + url.query(QUrl::FullyDecoded);
  if (url.hasFragment()) address += '#' + url.fragment(QUrl::FullyDecoded);
  return address;
}

PreviewContent MenuContent(const MenuTexts& texts, const std::array<std::string, 3>& runtimeFiles,
                           const std::string& programFolder, std::string imageFolder,
                           std::set<std::string> images) {
  auto bytes = [](const std::string& text) { return QByteArray(text.data(), qsizetype(text.size())); };
  PreviewContent content;
  content.page = bytes(texts.page);
  content.script = bytes(texts.script);
  content.stylesheet = bytes(texts.stylesheet);
  content.scriptName = QString::fromStdString(runtimeFiles[1]);
  content.stylesheetName = QString::fromStdString(runtimeFiles[2]);
  content.runtimePath = FromNativePath(JoinPath(programFolder, runtimeFiles[0]));
  content.imageFolder = std::move(imageFolder);
  content.images = std::move(images);
  return content;
}

std::optional<PreviewReply> PreviewSchemeHandler::Resolve(const QUrl& url) const {
  const QString name = NameInPreview(url);
  if (name.isEmpty()) return std::nullopt;
  if (name == QLatin1String(kPageName)) return PreviewReply{"text/html", content_.page};
  if (!content_.scriptName.isEmpty() && name == content_.scriptName)
    return PreviewReply{"text/javascript", content_.script};
  if (!content_.stylesheetName.isEmpty() && name == content_.stylesheetName)
    return PreviewReply{"text/css", content_.stylesheet};
  if (name == QLatin1String(kRuntimeName)) return ReadFileReply(content_.runtimePath, "text/javascript");
  // Only the design's own image names, and only those that stay inside
  // the image folder. A design keeps its names in its own encoding.
  for (const std::string& image :
       {FitsCodePage(name) ? ToCodePage(name) : std::string(), name.toStdString()}) {
    if (image.empty() || !content_.images.count(image) || !IsSafeImageName(image)) continue;
    return ReadFileReply(FromNativePath(JoinPath(content_.imageFolder, image)), ImageMimeType(name));
  }
  return std::nullopt;
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  if (job->requestMethod() != "GET") {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const std::optional<PreviewReply> reply = Resolve(job->requestUrl());
  if (!reply) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  auto* buffer = new QBuffer(job);
  buffer->setData(reply->body);
  buffer->open(QIODevice::ReadOnly);
  job->reply(reply->mimeType, buffer);
}

}  // namespace velmora
