#pragma once

// Keys that move between the parts of the main window: Ctrl+Tab and
// Ctrl+Shift+Tab step through the shown property pages only (hidden pages
// are skipped, and the steps wrap around); F6 and Shift+F6 move the focus
// between the design tree, the current page and the live preview pane.

class QMainWindow;
class QTabWidget;
class QTreeWidget;
class QWidget;

namespace velmora {

void InstallKeyboardRoutes(QMainWindow& window, QTreeWidget* tree, QTabWidget* pages);

// The first control inside `area` that Tab would reach; none when it holds
// no visible, enabled control taking the focus by Tab.
QWidget* FirstTabStop(QWidget* area);

}  // namespace velmora
