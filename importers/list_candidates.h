#pragma once

// The lists of a page that can become a menu, each scored by how much it
// looks like the site's main navigation, the list a person would take.

#include <gumbo.h>

#include <vector>

#include "importers/web_menu.h"

namespace velmora::web {

// How many links a list needs to be offered: within a navigation landmark
// one, elsewhere two (fewer is prose with a link, not a menu); or any list.
enum class LinksNeeded { AsOffered, Any };

// Every list below `root` not inside another list, holding the links
// `needed` asks, the lists of one navigation landmark (<nav>,
// role="navigation") joined as one menu in document order. In document
// order, each scored, marked hidden where a visitor does not see it;
// lists that give no item are left out.
std::vector<WebMenuList> FindCandidates(const GumboNode* root, LinksNeeded needed = LinksNeeded::AsOffered);

// The menu an element gives: a list itself, the lists of a navigation
// landmark joined, else the first list (or landmark's lists) inside it.
// No items when it holds no list.
WebMenuList CandidateAt(const GumboNode* element);

}  // namespace velmora::web
