#pragma once

// The step both readers share once a file's items are read: levels parsed
// strictly, broken levels repaired, and the item nodes added to the tree.

#include <string>
#include <vector>

#include "document/design_tree.h"
#include "document/records.h"

namespace velmora {

// Parses every item's ILevel (NumberError naming the file and line for one
// that is not a decimal integer), plans the parents and writes repaired
// levels back into the items.
LevelPlan PlanItemLevels(TItemArray& items, const std::vector<int>& lineNumbers, const std::string& path);

// Empties the tree to its root and adds one node per item.
void RebuildTree(DesignTree& tree, const TItemArray& items, const LevelPlan& plan);

}  // namespace velmora
