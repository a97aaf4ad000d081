#include "designer/window_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace velmora {

namespace {

// Room kept for the window manager's frame, which is not known before the
// window is shown.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

}  // namespace

namespace {

void Fit(QWidget& window, const QSize& preferred, QWidget* shrinkable) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) {
    window.resize(preferred);
    return;
  }
  const QRect free = screen->availableGeometry();
  const QSize room(std::max(1, free.width() - kFrameWidth), std::max(1, free.height() - kFrameHeight));
  if (shrinkable) {
    const QSize over = window.minimumSizeHint().expandedTo(window.minimumSize()) - room;
    const QSize minimum = shrinkable->minimumSize();
    if (over.width() > 0 || over.height() > 0) {
      shrinkable->setMinimumSize(std::max(0, minimum.width() - std::max(0, over.width())),
                                 std::max(0, minimum.height() - std::max(0, over.height())));
    }
  }
  // The window's own minimum follows once the layouts above the part are
  // redone.
  for (QWidget* part = shrinkable; part; part = part->parentWidget()) {
    part->updateGeometry();
    if (part->layout()) part->layout()->invalidate();
  }
  if (window.layout()) window.layout()->activate();
  const QSize size = preferred.boundedTo(room);
  window.resize(size);
  const int x = free.left() + std::max(0, (free.width() - size.width() - kFrameWidth) / 2);
  const int y = free.top() + std::max(0, (free.height() - size.height() - kFrameHeight) / 2);
  window.move(x, y);
}

// Fits the window again when it first shows: parts added after its
// creation (the live preview pane) may have made it larger.
class FitOnShow : public QObject {
 public:
  FitOnShow(QWidget& window, QWidget* shrinkable)
      : QObject(&window), window_(window), shrinkable_(shrinkable) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      window_.removeEventFilter(this);
      // A window placed inside the screen stays where it is.
      const QScreen* screen = window_.screen();
      const QRect placed(window_.pos(), window_.size() + QSize(kFrameWidth, kFrameHeight));
      if (screen && !screen->availableGeometry().contains(placed)) Fit(window_, window_.size(), shrinkable_);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget& window_;
  QPointer<QWidget> shrinkable_;
};

}  // namespace

void FitWindowToScreen(QWidget& window, const QSize& preferred, QWidget* shrinkable) {
  Fit(window, preferred, shrinkable);
  new FitOnShow(window, shrinkable);
}

}  // namespace velmora
