#pragma once

// The texts of a design as the window shows it right now, for the live
// preview: the pages' values stand in for the records they edit, and the
// document itself is left exactly as it is (a scratch copy is generated).

#include <array>
#include <string>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "generator/generate.h"

namespace velmora {

// Values not yet stored into the document: the menu-wide record and, when
// `itemIndex` >= 0, that item's record.
struct UnstoredValues {
  const TAppletData* menu = nullptr;
  int itemIndex = -1;
  const TItemData* item = nullptr;
};

struct ShownTexts {
  MenuTexts texts;
  std::array<std::string, 3> runtimeFiles;  // the names the page loads
  int shownItems = 0;  // the first items in tree order; a pre-order prefix is a whole tree
  int totalItems = 0;
};

// Generates the texts of the first `maxItems` items (all when negative)
// with `unstored` applied. Raises what the generators raise.
ShownTexts GenerateShownTexts(const TvornAppletAgent& doc, const DesignTree& tree,
                              const std::string& menuBaseName, const UnstoredValues& unstored, int maxItems);

}  // namespace velmora
