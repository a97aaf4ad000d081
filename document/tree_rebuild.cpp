#include "document/tree_rebuild.h"

#include "document/errors.h"
#include "document/text.h"

namespace velmora {

LevelPlan PlanItemLevels(TItemArray& items, const ReadItemOutline& outline, const std::string& path) {
  std::vector<int> levels;
  levels.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    try {
      levels.push_back(StrictToInt(outline.levels[i]));
    } catch (const NumberError&) {
      throw NumberError(
          std::string(outline.levels[i]),
          path + ", line " + std::to_string(outline.firstLine + static_cast<int>(i)) + ": item level");
    }
  }
  LevelPlan plan = PlanParentsFromLevels(levels);
  for (size_t i = 0; i < items.size(); ++i) {
    if (plan.levels[i] != levels[i]) items[i][ILevel] = std::to_string(plan.levels[i]);
  }
  return plan;
}

void RebuildTree(DesignTree& tree, const std::vector<std::string_view>& captions, const LevelPlan& plan) {
  tree.ClearToRoot(kRootCaption);
  tree.AddItemNodes(captions, plan.parents);
}

}  // namespace velmora
