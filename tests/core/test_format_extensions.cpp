// The <Format_Extensions> block and the document's text encoding: where the
// block stands in both files, what survives a round trip, and what a marked
// file with broken text is refused for.

#include <gtest/gtest.h>

#include <algorithm>

#include "document/applet_agent.h"
#include "document/errors.h"
#include "test_support.h"

namespace velmora {
namespace {

using test::BuildDesign;
using test::Slurp;
using test::Spit;
using test::TempFolder;

constexpr std::string_view kVersionEnd = "</Product_Version>\r\n";

// Captions, links, tooltips and status messages in several scripts.
const char* const kTexts[] = {
    "Привет мир", "日本語のメニュー", "مرحبا بالعالم", "Ελληνικά 😀", "Łódź – façade", "한국어 ✓",
};

class FormatBlock : public ::testing::Test {
 protected:
  TempFolder dir;
  TvornAppletAgent doc;
  ItemTree tree;
  void SetUp() override { doc.ResetDocument(); }

  void Utf8Design() {
    BuildDesign(doc, tree, {0, 1, 1, 0, 1, 2});
    for (size_t i = 0; i < doc.Items.size(); ++i) {
      TItemData& item = doc.Items[i];
      item[ICaption] = kTexts[i];
      item[ILink] = std::string("/") + kTexts[(i + 1) % 6] + ".html";
      item[IToolTip] = kTexts[(i + 2) % 6];
      item[IStatusBarMsg] = kTexts[(i + 3) % 6];
      item[IImageUrl] = "façade.gif";
    }
    doc.AppletData[pInternalUse_RootDir_Local] = "C:/Сайт";
    doc.Encoding = TextEncoding::Utf8;
  }
  // The text after "</Product_Version>" up to the next tag of `file`.
  static std::string BlockIn(const std::string& file, std::string_view nextTag) {
    const size_t from = file.find(kVersionEnd) + kVersionEnd.size();
    return file.substr(from, file.find(nextTag, from) - from);
  }
};

TEST(FormatExtensionsApi, KeysKeepTheirPlaceAndAbsentKeysReadEmpty) {
  FormatExtensions ext;
  EXPECT_TRUE(ext.Empty());
  ext.Set("Page_Style", "HTML5");
  ext.Set("Page_Language", "pl");
  ext.Set("Future_Key", "x=y");
  ext.Set("Page_Style", "Classic");  // stays first
  EXPECT_EQ(ext.Value("Page_Style"), "Classic");
  EXPECT_EQ(ext.Value("Future_Key"), "x=y");
  EXPECT_EQ(ext.Value("Missing"), "");
  EXPECT_FALSE(ext.Has("Missing"));
  ext.Remove("Page_Language");
  ext.Remove("Missing");
  const std::vector<std::pair<std::string, std::string>> expected = {{"Page_Style", "Classic"},
                                                                     {"Future_Key", "x=y"}};
  EXPECT_EQ(ext.Entries(), expected);
}

TEST_F(FormatBlock, Utf8ProjectRoundTripsWithEveryKeyInPlace) {
  Utf8Design();
  doc.Extensions.Set("Page_Style", "HTML5");
  doc.Extensions.Set("Unknown_Later_Key", "kept = as is");
  doc.SaveProject(dir / "u.velm");
  const std::string written = Slurp(dir / "u.velm");
  EXPECT_EQ(BlockIn(written, "<Applet_Parameters>"),
            "<Format_Extensions>\r\nText_Encoding=UTF-8\r\nPage_Style=HTML5\r\n"
            "Unknown_Later_Key=kept = as is\r\n</Format_Extensions>\r\n");
  EXPECT_NE(written.find("\r\nПривет мир#$@"), std::string::npos) << "values are written as UTF-8";

  const TItemArray items = doc.Items;
  const TAppletData menu = doc.AppletData;
  const FormatExtensions ext = doc.Extensions;
  doc.ResetDocument();
  EXPECT_EQ(doc.Encoding, TextEncoding::Windows1252) << "a new design is classic";
  EXPECT_TRUE(doc.Extensions.Empty());
  ASSERT_EQ(doc.LoadProject(dir / "u.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.Encoding, TextEncoding::Utf8);
  EXPECT_EQ(doc.Extensions, ext);
  EXPECT_EQ(doc.Items, items);
  EXPECT_EQ(doc.AppletData, menu);
  doc.SaveProject(dir / "again.velm");
  EXPECT_EQ(Slurp(dir / "again.velm"), written);
}

TEST_F(FormatBlock, ClassicDesignHasNoBlockAndAKeyAloneWritesOne) {
  BuildDesign(doc, tree, {0, 1});
  doc.Items[0][ICaption] = "Caf\xE9";
  doc.SaveProject(dir / "c.velm");
  EXPECT_EQ(BlockIn(Slurp(dir / "c.velm"), "<Applet_Parameters>"), "");

  doc.Extensions.Set("Page_Language", "pl");
  doc.SaveProject(dir / "k.velm");
  EXPECT_EQ(BlockIn(Slurp(dir / "k.velm"), "<Applet_Parameters>"),
            "<Format_Extensions>\r\nPage_Language=pl\r\n</Format_Extensions>\r\n");
  doc.ResetDocument();
  ASSERT_EQ(doc.LoadProject(dir / "k.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.Encoding, TextEncoding::Windows1252);
  EXPECT_EQ(doc.Extensions.Value("Page_Language"), "pl");
  EXPECT_EQ(doc.Items[0][ICaption], "Caf\xE9");
}

TEST_F(FormatBlock, ClassicFileWhoseBytesAreValidUtf8StaysWindows1252) {
  BuildDesign(doc, tree, {0});
  doc.Items[0][ICaption] = "\xC3\xA9";  // two code page letters that happen to spell é in UTF-8
  doc.SaveProject(dir / "c.velm");
  doc.ResetDocument();
  ASSERT_EQ(doc.LoadProject(dir / "c.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.Encoding, TextEncoding::Windows1252);
  EXPECT_EQ(doc.Items[0][ICaption], "\xC3\xA9");
}

TEST_F(FormatBlock, BrokenMarkedFilesAreRefusedNamingFileAndLineAndChangeNothing) {
  Utf8Design();
  doc.Extensions.Set("Page_Style", "HTML5");
  doc.SaveProject(dir / "good.velm");
  const std::string good = Slurp(dir / "good.velm");
  const size_t firstItem = good.find("<Item_Parameters>\r\n") + 19;
  const int itemLine = 18;  // 10 header lines, the block's 4, the menu-wide 3, then the item tag
  ASSERT_EQ(std::count(good.begin(), good.begin() + static_cast<long>(firstItem), '\n'), itemLine);

  struct Case {
    const char* name;
    std::string bytes;  // put at the start of the first item's caption
    std::string says;
  };
  const Case cases[] = {
      {"lone continuation byte", "\x80",
       "line 19: the file is marked UTF-8 but its text is not valid UTF-8 (byte 0x80) at column 1"},
      {"overlong slash", "\xC0\xAF", "(byte 0xC0)"},
      {"overlong three bytes", "\xE0\x80\xAF", "(byte 0xE0)"},
      {"lone surrogate", "\xED\xA0\x80", "(byte 0xED)"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", "(byte 0xF4)"},
      {"cut character", "\xE6\x97", "(byte 0xE6)"},
      {"NUL byte", std::string(1, '\0'), "holds a NUL byte at column 1"},
      {"Windows-1252 letter", "\xE9t\xE9", "(byte 0xE9)"},
  };
  // The document that must survive every refusal.
  doc.ResetDocument();
  BuildDesign(doc, tree, {0, 0});
  doc.Extensions.Set("Kept", "1");
  const TItemArray before = doc.Items;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bad = good;
    bad.insert(firstItem, c.bytes);
    Spit(dir / "bad.velm", bad);
    try {
      doc.LoadProject(dir / "bad.velm", tree);
      ADD_FAILURE() << "loaded";
    } catch (const FormatError& error) {
      const std::string what = error.what();
      EXPECT_NE(what.find(dir / "bad.velm"), std::string::npos) << what;
      EXPECT_NE(what.find(c.says), std::string::npos) << what;
    }
    EXPECT_EQ(doc.Items, before);
    EXPECT_EQ(doc.Encoding, TextEncoding::Windows1252);
    EXPECT_EQ(doc.Extensions.Value("Kept"), "1");
    EXPECT_EQ(tree.NodeCount(), 3);
  }

  // The same bytes in a classic file are code page text and load.
  std::string classic = good;
  classic.erase(classic.find("<Format_Extensions>"), BlockIn(good, "<Applet_Parameters>").size());
  classic.insert(classic.find("<Item_Parameters>\r\n") + 19, "\xC0\xAF");
  Spit(dir / "classic.velm", classic);
  ASSERT_EQ(doc.LoadProject(dir / "classic.velm", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.Items[0][ICaption].view().substr(0, 2), "\xC0\xAF");
}

TEST_F(FormatBlock, MalformedBlocksAreRefused) {
  BuildDesign(doc, tree, {0});
  doc.SaveProject(dir / "plain.velm");
  const std::string plain = Slurp(dir / "plain.velm");
  const size_t at = plain.find(kVersionEnd) + kVersionEnd.size();
  const std::pair<std::string, std::string> cases[] = {
      {"<Format_Extensions>\r\nText_Encoding=UTF-16\r\n</Format_Extensions>\r\n",
       "line 12: the text encoding \"UTF-16\" cannot be read"},
      {"<Format_Extensions>\r\nno equals sign\r\n</Format_Extensions>\r\n",
       "line 12: \"no equals sign\" in <Format_Extensions> is not a Key=Value line"},
      {"<Format_Extensions>\r\nA=1\r\n", "line 11: the block <Format_Extensions> is not closed"},
      {"<Format_Extensions>\r\nText_Encoding=UTF-8\r\nText_Encoding=Windows-1252\r\n</Format_Extensions>\r\n",
       "line 13: the key \"Text_Encoding\" in <Format_Extensions> is \"Windows-1252\" here but \"UTF-8\" on "
       "line 12"},
      {"<Format_Extensions>\r\nPage_Style=HTML5\r\nA=1\r\nPage_Style=Classic\r\n</Format_Extensions>\r\n",
       "line 14: the key \"Page_Style\""},
  };
  for (const auto& [block, says] : cases) {
    std::string text = plain;
    text.insert(at, block);
    Spit(dir / "m.velm", text);
    try {
      doc.LoadProject(dir / "m.velm", tree);
      ADD_FAILURE() << block;
    } catch (const FormatError& error) {
      EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << error.what();
    }
  }
  // An explicit classic encoding is read as no block at all, also when
  // said twice alike.
  std::string text = plain;
  text.insert(at,
              "<Format_Extensions>\r\nText_Encoding=Windows-1252\r\nText_Encoding=Windows-1252\r\n"
              "</Format_Extensions>\r\n");
  Spit(dir / "w.velm", text);
  ASSERT_EQ(doc.LoadProject(dir / "w.velm", tree).outcome, ReadOutcome::Loaded);
  doc.SaveProject(dir / "w2.velm");
  EXPECT_EQ(Slurp(dir / "w2.velm"), plain);
}

TEST_F(FormatBlock, StructureFileCarriesTheEncodingOnly) {
  Utf8Design();
  doc.Extensions.Set("Page_Style", "HTML5");
  doc.ExportStructure(dir / "u.gms", tree);
  const std::string written = Slurp(dir / "u.gms");
  EXPECT_EQ(BlockIn(written, "<Structure_Description>"),
            "<Format_Extensions>\r\nText_Encoding=UTF-8\r\n</Format_Extensions>\r\n");
  const TItemArray exported = doc.Items;

  doc.ResetDocument();
  doc.Extensions.Set("Stale", "1");
  ASSERT_EQ(doc.ImportStructure(dir / "u.gms", tree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(doc.Encoding, TextEncoding::Utf8);
  EXPECT_TRUE(doc.Extensions.Empty()) << "an imported skeleton is a new design";
  ASSERT_EQ(doc.Items.size(), exported.size());
  for (size_t i = 0; i < exported.size(); ++i) {
    for (ItemField field : {ICaption, ILink, ITarget, IStatusBarMsg, ILevel}) {
      EXPECT_EQ(doc.Items[i][field], exported[i][field]);
    }
  }
  doc.ExportStructure(dir / "again.gms", tree);
  EXPECT_EQ(Slurp(dir / "again.gms"), written);

  std::string bad = written;
  bad.insert(bad.find("</Structure_Description>"), "0#$@\xED\xB0\x80#$@\r\n");
  Spit(dir / "bad.gms", bad);
  EXPECT_THROW(doc.ImportStructure(dir / "bad.gms", tree), FormatError);
  EXPECT_EQ(doc.Items.size(), exported.size());
}

}  // namespace
}  // namespace velmora
