// The modern page's stylesheet says, in its shorter form, what the classic
// one says about every look: read back into one declaration set per class,
// the two agree for random looks.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "document/text.h"
#include "generator/generate.h"
#include "test_support.h"

namespace velmora::test {
namespace {

using Looks = std::map<std::string, std::map<std::string, std::string>>;  // class -> property -> value

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// A border value's words in order, as their order says nothing.
std::string Words(const std::string& value) {
  std::istringstream in(value);
  std::vector<std::string> words{std::istream_iterator<std::string>(in),
                                 std::istream_iterator<std::string>()};
  std::sort(words.begin(), words.end());
  std::string out;
  // "window-inset" shows as "inset" (the runtime restates it so).
  for (const std::string& w : words) out += (w == "window-inset" ? std::string("inset") : w) + " ";
  return out;
}

// Each class rule's declarations, longhand: shorthands as their parts, and
// what a browser drops ("cursor:hand") left out.
Looks ReadLooks(const std::string& css) {
  Looks looks;
  std::string text;
  for (std::string_view line : SplitLines(css)) text += std::string(line);
  size_t at = 0;
  while ((at = text.find('{', at)) != std::string::npos) {
    const size_t start = text.rfind('}', at) == std::string::npos ? 0 : text.rfind('}', at) + 1;
    const size_t end = text.find('}', at);
    std::string selectors = text.substr(start, at - start);
    const std::string body = text.substr(at + 1, end - at - 1);
    at = end;
    if (selectors.starts_with("/*")) selectors = selectors.substr(selectors.find("*/") + 2);
    std::map<std::string, std::string> declared;
    std::istringstream decls(body);
    for (std::string d; std::getline(decls, d, ';');) {
      if (d.empty()) continue;
      const std::string property = Lower(d.substr(0, d.find(':')));
      const std::string value = d.substr(d.find(':') + 1);
      if (property == "border") {
        for (const char* side : {"top", "right", "bottom", "left"})
          declared[std::string("border-") + side] = Words(value);
      } else if (property.starts_with("border-")) {
        declared[property] = Words(value);
      } else if (property == "background") {
        declared["background-color"] = value;
        declared["background-image"] = "none";
      } else if (!(property == "cursor" && value == "hand")) {
        declared[property] = value;
      }
    }
    std::istringstream names(selectors);
    for (std::string s; std::getline(names, s, ',');) {
      if (!s.starts_with(".") || s.find("box") != std::string::npos) continue;
      for (const auto& [p, v] : declared) {
        EXPECT_FALSE(looks[s].contains(p)) << s << " declares " << p << " twice";
        looks[s][p] = v;
      }
    }
  }
  return looks;
}

class ModernSheet : public ::testing::Test {
 protected:
  TempFolder folder;
  TvornAppletAgent doc{folder.path()};
  ItemTree tree;
};

TEST_F(ModernSheet, SaysWhatTheClassicOneSaysForRandomLooks) {
  std::mt19937 random(20261208);
  auto pick = [&random](std::initializer_list<const char*> list) {
    return std::string(list.begin()[random() % list.size()]);
  };
  for (int round = 0; round < 40; ++round) {
    BuildDesign(doc, tree, {0, 1, 1, 0, 0});
    for (TItemData& item : doc.Items) {
      for (int start : kStateBlockStart) {
        auto set = [&](int offset, const std::string& v) {
          item[static_cast<ItemField>(start + offset)] = v;
        };
        set(kFontFamily, pick({"Verdana", "Times New Roman,serif", "Arial"}));
        set(kFontSize, pick({"10", "12"}));
        set(kFontWeight, pick({"normal", "bold", ""}));
        set(kFontStyle, pick({"normal", "italic"}));
        // Sides mostly alike, so the four-sided border is met often.
        const std::string colour = pick({"C0C0C0", "000000"}), width = pick({"1", "2"}),
                          style = pick({"3", "8"});
        for (int side = 0; side < 4; ++side) {
          const bool odd = random() % 6 == 0;
          set(kBorderTopColor + 3 * side, odd ? "FF0000" : colour);
          set(kBorderTopWidth + 3 * side, width);
          set(kBorderTopStyle + 3 * side, odd ? "1" : style);
        }
        set(kCursor, pick({"3", "6", "2"}));
        set(kColor, pick({"000000", "FFFFFF"}));
        set(kBackgroundColor, pick({"FFFFFF", "EEEEEE"}));
        set(kBackgroundImage, pick({"", "", "back.gif"}));
      }
    }
    const Looks classic = ReadLooks(GenerateMenuTexts(doc, tree, "menu5").stylesheet);
    const std::string modern = GenerateMenuTexts(doc, tree, "menu5", {PageStyle::Html5, ""}).stylesheet;
    EXPECT_EQ(modern.find('\r'), std::string::npos);
    EXPECT_EQ(modern.find("FONT"), std::string::npos) << "lower case";
    ASSERT_FALSE(classic.empty());
    EXPECT_EQ(ReadLooks(modern), classic) << "round " << round << "\n" << modern;
  }
}

}  // namespace
}  // namespace velmora::test
