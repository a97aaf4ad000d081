// velmora-cli end to end: the real program run on fixture projects.
// VELMORA_UPDATE_EXPECTED=1 rewrites the expected files from the output.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

#include "document/field_names.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSource = VELMORA_SOURCE_DIR;
const fs::path kExpected = kSource / "tests/cli/expected";

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class CliRun : public ::testing::Test {
 protected:
  fs::path work, home;

  void SetUp() override {
    work = fs::temp_directory_path() / ("velmora-cli-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(work);
    home = work / "home";
    fs::create_directories(home);
    fs::copy_file(kSource / "tests/cli/fixtures/jsmenu0.js", home / "jsmenu0.js");
  }
  void TearDown() override { fs::remove_all(work); }

  // Runs velmora-cli with `args` (already quoted for the shell).
  Outcome Cli(const std::string& args, const std::string& env = "") {
    const fs::path out = work / "stdout", err = work / "stderr";
    const std::string command =
        env + " " + VELMORA_CLI + " " + args + " >" + out.string() + " 2>" + err.string() + " </dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
  }

  fs::path CopyExample() {
    const fs::path project = work / "project";
    fs::create_directories(project);
    fs::copy(kSource / "examples", project, fs::copy_options::recursive);
    return project;
  }

  void ExpectSameAsExpected(const fs::path& produced, const std::string& expectedName) {
    const fs::path expected = kExpected / expectedName;
    if (std::getenv("VELMORA_UPDATE_EXPECTED")) {
      fs::create_directories(expected.parent_path());
      fs::copy_file(produced, expected, fs::copy_options::overwrite_existing);
    }
    ASSERT_TRUE(fs::exists(expected)) << expected;
    EXPECT_EQ(Slurp(produced), Slurp(expected)) << produced << " differs from " << expected;
  }
};

std::string Q(const fs::path& p) {
  return "'" + p.string() + "'";
}

TEST_F(CliRun, PublishWritesTheExpectedFiles) {
  const fs::path project = CopyExample();
  const fs::path site = work / "site";
  const Outcome run = Cli("publish " + Q(project / "velmora-example.velm") + " --to " + Q(site) +
                          " --menu-name menu42 --home " + Q(home));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, (site / "velmora-example.html").string() + "\n");
  EXPECT_EQ(run.err, "");
  for (const char* name : {"velmora-example.html", "jsmenu01cfg.js", "jsmenu01.css", "velmora-example.velm",
                           "velmora-example_PublishReport.txt"}) {
    ExpectSameAsExpected(site / name, std::string("example/") + name);
  }
  EXPECT_EQ(Slurp(site / "jsmenu0.js"), Slurp(home / "jsmenu0.js"));
  EXPECT_EQ(Slurp(site / "arrow.gif"), Slurp(project / "arrow.gif"));
  EXPECT_FALSE(fs::exists(home / "preview")) << "publishing cleans the preview folder";

  // The default target is the project's own folder; output is reproducible.
  ASSERT_EQ(
      Cli("publish " + Q(project / "velmora-example.velm") + " --menu-name menu42 --home " + Q(home)).status,
      0);
  EXPECT_EQ(Slurp(project / "velmora-example.html"), Slurp(site / "velmora-example.html"));
  EXPECT_EQ(Slurp(project / "velmora-example.velm"), Slurp(site / "velmora-example.velm"));
}

// A refused publication leaves the site exactly as the last one wrote it.
TEST_F(CliRun, RefusedPublishLeavesTheSiteAsItWas) {
  const fs::path project = CopyExample();
  const fs::path site = work / "site";
  const std::string args = " --to " + Q(site) + " --menu-name menu42 --home " + Q(home);
  ASSERT_EQ(Cli("publish " + Q(project / "velmora-example.velm") + args).status, 0);
  std::map<std::string, std::string> before;
  for (const auto& e : fs::directory_iterator(site)) before[e.path().filename().string()] = Slurp(e.path());

  std::string text = Slurp(project / "velmora-example.velm");
  const size_t font = text.find("Segoe UI");
  ASSERT_NE(font, std::string::npos);
  text.replace(font, 8, "Segoe}UI");  // would end the style rule early
  std::ofstream(project / "velmora-example.velm", std::ios::binary) << text;
  const Outcome run = Cli("publish " + Q(project / "velmora-example.velm") + args);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("stylesheet"), std::string::npos) << run.err;
  std::map<std::string, std::string> after;
  for (const auto& e : fs::directory_iterator(site)) after[e.path().filename().string()] = Slurp(e.path());
  EXPECT_TRUE(after == before) << "the site changed";
}

