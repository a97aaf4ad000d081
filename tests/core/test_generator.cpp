// The configuration script, the stylesheet and the page, byte for byte, and
// the values they refuse.

#include <gtest/gtest.h>

#include "document/errors.h"
#include "document/text.h"
#include "generator/config_script.h"
#include "generator/generate.h"
#include "generator/prepare.h"
#include "generator/styles.h"
#include "test_support.h"

namespace velmora {
namespace {

using test::BuildDesign;
using test::RecordingSink;
using test::Slurp;
using test::TempFolder;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (auto line : SplitLines(text)) lines.emplace_back(line);
  return lines;
}

class Generator : public ::testing::Test {
 protected:
  TempFolder home;
  TvornAppletAgent doc{home.path()};
  ItemTree tree;
  std::string Generate(const std::string& page = "page.html") {
    GenerateMenuFiles(doc, tree, "menu5", home / page);
    return Slurp(home / page);
  }
};

TEST_F(Generator, DefaultItemLineAndBuilderCall) {
  BuildDesign(doc, tree, {0});
  doc.Items[0][ICaption] = "Item Caption";
  Generate();
  const auto lines = Lines(Slurp(home / "jsmenu01cfg.js"));
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "/*");
  EXPECT_EQ(lines[1], "Velmora 1.0");
  EXPECT_EQ(lines[5], "*/");
  EXPECT_EQ(lines[6],
            "CImenu5(['Item Caption',0,0,4,10,0,0,'','_self','','',-1,1,150,20,,,'menu5itemn1','menu5itemo2',"
            "'menu5itemc3','','','',16,16,'','','',16,16,'','','',16,16,0,0,0,0,1]);");
  EXPECT_EQ(lines[7], "function CImenu5(ipa){");
  EXPECT_EQ(lines[8], "if(!(window.menu5cfg)){eval('window.menu5cfg=new Array();');};");
  EXPECT_EQ(lines[9], "menu5cfg[menu5cfg.length]=ipa;};");
  EXPECT_EQ(lines[10], "function Initmenu5(){");
  EXPECT_EQ(lines[11], "if (!window.bMac){setTimeout('Initmenu5()',350);return;};");
  EXPECT_EQ(
      lines[12],
      "bbae('menu5',menu5cfg,'menu5div',1,1,0,330,2,0,'progid:DXImageTransform.Microsoft.Fade()',200,220,2,"
      "0,'progid:DXImageTransform.Microsoft.Fade()');};");
  EXPECT_EQ(lines[13], "Initmenu5();");
  EXPECT_EQ(doc.AppletData[pMenuName], "menu5");
  EXPECT_EQ(doc.AppletData[pMenuCfgName], "menu5cfg");
  EXPECT_EQ(doc.AppletData[pMenuDivName], "menu5div");
}

TEST_F(Generator, DefaultNormalRuleAndEmptyDocument) {
  BuildDesign(doc, tree, {0});
  Generate();
  const auto css = Lines(Slurp(home / "jsmenu01.css"));
  ASSERT_EQ(css.size(), 6u + 3 * 14);
  const std::vector<std::string> rule = {".menu5itemn1{",
                                         "FONT-FAMILY:Verdana,Ms Sans Serif,Georgia,Helvetica,Arial;",
                                         "FONT-SIZE:10px;",
                                         "FONT-WEIGHT:normal;",
                                         "FONT-STYLE:normal;",
                                         "BORDER-TOP:#C0C0C0 1px solid;",
                                         "BORDER-RIGHT:#C0C0C0 1px solid;",
                                         "BORDER-BOTTOM:#C0C0C0 1px solid;",
                                         "BORDER-LEFT:#C0C0C0 1px solid;",
                                         "CURSOR:hand;",
                                         "COLOR:#C0C0C0;",
                                         "BACKGROUND-COLOR:#FFFFFF;",
                                         "BACKGROUND-IMAGE:none;",
                                         "}"};
  EXPECT_EQ(std::vector<std::string>(css.begin() + 6, css.begin() + 20), rule);
  EXPECT_EQ(css[20], ".menu5itemo2{");
  EXPECT_EQ(css[34], ".menu5itemc3{");

  BuildDesign(doc, tree, {});
  Generate();
  EXPECT_EQ(Lines(Slurp(home / "jsmenu01.css")).size(), 6u);
  EXPECT_EQ(Lines(Slurp(home / "jsmenu01cfg.js")).size(), 13u) << "six header and seven closing lines";
}

