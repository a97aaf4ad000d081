#include "platform/preview_view.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
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

// Runs in every page before its own scripts: reports clicked items, the
// item under the pointer and clicked links (which it stops), and the moment
// the runtime has built the menu (its builder listens on the document, so
// it has run by the time the event reaches the window). show() opens an
// item's submenus through the runtime's entry when it has one, else by
// pointing at each ancestor in turn; painted() reports once the page has
// drawn what it holds now.
constexpr const char* kBridgeScript = R"JS((function () {
  var P = 'velmora-bridge:', hovered = -1;
  function itemOf(t) { return t && t.closest ? t.closest('.vm-i') : null; }
  function number(item) { var m = item && /-(\d+)$/.exec(item.id); return m ? +m[1] : -1; }
  document.addEventListener('click', function (e) {
    var t = e.target, item = number(itemOf(t)), link = t && t.closest && t.closest('a[href]');
    if (link) e.preventDefault();
    if (item >= 0) console.log(P + 'item ' + item);
    else if (link) console.log(P + 'link ' + link.getAttribute('href'));
  }, true);
  document.addEventListener('pointerover', function (e) {
    var k = number(itemOf(e.target));
    if (k !== hovered) console.log(P + 'hover ' + (hovered = k));
  }, true);
  document.addEventListener('pointerout', function (e) {
    if (!e.relatedTarget && hovered >= 0) console.log(P + 'hover ' + (hovered = -1));
  }, true);
  window.addEventListener('DOMContentLoaded', function () { console.log(P + 'ready ' + location.href); });
  window.__velmoraPainted = function () {
    requestAnimationFrame(function () {
      requestAnimationFrame(function () { console.log(P + 'painted ' + location.href); });
    });
  };
  window.__velmoraShow = function (name, index, look) {
    var V = window.Velmora, cfg = window[name + 'cfg'], chain = [], k, el;
    if (V && V.show) return V.show(name, index, look);
    if (!cfg) return;
    for (k = index; k >= 0 && k < cfg.length && chain.length <= cfg.length; k = +cfg[k][11]) chain.unshift(k);
    chain.forEach(function (k) {
      if ((el = document.getElementById(name + '-' + k)))
        el.dispatchEvent(new PointerEvent('pointerover', { bubbles: true, pointerType: 'mouse' }));
    });
  };
})();)JS";

// Zoom steps of the keys, as browsers take them.
constexpr std::array<double, 13> kZoomSteps = {0.25, 0.33, 0.5,  0.67, 0.75, 0.8, 0.9,
                                               1.0,  1.1,  1.25, 1.5,  1.75, 2.0};
constexpr double kLargestZoom = 5.0;
// How long a frame the page has drawn takes at most to reach the view.
constexpr int kFrameArrivalMs = 50;

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
    if (onBridge) onBridge(QStringLiteral("link"), AddressAsWritten(url));
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

  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0xE4, 0xE4, 0xE4));
  setPalette(palette);
  setAutoFillBackground(true);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("scrlPreview"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setWidgetResizable(false);
  // The page scrolls itself up and down; only a page wider than the pane
  // scrolls sideways here.
  scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->viewport()->setBackgroundRole(QPalette::Window);
  canvas_ = new QWidget;
  scroll_->setWidget(canvas_);
  for (Surface& surface : surfaces_) MakeSurface(surface);
  surfaces_[0].view->setObjectName(QStringLiteral("PreviewWebView"));
  surfaces_[1].view->setObjectName(QStringLiteral("PreviewWebViewBehind"));
  surfaces_[1].view->hide();
  surfaces_[1].view->setFocusPolicy(Qt::NoFocus);
  BuildStoppedNotice();
  setMinimumWidth(120);
}

