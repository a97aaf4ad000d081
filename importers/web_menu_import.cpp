#include "importers/web_menu_import.h"

#include "document/tree_rebuild.h"
#include "importers/web_text.h"

namespace velmora {

namespace {

// The design's text is Windows-1252: a character the code page lacks is
// refused, never turned into a question mark.
std::string ToDesignText(const std::string& utf8, const WebMenuList& list, size_t index, const char* what,
                         const std::string& sourceName) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const char32_t code = web::NextCodePoint(utf8, at);
    const auto byte = web::ToWindows1252(code);
    if (!byte) {
      std::string shown;
      web::AppendUtf8(shown, code);
      throw ImportError(sourceName + ": " + DescribeItem(static_cast<int>(index), list.items[index].caption) +
                        ": the " + what + " holds \"" + shown + "\" (" + web::CodePointName(code) +
                        "), which a Windows-1252 design cannot hold; nothing was imported");
    }
    out += static_cast<char>(*byte);
  }
  return out;
}

}  // namespace

void ImportWebMenu(const WebMenuList& list, const std::string& sourceName, TvornAppletAgent& doc,
                   DesignTree& tree) {
  if (!list.refusal.empty()) throw ImportError(sourceName + ": " + list.refusal + "; nothing was imported");
  StatusGuard guard(doc.Status(), "Loading Data ... ...");
  const TItemData defaults = TvornAppletAgent::MakeDefaultItem();
  TItemArray items;
  items.reserve(list.items.size());
  for (size_t i = 0; i < list.items.size(); ++i) {
    const WebMenuItem& from = list.items[i];
    TItemData& item = items.emplace_back(defaults);
    item[ILevel] = std::to_string(from.level);
    item[ICaption] = ToDesignText(from.caption, list, i, "caption", sourceName);
    item[ILink] = ToDesignText(from.link, list, i, "link", sourceName);
    item[ITarget] = ToDesignText(from.target, list, i, "target", sourceName);
    item[IToolTip] = ToDesignText(from.toolTip, list, i, "tool tip", sourceName);
  }
  ReadItemOutline outline;
  for (const TItemData& item : items) outline.levels.push_back(item[ILevel]);
  const LevelPlan plan = PlanItemLevels(items, outline, sourceName);
  for (const TItemData& item : items) outline.captions.push_back(item[ICaption]);

  doc.ResetDocument();
  doc.Items = std::move(items);
  RebuildTree(tree, outline.captions, plan);
}

}  // namespace velmora
