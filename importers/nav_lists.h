#pragma once

// Turns the lists of a parsed page into menu items: each <li> one item,
// lists nested in an <li> its children, headed groups of a mega menu
// parents of their lists.

#include <gumbo.h>

#include <string>
#include <vector>

#include "importers/web_menu.h"

namespace velmora::web {

// A list not inside another list, with the links it holds.
struct TopLevelList {
  const GumboNode* node;
  bool inNav;
  int links;  // <a href> elements a visitor sees
};

// Every visible list not inside another list, in document order.
std::vector<TopLevelList> FindTopLevelLists(const GumboNode* root);

// The items of a list, with the faults mended and the limits checked.
WebMenuList ReadList(const GumboNode* list);

// The element with the given id; nullptr when none.
const GumboNode* FindElementById(const GumboNode* root, std::string_view id);
// The element itself when it is a list, else the first visible list in it.
const GumboNode* ListAtOrIn(const GumboNode* element);

// "<ul id="x" class="y"> in <nav id="z">" for the chooser.
std::string DescribeList(const GumboNode* list);

}  // namespace velmora::web
