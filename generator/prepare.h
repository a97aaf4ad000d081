#pragma once

// Completes the document from the design tree before generation: levels,
// parent indexes, the reserved field and the link path replacement.

#include <string>
#include <string_view>

#include "document/applet_agent.h"
#include "document/design_tree.h"

namespace velmora {

void PrepareItems(TvornAppletAgent& doc, const DesignTree& tree);

// Replaces every occurrence of `from` in `text` by `to`, ignoring letter
// case, left to right, without rescanning replaced text.
std::string ReplaceAllIgnoringCase(std::string_view text, std::string_view from, std::string_view to);

}  // namespace velmora
