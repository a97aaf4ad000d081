// Web page import: fixture pages of the markups sites use, imported into a
// design and exported as structure files, compared with expected files; the
// choice of list, tool tips, targets and the untouched defaults.
// VELMORA_UPDATE_EXPECTED=1 rewrites the expected files from the output.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "document/errors.h"
#include "generator/contrast.h"
#include "importers/web_menu_import.h"
#include "importers/web_page.h"
#include "test_support.h"

namespace velmora {
namespace {

const std::string kHere = VELMORA_IMPORTER_TESTS;

std::string Fixture(const std::string& name) {
  return kHere + "/fixtures/" + name + ".html";
}

// Every value but the five an import carries is the default.
void ExpectDefaultsBesideImportedFields(const TvornAppletAgent& doc) {
  TvornAppletAgent fresh;
  fresh.ResetDocument();
  EXPECT_EQ(TvornAppletAgent::AppletDataToStrings(doc.AppletData),
            TvornAppletAgent::AppletDataToStrings(fresh.AppletData));
  const TStringArray defaults = TvornAppletAgent::ItemToStrings(TvornAppletAgent::MakeDefaultItem());
  for (int i = 0; i < doc.ItemCount(); ++i) {
    const TStringArray item = TvornAppletAgent::ItemToStrings(doc.GetItem(i));
    for (int k = 0; k < kItemFieldCount; ++k) {
      if (k == ICaption || k == ILink || k == ITarget || k == IToolTip || k == ILevel) continue;
      EXPECT_EQ(item[static_cast<size_t>(k)], defaults[static_cast<size_t>(k)])
          << "item " << i << " field " << k;
    }
  }
}

void ExpectTreeInStep(const TvornAppletAgent& doc, const ItemTree& tree) {
  ASSERT_EQ(tree.NodeCount(), doc.ItemCount() + 1);
  for (int node = 1; node < tree.NodeCount(); ++node) {
    const TItemData& item = doc.Items[static_cast<size_t>(node - 1)];
    EXPECT_EQ(std::to_string(tree.Depth(node) - 1), item[ILevel]);
    EXPECT_EQ(tree.Text(node), item[ICaption]);
  }
}

class FixturePages : public ::testing::TestWithParam<std::string> {};

TEST_P(FixturePages, ImportAndExportAsExpected) {
  const WebPage page = WebPage::Read(Fixture(GetParam()));
  TvornAppletAgent doc;
  doc.ResetDocument();
  ItemTree tree;
  ImportWebMenu(page.ChosenList(), page.SourceName(), doc, tree);
  ExpectTreeInStep(doc, tree);
  ExpectDefaultsBesideImportedFields(doc);

  test::TempFolder temp;
  doc.ExportStructure(temp / "out.gms", tree);
  const std::string expected = kHere + "/expected/" + GetParam() + ".gms";
  if (std::getenv("VELMORA_UPDATE_EXPECTED"))
    std::filesystem::copy_file(temp / "out.gms", expected, std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(test::Slurp(temp / "out.gms"), test::Slurp(expected)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Markups, FixturePages,
                         ::testing::Values("bootstrap_navbar", "wordpress_menu", "mega_menu",
                                           "plain_nested"));

// Pages in the shapes sites take: the default is the list a person would
// take, whatever comes before it or is larger; hidden copies are offered
// but never the default.
TEST(WebImport, EachShapeOfPageGivesItsMainNavigation) {
  struct Shape {
    std::string page;
    std::string first, last;  // top-level captions of the default
    size_t items, lists, hidden;
  };
  const Shape shapes[] = {
      {"admin_account_dropdown", "Books", "Suppliers", 11, 2, 0},
      {"blog_tags_pagination", "Home", "Contact", 7, 4, 0},
      {"blog_widget_navs_unnamed_menu", "Home", "About", 4, 5, 0},
      {"cookie_banner_first", "Walks", "News", 4, 2, 0},
      {"docs_toc", "Installing", "Changelog", 14, 3, 0},
      {"footer_sitemap", "Home", "Contact", 5, 3, 0},
      {"header_without_nav", "Collections", "Contact", 7, 3, 0},
      {"hidden_copies", "Home", "Contact", 4, 6, 5},
      {"language_nav_first", "Visita", "Colecciones", 4, 2, 0},
      {"navbar_two_lists", "Home", "Donate", 9, 2, 0},
      {"news_sections", "News", "Obituaries", 9, 5, 0},
      {"post_with_toc_nav", "Posts", "About", 4, 3, 0},
      {"related_nav_before_menubar", "About", "Admissions", 13, 2, 0},
      {"shop_mega_account_language", "Fahrräder", "Angebote", 23, 5, 0},
      {"tab_strip_before_sidebar", "Records", "Errors", 14, 2, 0},
      {"table_layout_link_page", "Home", "Links", 6, 2, 0},
      {"docs_tabs_sidebar_toc", "Setup", "Privacy", 60, 3, 0},
      {"wiki_portals_and_languages", "Main page", "Contact us", 6, 10, 0},
      {"one_page_fragment_nav", "Il menu", "Contatti", 5, 2, 0},
      {"council_skip_secondary_footer", "Bins and recycling", "Schools", 6, 6, 0},
      {"dashboard_navbar_sidebar_pills", "Dashboard", "Help", 4, 5, 0},
      {"unnamed_language_nav_first", "Pokoje", "Kontakt", 4, 2, 0},
  };
  for (const Shape& shape : shapes) {
    const WebPage page = WebPage::Read(Fixture("shapes/" + shape.page));
    ASSERT_EQ(page.DefaultList(), 0) << shape.page;
    const WebMenuList& taken = page.ChosenList();
    const std::vector<std::string> captions = taken.FirstCaptions(100);
    EXPECT_EQ(captions.front(), shape.first) << shape.page;
    EXPECT_EQ(captions.back(), shape.last) << shape.page;
    EXPECT_EQ(taken.items.size(), shape.items) << shape.page;
    EXPECT_EQ(page.Lists().size(), shape.lists) << shape.page;
    EXPECT_EQ(static_cast<size_t>(std::count_if(page.Lists().begin(), page.Lists().end(),
                                                [](const WebMenuList& list) { return list.hidden; })),
              shape.hidden)
        << shape.page;
  }
}

// A disclosure menu keeps its submenus hidden until their button opens
// them: they are part of the menu; a hidden entry is not.
TEST(WebImport, ClosedSubmenusAreReadHiddenEntriesAreNot) {
  const WebPage page(
      "<nav><ul><li><button aria-expanded=false aria-controls=a>About</button>"
      "<ul id=a hidden><li><a href=/o>Overview</a><li><a href=/h>History</a></ul>"
      "<li><button aria-expanded=false>Shop</button><div class=panel hidden><h3>Bikes</h3>"
      "<ul><li><a href=/c>City</a></ul><template><ul><li><a href=/t>Template</a></ul></template></div>"
      "<li hidden><a href=/b>Beta</a><li><a href=/k>Contact</a></ul></nav>",
      "p.html");
  std::vector<std::pair<int, std::string>> items;
  for (const WebMenuItem& item : page.ChosenList().items) items.emplace_back(item.level, item.caption);
  EXPECT_EQ(items, (std::vector<std::pair<int, std::string>>{{0, "About"},
                                                             {1, "Overview"},
                                                             {1, "History"},
                                                             {0, "Shop"},
                                                             {1, "Bikes"},
                                                             {2, "City"},
                                                             {0, "Contact"}}));
}

TEST(WebImport, ToolTipsAndTargetsComeFromTheLinks) {
  const WebPage page = WebPage::Read(Fixture("plain_nested"));
  TvornAppletAgent doc;
  ItemTree tree;
  ImportWebMenu(page.ChosenList(), page.SourceName(), doc, tree);
  ASSERT_EQ(doc.ItemCount(), 10);
  EXPECT_EQ(doc.Items[2][ICaption], "Widgets & Gadgets");
  EXPECT_EQ(doc.Items[2][IToolTip], "All the \"widgets\"");
  EXPECT_EQ(doc.Items[5][ITarget], "archive");
  EXPECT_EQ(doc.Items[0][ITarget], "_self");
  EXPECT_EQ(doc.Items[0][IToolTip], "");
  EXPECT_EQ(page.ChosenList().warnings,
            std::vector<std::string>{"item 6 \"Old catalogue\": the caption held a line break; it was "
                                     "replaced by a space"});
}

TEST(WebImport, ChoosesTheNavigationListAndOffersTheOthers) {
  const WebPage page = WebPage::Read(Fixture("wordpress_menu"));
  // The social links come first but lie outside any <nav>; the recent posts
  // are a plain list with two links; the footer menu sits in a second <nav>.
  // The default comes first, the others follow in document order.
  ASSERT_EQ(page.Lists().size(), 4u);
  EXPECT_EQ(page.DefaultList(), 0);
  EXPECT_EQ(
      page.Lists()[0].where,
      "<ul id=\"primary-menu\" class=\"menu\"> in <nav id=\"site-navigation\" class=\"main-navigation\" "
      "aria-label=\"Primary Menu\">");
  EXPECT_EQ(page.Lists()[0].FirstCaptions(3), (std::vector<std::string>{"Home", "Services", "Journal"}));
  EXPECT_EQ(page.Lists()[0].items.size(), 9u);
  EXPECT_EQ(page.Lists()[1].FirstCaptions(5), (std::vector<std::string>{"Follow us", "RSS"}));
  EXPECT_FALSE(page.Lists()[2].inNav);
  EXPECT_EQ(page.Lists()[3].FirstCaptions(5), (std::vector<std::string>{"Privacy", "Imprint"}));
  EXPECT_EQ(page.Language(), "en-GB");

  // --select takes a list by its id, or the first list inside an element.
  EXPECT_EQ(page.SelectedList("footer-menu").FirstCaptions(5), page.Lists()[3].FirstCaptions(5));
  EXPECT_EQ(page.SelectedList("colophon").FirstCaptions(5), page.Lists()[3].FirstCaptions(5));
  EXPECT_EQ(page.SelectedList("masthead").FirstCaptions(5), page.Lists()[1].FirstCaptions(5));
  EXPECT_THROW(
      {
        try {
          page.SelectedList("no-such-id");
        } catch (const ImportError& e) {
          EXPECT_EQ(std::string(e.what()),
                    "no element with the id \"no-such-id\" in " + Fixture("wordpress_menu"));
          throw;
        }
      },
      ImportError);
  EXPECT_EQ(page.SelectedList("menu-item-20").FirstCaptions(5),
            (std::vector<std::string>{"Garden Design", "Garden Care"}));
  EXPECT_THROW(page.SelectedList("menu-item-12"), ImportError);  // an element without a list
}

TEST(WebImport, TheListsOfOneNavMakeOneMenuButSkipLinksStayApart) {
  const WebPage page(
      "<nav id=n><ul class='skip-links'><li><a href='#c'>Skip to content</a></ul>"
      "<ul><li><a href=a>A</a><li><a href=b>B</a></ul><form><input></form><ul><li><a href=c>C</a></ul></nav>",
      "p.html");
  ASSERT_EQ(page.Lists().size(), 2u);
  EXPECT_EQ(page.ChosenList().FirstCaptions(5), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(page.ChosenList().where, "<ul> and <ul> in <nav id=\"n\">");
  EXPECT_EQ(page.Lists()[1].FirstCaptions(5), std::vector<std::string>{"Skip to content"});
  // --select of the <nav> takes all of its lists.
  EXPECT_EQ(page.SelectedList("#n").items.size(), 4u);
}

TEST(WebImport, WithoutANavAPlainListNeedsTwoLinks) {
  const WebPage one(
      "<ul><li><a href=a>A</a></li><li>B</li></ul><ul><li><a href=c>C</a><li><a href=d>D</a></ul>", "p.html");
  ASSERT_EQ(one.Lists().size(), 1u);
  EXPECT_EQ(one.ChosenList().FirstCaptions(5), (std::vector<std::string>{"C", "D"}));
  const WebPage inNav(
      "<ul><li><a href=a>A</a><li><a href=b>B</a></ul><nav><ul><li><a href=c>C</a></ul></nav>", "p.html");
  EXPECT_EQ(inNav.ChosenList().FirstCaptions(5), std::vector<std::string>{"C"});

  for (const char* nothing : {
           "",
           "<p>No lists <a href=x>here</a></p>",
           "{\"menu\": [\"json\", \"not html\"]}",
           "\x89PNG\r\n\x1a\n\0\0\0\rIHDR",
           "<nav><ul><li>Only text<li>More text</ul></nav>",
       }) {
    const WebPage page(nothing, "x.html");
    EXPECT_EQ(page.DefaultList(), -1) << nothing;
    try {
      page.ChosenList();
      ADD_FAILURE() << "a list was found in " << nothing;
    } catch (const ImportError& e) {
      EXPECT_EQ(std::string(e.what()), "no navigation list found in x.html");
    }
  }
}

TEST(WebImport, APageOfHiddenListsOffersThemButTakesNone) {
  const WebPage page("<nav hidden><ul><li><a href=a>A</a><li><a href=b>B</a></ul></nav>", "x.html");
  EXPECT_EQ(page.DefaultList(), -1);
  ASSERT_EQ(page.Lists().size(), 1u);
  EXPECT_TRUE(page.Lists()[0].hidden);
  EXPECT_EQ(page.PickedList(1).FirstCaptions(5), (std::vector<std::string>{"A", "B"}));
  try {
    page.ChosenList();
    ADD_FAILURE() << "a hidden list was taken";
  } catch (const ImportError& e) {
    EXPECT_EQ(
        std::string(e.what()),
        "no visible navigation list found in x.html; its hidden lists can be picked (--list shows them)");
  }
}

TEST(WebImport, RefusalsLeaveTheOpenDesignUntouched) {
  TvornAppletAgent doc;
  doc.ResetDocument();
  ItemTree tree;
  test::BuildDesign(doc, tree, {0, 1, 0});
  doc.AppletData[pOpenDelay] = "77";
  const TStringArray before = TvornAppletAgent::ItemToStrings(doc.Items[1]);

  std::string tooMany = "<nav><ul>";
  for (int i = 0; i <= kMostImportedItems; ++i) tooMany += "<li><a href=x>x</a>";
  std::string tooDeep = "<nav><ul><li><a href=a>A</a>";
  for (int level = 1; level <= kMostImportedLevels; ++level) tooDeep += "<ul><li><a href=b>B</a>";
  const std::pair<std::string, std::string> refused[] = {
      {tooMany,
       "p.html: the list holds more than 100,000 items, more than a design can hold; nothing was imported"},
      {tooDeep,
       "p.html: the list is nested deeper than 32 levels, more than a design can hold; nothing was imported"},
  };
  for (const auto& [html, message] : refused) {
    const WebPage page(html, "p.html");
    try {
      ImportWebMenu(page.ChosenList(), page.SourceName(), doc, tree);
      ADD_FAILURE() << "not refused: " << message;
    } catch (const ImportError& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
    EXPECT_EQ(doc.ItemCount(), 3);
    EXPECT_EQ(tree.NodeCount(), 4);
    EXPECT_EQ(doc.AppletData[pOpenDelay], "77");
    EXPECT_EQ(TvornAppletAgent::ItemToStrings(doc.Items[1]), before);
  }

  // The limits themselves are allowed.
  std::string most = "<nav><ul>";
  for (int i = 0; i < kMostImportedItems; ++i) most += "<li><a href=x>x</a>";
  ImportWebMenu(WebPage(most, "p.html").ChosenList(), "p.html", doc, tree);
  EXPECT_EQ(doc.ItemCount(), kMostImportedItems);
  tooDeep.resize(tooDeep.rfind("<ul>"));
  ImportWebMenu(WebPage(tooDeep, "p.html").ChosenList(), "p.html", doc, tree);
  EXPECT_EQ(doc.ItemCount(), kMostImportedLevels);
  EXPECT_EQ(tree.Depth(kMostImportedLevels), kMostImportedLevels);
}

// The imported design takes the shipped light template's look: every state
// readable (4.5:1), items as wide as their captions need, and the page's
// language when the page style is HTML5.
TEST(WebImport, TheResultTakesATemplatesLookAndThePagesLanguage) {
  TvornAppletAgent look;
  ItemTree lookTree;
  ASSERT_EQ(look.LoadProject(kHere + "/../../resources/templates/light_bar.velm", lookTree).outcome,
            ReadOutcome::Loaded);
  const WebPage page = WebPage::Read(Fixture("account_dropdown_first"));
  EXPECT_EQ(page.Language(), "fr");
  for (const std::optional<PageStyle> style : {std::optional<PageStyle>(), std::optional(PageStyle::Html5)}) {
    TvornAppletAgent doc;
    ItemTree tree;
    ImportWebMenu(page.ChosenList(), page.SourceName(), doc, tree, {&look, style, page.Language()});
    ExpectTreeInStep(doc, tree);
    EXPECT_EQ(PageSettingsOf(doc).language, style ? "fr" : "en");
    EXPECT_EQ(doc.AppletData[pOpenDelay], look.AppletData[pOpenDelay]);
    TvornAppletAgent fresh;
    fresh.ResetDocument();
    EXPECT_EQ(doc.AppletData[pMenuName], fresh.AppletData[pMenuName]);
    int submenuWidth = 0;
    for (int i = 0; i < doc.ItemCount(); ++i) {
      const TItemData& item = doc.Items[static_cast<size_t>(i)];
      for (const int start : kStateBlockStart) {
        EXPECT_GE(ContrastRatio(item[static_cast<ItemField>(start + kColor)],
                                item[static_cast<ItemField>(start + kBackgroundColor)]),
                  kMinimumTextContrast)
            << i;
      }
      const int width = StrictToInt(item[IWidth]);
      const int fontSize = StrictToInt(item[IFontSizeNormal]);
      EXPECT_GE(width, static_cast<int>(std::string_view(item[ICaption]).size()) * fontSize / 2)
          << item[ICaption];
      if (item[ILevel] == "1") {
        if (submenuWidth == 0) submenuWidth = width;
        if (item[ICaption] == "Robes" || item[ICaption] == "Vestes") {
          EXPECT_EQ(width, submenuWidth);
        }
      }
      EXPECT_EQ(item[IClassNormal], "");  // given by the generator
    }
  }
  // Without a look every value but the page's is the default.
  TvornAppletAgent plain;
  ItemTree tree;
  ImportWebMenu(page.ChosenList(), page.SourceName(), plain, tree, {nullptr, PageStyle::Html5, "not a tag!"});
  EXPECT_EQ(PageSettingsOf(plain).language, "en");
  EXPECT_EQ(PageSettingsOf(plain).style, PageStyle::Html5);
  ImportWebMenu(page.ChosenList(), page.SourceName(), plain, tree, {nullptr, PageStyle::Html5, "pt_BR"});
  EXPECT_EQ(PageSettingsOf(plain).language, "pt-BR");
}

// Pages nested beyond what browsers build are refused before parsing;
// ordinary pages with the end tags HTML lets a page leave out are not.
TEST(WebImport, DeepNestingIsRefusedBeforeParsing) {
  std::string sloppy = "<nav><ul>";
  for (int k = 0; k < 3000; ++k)
    sloppy += "<li><a href=x>x</a><p>para<p>para<table><tr><td>1<td>2<tr><td>3</table>";
  sloppy += "</ul></nav><select>";
  for (int k = 0; k < 3000; ++k) sloppy += "<option>o";
  sloppy += "</select><dl>";
  for (int k = 0; k < 3000; ++k) sloppy += "<dt>t<dd>d";
  sloppy += "</dl><svg>" + std::string(3000 * 6, ' ');
  for (int k = 0; k < 3000; ++k) sloppy += "<path/>";
  sloppy += "</svg><script>" + std::string(2000, '<') + "<div>" + "</script><!-- <div><div> -->";
  EXPECT_EQ(WebPage(sloppy, "p.html").ChosenList().items.size(), 3000u);

  for (const std::string& unit :
       {std::string("<div>"), std::string("<ul><li>"), std::string("<b><i>"), std::string("<div></span>"),
        std::string("<table><td><div></b>"), std::string("<b><div></b>")}) {
    std::string deep;
    for (int k = 0; k < 600; ++k) deep += unit;
    try {
      const WebPage page(deep, "deep.html");
      ADD_FAILURE() << "not refused: " << unit;
    } catch (const ImportError& e) {
      EXPECT_EQ(
          std::string(e.what()),
          "deep.html: the page nests its elements deeper than 512 levels, as no browser shows it; nothing "
          "was imported");
    }
  }
}

}  // namespace
}  // namespace velmora
