#include "designer/item_editor.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTreeWidget>
#include <algorithm>

#include "designer/design_command.h"
#include "designer/main_form.h"
#include "designer/page_style_controls.h"
#include "designer/property_pages.h"
#include "designer/tree_adapter.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

QString NodeText(const TvornAppletAgent& doc, const TItemData& item) {
  return FromDocumentText(item[ICaption], doc.Encoding).trimmed();
}

}  // namespace

TvornAppletAgent& ItemEditor::Document() {
  return form_.Document();
}

int ItemEditor::DescendantCount(int node) {
  QTreeWidgetItem* found = form_.NodeAt(node);
  return found ? TMainForm::CountDescendants(found) : 0;
}

BlockShape ItemEditor::ShapeOf(int first, int count) {
  DesignTree& tree = form_.Tree();
  BlockShape shape;
  shape.parentNode = tree.Parent(first + 1);
  const int base = tree.Depth(first + 1);
  for (int k = 0; k < count; ++k) shape.depths.push_back(tree.Depth(first + 1 + k) - base);
  return shape;
}

void ItemEditor::PutBlock(int first, const BlockShape& shape, std::vector<TItemData>& items,
                          const QString& firstText) {
  DesignTreeAdapter& adapter = *form_.treeAdapter_;
  QTreeWidgetItem* parent = adapter.NodeAt(shape.parentNode);
  if (!parent || shape.depths.size() != items.size() || items.empty()) return;
  // The run's first node goes before the parent's first child that now
  // stands at its place.
  int position = 0;
  while (position < parent->childCount() && adapter.IndexOf(parent->child(position)) < first + 1) ++position;
  // The nodes are built detached and shown in one insertion.
  std::vector<QTreeWidgetItem*> spine;
  for (size_t k = 0; k < items.size(); ++k) {
    const int depth = std::max(0, shape.depths[k]);
    if (k > 0 && (depth < 1 || depth > static_cast<int>(spine.size()))) break;
    QTreeWidgetItem* node =
        adapter.NewNode(k == 0 && !firstText.isEmpty() ? firstText : NodeText(Document(), items[k]));
    if (k > 0) spine[static_cast<size_t>(depth - 1)]->addChild(node);
    spine.resize(static_cast<size_t>(depth));
    spine.push_back(node);
  }
  PutItems(Document(), first, items);
  adapter.InsertNode(parent, position, spine.front());
  parent->setExpanded(true);
}

std::vector<TItemData> ItemEditor::TakeBlock(int first, int count) {
  QTreeWidgetItem* node = form_.NodeAt(first + 1);
  std::vector<TItemData> taken = TakeItems(Document(), first, count);
  const int current = form_.AbsoluteIndex(form_.CurrentItemNode);
  if (current > first && current <= first + count) form_.CurrentItemNode = nullptr;
  // The tree picks the next selection while the node is still half gone;
  // the handler runs once the tree and the array agree again.
  {
    QScopedValueRollback<bool> suppressed(form_.suppressTreeHandlers_, true);
    delete node;
    form_.treeAdapter_->Invalidate();
    if (!form_.trvwDesignPanel->currentItem()) form_.trvwDesignPanel->setCurrentItem(form_.RootNode());
  }
  form_.trvwDesignPanelChange();
  return taken;
}

void ItemEditor::MoveBlock(const BlockMove& move) {
  QTreeWidgetItem* moving = form_.NodeAt(move.first + 1);
  QTreeWidgetItem* before = form_.NodeAt(move.first - move.distance + 1);
  move.Apply(Document());
  form_.MoveSubtreeBefore(moving, before);
}

void ItemEditor::SwapValues(std::vector<ValueChange>& changes, FormatExtensions* extensions,
                            bool reloadPages) {
  velmora::SwapValues(Document(), changes);
  if (extensions) SwapExtensions(Document(), *extensions);
  if (reloadPages && extensions) form_.pageStyle_->Load(Document());
  const int current = form_.CurrentItemIndex();
  bool menuChanged = false;
  bool currentChanged = false;
  for (const ValueChange& change : changes) {
    menuChanged |= change.slot.item == kMenuWide;
    currentChanged |= change.slot.item == current && current >= 0;
    if (change.slot.item == kMenuWide || change.slot.field != ICaption) continue;
    if (QTreeWidgetItem* node = form_.NodeAt(change.slot.item + 1))
      node->setText(0, NodeText(Document(), Document().Items[static_cast<size_t>(change.slot.item)]));
  }
  // Before anything else may store the pages over the values just put in.
  if (reloadPages && menuChanged) form_.LoadMenuPages();
  if (reloadPages && currentChanged) form_.LoadItemPages(current);
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