TEST_F(CliRun, HtmlPrintsThePage) {
  const fs::path project = CopyExample();
  const Outcome run =
      Cli("html " + Q(project / "velmora-example.velm") + " --menu-name menu42 --home " + Q(home));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, Slurp(kExpected / "example/velmora-example.html"));
  EXPECT_EQ(fs::exists(home / "preview"), false);
}

TEST_F(CliRun, StructureExportAndImport) {
  const fs::path project = CopyExample();
  ASSERT_EQ(Cli("export-structure " + Q(project / "velmora-example.velm") + " " + Q(work / "s.gms")).status,
            0);
  ExpectSameAsExpected(work / "s.gms", "example/velmora-example.gms");
  const Outcome run = Cli("import-structure " + Q(work / "s.gms") + " " + Q(work / "imported.velm"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("15 item(s)"), std::string::npos) << run.out;
  ExpectSameAsExpected(work / "imported.velm", "example/imported.velm");
}

TEST_F(CliRun, PreviewAssemblesThePreviewFolder) {
  const fs::path project = CopyExample();
  const Outcome run =
      Cli("preview " + Q(project / "velmora-example.velm") + " --menu-name menu42 --home " + Q(home),
          "VELMORA_OPEN_COMMAND=true");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, (home / "preview" / "~preview.html").string() + "\n");
  for (const char* name : {"jsmenu0.js", "jsmenu01cfg.js", "jsmenu01.css", "~preview.html", "arrow.gif"}) {
    EXPECT_TRUE(fs::exists(home / "preview" / name)) << name;
  }
  for (const char* name : {"jsmenu01cfg.js", "jsmenu01.css", "~preview.html"}) {
    EXPECT_FALSE(fs::exists(home / name)) << name << " stays in the program folder";
  }
  const Outcome noBrowser = Cli("preview " + Q(project / "velmora-example.velm") + " --home " + Q(home),
                                "VELMORA_OPEN_COMMAND=false");
  EXPECT_EQ(noBrowser.status, 0);
  EXPECT_NE(noBrowser.err.find("warning"), std::string::npos);
}

TEST_F(CliRun, FailuresNameTheFileAndExitNonZero) {
  const fs::path project = CopyExample();
  std::ofstream(work / "other.velm", std::ios::binary)
      << "<Product_Name>\r\nSomething else\r\n</Product_Name>\r\n";
  std::ofstream(work / "cut.velm", std::ios::binary)
      << Slurp(project / "velmora-example.velm").substr(0, 3000);
  std::ofstream(work / "other.gms", std::ios::binary) << "<Product_Name>\r\nNope\r\n";
  std::string twice = Slurp(project / "velmora-example.velm");
  const std::string versionEnd = "</Product_Version>\r\n";
  twice.insert(
      twice.find(versionEnd) + versionEnd.size(),
      "<Format_Extensions>\r\nText_Encoding=UTF-8\r\nText_Encoding=Windows-1252\r\n</Format_Extensions>\r\n");
  std::ofstream(work / "twice.velm", std::ios::binary) << twice;
  const std::string example = Q(project / "velmora-example.velm");
  const struct {
    std::string args;
    int status;
    std::string mentions;
  } cases[] = {
      {"publish " + Q(work / "missing.velm") + " --home " + Q(home), 1, "missing.velm: No such file"},
      {"publish " + Q(work / "other.velm") + " --home " + Q(home), 1, "wasn't saved by Velmora 1.0"},
      {"publish " + Q(work / "cut.velm") + " --home " + Q(home), 1, "cut.velm: the file is incomplete"},
      {"publish " + Q(work / "twice.velm") + " --to " + Q(work / "twice") + " --home " + Q(home), 1,
       "twice.velm, line 13: the key \"Text_Encoding\""},
      {"import-structure " + Q(work / "other.gms") + " " + Q(work / "x.velm"), 1, "specified format"},
      {"export-structure " + example + " " + Q(work / "no/such/dir/x.gms"), 1, "x.gms"},
      {"publish " + example + " --home " + Q(work / "nohome"), 1, "nohome"},
      {"publish " + example + " --menu-name 'bad name' --home " + Q(home), 2, "--menu-name"},
      {"publish", 2, "Usage: velmora-cli publish"},
      {"publish " + example + " --frobnicate", 2, "unknown option --frobnicate"},
      {"frobnicate", 2, "unknown command"},
      {"", 2, "Usage:"},
  };
  for (const auto& c : cases) {
    const Outcome run = Cli(c.args);
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
    EXPECT_NE(run.err.find(c.mentions), std::string::npos) << c.args << "\n" << run.err;
    if (c.status == 1) {
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one line: " << run.err;
    }
  }
  EXPECT_FALSE(fs::exists(work / "x.velm")) << "a refused import writes nothing";
  EXPECT_FALSE(fs::exists(work / "twice")) << "a refused project publishes nothing";
}

