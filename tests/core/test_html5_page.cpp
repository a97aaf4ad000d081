// The HTML5 page style: the list of links mirrors the tree with every text
// escaped, the script makes the classic script's builder call without
// evaluating strings and holds only what the list cannot, and the style is a
// per-run choice.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "document/errors.h"
#include "document/text.h"
#include "generator/generate.h"
#include "generator/html5_page.h"
#include "generator/page_style.h"
#include "test_support.h"

namespace velmora::test {
namespace {

const PageOptions kHtml5{PageStyle::Html5, "My <Menu>"};

// The entries of the page's list, in order, with the depth of <ul> each
// stands in, read back from the markup.
struct ListEntry {
  int depth;
  std::string tag;  // "a" or "span"
  std::string attributes;
  std::string text;
};

std::vector<ListEntry> ListOf(const std::string& page) {
  std::vector<ListEntry> entries;
  const std::regex token(R"(<ul>|</ul>|<li><(a|span)([^>]*)>([^<]*)</(a|span)>)");
  int depth = 0;
  for (std::sregex_iterator m(page.begin(), page.end(), token), end; m != end; ++m) {
    const std::string all = (*m)[0];
    if (all == "<ul>") {
      ++depth;
    } else if (all == "</ul>") {
      --depth;
    } else {
      EXPECT_EQ((*m)[1], (*m)[4]) << all;
      entries.push_back({depth, (*m)[1], (*m)[2], (*m)[3]});
    }
  }
  EXPECT_EQ(depth, 0) << "every list is closed";
  return entries;
}

class Html5 : public ::testing::Test {
 protected:
  TempFolder folder;
  TvornAppletAgent doc{folder.path()};
  ItemTree tree;
};

TEST_F(Html5, ListMirrorsTheTreeWithEveryTextEscaped) {
  BuildDesign(doc, tree, {0, 1, 2, 2, 1, 0, 1, 0});
  auto set = [this](int i, ItemField f, const std::string& v) { doc.Items[static_cast<size_t>(i)][f] = v; };
  set(0, ICaption, "Tom & \"Jerry\" <b>'s</b>");
  set(0, ILink, " page.html?a=1&b=\"2\" ");
  set(0, IToolTip, "Say \"hi\" & <go>");
  set(0, ITarget, "_blank");
  set(1, ICaption, "Caf\xE9 \x80 5");  // Windows-1252: e acute, euro sign
  set(1, ILink, "cafe.html");
  set(2, ILink, "  JavaScript:alert(1)");
  set(3, ILink, "d\tata:text/html,<script>alert(1)</script>");
  set(4, ILink, "off.html");
  set(4, DisableItem, "0");
  set(5, ILink, "");
  set(6, ILink, "https://example.org/x");
  set(6, ITarget, "_self");
  set(7, ILink, "vbscript:msgbox");

  const MenuTexts texts = GenerateMenuTexts(doc, tree, "menu5", kHtml5);
  const std::string& page = texts.page;
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html lang=\"en\">\n"));
  EXPECT_EQ(page.find('\r'), std::string::npos) << "lines end in LF";
  EXPECT_NE(page.find("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
            std::string::npos);
  EXPECT_NE(page.find("<title>My &lt;Menu&gt;</title>"), std::string::npos);
  EXPECT_NE(page.find("<script src=\"./jsmenu01cfg.js\" defer></script>\n"
                      "<script src=\"./jsmenu0.js\" defer></script>\n<!-- END -->\n"
                      "<div id=\"menu5div\">\n<nav aria-label=\"Menu\">\n<ul>"),
            std::string::npos);
  for (unsigned char b : page) EXPECT_LT(b, 0x80) << "the page is ASCII";

  const std::vector<ListEntry> list = ListOf(page);
  ASSERT_EQ(list.size(), 8u);
  const int levels[] = {0, 1, 2, 2, 1, 0, 1, 0};
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].depth, levels[i] + 1) << "entry " << i;
    // The bar's entries all have the common look, which they take by their place;
    // deeper ones show only without script.
    EXPECT_EQ(list[i].attributes.find("class="), std::string::npos) << "entry " << i;
  }
  EXPECT_EQ(page.find("\n "), std::string::npos) << "no indentation";
  EXPECT_EQ(list[0].tag, "a");
  EXPECT_EQ(list[0].text, "Tom &amp; &quot;Jerry&quot; &lt;b&gt;&#39;s&lt;/b&gt;");
  EXPECT_TRUE(list[0].attributes.starts_with(" href=\"page.html?a=1&amp;b=&quot;2&quot;\""));
  EXPECT_NE(list[0].attributes.find(" title=\"Say &quot;hi&quot; &amp; &lt;go&gt;\""), std::string::npos);
  EXPECT_NE(list[0].attributes.find(" target=\"_blank\""), std::string::npos);
  EXPECT_EQ(list[1].text, "Caf&#xE9; &#x20AC; 5");
  // Script and data links, and a disabled item, are text, never links.
  for (int i : {2, 3, 7}) EXPECT_EQ(list[static_cast<size_t>(i)].tag, "span") << i;
  EXPECT_EQ(list[4].tag, "span");
  EXPECT_NE(list[4].attributes.find("aria-disabled=\"true\""), std::string::npos);
  EXPECT_EQ(list[5].tag, "span") << "an item without a link";
  EXPECT_EQ(list[6].attributes.find("target"), std::string::npos) << "_self is the default";
  EXPECT_EQ(page.find("alert"), std::string::npos);
  EXPECT_EQ(page.find("msgbox"), std::string::npos);

  ASSERT_EQ(texts.warnings.size(), 3u);
  EXPECT_TRUE(texts.warnings[0].starts_with("item 3 \"C\": its link \"JavaScript:alert(1)\""));
  EXPECT_TRUE(texts.warnings[1].starts_with("item 4 \"D\""));
  EXPECT_TRUE(texts.warnings[2].starts_with("item 8 \"H\""));
}

