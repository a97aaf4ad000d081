// Site pages: the menu region of a page, links seen from another folder,
// and a whole site updated all or nothing and only where it changes.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <random>
#include <regex>

#include "document/errors.h"
#include "generator/page_style.h"
#include "generator/site_links.h"
#include "generator/site_pages.h"
#include "generator/site_region.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace velmora {
namespace {

using test::BuildDesign;
using test::Slurp;
using test::Spit;
using test::TempFolder;

const std::string kOpen(kMenuRegionOpen), kClose(kMenuRegionClose);

std::string RefusalOf(const std::string& page) {
  try {
    FindMenuRegion(page, "p.html");
  } catch (const ValueError& e) {
    return e.what();
  }
  return "";
}

TEST(MenuRegion, RefusesBrokenMarkersNamingPageAndLine) {
  const struct {
    std::string page;
    std::string expected;  // start of the message
  } cases[] = {
      {"a\n" + kOpen + "\nb\n", "p.html, line 2: the opening marker"},
      {"a\nb\n" + kClose + "\n" + kOpen + kClose, "p.html, line 3: the closing marker"},
      {kClose, "p.html, line 1: the closing marker"},
      {kOpen + "\n" + kOpen + "\n" + kClose, "p.html, line 2: a second opening marker"},
      {kOpen + kClose + "\n\n" + kOpen + kClose, "p.html, line 3: a second menu region"},
      {kOpen + kClose + "\r\n" + kClose, "p.html, line 2: a second menu region"},
      {"\xFF\xFE<\0h\0" + kOpen, "p.html: the page is UTF-16"},
      {"\xFE\xFF\0<", "p.html: the page is UTF-16"},
      {std::string("<\0h\0t\0m\0l\0>\0", 12), "p.html: the page is UTF-16"},
  };
  for (const auto& c : cases) EXPECT_TRUE(RefusalOf(c.page).starts_with(c.expected)) << RefusalOf(c.page);
  EXPECT_FALSE(FindMenuRegion("<p>no markers</p>", "p.html").found);
}

TEST(MenuRegion, TakesLineEndAndIndentFromThePage) {
  const std::string page = "<body>\r\n\t  " + kOpen + "old stuff\r\n   " + kClose + "\r\n</body>";
  const MenuRegion region = FindMenuRegion(page, "p.html");
  ASSERT_TRUE(region.found);
  EXPECT_EQ(region.lineEnd, "\r\n");
  EXPECT_EQ(region.indent, "\t  ");
  const std::string text = RegionText("<a>\r\n<b>\r\n", region);
  EXPECT_EQ(PageWithRegion(page, region, text),
            "<body>\r\n\t  " + kOpen + "\r\n\t  <a>\r\n\t  <b>\r\n\t  " + kClose + "\r\n</body>");
  // Text before the marker on its line: no indentation; a page of one line takes LF.
  const MenuRegion inline_ = FindMenuRegion("<p>" + kOpen + kClose, "p.html");
  EXPECT_EQ(inline_.indent, "");
  EXPECT_EQ(inline_.lineEnd, "\n");
}

TEST(PagePlace, RebasesLinksAndFindsThePageItself) {
  const PagePlace deep("/site", "/site/blog/2026/first.html");
  EXPECT_EQ(deep.FilesPrefix(), "../../");
  const struct {
    const char* link;
    const char* rebased;
    bool current;
  } cases[] = {
      {"about.html", "../../about.html", false},
      {"./blog/2026/first.html?x=1#top", "first.html?x=1#top", true},
      {"blog/2026/", "./", false},
      {"blog/", "../", false},
      {"blog/2026/other.htm#a", "other.htm#a", false},
      {"blog/../blog/2026/first.html", "first.html", true},
      {"../outside/x.html", "../../../outside/x.html", false},
      {"https://example.com/a", "https://example.com/a", false},
      {"mailto:a@b.c", "mailto:a@b.c", false},
      {"/root.html", "/root.html", false},
      {"#top", "#top", false},
      {"?q=1", "?q=1", false},
      {"blog/2026/first%2Ehtml", "first%2Ehtml", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(deep.Rebase(c.link), c.rebased) << c.link;
    EXPECT_EQ(deep.IsCurrentPage(c.link), c.current) << c.link;
  }
  const PagePlace index("/site", "/site/docs/index.html");
  EXPECT_TRUE(index.IsCurrentPage("docs/"));
  EXPECT_TRUE(index.IsCurrentPage("docs/index.htm"));
  EXPECT_TRUE(index.IsCurrentPage("docs/index.html#x"));
  EXPECT_FALSE(index.IsCurrentPage("docs"));
  // A page beside the published files keeps every link as written.
  const PagePlace beside("/site", "/site/a.html");
  EXPECT_EQ(beside.FilesPrefix(), "./");
  EXPECT_EQ(beside.Rebase("./x/../a.html"), "./x/../a.html");
  EXPECT_TRUE(beside.IsCurrentPage("./x/../a.html"));
  // A page outside the published folder reaches it by name, escaped.
  const PagePlace sibling("/w/my site", "/w/other/p.html");
  EXPECT_EQ(sibling.FilesPrefix(), "../my%20site/");
  EXPECT_EQ(sibling.Rebase("sub/q.html"), "../my%20site/sub/q.html");
}

// A project folder with a design whose links point at pages of the site.
class Site : public ::testing::Test {
 protected:
  TempFolder home, root;
  TvornAppletAgent doc{home.path()};
  ItemTree tree;
  std::string project;

  void SetUp() override {
    Spit(home / "jsmenu0.js", "// runtime\n");
    project = root / "menu.velm";
    BuildDesign(doc, tree, {0, 1, 1, 0, 1});
    const char* links[] = {"index.html", "blog/", "blog/2026/first.html", "about.html",
                           "blog/2026/first.html#c"};
    for (size_t i = 0; i < 5; ++i) doc.Items[i][ILink] = links[i];
  }

  SiteUpdate Run(const std::vector<std::string>& paths, bool write = true,
                 PageStyle style = PageStyle::Html5) {
    SiteUpdateOptions options;
    options.page.style = style;
    options.write = write;
    return UpdateSitePages(doc, tree, project, paths, options);
  }
};

// The status area of a site update: its steps counted, and the first one
// made under another hint, outside the bar or backwards told.
struct SiteProgress final : StatusSink {
  std::string hint, strayStep;
  int max = 0, siteSteps = 0;
  long long position = 0, furthest = 0;
  bool busy = false;
  void SetHint(const std::string& text) override { hint = text; }
  void SetProgressMax(int m) override { max = m; }
  void SetProgressPosition(int p) override { position = p; }
  void SetBusy(bool b) override { busy = b; }
  void StepProgress(int amount) override {
    position += amount;
    if (!hint.starts_with("Updating Site Pages")) return;
    ++siteSteps;
    if (strayStep.empty() && (position > max || position <= furthest))
      strayStep = std::to_string(position) + " of " + std::to_string(max);
    furthest = position;
  }
};

std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(e.path(), folder).string();
    entries[name] = e.is_directory() ? "<folder>" : Slurp(e.path().string());
  }
  return entries;
}

