#include "synthetic_design.h"

#include <string>

namespace velmora::bench {

void MakeSyntheticDesign(TvornAppletAgent& doc, ItemTree& tree, int items, int styles) {
  doc.ResetDocument();
  tree.ClearToRoot(kRootCaption);
  std::vector<int> levels;
  levels.reserve(static_cast<size_t>(items));
  for (int i = 0; i < items; ++i) levels.push_back(i % 10 == 0 ? 0 : (i % 10 < 4 ? 1 : 2));
  const LevelPlan plan = PlanParentsFromLevels(levels);
  doc.Items.reserve(static_cast<size_t>(items));
  // Each item's three states draw from `styles` distinct blocks.
  const int perState = styles / 3 > 0 ? styles / 3 : 1;
  for (int i = 0; i < items; ++i) {
    TItemData item = TvornAppletAgent::MakeDefaultItem();
    item[ICaption] = "Item " + std::to_string(i);
    item[ILink] = "page" + std::to_string(i) + ".html";
    item[IToolTip] = "Go to page " + std::to_string(i);
    item[ILevel] = std::to_string(levels[static_cast<size_t>(i)]);
    item[IFontSizeNormal] = std::to_string(8 + i % perState);
    item[IFontSizeOver] = std::to_string(100 + i % perState);
    item[IFontSizeClicked] = std::to_string(200 + i % perState);
    doc.Items.push_back(std::move(item));
    tree.AddLastChild(plan.parents[static_cast<size_t>(i)] + 1, doc.Items.back()[ICaption]);
  }
}

}  // namespace velmora::bench
