#include "importers/nav_lists.h"

#include <algorithm>
#include <functional>

#include "document/applet_agent.h"
#include "document/text.h"
#include "importers/gumbo_dom.h"
#include "importers/web_text.h"

namespace velmora::web {

namespace {

// Elements that flow within a line: their text joins their neighbours'.
// Any other element starts and ends a block, which reads as a space.
bool IsInline(GumboTag tag) {
  static constexpr GumboTag kInline[] = {
      GUMBO_TAG_A,    GUMBO_TAG_ABBR,   GUMBO_TAG_B,     GUMBO_TAG_BDI,    GUMBO_TAG_BDO,  GUMBO_TAG_CITE,
      GUMBO_TAG_CODE, GUMBO_TAG_DATA,   GUMBO_TAG_DFN,   GUMBO_TAG_EM,     GUMBO_TAG_FONT, GUMBO_TAG_I,
      GUMBO_TAG_IMG,  GUMBO_TAG_KBD,    GUMBO_TAG_LABEL, GUMBO_TAG_MARK,   GUMBO_TAG_Q,    GUMBO_TAG_S,
      GUMBO_TAG_SAMP, GUMBO_TAG_SMALL,  GUMBO_TAG_SPAN,  GUMBO_TAG_STRONG, GUMBO_TAG_SUB,  GUMBO_TAG_SUP,
      GUMBO_TAG_TIME, GUMBO_TAG_U,      GUMBO_TAG_VAR,   GUMBO_TAG_WBR,    GUMBO_TAG_BIG,  GUMBO_TAG_TT,
      GUMBO_TAG_SVG,  GUMBO_TAG_UNKNOWN};
  return std::find(std::begin(kInline), std::end(kInline), tag) != std::end(kInline);
}

// The text a visitor reads in `root`, in document order. The walk ends at
// the first node `stopAt` accepts; <br> reads as a line break, an image
// as its alternative text. Text for screen readers only counts with
// `withScreenReaderText`.
std::string VisibleText(const GumboNode* root, const std::function<bool(const GumboNode*)>& stopAt = {},
                        bool withScreenReaderText = false) {
  std::string text;
  WalkBelow(
      root,
      [&](const GumboNode* node) {
        switch (node->type) {
          case GUMBO_NODE_TEXT:
          case GUMBO_NODE_CDATA:
          case GUMBO_NODE_WHITESPACE:
            text += node->v.text.text;
            return Step::Skip;
          case GUMBO_NODE_ELEMENT:
            break;
          default:
            return Step::Skip;
        }
        if (IsUnseen(node) || (!withScreenReaderText && IsScreenReaderOnly(node)) || IsGraphicLabel(node))
          return Step::Skip;
        if (stopAt && stopAt(node)) return Step::Stop;
        const GumboTag tag = TagOf(node);
        if (tag == GUMBO_TAG_BR) {
          text += kLineBreakMark;
        } else if (tag == GUMBO_TAG_IMG) {
          if (const char* alt = AttributeOf(node, "alt")) text += alt;
        } else if (!IsInline(tag)) {
          text += ' ';
        }
        return Step::Enter;
      },
      [&](const GumboNode* node) {
        if (!IsInline(TagOf(node))) text += ' ';
      });
  return CollapseWhiteSpace(text);
}

// Whether a link would run code or carry inline content rather than lead
// to a page. Browsers ignore tabs and line breaks inside the scheme.
bool IsScriptLink(std::string_view link) {
  std::string scheme;
  for (char c : link) {
    if (c == '\t' || c == '\n' || c == '\r') continue;
    if (scheme.empty() && static_cast<unsigned char>(c) <= ' ') continue;
    if (c == ':') break;
    scheme += c;
    if (scheme.size() > 10) return false;
  }
  const std::string lower = ToLowerAscii(scheme);
  return lower == "javascript" || lower == "vbscript" || lower == "data";
}

// The label a picture inside `root` carries for those who cannot see it:
// the first aria-label or title of an element inside, an SVG's <title>,
// an image's title; empty when none.
std::string PictureLabel(const GumboNode* root, const std::function<bool(const GumboNode*)>& skip = {}) {
  std::string label;
  WalkBelow(root, [&](const GumboNode* node) {
    if (!IsElement(node) || IsUnseen(node) || (skip && skip(node))) return Step::Skip;
    for (const char* name : {"aria-label", "title"}) {
      if (label.empty()) label = CollapseWhiteSpace(TrimmedAttribute(node, name));
    }
    if (label.empty() && IsGraphicLabel(node) && TagOf(node) == GUMBO_TAG_TITLE) label = VisibleText(node);
    return label.empty() ? Step::Enter : Step::Stop;
  });
  return label;
}

std::string ReplaceAll(std::string value, std::string_view what) {
  for (size_t at = value.find(what); at != std::string::npos; at = value.find(what, at + 1)) {
    value.replace(at, what.size(), " ");
  }
  return value;
}

class ListReader {
 public:
  WebMenuList Read(const std::vector<const GumboNode*>& lists) {
    for (const GumboNode* list : lists) ReadItemsOf(list, 0);
    Mend();
    return std::move(result_);
  }

