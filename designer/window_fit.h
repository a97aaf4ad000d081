#pragma once

// Opens a window inside the screen's free area: at its preferred size, or
// larger where the scroll areas inside `shrinkable` (the property pages)
// need it to show their whole content and the screen has room; never larger
// than the free area, centred, never above the top edge. Where the screen
// cannot give the window its minimum size (200 % on a small screen), the
// minimum of `shrinkable` is lowered and its pages scroll instead. Panes
// beside `shrinkable` in a splitter are counted `besideWidth` wide (the width
// they open with) rather than at their minimum.

class QSize;
class QWidget;

namespace velmora {

void FitWindowToScreen(QWidget& window, const QSize& preferred, QWidget* shrinkable, int besideWidth = 0);

// The width the screen's free area has left beside `window` and its frame.
int RoomBeside(const QWidget& window);

}  // namespace velmora
