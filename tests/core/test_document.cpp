// The document's records and item operations.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <tuple>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "document/errors.h"
#include "document/text.h"
#include "test_support.h"

namespace velmora {
namespace {

TItemData Named(const std::string& caption) {
  TItemData item = TvornAppletAgent::MakeDefaultItem();
  item[ICaption] = caption;
  return item;
}

std::vector<std::string> Captions(const TvornAppletAgent& doc) {
  std::vector<std::string> out;
  for (const auto& item : doc.Items) out.emplace_back(item[ICaption]);
  return out;
}

TEST(Document, CreationAndResetDefaults) {
  TvornAppletAgent doc;
  EXPECT_EQ(doc.ItemCount(), 0);
  EXPECT_EQ(doc.Separator, "#$@");
  EXPECT_EQ(doc.RuntimeFiles, (std::array<std::string, 3>{"jsmenu0.js", "jsmenu0cfg.js", "jsmenu0.css"}));
  EXPECT_EQ(doc.GetAppletData(), TAppletData{}) << "every menu-wide field starts empty";

  doc.PreviewFiles = {"a.gif"};
  doc.RuntimeFiles[1] = "x.js";
  doc.Items.push_back(Named("gone"));
  doc.ResetDocument();
  const TStringArray expected = {"Menu1", "Menu1Cfg", "Menu1_DIV", "1", "1", "0", "330", "2", "0",
                                 "1",     "200",      "220",       "2", "0", "1", "",    "",  "1"};
  EXPECT_EQ(TvornAppletAgent::AppletDataToStrings(doc.GetAppletData()), expected);
  EXPECT_EQ(doc.ItemCount(), 0);
  EXPECT_EQ(doc.PreviewFiles, std::vector<std::string>{"a.gif"}) << "reset keeps the preview list";
  EXPECT_EQ(doc.RuntimeFiles[1], "x.js") << "reset keeps the runtime names";
}

TEST(Document, DefaultItemHoldsEveryDefault) {
  const TStringArray s = TvornAppletAgent::ItemToStrings(TvornAppletAgent::MakeDefaultItem());
  ASSERT_EQ(s.size(), 109u);
  const std::vector<std::pair<int, std::string>> general = {
      {0, "Item Caption"}, {1, "0"},    {2, "0"},   {3, "4"},
      {4, "10"},           {5, "0"},    {6, "0"},   {8, "_self"},
      {12, "1"},           {13, "150"}, {14, "20"}, {23, "16"},
      {24, "16"},          {28, "16"},  {29, "16"}, {33, "16"},
      {34, "16"},          {35, "0"},   {36, "0"},  {37, "0"},
      {38, "0"},           {39, "1"}};
  std::vector<bool> checked(109, false);
  for (const auto& [k, v] : general) {
    EXPECT_EQ(s[static_cast<size_t>(k)], v) << "field " << k;
    checked[static_cast<size_t>(k)] = true;
  }
  const char* colours[3] = {"C0C0C0", "000000", "FF0000"};
  for (int state = 0; state < 3; ++state) {
    const int b = 47 + 20 * state;
    const std::vector<std::string> block = {"Verdana,Ms Sans Serif,Georgia,Helvetica,Arial",
                                            "10",
                                            "normal",
                                            "normal",
                                            colours[state],
                                            "1",
                                            "3",
                                            colours[state],
                                            "1",
                                            "3",
                                            colours[state],
                                            "1",
                                            "3",
                                            colours[state],
                                            "1",
                                            "3",
                                            "3",
                                            colours[state],
                                            "FFFFFF",
                                            ""};
    for (int k = 0; k < 20; ++k) {
      EXPECT_EQ(s[static_cast<size_t>(b + k)], block[static_cast<size_t>(k)])
          << "state " << state << " +" << k;
      checked[static_cast<size_t>(b + k)] = true;
    }
  }
  for (int k = 0; k < 109; ++k) {
    if (!checked[static_cast<size_t>(k)]) {
      EXPECT_EQ(s[static_cast<size_t>(k)], "") << "field " << k;
    }
  }
}

TEST(Document, RecordsAreCopiedNeverShared) {
  TvornAppletAgent doc;
  doc.ResetDocument();
  doc.InsertItem(0, Named("A"));
  TItemData got = doc.GetItem(0);
  got[ICaption] = "changed";
  EXPECT_EQ(doc.GetItem(0)[ICaption], "A");

  TItemData given = Named("B");
  doc.SetItem(0, given);
  given[ICaption] = "changed later";
  EXPECT_EQ(doc.GetItem(0)[ICaption], "B");

  TAppletData menu = doc.GetAppletData();
  menu[pOpenDelay] = "999";
  EXPECT_EQ(doc.GetAppletData()[pOpenDelay], "0");

  TStringArray strings = TvornAppletAgent::ItemToStrings(doc.GetItem(0));
  strings[0] = "x";
  EXPECT_EQ(doc.GetItem(0)[ICaption], "B");
  EXPECT_EQ(TvornAppletAgent::StringsToItem(strings, "1.0")[ICaption], "x");
}

TEST(Document, InsertDeleteMoveAtTheEdges) {
  TvornAppletAgent doc;
  doc.InsertItem(7, Named("only"));  // an empty array takes any index
  EXPECT_EQ(Captions(doc), std::vector<std::string>{"only"});
  doc.InsertItem(1, Named("end"));    // index == count appends
  doc.InsertItem(3, Named("never"));  // index > count changes nothing
  doc.InsertItem(0, Named("first"));
  doc.InsertItem(-1, Named("negative"));
  EXPECT_EQ(Captions(doc), (std::vector<std::string>{"first", "only", "end"}));

  doc.MoveItemUp(0);
  doc.MoveItemUp(3);
  EXPECT_EQ(Captions(doc), (std::vector<std::string>{"first", "only", "end"}));
  doc.MoveItemUp(1);
  EXPECT_EQ(Captions(doc), (std::vector<std::string>{"only", "first", "end"}));

  doc.DeleteItem(3);
  doc.DeleteItem(-1);
  EXPECT_EQ(doc.ItemCount(), 3);
  doc.DeleteItem(1);
  EXPECT_EQ(Captions(doc), (std::vector<std::string>{"only", "end"}));
  doc.DeleteItem(0);
  doc.DeleteItem(0);
  EXPECT_EQ(doc.ItemCount(), 0);
  doc.DeleteItem(0);
  EXPECT_EQ(doc.ItemCount(), 0);
}

// The tree moves a block of b items above the previous block of a items by
// carrying each item up a places, one exchange at a time.
void MoveBlockUp(TvornAppletAgent& doc, int s, int a, int b) {
  for (int j = 0; j < b; ++j) {
    for (int k = 0; k < a; ++k) doc.MoveItemUp(s + j - k);
  }
}

TEST(Document, SubtreeMoveKeepsBothBlocksInOrder) {
  TvornAppletAgent doc;
  for (const char* c : {"P", "P1", "P2", "S", "S1"}) doc.InsertItem(doc.ItemCount(), Named(c));
  MoveBlockUp(doc, 3, 3, 2);  // moving P (3 items) down past S (2 items)
  EXPECT_EQ(Captions(doc), (std::vector<std::string>{"S", "S1", "P", "P1", "P2"}));
}

TEST(Document, SubtreeMoveEqualsRotation) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    const int before = static_cast<int>(random() % 5), a = 1 + static_cast<int>(random() % 6),
              b = 1 + static_cast<int>(random() % 6), after = static_cast<int>(random() % 4);
    TvornAppletAgent doc;
    std::vector<std::string> expected;
    for (int i = 0; i < before + a + b + after; ++i) {
      doc.InsertItem(i, Named(std::to_string(i)));
      expected.push_back(std::to_string(i));
    }
    TvornAppletAgent fast;
    for (int i = 0; i < doc.ItemCount(); ++i) fast.InsertItem(i, doc.GetItem(i));
    MoveBlockUp(doc, before + a, a, b);
    fast.MoveBlockUp(before + a, b, a);
    EXPECT_EQ(fast.Items, doc.Items) << "the block move gives what the exchanges give";
    std::rotate(expected.begin() + before, expected.begin() + before + a, expected.begin() + before + a + b);
    EXPECT_EQ(Captions(doc), expected);
  }
}

