#pragma once

// Makes a new design from a list of links found on a web page.

#include <optional>
#include <string>

#include "document/applet_agent.h"
#include "generator/page_style.h"
#include "importers/web_menu.h"

namespace velmora {

struct WebImportOptions {
  // A design whose look the import takes (a template): its menu-wide
  // settings, its first top-level item's look for the top level and its
  // first submenu item's for the submenus, its page style. Without one
  // every value takes its default.
  const TvornAppletAgent* look = nullptr;
  std::optional<PageStyle> pageStyle;  // instead of the look's
  // The page's language, stored as the design's when its page style is
  // HTML5 and it is a language tag.
  std::string language;
};

// Replaces the document by the list's items, as a structure import does:
// the fields the page does not give take the look's values (else their
// defaults), and the item nodes are added to the tree. Items in a look
// are made as wide as their captions need. The design is Windows-1252
// when all its text fits the code page, else UTF-8. ImportError when the
// list is refused; the document and the tree are then untouched.
// `sourceName` names the page in messages.
void ImportWebMenu(const WebMenuList& list, const std::string& sourceName, TvornAppletAgent& doc,
                   DesignTree& tree, const WebImportOptions& options = {});

}  // namespace velmora
