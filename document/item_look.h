#pragma once

// A new item that looks like its neighbours: the fields that make up an
// item's look, and the item a new one takes them from.

#include "document/applet_agent.h"
#include "document/design_tree.h"

namespace velmora {

// Gives `to` the look of `from`: every state's fonts, borders, cursor,
// colours and backgrounds, the size, paddings, alignment, wrapping and the
// submenu's placement. What the item says and does (caption, link, target,
// status text, tool tip, icons and images, disabled state) stays as `to`
// has it.
void CopyLook(const TItemData& from, TItemData& to);

// The node whose look a new last child of `parentNode` takes: the child it
// follows, else the parent itself when that is an item; -1 (the default
// look) for the first item under the root.
int LookDonor(const DesignTree& tree, int parentNode);

// The record of a new last child of `parentNode`: the default item at that
// depth, with its donor's look when `copyLook`.
TItemData NewChildItem(const TvornAppletAgent& doc, const DesignTree& tree, int parentNode, bool copyLook);

}  // namespace velmora
