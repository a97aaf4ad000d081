#pragma once

// The item edits of the undo history: each changes the document alone
// through the core's item edits; the design tree and the pages follow the
// document's reports. Positions are item indexes (node i + 1) and absolute
// node indexes (root 0).

#include <QString>
#include <vector>

#include "document/item_edits.h"

namespace velmora {

class DesignSession;

class ItemEditor {
 public:
  explicit ItemEditor(DesignSession& session) : session_(session) {}

  TvornAppletAgent& Document();
  // Number of nodes below node `node`.
  int DescendantCount(int node);
  // The node the subtree of item `first` hangs from.
  int ParentNodeOf(int first);

  // Puts `items` (their levels placing them) in at item `first`; the first
  // node reads `firstText` when given, else its caption.
  void PutBlock(int first, std::vector<TItemData>& items, const QString& firstText = {});
  // Takes the subtree of item `first` out. The item pages are dropped when
  // they showed one of them; the tree selects a neighbour.
  std::vector<TItemData> TakeBlock(int first, int count);
  // Moves the subtree at `move.first` before its previous sibling's.
  void MoveBlock(const BlockMove& move);
  // Exchanges values, and the format extensions when given. With
  // `reloadPages` the pages showing a changed record show its new values.
  void SwapValues(std::vector<ValueChange>& changes, FormatExtensions* extensions, bool reloadPages);

  // Shows an edit to the user: selects the node and shows the page of
  // `field` (kPageStyleField: the page style's; none when -1).
  void Reveal(int node, int field);

 private:
  DesignSession& session_;
};

}  // namespace velmora
