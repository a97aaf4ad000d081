// Project files: byte-exact writing, reading, tree rebuilding, and what a
// refused, truncated or broken file leaves behind.

#include <gtest/gtest.h>

#include <filesystem>

#include "document/applet_agent.h"
#include "document/errors.h"
#include "test_support.h"

namespace velmora {
namespace {

using test::RecordingSink;
using test::Slurp;
using test::Spit;
using test::TempFolder;

const std::string kHeader =
    "<Warning_Info>\r\nNote: This file was created and maintained by Velmora 1.0.\r\n"
    "Do not modify it or script project may not be opened again!\r\n</Warning_Info>\r\n"
    "<Product_Name>\r\nVelmora\r\n</Product_Name>\r\n<Product_Version>\r\n1.0\r\n</Product_Version>\r\n";

std::string Fields(const std::vector<std::string>& values, int count) {
  std::string line;
  for (int k = 0; k < count; ++k)
    line += (static_cast<size_t>(k) < values.size() ? values[static_cast<size_t>(k)] : "") + "#$@";
  return line;
}

std::string ItemLine(const std::string& caption, const std::string& level) {
  TStringArray s = TvornAppletAgent::ItemToStrings(TvornAppletAgent::MakeDefaultItem());
  s[ICaption] = caption;
  s[ILevel] = level;
  return Fields(s, 109);
}

std::string ProjectText(const std::vector<std::string>& itemLines) {
  std::string text = kHeader + "<Applet_Parameters>\r\n" +
                     Fields(TvornAppletAgent::AppletDataToStrings(DefaultAppletData()), 18) +
                     "\r\n</Applet_Parameters>\r\n<Item_Parameters>\r\n";
  for (const auto& line : itemLines) text += line + "\r\n";
  return text + "</Item_Parameters>\r\n";
}

std::vector<std::pair<int, int>> Shape(const ItemTree& tree) {
  std::vector<std::pair<int, int>> shape;  // (depth, parent) of every node
  for (int i = 0; i < tree.NodeCount(); ++i) shape.emplace_back(tree.Depth(i), tree.Parent(i));
  return shape;
}

class ProjectFile : public ::testing::Test {
 protected:
  TempFolder dir;
  TvornAppletAgent doc;
  ItemTree tree;
  void SetUp() override { doc.ResetDocument(); }
  void TopItems(int n) {
    doc.Items.assign(static_cast<size_t>(n), TvornAppletAgent::MakeDefaultItem());
    for (auto& item : doc.Items) item[ILevel] = "0";
  }
};

TEST_F(ProjectFile, EmptyDesignLayoutIsExact) {
  doc.SaveProject(dir / "e.velm");
  EXPECT_EQ(Slurp(dir / "e.velm"), ProjectText({}));
  ASSERT_EQ(doc.LoadProject(dir / "e.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.ItemCount(), 0);
  EXPECT_EQ(tree.NodeCount(), 1);
  EXPECT_EQ(doc.FileVersion, "1.0");
}

TEST_F(ProjectFile, EveryFieldRoundTripsExactly) {
  TAppletData menu;
  for (int k = 0; k < 18; ++k) menu.at(k) = k % 3 == 0 ? "" : "m" + std::to_string(k) + " \xE9\xFC";
  doc.SetAppletData(menu);
  for (int i = 0; i < 3; ++i) {
    TItemData item;
    for (int k = 0; k < 109; ++k)
      item.at(k) = (k + i) % 4 == 0 ? "" : "v" + std::to_string(i) + "_" + std::to_string(k);
    item[ILevel] = i == 0 ? "0" : "1";
    doc.Items.push_back(item);
  }
  doc.SaveProject(dir / "a.velm");
  const std::string first = Slurp(dir / "a.velm");

  TvornAppletAgent other;
  ASSERT_EQ(other.LoadProject(dir / "a.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(other.GetAppletData(), menu);
  EXPECT_EQ(other.Items, doc.Items);
  other.SaveProject(dir / "b.velm");
  EXPECT_EQ(Slurp(dir / "b.velm"), first) << "write, read, write gives the same bytes";
  EXPECT_EQ(first.substr(0, 3), "<Wa") << "no byte-order mark";
  EXPECT_EQ(first.substr(first.size() - 2), "\r\n");
}

TEST_F(ProjectFile, AllEmptyMenuLineAndMissingLastSeparator) {
  std::string line = ItemLine("A", "0");
  line.resize(line.size() - 3);  // IReserved108 loses its separator
  std::string text = ProjectText({line});
  const std::string defaults = Fields(TvornAppletAgent::AppletDataToStrings(DefaultAppletData()), 18);
  text.replace(text.find(defaults), defaults.size(), Fields({}, 18));
  Spit(dir / "p.velm", text);
  ASSERT_EQ(doc.LoadProject(dir / "p.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.GetAppletData(), TAppletData{});
  EXPECT_EQ(doc.GetItem(0)[IReserved108], "");
  EXPECT_EQ(doc.GetItem(0)[ILevel], "0");
  EXPECT_EQ(doc.GetItem(0)[ICaption], "A");
}

TEST_F(ProjectFile, TreeIsRebuiltFromLevels) {
  Spit(dir / "t.velm", ProjectText({ItemLine("A", "0"), ItemLine("B", "1"), ItemLine("C", "2"),
                                    ItemLine("D", "1"), ItemLine("E", "0")}));
  ASSERT_EQ(doc.LoadProject(dir / "t.velm", tree).outcome, ReadOutcome::Loaded);
  // Nodes: root, A, B, C, D, E with A and E under the root, B and D under A, C under B.
  EXPECT_EQ(Shape(tree), (std::vector<std::pair<int, int>>{{0, -1}, {1, 0}, {2, 1}, {3, 2}, {2, 1}, {1, 0}}));
  for (int i = 1; i < tree.NodeCount(); ++i) EXPECT_EQ(tree.Text(i), doc.GetItem(i - 1)[ICaption]);
}

TEST_F(ProjectFile, ExtraLinesOutsideTheFieldLinesAreIgnored) {
  std::string text = "junk before\r\n" + ProjectText({ItemLine("A", "0")});
  text.insert(text.find("<Applet_Parameters>"), "a note\r\n");
  text.insert(text.find("<Item_Parameters>"), "another note\r\n");
  Spit(dir / "x.velm", text);
  ASSERT_EQ(doc.LoadProject(dir / "x.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.ItemCount(), 1);
  EXPECT_EQ(doc.GetAppletData(), DefaultAppletData());
}

TEST_F(ProjectFile, RefusedOrBrokenFilesLeaveEverythingAsItWas) {
  doc.Items.push_back(TvornAppletAgent::MakeDefaultItem());
  doc.Items[0][ICaption] = "kept";
  doc.FileVersion = "old";
  tree.AddLastChild(0, "kept");
  const auto itemsBefore = doc.Items;
  const auto shapeBefore = Shape(tree);
  RecordingSink sink;
  doc.SetStatusSink(&sink);

  std::string wrongProduct = ProjectText({ItemLine("A", "0")});
  wrongProduct.replace(wrongProduct.find("\r\nVelmora\r\n"), 11, "\r\nOther\r\n");
  std::string truncated = ProjectText({ItemLine("A", "0"), ItemLine("B", "1")});
  truncated.resize(truncated.find("</Item_Parameters>"));
  const struct {
    std::string content;
    ReadOutcome outcome;
  } cases[] = {
      {"", ReadOutcome::NothingRead},
      {"no product name here\r\n", ReadOutcome::NothingRead},
      {wrongProduct, ReadOutcome::WrongProduct},
      {truncated, ReadOutcome::Truncated},
      {kHeader + "<Applet_Parameters>\r\n", ReadOutcome::Truncated},
  };
  for (const auto& c : cases) {
    Spit(dir / "bad.velm", c.content);
    const ReadResult result = doc.LoadProject(dir / "bad.velm", tree);
    EXPECT_EQ(result.outcome, c.outcome) << c.content.substr(0, 40);
    if (c.outcome == ReadOutcome::Truncated) {
      EXPECT_NE(result.detail.find("line"), std::string::npos);
    }
    EXPECT_EQ(doc.Items, itemsBefore);
    EXPECT_EQ(doc.FileVersion, "old");
    EXPECT_EQ(Shape(tree), shapeBefore);
    EXPECT_EQ(sink.hint, "");
    EXPECT_FALSE(sink.busy);
  }

  Spit(dir / "level.velm", ProjectText({ItemLine("A", "0"), ItemLine("B", "x1")}));
  try {
    doc.LoadProject(dir / "level.velm", tree);
    ADD_FAILURE() << "a level that is no number was accepted";
  } catch (const NumberError& e) {
    EXPECT_EQ(e.text(), "x1");
    EXPECT_NE(std::string(e.what()).find("line 16"), std::string::npos) << e.what();
  }
  EXPECT_EQ(doc.Items, itemsBefore);
  EXPECT_EQ(Shape(tree), shapeBefore);
  EXPECT_EQ(sink.hint, "");
  EXPECT_FALSE(sink.busy);

  EXPECT_THROW(doc.LoadProject(dir / "missing.velm", tree), FileError);
  EXPECT_THROW(doc.LoadProject(dir.path(), tree), FileError) << "a folder is no project";
}

TEST_F(ProjectFile, ImpossibleLevelsAreRepaired) {
  Spit(dir / "r.velm", ProjectText({ItemLine("A", "2"), ItemLine("B", "0"), ItemLine("C", "3"),
                                    ItemLine("D", "-1"), ItemLine("E", "1")}));
  const ReadResult result = doc.LoadProject(dir / "r.velm", tree);
  ASSERT_EQ(result.outcome, ReadOutcome::Loaded);
  EXPECT_EQ(result.repairedItems, 3);
  std::vector<std::string> levels;
  for (const auto& item : doc.Items) levels.emplace_back(item[ILevel]);
  EXPECT_EQ(levels, (std::vector<std::string>{"0", "0", "1", "0", "1"}));
  for (int i = 1; i < tree.NodeCount(); ++i)
    EXPECT_EQ(tree.Depth(i) - 1, std::stoi(doc.GetItem(i - 1)[ILevel]));
}

TEST_F(ProjectFile, SaveDrivesTheStatusArea) {
  TopItems(2);
  RecordingSink sink;
  doc.SetStatusSink(&sink);
  doc.SaveProject(dir / "s.velm");
  EXPECT_EQ(sink.max, 2 * 109 + 15);
  EXPECT_EQ(sink.steps, 2 * 109 + 15);
  EXPECT_EQ(sink.calls.front(), "max:233");
  EXPECT_EQ(sink.calls[1], "hint:Saving Data ... ...");
  EXPECT_EQ(sink.calls[2], "busy");
  EXPECT_EQ(sink.calls.back(), "idle");
  EXPECT_EQ(sink.position, 0);
  EXPECT_EQ(sink.hint, "");

  sink.calls.clear();
  ASSERT_EQ(doc.LoadProject(dir / "s.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(sink.calls,
            (std::vector<std::string>{"hint:Loading Data ... ...", "busy", "pos:0", "hint:", "idle"}));
}

TEST_F(ProjectFile, UnstorableValuesAreRefusedAndNothingIsWritten) {
  TopItems(2);
  doc.SaveProject(dir / "k.velm");
  const std::string before = Slurp(dir / "k.velm");
  for (const char* bad : {"a#$@b", "line\r\nbreak", "lf\nonly"}) {
    doc.Items[1][IToolTip] = bad;
    try {
      doc.SaveProject(dir / "k.velm");
      ADD_FAILURE() << "wrote " << bad;
    } catch (const ValueError& e) {
      EXPECT_NE(std::string(e.what()).find("item 2"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("Item General page, Tooltip"), std::string::npos) << e.what();
    }
    EXPECT_EQ(Slurp(dir / "k.velm"), before);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      EXPECT_NE(entry.path().extension(), ".tmp") << "left behind " << entry.path();
  }
  doc.Items[1][IToolTip] = "#$ and $@ alone are fine";
  doc.SaveProject(dir / "k.velm");
  TvornAppletAgent other;
  other.LoadProject(dir / "k.velm", tree);
  EXPECT_EQ(other.GetItem(1)[IToolTip], "#$ and $@ alone are fine");
}

TEST_F(ProjectFile, FailedWriteLeavesTheOldFileByteIdentical) {
  doc.Items.assign(1, TvornAppletAgent::MakeDefaultItem());
  doc.SaveProject(dir / "p.velm");
  const std::string before = Slurp(dir / "p.velm");
  doc.Items.assign(200, TvornAppletAgent::MakeDefaultItem());
  {
    // A file size limit makes the write fail part way, as a full disk would.
    test::FileSizeLimit limit(before.size() + 1000);
    EXPECT_THROW(doc.SaveProject(dir / "p.velm"), FileError);
  }
  EXPECT_EQ(Slurp(dir / "p.velm"), before);
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_NE(entry.path().extension(), ".tmp") << "left behind " << entry.path();
  }
  std::filesystem::create_directory(dir / "folder.velm");
  EXPECT_THROW(doc.SaveProject(dir / "folder.velm"), FileError);
  EXPECT_THROW(doc.SaveProject(dir / "no/such/folder/p.velm"), FileError);
}

}  // namespace
}  // namespace velmora
