#pragma once

// Names for screen readers of the window's frame controls that show only
// an icon: each tool button reads as its command, the tree as "Design tree".

class QMainWindow;
class QTreeWidget;

namespace velmora {

// Run after the menus, the tool bars and the tree are built.
void NameFrameControls(QMainWindow& window, QTreeWidget& tree);

}  // namespace velmora
