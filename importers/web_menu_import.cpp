#include "importers/web_menu_import.h"

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

}  // namespace

void ImportWebMenu(const WebMenuList& list, const std::string& sourceName, TvornAppletAgent& doc,
                   DesignTree& tree) {
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
  ReadItemOutline outline;
  for (const TItemData& item : items) outline.levels.push_back(item[ILevel]);
  const LevelPlan plan = PlanItemLevels(items, outline, sourceName);
  for (const TItemData& item : items) outline.captions.push_back(item[ICaption]);

  doc.ResetDocument();
  doc.Encoding = encoding;
  doc.Items = std::move(items);
  RebuildTree(tree, outline.captions, plan);
}

}  // namespace velmora