TEST_F(Html5, ScriptHasTheClassicCallAndLeanRecordsWithoutEvaluatingText) {
  BuildDesign(doc, tree, {0, 1, 0});
  doc.Items[0][ICaption] = "It's <\\/script>";
  const MenuTexts classic = GenerateMenuTexts(doc, tree, "menu5");
  const MenuTexts html5 = GenerateMenuTexts(doc, tree, "menu5", kHtml5);
  // The looks are checked against the classic rules by ModernSheetSaysWhatTheClassicOneSays.
  EXPECT_TRUE(html5.stylesheet.starts_with("/* Velmora 1.0 */\n.menu5itemn1,"));
  EXPECT_TRUE(html5.script.starts_with("/* Velmora 1.0 */\nvar menu5cfg={r:["));
  EXPECT_EQ(html5.script.find('\r'), std::string::npos);
  EXPECT_NE(classic.script.find("Copyright"), std::string::npos);
  EXPECT_TRUE(classic.warnings.empty());

  auto lines = [](const std::string& script, const std::string& prefix) {
    std::vector<std::string> out;
    for (std::string_view line : SplitLines(script)) {
      if (line.starts_with(prefix)) out.emplace_back(line);
    }
    return out;
  };
  EXPECT_EQ(lines(classic.script, "bbae("), lines(html5.script, "bbae("));
  EXPECT_FALSE(lines(html5.script, "bbae(").empty());
  // The page's list holds captions, links and nesting: the script keeps one
  // record for the three alike items and each item's record number, the
  // child's in an array after its parent's.
  EXPECT_TRUE(lines(html5.script, "CImenu5(").empty());
  EXPECT_EQ(html5.script.find("script>"), std::string::npos);
  // Positions at the runtime's defaults are left out, the record ends at its last
  // value, and with one record for all there are no record numbers.
  EXPECT_EQ(lines(html5.script, "["),
            std::vector<std::string>{"[,,,,,,,,,,,,,,,,,'menu5itemn1','menu5itemo2','menu5itemc3']]};"});
  EXPECT_TRUE(lines(html5.script, "i:").empty());
  doc.Items[1][IWidth] = "99";
  doc.Items[1][ISubmenuItemGap] = "0";
  doc.Items[1][IRightIconUrl] = "r.gif";
  const std::string two = GenerateMenuTexts(doc, tree, "menu5", kHtml5).script;
  EXPECT_EQ(lines(two, "["), (std::vector<std::string>{
                                 "[,,,,,,,,,,,,,,,,,'menu5itemn1','menu5itemo2','menu5itemc3'],",
                                 "[,,,,,,,,,,,,,99,,,,'menu5itemn1','menu5itemo2','menu5itemc3',,,,,,,,,,,"
                                 "'r.gif',,,,,,,,,0]],"}));
  EXPECT_EQ(lines(two, "i:"), std::vector<std::string>{"i:[0,[1],0]};"});
  EXPECT_NE(classic.script.find("eval("), std::string::npos);
  for (const char* banned : {"eval", "Function(", "setTimeout('", "setTimeout(\""}) {
    EXPECT_EQ(html5.script.find(banned), std::string::npos) << banned;
  }
}

