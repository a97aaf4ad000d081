#include "designer/window_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QWidget>
#include <algorithm>

namespace velmora {

namespace {

// Room kept for the window manager's frame, which is not known before the
// window is shown.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

// The window's own minimum follows once the layouts above the part are
// redone.
void Relayout(QWidget& window, QWidget* part) {
  for (; part; part = part->parentWidget()) {
    part->updateGeometry();
    if (part->layout()) part->layout()->invalidate();
  }
  if (window.layout()) window.layout()->activate();
}

// The width the window's minimum counts for the panes beside `part` in its
// splitter.
int MinimumBeside(const QWidget& part) {
  auto* splitter = qobject_cast<QSplitter*>(part.parentWidget());
  int width = 0;
  for (int i = 0; splitter && i < splitter->count(); ++i) {
    const QWidget* pane = splitter->widget(i);
    if (pane != &part && !pane->isHidden())
      width += std::max(pane->minimumWidth(), pane->minimumSizeHint().width());
  }
  return width;
}

// The window size at which the scrolling parts inside `shrinkable` show
// their whole content, with the panes beside it `besideWidth` wide.
QSize WholeContent(QWidget& window, QWidget* shrinkable, int besideWidth) {
  const auto areas = shrinkable->findChildren<QScrollArea*>();
  const QSize kept = shrinkable->minimumSize();
  for (QScrollArea* area : areas) {
    if (area->widget()) area->setMinimumSize(area->widget()->minimumSizeHint());
  }
  // A minimum set on the part itself would hide theirs.
  shrinkable->setMinimumSize(kept.expandedTo(shrinkable->minimumSizeHint()));
  Relayout(window, shrinkable);
  QSize whole = window.minimumSizeHint();
  whole.rwidth() += std::max(0, besideWidth - MinimumBeside(*shrinkable));
  for (QScrollArea* area : areas) area->setMinimumSize(0, 0);
  shrinkable->setMinimumSize(kept);
  Relayout(window, shrinkable);
  return whole;
}

void Fit(QWidget& window, const QSize& preferred, QWidget* shrinkable, int besideWidth) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) {
    window.resize(preferred);
    return;
  }
  const QRect free = screen->availableGeometry();
  const QSize room(std::max(1, free.width() - kFrameWidth), std::max(1, free.height() - kFrameHeight));
  QSize whole = preferred;
  if (shrinkable) {
    whole = WholeContent(window, shrinkable, besideWidth);
    const QSize over =
        (window.minimumSizeHint().expandedTo(window.minimumSize()) - room).expandedTo(QSize(0, 0));
    if (!over.isNull()) {
      const QSize minimum = shrinkable->minimumSize();
      shrinkable->setMinimumSize(std::max(0, minimum.width() - over.width()),
                                 std::max(0, minimum.height() - over.height()));
      Relayout(window, shrinkable);
    }
  }
  // Large enough for whole pages where the screen has room.
  const QSize size = preferred.expandedTo(whole).boundedTo(room);
  window.resize(size);
  const int x = free.left() + std::max(0, (free.width() - size.width() - kFrameWidth) / 2);
  const int y = free.top() + std::max(0, (free.height() - size.height() - kFrameHeight) / 2);
  window.move(x, y);
}

// Fits the window again when it first shows: parts added after its
// creation (the live preview pane) may have made it larger.
class FitOnShow : public QObject {
 public:
  FitOnShow(QWidget& window, QWidget* shrinkable, int besideWidth)
      : QObject(&window), window_(window), shrinkable_(shrinkable), besideWidth_(besideWidth) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      window_.removeEventFilter(this);
      // A window placed inside the screen, at its minimum size or more,
      // stays as it is.
      const QScreen* screen = window_.screen();
      const QRect placed(window_.pos(), window_.size() + QSize(kFrameWidth, kFrameHeight));
      const bool squeezed = window_.width() < window_.minimumSizeHint().width() ||
                            window_.height() < window_.minimumSizeHint().height();
      if (screen && (squeezed || !screen->availableGeometry().contains(placed)))
        Fit(window_, window_.size(), shrinkable_, besideWidth_);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget& window_;
  QPointer<QWidget> shrinkable_;
  int besideWidth_;
};

}  // namespace

void FitWindowToScreen(QWidget& window, const QSize& preferred, QWidget* shrinkable, int besideWidth) {
  Fit(window, preferred, shrinkable, besideWidth);
  new FitOnShow(window, shrinkable, besideWidth);
}

int RoomBeside(const QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return 0;
  return std::max(0, screen->availableGeometry().width() - kFrameWidth - window.width());
}

}  // namespace velmora