TEST_F(Generator, PageIsTwentyExactLines) {
  BuildDesign(doc, tree, {0});
  const std::string page = Generate();
  const auto lines = Lines(page);
  ASSERT_EQ(lines.size(), 20u);
  const std::string& first = lines[0];
  ASSERT_EQ(first.rfind("<!-- saved from url=(", 0), 0u);
  const std::string address = first.substr(26, first.size() - 26 - 4);
  EXPECT_EQ(std::stoi(first.substr(21, 4)), static_cast<int>(address.size()));
  EXPECT_EQ(lines[11], "<!-- BEGIN -->");
  EXPECT_EQ(lines[12], "<link href=\"./jsmenu01.css\" type=text/css rel=stylesheet>");
  EXPECT_EQ(lines[13], "<script language=\"javascript\" src=\"./jsmenu01cfg.js\"></script>");
  EXPECT_EQ(lines[14], "<script language=\"javascript\" src=\"./jsmenu0.js\"></script>");
  EXPECT_EQ(lines[16], "<div id=menu5div></div>");
  EXPECT_EQ(lines[17], "");
  EXPECT_EQ(lines[19], "</html>");
  EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");
  EXPECT_EQ(doc.RuntimeFiles[1], "jsmenu01cfg.js");
  EXPECT_EQ(doc.RuntimeFiles[2], "jsmenu01.css");
}

TEST_F(Generator, SeveralLevelsGiveParentsAndOrder) {
  BuildDesign(doc, tree, {0, 1, 2, 1, 0});
  for (auto& item : doc.Items) item[ILevel] = "";  // stale: recomputed from the tree
  doc.Items[3][IReserved38] = "9";
  Generate();
  const auto lines = Lines(Slurp(home / "jsmenu01cfg.js"));
  const std::vector<std::string> parents = {"-1", "0", "1", "0", "-1"};
  for (size_t i = 0; i < 5; ++i) {
    const std::string& line = lines[6 + i];
    EXPECT_EQ(line.substr(0, 11), "CImenu5(['" + std::string(1, static_cast<char>('A' + i))) << line;
    EXPECT_NE(line.find(",20,,,"), std::string::npos);
    EXPECT_EQ(ExtractField(line + ",", 12, ","), parents[i]) << line;
    EXPECT_EQ(doc.Items[i][ILevel], std::to_string(tree.Depth(static_cast<int>(i) + 1) - 1));
  }
  EXPECT_EQ(doc.Items[3][IReserved38], "0");
  const std::string script = Slurp(home / "jsmenu01cfg.js");
  Generate();
  EXPECT_EQ(Slurp(home / "jsmenu01cfg.js"), script) << "regenerating gives the same bytes";
}

TEST_F(Generator, TextsInMemoryAreTheFilesWritten) {
  BuildDesign(doc, tree, {0, 1, 2, 1, 0});
  doc.Items[2][ILink] = "http://example.com/a?b=1&c=2";
  const MenuTexts texts = GenerateMenuTexts(doc, tree, "menu5");
  const std::string page = Generate();
  EXPECT_EQ(texts.page, page);
  EXPECT_EQ(texts.stylesheet, Slurp(home / "jsmenu01.css"));
  EXPECT_EQ(texts.script, Slurp(home / "jsmenu01cfg.js"));
  EXPECT_NE(texts.script.find("example.com/a?b=1&c=2"), std::string::npos);
}

TEST(LinkConversion, ReplacesEveryOccurrenceIgnoringCase) {
  EXPECT_EQ(ReplaceAllIgnoringCase("HTTP://Site/a http://site/b", "http://site", "file:///C:/w"),
            "file:///C:/w/a file:///C:/w/b");
  EXPECT_EQ(ReplaceAllIgnoringCase("aaaa", "aa", "a"), "aa") << "replaced text is not scanned again";
  EXPECT_EQ(ReplaceAllIgnoringCase("abc", "", "x"), "abc");
}

