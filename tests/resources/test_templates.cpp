// The bundled templates: real project files that the program reads and
// writes unchanged, with values the generator understands, the images they
// name shipped beside them, and a clean publish with velmora-cli.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "document/errors.h"
#include "document/text.h"
#include "generator/contrast.h"
#include "generator/styles.h"
#include "resource_support.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> TemplateNames() {
  return FilesIn(kTemplates, ".velm");
}

std::string BaseName(const std::string& file) {
  return file.substr(0, file.size() - 5);
}

struct Loaded {
  ReadResult result;
  std::unique_ptr<TvornAppletAgent> doc = std::make_unique<TvornAppletAgent>();
  ItemTree tree;
};

Loaded Load(const std::string& file) {
  Loaded loaded;
  loaded.tree.ClearToRoot("Velmora");
  loaded.result = loaded.doc->LoadProject(kTemplates + "/" + file, loaded.tree);
  return loaded;
}

constexpr ItemField kImageFields[] = {
    ILeftIconUrl,         IOverLeftIconUrl,       IClickedLeftIconUrl,  IImageUrl,
    IOverImageUrl,        IClickedImageUrl,       IRightIconUrl,        IOverRightIconUrl,
    IClickedRightIconUrl, IBackgroundImageNormal, IBackgroundImageOver, IBackgroundImageClicked};

// --- What a well-formed value is -------------------------------------------

using Check = std::function<bool(std::string_view)>;

Check Number() {
  return [](std::string_view v) {
    try {
      StrictToInt(v);
      return true;
    } catch (const Error&) {
      return false;
    }
  };
}
Check Code(int count) {
  return [count](std::string_view v) { return Number()(v) && StrictToInt(v) >= 0 && StrictToInt(v) < count; };
}
Check OneOf(std::set<std::string> allowed) {
  return [allowed](std::string_view v) { return allowed.count(std::string(v)) == 1; };
}
Check Colour() {
  return [](std::string_view v) {
    return v.size() == 6 && std::all_of(v.begin(), v.end(), [](char c) {
             return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
           });
  };
}
Check Filled() {
  return [](std::string_view v) { return !Trim(v).empty(); };
}

struct FieldRule {
  int field;
  const char* what;
  Check ok;
};

std::vector<FieldRule> ItemRules() {
  std::vector<FieldRule> rules = {
      {ICaption, "a caption", Filled()},
      {ITextAlign, "an alignment code", Code(3)},
      {ITextWrap, "a wrapping code", Code(2)},
      {ITarget, "a target", Filled()},
      {DisableItem, "an enabled flag", OneOf({"0", "1"})},
      {ISubmenuDirection, "a direction code", Code(2)},
  };
  for (int f : {IPaddingLeft, IPaddingRight, IPaddingTop, IPaddingBottom, IWidth, IHeight, ILeftIconWidth,
                ILeftIconHeight, IImageWidth, IImageHeight, IRightIconWidth, IRightIconHeight,
                ISubmenuOffsetX, ISubmenuOffsetY, ISubmenuItemGap, IParentIndex, ILevel}) {
    rules.push_back({f, "a number", Number()});
  }
  for (int state = 0; state < 3; ++state) {
    const int s = IFontFamilyNormal + 20 * state;
    rules.push_back({s + 0, "a font family", Filled()});
    rules.push_back({s + 1, "a font size", Number()});
    rules.push_back({s + 2, "a font weight", OneOf({"bold", "normal"})});
    rules.push_back({s + 3, "a font style", OneOf({"italic", "normal"})});
    for (int side = 0; side < 4; ++side) {
      rules.push_back({s + 4 + 3 * side, "a border colour", Colour()});
      rules.push_back({s + 5 + 3 * side, "a border width", Number()});
      rules.push_back({s + 6 + 3 * side, "a border style code", Code(10)});
    }
    rules.push_back({s + 16, "a cursor code", Code(25)});
    rules.push_back({s + 17, "a text colour", Colour()});
    rules.push_back({s + 18, "a background colour", Colour()});
  }
  return rules;
}

