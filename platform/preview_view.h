#pragma once

// A menu shown by the web engine from memory (preview_scheme.h): its own
// private profile that reaches no file and no network, links that never
// navigate, a chosen page width shown fitted to the pane or at a zoom
// factor, and a small bridge that tells which item was clicked or pointed
// at and when the runtime has built the menu.
//
// Each load goes into a second page behind the one shown, which stays in
// view until the new page has built its menu, shown the chosen item and
// drawn itself: an edit never flashes an empty or half-made frame.

#include <QString>
#include <QUrl>
#include <QWidget>
#include <array>
#include <memory>

#include "platform/preview_scheme.h"

class QLabel;
class QScrollArea;
class QWebEngineProfile;
class QWebEngineView;

namespace velmora {

class PreviewPage;

class PreviewView : public QWidget {
  Q_OBJECT

 public:
  // Page widths in CSS pixels.
  static constexpr int kDesktopWidth = 1280;
  static constexpr int kTabletWidth = 768;
  static constexpr int kPhoneWidth = 375;
  // The zoom setting that fits the page width into the pane (never larger
  // than the page's real size).
  static constexpr double kFit = 0;

  explicit PreviewView(QWidget* parent = nullptr);
  ~PreviewView() override;

  // Why the web engine cannot start in this program (it would end the
  // whole program if tried): run as root without the engine's sandbox
  // switched off, or its helper program missing. Empty when it can.
  static QString UnavailableReason();
  // Whether a view may be made here: the preview scheme is registered
  // and the engine can start.
  static bool CanShow();

  // Shows a menu; loads the page again only when something in it changed
  // (or `force`). Returns whether it loads.
  bool ShowContent(PreviewContent content, bool force = false);
  // A short plain text instead of a menu (a hint or a refusal).
  bool ShowNotice(const QString& text);
  void Reload();
  const PreviewContent& Content() const { return handler_->Content(); }
  // Whether a notice stands where the menu would be.
  bool ShowsNotice() const;
  const PreviewSchemeHandler& Handler() const { return *handler_; }

  // Lays the page out `cssWidth` pixels wide.
  void SetPageWidth(int cssWidth);
  int PageWidth() const { return pageWidth_; }
  // kFit, or a factor (kept within the engine's range); a page wider than
  // the pane then scrolls sideways.
  void SetZoom(double setting);
  double ZoomSetting() const { return zoomSetting_; }
  // The factor the page is drawn at now.
  double Zoom() const;
  // The next step up or down from the factor in use.
  void ZoomIn();
  void ZoomOut();

  // Item `index` of menu `menuName` with its own submenu and those above
  // it open, drawn in look `look` (0 normal, 1 mouse over, 2 clicked); -1
  // closes every submenu. Holds for the pages loaded later too, until the
  // next call.
  void ShowItem(const QString& menuName, int index, int look = 1);

  // Whether the page shown has finished loading with the menu built, and
  // no newer load waits behind it.
  bool IsReady() const { return ready_; }
  // Whether the page's drawing process ended (crashed or was killed): a
  // message and a Reload button stand in the pane until a load has drawn
  // the page again.
  bool HasStopped() const { return stopped_; }
  // The view of the page in sight.
  QWebEngineView* WebView() const;

 signals:
  // A newly loaded page has come into sight.
  void Ready();
  void ItemClicked(int index);
  // The pointer entered item `index`, or left the items (-1).
  void ItemHovered(int index);
  // A link outside the items was followed, as the page names it.
  void LinkRefused(const QString& address);
  void Stopped();
  void ZoomChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Surface {
    PreviewPage* page = nullptr;
    QWebEngineView* view = nullptr;
    QUrl url;             // the address of its last load
    bool notice = false;  // it shows a notice
    bool built = false;   // its menu is built
  };

  Surface& Front() { return surfaces_[size_t(front_)]; }
  Surface& Back() { return surfaces_[size_t(1 - front_)]; }
  void MakeSurface(Surface& surface);
  void OnBridge(Surface& surface, const QString& kind, const QString& value);
  void ApplyShownItem(Surface& surface);
  void Swap();
  void Load();
  void Arrange();
  double ZoomOf(const Surface& surface) const;
  int ViewWidth(const Surface& surface) const;
  void BuildStoppedNotice();

  QWebEngineProfile* profile_ = nullptr;
  PreviewSchemeHandler* handler_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QWidget* canvas_ = nullptr;
  std::array<Surface, 2> surfaces_;
  int front_ = 0;
  bool loading_ = false;  // the back surface loads the newest content
  QWidget* stoppedNotice_ = nullptr;
  QLabel* stoppedText_ = nullptr;
  bool stopped_ = false;
  int pageWidth_ = kDesktopWidth;
  double zoomSetting_ = kFit;
  double arrangedZoom_ = -1;
  bool ready_ = false;
  bool loadedOnce_ = false;
  int loads_ = 0;
  QString shownMenu_;
  int shownIndex_ = -1;
  int shownLook_ = 1;
};

}  // namespace velmora
