#pragma once

// The "velmora:" scheme that feeds the live preview from memory: the page,
// the generated script and stylesheet handed over by the window, the
// runtime script from the program folder and the design's images from one
// folder. Nothing else is served; every other address is not found.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>
#include <array>
#include <optional>
#include <set>
#include <string>

#include "generator/generate.h"

class QWebEngineUrlRequestJob;

namespace velmora {

inline constexpr const char* kPreviewScheme = "velmora";

// Registers the scheme with the engine; must run before the application
// object is created.
void RegisterPreviewScheme();
// Whether this process registered it: windows offer a preview only then.
bool PreviewSchemeRegistered();

// The address of the preview's page. Every load has an address of its own
// ("velmora://preview/<load>/menu.html"), so the engine never reuses a text
// of an earlier load; the files sit beside the page.
QUrl PreviewPageUrl(int load = 0);
// Whether an address is the preview's page (of any load).
bool IsPreviewPageUrl(const QUrl& url);
// An address as a link of the page would have named it: one of ours
// without the preview's own part ("velmora://preview/6/a.html" is "a.html",
// the page's own "velmora://preview/6/menu.html#b" is "#b"); others as
// they are.
QString AddressAsWritten(const QUrl& url);

// What one preview shows.
struct PreviewContent {
  QByteArray page;
  QByteArray script;
  QByteArray stylesheet;
  QString scriptName;            // as the page names them ("jsmenu01cfg.js")
  QString stylesheetName;        // ("jsmenu01.css")
  QString runtimePath;           // jsmenu0.js in the program folder
  std::string imageFolder;       // file system bytes
  std::set<std::string> images;  // the design's image names (code page bytes)

  bool operator==(const PreviewContent&) const = default;
};

// The content of a generated menu: its files under the names the generation
// gave them (`runtimeFiles`), the runtime script from `programFolder`, the
// images from `imageFolder`.
PreviewContent MenuContent(const MenuTexts& texts, const std::array<std::string, 3>& runtimeFiles,
                           const std::string& programFolder, std::string imageFolder,
                           std::set<std::string> images);

struct PreviewReply {
  QByteArray mimeType;
  QByteArray body;
};

class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
  Q_OBJECT

 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

  void SetContent(PreviewContent content) { content_ = std::move(content); }
  const PreviewContent& Content() const { return content_; }

  // The reply to an address; nothing when it is not one of ours.
  std::optional<PreviewReply> Resolve(const QUrl& url) const;

  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  PreviewContent content_;
};

}  // namespace velmora