TEST(Document, BlockMoveIgnoresImpossibleRanges) {
  TvornAppletAgent doc;
  for (const char* c : {"a", "b", "c"}) doc.InsertItem(doc.ItemCount(), Named(c));
  doc.MoveBlockUp(1, 3, 1);
  doc.MoveBlockUp(0, 1, 1);
  doc.MoveBlockUp(2, 1, 0);
  EXPECT_EQ(Captions(doc), (std::vector<std::string>{"a", "b", "c"}));
  doc.MoveBlockUp(2, 1, 2);
  EXPECT_EQ(Captions(doc), (std::vector<std::string>{"c", "a", "b"}));
}

// Every node as (depth, parent, caption).
std::vector<std::tuple<int, int, std::string>> Nodes(const ItemTree& tree) {
  std::vector<std::tuple<int, int, std::string>> out;
  for (int i = 0; i < tree.NodeCount(); ++i) out.emplace_back(tree.Depth(i), tree.Parent(i), tree.Text(i));
  return out;
}

TEST(Tree, FillingInOneGoEqualsAddingNodeByNode) {
  // Random level sequences; afterwards a node is added under every node,
  // which only lands right when each subtree's end was worked out right.
  std::mt19937 random(5);
  for (int round = 0; round < 40; ++round) {
    std::vector<int> levels;
    for (int i = 0, previous = -1; i < 1 + static_cast<int>(random() % 30); ++i) {
      previous = static_cast<int>(random() % static_cast<unsigned>(previous + 2));
      levels.push_back(previous);
    }
    const LevelPlan plan = PlanParentsFromLevels(levels);
    std::vector<std::string> captions;
    for (size_t i = 0; i < levels.size(); ++i) captions.push_back("n" + std::to_string(i));
    const std::vector<std::string_view> views(captions.begin(), captions.end());

    ItemTree oneGo, byNode;
    oneGo.AddItemNodes(views, plan.parents);
    for (size_t i = 0; i < views.size(); ++i) byNode.AddLastChild(plan.parents[i] + 1, views[i]);
    ASSERT_EQ(Nodes(oneGo), Nodes(byNode));
    for (int node = oneGo.NodeCount() - 1; node >= 0; --node) {
      EXPECT_EQ(oneGo.AddLastChild(node, "extra"), byNode.AddLastChild(node, "extra"));
    }
    EXPECT_EQ(Nodes(oneGo), Nodes(byNode));
  }
}

