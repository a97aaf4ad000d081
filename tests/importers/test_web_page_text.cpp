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

TEST(WebImportText, IconOnlyLinksTakeTheirPicturesLabel) {
  const Imported page(
      "<nav><ul>"
      "<li><a href='a'><i class='fa fa-home' aria-hidden='true' title='Home page'></i></a></li>"
      "<li><a href='b'><svg role='img'><title>Search</title><path d='M0'/></svg></a></li>"
      "<li><a href='c'><svg aria-label='Cart'><use href='#cart'/></svg></a></li>"
      "<li><a href='d'><img src='rss.png' title='Feed'></a></li>"
      "<li><a href='e'>Products <svg><title>opens a submenu</title></svg></a></li>"
      "<li><button aria-label='Open the menu'><svg/></button><ul><li><a href='f'>F</a></li></ul></li>"
      "<li><a href='g'><svg><path d='M0'/></svg></a></li>"
      "</ul></nav>");
  const std::vector<std::string> captions = {"Home page", "Search",        "Cart", "Feed",
                                             "Products",  "Open the menu", "F",    "Item"};
  ASSERT_EQ(page.doc.ItemCount(), static_cast<int>(captions.size()));
  for (size_t i = 0; i < captions.size(); ++i)
    EXPECT_EQ(page.Field(static_cast<int>(i), ICaption), captions[i]) << i;
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
          "item 2 \"Sneaky\": link \"JaVa\\tScript:alert(1)\" runs a script or holds data; it was dropped",
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
}

// One page per family of encodings, its caption a word in the family's
// script, written in the encoding, declared early (first 1024 bytes),
// late (a browser reads the page again) and not at all (detected).
TEST(WebImportText, EveryEncodingFamilyDeclaredEarlyLateOrNotAtAll) {
  struct Family {
    std::string name;  // as the Encoding Standard names it
    std::string label;
    std::string word;  // in the encoding
    std::string utf8;
  };
  const Family families[] = {
      {"Shift_JIS", "shift_jis", "\x93\xFA\x96\x7B\x8C\xEA", "日本語"},
      {"EUC-JP", "euc-jp", "\xC6\xFC\xCB\xDC\xB8\xEC", "日本語"},
      {"ISO-2022-JP", "iso-2022-jp", "\x1B$BF|K\\8l\x1B(B", "日本語"},
      {"GBK", "gb2312", "\xD6\xD0\xCE\xC4", "中文"},
      {"gb18030", "gb18030", "\xD6\xD0\xCE\xC4\x81\x30\x89\x38", "中文ß"},
      {"Big5", "big5", "\xA4\xA4\xA4\xE5", "中文"},
      {"EUC-KR", "euc-kr", "\xC7\xD1\xB1\xB9\xBE\xEE", "한국어"},
      {"KOI8-R", "koi8-r", "\xF0\xD2\xC9\xD7\xC5\xD4", "Привет"},
      {"KOI8-U", "koi8-u", "\xEB\xC9\xA7\xD7", "Київ"},
      {"windows-1251", "windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2", "Привет"},
      {"windows-1250", "windows-1250", "\xA3\xF3\x64\x9F", "Łódź"},
      {"ISO-8859-2", "iso-8859-2", "\xA3\xF3\x64\xBC", "Łódź"},
      {"ISO-8859-7", "iso-8859-7", "\xC5\xEB\xEB\xDC\xE4\xE1", "Ελλάδα"},
      {"windows-1254", "iso-8859-9", "\xDD\x73\x74\x61\x6E\x62\x75\x6C", "İstanbul"},
      {"ISO-8859-15", "iso-8859-15", "\xA4", "€"},
      {"windows-1252", "latin1", "Caf\xE9 \x80", "Café €"},
  };
  for (const Family& family : families) {
    const std::string nav =
        "<nav><ul><li><a href='a'>" + family.word + "</a><li><a href='b'>B</a></ul></nav>";
    const std::string early =
        "<!DOCTYPE html><html><head><meta charset='" + family.label + "'></head><body>" + nav;
    const std::string late =
        "<!DOCTYPE html><html><head><title>T</title><!-- " + std::string(1100, '-') +
        " --><meta http-equiv='Content-Type' content='text/html; charset=" + family.label +
        "'></head><body>" + nav;
    for (const std::string& page : {early, late}) {
      const WebPage read(page, "p.html");
      EXPECT_EQ(read.EncodingName(), family.name) << family.label;
      EXPECT_EQ(read.ChosenList().items.front().caption, family.utf8) << family.name;
      EXPECT_TRUE(read.ChosenList().warnings.empty()) << family.name;
      EXPECT_EQ(read.Notes(), std::vector<std::string>{}) << family.name;  // declared, if late
    }
  }
}

