#pragma once

// Synthetic designs for the benchmarks: a menu of `items` items nested up to
// three levels, with about `styles` distinct item-state styles.

#include "document/applet_agent.h"
#include "document/design_tree.h"

namespace velmora::bench {

void MakeSyntheticDesign(TvornAppletAgent& doc, ItemTree& tree, int items, int styles);

}  // namespace velmora::bench