void PreviewView::MakeSurface(Surface& surface) {
  surface.page = new PreviewPage(profile_, this);
  QWebEngineScript bridge;
  bridge.setName(QStringLiteral("velmora-bridge"));
  bridge.setSourceCode(QString::fromLatin1(kBridgeScript));
  bridge.setInjectionPoint(QWebEngineScript::DocumentCreation);
  bridge.setWorldId(QWebEngineScript::MainWorld);
  bridge.setRunsOnSubFrames(false);
  surface.page->scripts().insert(bridge);
  surface.page->onBridge = [this, &surface](const QString& kind, const QString& value) {
    OnBridge(surface, kind, value);
  };
  surface.view = new QWebEngineView(canvas_);
  surface.view->setPage(surface.page);
  surface.view->setContextMenuPolicy(Qt::NoContextMenu);
  connect(surface.page, &QWebEnginePage::loadFinished, this,
          [this, &surface] { surface.view->setZoomFactor(ZoomOf(surface)); });
  connect(
      surface.page, &QWebEnginePage::renderProcessTerminated, this,
      [this, &surface](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
        if (status == QWebEnginePage::NormalTerminationStatus) return;
        surface.built = false;
        if (&surface == &Back()) {
          // Only the page on its way ended: the one in sight stays.
          loading_ = false;
          surface.view->hide();
          return;
        }
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
}

void PreviewView::OnBridge(Surface& surface, const QString& kind, const QString& value) {
  const bool front = &surface == &Front();
  const bool incoming = !front && loading_ && QUrl(value).path() == surface.url.path();
  if (kind == QLatin1String("ready") && incoming) {
    surface.built = true;
    ApplyShownItem(surface);
    surface.page->runJavaScript(QStringLiteral("window.__velmoraPainted && __velmoraPainted()"));
  } else if (kind == QLatin1String("painted") && incoming && surface.built) {
    // The page has drawn its frame; it reaches this process a moment later.
    QTimer::singleShot(kFrameArrivalMs, this, [this, &surface, url = surface.url] {
      if (loading_ && &surface == &Back() && surface.url == url && surface.built) Swap();
    });
  } else if (!front) {
    return;  // the pointer is never on a page out of sight
  } else if (kind == QLatin1String("item") || kind == QLatin1String("hover")) {
    bool ok = false;
    const int index = value.toInt(&ok);
    if (!ok) return;
    if (kind == QLatin1String("item")) emit ItemClicked(index);
    if (kind == QLatin1String("hover")) emit ItemHovered(index);
  } else if (kind == QLatin1String("link")) {
    emit LinkRefused(value);
  }
}

void PreviewView::Swap() {
  QWidget* focused = QApplication::focusWidget();
  const bool hadFocus = focused && (Front().view == focused || Front().view->isAncestorOf(focused));
  Surface& old = Front();
  front_ = 1 - front_;
  loading_ = false;
  Surface& now = Front();
  now.view->raise();
  now.view->setFocusPolicy(Qt::StrongFocus);
  old.view->setFocusPolicy(Qt::NoFocus);
  old.view->hide();
  if (hadFocus) now.view->setFocus();
  // The name goes with the view in sight.
  const QString name = old.view->objectName();
  old.view->setObjectName(now.view->objectName());
  now.view->setObjectName(name);
  stopped_ = false;
  stoppedNotice_->hide();
  ready_ = true;
  Arrange();
  emit Ready();
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
  // The pages must go before the profile they were made with.
  for (Surface& surface : surfaces_) {
    delete surface.view;
    delete surface.page;
  }
}

QWebEngineView* PreviewView::WebView() const {
  return surfaces_[size_t(front_)].view;
}

bool PreviewView::ShowContent(PreviewContent content, bool force) {
  if (!force && !stopped_ && loadedOnce_ && content == handler_->Content()) return false;
  handler_->SetContent(std::move(content));
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
  Surface& back = Back();
  ready_ = false;
  loading_ = true;
  loadedOnce_ = true;
  back.built = false;
  back.notice = ShowsNotice();  // a notice reads at the pane's own width
  back.url = PreviewPageUrl(++loads_);
  Arrange();
  back.view->stackUnder(Front().view);
  back.view->show();
  back.page->load(back.url);
}

double PreviewView::Zoom() const {
  if (zoomSetting_ > 0) return zoomSetting_;
  return std::clamp(double(width()) / pageWidth_, kZoomSteps.front(), 1.0);
}

double PreviewView::ZoomOf(const Surface& surface) const {
  return surface.notice ? 1.0 : Zoom();
}

void PreviewView::SetZoom(double setting) {
  zoomSetting_ = setting > 0 ? std::clamp(setting, kZoomSteps.front(), kLargestZoom) : kFit;
  Arrange();
  emit ZoomChanged();
}

void PreviewView::ZoomIn() {
  const double now = Zoom();
  const auto next =
      std::find_if(kZoomSteps.begin(), kZoomSteps.end(), [&](double s) { return s > now + 1e-3; });
  SetZoom(next != kZoomSteps.end() ? *next : std::min(now * 1.25, kLargestZoom));
}

void PreviewView::ZoomOut() {
  const double now = Zoom();
  const auto next =
      std::find_if(kZoomSteps.rbegin(), kZoomSteps.rend(), [&](double s) { return s < now - 1e-3; });
  SetZoom(next != kZoomSteps.rend() ? *next : kZoomSteps.front());
}

void PreviewView::SetPageWidth(int cssWidth) {
  pageWidth_ = cssWidth;
  Arrange();
}

void PreviewView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

int PreviewView::ViewWidth(const Surface& surface) const {
  return surface.notice ? width() : std::max(1, int(pageWidth_ * ZoomOf(surface) + 0.5));
}

void PreviewView::Arrange() {
  scroll_->setGeometry(rect());
  stoppedNotice_->setGeometry(rect());
  int canvasWidth = width();
  for (const Surface& surface : surfaces_) {
    if (&surface == &surfaces_[size_t(front_)] || loading_)
      canvasWidth = std::max(canvasWidth, ViewWidth(surface));
  }
  const int bar = canvasWidth > width() ? scroll_->horizontalScrollBar()->sizeHint().height() : 0;
  const int viewHeight = std::max(1, height() - bar);
  canvas_->resize(canvasWidth, viewHeight);
  for (Surface& surface : surfaces_) {
    const int viewWidth = ViewWidth(surface);
    surface.view->setGeometry((canvasWidth - viewWidth) / 2, 0, viewWidth, viewHeight);
    surface.view->setZoomFactor(ZoomOf(surface));
  }
  if (Zoom() != arrangedZoom_) {
    arrangedZoom_ = Zoom();
    emit ZoomChanged();
  }
}

void PreviewView::ShowItem(const QString& menuName, int index, int look) {
  shownMenu_ = menuName;
  shownMenu_.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")));
  shownIndex_ = index;
  shownLook_ = look;
  // A page on its way gets it once its menu is built.
  Surface& target = loading_ ? Back() : Front();
  if (target.built) ApplyShownItem(target);
}

void PreviewView::ApplyShownItem(Surface& surface) {
  if (shownMenu_.isEmpty()) return;
  surface.page->runJavaScript(QStringLiteral("window.__velmoraShow && __velmoraShow('%1', %2, %3)")
                                  .arg(shownMenu_)
                                  .arg(shownIndex_)
                                  .arg(shownLook_));
}

}  // namespace velmora
