#include "designer/tree_adapter.h"

#include <QTreeWidget>

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
