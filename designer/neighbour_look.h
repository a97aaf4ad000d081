#pragma once

// The Option menu's check entry "New Items Copy Their &Neighbour's Look",
// kept in the settings: whether Insert gives a new item the look of the
// item it follows (or of its parent) instead of the default look.

class QAction;
class QMenu;

namespace velmora {

QAction* AddNeighbourLookEntry(QMenu* optionMenu);
bool NewItemsCopyNeighbourLook();

}  // namespace velmora