 private:
  enum class PartKind { List, Heading };
  struct Part {
    PartKind kind;
    const GumboNode* node;
  };

  bool Refused() const { return !result_.refusal.empty(); }

  WebMenuItem* Add(int level) {
    if (level >= kMostImportedLevels) {
      result_.refusal = "the list is nested deeper than " + std::to_string(kMostImportedLevels) +
                        " levels, more than a design can hold";
      return nullptr;
    }
    if (result_.items.size() >= static_cast<size_t>(kMostImportedItems)) {
      result_.refusal = "the list holds more than 100,000 items, more than a design can hold";
      return nullptr;
    }
    WebMenuItem& item = result_.items.emplace_back();
    item.level = level;
    return &item;
  }

  // The <li> elements of a list become items of `level`. A list placed
  // straight in a list, as some pages do, holds the children of the item
  // before it.
  void ReadItemsOf(const GumboNode* list, int level) {
    bool readOne = false;
    WalkBelow(list, [&](const GumboNode* node) {
      if (Refused()) return Step::Stop;
      if (!IsElement(node) || IsUnseen(node)) return Step::Skip;
      if (TagOf(node) == GUMBO_TAG_LI) {
        readOne = ReadListItem(node, level) || readOne;
        return Step::Skip;
      }
      if (IsList(node) && readOne) {
        ReadItemsOf(node, level + 1);
        return Step::Skip;
      }
      return Step::Enter;
    });
  }

  // One <li>: its item, then its children. False when it made no item (a
  // divider: no link, no text, nothing nested).
  bool ReadListItem(const GumboNode* li, int level) {
    const std::vector<Part> parts = PartsOf(li);
    // A heading followed by a list heads a group of a mega menu.
    std::vector<const GumboNode*> groupHeadings;
    for (size_t k = 0; k + 1 < parts.size(); ++k) {
      if (parts[k].kind == PartKind::Heading && parts[k + 1].kind == PartKind::List) {
        groupHeadings.push_back(parts[k].node);
      }
    }
    const auto isGroupHeading = [&](const GumboNode* node) {
      return std::find(groupHeadings.begin(), groupHeadings.end(), node) != groupHeadings.end();
    };
    const auto nestedPart = [&](const GumboNode* node) {
      return IsList(node) || HasClass(node, "dropdown-menu") || isGroupHeading(node);
    };

    const GumboNode* link = nullptr;
    WalkBelow(li, [&](const GumboNode* node) {
      if (!IsElement(node) || IsUnseen(node) || nestedPart(node)) return Step::Skip;
      if (TagOf(node) != GUMBO_TAG_A) return Step::Enter;
      link = node;
      return Step::Stop;
    });
    const bool hasList =
        std::any_of(parts.begin(), parts.end(), [](const Part& p) { return p.kind == PartKind::List; });

    WebMenuItem fields;
    if (link) {
      fields = FromLink(link);
    } else {
      fields.caption = VisibleText(li, nestedPart);
      if (fields.caption.empty()) fields.caption = PictureLabel(li, nestedPart);
      if (fields.caption.empty() && !hasList) return false;
    }
    WebMenuItem* item = Add(level);
    if (!item) return true;
    fields.level = level;
    *item = std::move(fields);

    int childLevel = level + 1;
    for (const Part& part : parts) {
      if (Refused()) break;
      if (part.kind == PartKind::List) {
        if (IsList(part.node)) {
          ReadItemsOf(part.node, childLevel);
        } else {
          ReadLinkPanel(part.node, childLevel);
        }
      } else if (isGroupHeading(part.node)) {
        WebMenuItem* group = Add(level + 1);
        if (!group) break;
        group->caption = VisibleText(part.node);
        childLevel = level + 2;
      }
    }
    return true;
  }

