// UTF-8 designs end to end in the core: the byte-level conversions against
// a model, the switch of a classic design, ASCII-only generated files, link
// conversion over Unicode letters, and image names on disk in both
// encodings.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "document/errors.h"
#include "document/text_encoding.h"
#include "document/unicode.h"
#include "generator/generate.h"
#include "generator/prepare.h"
#include "generator/preview.h"
#include "generator/publish.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace velmora {
namespace {

using test::BuildDesign;
using test::Slurp;
using test::Spit;
using test::TempFolder;

// Model of well-formed UTF-8: the text splits into the shortest encodings
// of non-zero scalar values. The form is prefix-free, so a greedy split is
// the only one.
bool ModelValid(const std::string& text) {
  size_t at = 0;
  while (at < text.size()) {
    bool found = false;
    for (size_t length = 1; length <= 4 && at + length <= text.size() && !found; ++length) {
      const auto lead = static_cast<unsigned char>(text[at]);
      char32_t code = length == 1 ? lead : lead & (0x7F >> length);
      for (size_t k = 1; k < length; ++k)
        code = code << 6 | (static_cast<unsigned char>(text[at + k]) & 0x3F);
      const bool scalar = code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
      std::string encoded;
      if (scalar) AppendUtf8(encoded, code);
      if (scalar && encoded == text.substr(at, length)) {
        found = true;
        at += length;
      }
    }
    if (!found) return false;
  }
  return true;
}

TEST(Utf8Bytes, ValidationAgreesWithTheModelOnRandomBytes) {
  std::mt19937 random(13);
  // Bytes that make near-misses likely: leads, continuations, the edges.
  const unsigned char pool[] = {0x00, 'a',  0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2,
                                0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF3, 0xF4, 0xF5, 0xFF};
  int valid = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text(static_cast<size_t>(random() % 12), 'x');
    for (char& c : text) c = static_cast<char>(pool[random() % sizeof pool]);
    if (random() % 3 == 0) text = "plain ascii run " + text;  // through the eight-byte path
    const bool expected = ModelValid(text);
    valid += expected;
    ASSERT_EQ(IsValidUtf8(text), expected) << testing::PrintToString(text);
  }
  EXPECT_GT(valid, 500) << "the pool must also make valid texts";
}