std::vector<FieldRule> AppletRules() {
  std::vector<FieldRule> rules = {
      {pMainMenuDirection, "a direction code", Code(2)},
      {pOpenSlideType, "a slide flag", OneOf({"0", "2"})},
      {pCloseSlideType, "a slide flag", OneOf({"0", "2"})},
      {pOpenTransitionFlag, "a transition flag", OneOf({"0", "1"})},
      {pCloseTransitionFlag, "a transition flag", OneOf({"0", "1"})},
      {pOpenTransitionCustomFilter, "a transition code", Code(22)},
      {pCloseTransitionCustomFilter, "a transition code", Code(22)},
      {pInternalUse_RootDir_Local_Checked, "a path choice", OneOf({"0", "1"})},
  };
  for (int f : {pMainMenuItemGap, pOpenDelay, pSlidingOpenDuration, pCloseDelay, pSlidingCloseDuration}) {
    rules.push_back({f, "a number", Number()});
  }
  return rules;
}

// --- The tests -------------------------------------------------------------------

TEST(Templates, AtLeastSixShipWithPlainFileNames) {
  const auto names = TemplateNames();
  EXPECT_GE(names.size(), 6u);
  for (const std::string& name : names) {
    EXPECT_TRUE(std::all_of(name.begin(), name.end(),
                            [](char c) {
                              return std::islower(static_cast<unsigned char>(c)) || std::isdigit(c) ||
                                     c == '_' || c == '.';
                            }))
        << name << ": template names are lower case letters, digits and _";
  }
}

TEST(Templates, EachOpensWithSeveralLevelsOfMeaningfulItems) {
  for (const std::string& file : TemplateNames()) {
    SCOPED_TRACE(file);
    Loaded t = Load(file);
    ASSERT_EQ(t.result.outcome, ReadOutcome::Loaded) << t.result.detail;
    EXPECT_EQ(t.result.repairedItems, 0);
    const int count = t.doc->ItemCount();
    EXPECT_GE(count, 8);
    EXPECT_EQ(t.tree.NodeCount(), count + 1);

    int topLevel = 0, deepest = 0;
    std::set<std::pair<int, std::string>> siblings;  // (parent node, caption)
    for (int node = 1; node < t.tree.NodeCount(); ++node) {
      const TItemData item = t.doc->GetItem(node - 1);
      topLevel += t.tree.Parent(node) == 0;
      deepest = std::max(deepest, t.tree.Depth(node));
      EXPECT_NE(item[ICaption], DefaultItemData()[ICaption])
          << "item " << node << " keeps the default caption";
      EXPECT_TRUE(siblings.insert({t.tree.Parent(node), std::string(item[ICaption])}).second)
          << "two items of one submenu are both called " << item[ICaption];
    }
    EXPECT_GE(topLevel, 4) << "a menu bar or column of at least four items";
    EXPECT_GE(deepest, 2) << "at least one submenu";
  }
}

TEST(Templates, EachReadsBackExactlyAsTheProgramWritesIt) {
  ScratchFolder scratch;
  for (const std::string& file : TemplateNames()) {
    SCOPED_TRACE(file);
    Loaded t = Load(file);
    ASSERT_EQ(t.result.outcome, ReadOutcome::Loaded);
    t.doc->SaveProject(scratch / file);
    EXPECT_TRUE(ReadFile(scratch / file) == ReadFile(kTemplates + "/" + file))
        << "saving the opened template changes it: regenerate it with resources/templates/tools";
  }
}

TEST(Templates, EveryValueIsOneTheGeneratorUnderstands) {
  const auto itemRules = ItemRules();
  const auto appletRules = AppletRules();
  for (const std::string& file : TemplateNames()) {
    SCOPED_TRACE(file);
    Loaded t = Load(file);
    ASSERT_EQ(t.result.outcome, ReadOutcome::Loaded);
    const TAppletData menu = t.doc->GetAppletData();
    for (const FieldRule& rule : appletRules) {
      EXPECT_TRUE(rule.ok(menu.at(rule.field))) << "menu-wide field " << rule.field << " should be "
                                                << rule.what << ", not \"" << menu.at(rule.field) << "\"";
    }
    for (int i = 0; i < t.doc->ItemCount(); ++i) {
      const TItemData item = t.doc->GetItem(i);
      for (const FieldRule& rule : itemRules) {
        EXPECT_TRUE(rule.ok(item.at(rule.field)))
            << DescribeItem(i, item[ICaption]) << ": field " << rule.field << " should be " << rule.what
            << ", not \"" << item.at(rule.field) << "\"";
      }
      // The designer stores the image size as a copy of the item size.
      EXPECT_EQ(item[IImageWidth], item[IWidth]) << DescribeItem(i, item[ICaption]);
      EXPECT_EQ(item[IImageHeight], item[IHeight]) << DescribeItem(i, item[ICaption]);
    }
  }
}

