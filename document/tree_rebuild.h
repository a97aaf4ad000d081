#pragma once

// The step both readers share once a file's items are read: levels parsed
// strictly, broken levels repaired, and the item nodes added to the tree.

#include <string>
#include <string_view>
#include <vector>

#include "document/design_tree.h"
#include "document/records.h"

namespace velmora {

// What a reader gathered of each item for the tree: its ILevel and caption
// as stored. Each item is one line, the first at `firstLine`.
struct ReadItemOutline {
  std::vector<std::string_view> levels;
  std::vector<std::string_view> captions;
  int firstLine = 0;
};

// Parses every item's level (NumberError naming the file and line for one
// that is not a decimal integer), plans the parents and writes repaired
// levels back into the items.
LevelPlan PlanItemLevels(TItemArray& items, const ReadItemOutline& outline, const std::string& path);

// Empties the tree to its root and adds one node per item.
void RebuildTree(DesignTree& tree, const std::vector<std::string_view>& captions, const LevelPlan& plan);

}  // namespace velmora
