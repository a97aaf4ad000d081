// The design tree: inserting, deleting and moving items with the document's
// item array kept in step, the selection moving values between the pages
// and the records, and which pages and commands the selection allows.

#include <QAction>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>

#include "designer/item_block_commands.h"
#include "designer/main_form.h"
#include "designer/move_item_command.h"
#include "designer/property_pages.h"
#include "designer/tree_adapter.h"
#include "designer/undo_history.h"

namespace velmora {

namespace {

// Runs with a flag set, clearing it again also when the body throws.
template <typename Body>
void WithFlag(bool& flag, Body&& body) {
  const bool previous = flag;
  flag = true;
  try {
    body();
  } catch (...) {
    flag = previous;
    throw;
  }
  flag = previous;
}

}  // namespace

int TMainForm::AbsoluteIndex(const QTreeWidgetItem* node) const {
  return treeAdapter_->IndexOf(node);
}

QTreeWidgetItem* TMainForm::NodeAt(int absoluteIndex) const {
  return treeAdapter_->NodeAt(absoluteIndex);
}

QTreeWidgetItem* TMainForm::RootNode() const {
  return treeAdapter_->Root();
}

QTreeWidgetItem* TMainForm::SelectedNode() const {
  treeAdapter_->Flush();
  return trvwDesignPanel->currentItem();
}

int TMainForm::SelectedIndex() const {
  return AbsoluteIndex(SelectedNode());
}

int TMainForm::CurrentItemIndex() const {
  const int index = AbsoluteIndex(CurrentItemNode);
  return index < 1 ? -1 : index - 1;
}

int TMainForm::CountDescendants(const QTreeWidgetItem* node) {
  int count = 0;
  std::vector<const QTreeWidgetItem*> stack{node};
  while (!stack.empty()) {
    const QTreeWidgetItem* next = stack.back();
    stack.pop_back();
    count += next->childCount();
    for (int k = 0; k < next->childCount(); ++k) stack.push_back(next->child(k));
  }
  return count;
}

void TMainForm::ResetTreeToRoot(bool arrangePages) {
  WithFlag(TreeRebuilding, [this] {
    treeAdapter_->ClearToRoot(kRootCaption);
    treeAdapter_->Flush();
  });
  if (arrangePages) {
    trvwDesignPanel->setCurrentItem(RootNode());
    RefreshItemCommandStates();
  } else {
    SelectRootNode();
  }
}

ReadResult TMainForm::RebuildTreeWith(const std::function<ReadResult(DesignTree&)>& reader) {
  ReadResult result;
  try {
    WithFlag(TreeRebuilding, [&] { result = reader(*treeAdapter_); });
  } catch (...) {
    treeAdapter_->Flush();
    throw;
  }
  treeAdapter_->Flush();
  return result;
}

void TMainForm::ExpandReadTree() {
  // Every level of a design of ordinary size; a large one shows its first
  // level, as opening every branch of it would take long and show too much.
  constexpr int kExpandAllLimit = 500;
  if (Document().ItemCount() <= kExpandAllLimit) {
    trvwDesignPanel->expandAll();
  } else {
    RootNode()->setExpanded(true);
  }
}

void TMainForm::SelectRootNode() {
  WithFlag(suppressTreeHandlers_, [this] { trvwDesignPanel->setCurrentItem(RootNode()); });
  RefreshItemCommandStates();
}

void TMainForm::Insert1Click() {
  QTreeWidgetItem* parent = SelectedNode();
  if (!parent) parent = RootNode();
  TItemData record = TvornAppletAgent::MakeDefaultItem();
  record[ILevel] = std::to_string(treeAdapter_->DepthOf(parent));
  // As storing the pages would make them: undo and redo then never depend
  // on whether the new item was shown in between.
  record[IImageWidth] = record[IWidth];
  record[IImageHeight] = record[IHeight];
  history_->Push(new InsertItemCommand(history_->Editor(), AbsoluteIndex(parent), std::move(record)));
  UpdateItemCommands();
}

void TMainForm::Delete1Click() {
  QTreeWidgetItem* node = SelectedNode();
  if (!node || node == RootNode()) {
    Ask(QMessageBox::Critical, "Root item cannot be deleted.", QMessageBox::Ok, QMessageBox::Ok);
    return;
  }
  if (Ask(QMessageBox::Warning, "Are you sure to delete this item and all its children?",
          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
    return;
  }
  // The subtree's records are one contiguous run starting at its own.
  history_->Push(
      new DeleteItemCommand(history_->Editor(), AbsoluteIndex(node) - 1, 1 + CountDescendants(node)));
  UpdateItemCommands();
}

void TMainForm::MoveUp1Click() {
  QTreeWidgetItem* moving = SelectedNode();
  QTreeWidgetItem* parent = moving ? moving->parent() : nullptr;
  const int position = parent ? parent->indexOfChild(moving) : 0;
  if (position > 0) {
    QTreeWidgetItem* previous = parent->child(position - 1);
    const int s = AbsoluteIndex(moving) - 1;
    const int sizeP = 1 + CountDescendants(previous);
    const int sizeS = 1 + CountDescendants(moving);
    // Each record of the moving subtree goes up by sizeP places, both
    // subtrees keeping their inner order.
    history_->Push(new MoveItemCommand(history_->Editor(), {s, sizeS, sizeP}, s, s - sizeP));
  }
  UpdateItemCommands();
}

void TMainForm::MoveDown1Click() {
  QTreeWidgetItem* selected = SelectedNode();
  QTreeWidgetItem* parent = selected ? selected->parent() : nullptr;
  const int position = parent ? parent->indexOfChild(selected) : -1;
  if (parent && position + 1 < parent->childCount()) {
    QTreeWidgetItem* next = parent->child(position + 1);
    const int n = AbsoluteIndex(next) - 1;
    const int sizeN = 1 + CountDescendants(next);
    const int sizeS = 1 + CountDescendants(selected);
    history_->Push(new MoveItemCommand(history_->Editor(), {n, sizeN, sizeS}, n - sizeS, n - sizeS + sizeN));
  }
  UpdateItemCommands();
}

void TMainForm::trvwDesignPanelChange() {
  if (TreeRebuilding || suppressTreeHandlers_) return;
  UpdatePages();
  if (CurrentItemNode) StoreItemEdits(AbsoluteIndex(CurrentItemNode) - 1);
  QTreeWidgetItem* selected = SelectedNode();
  if (!selected || selected == RootNode()) {
    // Keeps Delete and the moves from offering themselves on the root.
    RefreshItemCommandStates();
    return;
  }
  if (selected != CurrentItemNode) {
    CurrentItemNode = selected;
    try {
      LoadItemPages(AbsoluteIndex(selected) - 1);
    } catch (...) {
      // The pages still show another item's values: they must not be
      // stored into this record.
      CurrentItemNode = nullptr;
      throw;
    }
  }
  UpdateItemCommands();
}

void TMainForm::trvwDesignPanelMouseDown() {
  if (TreeRebuilding) return;
  if (QTreeWidgetItem* selected = SelectedNode()) {
    WithFlag(suppressTreeHandlers_, [&] { trvwDesignPanel->setCurrentItem(selected); });
    UpdateItemCommands();
  }
}

void TMainForm::UpdateItemCommands() {
  RefreshItemCommandStates();
  UpdatePages();
}

void TMainForm::RefreshItemCommandStates() {
  QTreeWidgetItem* selected = SelectedNode();
  QTreeWidgetItem* parent = selected ? selected->parent() : nullptr;
  const int position = parent ? parent->indexOfChild(selected) : -1;
  const bool canDelete = parent != nullptr;
  const bool canMoveUp = parent && position > 0;
  const bool canMoveDown = parent && position + 1 < parent->childCount();
  Insert1->setEnabled(true);
  Delete1->setEnabled(canDelete);
  MoveUp1->setEnabled(canMoveUp);
  MoveDown1->setEnabled(canMoveDown);
}

void TMainForm::UpdatePages() {
  QTreeWidgetItem* selected = SelectedNode();
  const int a = AbsoluteIndex(selected);
  if (a < 0) return;
  if (a != 0) pages_->SetSubmenuVisible(selected->childCount() > 0);
  const bool neverArranged = LastPagesIndex == -2009;
  if (!neverArranged && (a == LastPagesIndex || (a > 0 && LastPagesIndex > 0))) return;
  if (a == 0) {
    pages_->ShowMenuPages();
  } else {
    pages_->ShowItemPages();
  }
  LastPagesIndex = a;
}

}  // namespace velmora
