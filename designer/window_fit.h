#pragma once

// Opens a window inside the screen's free area: at its preferred size where
// that fits, else as large as the area allows, centred, never above the
// top edge. A part with a minimum size larger than the screen can give it
// (the property pages at 200 % on a small screen) has that minimum lowered,
// its content scrolls instead.

class QSize;
class QWidget;

namespace velmora {

void FitWindowToScreen(QWidget& window, const QSize& preferred, QWidget* shrinkable);

}  // namespace velmora
