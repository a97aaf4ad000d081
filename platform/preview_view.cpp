#include "platform/preview_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <algorithm>
#include <functional>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace velmora {

namespace {

constexpr const char* kBridgePrefix = "velmora-bridge:";

// Runs in every page before its own scripts: reports clicked items and
// links (which it stops), and the moment the runtime has built the menu
// (its builder listens on the document, so it has run by the time the
// event reaches the window). show() opens an item's ancestors through the runtime's entry
// when it has one, else by pointing at each ancestor in turn.
constexpr const char* kBridgeScript = R"JS((function () {
  var P = 'velmora-bridge:';
  document.addEventListener('click', function (e) {
    var t = e.target, item = t && t.closest && t.closest('.vm-i'), link = t && t.closest && t.closest('a[href]');
    var m = item && /-(\d+)$/.exec(item.id);
    if (m) console.log(P + 'item ' + m[1]);
    if (link) {
      e.preventDefault();
      console.log(P + 'link ' + link.href);
    }
  }, true);
  window.addEventListener('DOMContentLoaded', function () { console.log(P + 'ready'); });
  window.__velmoraShow = function (name, index) {
    var V = window.Velmora, cfg = window[name + 'cfg'], chain = [], k, el;
    if (V && V.show) return V.show(name, index);
    if (!cfg) return;
    for (k = index; k >= 0 && k < cfg.length && chain.length <= cfg.length; k = +cfg[k][11]) chain.unshift(k);
    chain.forEach(function (k) {
      if ((el = document.getElementById(name + '-' + k)))
        el.dispatchEvent(new PointerEvent('pointerover', { bubbles: true, pointerType: 'mouse' }));
    });
  };
})();)JS";

// Nothing leaves the preview's own scheme: no files, no network.
class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QString scheme = info.requestUrl().scheme();
    if (scheme != QLatin1String(kPreviewScheme) && scheme != QLatin1String("data") &&
        scheme != QLatin1String("blob")) {
      info.block(true);
    }
  }
};

#ifdef _WIN32
constexpr const char* kHelperName = "/QtWebEngineProcess.exe";
#else
constexpr const char* kHelperName = "/QtWebEngineProcess";
#endif

// The engine's own switches for running without its sandbox.
bool SandboxSwitchedOff() {
  const QString disabled = qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX");
  if (!disabled.isEmpty() && disabled != QLatin1String("0")) return true;
  const QString noSandbox = QStringLiteral("--no-sandbox");
  return qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS")
             .split(' ', Qt::SkipEmptyParts)
             .contains(noSandbox) ||
         QCoreApplication::arguments().contains(noSandbox);
}

QString NoticePage(const QString& text) {
  return QStringLiteral(
             "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Preview</title></head>"
             "<body style=\"font:14px "
             "sans-serif;color:#555;margin:24px;white-space:pre-wrap\">%1</body></html>")
      .arg(text.toHtmlEscaped());
}

}  // namespace

class PreviewPage : public QWebEnginePage {
 public:
  PreviewPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

  std::function<void(const QString& kind, const QString& value)> onBridge;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    // The window loads the page itself; a link or a script never leaves it.
    if (type != NavigationTypeLinkClicked && type != NavigationTypeFormSubmitted && isMainFrame &&
        IsPreviewPageUrl(url)) {
      return true;
    }
    if (onBridge) onBridge(QStringLiteral("link"), url.toString());
    return false;
  }
  QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                const QString&) override {
    if (!message.startsWith(QLatin1String(kBridgePrefix)) || !onBridge) return;
    const QString rest = message.mid(int(qstrlen(kBridgePrefix)));
    const qsizetype space = rest.indexOf(' ');
    onBridge(rest.left(space), space < 0 ? QString() : rest.mid(space + 1));
  }
};

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PreviewView"));
  // An off-the-record profile of its own: nothing is kept on disk and the
  // help window's browser is not affected.
  profile_ = new QWebEngineProfile(this);
  // Every load must read the texts handed over last.
  profile_->setHttpCacheType(QWebEngineProfile::NoCache);
  handler_ = new PreviewSchemeHandler(profile_);
  profile_->installUrlSchemeHandler(kPreviewScheme, handler_);
  profile_->setUrlRequestInterceptor(new LocalOnlyInterceptor(profile_));
  QWebEngineSettings* settings = profile_->settings();
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);

  page_ = new PreviewPage(profile_, this);
  QWebEngineScript bridge;
  bridge.setName(QStringLiteral("velmora-bridge"));
  bridge.setSourceCode(QString::fromLatin1(kBridgeScript));
  bridge.setInjectionPoint(QWebEngineScript::DocumentCreation);
  bridge.setWorldId(QWebEngineScript::MainWorld);
  bridge.setRunsOnSubFrames(false);
  page_->scripts().insert(bridge);
  page_->onBridge = [this](const QString& kind, const QString& value) {
    if (kind == QLatin1String("ready")) {
      ready_ = true;
      emit Ready();
    } else if (kind == QLatin1String("item")) {
      bool ok = false;
      const int index = value.toInt(&ok);
      if (ok) emit ItemClicked(index);
    } else if (kind == QLatin1String("link")) {
      emit LinkRefused(value);
    }
  };

  view_ = new QWebEngineView(this);
  view_->setObjectName(QStringLiteral("PreviewWebView"));
  view_->setPage(page_);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  connect(page_, &QWebEnginePage::loadFinished, this, [this] { view_->setZoomFactor(Zoom()); });
  BuildStoppedNotice();
  connect(
      page_, &QWebEnginePage::renderProcessTerminated, this,
      [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
        if (status == QWebEnginePage::NormalTerminationStatus) return;
        stopped_ = true;
        ready_ = false;
        stoppedText_->setText(
            QStringLiteral("The preview stopped: the web engine's drawing process ended (%1, code %2).\n\n"
                           "Reload draws it again, and so does the next change of the design.")
                .arg(status == QWebEnginePage::KilledTerminationStatus ? QStringLiteral("killed")
                                                                       : QStringLiteral("crashed"))
                .arg(exitCode));
        stoppedNotice_->show();
        stoppedNotice_->raise();
        emit Stopped();
      });
  setMinimumWidth(120);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0xE4, 0xE4, 0xE4));
  setPalette(palette);
  setAutoFillBackground(true);
}

