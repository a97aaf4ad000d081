#pragma once

// A menu shown by the web engine from memory (preview_scheme.h): its own
// private profile that reaches no file and no network, links that never
// navigate, a chosen page width scaled to fit, and a small bridge that
// tells which item was clicked and when the runtime has built the menu.

#include <QString>
#include <QWidget>
#include <memory>

#include "platform/preview_scheme.h"

class QLabel;
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

  // Lays the page out `cssWidth` pixels wide, scaled down to fit.
  void SetPageWidth(int cssWidth);
  int PageWidth() const { return pageWidth_; }
  double Zoom() const;

  // Opens the ancestors of item `index` of menu `menuName` and shows the
  // item under the pointer's look; -1 closes every submenu.
  void ShowItem(const QString& menuName, int index);

  // Whether the last load has finished with the menu built.
  bool IsReady() const { return ready_; }
  // Whether the page's drawing process ended (crashed or was killed): a
  // message and a Reload button stand in the pane until the next load.
  bool HasStopped() const { return stopped_; }
  QWebEngineView* WebView() const { return view_; }

 signals:
  void Ready();
  void ItemClicked(int index);
  void LinkRefused(const QString& address);
  void Stopped();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Load();
  void Arrange();
  void BuildStoppedNotice();

  QWebEngineProfile* profile_ = nullptr;
  PreviewSchemeHandler* handler_ = nullptr;
  QWebEngineView* view_ = nullptr;
  PreviewPage* page_ = nullptr;
  QWidget* stoppedNotice_ = nullptr;
  QLabel* stoppedText_ = nullptr;
  bool stopped_ = false;
  int pageWidth_ = kDesktopWidth;
  bool ready_ = false;
  bool loadedOnce_ = false;
  int loads_ = 0;
};

}  // namespace velmora
