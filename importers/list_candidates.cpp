#include "importers/list_candidates.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "document/text.h"
#include "importers/gumbo_dom.h"
#include "importers/nav_lists.h"
#include "importers/web_text.h"

namespace velmora::web {

namespace {

enum class Landmark { None, Navigation, Banner, ContentInfo, Complementary, Main };

struct LandmarkName {
  GumboTag tag;
  std::string_view role;
  Landmark landmark;
};
constexpr LandmarkName kLandmarks[] = {
    {GUMBO_TAG_NAV, "navigation", Landmark::Navigation},
    {GUMBO_TAG_HEADER, "banner", Landmark::Banner},
    {GUMBO_TAG_FOOTER, "contentinfo", Landmark::ContentInfo},
    {GUMBO_TAG_ASIDE, "complementary", Landmark::Complementary},
    {GUMBO_TAG_MAIN, "main", Landmark::Main},
    {GUMBO_TAG_ARTICLE, "", Landmark::Main},
};

Landmark LandmarkOf(const GumboNode* node) {
  const std::string role = ToLowerAscii(TrimmedAttribute(node, "role"));
  for (const LandmarkName& name : kLandmarks) {
    if (!role.empty() && role == name.role) return name.landmark;
  }
  for (const LandmarkName& name : kLandmarks) {
    if (TagOf(node) == name.tag) return name.landmark;
  }
  return Landmark::None;
}

const GumboNode* Nearest(const GumboNode* node, Landmark wanted) {
  for (const GumboNode* up = node->parent; up; up = up->parent) {
    if (IsElement(up) && LandmarkOf(up) == wanted) return up;
  }
  return nullptr;
}

const GumboNode* NearestLandmark(const GumboNode* node) {
  for (const GumboNode* up = node->parent; up; up = up->parent) {
    if (IsElement(up) && LandmarkOf(up) != Landmark::None) return up;
  }
  return nullptr;
}

// An inline style that keeps the element from view.
bool StyleHides(const GumboNode* node) {
  const char* style = AttributeOf(node, "style");
  if (!style) return false;
  std::string compact;
  for (const char* c = style; *c; ++c) {
    if (!IsAsciiSpace(*c)) compact += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  }
  for (const std::string_view hides : {"display:none", "visibility:hidden"}) {
    for (size_t at = compact.find(hides); at != std::string::npos; at = compact.find(hides, at + 1)) {
      const size_t end = at + hides.size();
      const bool wholeWord = (at == 0 || compact[at - 1] == ';' || compact[at - 1] == '{') &&
                             (end == compact.size() || compact[end] == ';' || compact[end] == '!');
      if (wholeWord) return true;
    }
  }
  return false;
}

// Whether a visitor does not see the element: the hidden attribute, a
// template, an inline style hiding it, or hidden from assistive technology.
bool HidesItself(const GumboNode* node) {
  if (node->type == GUMBO_NODE_TEMPLATE || TagOf(node) == GUMBO_TAG_TEMPLATE) return true;
  if (AttributeOf(node, "hidden")) return true;
  if (ToLowerAscii(TrimmedAttribute(node, "aria-hidden")) == "true") return true;
  return StyleHides(node);
}

bool IsHiddenFromVisitors(const GumboNode* list) {
  for (const GumboNode* up = list; up && IsElement(up); up = up->parent) {
    if (HidesItself(up)) return true;
  }
  return false;
}

// Script, style and no-script content never holds a menu.
bool NeverShown(const GumboNode* node) {
  switch (TagOf(node)) {
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_NOSCRIPT:
      return true;
    default:
      return false;
  }
}

int VisibleLinks(const GumboNode* list) {
  int links = 0;
  WalkBelow(list, [&](const GumboNode* inner) {
    if (!IsElement(inner) || IsUnseen(inner)) return Step::Skip;
    if (TagOf(inner) == GUMBO_TAG_A && AttributeOf(inner, "href")) ++links;
    return Step::Enter;
  });
  return links;
}

// "<tag id="..." class="..." aria-label="...">": what tells an element apart.
std::string DescribeElement(const GumboNode* node) {
  std::string text = "<";
  text += gumbo_normalized_tagname(TagOf(node));
  if (TagOf(node) == GUMBO_TAG_UNKNOWN && node->v.element.original_tag.data) {
    GumboStringPiece name = node->v.element.original_tag;
    gumbo_tag_from_original_text(&name);
    text += ToLowerAscii(std::string_view(name.data, name.length));
  }
  for (const char* name : {"id", "class", "role", "aria-label"}) {
    const std::string value = CollapseWhiteSpace(TrimmedAttribute(node, name));
    if (!value.empty()) text += " " + std::string(name) + "=\"" + ForMessage(value) + "\"";
  }
  return text + ">";
}

// Where the page has the lists: "<ul class="menu"> in <nav id="site">",
// with the nearest id above when neither shows one.
std::string DescribeLists(const std::vector<const GumboNode*>& lists) {
  std::string text = DescribeElement(lists.front());
  if (lists.size() == 2) text += " and " + DescribeElement(lists[1]);
  if (lists.size() > 2) text += " and " + std::to_string(lists.size() - 1) + " more lists";
  const GumboNode* landmark = NearestLandmark(lists.front());
  if (landmark) text += " in " + DescribeElement(landmark);
  if (AttributeOf(lists.front(), "id") || (landmark && AttributeOf(landmark, "id"))) return text;
  for (const GumboNode* up = lists.front()->parent; up && IsElement(up); up = up->parent) {
    if (const std::string id = TrimmedAttribute(up, "id"); !id.empty())
      return text + " under #" + ForMessage(id);
  }
  return text;
}

// Words that name a list of some other purpose than the site's navigation.
constexpr std::string_view kSideListWords[] = {
    "breadcrumb", "breadcrumbs", "crumbs",          "pagination", "pager",    "paging", "lang",
    "language",   "languages",   "locale",          "account",    "user",     "login",  "signin",
    "related",    "relations",   "social",          "share",      "sharing",  "tabs",   "tab",
    "tablist",    "skip",        "utility",         "archive",    "archives", "tag",    "tags",
    "tagcloud",   "toc",         "tableofcontents",
};

// Words that name a site's main menu.
constexpr std::string_view kMainMenuWords[] = {
    "navbar",  "menubar", "menu",      "mainmenu", "mainnav",
    "primary", "topnav",  "globalnav", "sitenav",  "megamenu",
};

// Words that name an element as navigation, as pages older than <nav> do
// (<div id="nav">); a navigation landmark says no more by them.
constexpr std::string_view kNavigationWords[] = {"nav", "navigation"};

template <size_t N>
bool NamesOneOf(std::string_view text, const std::string_view (&words)[N]) {
  const std::string lower = ToLowerAscii(text);
  std::string word;
  for (size_t i = 0; i <= lower.size(); ++i) {
    const char c = i < lower.size() ? lower[i] : ' ';
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      word += c;
      continue;
    }
    if (std::find(std::begin(words), std::end(words), word) != std::end(words)) return true;
    word.clear();
  }
  return false;
}

// Whether the list, or what holds it up to its landmark (at most four
// elements up), is named (id, class, role, aria-label) with one of `words`.
template <size_t N>
bool NamedAs(const GumboNode* list, const std::string_view (&words)[N]) {
  int above = 0;
  for (const GumboNode* node = list; node && IsElement(node) && above <= 4; node = node->parent, ++above) {
    if (TagOf(node) == GUMBO_TAG_BODY || TagOf(node) == GUMBO_TAG_HTML) break;
    for (const char* name : {"id", "class", "role", "aria-label"}) {
      if (const char* value = AttributeOf(node, name); value && NamesOneOf(value, words)) return true;
    }
    if (node != list && LandmarkOf(node) != Landmark::None) break;
  }
  return false;
}

// An aria-label calling the element the main navigation ("Main",
// "main navigation"); class names say "main" of too many things to count.
bool LabelledMain(const GumboNode* node) {
  constexpr std::string_view kMain[] = {"main"};
  const char* label = AttributeOf(node, "aria-label");
  return label && NamesOneOf(label, kMain);
}

// A short list with a way to sign out is the visitor's account menu.
bool OffersSigningOut(const WebMenuList& menu) {
  constexpr size_t kLongest = 12;
  if (menu.items.size() > kLongest) return false;
  for (const WebMenuItem& item : menu.items) {
    std::string caption;
    for (const char c : ToLowerAscii(item.caption)) {
      if (c != ' ' && c != '-') caption += c;
    }
    for (const std::string_view words : {"logout", "signout", "logoff", "signoff"}) {
      if (caption.find(words) != std::string::npos) return true;
    }
  }
  return false;
}

// Lists whose links mostly lead to the page in other languages (hreflang,
// or lang on the link): a language switcher, however it is named.
bool LeadsToOtherLanguages(const std::vector<const GumboNode*>& lists) {
  int links = 0, languages = 0;
  for (const GumboNode* list : lists) {
    WalkBelow(list, [&](const GumboNode* node) {
      if (!IsElement(node) || IsUnseen(node)) return Step::Skip;
      if (TagOf(node) == GUMBO_TAG_A && AttributeOf(node, "href")) {
        ++links;
        if (AttributeOf(node, "hreflang") || AttributeOf(node, "lang")) ++languages;
      }
      return Step::Enter;
    });
  }
  return links >= 2 && 2 * languages > links;
}

struct Group {
  const GumboNode* navigation;  // the landmark joining the lists; nullptr for a lone list
  std::vector<const GumboNode*> lists;
  bool hidden = false;
  bool sideList = false;  // named as a breadcrumb, language, skip ... list
  int links = 0;
  size_t position = 0;  // elements before the first list
};

// How much the menu looks like the site's main navigation; `position` is
// where it starts, from 0 (page start) to 1 (page end); `pageMarksNavigation`
// whether the page has a navigation landmark anywhere.
double Score(const WebMenuList& menu, const Group& group, double position, bool pageMarksNavigation) {
  int linked = 0, fragments = 0;
  size_t captionBytes = 0;
  int depth = 0;
  for (const WebMenuItem& item : menu.items) {
    if (!item.link.empty()) ++linked;
    if (item.link.starts_with('#')) ++fragments;
    captionBytes += item.caption.size();
    depth = std::max(depth, item.level + 1);
  }
  const GumboNode* first = group.lists.front();
  double score = 10 * std::log2(1.0 + linked);
  const bool namedMain = NamedAs(first, kMainMenuWords) ||
                         (group.navigation && NamedAs(group.navigation, kMainMenuWords)) ||
                         LabelledMain(first) || (group.navigation && LabelledMain(group.navigation));
  const bool namedNavigation = !group.navigation && NamedAs(first, kNavigationWords);
  // A page without landmarks marks its navigation by name alone.
  if (group.navigation || (!pageMarksNavigation && (namedMain || namedNavigation) && !NearestLandmark(first)))
    score += 20;
  if (Nearest(first, Landmark::Banner)) score += 8;
  if (depth >= 2) score += 5;
  if (Nearest(first, Landmark::ContentInfo)) score -= 25;
  if (Nearest(first, Landmark::Complementary)) score -= 15;
  if (Nearest(first, Landmark::Main)) score -= 15;
  if (group.sideList || (group.navigation && NamedAs(group.navigation, kSideListWords)) ||
      OffersSigningOut(menu) || LeadsToOtherLanguages(group.lists))
    score -= 25;
  if (namedMain || namedNavigation) score += 10;
  if (!menu.items.empty() && captionBytes / menu.items.size() > 40) score -= 15;  // prose, not captions
  if (linked > 0 && fragments == linked) score -= 10;                             // tabs of one page
  return score - 5 * position;
}

std::vector<Group> GroupLists(const GumboNode* root, LinksNeeded needed, size_t& elements) {
  std::vector<Group> groups;
  // The lists of one landmark join one group: found by key, as a page may
  // hold many thousands of lists.
  std::map<std::tuple<const GumboNode*, bool, bool>, size_t> groupOf;
  elements = 0;
  WalkBelow(root, [&](const GumboNode* node) {
    if (!IsElement(node) || NeverShown(node)) return Step::Skip;
    ++elements;
    if (!IsList(node)) return Step::Enter;
    const GumboNode* navigation =
        LandmarkOf(node) == Landmark::Navigation ? node : Nearest(node, Landmark::Navigation);
    // A hidden list beside visible ones (a copy for small screens), or one
    // named for another purpose (skip links, languages), stays a menu of its
    // own.
    const bool hidden = IsHiddenFromVisitors(node);
    const bool sideList = NamedAs(node, kSideListWords);
    size_t joined = groups.size();
    if (navigation) joined = groupOf.try_emplace({navigation, hidden, sideList}, groups.size()).first->second;
    if (joined == groups.size()) groups.push_back(Group{navigation, {}, hidden, sideList, 0, elements});
    groups[joined].lists.push_back(node);
    groups[joined].links += VisibleLinks(node);
    return Step::Skip;
  });
  std::erase_if(groups, [&](const Group& g) {
    return needed == LinksNeeded::AsOffered && g.links < (g.navigation ? 1 : 2);
  });
  return groups;
}

WebMenuList ReadGroup(const Group& group) {
  WebMenuList menu = ReadLists(group.lists);
  menu.where = DescribeLists(group.lists);
  menu.inNav = group.navigation != nullptr;
  menu.hidden = group.hidden;
  return menu;
}

}  // namespace

