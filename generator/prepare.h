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
// case, left to right, without rescanning replaced text. Letters fold as
// the texts' encoding has them: Windows-1252 letters in a classic design,
// Unicode letters in a UTF-8 one.
std::string ReplaceAllIgnoringCase(std::string_view text, std::string_view from, std::string_view to,
                                   TextEncoding encoding = TextEncoding::Windows1252);

}  // namespace velmora