TEST_F(Html5, StyleComesFromTheRunAndLanguageIsChecked) {
  BuildDesign(doc, tree, {0});
  EXPECT_TRUE(GenerateMenuTexts(doc, tree, "menu5").page.starts_with("<!-- saved from url="));
  EXPECT_TRUE(GenerateMenuTexts(doc, tree, "menu5", {PageStyle::Classic, "x"}).page.starts_with("<!--"));

  EXPECT_EQ(ParsePageStyle("HTML5"), PageStyle::Html5);
  EXPECT_EQ(ParsePageStyle("classic"), PageStyle::Classic);
  EXPECT_EQ(ParsePageStyle("html"), std::nullopt);
  for (const char* good : {"en", "de", "pt-BR", "zh-Hant-TW", "de-CH-1996", "tlh"}) {
    EXPECT_TRUE(IsLanguageTag(good)) << good;
  }
  for (const char* bad :
       {"", "e", "en-", "-en", "en_GB", "english language", "en\"", "1en", "en-abcdefghi"}) {
    EXPECT_FALSE(IsLanguageTag(bad)) << bad;
  }
  EXPECT_THROW(Html5PageText(doc, "menu5", "en\" onload=\"x", "t"), ValueError);
}

TEST_F(Html5, CodeToPasteIsTheLoadingBlockAndContainerOfTheSamePage) {
  BuildDesign(doc, tree, {0, 1, 1, 0});
  // Texts that look like the body's tags must not move where the code ends.
  doc.Items[0][ICaption] = "</body>\r\n\r\n</div>";
  doc.Items[3][IToolTip] = "<body>";
  doc.Items[3][ILink] = "x.html";
  const std::string page = GenerateMenuTexts(doc, tree, "menu5", kHtml5).page;

  // Expected from the page's lines: the first comment through the
  // container's last line, each with its line end.
  std::vector<std::string_view> lines;
  for (std::string_view line : SplitLines(page)) lines.push_back(line);
  size_t first = 0, last = lines.size();
  while (first < lines.size() && lines[first] != "<!-- Velmora 1.0 -->") ++first;
  while (last > 0 && lines[last - 1] != "</div>") --last;
  ASSERT_LT(first, last);
  std::string expected;
  for (size_t i = first; i < last; ++i) expected += std::string(lines[i]) + "\n";

  const std::string code = Html5PasteCode(page);
  EXPECT_EQ(code, expected);
  EXPECT_TRUE(code.starts_with("<!-- Velmora 1.0 -->\n<!-- BEGIN -->\n<link "));
  EXPECT_TRUE(code.ends_with("</ul>\n</nav>\n</div>\n"));
  EXPECT_EQ(ListOf(code).size(), 4u);
  const size_t at = page.find("</head>\n<body>\n\n" + code);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(page.substr(at + 16 + code.size()), "\n</body>\n</html>\n");
  // A page published with CR LF line ends, as they used to be, gives its code alike.
  std::string crlf, crlfCode;
  for (std::string_view line : SplitLines(page)) AppendLine(crlf, line);
  for (std::string_view line : SplitLines(code)) AppendLine(crlfCode, line);
  EXPECT_EQ(Html5PasteCode(crlf), crlfCode);
  for (const char* whole : {"<!DOCTYPE", "<title>", "<head>", "<html", "<meta"}) {
    EXPECT_EQ(code.find(whole), std::string::npos) << whole;
  }

  // What Build HTML shows follows the run's style, else the design's.
  const std::string classic = GenerateMenuTexts(doc, tree, "menu5").page;
  EXPECT_EQ(CodeToPaste(doc, {}, classic), classic);
  EXPECT_EQ(CodeToPaste(doc, kHtml5, page), code);
  StorePageSettings(doc, {PageStyle::Html5, "en"});
  EXPECT_EQ(CodeToPaste(doc, {}, page), code);
  EXPECT_EQ(CodeToPaste(doc, {PageStyle::Classic, ""}, classic), classic);
  EXPECT_THROW(Html5PasteCode(classic), ValueError);
  EXPECT_THROW(Html5PasteCode(""), ValueError);
}

