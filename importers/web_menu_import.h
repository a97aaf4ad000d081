#pragma once

// Makes a new design from a list of links found on a web page.

#include <string>

#include "document/applet_agent.h"
#include "importers/web_menu.h"

namespace velmora {

// Replaces the document by the list's items, as a structure import does:
// the menu-wide settings and every field the page does not give take their
// defaults; the item nodes are added to the tree. The design is Windows-1252
// when all its text fits the code page, else UTF-8. ImportError when the
// list is refused; the document and the tree are then untouched.
// `sourceName` names the page in messages.
void ImportWebMenu(const WebMenuList& list, const std::string& sourceName, TvornAppletAgent& doc,
                   DesignTree& tree);

}  // namespace velmora