TEST(WebImportText, UndeclaredPagesAreDetectedAndUndecodableCaptionsWarn) {
  // Enough text in one script for the detector, no declaration.
  const std::pair<std::string, std::string> undeclared[] = {
      {"Shift_JIS", "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x79\x81\x5B\x83\x57"},
      {"EUC-JP", "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xDA\xA1\xBC\xA5\xB8"},
      {"Big5", "\xA4\xA4\xA4\xE5\xBA\xF4\xAD\xB6"},
      {"windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0 \xF1\xF2\xF0\xE0\xED\xE8\xF6\xE0"},
  };
  for (const auto& [name, text] : undeclared) {
    std::string page = "<nav><ul><li><a href='a'>" + text + "</a><li><a href='b'>B</a></ul></nav><p>";
    for (int k = 0; k < 40; ++k) page += text + " ";
    const WebPage read(page, "p.html");
    EXPECT_EQ(read.EncodingName(), name);
    EXPECT_EQ(read.Notes(),
              std::vector<std::string>{"the page declares no encoding; it was read as " + name});
  }

  // Bytes the declared encoding does not define stay visible as U+FFFD,
  // with a warning; an unknown label is passed over.
  const WebPage broken("<meta charset='utf-8'><nav><ul><li><a href=a>Caf\xE9</a></ul></nav>", "p.html");
  EXPECT_EQ(broken.ChosenList().items.front().caption, "Caf\uFFFD");
  EXPECT_EQ(broken.ChosenList().warnings,
            std::vector<std::string>{"item 1 \"Caf\uFFFD\": the caption holds characters the page's encoding "
                                     "does not define (shown as \uFFFD)"});
  const WebPage unknown("<meta charset='klingon'><nav><ul><li><a href=a>A</a></ul></nav>", "p.html");
  EXPECT_EQ(unknown.Notes(), std::vector<std::string>{"the page declares the encoding \"klingon\", which "
                                                      "browsers do not know; it was read as UTF-8"});
  // Browsers pass over the label they do not know to the next declaration.
  const std::string koi8Nav = "<nav><ul><li><a href=a>\xF0\xD2\xC9\xD7\xC5\xD4</a></ul></nav>";
  const WebPage next("<meta charset='klingon'><meta charset='koi8-r'>" + koi8Nav, "p.html");
  EXPECT_EQ(next.EncodingName(), "KOI8-R");
  EXPECT_EQ(next.Notes(), std::vector<std::string>{});
  const WebPage later(
      "<meta charset='klingon'><!--" + std::string(1100, '-') + "--><meta charset='koi8-r'>" + koi8Nav,
      "p.html");
  EXPECT_EQ(later.ChosenList().items.front().caption, "Привет");
  EXPECT_EQ(later.Notes(), std::vector<std::string>{"the page declares the encoding \"klingon\", which "
                                                    "browsers do not know; it was read as KOI8-R"});
  try {
    const WebPage page("<meta charset='iso-2022-kr'><nav><ul><li><a href=a>A</a></ul></nav>", "kr.html");
    ADD_FAILURE() << "a replacement encoding was read";
  } catch (const ImportError& e) {
    EXPECT_EQ(std::string(e.what()),
              "kr.html: the page declares an encoding whose text browsers do not show; nothing was imported");
  }
}

}  // namespace
}  // namespace velmora
