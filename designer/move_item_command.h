#pragma once

// Move Up and Move Down: a subtree carried past its previous sibling's, and
// back.

#include "designer/design_command.h"
#include "document/item_edits.h"

namespace velmora {

class ItemEditor;

class MoveItemCommand : public DesignCommand {
 public:
  // `selected` is the item the user moved, at item index `selectedBefore`
  // before the move and `selectedAfter` after it.
  MoveItemCommand(ItemEditor& editor, BlockMove move, int selectedBefore, int selectedAfter);
  void redo() override;
  void undo() override;
  RevealTarget Target(bool undone) const override { return {(undone ? before_ : after_) + 1, -1}; }

 private:
  ItemEditor& editor_;
  BlockMove move_;
  int before_;
  int after_;
};

}  // namespace velmora