TEST_F(CliRun, ImportHtmlMakesAProjectOfThePagesNavigation) {
  const fs::path pages = kSource / "tests/importers/fixtures";
  const Outcome run = Cli("import-html " + Q(pages / "plain_nested.html") + " " + Q(work / "nav.velm"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Imported 10 item(s) from <ul> in <nav> into " + (work / "nav.velm").string() + "\n");
  EXPECT_EQ(run.err,
            "velmora-cli: warning: " + (pages / "plain_nested.html").string() +
                ": item 6 \"Old catalogue\": the caption held a line break; it was replaced by a space\n");
  ASSERT_EQ(Cli("export-structure " + Q(work / "nav.velm") + " " + Q(work / "nav.gms")).status, 0);
  EXPECT_EQ(Slurp(work / "nav.gms"), Slurp(kSource / "tests/importers/expected/plain_nested.gms"));

  const Outcome selected = Cli("import-html --select footer-menu " + Q(pages / "wordpress_menu.html") + " " +
                               Q(work / "footer.velm"));
  ASSERT_EQ(selected.status, 0) << selected.err;
  ASSERT_EQ(Cli("export-structure " + Q(work / "footer.velm") + " " + Q(work / "footer.gms")).status, 0);
  const std::string footer = Slurp(work / "footer.gms");
  EXPECT_NE(footer.find("<Structure_Description>\r\n0#$@Privacy#$@/privacy/#$@_self#$@#$@\r\n0#$@Imprint#$@"),
            std::string::npos)
      << footer;

  // Refused imports write nothing and leave an existing file as it was.
  std::ofstream(work / "kept.velm") << "kept";
  std::ofstream(work / "empty.html") << "<p>No menu on this page.</p>";
  struct Refusal {
    std::string args;
    std::string message;
  };
  const Refusal refusals[] = {
      {Q(work / "empty.html"), "velmora-cli: no navigation list found in " + (work / "empty.html").string()},
      {"--select nowhere " + Q(pages / "mega_menu.html"),
       "velmora-cli: no element with the id \"nowhere\" in " + (pages / "mega_menu.html").string()},
      {Q(work / "missing.html"), "velmora-cli: " + (work / "missing.html").string()},
  };
  for (const Refusal& refusal : refusals) {
    const Outcome refused = Cli("import-html " + refusal.args + " " + Q(work / "kept.velm"));
    EXPECT_EQ(refused.status, 1) << refusal.args;
    EXPECT_EQ(refused.err.rfind(refusal.message, 0), 0u) << refused.err;
    EXPECT_EQ(Slurp(work / "kept.velm"), "kept");
  }
  EXPECT_EQ(Cli("import-html " + Q(pages / "mega_menu.html")).status, 2);
}

// Pages in the shapes where a first-list rule goes wrong: the default is
// the list a person would take; --list shows every list, --pick and
// --select reach each of them.
TEST_F(CliRun, ImportHtmlTakesTheListAPersonWouldTakeAndReachesEveryList) {
  const fs::path pages = kSource / "tests/importers/fixtures";
  struct Case {
    std::string page;
    std::string taken;  // the first item of the default list
    size_t lists;
    int pick;  // a list number and its first item
    std::string picked;
    std::string selector;  // and the first item it gives
    std::string selected;
  };
  const Case cases[] = {
      {"related_links_first", "About", 2, 2, "Example Index", "nav.related", "Example Index"},
      {"tabs_before_sidebar", "Introduction", 2, 2, "Overview", "ul.nav-tabs", "Overview"},
      {"account_dropdown_first", "Accueil", 3, 3, "CGV", "header .user-box .account-menu", "Profil"},
      {"split_navbar", "Home", 2, 1, "Home", "nav .navbar-right", "Default"},
      {"hidden_navs", "Inicio", 6, 5, "Plantilla 1", "#old-nav", "Antes 1"},
      {"side_lists", "Beginnen", 6, 4, "1", "aside ul", "Nieuws een"},
      {"wordpress_menu", "Home", 4, 4, "Privacy", "footer-menu", "Privacy"},
      {"mega_menu", "Shop", 1, 1, "Shop", "NAV.mega-nav UL", "Shop"},
      {"nav_after_link_list", "Home", 2, 2, "Chairs", "div.intro ul", "Chairs"},
      {"account_menu_without_nav", "Dashboard", 2, 2, "Jane Doe", ".nav-collapse .pull-right", "Jane Doe"},
      {"docs_sidebar", "Introduction", 4, 4, "Documentation overview", "div.body ul", "Introduction"},
  };
  const auto firstCaption = [&](const fs::path& project) {
    EXPECT_EQ(Cli("export-structure " + Q(project) + " " + Q(work / "s.gms")).status, 0);
    const std::string structure = Slurp(work / "s.gms");
    const size_t start = structure.find("\r\n0#$@") + 6;
    return structure.substr(start, structure.find("#$@", start) - start);
  };
  for (const Case& c : cases) {
    const std::string page = Q(pages / (c.page + ".html"));
    const Outcome listed = Cli("import-html " + page + " --list");
    ASSERT_EQ(listed.status, 0) << c.page << listed.err;
    EXPECT_EQ(static_cast<size_t>(std::count(listed.out.begin(), listed.out.end(), '\n')), c.lists)
        << listed.out;
    EXPECT_NE(listed.out.find("1. "), std::string::npos);
    EXPECT_NE(listed.out.find(", taken by default: "), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\"" + c.taken + "\""), std::string::npos) << listed.out;

    ASSERT_EQ(Cli("import-html " + page + " " + Q(work / "d.velm")).status, 0) << c.page;
    EXPECT_EQ(firstCaption(work / "d.velm"), c.taken) << c.page;
    ASSERT_EQ(
        Cli("import-html --pick " + std::to_string(c.pick) + " " + page + " " + Q(work / "p.velm")).status,
        0);
    EXPECT_EQ(firstCaption(work / "p.velm"), c.picked) << c.page;
    const Outcome selected =
        Cli("import-html --select '" + c.selector + "' " + page + " " + Q(work / "s.velm"));
    ASSERT_EQ(selected.status, 0) << c.page << selected.err;
    EXPECT_EQ(firstCaption(work / "s.velm"), c.selected) << c.page << " " << c.selector;
  }

  const std::string hidden = Cli("import-html " + Q(pages / "hidden_navs.html") + " --list").out;
  EXPECT_EQ(hidden.substr(0, hidden.find('\n')),
            "1. 5 items, 1 level, taken by default: <ul class=\"menu\"> in <nav id=\"site\">: \"Inicio\", "
            "\"Servicios\", \"Blog\", \"Oculto\", ...");
  EXPECT_NE(hidden.find("5. 3 items, 1 level, hidden: <ul> in <nav> under #later: \"Plantilla 1\""),
            std::string::npos)
      << hidden;
  // Both lists of a navbar make one menu, in document order.
  ASSERT_EQ(Cli("import-html " + Q(pages / "split_navbar.html") + " " + Q(work / "nb.velm")).status, 0);
  ASSERT_EQ(Cli("export-structure " + Q(work / "nb.velm") + " " + Q(work / "nb.gms")).status, 0);
  const std::string navbar = Slurp(work / "nb.gms");
  EXPECT_NE(navbar.find("1#$@Separated link#$@##$@_self#$@#$@\r\n0#$@Default#$@../navbar/#$@"),
            std::string::npos)
      << navbar;

  struct Refusal {
    std::string args;
    int status;
    std::string message;
  };
  const std::string mega = Q(pages / "mega_menu.html");
  const Refusal refusals[] = {
      {"--pick 2 " + mega + " " + Q(work / "x.velm"), 1, "there is no list 2 in "},
      {"--pick two " + mega + " " + Q(work / "x.velm"), 2, "--pick needs a list number"},
      {"--pick 1 --select nav " + mega + " " + Q(work / "x.velm"), 2, "cannot be used together"},
      {"--select 'nav > ul' " + mega + " " + Q(work / "x.velm"), 1,
       "the selector \"nav > ul\" cannot be used: \">\" is not read here"},
      {"--select .nothing " + mega + " " + Q(work / "x.velm"), 1,
       "no element matches the selector \".nothing\""},
  };
  for (const Refusal& refusal : refusals) {
    const Outcome refused = Cli("import-html " + refusal.args);
    EXPECT_EQ(refused.status, refusal.status) << refusal.args;
    EXPECT_NE(refused.err.find(refusal.message), std::string::npos) << refused.err;
  }
  EXPECT_FALSE(fs::exists(work / "x.velm"));
}

// The imported design takes a shipped template's look (light_bar unless
// another is named) and, with the HTML5 page, the page's language.
TEST_F(CliRun, ImportHtmlTakesATemplatesLookAndThePagesLanguage) {
  const fs::path page = kSource / "tests/importers/fixtures/hidden_navs.html";  // lang="es"
  // Field `field` of the first item of a project file.
  const auto firstItemField = [](const std::string& project, size_t field) {
    const size_t start = project.find("<Item_Parameters>\r\n") + 19;
    std::string line = project.substr(start, project.find("\r\n", start) - start);
    for (size_t k = 0; k < field; ++k) line.erase(0, line.find("#$@") + 3);
    return line.substr(0, line.find("#$@"));
  };
  const std::string dark = Slurp(kSource / "resources/templates/dark_bar.velm");
  const struct {
    std::string options;
    std::string colour;  // of the first item's text
    bool html5;
  } cases[] = {
      {"", "33414E", false},
      {"--template dark_bar", firstItemField(dark, velmora::IColorNormal), false},
      {"--template dark_bar.velm --page html5", firstItemField(dark, velmora::IColorNormal), true},
  };
  for (const auto& c : cases) {
    const Outcome run = Cli("import-html " + c.options + " " + Q(page) + " " + Q(work / "t.velm"));
    ASSERT_EQ(run.status, 0) << c.options << run.err;
    EXPECT_EQ(run.err, "") << c.options;
    const std::string project = Slurp(work / "t.velm");
    EXPECT_EQ(firstItemField(project, velmora::IColorNormal), c.colour) << c.options;
    EXPECT_EQ(project.find("Page_Language=es\r\n") != std::string::npos, c.html5) << c.options;
  }
  EXPECT_NE(firstItemField(dark, velmora::IColorNormal), "33414E");
  const Outcome missing = Cli("import-html --template nosuch " + Q(page) + " " + Q(work / "n.velm"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("nosuch.velm: no such template"), std::string::npos) << missing.err;
  EXPECT_EQ(Cli("import-html --page modern " + Q(page) + " " + Q(work / "n.velm")).status, 2);
  EXPECT_FALSE(fs::exists(work / "n.velm"));
}

// The page is the user's: the project never takes its place, whatever
// name leads to it.
TEST_F(CliRun, ImportHtmlNeverWritesOverThePage) {
  fs::create_directories(work / "site/sub");
  const std::string original = Slurp(kSource / "tests/importers/fixtures/plain_nested.html");
  std::ofstream(work / "site/page.html", std::ios::binary) << original;
  fs::create_symlink(work / "site/page.html", work / "site/link.html");
  fs::create_hard_link(work / "site/page.html", work / "site/hard.html");
  for (const fs::path& out : {work / "site/page.html", work / "site/sub/../page.html",
                              work / "site/link.html", work / "site/hard.html"}) {
    const Outcome refused = Cli("import-html " + Q(work / "site/page.html") + " " + Q(out));
    EXPECT_EQ(refused.status, 1) << out;
    EXPECT_NE(refused.err.find("this is the web page being imported"), std::string::npos) << refused.err;
    EXPECT_EQ(Slurp(work / "site/page.html"), original);
  }
  EXPECT_TRUE(fs::is_symlink(work / "site/link.html"));
  EXPECT_EQ(Cli("import-html " + Q(work / "site/link.html") + " " + Q(work / "site/page.velm")).status, 0);
}

TEST_F(CliRun, HelpAndVersion) {
  const Outcome help = Cli("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"publish", "html", "preview", "export-structure", "import-structure",
                              "import-html PAGE.html (OUT.velm [--select SELECTOR | --pick N] [--template "
                              "NAME] [--page classic|html5] | --list)"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
  const Outcome version = Cli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find("1.0"), std::string::npos);
}

}  // namespace

namespace {

// The generated script, run by a script engine, holds every caption and
// tool tip exactly as typed, however hostile.
TEST_F(CliRun, HostileTextSurvivesTheScript) {
  if (std::system("node --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "node is not installed";
  const std::vector<std::string> texts = {"Blue's \"menu\"",
                                          "back\\slash\\",
                                          "</script><script>alert(1)</script>",
                                          "tab\there",
                                          "line\xE2\x80\xA8sep\xE2\x80\xA9",
                                          "caf\xE9 \x80 \x9F 2026"};
  const fs::path project = work / "hostile";
  fs::create_directories(project);
  {
    std::ofstream gms(project / "h.gms", std::ios::binary);
    gms << "<Product_Name>\r\nGeneral Menu Structure Description Format\r\n</Product_Name>\r\n"
        << "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n<Structure_Description>\r\n";
    for (const auto& text : texts)
      gms << "0#$@" << text << "#$@" << text << "#$@_self#$@" << text << "#$@\r\n";
    gms << "</Structure_Description>\r\n";
  }
  ASSERT_EQ(Cli("import-structure " + Q(project / "h.gms") + " " + Q(project / "h.velm")).status, 0);
  ASSERT_EQ(Cli("publish " + Q(project / "h.velm") + " --menu-name menu9 --home " + Q(home)).status, 0);
  {
    std::ofstream js(work / "read.js");
    // The texts as a browser shows them: Windows-1252 reads 0x80 as the euro
    // sign and 0x9F as Y with diaeresis.
    js << "const fs=require('fs'),vm=require('vm');"
          "const src=fs.readFileSync(process.argv[2],'latin1');"
          "if(/[^\\x00-\\x7f]/.test(src))throw new Error('the script is not plain ASCII');"
          "const g={setTimeout(){}};g.window=g;vm.runInNewContext(src,g);"
          "const typed=['Blue\\'s \"menu\"','back\\\\slash\\\\','</script><script>alert(1)</script>',"
          "'tab\\there','line\\u00e2\\u20ac\\u00a8sep\\u00e2\\u20ac\\u00a9','caf\\u00e9 \\u20ac \\u0178 "
          "2026'];"
          "const got=g.menu9cfg.map(i=>i[0]);"
          "if(JSON.stringify(got)!==JSON.stringify(typed))throw new Error(JSON.stringify({got,typed}));"
          "for(const i of g.menu9cfg)if(i[7]!==i[0]||i[9]!==i[0])throw new Error('link or message differs');"
          "process.stdout.write(got.length+' ok');";
  }
  const std::string command = "node " + (work / "read.js").string() + " " +
                              (project / "jsmenu01cfg.js").string() + " > " + (work / "read.out").string() +
                              " 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << Slurp(work / "read.out");
  EXPECT_EQ(Slurp(work / "read.out"), std::to_string(texts.size()) + " ok");
}

}  // namespace

namespace {

// --page chooses the page for one run: the HTML5 page for publish, html and
// preview alike; script links are reported; anything else is a usage error.
TEST_F(CliRun, PageStyleForOneRun) {
  const fs::path project = CopyExample();
  const fs::path velm = project / "velmora-example.velm";
  std::string design = Slurp(velm);
  const size_t link = design.find("about.html");
  ASSERT_NE(link, std::string::npos);
  design.replace(link, 10, "javascript:alert(1)");
  std::ofstream(velm, std::ios::binary) << design;

  const std::string common = " --menu-name menu42 --home " + Q(home);
  const Outcome html = Cli("html " + Q(velm) + " --page HTML5" + common);
  ASSERT_EQ(html.status, 0) << html.err;
  // The code to paste, as Build HTML shows it: comments, loading block, container,
  // lines ended by LF as on the modern page.
  EXPECT_TRUE(html.out.starts_with("<!-- Velmora 1.0 -->\n")) << html.out;
  EXPECT_TRUE(html.out.ends_with("</ul>\n</nav>\n</div>\n")) << html.out;
  EXPECT_EQ(html.out.find('\r'), std::string::npos);
  EXPECT_NE(html.out.find("<!-- BEGIN -->\n<link href=\"./jsmenu01.css\" rel=\"stylesheet\">"),
            std::string::npos);
  EXPECT_EQ(html.out.find("<title>"), std::string::npos);
  EXPECT_NE(html.out.find("<a href=\"index.html\""), std::string::npos);
  EXPECT_EQ(html.out.find("javascript:"), std::string::npos);
  EXPECT_EQ(html.err,
            "velmora-cli: warning: " + velm.string() +
                ": item 15 \"About\": its link \"javascript:alert(1)\" runs script or holds data, so "
                "the page's list shows the item as text\n");

  const fs::path site = work / "site";
  const Outcome publish = Cli("publish " + Q(velm) + " --to " + Q(site) + " --page html5" + common);
  ASSERT_EQ(publish.status, 0) << publish.err;
  EXPECT_EQ(publish.err, html.err);
  // The published page is the whole document around exactly that code.
  const std::string page = Slurp(site / "velmora-example.html");
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html lang=\"en\">")) << page;
  EXPECT_NE(page.find("<title>velmora-example</title>"), std::string::npos);
  EXPECT_TRUE(page.ends_with("<body>\n\n" + html.out + "\n</body>\n</html>\n"));
  for (const char* file : {"jsmenu01cfg.js", "jsmenu01.css"})
    EXPECT_EQ(Slurp(site / file).find('\r'), std::string::npos) << file;
  EXPECT_EQ(Slurp(site / "jsmenu01cfg.js").find("eval("), std::string::npos);

  const Outcome preview = Cli("preview " + Q(velm) + " --page html5" + common, "VELMORA_OPEN_COMMAND=true");
  ASSERT_EQ(preview.status, 0) << preview.err;
  EXPECT_EQ(Slurp(home / "preview" / "~preview.html"), page);

  // The classic page for the same run is what the design gives by default.
  const Outcome classic = Cli("html " + Q(velm) + " --page classic" + common);
  EXPECT_EQ(classic.out, Cli("html " + Q(velm) + common).out);
  EXPECT_TRUE(classic.out.starts_with("<!-- saved from url="));

  for (const char* command : {"publish", "html", "preview"}) {
    const Outcome bad = Cli(std::string(command) + " " + Q(velm) + " --page xhtml" + common);
    EXPECT_EQ(bad.status, 2) << command;
    EXPECT_NE(bad.err.find("--page must be classic or html5"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("Usage: velmora-cli " + std::string(command)), std::string::npos) << bad.err;
  }
}

// Sets value `k` (from 0) of every item line of a project file's text.
std::string SetItemValue(const std::string& project, int k, const std::string& value) {
  std::istringstream in(project);
  std::string out, line;
  bool items = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "</Item_Parameters>") items = false;
    if (items) {
      size_t at = 0;
      for (int skip = 0; skip < k; ++skip) at = line.find("#$@", at) + 3;
      line.replace(at, line.find("#$@", at) - at, value);
    }
    if (line == "<Item_Parameters>") items = true;
    out += line + "\r\n";
  }
  return out;
}

// A design in several scripts through every command of the tool: import,
// publish, export; image names with letters beyond ASCII in both encodings.
TEST_F(CliRun, UnicodeDesignThroughEveryCommand) {
  const std::vector<std::string> texts = {"Привет мир", "日本語のメニュー", "مرحبا بالعالم", "Ελληνικά 😀",
                                          "Łódź – façade"};
  const fs::path project = work / "ünïcode";
  fs::create_directories(project);
  std::string structure =
      "<Generator_Name>\r\nVelmora\r\n</Generator_Name>\r\n<Generator_Version>\r\n1.0\r\n</"
      "Generator_Version>\r\n"
      "<Product_Name>\r\nGeneral Menu Structure Description Format\r\n</Product_Name>\r\n"
      "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n"
      "<Format_Extensions>\r\nText_Encoding=UTF-8\r\n</Format_Extensions>\r\n<Structure_Description>\r\n";
  for (size_t i = 0; i < texts.size(); ++i) {
    structure += (i == 0 ? "0" : "1") + std::string("#$@") + texts[i] + "#$@/" + texts[(i + 1) % 5] +
                 ".html#$@_self#$@" + texts[(i + 2) % 5] + "#$@\r\n";
  }
  structure += "</Structure_Description>\r\n";
  std::ofstream(project / "in.gms", std::ios::binary) << structure;

  const Outcome imported = Cli("import-structure " + Q(project / "in.gms") + " " + Q(project / "Меню.velm"));
  ASSERT_EQ(imported.status, 0) << imported.err;
  const std::string velm = Slurp(project / "Меню.velm");
  EXPECT_NE(
      velm.find("</Product_Version>\r\n<Format_Extensions>\r\nText_Encoding=UTF-8\r\n</Format_Extensions>"
                "\r\n<Applet_Parameters>"),
      std::string::npos);
  ASSERT_EQ(Cli("export-structure " + Q(project / "Меню.velm") + " " + Q(work / "out.gms")).status, 0);
  EXPECT_EQ(Slurp(work / "out.gms"), structure);

  // Every item shows façade.gif; the design is published and its script run.
  std::ofstream(project / "Меню.velm", std::ios::binary) << SetItemValue(velm, 25, "façade.gif");
  std::ofstream(project / "façade.gif", std::ios::binary) << "GIF-facade";
  const Outcome published = Cli("publish " + Q(project / "Меню.velm") + " --to " + Q(work / "site") +
                                " --menu-name menu9 --home " + Q(home));
  ASSERT_EQ(published.status, 0) << published.err;
  EXPECT_EQ(published.err, "");
  EXPECT_EQ(Slurp(work / "site/façade.gif"), "GIF-facade");
  EXPECT_TRUE(fs::exists(work / "site/Меню.html"));
  for (const char* name : {"jsmenu01cfg.js", "jsmenu01.css", "Меню.html"}) {
    const std::string file = Slurp(work / "site" / name);
    EXPECT_TRUE(std::all_of(file.begin(), file.end(), [](char c) { return c > 0; })) << name << " is ASCII";
  }
  if (std::system("node --version >/dev/null 2>&1") == 0) {
    std::ofstream(work / "typed.json", std::ios::binary) << [&] {
      std::string json = "[";
      for (const auto& text : texts) json += (json.size() > 1 ? ",\"" : "\"") + text + "\"";
      return json + "]";
    }();
    std::ofstream(work / "read.js") << "const fs=require('fs'),vm=require('vm');"
                                       "const g={setTimeout(){}};g.window=g;"
                                       "vm.runInNewContext(fs.readFileSync(process.argv[2],'latin1'),g);"
                                       "const typed=JSON.parse(fs.readFileSync(process.argv[3],'utf8'));"
                                       "const got=g.menu9cfg.map(i=>[i[0],i[7],i[9],i[25]]);"
                                       "const want=typed.map((t,i)=>[t,'/'+typed[(i+1)%5]+'.html',"
                                       "typed[(i+2)%5],'fa\\u00e7ade.gif']);"
                                       "if(JSON.stringify(got)!==JSON.stringify(want))"
                                       "throw new Error(JSON.stringify({got,want}));"
                                       "process.stdout.write('ok');";
    const std::string command = "node " + Q(work / "read.js") + " " + Q(work / "site/jsmenu01cfg.js") + " " +
                                Q(work / "typed.json") + " > " + Q(work / "read.out") + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << Slurp(work / "read.out");
  }

  // A classic design names the same file with the code page's one byte.
  const fs::path classic = CopyExample();
  const std::string example = Slurp(classic / "velmora-example.velm");
  std::ofstream(classic / "velmora-example.velm", std::ios::binary) << SetItemValue(SetItemValue(example, 25,
                                                                                                 "fa\xE7"
                                                                                                 "ade.gif"),
                                                                                    26, "\xD8ther.gif");
  std::ofstream(classic / "façade.gif", std::ios::binary) << "GIF-facade";
  const Outcome classicRun = Cli("publish " + Q(classic / "velmora-example.velm") + " --to " +
                                 Q(work / "classic") + " --home " + Q(home));
  ASSERT_EQ(classicRun.status, 0) << classicRun.err;
  EXPECT_EQ(Slurp(work / "classic/façade.gif"), "GIF-facade");
  EXPECT_NE(classicRun.err.find("not published: Øther.gif\n"), std::string::npos)
      << "names read right on the terminal: " << classicRun.err;
  EXPECT_EQ(classicRun.err.find("fa"), std::string::npos) << classicRun.err;
}

}  // namespace

