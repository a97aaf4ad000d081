#pragma once

// The item edits of the undo history applied to the window: each changes
// the document through the core's item edits and the design tree with it,
// so the two never drift apart. Positions are item indexes (node i + 1)
// and absolute node indexes (root 0).

#include <QString>
#include <vector>

#include "document/item_edits.h"

namespace velmora {

class TMainForm;

// Where a run of items sits in the tree: under which node, and the depth
// of each item below the run's first (0 for the first).
struct BlockShape {
  int parentNode = 0;
  std::vector<int> depths;
};

class ItemEditor {
 public:
  explicit ItemEditor(TMainForm& form) : form_(form) {}

  TvornAppletAgent& Document();
  // Number of nodes below node `node`.
  int DescendantCount(int node);
  // The run of `count` items from `first` on: one subtree.
  BlockShape ShapeOf(int first, int count);

  // Puts `items` in at item `first` with nodes under `shape.parentNode`;
  // the first node reads `firstText` when given, else its caption.
  void PutBlock(int first, const BlockShape& shape, std::vector<TItemData>& items,
                const QString& firstText = {});
  // Takes the subtree of item `first` out with its nodes. The item pages
  // are dropped when they showed one of them; the tree selects a neighbour.
  std::vector<TItemData> TakeBlock(int first, int count);
  // Moves the subtree at `move.first` before its previous sibling's.
  void MoveBlock(const BlockMove& move);
  // Exchanges values, and the format extensions when given; a changed
  // caption renames its node. With `reloadPages` the pages showing a changed
  // record show its new values.
  void SwapValues(std::vector<ValueChange>& changes, FormatExtensions* extensions, bool reloadPages);

  // Shows an edit to the user: selects the node and shows the page of
  // `field` (kPageStyleField: the page style's; none when -1).
  void Reveal(int node, int field);

 private:
  TMainForm& form_;
};

}  // namespace velmora
