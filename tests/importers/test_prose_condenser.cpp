// Prose handed to the parser in short: random pages built from the markup
// that trips up a scan of tags (comments, raw text, foreign content, tables,
// stray end tags) must give the same lists as the page as written; plain
// pages must really be condensed, and a scan misled by markup must be caught
// by the check of the parsed tree.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "importers/prose_condenser.h"
#include "importers/web_page.h"

namespace velmora {
namespace {

// Proven: condensed, parsed, and every mark found in prose outside lists.
bool CondensingHolds(const std::string& page) {
  const std::optional<web::CondensedPage> condensed = web::CondenseProse(page);
  if (!condensed) return false;
  GumboOutput* output =
      gumbo_parse_with_options(&kGumboDefaultOptions, condensed->text.data(), condensed->text.size());
  const bool holds = web::MarksAllInProse(output->document, condensed->marks);
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  return holds;
}

void ExpectSameLists(const std::string& page) {
  const WebPage condensed(page, "p.html");
  const WebPage asWritten(page, "p.html", WebPageScope::AllLists, ProseReading::AsWritten);
  ASSERT_EQ(condensed.Lists().size(), asWritten.Lists().size()) << page;
  for (size_t k = 0; k < condensed.Lists().size(); ++k) {
    const WebMenuList &mine = condensed.Lists()[k], &theirs = asWritten.Lists()[k];
    EXPECT_EQ(mine.where, theirs.where) << page;
    EXPECT_EQ(mine.inNav, theirs.inNav) << page;
    EXPECT_TRUE(mine.items == theirs.items) << page;
    EXPECT_EQ(mine.warnings, theirs.warnings) << page;
  }
  const WebPage first(page, "p.html", WebPageScope::FirstNavigationList);
  EXPECT_EQ(first.DefaultList() < 0, asWritten.DefaultList() < 0) << page;
  if (asWritten.DefaultList() >= 0) {
    EXPECT_TRUE(first.ChosenList().items == asWritten.ChosenList().items) << page;
  }
}

const std::vector<std::string> kPlain = {
    "<p class=\"lead\">Workshop news for everyone who reads them &amp; more.</p>\n",
    "<nav id=\"n\"><ul><li><a href=\"/a\">Alpha products</a><ul><li><a href=b>Beta line</a></li></ul></li>"
    "<li><a href=\"/c\" title=\"C\">Gamma &amp; sons</a></li></ul></nav>",
    "<ul class=menu><li>Group heading text<ul><li><a href=/x>Ex item</a><li><a href=/y>Why "
    "item</a></ul></ul>",
    "<div><h2>A heading of some length</h2><em>emphasised words here</em> and more words</div>",
    "<a href=\"/story\" title=\"a > b\">story link with words</a> trailing prose text",
    "<img alt=\"picture of a cat\" src=c.png> text after a picture",
    "<!-- a comment with <p>tags</p> inside it --> prose after the comment",
    "<script>if (a < b && c > d) { x = \"</p>\"; }</script> prose after a script",
    "<table><tr><td>cell text that is long</td></tr></table>",
};

const std::vector<std::string> kTricky = {
    "<svg><![CDATA[ a > b and some longer words ]]></svg> prose after the picture",
    "<svg><style>.a{fill:red}</style><text>words inside the picture</text></svg>",
    "<table>stray text in a table before its rows<tr><td>x</td></tr></table>",
    "</ul></ol> stray end tags then words",
    "<ul><li><a href=a>A</a><table><td></ul>text in a cell inside a list</table></ul>",
    "<li><a href=q>Loose item</a> outside any list, with words",
    "<!--> short comment then words <!---> another then words --!> more words -->",
    "<!-- unclosed --!> comment words <b>bold</b> -->",
    "<textarea><ul><li><a href=t>Not a list</a></ul></textarea> words after",
    "<title>a title with words</title><noscript><p>no script words</p></noscript>",
    "<pre>\nprose in pre with a leading line break</pre>",
    "<p>numeric references &#57344; &#xE000; &#65; spell words</p>",
    "<frameset><frame src=a>words in a frameset</frameset>",
    "<select><option>option words are long</select>",
    "<b><p>misnested bold paragraph text</b> continues here</p>",
    "<plaintext>everything after this is text <ul><li><a href=z>Z</a></ul>",
    "<script><!--<script>document.write('</script>prose in an escaped script')--></script> tail words",
    "<a href='x' title=\"unclosed quote>words words words words",
    "<math><mi>x</mi><mtext>math words go here</mtext></math>",
    "&ampwords&#x41;more words &notit; and even more words",
    std::string("words with a\0null byte inside them", 34),
    "<svg><![CDATA[>d]]>seashore words><ul><li><a href=]]>t<a href>",
    "<svg><![CDATA[>d]]>sea><ul><li><a href=\"x]]>\">t</a><li><a href=y>y</a></ul>",
};

TEST(ProseCondenser, RandomPagesGiveTheSameListsAsThePageAsWritten) {
  std::mt19937 random(20261208);
  std::vector<std::string> all = kPlain;
  all.insert(all.end(), kTricky.begin(), kTricky.end());
  for (int round = 0; round < 400; ++round) {
    std::string page = random() % 2 ? "<!DOCTYPE html><html><body>" : "";
    const int pieces = 1 + static_cast<int>(random() % 12);
    for (int k = 0; k < pieces; ++k) page += all[random() % all.size()];
    ExpectSameLists(page);
  }
}

TEST(ProseCondenser, PlainPagesAreCondensedAndMisreadMarkupIsCaught) {
  std::string plain = "<!DOCTYPE html><html><body>";
  for (const std::string& piece : kPlain) plain += piece;
  const std::optional<web::CondensedPage> condensed = web::CondenseProse(plain);
  ASSERT_TRUE(condensed);
  EXPECT_LT(condensed->text.size(), plain.size());
  // Prose inside lists stays as written: the captions come from it.
  EXPECT_NE(condensed->text.find("Alpha products"), std::string::npos);
  EXPECT_NE(condensed->text.find("Group heading text"), std::string::npos);
  EXPECT_EQ(condensed->text.find("Workshop news"), std::string::npos);
  EXPECT_TRUE(CondensingHolds(plain));

  // The scan ends a script at its first end tag, also where an escaped
  // "<script>" inside keeps it open, and so puts a mark in the script.
  EXPECT_FALSE(CondensingHolds(plain + kTricky[16]));
  // A mark inside character data, which the parser joins with the text
  // after it into one text node.
  const std::string inData =
      std::string("<svg><![CDATA[>d") + std::string(web::kProseMark) + "<ul><li><a href=]]>t<a href>";
  GumboOutput* output = gumbo_parse(inData.c_str());
  EXPECT_FALSE(web::MarksAllInProse(output->document, 1));
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  // A list closed by the scan but not by the parser (the end tag lies in a
  // table cell) would shorten captions: the tree shows it.
  EXPECT_FALSE(CondensingHolds(plain + kTricky[4]));
  // A page that holds the mark character is read as written.
  EXPECT_FALSE(web::CondenseProse(plain + kTricky[11]));
  EXPECT_FALSE(web::CondenseProse(plain + "\xEE\x80\x80"));
}

}  // namespace
}  // namespace velmora