// update-pages through its exit codes: usage 2, a broken page 1 with
// nothing written, --check 3 while a page would change, --dry-run and
// --check writing nothing, a second run leaving every page alone.
TEST_F(CliRun, UpdatePagesReportsEachPageAndWritesAllOrNothing) {
  const fs::path project = CopyExample();
  const std::string velm = Q(project / "velmora-example.velm");
  const std::string opts = " --page html5 --home " + Q(home);
  fs::create_directories(project / "products");
  const std::string marked = "<body>\n<!-- velmora-menu -->\n<!-- /velmora-menu -->\n</body>\n";
  std::ofstream(project / "products/designer.html") << marked;
  std::ofstream(project / "plain.htm") << "<p>no menu here</p>";

  EXPECT_EQ(Cli("update-pages " + velm + opts).status, 2) << "no page named and no site folder kept";
  EXPECT_EQ(Cli("update-pages " + velm + " " + Q(project) + " --page fancy" + opts).status, 2);
  const auto before = Slurp(project / "velmora-example.velm");
  for (const char* flag : {" --dry-run", " --check"}) {
    const Outcome run = Cli("update-pages " + velm + " " + Q(project) + flag + opts);
    EXPECT_EQ(run.status, std::string(flag) == " --check" ? 3 : 0) << run.err;
    EXPECT_NE(run.out.find("products/designer.html: will be updated\n"), std::string::npos) << run.out;
    EXPECT_EQ(Slurp(project / "products/designer.html"), marked);
    EXPECT_FALSE(fs::exists(project / "velmora-example.html")) << flag << " publishes nothing";
  }

  std::ofstream(project / "broken.html") << "a\n<!-- /velmora-menu -->\n";
  const Outcome broken = Cli("update-pages " + velm + " " + Q(project) + opts);
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.out.find("broken.html, line 2: the closing marker"), std::string::npos) << broken.out;
  EXPECT_NE(broken.err.find("nothing was written"), std::string::npos) << broken.err;
  EXPECT_EQ(Slurp(project / "products/designer.html"), marked);
  EXPECT_EQ(Slurp(project / "velmora-example.velm"), before);
  fs::remove(project / "broken.html");

  const Outcome run = Cli("update-pages " + velm + " " + Q(project) + opts);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, (project / "plain.htm").string() + ": no menu region: left alone\n" +
                         (project / "products/designer.html").string() +
                         ": updated\n1 updated, 0 up to date, 1 without a menu region\n");
  const std::string page = Slurp(project / "products/designer.html");
  EXPECT_NE(page.find("<script src=\"../jsmenu0.js\" defer></script>\n"), std::string::npos);
  EXPECT_TRUE(std::regex_search(
      page, std::regex("<a href=\"designer.html\"[^>]* aria-current=\"page\">Designer</a>")))
      << page;
  EXPECT_TRUE(fs::exists(project / "velmora-example.html"));
  const Outcome check = Cli("update-pages " + velm + " " + Q(project) + " --check" + opts);
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_NE(check.out.find("0 to update, 1 up to date"), std::string::npos) << check.out;
}
