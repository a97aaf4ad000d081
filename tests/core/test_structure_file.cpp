// Menu structure files: the exact layout, what export refreshes, and what
// import keeps and resets.

#include <gtest/gtest.h>

#include "document/applet_agent.h"
#include "document/errors.h"
#include "test_support.h"

namespace velmora {
namespace {

using test::BuildDesign;
using test::Slurp;
using test::Spit;
using test::TempFolder;

const std::string kStructureHeader =
    "<Generator_Name>\r\nVelmora\r\n</Generator_Name>\r\n<Generator_Version>\r\n1.0\r\n</"
    "Generator_Version>\r\n"
    "<Product_Name>\r\nGeneral Menu Structure Description Format\r\n</Product_Name>\r\n"
    "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n<Structure_Description>\r\n";

class StructureFile : public ::testing::Test {
 protected:
  TempFolder dir;
  TvornAppletAgent doc;
  ItemTree tree;
};

TEST_F(StructureFile, EmptyDesignExportsHeaderAndImportsBackEmpty) {
  doc.ResetDocument();
  doc.ExportStructure(dir / "e.gms", tree);
  EXPECT_EQ(Slurp(dir / "e.gms"), kStructureHeader + "</Structure_Description>\r\n");
  doc.AppletData[pOpenDelay] = "77";
  ASSERT_EQ(doc.ImportStructure(dir / "e.gms", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.GetAppletData(), DefaultAppletData());
  EXPECT_EQ(doc.ItemCount(), 0);
}

TEST_F(StructureFile, ExportWritesFiveFieldsWithLevelsFromTheTree) {
  BuildDesign(doc, tree, {0, 1, 0});
  doc.Items[0][ILink] = "";
  doc.Items[1][ILink] = "b.html";
  doc.Items[1][ITarget] = "_blank";
  doc.Items[2][IStatusBarMsg] = "Say hi";
  doc.Items[1][ILevel] = "5";  // stale: the tree says 1
  doc.Items[1][IToolTip] = "not exported";
  doc.ExportStructure(dir / "s.gms", tree);
  EXPECT_EQ(Slurp(dir / "s.gms"), kStructureHeader +
                                      "0#$@A#$@#$@_self#$@#$@\r\n"
                                      "1#$@B#$@b.html#$@_blank#$@#$@\r\n"
                                      "0#$@C#$@#$@_self#$@Say hi#$@\r\n"
                                      "</Structure_Description>\r\n");
  EXPECT_EQ(doc.Items[1][ILevel], "1") << "export refreshes levels from the tree";
  EXPECT_EQ(doc.Items[1][IToolTip], "not exported") << "and changes nothing else";
}

TEST_F(StructureFile, RoundTripKeepsSkeletonAndResetsTheRest) {
  BuildDesign(doc, tree, {0, 1, 2, 1, 0});
  doc.Items[2][ICaption] = "Deep \xE9";
  doc.Items[2][ILink] = "deep.html";
  doc.Items[2][IWidth] = "300";
  doc.Items[2][DisableItem] = "0";
  doc.AppletData[pCloseDelay] = "999";
  doc.ExportStructure(dir / "r.gms", tree);

  TvornAppletAgent other;
  ItemTree otherTree;
  ASSERT_EQ(other.ImportStructure(dir / "r.gms", otherTree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(other.GetAppletData(), DefaultAppletData());
  ASSERT_EQ(other.ItemCount(), 5);
  TItemData expected = TvornAppletAgent::MakeDefaultItem();
  expected[ICaption] = "Deep \xE9";
  expected[ILink] = "deep.html";
  expected[ILevel] = "2";
  EXPECT_EQ(other.GetItem(2), expected) << "every field but the five carried is at its default";
  ASSERT_EQ(otherTree.NodeCount(), tree.NodeCount());
  for (int i = 0; i < tree.NodeCount(); ++i) {
    EXPECT_EQ(otherTree.Parent(i), tree.Parent(i));
    EXPECT_EQ(otherTree.Text(i), i == 0 ? "Velmora" : other.GetItem(i - 1)[ICaption].str());
  }
}

TEST_F(StructureFile, ReaderToleratesOtherGeneratorsAndShortLines) {
  std::string text = kStructureHeader +
                     "0#$@Only caption#$@\r\n1#$@Child#$@c.html#$@_top#$@msg#$@extra#$@\r\n" +
                     "</Structure_Description>\r\n";
  text.replace(text.find("Velmora"), 7, "SomeOtherTool");
  Spit(dir / "o.gms", text);
  ASSERT_EQ(doc.ImportStructure(dir / "o.gms", tree).outcome, ReadOutcome::Loaded);
  ASSERT_EQ(doc.ItemCount(), 2);
  EXPECT_EQ(doc.GetItem(0)[ITarget], "") << "a missing field is empty";
  EXPECT_EQ(doc.GetItem(1)[IStatusBarMsg], "msg");
  EXPECT_EQ(doc.FileVersion, "1.0");
}

TEST_F(StructureFile, RefusedFilesLeaveTheDocumentAsItWas) {
  BuildDesign(doc, tree, {0, 1});
  const auto before = doc.Items;
  doc.AppletData[pOpenDelay] = "55";
  std::string wrong = kStructureHeader + "</Structure_Description>\r\n";
  wrong.replace(wrong.find("General Menu"), 12, "Special Menu");
  std::string truncated = kStructureHeader + "0#$@A#$@#$@#$@#$@\r\n";
  Spit(dir / "w.gms", wrong);
  EXPECT_EQ(doc.ImportStructure(dir / "w.gms", tree).outcome, ReadOutcome::WrongProduct);
  Spit(dir / "t.gms", truncated);
  EXPECT_EQ(doc.ImportStructure(dir / "t.gms", tree).outcome, ReadOutcome::Truncated);
  Spit(dir / "n.gms", kStructureHeader + "zero#$@A#$@\r\n</Structure_Description>\r\n");
  EXPECT_THROW(doc.ImportStructure(dir / "n.gms", tree), NumberError);
  Spit(dir / "empty.gms", kStructureHeader + "#$@A#$@\r\n</Structure_Description>\r\n");
  EXPECT_THROW(doc.ImportStructure(dir / "empty.gms", tree), NumberError) << "an empty depth is no number";
  EXPECT_EQ(doc.Items, before);
  EXPECT_EQ(doc.AppletData[pOpenDelay], "55");
  EXPECT_EQ(tree.NodeCount(), 3);
}

TEST_F(StructureFile, ExportRefusesValuesThatWouldNotReadBack) {
  BuildDesign(doc, tree, {0});
  doc.Items[0][ILink] = "a#$@b";
  EXPECT_THROW(doc.ExportStructure(dir / "bad.gms", tree), ValueError);
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.gms"));
}

}  // namespace
}  // namespace velmora