TEST_F(Generator, LinksFollowThePathSettings) {
  BuildDesign(doc, tree, {0});
  doc.AppletData[pInternalUse_RootDir_Local] = "C:\\Web";
  doc.AppletData[pInternalUse_RootDir_Remote] = "http://www.example.com";
  doc.Items[0][ILink] = "HTTP://WWW.Example.com/a.html|http://www.example.com/b.html";
  doc.AppletData[pInternalUse_RootDir_Local_Checked] = "1";
  Generate();
  EXPECT_EQ(doc.Items[0][ILink], "C:\\Web/a.html|C:\\Web/b.html");
  doc.AppletData[pInternalUse_RootDir_Local_Checked] = "0";
  Generate();
  EXPECT_EQ(doc.Items[0][ILink], "http://www.example.com/a.html|http://www.example.com/b.html");
  doc.AppletData[pInternalUse_RootDir_Local] = "  ";
  doc.AppletData[pInternalUse_RootDir_Local_Checked] = "1";
  Generate();
  EXPECT_EQ(doc.Items[0][ILink], "http://www.example.com/a.html|http://www.example.com/b.html")
      << "with one root missing links stay";
}

TEST_F(Generator, StylesAreSharedFirstUseWinsAndCaseMatters) {
  BuildDesign(doc, tree, {0, 0, 0});
  for (int k = 0; k < 20; ++k)
    doc.Items[0].at(IFontFamilyClicked + k) = doc.Items[0].at(IFontFamilyNormal + k);
  doc.Items[2][IFontFamilyNormal] = "arial";
  doc.Items[1][IFontFamilyNormal] = "Arial";
  Generate();
  auto classes = [&](int i) {
    return std::vector<std::string>{doc.Items[i][IClassNormal], doc.Items[i][IClassOver],
                                    doc.Items[i][IClassClicked]};
  };
  EXPECT_EQ(classes(0), (std::vector<std::string>{"menu5itemn1", "menu5itemo2", "menu5itemn1"}));
  EXPECT_EQ(classes(1), (std::vector<std::string>{"menu5itemn3", "menu5itemo2", "menu5itemc4"}));
  EXPECT_EQ(classes(2), (std::vector<std::string>{"menu5itemn5", "menu5itemo2", "menu5itemc4"}));
}

TEST(StyleTable, IndexMatchesALinearScan) {
  // Many items drawn from few distinct blocks: the indexed table must give
  // the names a scan from the start would. Every other item is read from a
  // stored line, and some in-memory values hold the separator, so that joined values
  // would look alike: ("a#$@b", "c") and ("a", "b#$@c").
  std::vector<TItemData> items(60, DefaultItemData());
  for (size_t i = 0; i < items.size(); ++i) {
    items[i][IFontSizeNormal] = std::to_string(i % 7);
    items[i][IColorOver] = std::to_string(i % 5);
    items[i][IFontSizeClicked] = std::to_string(i % 3);
    if (i % 10 == 4) items[i][IFontFamilyNormal] = "a#$@b", items[i][IFontSizeNormal] = "c";
    if (i % 10 == 8) items[i][IFontFamilyNormal] = "a", items[i][IFontSizeNormal] = "b#$@c";
  }
  auto stored = std::make_shared<std::string>();
  for (size_t i = 1; i < items.size(); i += 2) *stored += std::string(items[i].Line()) + "\n";
  const std::shared_ptr<const std::string> text = stored;
  size_t at = 0;
  for (size_t i = 1; i < items.size(); i += 2) {
    const size_t end = text->find('\n', at);
    items[i] = TItemData(text, std::string_view(*text).substr(at, end - at));
    at = end + 1;
  }
  StyleTable table("m");
  std::vector<std::array<std::string, 20>> scan;
  std::vector<std::string> scanNames;
  for (const auto& item : items) {
    for (int state = 0; state < 3; ++state) {
      std::array<std::string, 20> block;
      for (int k = 0; k < 20; ++k)
        block[static_cast<size_t>(k)] = item.at(kStateBlockStart[static_cast<size_t>(state)] + k);
      auto found = std::find(scan.begin(), scan.end(), block);
      if (found == scan.end()) {
        scan.push_back(block);
        scanNames.push_back(std::string("m") + "item" + "noc"[state] + std::to_string(scan.size()));
        found = scan.end() - 1;
      }
      EXPECT_EQ(table.FindOrAddStyleClass(item, state), scanNames[static_cast<size_t>(found - scan.begin())]);
    }
  }
  EXPECT_EQ(table.Entries().size(), scan.size());
}

