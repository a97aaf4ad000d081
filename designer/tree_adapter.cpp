#include "designer/tree_adapter.h"

#include <QTreeWidget>
#include <algorithm>

#include "platform/codepage.h"

namespace velmora {

int CountDescendants(const QTreeWidgetItem* node) {
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

DesignTreeAdapter::DesignTreeAdapter(QTreeWidget* widget, QIcon itemIcon, QIcon rootIcon)
    : widget_(widget), itemIcon_(std::move(itemIcon)), rootIcon_(std::move(rootIcon)) {}

DesignTreeAdapter::~DesignTreeAdapter() = default;

QTreeWidgetItem* DesignTreeAdapter::RootItem() const {
  if (pendingRoot_) return pendingRoot_.get();
  return widget_->topLevelItemCount() > 0 ? widget_->topLevelItem(0) : nullptr;
}

void DesignTreeAdapter::Append(QTreeWidgetItem* node, int parent) const {
  const int index = static_cast<int>(order_.size());
  const int depth = parent < 0 ? 0 : depths_[static_cast<size_t>(parent)] + 1;
  order_.push_back(node);
  parents_.push_back(parent);
  depths_.push_back(depth);
  index_.insert(node, index);
  spine_.resize(static_cast<size_t>(depth));
  spine_.push_back(index);
}

void DesignTreeAdapter::Refresh() const {
  if (valid_) return;
  order_.clear();
  parents_.clear();
  depths_.clear();
  spine_.clear();
  index_.clear();
  if (QTreeWidgetItem* root = RootItem()) {
    // Pre-order walk without recursion: deep designs must not exhaust the stack.
    std::vector<std::pair<QTreeWidgetItem*, int>> stack{{root, -1}};
    while (!stack.empty()) {
      auto [node, parent] = stack.back();
      stack.pop_back();
      Append(node, parent);
      const int self = static_cast<int>(order_.size()) - 1;
      for (int k = node->childCount() - 1; k >= 0; --k) stack.emplace_back(node->child(k), self);
    }
  }
  valid_ = true;
}

int DesignTreeAdapter::NodeCount() const {
  Refresh();
  return static_cast<int>(order_.size());
}

int DesignTreeAdapter::Depth(int node) const {
  Refresh();
  return depths_.at(static_cast<size_t>(node));
}

int DesignTreeAdapter::Parent(int node) const {
  Refresh();
  return parents_.at(static_cast<size_t>(node));
}

void DesignTreeAdapter::Clear() {
  pendingRoot_.reset();
  widget_->clear();
  valid_ = false;
}

void DesignTreeAdapter::StartRoot(const QString& text) {
  pendingRoot_ = std::make_unique<QTreeWidgetItem>(QStringList{text});
  pendingRoot_->setIcon(0, rootIcon_);
  Refresh();
}

void DesignTreeAdapter::ClearToRoot(const std::string& rootCaption) {
  Clear();
  if (cleared_) cleared_();
  StartRoot(NodeText(rootCaption));
}

void DesignTreeAdapter::Refill(const std::vector<std::string_view>& captions,
                               const std::vector<int>& parents) {
  const QString rootText = RootItem() ? RootItem()->text(0) : QString::fromLatin1(kRootCaption);
  Clear();
  StartRoot(rootText);
  AddItemNodes(captions, parents);
  Flush();
}

QString DesignTreeAdapter::NodeText(std::string_view text) const {
  return FromDocumentText(text, encoding_ ? *encoding_ : TextEncoding::Windows1252);
}

int DesignTreeAdapter::AddLastChild(int parent, std::string_view text) {
  Refresh();
  QTreeWidgetItem* node = AddChildNode(order_.at(static_cast<size_t>(parent)), NodeText(text));
  return IndexOf(node);
}

QTreeWidgetItem* DesignTreeAdapter::AddChildNode(QTreeWidgetItem* parent, const QString& text) {
  Refresh();
  QTreeWidgetItem* node = NewNode(text);
  parent->addChild(node);
  const int parentIndex = IndexOf(parent);
  const int parentDepth = parentIndex < 0 ? -1 : depths_[static_cast<size_t>(parentIndex)];
  // Under a node of the rightmost path the new node comes last in pre-order.
  const bool lastInOrder = parentIndex >= 0 && parentDepth < static_cast<int>(spine_.size()) &&
                           spine_[static_cast<size_t>(parentDepth)] == parentIndex;
  if (lastInOrder) {
    Append(node, parentIndex);
  } else {
    valid_ = false;
  }
  return node;
}

QTreeWidgetItem* DesignTreeAdapter::NewNode(const QString& text) const {
  auto* node = new QTreeWidgetItem(QStringList{text});
  node->setIcon(0, itemIcon_);
  return node;
}

void DesignTreeAdapter::InsertNode(QTreeWidgetItem* parent, int position, QTreeWidgetItem* node) {
  parent->insertChild(position, node);
  valid_ = false;
}

void DesignTreeAdapter::Reindex(int from) const {
  for (int i = from; i < static_cast<int>(order_.size()); ++i)
    index_.insert(order_[static_cast<size_t>(i)], i);
  spine_.clear();
  for (int node = static_cast<int>(order_.size()) - 1; node >= 0; node = parents_[static_cast<size_t>(node)])
    spine_.insert(spine_.begin(), node);
}

void DesignTreeAdapter::InsertSubtrees(QTreeWidgetItem* parent, int position,
                                       const QList<QTreeWidgetItem*>& subtrees) {
  Refresh();
  const int parentIndex = IndexOf(parent);
  QTreeWidgetItem* before = position > 0 ? parent->child(position - 1) : nullptr;
  const int at = before ? IndexOf(before) + 1 + CountDescendants(before) : parentIndex + 1;
  parent->insertChildren(position, subtrees);
  if (parentIndex < 0) {
    valid_ = false;
    return;
  }
  // The new nodes in pre-order, with their parents as indexes after the splice.
  std::vector<QTreeWidgetItem*> nodes;
  std::vector<int> parents;
  std::vector<int> depths;
  std::vector<std::pair<QTreeWidgetItem*, int>> stack;
  for (auto top = subtrees.rbegin(); top != subtrees.rend(); ++top) stack.emplace_back(*top, parentIndex);
  while (!stack.empty()) {
    auto [node, up] = stack.back();
    stack.pop_back();
    const int self = at + static_cast<int>(nodes.size());
    nodes.push_back(node);
    parents.push_back(up);
    depths.push_back(1 +
                     (up >= at ? depths[static_cast<size_t>(up - at)] : depths_[static_cast<size_t>(up)]));
    for (int k = node->childCount() - 1; k >= 0; --k) stack.emplace_back(node->child(k), self);
  }
  const int count = static_cast<int>(nodes.size());
  for (int& up : parents_) {
    if (up >= at) up += count;
  }
  order_.insert(order_.begin() + at, nodes.begin(), nodes.end());
  parents_.insert(parents_.begin() + at, parents.begin(), parents.end());
  depths_.insert(depths_.begin() + at, depths.begin(), depths.end());
  Reindex(at);
}

void DesignTreeAdapter::DeleteSubtrees(const std::vector<QTreeWidgetItem*>& subtrees) {
  if (subtrees.empty()) return;
  Refresh();
  const int first = IndexOf(subtrees.front());
  int count = 0;
  for (QTreeWidgetItem* top : subtrees) count += 1 + CountDescendants(top);
  for (int i = first; i < first + count; ++i) index_.remove(order_[static_cast<size_t>(i)]);
  for (QTreeWidgetItem* top : subtrees) delete top;
  const auto begin = static_cast<std::ptrdiff_t>(first);
  order_.erase(order_.begin() + begin, order_.begin() + begin + count);
  parents_.erase(parents_.begin() + begin, parents_.begin() + begin + count);
  depths_.erase(depths_.begin() + begin, depths_.begin() + begin + count);
  for (int& up : parents_) {
    if (up >= first + count) up -= count;
  }
  Reindex(first);
}

void DesignTreeAdapter::MoveBeforePreviousSibling(QTreeWidgetItem* moving) {
  Refresh();
  QTreeWidgetItem* parent = moving->parent();
  const int position = parent->indexOfChild(moving);
  QTreeWidgetItem* passed = parent->child(position - 1);
  const int a = IndexOf(passed);
  const int passedSize = 1 + CountDescendants(passed);
  const int movingSize = 1 + CountDescendants(moving);
  parent->removeChild(moving);
  parent->insertChild(position - 1, moving);
  // The two runs change places; parents inside each run move with it.
  const auto begin = static_cast<std::ptrdiff_t>(a);
  const auto middle = begin + passedSize;
  const auto end = middle + movingSize;
  for (auto i = begin; i < end; ++i) {
    int& up = parents_[static_cast<size_t>(i)];
    if (i < middle && up >= a) up += movingSize;
    if (i >= middle && up >= a + passedSize) up -= passedSize;
  }
  std::rotate(order_.begin() + begin, order_.begin() + middle, order_.begin() + end);
  std::rotate(parents_.begin() + begin, parents_.begin() + middle, parents_.begin() + end);
  std::rotate(depths_.begin() + begin, depths_.begin() + middle, depths_.begin() + end);
  Reindex(a);
}

void DesignTreeAdapter::Flush() {
  if (!pendingRoot_) return;
  widget_->addTopLevelItem(pendingRoot_.release());
}

QTreeWidgetItem* DesignTreeAdapter::Root() {
  Flush();
  return RootItem();
}

QTreeWidgetItem* DesignTreeAdapter::NodeAt(int index) {
  Flush();
  Refresh();
  if (index < 0 || index >= static_cast<int>(order_.size())) return nullptr;
  return order_[static_cast<size_t>(index)];
}

int DesignTreeAdapter::IndexOf(const QTreeWidgetItem* node) const {
  if (!node) return -1;
  Refresh();
  return index_.value(node, -1);
}

int DesignTreeAdapter::DepthOf(const QTreeWidgetItem* node) const {
  const int index = IndexOf(node);
  return index < 0 ? -1 : depths_[static_cast<size_t>(index)];
}

}  // namespace velmora
