#pragma once

// Turns the lists of a parsed page into menu items: each <li> one item,
// lists nested in an <li> its children, headed groups of a mega menu
// parents of their lists.

#include <gumbo.h>

#include <string>
#include <vector>

#include "importers/web_menu.h"

namespace velmora::web {

// The items of lists read one after the other as one menu, with the
// faults mended and the limits checked.
WebMenuList ReadLists(const std::vector<const GumboNode*>& lists);

}  // namespace velmora::web