void PreviewView::BuildStoppedNotice() {
  stoppedNotice_ = new QWidget(this);
  stoppedNotice_->setObjectName(QStringLiteral("wdgtPreviewStopped"));
  stoppedNotice_->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(stoppedNotice_);
  layout->setContentsMargins(16, 16, 16, 16);
  stoppedText_ = new QLabel(stoppedNotice_);
  stoppedText_->setObjectName(QStringLiteral("lblPreviewStopped"));
  stoppedText_->setWordWrap(true);
  layout->addWidget(stoppedText_);
  auto* reload = new QPushButton(QStringLiteral("Reload"), stoppedNotice_);
  reload->setObjectName(QStringLiteral("btnPreviewReload"));
  layout->addWidget(reload, 0, Qt::AlignLeft);
  layout->addStretch(1);
  connect(reload, &QPushButton::clicked, this, &PreviewView::Reload);
  stoppedNotice_->hide();
}

QString PreviewView::UnavailableReason() {
#ifndef _WIN32
  if (geteuid() == 0 && !SandboxSwitchedOff()) {
    return QStringLiteral(
        "The live preview is off: its web engine does not run for the root user unless its sandbox is "
        "switched off. Start Velmora as another user, or with QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox.");
  }
#endif
  const QString helper = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
  const QStringList candidates =
      !helper.isEmpty() ? QStringList{helper}
                        : QStringList{QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + kHelperName,
                                      QCoreApplication::applicationDirPath() + kHelperName};
  for (const QString& candidate : candidates) {
    if (QFileInfo(candidate).isExecutable()) return {};
  }
  return QStringLiteral("The live preview is off: the web engine's helper program is missing (%1).")
      .arg(QDir::toNativeSeparators(candidates.front()));
}

bool PreviewView::CanShow() {
  return PreviewSchemeRegistered() && UnavailableReason().isEmpty();
}

PreviewView::~PreviewView() {
  // The page must go before the profile it was made with.
  delete view_;
  delete page_;
}

bool PreviewView::ShowContent(PreviewContent content, bool force) {
  if (!force && !stopped_ && loadedOnce_ && content == handler_->Content()) return false;
  handler_->SetContent(std::move(content));
  Arrange();  // a notice reads at the pane's own width
  Load();
  return true;
}

bool PreviewView::ShowNotice(const QString& text) {
  PreviewContent notice;
  notice.page = NoticePage(text).toUtf8();
  return ShowContent(std::move(notice));
}

bool PreviewView::ShowsNotice() const {
  return handler_->Content().scriptName.isEmpty();
}

void PreviewView::Reload() {
  Load();
}

void PreviewView::Load() {
  ready_ = false;
  stopped_ = false;
  stoppedNotice_->hide();
  loadedOnce_ = true;
  page_->load(PreviewPageUrl(++loads_));
}

double PreviewView::Zoom() const {
  return ShowsNotice() ? 1.0 : std::clamp(double(width()) / pageWidth_, 0.25, 1.0);
}

void PreviewView::SetPageWidth(int cssWidth) {
  pageWidth_ = cssWidth;
  Arrange();
}

void PreviewView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

void PreviewView::Arrange() {
  const double zoom = Zoom();
  const int viewWidth = ShowsNotice() ? width() : std::max(1, int(pageWidth_ * zoom + 0.5));
  view_->setGeometry(std::max(0, (width() - viewWidth) / 2), 0, viewWidth, height());
  stoppedNotice_->setGeometry(rect());
  view_->setZoomFactor(zoom);
}

void PreviewView::ShowItem(const QString& menuName, int index) {
  if (!ready_) return;
  QString name = menuName;
  name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")));
  page_->runJavaScript(
      QStringLiteral("window.__velmoraShow && __velmoraShow('%1', %2)").arg(name).arg(index));
}

}  // namespace velmora