TEST_F(Generator, StylesheetEdgeValues) {
  BuildDesign(doc, tree, {0});
  doc.Items[0][IFontSizeNormal] = "";
  doc.Items[0][IColorNormal] = "";
  doc.Items[0][IBorderTopStyleNormal] = "-1";
  doc.Items[0][ICursorNormal] = "-1";
  doc.Items[0][IBackgroundImageNormal] = "  ";
  Generate();
  const auto css = Lines(Slurp(home / "jsmenu01.css"));
  EXPECT_EQ(css[8], "FONT-SIZE:px;");
  EXPECT_EQ(css[11], "BORDER-TOP:#C0C0C0 1px solid;");
  EXPECT_EQ(css[15], "CURSOR:default;");
  EXPECT_EQ(css[16], "COLOR:#;");
  EXPECT_EQ(css[18], "BACKGROUND-IMAGE:none;");
}

TEST(ScriptStrings, AnyTextBecomesAStringThatHoldsIt) {
  EXPECT_EQ(EscapeScriptString("Blue's \\ back"), "Blue\\'s \\\\ back");
  EXPECT_EQ(EscapeScriptString("a\r\nb"), "a\\r\\nb");
  EXPECT_EQ(EscapeScriptString("</script><b>"), "<\\/script><b>");
  EXPECT_EQ(EscapeScriptString("x\xE2\x80\xA8y"), "x\\u00E2\\u20AC\\u00A8y")
      << "bytes above ASCII become the code page's characters";
  EXPECT_EQ(EscapeScriptString(std::string("t\tz\0", 4)), "t\\x09z\\x00");
  EXPECT_EQ(EscapeScriptString("caf\xE9 \x9F"), "caf\\u00E9 \\u0178");
  EXPECT_TRUE(IsBareNumber(""));
  EXPECT_TRUE(IsBareNumber("-12"));
  EXPECT_TRUE(IsBareNumber("0"));
  for (const char* bad : {"-", "1e3", "07", "+1", " 1", "1;alert(1)", "0x1"})
    EXPECT_FALSE(IsBareNumber(bad)) << bad;
}

TEST_F(Generator, HostileValuesAreRefusedNamingTheirPlace) {
  BuildDesign(doc, tree, {0, 1});
  doc.Items[1][ICaption] = "Sub";
  const struct {
    ItemField field;
    std::string value;
    std::vector<std::string> named;
  } cases[] = {
      {IWidth, "150);alert(1", {"item 2 \"Sub\"", "Item General page, Item Width"}},
      {IPaddingTop, "x", {"item 2", "Item General page, Padding Top"}},
      {IFontFamilyOver, "Arial;} body{display:none", {"item 2", "Mouse Over page, Font"}},
      {IBackgroundImageClicked, "a.gif)\r\nx", {"item 2", "Clicked page, Background image"}},
      {IColorNormal, "<b>", {"item 2", "Normal page, Text Color"}},
      {ICursorOver, "pointer", {"item 2", "Mouse Over page, Cursor"}},
  };
  for (const auto& c : cases) {
    const TItemData saved = doc.Items[1];
    doc.Items[1][c.field] = c.value;
    std::filesystem::remove(home / "jsmenu01.css");
    try {
      Generate();
      ADD_FAILURE() << "generated with " << c.value;
    } catch (const Error& e) {
      for (const auto& name : c.named)
        EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(home / "jsmenu01.css")) << "nothing is written";
    doc.Items[1] = saved;
  }
  doc.AppletData[pOpenDelay] = "1,2";
  EXPECT_THROW(Generate(), ValueError);
  doc.AppletData[pOpenDelay] = "";
  EXPECT_THROW(Generate(), ValueError) << "an empty builder argument would not parse";
  doc.AppletData[pOpenDelay] = "0";
  EXPECT_THROW(GenerateMenuFiles(doc, tree, "menu-5", home / "p.html"), ValueError);
}

TEST_F(Generator, StatusAndTreeMismatch) {
  BuildDesign(doc, tree, {0});
  RecordingSink sink;
  doc.SetStatusSink(&sink);
  Generate();
  EXPECT_EQ(sink.calls,
            (std::vector<std::string>{"hint:Making HTML Codes ... ...", "busy", "hint:", "idle"}));
  tree.AddLastChild(0, "stray");
  EXPECT_THROW(Generate(), Error) << "a tree out of step with the items is refused";
  EXPECT_EQ(sink.hint, "");
  EXPECT_FALSE(sink.busy);
}

}  // namespace
}  // namespace velmora