  // A dropdown panel of bare links (<div class="dropdown-menu"> holding
  // <a class="dropdown-item">): each link an item, each header an item
  // without a link.
  void ReadLinkPanel(const GumboNode* panel, int level) {
    WalkBelow(panel, [&](const GumboNode* node) {
      if (Refused()) return Step::Stop;
      if (!IsElement(node) || IsUnseen(node)) return Step::Skip;
      if (IsList(node)) {
        ReadItemsOf(node, level);
      } else if (TagOf(node) == GUMBO_TAG_A) {
        if (WebMenuItem* item = Add(level)) *item = FromLink(node), item->level = level;
      } else if (IsHeading(node) || HasClass(node, "dropdown-header")) {
        std::string caption = VisibleText(node);
        if (caption.empty()) return Step::Skip;
        if (WebMenuItem* item = Add(level)) item->caption = std::move(caption);
      } else {
        return Step::Enter;
      }
      return Step::Skip;
    });
  }

  static WebMenuItem FromLink(const GumboNode* link) {
    WebMenuItem fields;
    fields.caption = VisibleText(link);
    fields.link = TrimmedAttribute(link, "href");
    const std::string target = TrimmedAttribute(link, "target");
    if (!target.empty()) fields.target = target;
    fields.toolTip = TrimmedAttribute(link, "title");
    if (fields.caption.empty()) fields.caption = CollapseWhiteSpace(TrimmedAttribute(link, "aria-label"));
    if (fields.caption.empty()) fields.caption = CollapseWhiteSpace(fields.toolTip);
    if (fields.caption.empty()) fields.caption = PictureLabel(link);
    if (fields.caption.empty()) fields.caption = VisibleText(link, {}, true);
    return fields;
  }

  // The lists, dropdown panels and headings inside an <li>, in document
  // order (not those inside its nested lists). A hidden one is a submenu
  // closed until its entry opens it, as a disclosure menu's are.
  static std::vector<Part> PartsOf(const GumboNode* li) {
    std::vector<Part> parts;
    WalkBelow(li, [&](const GumboNode* node) {
      if (!IsElement(node) || IsNeverShown(node)) return Step::Skip;
      if (IsList(node) || HasClass(node, "dropdown-menu")) {
        parts.push_back({PartKind::List, node});
        return Step::Skip;
      }
      if (IsHeading(node)) {
        parts.push_back({PartKind::Heading, node});
        return Step::Skip;
      }
      return Step::Enter;
    });
    return parts;
  }

  // Makes every text storable and every link safe, telling what changed.
  void Mend() {
    for (size_t i = 0; i < result_.items.size(); ++i) {
      WebMenuItem& item = result_.items[i];
      if (item.caption.empty()) {
        item.caption = "Item";
        Warn(i, "has no caption; it is called \"Item\"");
      }
      if (item.caption.find("\xEF\xBF\xBD") != std::string::npos) {
        Warn(i, "the caption holds characters the page's encoding does not define (shown as \xEF\xBF\xBD)");
      }
      MendText(i, item.caption, "caption");
      if (IsScriptLink(item.link)) {
        Warn(i, "link \"" + ForMessage(item.link) + "\" runs a script or holds data; it was dropped");
        item.link.clear();
      }
      MendText(i, item.link, "link");
      MendText(i, item.target, "target");
      MendText(i, item.toolTip, "tool tip");
    }
  }

  void MendText(size_t index, std::string& value, const char* what) {
    if (value.find(kSeparator) != std::string::npos) {
      value = ReplaceAll(std::move(value), kSeparator);
      Warn(index, std::string("the ") + what + " held the separator \"#$@\"; it was replaced by a space");
    }
    if (value.find_first_of("\r\n") != std::string::npos) {
      value = ReplaceAll(ReplaceAll(ReplaceAll(std::move(value), "\r\n"), "\r"), "\n");
      Warn(index, std::string("the ") + what + " held a line break; it was replaced by a space");
    }
  }

  void Warn(size_t index, const std::string& problem) {
    result_.warnings.push_back(
        DescribeItem(static_cast<int>(index), EscapeControls(result_.items[index].caption)) + ": " + problem);
  }

  WebMenuList result_;
};

}  // namespace

WebMenuList ReadLists(const std::vector<const GumboNode*>& lists) {
  return ListReader().Read(lists);
}

}  // namespace velmora::web
