// Stored codes to CSS and filter texts, colours, and menu numbers.

#include <gtest/gtest.h>

#include <ctime>

#include "document/errors.h"
#include "generator/contrast.h"
#include "generator/vocabularies.h"

namespace velmora {
namespace {

TEST(Vocabularies, ColoursConvertBothWays) {
  EXPECT_EQ(ColorToHex(0x000000FF), "FF0000");
  EXPECT_EQ(ColorToHex(0x00C0C0C0), "C0C0C0");
  EXPECT_EQ(ColorToHex(0x00123456), "563412");
  EXPECT_EQ(HexToColor("563412"), 0x00123456u);
  EXPECT_EQ(HexToColor("FF0000"), 0x000000FFu);
  EXPECT_EQ(HexToColor(""), 0u);
  EXPECT_EQ(HexToColor("FF"), 0x000000FFu) << "a short text leaves the missing pairs empty";
  EXPECT_EQ(HexToColor("abcdef99"), 0x00EFCDABu) << "characters after the sixth are ignored";
  for (ScreenColor c : {0x0u, 0x00FFFFFFu, 0x00010203u, 0x00A0B0C0u}) EXPECT_EQ(HexToColor(ColorToHex(c)), c);
  EXPECT_THROW(HexToColor("GG0000"), NumberError);
}

TEST(Vocabularies, CssWords) {
  EXPECT_EQ(CssColor("c0c0c0"), "#c0c0c0");
  EXPECT_EQ(CssColor(""), "#");
  EXPECT_EQ(CssPixels("10"), "10px");
  EXPECT_EQ(CssPixels(""), "px");
  EXPECT_EQ(BorderStyleName("0"), "none");
  EXPECT_EQ(BorderStyleName("8"), "window-inset");
  EXPECT_EQ(BorderStyleName("-1"), "solid");
  EXPECT_EQ(BorderStyleName("10"), "solid");
  EXPECT_EQ(CursorName("23"), "url(uri)");
  EXPECT_EQ(CursorName("9"), "N-resize");
  EXPECT_EQ(CursorName("-1"), "default");
  EXPECT_EQ(CursorName("25"), "default");
  EXPECT_THROW(CursorName(""), NumberError);
  EXPECT_THROW(BorderStyleName("solid"), NumberError);
}

TEST(Vocabularies, BackgroundImages) {
  EXPECT_EQ(BackgroundImageValue(""), "none");
  EXPECT_EQ(BackgroundImageValue("   "), "none");
  EXPECT_EQ(BackgroundImageValue("a.gif"), "url(./a.gif)");
  EXPECT_EQ(BackgroundImageValue(" a.gif"), "url(./ a.gif)");
}

TEST(Vocabularies, TransitionFilters) {
  EXPECT_EQ(TransitionFilterText("0"), "");
  EXPECT_EQ(TransitionFilterText("-1"), "");
  EXPECT_EQ(TransitionFilterText("22"), "");
  EXPECT_EQ(TransitionFilterText("1"), "progid:DXImageTransform.Microsoft.Fade()");
  EXPECT_EQ(TransitionFilterText("13"), "progid:DXImageTransform.Microsoft.Iris(irisStyle=STAR,motion=in)");
  EXPECT_EQ(TransitionFilterText("21"),
            "progid:DXImageTransform.Microsoft.Wipe(GradientSize=1.0,wipeStyle=1,motion=reverse)");
  EXPECT_THROW(TransitionFilterText("x"), NumberError);
}

TEST(Vocabularies, MenuNumberWrapsLikeThirtyTwoBits) {
  auto at = [](int y, int mo, int d, int h, int mi, int s) {
    return MakeMenuNumber([=] { return ClockReading{y, mo, d, h, mi, s}; });
  };
  EXPECT_EQ(at(2006, 12, 31, 23, 59, 59), "383969528");
  EXPECT_EQ(at(2026, 12, 7, 0, 10, 10), "0");
  EXPECT_EQ(at(2026, 12, 7, 10, 0, 10), "0");
  EXPECT_EQ(at(2026, 1, 1, 1, 1, 1), "2026");
  EXPECT_EQ(at(2026, 12, 7, 23, 27, 15), "1585263960");
  EXPECT_EQ(at(2030, 6, 30, 12, 45, 50), "1275865408");
}

TEST(Vocabularies, MenuNumberReadsTheLocalClock) {
  auto local = [] {
    const std::time_t now = std::time(nullptr);
    const std::tm t = *std::localtime(&now);
    return MakeMenuNumber([&] {
      return ClockReading{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
    });
  };
  // Read between two readings of the clock, so a second's turn cannot fail it.
  const std::string before = local();
  const std::string number = MakeMenuNumber();
  const std::string after = local();
  EXPECT_TRUE(number == before || number == after) << number << " " << before << " " << after;
}

TEST(Vocabularies, TextContrastFollowsTheWcagFormula) {
  EXPECT_NEAR(ContrastRatio("000000", "FFFFFF"), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio("FFFFFF", "000000"), 21.0, 1e-9) << "the order of the colours does not matter";
  EXPECT_NEAR(ContrastRatio("777777", "FFFFFF"), 4.48, 0.005);
  EXPECT_NEAR(ContrastRatio("FF0000", "FFFFFF"), 4.0, 0.005) << "red weighs less than green";
  EXPECT_NEAR(ContrastRatio("00FF00", "FFFFFF"), 1.37, 0.005);
  EXPECT_DOUBLE_EQ(ContrastRatio("3A5F8C", "3A5F8C"), 1.0);
  EXPECT_LT(ContrastRatio("767676", "FFFFFF"), 4.55);
  EXPECT_GE(ContrastRatio("767676", "FFFFFF"), kMinimumTextContrast);
  EXPECT_THROW(ContrastRatio("GG0000", "FFFFFF"), NumberError);
}

}  // namespace
}  // namespace velmora