fs::file_time_type Aged(const std::string& path) {
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(path, old);
  return fs::last_write_time(path);
}

TEST_F(Site, FillsRegionsKeepingEveryOtherByteAndRewritesNothingTheSecondTime) {
  // Pages at three depths in CR LF and LF, Windows-1252, UTF-8 with and
  // without a byte-order mark.
  const struct {
    std::string name;
    std::string head, tail;
  } pages[] = {
      {"index.html", "<p>Caf\xE9 \x80</p>\r\n  ", "\r\n<p>\xE9</p>\r\n"},
      {"blog/index.htm", "\xEF\xBB\xBF<p>Caf\xC3\xA9</p>\n", "\n"},
      {"blog/2026/first.html", "<p>\xE2\x82\xAC</p>\n\t", "<p>end without line end"},
      {"blog/2026/plain.xhtml", "\r\n", "\r\n"},
  };
  for (const auto& p : pages) {
    fs::create_directories(fs::path(root / p.name).parent_path());
    Spit(root / p.name, p.head + kOpen + "\nwhatever was here\n" + kClose + p.tail);
  }
  Spit(root / "blog/2026/notes.txt", kOpen + kClose);
  Spit(root / "blog/2026/none.html", "<p>no region</p>");
  ::chmod((root / "blog/index.htm").c_str(), 0640);
  // A page of someone else's, which only root may update and give back.
  const bool asRoot = ::geteuid() == 0;
  if (asRoot) {
    ASSERT_EQ(::chown((root / "index.html").c_str(), 65534, 65534), 0);
  }
  // What a run that was killed while writing left beside a page.
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
  const std::string left = "blog/2026/.first.html." + std::to_string(ended) + "-0123456789abcdef.tmp";
  Spit(root / left, "half a page");

  SiteProgress sink;
  doc.SetStatusSink(&sink);
  const SiteUpdate first = Run({root.path()});
  doc.SetStatusSink(nullptr);
  ASSERT_FALSE(first.HasProblems()) << SiteUpdateReport(first);
  EXPECT_EQ(sink.siteSteps, 5 + 4 + 4) << "a step per page read, region made and page written";
  EXPECT_EQ(sink.strayStep, "") << "the bar goes forward under the site's hint, within its maximum";
  EXPECT_FALSE(sink.busy);
  EXPECT_EQ(first.Count(SitePageState::WillUpdate), 4u) << SiteUpdateReport(first);
  EXPECT_EQ(first.Count(SitePageState::NoRegion), 1u);
  EXPECT_TRUE(fs::exists(root / "menu.html") && fs::exists(root / "jsmenu01cfg.js"));
  EXPECT_FALSE(fs::exists(root / left)) << "a left temporary file would be uploaded with the site";

  for (const auto& p : pages) {
    const std::string now = Slurp(root / p.name);
    ASSERT_TRUE(now.starts_with(p.head + kOpen)) << p.name;
    ASSERT_TRUE(now.ends_with(kClose + p.tail)) << p.name;
    const std::string region = now.substr(p.head.size(), now.size() - p.head.size() - p.tail.size());
    for (const char c : region) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << p.name;
    const std::string lineEnd = p.head.ends_with("\n") && !p.head.ends_with("\r\n") ? "\n"
                                : p.head.find('\r') != std::string::npos            ? "\r\n"
                                                                                    : "\n";
    EXPECT_EQ(region.find(lineEnd == "\n" ? "\r" : "\n\n"), std::string::npos) << p.name;
  }
  const std::string deep = Slurp(root / "blog/2026/first.html");
  EXPECT_NE(deep.find("\t<script src=\"../../jsmenu0.js\" defer></script>\n"), std::string::npos);
  EXPECT_EQ(std::regex_search(deep, std::regex("href=\"first.html\"[^>]*aria-current=\"page\"")), true);
  EXPECT_EQ(std::regex_search(deep, std::regex("href=\"first.html#c\"[^>]*aria-current=\"page\"")), true);
  EXPECT_NE(deep.find("<a href=\"../../about.html\""), std::string::npos);
  EXPECT_TRUE(std::regex_search(Slurp(root / "blog/index.htm"),
                                std::regex("<a href=\"./\"[^>]*aria-current=\"page\">B</a>")));
  EXPECT_EQ(fs::status(root / "blog/index.htm").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  struct stat owned;
  ASSERT_EQ(::stat((root / "index.html").c_str(), &owned), 0);
  if (asRoot) {
    EXPECT_EQ(std::make_pair(owned.st_uid, owned.st_gid), std::make_pair(65534u, 65534u)) << "owner kept";
  }

  std::map<std::string, fs::file_time_type> times;
  for (const auto& p : pages) times[p.name] = Aged(root / p.name);
  const auto before = Snapshot(root.path());
  const SiteUpdate second = Run({root.path()});
  EXPECT_EQ(second.Count(SitePageState::UpToDate), 4u) << SiteUpdateReport(second);
  EXPECT_EQ(second.Count(SitePageState::Skipped), 1u) << "the published page";
  EXPECT_EQ(Snapshot(root.path()), before);
  for (const auto& p : pages) EXPECT_EQ(fs::last_write_time(root / p.name), times[p.name]) << p.name;

  // The classic style puts only the loading code and the empty container.
  Run({root / "blog/2026/first.html"}, true, PageStyle::Classic);
  EXPECT_NE(
      Slurp(root / "blog/2026/first.html")
          .find(
              "\t" + kOpen +
              "\n\t<link href=\"../../jsmenu01.css\" type=text/css rel=stylesheet>\n\t"
              "<script language=\"javascript\" src=\"../../jsmenu01cfg.js\"></script>\n\t<script "
              "language=\"javascript\" src=\"../../jsmenu0.js\"></script>\n\t<div id=sitemenudiv></div>\n\t" +
              kClose),
      std::string::npos);
}

// A classic design holds its links in the code page; the file system names
// the page in UTF-8. The link to the page is marked all the same.
TEST_F(Site, ALinkInTheCodePageMarksThePageItNames) {
  fs::create_directories(root / "caf\xC3\xA9");
  Spit(root / "caf\xC3\xA9/d\xC3\xA9j\xC3\xA0.html", kOpen + kClose);
  doc.Items[3][ILink] = "caf\xE9/d\xE9j\xE0.html";
  ASSERT_FALSE(Run({root.path()}).HasProblems());
  EXPECT_NE(Slurp(root / "caf\xC3\xA9/d\xC3\xA9j\xC3\xA0.html")
                .find("<a href=\"../caf&#xE9;/d&#xE9;j&#xE0;.html\" aria-current=\"page\">"),
            std::string::npos)
      << Slurp(root / "caf\xC3\xA9/d\xC3\xA9j\xC3\xA0.html");
}

// A page a browser reads as XML stops at the first tag that is not: its
// region is written in XML syntax, in either page style; an HTML page keeps
// the code as published.
TEST_F(Site, XmlPagesGetTheirRegionInXmlSyntax) {
  const std::string xhtml =
      "<html xmlns=\"http://www.w3.org/1999/xhtml\"><body>\n" + kOpen + kClose + "</body></html>";
  const std::regex startTag("<[a-z][^>]*>");
  const std::regex xmlTag("<[a-z]+( [a-z-]+=\"[^\"<>]*\")*/?>");
  for (const PageStyle style : {PageStyle::Classic, PageStyle::Html5}) {
    Spit(root / "a.xhtml", xhtml);
    Spit(root / "b.htm", "\xEF\xBB\xBF \r\n<?xml version=\"1.0\"?>\r\n" + xhtml);
    Spit(root / "c.html", kOpen + kClose);
    ASSERT_FALSE(Run({root.path()}, true, style).HasProblems());
    for (const char* name : {"a.xhtml", "b.htm"}) {
      const std::string page = Slurp(root / name);
      const std::string region = page.substr(page.find(kOpen), page.find(kClose) - page.find(kOpen));
      int tags = 0;
      for (std::sregex_iterator it(region.begin(), region.end(), startTag), end; it != end; ++it, ++tags) {
        const std::string tag = it->str();
        EXPECT_TRUE(std::regex_match(tag, xmlTag)) << name << ": " << tag;
        EXPECT_EQ(tag.starts_with("<link"), tag.ends_with("/>")) << name << ": " << tag;
      }
      EXPECT_GE(tags, style == PageStyle::Classic ? 4 : 10) << region;
    }
    const std::string html = Slurp(root / "c.html");
    EXPECT_NE(html.find(style == PageStyle::Classic ? " type=text/css rel=stylesheet>" : " defer></script>"),
              std::string::npos)
        << html;
  }
  EXPECT_EQ(XmlSyntax("<p a=x b='y' c>t</p><br><!-- k -->"),
            "<p a=\"x\" b=\"y\" c=\"c\">t</p><br/><!-- k -->");
}

TEST_F(Site, EveryRefusalLeavesTheWholeFolderAsItWas) {
  fs::create_directories(root / "a/b");
  Spit(root / "a/good.html", kOpen + kClose);
  Spit(root / "a/b/fine.html", "x\n" + kOpen + "\n" + kClose + "\n");
  Spit(root / "menu.html", "an old published page");
  const struct {
    std::string name, content;
    std::string expected;
  } bad[] = {
      {"a/b/open.html", "1\n2\n" + kOpen + "\n", "a/b/open.html, line 3: the opening marker"},
      {"a/close.htm", kClose + kOpen + kClose, "a/close.htm, line 1: the closing marker"},
      {"two.xhtml", kOpen + kClose + "\n" + kOpen + kClose, "two.xhtml, line 2: a second menu region"},
      {"a/wide.html", "\xFF\xFE<\0!\0", "a/wide.html: the page is UTF-16"},
      {"huge.html", "", "huge.html: the page is larger than 50 MB"},
      {"a/locked.html", kOpen + kClose, "a/locked.html: the page is read-only"},
  };
  for (const auto& b : bad) {
    Spit(root / b.name, b.content);
    if (b.name == "huge.html") fs::resize_file(root / b.name, kLargestSitePage + 1);
    if (b.name == "a/locked.html") ::chmod((root / b.name).c_str(), 0444);
    const auto before = Snapshot(root.path());
    const SiteUpdate update = Run({root.path()});
    EXPECT_FALSE(update.written);
    EXPECT_EQ(update.Count(SitePageState::Problem), 1u) << SiteUpdateReport(update);
    EXPECT_NE(SiteUpdateReport(update).find(root / b.expected), std::string::npos)
        << SiteUpdateReport(update);
    EXPECT_EQ(Snapshot(root.path()), before) << b.name;
    fs::remove(root / b.name);
  }
  const SiteUpdate missing = Run({root / "gone"});
  EXPECT_TRUE(missing.HasProblems());
  EXPECT_FALSE(missing.written);
}

// A page that cannot be read, or that cannot be replaced because its folder
// takes no new files, is found while checking, so nothing is written, not
// even in the program folder. Run as a user the file system holds to its
// permissions: a forked child that gives up root when the test has it.
TEST_F(Site, PagesThatCannotBeReadOrReplacedStopTheRunBeforeAnyWrite) {
  fs::create_directories(root / "open");
  fs::create_directories(root / "shut");
  Spit(root / "open/a.html", kOpen + kClose);
  Spit(root / "open/secret.html", kOpen + kClose);
  Spit(root / "shut/b.html", "x\n" + kOpen + kClose);
  const auto before = Snapshot(root.path());
  const auto homeBefore = Snapshot(home.path());
  const bool asRoot = ::geteuid() == 0;
  constexpr uid_t kNobody = 65534;
  if (asRoot) {
    for (const std::string& top : {root.path(), home.path()}) {
      ASSERT_EQ(::lchown(top.c_str(), kNobody, kNobody), 0);
      for (const auto& e : fs::recursive_directory_iterator(top))
        ASSERT_EQ(::lchown(e.path().c_str(), kNobody, kNobody), 0);
    }
  }
  ::chmod((root / "open/secret.html").c_str(), 0200);
  ::chmod((root / "shut").c_str(), 0555);

  const pid_t child = ::fork();
  if (child == 0) {
    if (asRoot && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(100);
    const SiteUpdate update = Run({root.path()});
    const std::string report = SiteUpdateReport(update);
    int failed = update.written ? 1 : 0;
    if (report.find(root / "open/secret.html: the page cannot be read: Permission denied\n") ==
        std::string::npos)
      failed |= 2;
    if (report.find(root / "shut/b.html: its folder " + root / "shut takes no new files") ==
        std::string::npos)
      failed |= 4;
    if (update.Count(SitePageState::Problem) != 2 || update.Count(SitePageState::WillUpdate) != 1)
      failed |= 8;
    std::fputs(report.c_str(), stderr);
    ::_exit(failed);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1 written, 2 no read refusal, 4 no folder refusal, 8 wrong counts";
  ::chmod((root / "open/secret.html").c_str(), 0644);
  ::chmod((root / "shut").c_str(), 0755);
  EXPECT_EQ(Snapshot(root.path()), before);
  EXPECT_EQ(Snapshot(home.path()), homeBefore);
}

TEST_F(Site, WalkSkipsHiddenFoldersAndLinksLeadingOut) {
  TempFolder elsewhere;
  Spit(elsewhere / "out.html", kOpen + kClose);
  fs::create_directories(root / "site/.git");
  fs::create_directories(root / "site/sub");
  Spit(root / "site/.git/x.html", kOpen + kClose);
  Spit(root / "site/sub/in.HTML", kOpen + kClose);
  fs::create_directory_symlink(elsewhere.path(), root / "site/linked");
  fs::create_symlink(elsewhere / "out.html", root / "site/out.html");
  fs::create_directory_symlink(root / "site", root / "site/sub/loop");
  fs::create_symlink(root / "site/sub/in.HTML", root / "site/again.html");
  fs::create_symlink(root / "site/deleted.html", root / "site/dead.html");
  const SiteWalk walk = FindSitePages({root / "site"}, {});
  EXPECT_EQ(walk.pages, std::vector<std::string>{root / "site/again.html"}) << "each page once";
  ASSERT_EQ(walk.leftOut.size(), 3u);
  EXPECT_EQ(walk.leftOut[0].path, root / "site/dead.html") << "a link to nothing is told, not dropped";
  EXPECT_EQ(walk.leftOut[0].state, SitePageState::Skipped);
  EXPECT_EQ(walk.leftOut[1].path, root / "site/linked");
  EXPECT_EQ(walk.leftOut[2].path, root / "site/out.html");
  const SiteUpdate update = Run({root / "site"});
  EXPECT_EQ(Slurp(elsewhere / "out.html"), kOpen + kClose);
  EXPECT_TRUE(fs::is_symlink(root / "site/again.html")) << "the page behind the link is written";
  EXPECT_NE(Slurp(root / "site/sub/in.HTML").find("../jsmenu0.js"), std::string::npos);
}

// A page's path with "index.html" and "index.htm" taken as their folder.
fs::path PageKey(const std::string& path) {
  const fs::path normal = fs::path(path).lexically_normal();
  const std::string name = normal.filename().string();
  return name == "index.html" || name == "index.htm" ? normal.parent_path() / "" : normal;
}

// Random folder trees of pages whose regions sit anywhere: after an update
// every byte outside the regions is the same, every rebased link leads
// where the design's link leads, exactly the links to the page itself are
// marked, and a second run changes and rewrites nothing.
TEST_F(Site, RandomSitesUpdateOnceAndStayTheSame) {
  std::mt19937 random(20261208);
  auto pick = [&random](size_t n) { return static_cast<size_t>(random() % n); };
  const std::regex anchor("<a href=\"([^\"]*)\"[^>]*?( aria-current=\"page\")?>");
  for (int round = 0; round < 12; ++round) {
    TempFolder site;
    project = site / "menu.velm";
    std::vector<std::string> names;
    const size_t count = 3 + pick(10);
    for (size_t k = 0; k < count; ++k) {
      std::string folder;
      for (size_t depth = pick(4); depth > 0; --depth)
        folder += std::string(1, static_cast<char>('a' + pick(3))) + "/";
      const char* kinds[] = {"index.html", "p.htm", "q.xhtml", "r.html"};
      names.push_back(folder + kinds[pick(4)]);
    }
    std::vector<int> levels;
    for (size_t i = 0; i < 8; ++i) levels.push_back(i == 0 ? 0 : static_cast<int>(pick(2)));
    BuildDesign(doc, tree, levels);
    for (size_t i = 0; i < levels.size(); ++i) {
      std::string link = names[pick(names.size())];
      if (link.ends_with("index.html") && pick(2)) link.resize(link.size() - 10);
      if (link.empty()) link = "./";
      doc.Items[i][ILink] = link + (pick(3) == 0 ? "#part" : "");
    }
    std::map<std::string, std::pair<std::string, std::string>> outside;
    for (const auto& name : names) {
      const std::string end = pick(2) ? "\r\n" : "\n";
      std::string head = pick(2) ? "\xEF\xBB\xBF" : "";
      for (size_t n = pick(40); n > 0; --n)
        head += static_cast<char>(pick(3) ? 'a' + pick(26) : "\n\r\t <>\xE9"[pick(7)]);
      head += end + std::string(pick(3), ' ');
      const std::string tail = end + "<p>" + std::to_string(pick(1000)) + "</p>" + end;
      fs::create_directories(fs::path(site / name).parent_path());
      Spit(site / name, head + kOpen + (pick(2) ? "junk" : "") + kClose + tail);
      outside[name] = {head + kOpen, kClose + tail};
    }
    const PageStyle style = pick(2) ? PageStyle::Html5 : PageStyle::Classic;
    const SiteUpdate first = Run({site.path()}, true, style);
    ASSERT_FALSE(first.HasProblems()) << SiteUpdateReport(first);
    for (const auto& [name, parts] : outside) {
      const std::string now = Slurp(site / name);
      ASSERT_TRUE(now.starts_with(parts.first) && now.ends_with(parts.second)) << name;
      const fs::path folder = fs::path(site / name).parent_path();
      for (std::sregex_iterator it(now.begin(), now.end(), anchor), end; it != end; ++it) {
        const std::string href = (*it)[1].str();
        const std::string path = href.substr(0, href.find('#'));
        const fs::path reached = (folder / path).lexically_normal();
        bool known = false;
        bool self = false;
        for (const TItemData& item : doc.Items) {
          const std::string link(item[ILink].substr(0, item[ILink].find('#')));
          if ((fs::path(site.path()) / link).lexically_normal() != reached) continue;
          known = true;
          self = self || PageKey(site / link) == PageKey(site / name);
        }
        EXPECT_TRUE(known) << name << ": " << href;
        EXPECT_EQ((*it)[2].matched, self) << name << ": " << href;
      }
    }
    std::map<std::string, fs::file_time_type> times;
    for (const auto& name : names) times[name] = Aged(site / name);
    const auto before = Snapshot(site.path());
    const SiteUpdate second = Run({site.path()}, true, style);
    EXPECT_EQ(second.Count(SitePageState::WillUpdate), 0u) << SiteUpdateReport(second);
    for (const auto& name : names) EXPECT_EQ(fs::last_write_time(site / name), times[name]);
    EXPECT_EQ(Snapshot(site.path()), before);
  }
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(SiteFolder, KeptRelativeToTheProjectAndWrittenOnlyWhenSet) {
  TempFolder home, root;
  TvornAppletAgent doc{home.path()};
  ItemTree tree;
  BuildDesign(doc, tree, {0});
  doc.SaveProject(root / "plain.velm");
  EXPECT_EQ(Slurp(root / "plain.velm").find("Site_Folder"), std::string::npos);

  StoreSiteFolder(doc.Extensions, root / "plain.velm", root / "www/docs/");
  EXPECT_EQ(doc.Extensions.Value(kSiteFolderKey), "www/docs");
  doc.SaveProject(root / "sited.velm");
  EXPECT_NE(Slurp(root / "sited.velm").find("Site_Folder=www/docs\r\n"), std::string::npos);
  TvornAppletAgent reread{home.path()};
  ItemTree rereadTree;
  ASSERT_EQ(reread.LoadProject(root / "sited.velm", rereadTree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(SiteFolderOf(reread.Extensions, root / "sited.velm"), root / "www/docs");
  StoreSiteFolder(doc.Extensions, root / "sub/p.velm", root / "up");
  EXPECT_EQ(doc.Extensions.Value(kSiteFolderKey), "../up");
  StoreSiteFolder(doc.Extensions, root / "p.velm", root.path());
  EXPECT_EQ(SiteFolderOf(doc.Extensions, root / "p.velm"), root.path()) << "no separator at the end";
  StoreSiteFolder(doc.Extensions, root / "p.velm", "");
  EXPECT_FALSE(doc.Extensions.Has(kSiteFolderKey));
}

}  // namespace
}  // namespace velmora
