// The live preview's texts: the window's unstored values applied to a
// scratch copy, the document left alone, long designs cut to a whole tree.

#include <gtest/gtest.h>

#include "generator/page_style.h"
#include "generator/shown_texts.h"
#include "test_support.h"

namespace velmora {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

TEST(ShownTexts, AppliesUnstoredValuesWithoutTouchingTheDocument) {
  TvornAppletAgent doc;
  ItemTree tree;
  test::BuildDesign(doc, tree, {0, 1, 1, 0});
  std::vector<std::string> before;
  for (const auto& item : doc.Items) before.emplace_back(item.Line());
  const std::string menuBefore(doc.AppletData.Line());

  TAppletData menu = doc.AppletData;
  menu[pMainMenuItemGap] = "7";
  TItemData item = doc.GetItem(2);
  item[ICaption] = "Typed";
  const ShownTexts shown = GenerateShownTexts(doc, tree, "menu9", {&menu, 2, &item}, -1);

  EXPECT_EQ(shown.shownItems, 4);
  EXPECT_NE(shown.texts.script.find("CImenu9(['Typed',"), std::string::npos);
  EXPECT_NE(shown.texts.script.find("bbae('menu9',menu9cfg,'menu9div',1,7,"), std::string::npos);
  EXPECT_EQ(shown.runtimeFiles[1], "jsmenu01cfg.js");
  // Neither the pre-pass nor the class names reached the document.
  EXPECT_EQ(std::string(doc.AppletData.Line()), menuBefore);
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(std::string(doc.Items[i].Line()), before[i]);

  // With nothing unstored the texts are exactly what a generation makes,
  // in the design's own page style.
  StorePageSettings(doc, {PageStyle::Html5, "de"});
  const ShownTexts plain = GenerateShownTexts(doc, tree, "menu9", {}, -1);
  const MenuTexts generated = GenerateMenuTexts(doc, tree, "menu9");
  EXPECT_EQ(plain.texts.script, generated.script);
  EXPECT_EQ(plain.texts.stylesheet, generated.stylesheet);
  EXPECT_EQ(plain.texts.page, generated.page);
  EXPECT_NE(plain.texts.page.find("lang=\"de\""), std::string::npos);
}

TEST(ShownTexts, LongDesignsShowTheirFirstItemsAsAWholeTree) {
  TvornAppletAgent doc;
  ItemTree tree;
  test::BuildDesign(doc, tree, {0, 1, 2, 1, 0, 1});
  TItemData item = doc.GetItem(4);
  item[ICaption] = "Beyond the cut";
  const ShownTexts shown = GenerateShownTexts(doc, tree, "menu9", {nullptr, 4, &item}, 3);
  EXPECT_EQ(shown.shownItems, 3);
  EXPECT_EQ(shown.totalItems, 6);
  std::vector<std::string> calls;
  for (const auto& line : Lines(shown.texts.script)) {
    if (line.rfind("CImenu9([", 0) == 0) calls.push_back(line);
  }
  ASSERT_EQ(calls.size(), 3u);
  // Parents of the items shown: the root, item 0, item 1.
  EXPECT_NE(calls[0].find("',-1,1,"), std::string::npos);
  EXPECT_NE(calls[1].find("',0,1,"), std::string::npos);
  EXPECT_NE(calls[2].find("',1,1,"), std::string::npos);
  EXPECT_EQ(shown.texts.script.find("Beyond the cut"), std::string::npos);
}

}  // namespace
}  // namespace velmora
