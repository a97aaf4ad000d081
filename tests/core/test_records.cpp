// Record storage: values kept as one stored line, read lazily from a file's
// text, and the block search for separators behind it.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

#include "document/applet_agent.h"
#include "document/byte_search.h"
#include "document/errors.h"
#include "document/records.h"
#include "document/text.h"

namespace velmora {
namespace {

// Every separator start found by repeated finds, as the reference.
std::vector<uint32_t> SeparatorsByFind(std::string_view text) {
  std::vector<uint32_t> at;
  for (size_t p = text.find(kSeparator); p != std::string_view::npos; p = text.find(kSeparator, p + 3))
    at.push_back(static_cast<uint32_t>(p));
  return at;
}

// The searches run with 64-byte blocks where the processor has them and with
// 16-byte blocks elsewhere; each test covers both that this processor can do.
class Separators : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (UseWideSearches(GetParam()) != GetParam()) GTEST_SKIP() << "this processor lacks AVX-512BW";
  }
  void TearDown() override { UseWideSearches(true); }
};
INSTANTIATE_TEST_SUITE_P(BlockWidths, Separators, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Wide" : "Narrow"; });

TEST_P(Separators, BlockSearchAgreesWithRepeatedFinds) {
  // Texts of every length around the 16- and 64-byte blocks, with separators
  // at every offset, stray separator bytes, and separators across blocks.
  std::mt19937 random(7);
  const char alphabet[] = {'#', '$', '@', 'a', '#', '$', '@'};
  for (int length = 0; length < 140; ++length) {
    for (int trial = 0; trial < 40; ++trial) {
      std::string text;
      for (int i = 0; i < length; ++i) text += alphabet[random() % sizeof alphabet];
      const auto expected = SeparatorsByFind(text);
      std::vector<uint32_t> found(expected.size() + 2);
      const int n = FindSeparators(text, found.data(), static_cast<int>(found.size()));
      found.resize(static_cast<size_t>(n));
      ASSERT_EQ(found, expected) << "text \"" << text << "\"";
      for (size_t k = 0; k < expected.size(); ++k)
        ASSERT_EQ(NthSeparatorInLine(text, 0, static_cast<int>(k)), expected[k])
            << "text \"" << text << "\" k " << k;
      ASSERT_EQ(NthSeparatorInLine(text, 0, static_cast<int>(expected.size())), std::string_view::npos);
      if (!expected.empty()) {
        std::vector<uint32_t> first(1);
        ASSERT_EQ(FindSeparators(text, first.data(), 1), 1);
        ASSERT_EQ(first[0], expected[0]) << "stops after the wanted number";
      }
    }
  }
}

TEST_P(Separators, LineSearchStopsAtTheLineEnd) {
  // Long stretches with few separators, and line breaks anywhere, so the
  // 64-byte stretches and their exits are all taken.
  std::mt19937 random(11);
  const char alphabet[] = {'#', '$', '@', 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', '#', '$', '@'};
  for (int trial = 0; trial < 3000; ++trial) {
    const int length = static_cast<int>(random() % 400);
    std::string text;
    for (int i = 0; i < length; ++i) {
      const auto r = random() % 500;
      text += r == 0 ? '\r' : r == 1 ? '\n' : alphabet[r % sizeof alphabet];
    }
    const size_t from = text.empty() ? 0 : random() % (text.size() + 1);
    const size_t lineEnd = std::min(text.find_first_of("\r\n", from), text.size());
    std::vector<uint32_t> inLine;
    for (uint32_t at : SeparatorsByFind(std::string_view(text).substr(from)))
      if (from + at < lineEnd) inLine.push_back(static_cast<uint32_t>(from + at));
    for (size_t k = 0; k <= inLine.size(); ++k) {
      const size_t expected = k < inLine.size() ? inLine[k] : std::string_view::npos;
      ASSERT_EQ(NthSeparatorInLine(text, from, static_cast<int>(k)), expected)
          << "text \"" << text << "\" from " << from << " k " << k;
    }
    const size_t lineBreak = lineEnd == text.size() ? std::string_view::npos : lineEnd;
    ASSERT_EQ(FindLineBreak(text, from), lineBreak);
    // The one-pass marks agree with the separate searches.
    const auto at = [&](size_t k) { return k < inLine.size() ? size_t{inLine[k]} : std::string_view::npos; };
    const int n = static_cast<int>(random() % (inLine.size() + 2));
    const LineMarks marks = SearchLine(text, from, n);
    ASSERT_EQ(marks.first, at(0)) << "text \"" << text << "\" from " << from;
    ASSERT_EQ(marks.nth, at(static_cast<size_t>(n))) << "text \"" << text << "\" from " << from << " n " << n;
    ASSERT_EQ(marks.afterNth,
              marks.nth == std::string_view::npos ? marks.nth : at(static_cast<size_t>(n) + 1))
        << "text \"" << text << "\" from " << from << " n " << n;
    ASSERT_EQ(marks.lineBreak, lineBreak);
  }
}

TEST_P(Separators, FullItemLineMarksCaptionAndLevel) {
  std::string longLine;
  for (int k = 0; k < 109; ++k) longLine += "v" + std::to_string(k) + "#$@";
  const LineMarks marks = SearchLine(longLine + "\r\nnext#$@", 0, 106);
  EXPECT_EQ(longLine.substr(0, marks.first), "v0");
  EXPECT_EQ(longLine.substr(marks.nth + 3, marks.afterNth - marks.nth - 3), "v107");
  EXPECT_EQ(marks.lineBreak, longLine.size());
  EXPECT_EQ(NthSeparatorInLine(longLine, 0, 109), std::string_view::npos);
}

TEST(Records, StoredLineReadsAsItsValues) {
  // Short lines read missing values as empty; text after the last
  // expected separator is dropped, as the field splitter does.
  auto source = std::make_shared<const std::string>(
      "a#$@b#$@c#$@d#$@e#$@f#$@g#$@h#$@i#$@j#$@k#$@l#$@m#$@n#$@o#$@p#$@q#$@r#$@extra#$@");
  const TAppletData full(source, *source);
  EXPECT_EQ(full[pMenuName], "a");
  EXPECT_EQ(full[pInternalUse_RootDir_Local_Checked], "r");
  EXPECT_EQ(full.Line(), source->substr(0, source->size() - 8)) << "surplus value dropped";

  const TAppletData shortOne(source, std::string_view(*source).substr(0, 9));  // "a#$@b#$@c"
  EXPECT_EQ(shortOne[pMenuName], "a");
  EXPECT_EQ(shortOne[pMenuCfgName], "b");
  EXPECT_EQ(shortOne[pMenuDivName], "") << "a value without its separator is empty";
  std::string expected = "a#$@b#$@";
  for (int k = 2; k < kAppletFieldCount; ++k) expected += kSeparator;
  EXPECT_EQ(shortOne.Line(), expected) << "missing values written back empty";
  EXPECT_EQ(TAppletData(source, "")[pMenuName], "");
}

TEST(Records, ChangingValuesKeepsTheOthers) {
  TItemData item = DefaultItemData();
  const TItemData before = item;
  item[ICaption] = "A much longer caption than before";
  item[ILevel] = "";
  item[IStatusBarMsg] = "x";
  for (int k = 0; k < kItemFieldCount; ++k) {
    if (k == ICaption || k == ILevel || k == IStatusBarMsg) continue;
    EXPECT_EQ(std::as_const(item).at(k), before.at(k)) << "field " << k;
  }
  EXPECT_EQ(std::as_const(item)[ICaption], "A much longer caption than before");
  EXPECT_EQ(std::as_const(item)[ILevel], "");
  item[ICaption] = "";
  EXPECT_EQ(std::as_const(item)[ICaption], "");
  EXPECT_NE(item, before);
  item[ICaption] = before[ICaption];
  item[ILevel] = before[ILevel];
  item[IStatusBarMsg] = before[IStatusBarMsg];
  EXPECT_EQ(item, before) << "the same values make equal records";
  EXPECT_THROW(item.at(kItemFieldCount), std::out_of_range);
  EXPECT_THROW(std::as_const(item).at(-1), std::out_of_range);
}

TEST(Records, ValueTakenFromTheSameRecord) {
  TItemData item = DefaultItemData();
  item[IWidth] = "120";
  item[IImageWidth] = item[IWidth];             // through two references
  item[ILink] = std::as_const(item)[ICaption];  // a view into the record itself
  item[ICaption] = std::as_const(item)[ICaption].substr(5);
  EXPECT_EQ(std::as_const(item)[IImageWidth], "120");
  EXPECT_EQ(std::as_const(item)[ILink], "Item Caption");
  EXPECT_EQ(std::as_const(item)[ICaption], "Caption");
}

TEST(Records, SeparatorInsideAValueIsKeptApartAndRefusedOnSave) {
  // A value may hold the separator in memory (the writers refuse it), and
  // must not shift the values after it.
  TItemData item = DefaultItemData();
  item[ICaption] = "a#$@b";
  EXPECT_EQ(std::as_const(item)[ICaption], "a#$@b");
  EXPECT_EQ(std::as_const(item)[ITextAlign], DefaultItemData()[ITextAlign]);

  TvornAppletAgent doc;
  doc.ResetDocument();
  doc.InsertItem(0, item);
  doc.Items[0][ILevel] = "0";
  const std::string path = ::testing::TempDir() + "velmora-records-separator.velm";
  EXPECT_THROW(doc.SaveProject(path), ValueError);
}

TEST(Records, ChangedValuesWriteTheSameLineAsARewrittenRecord) {
  // A record read from a line, changed in a few fields (first, last, one
  // set twice, one set back) and in many, writes the line that a record
  // made from the same values writes.
  std::string stored;
  for (int k = 0; k < kItemFieldCount; ++k) stored += "v" + std::to_string(k) + std::string(kSeparator);
  const auto source = std::make_shared<const std::string>(stored);
  for (int changes : {1, 4, 40, kItemFieldCount}) {
    TItemData item(source, *source);
    std::vector<std::string> values;
    for (int k = 0; k < kItemFieldCount; ++k) values.push_back("v" + std::to_string(k));
    for (int c = 0; c < changes; ++c) {
      const int k = (c * 37) % kItemFieldCount;
      values[static_cast<size_t>(k)] = c % 3 == 0 ? "" : "changed" + std::to_string(c);
      item.at(k) = values[static_cast<size_t>(k)];
    }
    item[ICaption] = "first";
    item[ILevel] = "twice";
    item[ILevel] = "7";
    item[IReserved108] = "last";
    item[ITextAlign] = "v1";  // back to what the line holds
    values[ICaption] = "first";
    values[ILevel] = "7";
    values[IReserved108] = "last";
    values[ITextAlign] = "v1";
    const TItemData rewritten = TItemData::FromValues(values);
    std::string line;
    item.AppendLine(line);
    EXPECT_EQ(line, rewritten.Line()) << changes << " changes";
    EXPECT_EQ(item, rewritten);
    EXPECT_EQ(item.Line(), rewritten.Line()) << "after writing the changes into its line";
    for (int k = 0; k < kItemFieldCount; ++k)
      ASSERT_EQ(std::as_const(item).at(k), values[static_cast<size_t>(k)]);
  }
  EXPECT_EQ(TItemData(source, *source).Line(), stored) << "an unchanged line is kept as it is";
}

TEST(Records, RecordsReadFromOneFileStayIndependent) {
  // Items share the file's text until changed; a change to one, and the
  // end of the file's text, never show in another.
  auto text = std::make_shared<const std::string>("x#$@1#$@\r\ny#$@2#$@\r\n");
  TextRecord<ItemField, 2> first(text, std::string_view(*text).substr(0, 8));
  TextRecord<ItemField, 2> second(text, std::string_view(*text).substr(10, 8));
  TextRecord<ItemField, 2> copy = first;
  text.reset();
  first.Set(0, "changed");
  EXPECT_EQ(std::as_const(first).Get(0), "changed");
  EXPECT_EQ(copy.Get(0), "x");
  EXPECT_EQ(second.Get(0), "y");
  EXPECT_EQ(second.Get(1), "2");
}

}  // namespace
}  // namespace velmora
