#pragma once

// What the document reports about its changes. The core operations on a
// design (items put in, taken out or moved, values exchanged, a design
// read or started afresh) tell every observer once they are done, so views
// of the design follow it instead of keeping a structure of their own.

#include <vector>

namespace velmora {

// Stands for the menu-wide record where an item index is expected.
inline constexpr int kMenuWide = -1;

// One value of a design: field `field` of item `item`, or of the menu-wide
// record when `item` is kMenuWide.
struct ValueSlot {
  int item = kMenuWide;
  int field = 0;
  bool operator==(const ValueSlot&) const = default;
};

class DesignObserver {
 public:
  virtual ~DesignObserver() = default;
  // Items `first` to `first + count - 1` are new.
  virtual void ItemsInserted(int first, int count) = 0;
  // The `count` items that stood from `first` on are gone.
  virtual void ItemsRemoved(int first, int count) = 0;
  // The `count` items that stood from `first` on now stand `distance`
  // places earlier; the items they passed follow them.
  virtual void ItemsMoved(int first, int count, int distance) = 0;
  // These values (or their bytes, when the encoding changed) are new.
  virtual void ValuesChanged(const std::vector<ValueSlot>& changed) = 0;
  // The format extensions (page style, language, ...) are new.
  virtual void ExtensionsChanged() = 0;
  // Everything may be new: a design read, imported or started afresh.
  virtual void DesignReset() = 0;
};

}  // namespace velmora