TEST(Utf8Bytes, EveryScalarValueRoundTripsAndEveryCodePageByteToo) {
  for (char32_t code = 1; code <= 0x10FFFF; code += (code < 0x3000 ? 1 : 97)) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    std::string bytes;
    AppendUtf8(bytes, code);
    size_t at = 0;
    ASSERT_TRUE(IsValidUtf8(bytes));
    ASSERT_EQ(NextCodePoint(bytes, at), code);
    ASSERT_EQ(at, bytes.size());
  }
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string back;
  ASSERT_TRUE(Windows1252FromUtf8(Utf8FromWindows1252(all), back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(Utf8FromWindows1252("\x80\xE7\x9F"), "€çŸ");
  EXPECT_FALSE(Windows1252FromUtf8("Łódź", back));
}

TEST(Utf8Bytes, CaseFoldingCoversTheScriptsWithLetterCase) {
  const std::pair<std::string, std::string> pairs[] = {
      {"Ł", "ł"}, {"Ж", "ж"}, {"Ё", "ё"}, {"Ω", "ω"}, {"Σ", "σ"}, {"ς", "σ"},   {"Ά", "ά"},
      {"Ա", "ա"}, {"Ş", "ş"}, {"Ẁ", "ẁ"}, {"ẞ", "ß"}, {"K", "k"}, {"Ａ", "ａ"}, {"Ÿ", "ÿ"},
  };
  for (const auto& [upper, lower] : pairs) {
    size_t a = 0, b = 0;
    EXPECT_EQ(FoldCodePoint(NextCodePoint(upper, a)), NextCodePoint(lower, b)) << upper;
  }
  for (const char* same : {"ł", "日", "ß", "٣", "😀", "×"}) {
    size_t at = 0;
    const char32_t code = NextCodePoint(same, at);
    EXPECT_EQ(FoldCodePoint(code), code) << same;
  }
}

TEST(DocumentText, TypingOutsideTheCodePageSwitchesTheDesignOnce) {
  TvornAppletAgent doc;
  ItemTree tree;
  BuildDesign(doc, tree, {0, 1});
  doc.Items[0][ICaption] = "Caf\xE9";
  doc.Items[1][IToolTip] = "\x80 5";
  doc.AppletData[pInternalUse_RootDir_Remote] = "http://s\xE9.example";

  EXPECT_EQ(ToDocumentText(doc, "Crème"), "Cr\xE8me") << "fits the code page: stays classic";
  EXPECT_EQ(doc.Encoding, TextEncoding::Windows1252);

  EXPECT_EQ(ToDocumentText(doc, "Łódź"), "Łódź");
  EXPECT_EQ(doc.Encoding, TextEncoding::Utf8);
  EXPECT_EQ(doc.Items[0][ICaption], "Café");
  EXPECT_EQ(doc.Items[1][IToolTip], "€ 5");
  EXPECT_EQ(doc.Items[1][ICaption], "B");
  EXPECT_EQ(doc.AppletData[pInternalUse_RootDir_Remote], "http://sé.example");
  EXPECT_FALSE(SwitchToUtf8(doc)) << "converted once";
  EXPECT_EQ(doc.Items[0][ICaption], "Café");
  EXPECT_EQ(ToDocumentText(doc, std::string("a\0b", 3)),
            "a\xEF\xBF\xBD"
            "b")
      << "no NUL in a UTF-8 design";
}

class UnicodeGeneration : public ::testing::Test {
 protected:
  TempFolder home;
  TvornAppletAgent doc{home.path()};
  ItemTree tree;
  void SetUp() override { Spit(home / "jsmenu0.js", "// runtime\n"); }
};

TEST_F(UnicodeGeneration, GeneratedFilesStayAsciiAndHoldTheTextAsEscapes) {
  BuildDesign(doc, tree, {0, 1});
  doc.Encoding = TextEncoding::Utf8;
  doc.Items[0][ICaption] = "Привет 日本 مرحبا 😀";
  doc.Items[0][IToolTip] = "it's ✓";
  doc.Items[1][IFontFamilyNormal] = "Микрос,Arial";
  doc.Items[1][IBackgroundImageOver] = "façade.gif";
  doc.Items[1][IImageUrl] = "图/a.gif";
  const MenuTexts texts = GenerateMenuTexts(doc, tree, "menu5");
  for (const std::string* file : {&texts.script, &texts.stylesheet, &texts.page}) EXPECT_TRUE(IsAscii(*file));

  EXPECT_NE(texts.script.find("CImenu5(['\\u041F\\u0440\\u0438\\u0432\\u0435\\u0442 \\u65E5\\u672C "
                              "\\u0645\\u0631\\u062D\\u0628\\u0627 \\uD83D\\uDE00',"),
            std::string::npos);
  EXPECT_NE(texts.script.find("'it\\'s \\u2713'"), std::string::npos);
  EXPECT_NE(texts.script.find("'\\u56FE/a.gif'"), std::string::npos);
  EXPECT_NE(texts.stylesheet.find("FONT-FAMILY:\\41C\\438\\43A\\440\\43E\\441,Arial;"), std::string::npos);
  EXPECT_NE(texts.stylesheet.find("BACKGROUND-IMAGE:url(./fa\\E7 ade.gif);"), std::string::npos);

  // A classic design keeps its bytes in the stylesheet, as it always did.
  doc.Encoding = TextEncoding::Windows1252;
  doc.Items[1][IFontFamilyNormal] = "Caf\xE9";
  EXPECT_NE(GenerateMenuTexts(doc, tree, "menu5").stylesheet.find("FONT-FAMILY:Caf\xE9;"), std::string::npos);
}

TEST_F(UnicodeGeneration, LinkConversionFoldsUnicodeLettersInUtf8Designs) {
  BuildDesign(doc, tree, {0, 0, 0});
  doc.Encoding = TextEncoding::Utf8;
  doc.AppletData[pInternalUse_RootDir_Remote] = "http://пример.рф/Сайт";
  doc.AppletData[pInternalUse_RootDir_Local] = "file:///D:/Łódź";
  doc.AppletData[pInternalUse_RootDir_Local_Checked] = "1";
  doc.Items[0][ILink] = "HTTP://ПРИМЕР.РФ/САЙТ/а.html";
  doc.Items[1][ILink] = "http://Пример.рф/сайт/б.html|http://пример.рф/Сайт";
  doc.Items[2][ILink] = "http://example.com/сайт";
  GenerateMenuTexts(doc, tree, "menu5");
  EXPECT_EQ(doc.Items[0][ILink], "file:///D:/Łódź/а.html");
  EXPECT_EQ(doc.Items[1][ILink], "file:///D:/Łódź/б.html|file:///D:/Łódź");
  EXPECT_EQ(doc.Items[2][ILink], "http://example.com/сайт");

  doc.AppletData[pInternalUse_RootDir_Local_Checked] = "0";
  doc.Items[0][ILink] = "FILE:///d:/ŁÓDŹ/x.html";
  GenerateMenuTexts(doc, tree, "menu5");
  EXPECT_EQ(doc.Items[0][ILink], "http://пример.рф/Сайт/x.html");

  // Folding may change a character's length (the Kelvin sign is three
  // bytes, "k" one): the bytes around a match stay whole.
  EXPECT_EQ(ReplaceAllIgnoringCase("a\u212Ab-Kb", "kb", "[x]", TextEncoding::Utf8), "a[x]-[x]");
  EXPECT_EQ(ReplaceAllIgnoringCase("\xC9T\xC9", "\xE9t", "-"), "-\xC9") << "classic: code page letters";
}

TEST_F(UnicodeGeneration, NonAsciiImageNamesArePublishedInBothEncodings) {
  TempFolder project, out;
  Spit(project / "façade.gif", "GIF-facade");
  Spit(project / "日本.png", "PNG-nihon");
  for (TextEncoding encoding : {TextEncoding::Windows1252, TextEncoding::Utf8}) {
    SCOPED_TRACE(encoding == TextEncoding::Utf8 ? "UTF-8" : "Windows-1252");
    BuildDesign(doc, tree, {0, 1});
    doc.Encoding = encoding;
    doc.Items[0][IImageUrl] = encoding == TextEncoding::Utf8 ? "façade.gif"
                                                             : "fa\xE7"
                                                               "ade.gif";
    doc.Items[1][IBackgroundImageNormal] = encoding == TextEncoding::Utf8 ? "日本.png" : "";
    doc.Items[1][ILeftIconUrl] = encoding == TextEncoding::Utf8 ? "Ωmissing.gif" : "\xD8missing.gif";
    CleanPreviewFolder(doc);
    CopyResourceFiles(doc, project.path());
    const PublishResult result = SaveAndPublish(doc, tree, "menu5", out.path(), "Меню.velm");
    EXPECT_EQ(Slurp(out / "façade.gif"), "GIF-facade");
    if (encoding == TextEncoding::Utf8) {
      EXPECT_EQ(Slurp(out / "日本.png"), "PNG-nihon");
    }
    EXPECT_TRUE(fs::exists(out / "Меню.html"));
    EXPECT_EQ(result.uncopiedImages,
              std::vector<std::string>{encoding == TextEncoding::Utf8 ? "Ωmissing.gif" : "Ømissing.gif"})
        << "names read right on a terminal";
    fs::remove(out / "façade.gif");
  }
}

TEST(Utf8Saving, BrokenTextIsRefusedRatherThanWrittenUnreadable) {
  TempFolder dir;
  TvornAppletAgent doc;
  ItemTree tree;
  BuildDesign(doc, tree, {0});
  doc.Encoding = TextEncoding::Utf8;
  doc.Items[0][IStatusBarMsg] = "half \xE6\x97";
  Spit(dir / "p.velm", "before");
  EXPECT_THROW(doc.SaveProject(dir / "p.velm"), ValueError);
  EXPECT_THROW(doc.ExportStructure(dir / "s.gms", tree), ValueError);
  EXPECT_EQ(Slurp(dir / "p.velm"), "before");
  EXPECT_FALSE(fs::exists(dir / "s.gms"));
}

}  // namespace
}  // namespace velmora