std::vector<WebMenuList> FindCandidates(const GumboNode* root, LinksNeeded needed) {
  size_t elements = 0;
  const std::vector<Group> groups = GroupLists(root, needed, elements);
  const bool pageMarksNavigation =
      std::any_of(groups.begin(), groups.end(), [](const Group& group) { return group.navigation; });
  std::vector<WebMenuList> candidates;
  for (const Group& group : groups) {
    WebMenuList menu = ReadGroup(group);
    if (menu.items.empty()) continue;
    menu.score = Score(menu, group, elements ? static_cast<double>(group.position) / elements : 0,
                       pageMarksNavigation);
    candidates.push_back(std::move(menu));
  }
  return candidates;
}

WebMenuList CandidateAt(const GumboNode* element) {
  if (IsList(element)) {
    return ReadGroup(
        Group{Nearest(element, Landmark::Navigation), {element}, IsHiddenFromVisitors(element), false, 0, 0});
  }
  size_t elements = 0;
  if (LandmarkOf(element) == Landmark::Navigation) {
    Group all{element, {}, IsHiddenFromVisitors(element), false, 0, 0};
    for (const Group& group : GroupLists(element, LinksNeeded::Any, elements))
      all.lists.insert(all.lists.end(), group.lists.begin(), group.lists.end());
    if (!all.lists.empty()) return ReadGroup(all);
    return {};
  }
  for (const Group& group : GroupLists(element, LinksNeeded::Any, elements)) {
    WebMenuList menu = ReadGroup(group);
    if (!menu.items.empty()) return menu;
  }
  return {};
}

}  // namespace velmora::web
