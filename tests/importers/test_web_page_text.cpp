// Web page import, the texts: entities and white space, captions taken
// from labels, script links and unstorable characters mended with warnings,
// and the page encodings.

#include <gtest/gtest.h>

#include "document/errors.h"
#include "importers/web_menu_import.h"
#include "importers/web_page.h"

namespace velmora {
namespace {

// The page's default list imported into a fresh design.
struct Imported {
  explicit Imported(const std::string& html) : page(html, "page.html") {
    doc.ResetDocument();
    ImportWebMenu(page.ChosenList(), page.SourceName(), doc, tree);
  }
  std::string Field(int item, ItemField field) const {
    return std::string(doc.Items.at(static_cast<size_t>(item))[field]);
  }
  const std::vector<std::string>& Warnings() const { return page.ChosenList().warnings; }

  WebPage page;
  TvornAppletAgent doc;
  ItemTree tree;
};

TEST(WebImportText, CaptionsFromTextLabelsOrAPlaceholder) {
  const Imported page(
      "<nav><ul>"
      "<li><a href='a'>\n  Caf&eacute; &amp;\t<b>Bar</b>&nbsp; </a></li>"
      "<li><a href='b' aria-label='Search the site'><svg><path d='M0'/></svg></a></li>"
      "<li><a href='c' title='Print'></a></li>"
      "<li><a href='d'><span class='visually-hidden'>Cart</span><i class='icon'></i></a></li>"
      "<li><a href='e'>Home <span class='sr-only'>(current)</span></a></li>"
      "<li><a href='f'><img src='logo.png' alt='Logo'> Brand</a></li>"
      "<li><a href='g'><div>Two</div><div>blocks</div></a></li>"
      "<li><a href='h'> </a></li>"
      "<li class='divider' role='separator'></li>"
      "<li><hr></li>"
      "<li><span>Group</span> <!-- comment --><ul><li><a href=''>Child</a></li></ul></li>"
      "<li><ul><li><a href='i'>Orphan</a></li></ul></li>"
      "</ul></nav>");
  const std::vector<std::string> captions = {"Caf\xE9 & Bar", "Search the site", "Print",      "Cart",
                                             "Home",          "Logo Brand",      "Two blocks", "Item",
                                             "Group",         "Child",           "Item",       "Orphan"};
  ASSERT_EQ(page.doc.ItemCount(), static_cast<int>(captions.size()));
  for (size_t i = 0; i < captions.size(); ++i)
    EXPECT_EQ(page.Field(static_cast<int>(i), ICaption), captions[i]);
  EXPECT_EQ(page.Field(8, ILink), "");  // a heading of a group has no link
  EXPECT_EQ(page.Field(9, ILevel), "1");
  EXPECT_EQ(page.Warnings(),
            (std::vector<std::string>{"item 8 \"Item\": has no caption; it is called \"Item\"",
                                      "item 11 \"Item\": has no caption; it is called \"Item\""}));
}

TEST(WebImportText, ScriptLinksAndUnstorableTextAreMendedWithWarnings) {
  const Imported page(
      "<nav><ul>"
      "<li><a href='javascript:openMenu()'>Open</a></li>"
      "<li><a href=' JaVa&#9;Script:alert(1)'>Sneaky</a></li>"
      "<li><a href='vbscript:msgbox'>Old</a></li>"
      "<li><a href='data:text/html;base64,PHNjcmlwdD4='>Inline</a></li>"
      "<li><a href='datasheet.pdf'>Data sheet</a></li>"
      "<li><a href='x.htm?q=#$@' title='a#$@b'>Price #$@ list</a></li>"
      "<li><a href='y\nz.htm' target='_blank' title='Line one\nline two'>Two<br>lines</a></li>"
      "</ul></nav>");
  ASSERT_EQ(page.doc.ItemCount(), 7);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(page.Field(i, ILink), "") << i;
  EXPECT_EQ(page.Field(4, ILink), "datasheet.pdf");
  EXPECT_EQ(page.Field(5, ICaption), "Price   list");
  EXPECT_EQ(page.Field(5, ILink), "x.htm?q= ");
  EXPECT_EQ(page.Field(5, IToolTip), "a b");
  EXPECT_EQ(page.Field(6, ICaption), "Two lines");
  EXPECT_EQ(page.Field(6, ILink), "y z.htm");
  EXPECT_EQ(page.Field(6, IToolTip), "Line one line two");
  EXPECT_EQ(page.Field(6, ITarget), "_blank");
  EXPECT_EQ(
      page.Warnings(),
      (std::vector<std::string>{
          "item 1 \"Open\": link \"javascript:openMenu()\" runs a script or holds data; it was dropped",
          "item 2 \"Sneaky\": link \"JaVa\tScript:alert(1)\" runs a script or holds data; it was dropped",
          "item 3 \"Old\": link \"vbscript:msgbox\" runs a script or holds data; it was dropped",
          "item 4 \"Inline\": link \"data:text/html;base64,PHNjcmlwdD4=\" runs a script or holds data; it "
          "was dropped",
          "item 6 \"Price   list\": the caption held the separator \"#$@\"; it was replaced by a space",
          "item 6 \"Price   list\": the link held the separator \"#$@\"; it was replaced by a space",
          "item 6 \"Price   list\": the tool tip held the separator \"#$@\"; it was replaced by a space",
          "item 7 \"Two lines\": the caption held a line break; it was replaced by a space",
          "item 7 \"Two lines\": the link held a line break; it was replaced by a space",
          "item 7 \"Two lines\": the tool tip held a line break; it was replaced by a space",
      }));
}

TEST(WebImportText, EncodingFromByteOrderMarkOrMetaElseUtf8) {
  const std::string list = "<nav><ul><li><a href='a'>Caf\xC3\xA9 \xE2\x82\xAC</a></ul></nav>";
  const std::string expected = "Caf\xE9 \x80";  // as the design stores it
  auto utf16 = [](const std::string& ascii, bool little) {
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : ascii) {
      const char unit[2] = {c, '\0'};
      out += little ? std::string(unit, 2) : std::string({'\0', c});
    }
    return out;
  };
  const std::string cases[] = {
      list,
      "\xEF\xBB\xBF" + list,
      "<meta charset='utf-8'>" + list,
      "<meta charset=\"windows-1252\"><nav><ul><li><a href='a'>Caf\xE9 \x80</a></ul></nav>",
      "<meta http-equiv='Content-Type' content='text/html; charset=ISO-8859-1'>"
      "<nav><ul><li><a href='a'>Caf\xE9 \x80</a></ul></nav>",
      // A byte-order mark wins over a <meta> that says otherwise.
      "\xEF\xBB\xBF<meta charset='windows-1252'>" + list,
      utf16("<nav><ul><li><a href='a'>Caf", true) + std::string("\xE9\0 \0\xAC\x20", 6) +
          utf16("</a></ul></nav>", true).substr(2),
      utf16("<nav><ul><li><a href='a'>Caf", false) + std::string("\0\xE9\0 \x20\xAC", 6) +
          utf16("</a></ul></nav>", false).substr(2),
  };
  for (const std::string& bytes : cases) {
    const Imported page(bytes);
    EXPECT_EQ(page.Field(0, ICaption), expected) << bytes;
  }

  // Text beyond the code page makes a UTF-8 design; Western text stays classic.
  const Imported cyrillic(
      "<nav><ul><li><a href='/ru/' title='Главная страница'>Главная</a>"
      "<li><a href='/en/'>Caf\xC3\xA9</a></ul></nav>");
  EXPECT_EQ(cyrillic.doc.Encoding, TextEncoding::Utf8);
  EXPECT_EQ(cyrillic.Field(0, ICaption), "Главная");
  EXPECT_EQ(cyrillic.Field(0, IToolTip), "Главная страница");
  EXPECT_EQ(cyrillic.Field(1, ICaption), "Caf\xC3\xA9");
  EXPECT_EQ(Imported(list).doc.Encoding, TextEncoding::Windows1252);

  try {
    const WebPage page("<meta charset='koi8-r'><nav><ul><li><a href=a>\xE1</a></ul></nav>", "ru.html");
    ADD_FAILURE() << "an unknown encoding was read";
  } catch (const ImportError& e) {
    EXPECT_EQ(
        std::string(e.what()),
        "ru.html: the page is written in the encoding \"koi8-r\", which cannot be imported (UTF-8, UTF-16 "
        "and Windows-1252 can)");
  }
}

}  // namespace
}  // namespace velmora
