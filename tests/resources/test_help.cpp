// The help pages: a page for every help button of the designer, every page
// reachable from the contents, and every link leading to a page and anchor
// that exist. The help window is a plain rich-text viewer, so the pages keep
// to simple HTML.

#include <gtest/gtest.h>

#include <filesystem>
#include <queue>
#include <set>
#include <string>

#include "designer/page_bindings.h"
#include "resource_support.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> HelpPages() {
  std::set<std::string> pages;
  for (const std::string& name : FilesIn(kHelp)) {
    if (name.ends_with(".htm") || name.ends_with(".html")) pages.insert(name);
  }
  return pages;
}

bool IsExternal(const std::string& link) {
  return link.starts_with("http://") || link.starts_with("https://") || link.starts_with("mailto:");
}

// A link split into the help file it names (the page itself when empty) and
// its anchor.
struct Target {
  std::string file;
  std::string anchor;
};

Target TargetOf(const std::string& page, const std::string& link) {
  const size_t hash = link.find('#');
  Target target{link.substr(0, hash), hash == std::string::npos ? "" : link.substr(hash + 1)};
  if (target.file.empty()) target.file = page;
  return target;
}

TEST(Help, EveryHelpButtonOpensAPageWithContent) {
  for (const char* topic : kHelpTopics) {
    SCOPED_TRACE(topic);
    ASSERT_TRUE(fs::is_regular_file(kHelp + "/" + topic)) << "the help button's page is missing";
    const std::string page = ReadFile(kHelp + "/" + topic);
    EXPECT_NE(page.find("<title>"), std::string::npos);
    EXPECT_NE(page.find("<h1>"), std::string::npos);
    EXPECT_GT(page.size(), 1500u) << "a topic says what its settings do, their ranges and how they show";
  }
}

TEST(Help, EveryPageIsReachableFromTheContents) {
  const std::set<std::string> pages = HelpPages();
  ASSERT_TRUE(pages.count("index.html"));
  std::set<std::string> reached = {"index.html"};
  std::queue<std::string> waiting;
  waiting.push("index.html");
  while (!waiting.empty()) {
    const std::string page = waiting.front();
    waiting.pop();
    for (const std::string& link : LinksOf(ReadFile(kHelp + "/" + page))) {
      if (IsExternal(link)) continue;
      const std::string file = TargetOf(page, link).file;
      if (pages.count(file) && reached.insert(file).second) waiting.push(file);
    }
  }
  for (const std::string& page : pages)
    EXPECT_TRUE(reached.count(page)) << page << " is not linked from any page";
}

TEST(Help, EveryLinkLeadsToAnExistingPageAndAnchor) {
  for (const std::string& page : HelpPages()) {
    for (const std::string& link : LinksOf(ReadFile(kHelp + "/" + page))) {
      if (IsExternal(link)) continue;
      SCOPED_TRACE(page + ": " + link);
      const Target target = TargetOf(page, link);
      ASSERT_EQ(target.file.find('/'), std::string::npos) << "help pages link within the help folder";
      ASSERT_TRUE(fs::is_regular_file(kHelp + "/" + target.file)) << "no such file";
      if (!target.anchor.empty()) {
        EXPECT_TRUE(AnchorsOf(ReadFile(kHelp + "/" + target.file)).count(target.anchor)) << "no such anchor";
      }
    }
  }
}

TEST(Help, PagesSuitTheHelpWindow) {
  for (const std::string& page : HelpPages()) {
    SCOPED_TRACE(page);
    const std::string text = ReadFile(kHelp + "/" + page);
    EXPECT_EQ(text.find("<script"), std::string::npos) << "the help window runs no script";
    const auto foreign = std::find_if(text.begin(), text.end(), [](char c) { return c & 0x80; });
    EXPECT_EQ(foreign, text.end())
        << "characters beyond ASCII are written as entities, so every viewer reads them";
    EXPECT_NE(text.find("href=\"help.css\""), std::string::npos) << "pages share the help stylesheet";
  }
}

}  // namespace
}  // namespace velmora::test
