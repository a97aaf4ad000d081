#include "designer/item_editor.h"

#include <QLineEdit>
#include <QTreeWidget>

#include "designer/design_command.h"
#include "designer/main_form.h"
#include "designer/page_style_controls.h"
#include "designer/property_pages.h"
#include "designer/tree_follower.h"

namespace velmora {

TvornAppletAgent& ItemEditor::Document() {
  return form_.Document();
}

int ItemEditor::DescendantCount(int node) {
  QTreeWidgetItem* found = form_.NodeAt(node);
  return found ? TMainForm::CountDescendants(found) : 0;
}

int ItemEditor::ParentNodeOf(int first) {
  return form_.Tree().Parent(first + 1);
}

void ItemEditor::PutBlock(int first, std::vector<TItemData>& items, const QString& firstText) {
  if (items.empty()) return;
  if (!firstText.isEmpty()) form_.treeFollower_->NameNextInserted(firstText);
  PutItems(Document(), first, items);
}

std::vector<TItemData> ItemEditor::TakeBlock(int first, int count) {
  return TakeItems(Document(), first, count);
}

void ItemEditor::MoveBlock(const BlockMove& move) {
  move.Apply(Document());
}

void ItemEditor::SwapValues(std::vector<ValueChange>& changes, FormatExtensions* extensions,
                            bool reloadPages) {
  auto swap = [&] {
    velmora::SwapValues(Document(), changes);
    if (extensions) SwapExtensions(Document(), *extensions);
  };
  if (reloadPages) {
    form_.treeFollower_->WithPagesFollowing(swap);
  } else {
    swap();
  }
}

void ItemEditor::Reveal(int node, int field) {
  QTreeWidgetItem* target = form_.NodeAt(node);
  if (!target) target = form_.RootNode();
  // The selection handler loads an item it newly selects.
  if (form_.trvwDesignPanel->currentItem() != target) form_.trvwDesignPanel->setCurrentItem(target);
  form_.UpdateItemCommands();
  if (field == kPageStyleField) {
    form_.pages_->ShowPageHolding(form_.pageStyle_->Language());
  } else if (field >= 0) {
    form_.pages_->ShowPageOf(target == form_.RootNode(), field);
  }
}

}  // namespace velmora