TEST_F(Html5, ListStylesGiveEachDistinctBoxOneRule) {
  BuildDesign(doc, tree, {0, 0, 1});
  doc.Items[1][IWidth] = "200";
  doc.Items[2][ITextAlign] = "1";
  doc.Items[2][IPaddingLeft] = "-5";
  const MenuTexts texts = GenerateMenuTexts(doc, tree, "menu5", kHtml5);
  const std::string& css = texts.stylesheet;
  // A tie between the bar's two looks goes to the first: its entry carries no class.
  EXPECT_NE(css.find(".menu5box1,#menu5div>nav>ul>li>a:not([class]),#menu5div>nav>ul>li>span:not([class])"
                     "{width:150px;min-height:20px;padding:0 10px 0 4px}"),
            std::string::npos);
  const std::vector<ListEntry> list = ListOf(texts.page);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].attributes.find("class="), std::string::npos);
  EXPECT_NE(list[1].attributes.find(" class=\"" + doc.Items[1][IClassNormal].str() + " menu5box2\""),
            std::string::npos);
  EXPECT_NE(css.find(".menu5box2{width:200px;"), std::string::npos);
  EXPECT_NE(css.find(".menu5box3{width:150px;min-height:20px;padding:0 10px 0 0;justify-content:center}"),
            std::string::npos);
  EXPECT_EQ(css.find(".menu5box4"), std::string::npos);
  EXPECT_NE(css.find("@media (scripting:enabled){#menu5div>nav ul ul{display:none}}"), std::string::npos);
}

TEST_F(Html5, BarWiderThanAnyScreenShowsOneRowUntilTheRuntimeRuns) {
  // 150 px entries 1 px apart: the 27th starts at 3926 px, past a 3840 px screen.
  std::vector<int> levels(40, 0);
  levels[3] = 1;  // submenu entries are not the bar's
  BuildDesign(doc, tree, levels);
  const std::string rule = "@media (scripting:enabled){#menu5div>nav>ul>li:nth-child(n+27){display:none}}";
  EXPECT_NE(GenerateMenuTexts(doc, tree, "menu5", kHtml5).stylesheet.find(rule), std::string::npos);
  doc.Items[0][IWidth] = "-9";  // drawn 0 px wide
  EXPECT_NE(GenerateMenuTexts(doc, tree, "menu5", kHtml5).stylesheet.find("li:nth-child(n+28){"),
            std::string::npos);
  doc.AppletData[pMainMenuDirection] = "0";  // a column never turns into the button
  EXPECT_EQ(GenerateMenuTexts(doc, tree, "menu5", kHtml5).stylesheet.find("nth-child"), std::string::npos);
  levels.resize(26);
  BuildDesign(doc, tree, levels);
  doc.AppletData[pMainMenuDirection] = "1";
  EXPECT_EQ(GenerateMenuTexts(doc, tree, "menu5", kHtml5).stylesheet.find("nth-child"), std::string::npos);
}

TEST_F(Html5, SettingsRoundTripThroughTheProjectFileAndChooseThePage) {
  BuildDesign(doc, tree, {0, 1});
  doc.SaveProject(folder / "before.velm");
  StorePageSettings(doc, {PageStyle::Classic, "en"});
  doc.SaveProject(folder / "classic.velm");
  EXPECT_EQ(Slurp(folder / "classic.velm"), Slurp(folder / "before.velm"))
      << "classic designs keep their bytes";

  doc.Items[0][ICaption] =
      "\xC3\xBC"
      "ber \xE2\x82\xAC";  // UTF-8 text
  doc.Encoding = TextEncoding::Utf8;
  StorePageSettings(doc, {PageStyle::Html5, "de-CH"});
  doc.SaveProject(folder / "modern.velm");
  EXPECT_NE(Slurp(folder / "modern.velm").find("Page_Style=HTML5\r\nPage_Language=de-CH\r\n"),
            std::string::npos);

  TvornAppletAgent loaded(folder.path());
  ItemTree loadedTree;
  ASSERT_EQ(loaded.LoadProject(folder / "modern.velm", loadedTree).outcome, ReadOutcome::Loaded);
  const PageSettings settings = PageSettingsOf(loaded);
  EXPECT_EQ(settings.style, PageStyle::Html5);
  EXPECT_EQ(settings.language, "de-CH");
  const std::string page = GenerateMenuTexts(loaded, loadedTree, "menu5").page;
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html lang=\"de-CH\">"));
  EXPECT_NE(page.find(">&#xFC;ber &#x20AC;</span>"), std::string::npos);
  EXPECT_TRUE(
      GenerateMenuTexts(loaded, loadedTree, "menu5", {PageStyle::Classic, ""}).page.starts_with("<!--"));

  // Back to classic: the style key goes, the language stays with the design.
  StorePageSettings(loaded, {PageStyle::Classic, "de-CH"});
  EXPECT_FALSE(loaded.Extensions.Has(kPageStyleKey));
  EXPECT_EQ(loaded.Extensions.Value(kPageLanguageKey), "de-CH");
  loaded.Extensions.Set(kPageStyleKey, "HTML5");
  loaded.Extensions.Set(kPageLanguageKey, "Deutsch (Schweiz)");
  EXPECT_THROW(GenerateMenuTexts(loaded, loadedTree, "menu5"), ValueError);
}

}  // namespace
}  // namespace velmora::test
