#pragma once

// Small helpers over the parser's document tree, for the importer's own
// units only (the parser's header stays out of the public headers).

#include <gumbo.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "importers/web_text.h"

namespace velmora::web {

inline bool IsElement(const GumboNode* node) {
  return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE;
}

inline GumboTag TagOf(const GumboNode* node) {
  return IsElement(node) ? node->v.element.tag : GUMBO_TAG_UNKNOWN;
}

// The value of an attribute; nullptr when the element lacks it.
inline const char* AttributeOf(const GumboNode* node, const char* name) {
  if (!IsElement(node)) return nullptr;
  const GumboAttribute* attribute = gumbo_get_attribute(&node->v.element.attributes, name);
  return attribute ? attribute->value : nullptr;
}

// The value of an attribute without white space around it; empty when the
// element lacks it.
inline std::string TrimmedAttribute(const GumboNode* node, const char* name) {
  const char* value = AttributeOf(node, name);
  return value ? std::string(TrimAscii(value)) : std::string();
}

inline bool IsList(const GumboNode* node) {
  const GumboTag tag = TagOf(node);
  return tag == GUMBO_TAG_UL || tag == GUMBO_TAG_OL || tag == GUMBO_TAG_MENU;
}

inline bool IsHeading(const GumboNode* node) {
  switch (TagOf(node)) {
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
      return true;
    default: {
      const char* role = AttributeOf(node, "role");
      return role && std::string_view(role) == "heading";
    }
  }
}

// Content no script makes visible: scripts, styles, templates and the
// fallback of pages without scripts. Comments are not elements and carry
// no text, so walks pass over them anyway.
inline bool IsNeverShown(const GumboNode* node) {
  if (node->type == GUMBO_NODE_TEMPLATE) return true;
  if (node->type != GUMBO_NODE_ELEMENT) return false;
  switch (node->v.element.tag) {
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_NOSCRIPT:
      return true;
    default:
      return false;
  }
}

// Content a visitor never sees: hidden elements and what is never shown.
inline bool IsUnseen(const GumboNode* node) {
  return IsNeverShown(node) || (node->type == GUMBO_NODE_ELEMENT && AttributeOf(node, "hidden") != nullptr);
}

// The title and description of an SVG picture: labels, not text on view.
inline bool IsGraphicLabel(const GumboNode* node) {
  return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag_namespace == GUMBO_NAMESPACE_SVG &&
         (node->v.element.tag == GUMBO_TAG_TITLE || node->v.element.tag == GUMBO_TAG_DESC);
}

// Whether the element's class attribute names `name`.
inline bool HasClass(const GumboNode* node, std::string_view name) {
  const char* classes = AttributeOf(node, "class");
  if (!classes) return false;
  const std::string_view all(classes);
  for (size_t at = 0; at < all.size();) {
    const size_t end = std::min(all.find_first_of(" \t\n\r\f", at), all.size());
    if (all.substr(at, end - at) == name) return true;
    at = end + 1;
  }
  return false;
}

// Text kept for screen readers only, by the class names the common style
// sheets give it.
inline bool IsScreenReaderOnly(const GumboNode* node) {
  return HasClass(node, "sr-only") || HasClass(node, "visually-hidden") ||
         HasClass(node, "screen-reader-text");
}

inline const GumboVector* ChildrenOf(const GumboNode* node) {
  if (node->type == GUMBO_NODE_DOCUMENT) return &node->v.document.children;
  if (IsElement(node)) return &node->v.element.children;
  return nullptr;
}

enum class Step { Enter, Skip, Stop };

// Visits the nodes below `root` in document order without recursion (pages
// may nest deeply). `visit` returns Enter to go into a node's children,
// Skip to pass them by, Stop to end the walk; `leave` is called once the
// children of an entered element have been visited.
template <typename Visit, typename Leave>
void WalkBelow(const GumboNode* root, Visit&& visit, Leave&& leave) {
  struct Frame {
    const GumboNode* parent;
    unsigned next;
  };
  std::vector<Frame> stack;
  if (ChildrenOf(root)) stack.push_back({root, 0});
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const GumboVector* children = ChildrenOf(frame.parent);
    if (frame.next >= children->length) {
      const GumboNode* done = frame.parent;
      stack.pop_back();
      if (!stack.empty()) leave(done);
      continue;
    }
    const auto* node = static_cast<const GumboNode*>(children->data[frame.next++]);
    const Step step = visit(node);
    if (step == Step::Stop) return;
    if (step == Step::Enter && ChildrenOf(node)) stack.push_back({node, 0});
  }
}

template <typename Visit>
void WalkBelow(const GumboNode* root, Visit&& visit) {
  WalkBelow(root, std::forward<Visit>(visit), [](const GumboNode*) {});
}

}  // namespace velmora::web
