#pragma once

// Keeps the design tree widget in step with the document: nodes come, go,
// move and are renamed as the document reports its changes, and the pages
// show the values a step of the history puts in. Commands therefore change
// the document alone. Where a report does not match a plain edit of the
// tree (items that would change parents), the tree is built anew from the
// items' levels.

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "document/design_observer.h"

class QTreeWidgetItem;

namespace velmora {

class DesignSession;
class DesignTreeAdapter;
class DocumentNotifier;

class TreeFollower : public QObject {
  Q_OBJECT

 public:
  TreeFollower(DesignSession& session, DocumentNotifier& notifier);

  // The next inserted node reads `text` instead of its caption.
  void NameNextInserted(const QString& text) { nextName_ = text; }
  // Runs `change` with the pages showing the values it changes.
  void WithPagesFollowing(const std::function<void()>& change);
  // Whether the tree holds one node per item, at the depth its level gives.
  bool InStep() const;

 private:
  void Inserted(int first, int count);
  void Removed(int first, int count);
  void Moved(int first, int count, int distance);
  void ValuesReplaced(const std::vector<ValueSlot>& changed);
  void ExtensionsReplaced();
  void Reset();
  // The tree built anew from the items' levels; the selection goes to
  // where `nodeAfter` says its node went. The history stays.
  void Rebuild(const std::function<int(int)>& nodeAfter);
  // Whole subtrees covering nodes `firstNode` to `lastNode`, or nothing.
  std::vector<QTreeWidgetItem*> SubtreesCovering(int firstNode, int lastNode) const;
  // Keeps the moving subtree's expanded nodes and the selection.
  void MoveBeforePreviousSibling(QTreeWidgetItem* moving);
  QString NodeTextOf(int item) const;
  // A run of nodes taken out keeps which of them were expanded, so that a
  // run of the same shape put back at the same place (the undo of a delete)
  // shows as it was.
  void RememberExpanded(int first, int count);
  void RestoreExpanded(int first, int count);

  DesignSession& session_;
  DesignTreeAdapter& adapter_;
  QString nextName_;
  bool pagesFollow_ = false;
  struct TakenRun {
    int first;
    std::vector<int> depths;    // the run's shape
    std::vector<int> expanded;  // places in the run
  };
  // One per step the history keeps at the most.
  static constexpr size_t kMostTakenRuns = 1000;
  std::vector<TakenRun> taken_;
};

}  // namespace velmora