TEST(Tree, FillingRefusesBadParentsAndFilledTrees) {
  ItemTree tree;
  EXPECT_THROW(tree.AddItemNodes({"a", "b"}, {-1, 1}), std::out_of_range) << "a parent after its child";
  tree.ClearToRoot(kRootCaption);
  tree.AddLastChild(0, "first");
  EXPECT_THROW(tree.AddItemNodes({"a"}, {-1}), std::logic_error);
}

TEST(Text, ExtractFieldAndSplitFieldsAgree) {
  const std::string line = "a#$@#$@c#$@tail";
  EXPECT_EQ(ExtractField(line, 0, "#$@"), "");
  EXPECT_EQ(ExtractField(line, 1, "#$@"), "a");
  EXPECT_EQ(ExtractField(line, 2, "#$@"), "");
  EXPECT_EQ(ExtractField(line, 3, "#$@"), "c");
  EXPECT_EQ(ExtractField(line, 4, "#$@"), "") << "a field without its separator reads as empty";
  EXPECT_EQ(ExtractField(line, 9, "#$@"), "");
  const auto fields = SplitFields(line, 5);
  ASSERT_EQ(fields.size(), 5u);
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(fields[static_cast<size_t>(k - 1)], ExtractField(line, k, "#$@"));
  EXPECT_EQ(SplitFields("x#$@y#$@z#$@", 2), (std::vector<std::string>{"x", "y"})) << "surplus ignored";
}

TEST(Text, StrictDecimalConversion) {
  EXPECT_EQ(StrictToInt("0"), 0);
  EXPECT_EQ(StrictToInt("-4"), -4);
  EXPECT_EQ(StrictToInt("+12"), 12);
  EXPECT_EQ(StrictToInt("2147483647"), 2147483647);
  for (const char* bad : {"", "-", "+", " 1", "1 ", "1.5", "0x10", "abc", "2147483648", "--1", "+-1"}) {
    try {
      StrictToInt(bad, "somewhere");
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const NumberError& e) {
      EXPECT_EQ(e.text(), bad);
      EXPECT_NE(std::string(e.what()).find("somewhere"), std::string::npos);
    }
  }
}

TEST(Text, SplitLinesAcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string_view>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(Text, CaseFoldingCoversTheCodePage) {
  EXPECT_EQ(FoldCase1252("HTTP://Ex.COM/\xC4\xD6\xDC"), "http://ex.com/\xE4\xF6\xFC");
  EXPECT_EQ(FoldCase1252("\xD7\xDF"), "\xD7\xDF") << "the multiplication sign and sharp s have no case";
}

}  // namespace
}  // namespace velmora
