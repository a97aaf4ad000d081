#include "designer/move_item_command.h"

#include "designer/item_editor.h"

namespace velmora {

MoveItemCommand::MoveItemCommand(ItemEditor& editor, BlockMove move, int selectedBefore, int selectedAfter)
    : editor_(editor), move_(move), before_(selectedBefore), after_(selectedAfter) {
  setText("Move Item");
}

void MoveItemCommand::redo() {
  editor_.MoveBlock(move_);
}

void MoveItemCommand::undo() {
  editor_.MoveBlock(move_.Inverse());
}

}  // namespace velmora
