#pragma once

// The design tree widget as the core sees it. Absolute pre-order indexes
// (root 0, item i at i + 1) come from a cache that nodes appended in
// pre-order and the subtree edits below keep valid and any other edit
// invalidates. Nodes that a reader
// adds after ClearToRoot are built detached and shown in one insertion by
// Flush, so a large design appears at once.

#include <QHash>
#include <QIcon>
#include <functional>
#include <memory>
#include <vector>

#include "document/design_tree.h"
#include "document/format_extensions.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

// Number of nodes below `node`.
int CountDescendants(const QTreeWidgetItem* node);

class DesignTreeAdapter final : public DesignTree {
 public:
  DesignTreeAdapter(QTreeWidget* widget, QIcon itemIcon, QIcon rootIcon);
  ~DesignTreeAdapter() override;

  int NodeCount() const override;
  int Depth(int node) const override;
  int Parent(int node) const override;
  // Node texts given here are document text in the encoding `encoding`
  // points to (the document's own).
  void SetTextEncoding(const TextEncoding* encoding) { encoding_ = encoding; }
  void ClearToRoot(const std::string& rootCaption) override;
  int AddLastChild(int parent, std::string_view text) override;

  // Adds a node with `text` as the last child of `parent`.
  QTreeWidgetItem* AddChildNode(QTreeWidgetItem* parent, const QString& text);
  // A node with `text` outside the tree, for InsertNode.
  QTreeWidgetItem* NewNode(const QString& text) const;
  // Puts `node` (with its children) in as child `position` of `parent`.
  void InsertNode(QTreeWidgetItem* parent, int position, QTreeWidgetItem* node);
  // Subtree edits that keep the cache in step without walking the whole
  // tree again: whole subtrees (built with NewNode) put in as children
  // from `position` of `parent`; whole subtrees, consecutive in pre-order,
  // deleted; a subtree moved before its previous sibling.
  void InsertSubtrees(QTreeWidgetItem* parent, int position, const QList<QTreeWidgetItem*>& subtrees);
  void DeleteSubtrees(const std::vector<QTreeWidgetItem*>& subtrees);
  void MoveBeforePreviousSibling(QTreeWidgetItem* moving);
  // The same design's nodes built anew (item i under item parents[i], -1
  // the root) and shown; unlike ClearToRoot this is no other design.
  void Refill(const std::vector<std::string_view>& captions, const std::vector<int>& parents);
  // Shows the nodes built since ClearToRoot in the widget.
  void Flush();
  QTreeWidget* Widget() const { return widget_; }
  QTreeWidgetItem* Root();
  QTreeWidgetItem* NodeAt(int index);
  // -1 for a node outside the tree (or none).
  int IndexOf(const QTreeWidgetItem* node) const;
  int DepthOf(const QTreeWidgetItem* node) const;
  // Called after nodes were moved or removed other than through this class.
  void Invalidate() { valid_ = false; }
  // Runs whenever the tree is cleared (the nodes it points to are gone).
  void SetClearedHandler(std::function<void()> handler) { cleared_ = std::move(handler); }

 private:
  QTreeWidgetItem* RootItem() const;
  void Clear();
  void StartRoot(const QString& text);
  QString NodeText(std::string_view text) const;
  void Refresh() const;
  void Append(QTreeWidgetItem* node, int parent) const;
  // After a splice: the indexes from `from` on, and the rightmost path.
  void Reindex(int from) const;

  QTreeWidget* widget_;
  QIcon itemIcon_;
  QIcon rootIcon_;
  std::unique_ptr<QTreeWidgetItem> pendingRoot_;
  std::function<void()> cleared_;
  const TextEncoding* encoding_ = nullptr;

  // The cache: nodes in pre-order with their parents and depths, and the
  // rightmost path (spine_[d] is its node at depth d), where a node added
  // in pre-order goes.
  mutable bool valid_ = false;
  mutable std::vector<QTreeWidgetItem*> order_;
  mutable std::vector<int> parents_;
  mutable std::vector<int> depths_;
  mutable std::vector<int> spine_;
  mutable QHash<const QTreeWidgetItem*, int> index_;
};

}  // namespace velmora