TEST(Templates, EveryNamedImageShipsAndEveryShippedImageIsUsed) {
  std::set<std::string> named;
  for (const std::string& file : TemplateNames()) {
    Loaded t = Load(file);
    ASSERT_EQ(t.result.outcome, ReadOutcome::Loaded) << file;
    for (int i = 0; i < t.doc->ItemCount(); ++i) {
      for (ItemField field : kImageFields) {
        const std::string image = t.doc->GetItem(i)[field];
        if (image.empty()) continue;
        named.insert(image);
        EXPECT_TRUE(fs::is_regular_file(kTemplates + "/" + image))
            << file << ": " << DescribeItem(i, t.doc->GetItem(i)[ICaption]) << " names " << image
            << ", which is not in the templates folder";
      }
    }
  }
  for (const std::string& file : FilesIn(kTemplates)) {
    if (file.ends_with(".velm")) continue;
    EXPECT_TRUE(named.count(file)) << file << " lies in the templates folder but no template uses it";
  }
}

TEST(Templates, EachPublishesCleanlyWithTheCommandLineTool) {
  ScratchFolder scratch;
  const std::string home = MakeProgramFolder(scratch);
  for (const std::string& file : TemplateNames()) {
    SCOPED_TRACE(file);
    const std::string out = scratch / BaseName(file);
    const CommandResult run =
        RunCli({"publish", kTemplates + "/" + file, "--to", out, "--menu-name", "sample", "--home", home});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "") << "velmora-cli warned or failed";

    std::vector<std::string> expected = {BaseName(file) + ".html",
                                         BaseName(file) + ".velm",
                                         BaseName(file) + "_PublishReport.txt",
                                         "jsmenu0.js",
                                         "jsmenu01cfg.js",
                                         "jsmenu01.css"};
    Loaded t = Load(file);
    for (int i = 0; i < t.doc->ItemCount(); ++i) {
      for (ItemField field : kImageFields) {
        if (!t.doc->GetItem(i)[field].empty()) expected.push_back(t.doc->GetItem(i)[field]);
      }
    }
    for (const std::string& name : expected) {
      EXPECT_TRUE(fs::is_regular_file(out + "/" + name)) << name << " was not published";
    }
    EXPECT_TRUE(HoldsMenuContainer(ReadFile(out + "/" + BaseName(file) + ".html"), "sample"));
  }
}

// Text stays readable in every look of every item (WCAG AA), judged from the
// colours the design stores; for picture items these are the colours the
// pictures are drawn in.
TEST(Templates, EveryStateOfEveryItemHasReadableText) {
  std::vector<std::string> projects;
  for (const std::string& file : TemplateNames()) projects.push_back(kTemplates + "/" + file);
  projects.push_back(kResources + "/../examples/velmora-example.velm");
  for (const std::string& project : projects) {
    SCOPED_TRACE(project);
    TvornAppletAgent doc;
    ItemTree tree;
    tree.ClearToRoot("Velmora");
    ASSERT_EQ(doc.LoadProject(project, tree).outcome, ReadOutcome::Loaded);
    for (int i = 0; i < doc.ItemCount(); ++i) {
      const TItemData item = doc.GetItem(i);
      for (int state = 0; state < 3; ++state) {
        const ItemField text = static_cast<ItemField>(IColorNormal + 20 * state);
        const ItemField background = static_cast<ItemField>(IBackgroundColorNormal + 20 * state);
        const double ratio = ContrastRatio(item[text], item[background]);
        EXPECT_GE(ratio, kMinimumTextContrast)
            << DescribeItem(i, item[ICaption]) << ", " << kStateNames[state] << " look: text " << item[text]
            << " on " << item[background] << " is " << ratio << ":1";
      }
    }
  }
}

}  // namespace
}  // namespace velmora::test
