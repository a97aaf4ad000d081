#include "designer/tree_follower.h"

#include <QScopedValueRollback>
#include <QTreeWidget>
#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

#include "designer/design_session.h"
#include "designer/document_notifier.h"
#include "designer/page_style_controls.h"
#include "designer/tree_adapter.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

// An item's level as stored; -1 for a value that is not one.
int LevelOf(const TItemData& item) {
  const std::string_view text = item[ILevel];
  int level = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
  return error == std::errc() && end == text.data() + text.size() && level >= 0 ? level : -1;
}

void CollectExpanded(QTreeWidgetItem* node, std::vector<QTreeWidgetItem*>& expanded) {
  std::vector<QTreeWidgetItem*> stack{node};
  while (!stack.empty()) {
    QTreeWidgetItem* next = stack.back();
    stack.pop_back();
    if (next->isExpanded()) expanded.push_back(next);
    for (int k = 0; k < next->childCount(); ++k) stack.push_back(next->child(k));
  }
}

}  // namespace

TreeFollower::TreeFollower(DesignSession& session, DocumentNotifier& notifier)
    : QObject(session.DialogParent()), session_(session), adapter_(session.Tree()) {
  connect(&notifier, &DocumentNotifier::Inserted, this, &TreeFollower::Inserted);
  connect(&notifier, &DocumentNotifier::Removed, this, &TreeFollower::Removed);
  connect(&notifier, &DocumentNotifier::Moved, this, &TreeFollower::Moved);
  connect(&notifier, &DocumentNotifier::ValuesReplaced, this, &TreeFollower::ValuesReplaced);
  connect(&notifier, &DocumentNotifier::ExtensionsReplaced, this, &TreeFollower::ExtensionsReplaced);
  connect(&notifier, &DocumentNotifier::Reset, this, &TreeFollower::Reset);
}

void TreeFollower::WithPagesFollowing(const std::function<void()>& change) {
  QScopedValueRollback<bool> following(pagesFollow_, true);
  change();
}

QString TreeFollower::NodeTextOf(int item) const {
  const TvornAppletAgent& doc = session_.Document();
  return FromDocumentText(doc.Items[static_cast<size_t>(item)][ICaption], doc.Encoding).trimmed();
}

bool TreeFollower::InStep() const {
  const TvornAppletAgent& doc = session_.Document();
  if (adapter_.NodeCount() != doc.ItemCount() + 1) return false;
  for (int i = 0; i < doc.ItemCount(); ++i) {
    if (adapter_.Depth(i + 1) != LevelOf(doc.Items[static_cast<size_t>(i)]) + 1) return false;
  }
  return true;
}

void TreeFollower::Inserted(int first, int count) {
  const QString name = std::exchange(nextName_, QString());
  if (session_.IsTreeRebuilding()) return;
  const TvornAppletAgent& doc = session_.Document();
  auto level = [&doc](int item) { return LevelOf(doc.Items[static_cast<size_t>(item)]); };
  // The node the new run follows in pre-order: the root or item first - 1.
  QTreeWidgetItem* previous = adapter_.NodeAt(first);
  const int top = level(first);
  bool plain = previous && adapter_.NodeCount() == doc.ItemCount() - count + 1 && top >= 0 &&
               top <= adapter_.DepthOf(previous);
  for (int k = 1; plain && k < count; ++k)
    plain = level(first + k) >= top && level(first + k) <= level(first + k - 1) + 1;
  // Items after the run that would become its children change parents.
  if (plain && first + count < doc.ItemCount()) plain = level(first + count) <= top;
  if (!plain) return Rebuild([=](int node) { return node <= first ? node : node + count; });

  // The parent is the ancestor of `previous` at the depth of an item one
  // level up; the run goes right after its child holding `previous`.
  QTreeWidgetItem* parent = previous;
  QTreeWidgetItem* child = nullptr;
  while (adapter_.DepthOf(parent) > top) {
    child = parent;
    parent = parent->parent();
  }
  QList<QTreeWidgetItem*> tops;
  std::vector<QTreeWidgetItem*> spine;  // spine[d]: the last node d levels below the run's top
  for (int k = 0; k < count; ++k) {
    const int below = level(first + k) - top;
    QTreeWidgetItem* node = adapter_.NewNode(k == 0 && !name.isEmpty() ? name : NodeTextOf(first + k));
    if (below == 0) {
      tops.append(node);
    } else {
      spine[static_cast<size_t>(below - 1)]->addChild(node);
    }
    spine.resize(static_cast<size_t>(below));
    spine.push_back(node);
  }
  adapter_.InsertSubtrees(parent, child ? parent->indexOfChild(child) + 1 : 0, tops);
  parent->setExpanded(true);
  RestoreExpanded(first, count);
}

void TreeFollower::RememberExpanded(int first, int count) {
  TakenRun run{first, {}, {}};
  for (int k = 0; k < count; ++k) {
    run.depths.push_back(adapter_.Depth(first + 1 + k));
    if (adapter_.NodeAt(first + 1 + k)->isExpanded()) run.expanded.push_back(k);
  }
  if (run.expanded.empty()) return;
  if (taken_.size() >= kMostTakenRuns) taken_.erase(taken_.begin());
  taken_.push_back(std::move(run));
}

void TreeFollower::RestoreExpanded(int first, int count) {
  for (auto run = taken_.rbegin(); run != taken_.rend(); ++run) {
    if (run->first != first || static_cast<int>(run->depths.size()) != count) continue;
    bool same = true;
    for (int k = 0; same && k < count; ++k)
      same = adapter_.Depth(first + 1 + k) == run->depths[static_cast<size_t>(k)];
    if (!same) continue;
    for (const int k : run->expanded) adapter_.NodeAt(first + 1 + k)->setExpanded(true);
    taken_.erase(std::next(run).base());
    return;
  }
}

