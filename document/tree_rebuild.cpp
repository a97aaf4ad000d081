#include "document/tree_rebuild.h"

#include "document/errors.h"
#include "document/text.h"

namespace velmora {

LevelPlan PlanItemLevels(TItemArray& items, const std::vector<int>& lineNumbers, const std::string& path) {
  std::vector<int> levels;
  levels.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    try {
      levels.push_back(StrictToInt(items[i][ILevel]));
    } catch (const NumberError&) {
      throw NumberError(items[i][ILevel], path + ", line " + std::to_string(lineNumbers[i]) + ": item level");
    }
  }
  LevelPlan plan = PlanParentsFromLevels(levels);
  for (size_t i = 0; i < items.size(); ++i) {
    if (plan.levels[i] != levels[i]) items[i][ILevel] = std::to_string(plan.levels[i]);
  }
  return plan;
}

void RebuildTree(DesignTree& tree, const TItemArray& items, const LevelPlan& plan) {
  tree.ClearToRoot(kRootCaption);
  for (size_t i = 0; i < items.size(); ++i) tree.AddLastChild(plan.parents[i] + 1, items[i][ICaption]);
}

}  // namespace velmora
