#pragma once

// The window's small pictures, drawn at run time: the tool bar's image
// list and the tree's (image 0 for items, image 1 for the root).

#include <QIcon>

namespace velmora {

enum class ToolIcon {
  New,
  Open,
  Save,
  Insert,
  Delete,
  MoveUp,
  MoveDown,
  BuildHtml,
  Preview,
  Help,
  Undo,
  Redo
};

QIcon ToolBarIcon(ToolIcon icon);
// The desktop theme's undo or redo picture when it has one, else ours.
QIcon UndoIcon(bool redo);
QIcon TreeIcon(int index);
// The program's own icon.
QIcon ProgramIcon();

}  // namespace velmora