std::vector<QTreeWidgetItem*> TreeFollower::SubtreesCovering(int firstNode, int lastNode) const {
  std::vector<QTreeWidgetItem*> subtrees;
  for (int node = firstNode; node <= lastNode;) {
    QTreeWidgetItem* found = adapter_.NodeAt(node);
    if (!found || node == 0) return {};
    node += 1 + CountDescendants(found);
    if (node > lastNode + 1) return {};
    subtrees.push_back(found);
  }
  return subtrees;
}

void TreeFollower::Removed(int first, int count) {
  if (session_.IsTreeRebuilding()) return;
  const std::vector<QTreeWidgetItem*> gone =
      adapter_.NodeCount() == session_.Document().ItemCount() + count + 1
          ? SubtreesCovering(first + 1, first + count)
          : std::vector<QTreeWidgetItem*>();
  if (gone.empty()) {
    return Rebuild([=](int node) { return node <= first ? node : std::max(first, node - count); });
  }
  RememberExpanded(first, count);
  const int current = session_.CurrentItemIndex();
  if (current >= first && current < first + count) session_.ForgetCurrentItem();
  // The tree picks the next selection while the nodes are half gone; the
  // selection handler runs once the tree and the document agree again.
  QTreeWidget* widget = adapter_.Widget();
  session_.WithoutSelectionHandler([&] {
    adapter_.DeleteSubtrees(gone);
    if (!widget->currentItem()) widget->setCurrentItem(adapter_.Root());
  });
  session_.SelectionChanged();
}

void TreeFollower::Moved(int first, int count, int distance) {
  if (session_.IsTreeRebuilding()) return;
  // A subtree carried past its previous sibling's is the one move the tree
  // makes in place.
  QTreeWidgetItem* moving = adapter_.NodeAt(first + 1);
  QTreeWidgetItem* passed = adapter_.NodeAt(first - distance + 1);
  QTreeWidgetItem* parent = moving ? moving->parent() : nullptr;
  const bool plain = parent && passed && passed->parent() == parent &&
                     parent->indexOfChild(moving) == parent->indexOfChild(passed) + 1 &&
                     1 + CountDescendants(moving) == count && 1 + CountDescendants(passed) == distance;
  if (!plain) {
    return Rebuild([=](int node) {
      const int item = node - 1;
      if (item >= first && item < first + count) return node - distance;
      if (item >= first - distance && item < first) return node + count;
      return node;
    });
  }
  MoveBeforePreviousSibling(moving);
}

void TreeFollower::MoveBeforePreviousSibling(QTreeWidgetItem* moving) {
  QTreeWidget* widget = adapter_.Widget();
  QTreeWidgetItem* selected = widget->currentItem();
  std::vector<QTreeWidgetItem*> expanded;
  CollectExpanded(moving, expanded);
  session_.WithoutSelectionHandler([&] {
    adapter_.MoveBeforePreviousSibling(moving);
    for (QTreeWidgetItem* node : expanded) node->setExpanded(true);
    widget->setCurrentItem(selected);
  });
}

void TreeFollower::ValuesReplaced(const std::vector<ValueSlot>& changed) {
  if (session_.IsTreeRebuilding()) return;
  const int current = session_.CurrentItemIndex();
  bool menuChanged = false;
  bool currentChanged = false;
  for (const ValueSlot& slot : changed) {
    menuChanged |= slot.item == kMenuWide;
    currentChanged |= slot.item == current && current >= 0;
    if (slot.item == kMenuWide || slot.field != ICaption) continue;
    if (QTreeWidgetItem* node = adapter_.NodeAt(slot.item + 1)) node->setText(0, NodeTextOf(slot.item));
  }
  // Before anything else may store the pages over the values just put in.
  if (pagesFollow_ && menuChanged) session_.LoadMenuPages();
  if (pagesFollow_ && currentChanged) session_.LoadItemPages(current);
}

void TreeFollower::ExtensionsReplaced() {
  if (pagesFollow_) session_.PageStyle().Load(session_.Document());
}

void TreeFollower::Reset() {
  taken_.clear();
  // A reader fills the tree itself while the window rebuilds it.
  if (session_.IsTreeRebuilding() || InStep()) return;
  Rebuild([](int node) { return node; });
}

void TreeFollower::Rebuild(const std::function<int(int)>& nodeAfter) {
  const TvornAppletAgent& doc = session_.Document();
  std::vector<int> levels;
  std::vector<std::string_view> captions;
  levels.reserve(doc.Items.size());
  captions.reserve(doc.Items.size());
  for (const TItemData& item : doc.Items) {
    levels.push_back(std::max(0, LevelOf(item)));
    captions.push_back(item[ICaption]);
  }
  const LevelPlan plan = PlanParentsFromLevels(levels);
  QTreeWidget* widget = adapter_.Widget();
  const int selected = adapter_.IndexOf(widget->currentItem());
  session_.WithoutSelectionHandler([&] {
    // The pages' item may stand elsewhere now: nothing is stored into it.
    session_.ForgetCurrentItem();
    adapter_.Refill(captions, plan.parents);
    adapter_.Root()->setExpanded(true);
    const int again = selected <= 0 ? 0 : nodeAfter(selected);
    widget->setCurrentItem(adapter_.NodeAt(std::clamp(again, 0, doc.ItemCount())));
  });
  session_.SelectionChanged();
}

}  // namespace velmora
