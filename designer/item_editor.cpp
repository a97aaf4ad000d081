#include "designer/item_editor.h"

#include <QLineEdit>
#include <QTreeWidget>

#include "designer/design_command.h"
#include "designer/design_session.h"
#include "designer/page_style_controls.h"
#include "designer/property_pages.h"
#include "designer/tree_follower.h"

namespace velmora {

TvornAppletAgent& ItemEditor::Document() {
  return session_.Document();
}

int ItemEditor::DescendantCount(int node) {
  QTreeWidgetItem* found = session_.Tree().NodeAt(node);
  return found ? CountDescendants(found) : 0;
}

int ItemEditor::ParentNodeOf(int first) {
  return session_.Tree().Parent(first + 1);
}

void ItemEditor::PutBlock(int first, std::vector<TItemData>& items, const QString& firstText) {
  if (items.empty()) return;
  if (!firstText.isEmpty()) session_.Follower().NameNextInserted(firstText);
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
    session_.Follower().WithPagesFollowing(swap);
  } else {
    swap();
  }
}

void ItemEditor::Reveal(int node, int field) {
  DesignTreeAdapter& tree = session_.Tree();
  QTreeWidgetItem* target = tree.NodeAt(node);
  if (!target) target = tree.Root();
  // The selection handler loads an item it newly selects.
  if (tree.Widget()->currentItem() != target) tree.Widget()->setCurrentItem(target);
  session_.UpdateItemCommands();
  if (field == kPageStyleField) {
    session_.Pages().ShowPageHolding(session_.PageStyle().Language());
  } else if (field >= 0) {
    session_.Pages().ShowPageOf(target == tree.Root(), field);
  }
}

}  // namespace velmora
