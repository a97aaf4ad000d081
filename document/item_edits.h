#pragma once

// The edits an undo history replays, each with an exact inverse: putting a
// run of items in and taking it out again, moving a run of items past the
// run before it, and exchanging values. A step keeps only what it changes
// (the values, or the run it took out), never a copy of the design.

#include <string>
#include <string_view>
#include <vector>

#include "document/applet_agent.h"

namespace velmora {

struct ValueChange {
  ValueSlot slot;
  std::string value;
};

std::string_view ValueAt(const TvornAppletAgent& doc, ValueSlot slot);

// Puts each change's value into its slot and keeps the value it replaced in
// the change, so applying the same changes again restores the design. The
// slots must exist and differ from each other.
void SwapValues(TvornAppletAgent& doc, std::vector<ValueChange>& changes);
// Exchanges the design's format extensions with `extensions`.
void SwapExtensions(TvornAppletAgent& doc, FormatExtensions& extensions);

// Switches a classic design to UTF-8 (SwitchToUtf8) and returns the values
// the switch converted, as they were; nothing when the design already was
// UTF-8. UndoSwitchToUtf8 with them takes the switch back exactly, also for
// bytes the code page leaves undefined.
std::vector<ValueChange> SwitchToUtf8Undoably(TvornAppletAgent& doc);
void UndoSwitchToUtf8(TvornAppletAgent& doc, std::vector<ValueChange>& converted);

// Takes the `count` items from `first` on out of the design.
std::vector<TItemData> TakeItems(TvornAppletAgent& doc, int first, int count);
// Puts `items` in so that the first becomes item `first`, leaving `items`
// empty: the inverse of TakeItems.
void PutItems(TvornAppletAgent& doc, int first, std::vector<TItemData>& items);

// The `count` items from `first` on carried up past the `distance` items
// before them (TvornAppletAgent::MoveBlockUp).
struct BlockMove {
  int first = 0;
  int count = 0;
  int distance = 0;

  void Apply(TvornAppletAgent& doc) const { doc.MoveBlockUp(first, count, distance); }
  // The move that puts both runs back: the passed-over run carried up past
  // the moved one.
  BlockMove Inverse() const { return {first - distance + count, distance, count}; }
};

}  // namespace velmora
