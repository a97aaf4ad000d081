#include "importers/web_menu_import.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "document/text.h"
#include "document/tree_rebuild.h"
#include "document/unicode.h"

namespace velmora {

namespace {

// The item fields a page gives, beside its level.
struct CarriedField {
  ItemField field;
  std::string WebMenuItem::*text;
};
constexpr CarriedField kCarried[] = {{ICaption, &WebMenuItem::caption},
                                     {ILink, &WebMenuItem::link},
                                     {ITarget, &WebMenuItem::target},
                                     {IToolTip, &WebMenuItem::toolTip}};

// Fields that belong to an item itself rather than to its look: its texts
// and link, its place, the class names the generator gives, and images,
// which live beside the look's own design.
bool IsOwnField(int field) {
  switch (field) {
    case ICaption:
    case ILink:
    case ITarget:
    case IStatusBarMsg:
    case IToolTip:
    case IParentIndex:
    case DisableItem:
    case IClassNormal:
    case IClassOver:
    case IClassClicked:
    case ILevel:
      return true;
    default:
      return std::find(kImageFields.begin(), kImageFields.end(), field) != kImageFields.end();
  }
}

// The menu-wide settings that name the menu or the program's folder.
bool IsOwnMenuField(int field) {
  return field == pMenuName || field == pMenuCfgName || field == pMenuDivName ||
         field == pInternalUse_RootDir_Local;
}

int Number(std::string_view text, int otherwise) {
  return IsDecimalInteger(text) ? StrictToInt(text) : otherwise;
}

// About how wide a caption is drawn: the widest state's font size times
// 0.62 per character (the average advance of the common sans-serif fonts),
// plus the item's padding.
int WidthForCaption(const TItemData& item) {
  const std::string_view caption = item[ICaption];
  const size_t characters = static_cast<size_t>(
      std::count_if(caption.begin(), caption.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  int fontSize = 0;
  for (const int start : kStateBlockStart)
    fontSize = std::max(fontSize, Number(item[static_cast<ItemField>(start + kFontSize)], 12));
  const int padding = Number(item[IPaddingLeft], 0) + Number(item[IPaddingRight], 0);
  return static_cast<int>(std::ceil(static_cast<double>(characters) * fontSize * 0.62)) + padding + 4;
}

// Gives every item the look of its level, then the items of one submenu
// (or of the bar, when it is vertical) one width: the look's, or what the
// widest caption needs.
void ApplyLook(const TvornAppletAgent& look, TItemArray& items) {
  const TItemData* top = nullptr;
  const TItemData* sub = nullptr;
  for (const TItemData& item : look.Items) {
    if (!top && item[ILevel] == "0") top = &item;
    if (!sub && item[ILevel] != "0") sub = &item;
  }
  if (!top) return;
  if (!sub) sub = top;
  for (TItemData& item : items) {
    const TItemData& from = item[ILevel] == "0" ? *top : *sub;
    for (int field = 0; field < kItemFieldCount; ++field) {
      if (!IsOwnField(field)) item[static_cast<ItemField>(field)] = from[static_cast<ItemField>(field)];
    }
  }
  // Siblings share their parent: the nearest item before them one level up.
  std::map<size_t, std::vector<size_t>> groups;  // by the parent's position + 1, 0 for the bar
  std::vector<size_t> lastAt;                    // per level, the position of its latest item
  for (size_t i = 0; i < items.size(); ++i) {
    const size_t level = static_cast<size_t>(Number(items[i][ILevel], 0));
    lastAt.resize(level + 1);
    lastAt[level] = i;
    groups[level == 0 ? 0 : lastAt[level - 1] + 1].push_back(i);
  }
  for (const auto& [parent, group] : groups) {
    int width = 0;
    for (const size_t i : group)
      width = std::max({width, Number(items[i][IWidth], 0), WidthForCaption(items[i])});
    const bool bar = items[group.front()][ILevel] == "0";
    for (const size_t i : group) {
      // Items of a horizontal bar keep their own widths.
      const int own = std::max(Number(items[i][IWidth], 0), WidthForCaption(items[i]));
      items[i][IWidth] = std::to_string(bar && look.AppletData[pMainMenuDirection] != "0" ? own : width);
    }
  }
}

}  // namespace

void ImportWebMenu(const WebMenuList& list, const std::string& sourceName, TvornAppletAgent& doc,
                   DesignTree& tree, const WebImportOptions& options) {
  if (!list.refusal.empty()) throw ImportError(sourceName + ": " + list.refusal + "; nothing was imported");
  StatusGuard guard(doc.Status(), "Loading Data ... ...");
  // A design of Western text stays a classic Windows-1252 design; any other
  // character makes it a UTF-8 design.
  TextEncoding encoding = TextEncoding::Windows1252;
  std::vector<std::string> texts;
  texts.reserve(list.items.size() * std::size(kCarried));
  for (const WebMenuItem& from : list.items) {
    for (const CarriedField& carried : kCarried) {
      std::string& text = texts.emplace_back();
      if (encoding == TextEncoding::Windows1252 && !Windows1252FromUtf8(from.*carried.text, text)) {
        encoding = TextEncoding::Utf8;
      }
    }
  }
  if (encoding == TextEncoding::Utf8) {
    for (size_t i = 0; i < list.items.size(); ++i) {
      for (size_t k = 0; k < std::size(kCarried); ++k) {
        texts[i * std::size(kCarried) + k] = list.items[i].*kCarried[k].text;
      }
    }
  }

  const TItemData defaults = TvornAppletAgent::MakeDefaultItem();
  TItemArray items;
  items.reserve(list.items.size());
  for (size_t i = 0; i < list.items.size(); ++i) {
    TItemData& item = items.emplace_back(defaults);
    item[ILevel] = std::to_string(list.items[i].level);
    for (size_t k = 0; k < std::size(kCarried); ++k) {
      item[kCarried[k].field] = texts[i * std::size(kCarried) + k];
    }
  }
  if (options.look) ApplyLook(*options.look, items);
  ReadItemOutline outline;
  for (const TItemData& item : items) outline.levels.push_back(item[ILevel]);
  const LevelPlan plan = PlanItemLevels(items, outline, sourceName);
  for (const TItemData& item : items) outline.captions.push_back(item[ICaption]);

  PageSettings page = options.look ? PageSettingsOf(*options.look) : PageSettings{};
  if (options.pageStyle) page.style = *options.pageStyle;
  // Pages often write a locale ("de_DE") where a language tag belongs.
  std::string language = options.language;
  std::replace(language.begin(), language.end(), '_', '-');
  if (page.style == PageStyle::Html5 && IsLanguageTag(language)) page.language = language;

  doc.ResetDocument();
  if (options.look) {
    for (int field = 0; field < kAppletFieldCount; ++field) {
      if (!IsOwnMenuField(field))
        doc.AppletData[static_cast<AppletField>(field)] =
            options.look->AppletData[static_cast<AppletField>(field)];
    }
  }
  StorePageSettings(doc, page);
  doc.Encoding = encoding;
  doc.Items = std::move(items);
  RebuildTree(tree, outline.captions, plan);
  doc.TellReset();
}

}  // namespace velmora
