#pragma once

// Insert and Delete: one base holds a subtree's place and, while it is out
// of the design, its records; inserting puts it in, deleting takes it out.

#include <QString>
#include <vector>

#include "designer/design_command.h"
#include "designer/item_editor.h"

namespace velmora {

class ItemBlockCommand : public DesignCommand {
 protected:
  ItemBlockCommand(ItemEditor& editor, int first, int count, int parentNode, std::vector<TItemData> items,
                   const QString& text);
  void Put();
  void Take();
  // The subtree's own node while it is in the design, else its parent.
  RevealTarget Shown(bool present) const;

  ItemEditor& editor_;
  int first_;
  int count_;
  int parentNode_;
  std::vector<TItemData> items_;  // the subtree while it is out of the design
  QString firstText_;             // the text of a new node until it is selected
};

class InsertItemCommand : public ItemBlockCommand {
 public:
  // A new item as the last child of node `parentNode`.
  InsertItemCommand(ItemEditor& editor, int parentNode, TItemData item);
  void redo() override { Put(); }
  void undo() override { Take(); }
  RevealTarget Target(bool undone) const override { return Shown(!undone); }
};

class DeleteItemCommand : public ItemBlockCommand {
 public:
  // The subtree of item `first`, `count` items long.
  DeleteItemCommand(ItemEditor& editor, int first, int count);
  void redo() override { Take(); }
  void undo() override { Put(); }
  RevealTarget Target(bool undone) const override { return Shown(undone); }
};

}  // namespace velmora
