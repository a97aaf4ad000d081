// The preview folder's lifecycle, publishing into a project folder, and the
// publish report.

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "document/errors.h"
#include "document/file_io.h"
#include "generator/generate.h"
#include "generator/preview.h"
#include "generator/program_folder.h"
#include "generator/publish.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace velmora {
namespace {

using test::BuildDesign;
using test::RecordingSink;
using test::Slurp;
using test::Spit;
using test::TempFolder;

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    if (e.is_regular_file()) names.push_back(fs::relative(e.path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every entry below a folder, hidden ones too: files with their bytes,
// folders marked.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(e.path(), folder).string();
    entries[name] = e.is_directory() ? "<folder>" : Slurp(e.path().string());
  }
  return entries;
}

// A small file system of its own, so a save can meet a full disk or a
// read-only folder as it really happens; needs the right to mount.
// Names of the entries that differ between two snapshots.
std::vector<std::string> Changed(const std::map<std::string, std::string>& a,
                                 const std::map<std::string, std::string>& b) {
  std::vector<std::string> names;
  for (const auto& [name, content] : a) {
    if (!b.count(name) || b.at(name) != content) names.push_back(name);
  }
  for (const auto& [name, content] : b) {
    if (!a.count(name)) names.push_back(name);
  }
  return names;
}

class SmallDisk {
 public:
  explicit SmallDisk(const std::string& folder, size_t bytes) : folder_(folder) {
    if (geteuid() != 0) return;
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount(folder_.c_str());
  }
  bool Mounted() const { return mounted_; }
  bool MakeReadOnly() {
    return mounted_ && mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::string folder_;
  bool mounted_ = false;
};

class Publishing : public ::testing::Test {
 protected:
  TempFolder home, project;
  TvornAppletAgent doc{home.path()};
  ItemTree tree;
  void SetUp() override {
    Spit(home / "jsmenu0.js", "// runtime\n");
    BuildDesign(doc, tree, {0, 1, 1});
  }
};

TEST(BaseName, ExtensionRule) {
  EXPECT_EQ(BaseNameOf("mymenu.velm"), "mymenu");
  EXPECT_EQ(BaseNameOf("MyMenu.VELM"), "MyMenu");
  EXPECT_EQ(BaseNameOf("noextension"), "noextension");
  EXPECT_EQ(BaseNameOf("a.velm.velm"), "a");
  EXPECT_EQ(BaseNameOf("site.txt"), "site");
}

TEST_F(Publishing, SaveWritesEverythingIntoTheProjectFolder) {
  Spit(home / "sub.gif", "");  // not gathered into the preview folder
  fs::create_directories(project / "art");
  Spit(project / "arrow.gif", "GIF89a-arrow");
  Spit(project / "art/bg.jpg", "JPEG-bg");
  doc.Items[0][IRightIconUrl] = "arrow.gif";
  doc.Items[1][IRightIconUrl] = "arrow.gif";
  doc.Items[2][IBackgroundImageNormal] = "art/bg.jpg";
  doc.Items[2][IOverImageUrl] = "missing.gif";
  CopyResourceFiles(doc, project.path());

  TempFolder out;
  const PublishResult result = SaveAndPublish(doc, tree, "menu7", out.path(), "mymenu.velm");
  EXPECT_EQ(Listing(out.path()), (std::vector<std::string>{"arrow.gif", "art/bg.jpg", "jsmenu0.js",
                                                           "jsmenu01.css", "jsmenu01cfg.js", "mymenu.html",
                                                           "mymenu.velm", "mymenu_PublishReport.txt"}));
  EXPECT_EQ(Slurp(out / "art/bg.jpg"), "JPEG-bg");
  EXPECT_EQ(result.uncopiedImages, std::vector<std::string>{"missing.gif"});
  EXPECT_TRUE(result.unsafeImages.empty());
  EXPECT_EQ(Slurp(out / "jsmenu01cfg.js"), Slurp(home / "jsmenu01cfg.js")) << "generated files stay home too";

  TvornAppletAgent reread;
  ItemTree rereadTree;
  ASSERT_EQ(reread.LoadProject(out / "mymenu.velm", rereadTree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(reread.Items, doc.Items) << "the saved project holds the derived fields of the generation";
  EXPECT_EQ(reread.GetAppletData()[pMenuName], "menu7");

  const std::string first =
      Slurp(out / "mymenu.html") + Slurp(out / "mymenu.velm") + Slurp(out / "mymenu_PublishReport.txt");
  SaveAndPublish(doc, tree, "menu7", out.path(), "mymenu.velm");
  EXPECT_EQ(Slurp(out / "mymenu.html") + Slurp(out / "mymenu.velm") + Slurp(out / "mymenu_PublishReport.txt"),
            first);

  SaveAndPublish(doc, tree, "menu7", out.path(), "plain");
  EXPECT_TRUE(fs::exists(out / "plain.velm"));
  EXPECT_TRUE(fs::exists(out / "plain.html"));
}

// A save that fails leaves the target folder exactly as it was: a refused
// value, a full disk, a read-only folder and a target that cannot be
// replaced each fail before any file is renamed into place.
TEST_F(Publishing, FailedSaveLeavesTheFolderAsItWas) {
  Spit(project / "arrow.gif", "GIF89a-arrow");
  Spit(project / "bg.jpg", "JPEG-bg");
  doc.Items[0][IRightIconUrl] = "arrow.gif";
  CopyResourceFiles(doc, project.path());
  TempFolder target;
  SmallDisk disk(target.path(), 256 * 1024);
  SaveAndPublish(doc, tree, "menu7", target.path(), "site.velm");
  const auto before = Snapshot(target.path());
  ASSERT_EQ(before.size(), 7u);

  auto expectUnchanged = [&](const char* what) { EXPECT_EQ(Snapshot(target.path()), before) << what; };

  // A value the project file cannot store, in a new subfolder's image.
  fs::create_directories(home / "preview/art");
  Spit(home / "preview/art/new.gif", "new");
  doc.Items[1][IImageUrl] = "art/new.gif";
  doc.Items[2][ILeftIconUrl] = "a#$@b.gif";
  try {
    SaveAndPublish(doc, tree, "menu7", target.path(), "site.velm");
    ADD_FAILURE() << "a separator in an image name must be refused";
  } catch (const ValueError& error) {
    // The message names what the user sees, not the field's name in the file.
    EXPECT_NE(std::string(error.what()).find("item 3 \"C\", Normal page, Left icon"), std::string::npos)
        << error.what();
  }
  expectUnchanged("refused value");
  doc.Items[2][ILeftIconUrl] = "";

  // The last file of the save cannot replace its target: everything staged
  // before it goes, the new image folder too.
  fs::remove(target / "site_PublishReport.txt");
  fs::create_directories(target / "site_PublishReport.txt");
  const auto withFolder = Snapshot(target.path());
  EXPECT_THROW(SaveAndPublish(doc, tree, "menu7", target.path(), "site.velm"), FileError);
  EXPECT_EQ(Changed(Snapshot(target.path()), withFolder), std::vector<std::string>{}) << "target is a folder";
  fs::remove(target / "site_PublishReport.txt");
  Spit(target / "site_PublishReport.txt", before.at("site_PublishReport.txt"));

  // A design too large for the disk, or for the files this process may write.
  ItemTree bigTree;
  TvornAppletAgent big{home.path()};
  BuildDesign(big, bigTree, std::vector<int>(3000, 0));
  {
    std::unique_ptr<test::FileSizeLimit> limit;
    if (!disk.Mounted()) limit = std::make_unique<test::FileSizeLimit>(64 * 1024);
    try {
      SaveAndPublish(big, bigTree, "menu7", target.path(), "site.velm");
      ADD_FAILURE() << "the save cannot fit";
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find(target.path()), std::string::npos) << error.what();
      // What the user is told: what was not saved, why, and that nothing changed.
      const std::string told = SaveFailureText("site.velm", error);
      EXPECT_EQ(told.rfind("Could not save site.velm: " + target.path() + "/", 0), 0u) << told;
      EXPECT_TRUE(told.ends_with(
          disk.Mounted() ? ": no space left on the device. The project and the site are unchanged."
                         : ". The project and the site are unchanged."))
          << told;
    }
  }
  expectUnchanged(disk.Mounted() ? "full disk" : "file size limit");

  // A folder nobody may write in.
  if (disk.Mounted()) {
    ASSERT_TRUE(disk.MakeReadOnly());
  } else {
    fs::permissions(target.path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  EXPECT_THROW(SaveAndPublish(doc, tree, "menu7", target.path(), "site.velm"), FileError);
  expectUnchanged("read-only folder");
}

// A value the generators refuse keeps the site as it was but still saves
// the project; a value the project file cannot hold refuses everything.
TEST_F(Publishing, ARefusedValueSavesTheProjectAlone) {
  TempFolder target;
  SaveProjectAndPublish(doc, tree, "menu7", target.path(), "site.velm");
  const auto before = Snapshot(target.path());
  doc.Items[1][IFontFamilyNormal] = "Arial}";
  const PublishResult result = SaveProjectAndPublish(doc, tree, "menu7", target.path(), "site.velm");
  EXPECT_NE(result.siteRefusal.find("Normal page, Font"), std::string::npos) << result.siteRefusal;
  EXPECT_EQ(Changed(Snapshot(target.path()), before), std::vector<std::string>{"site.velm"});
  TvornAppletAgent reread{home.path()};
  ItemTree rereadTree;
  ASSERT_EQ(reread.LoadProject(target / "site.velm", rereadTree).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(reread.Items[1][IFontFamilyNormal], std::string("Arial}"));

  const auto refused = Snapshot(target.path());
  doc.Items[2][ICaption] = "a#$@b";
  EXPECT_THROW(SaveProjectAndPublish(doc, tree, "menu7", target.path(), "site.velm"), ValueError);
  EXPECT_EQ(Snapshot(target.path()), refused);
}

// Hidden temporary files of writers that no longer run go at the next save
// into their folder; those of a running writer, and files named otherwise,
// stay.
TEST_F(Publishing, TemporariesOfEndedWritersGoAtTheNextSave) {
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
  TempFolder target;
  const std::string left = ".site.velm." + std::to_string(ended) + "-0123456789abcdef.tmp";
  const std::string running = ".site.html." + std::to_string(getpid()) + "-0123456789abcdef.tmp";
  const std::string foreign = ".site.velm.0123456789abcdef.tmp";
  for (const auto& name : {left, running, foreign}) Spit(target / name, "partial");
  ASSERT_TRUE(ReadTemporaryName(left).has_value());
  EXPECT_EQ(ReadTemporaryName(left)->target, "site.velm");
  EXPECT_EQ(ReadTemporaryName(left)->writer, ended);
  EXPECT_FALSE(ReadTemporaryName(foreign).has_value());
  EXPECT_FALSE(ReadTemporaryName(".site.velm.12-0123456789ABCDEF.tmp").has_value());
  EXPECT_EQ(ReadTemporaryName(NameOf(TemporaryNameBeside("/x/a.b.velm")))->target, "a.b.velm");

  SaveProjectAndPublish(doc, tree, "menu7", target.path(), "site.velm");
  EXPECT_FALSE(fs::exists(target / left));
  EXPECT_TRUE(fs::exists(target / running));
  EXPECT_TRUE(fs::exists(target / foreign));
}

TEST_F(Publishing, ReportListsOnlyWhatASaveWrote) {
  fs::remove(home / "jsmenu0.js");
  Spit(project / "found.gif", "gif");
  doc.Items[0][IRightIconUrl] = "found.gif";
  doc.Items[1][IRightIconUrl] = "lost.gif";
  doc.Items[2][IImageUrl] = "../outside.gif";
  CopyResourceFiles(doc, project.path());
  const PublishResult result = SaveAndPublish(doc, tree, "menu7", project.path(), "m.velm");
  EXPECT_EQ(result.uncopiedScripts, std::vector<std::string>{"jsmenu0.js"});
  EXPECT_EQ(result.uncopiedImages, std::vector<std::string>{"lost.gif"});
  EXPECT_EQ(result.unsafeImages, std::vector<std::string>{"../outside.gif"});
  const std::string report = Slurp(project / "m_PublishReport.txt");
  EXPECT_NE(report.find("[Script file(s)]:\r\n  jsmenu01cfg.js\r\n  jsmenu01.css\r\n\r\n"), std::string::npos)
      << report;
  EXPECT_NE(report.find("copied along with script files!\r\n  found.gif\r\n\r\n"), std::string::npos)
      << report;
  EXPECT_FALSE(fs::exists(project / "jsmenu0.js"));
}

// A program folder named on the command line that is empty becomes a
// working one; one that cannot be seeded is an error naming it.
TEST(ProgramFolder, NamedEmptyFolderIsSeededOrRefused) {
  TempFolder share, empty, own;
  Spit(share / "jsmenu0.js", "// runtime");
  fs::create_directories(share / "templates");
  Spit(share / "templates/blue.velm", "template");
  ProgramFolderSources sources;
  sources.installedShare = share.path();
  sources.explicitHome = empty.path();
  EXPECT_EQ(ResolveProgramFolder(sources), empty.path());
  EXPECT_EQ(Slurp(empty / "jsmenu0.js"), "// runtime");
  EXPECT_EQ(Slurp(empty / "templates/blue.velm"), "template");

  Spit(own / "jsmenu0.js", "// the user's own runtime");
  sources.explicitHome = own.path();
  EXPECT_EQ(ResolveProgramFolder(sources), own.path());
  EXPECT_EQ(Slurp(own / "jsmenu0.js"), "// the user's own runtime") << "a working folder is left alone";
  EXPECT_FALSE(fs::exists(own / "templates"));

  TempFolder bare;
  sources.explicitHome = bare.path();
  sources.installedShare = (fs::path(share.path()) / "nowhere").string();
  try {
    ResolveProgramFolder(sources);
    ADD_FAILURE() << "a folder without the runtime was accepted";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), bare.path());
    EXPECT_NE(error.problem().find("jsmenu0.js"), std::string::npos) << error.what();
  }
}

TEST_F(Publishing, ReportListsScriptsAndDistinctImages) {
  doc.RuntimeFiles = {"jsmenu0.js", "jsmenu01cfg.js", "jsmenu01.css"};
  doc.Items[0][IRightIconUrl] = "arrow.gif";
  doc.Items[1][IRightIconUrl] = "arrow.gif";
  doc.Items[2][IRightIconUrl] = "arrow.gif";
  doc.Items[0][IBackgroundImageNormal] = "bg.jpg";
  doc.Items[1][IClickedLeftIconUrl] = "Arrow.gif";
  RecordingSink sink;
  doc.SetStatusSink(&sink);
  WritePublishReport(doc, project.path(), "r.txt");
  const std::string rule(77, '=');
  EXPECT_EQ(Slurp(project / "r.txt"),
            rule +
                "\r\n"
                "This file includes a list of filename and you need to upload them to Web server\r\n"
                "to get the script to work. All these files are saved into the same directory along\r\n"
                "with the project file (*.velm) as well as this file.\r\n"
                "\r\n" +
                rule +
                "\r\n\r\n[Script file(s)]:\r\n  jsmenu0.js\r\n  jsmenu01cfg.js\r\n  jsmenu01.css\r\n\r\n"
                "[Image File(s)]: They should be copied along with script files!\r\n"
                "  arrow.gif\r\n  bg.jpg\r\n  Arrow.gif\r\n\r\n\r\n" +
                rule + "\r\nEnd of Publish Report\r\n" + rule + "\r\n");
  EXPECT_EQ(sink.max, 101);
  EXPECT_EQ(sink.steps, 103);
  EXPECT_EQ(sink.position, 0);
  EXPECT_FALSE(sink.busy);
}

TEST_F(Publishing, PreviewFolderLifecycle) {
  Spit(home / "pic.gif", "gif");
  doc.Items[1][ILeftIconUrl] = "pic.gif";
  doc.Items[2][IImageUrl] = "nowhere.gif";
  const std::string page = BuildPageText(doc, tree, "menu5");
  CopyScriptsToPreview(doc, home.path());
  CopyResourceFiles(doc, home.path());
  Spit(home / "~preview.html", page);
  CopyToPreviewFolder(doc, home / "~preview.html");
  DeleteFileQuietly(home / "~preview.html");

  EXPECT_EQ(Listing(home.path()),
            (std::vector<std::string>{"jsmenu0.js", "pic.gif", "preview/jsmenu0.js", "preview/jsmenu01.css",
                                      "preview/jsmenu01cfg.js", "preview/pic.gif", "preview/~preview.html"}));
  EXPECT_EQ(doc.PreviewFiles, (std::vector<std::string>{"jsmenu0.js", "jsmenu01cfg.js", "jsmenu01.css",
                                                        "pic.gif", "nowhere.gif", "~preview.html"}));
  CleanPreviewFolder(doc);
  EXPECT_FALSE(fs::exists(home / "preview"));
  EXPECT_TRUE(doc.PreviewFiles.empty());

  CopyToPreviewFolder(doc, home / "pic.gif");
  Spit(home / "preview/foreign.txt", "not ours");
  CleanPreviewFolder(doc);
  EXPECT_EQ(Listing(home / "preview"), std::vector<std::string>{"foreign.txt"}) << "foreign files stay";
  fs::remove(home / "preview/foreign.txt");
  CleanPreviewFolder(doc);
  EXPECT_FALSE(fs::exists(home / "preview")) << "an empty list removes an empty folder";
}

TEST_F(Publishing, ImageNamesNeverLeadOutside) {
  for (const char* bad :
       {"../x.gif", "/etc/passwd", "a/../../x.gif", "..\\x.gif", "C:\\x.gif", "\\\\host\\x.gif"}) {
    EXPECT_FALSE(IsSafeImageName(bad)) << bad;
  }
  for (const char* good : {"x.gif", "img/x.gif", "a..b.gif", "..gif"})
    EXPECT_TRUE(IsSafeImageName(good)) << good;

  TempFolder outside;
  Spit(outside / "secret.gif", "secret");
  const std::string escape = "../" + fs::path(outside.path()).filename().string() + "/secret.gif";
  doc.Items[0][ILeftIconUrl] = escape;
  doc.Items[1][IOverLeftIconUrl] = outside / "secret.gif";
  const auto skipped = CopyResourceFiles(doc, project.path());
  EXPECT_EQ(skipped, (std::vector<std::string>{escape, outside / "secret.gif"}));
  EXPECT_FALSE(fs::exists(home / "preview/secret.gif"));

  TempFolder out;
  const PublishResult result = SaveAndPublish(doc, tree, "menu1", out.path(), "m.velm");
  EXPECT_EQ(result.unsafeImages.size(), 2u);
  EXPECT_EQ(Slurp(outside / "secret.gif"), "secret");
  EXPECT_EQ(Listing(outside.path()), std::vector<std::string>{"secret.gif"}) << "nothing written outside";
}

}  // namespace
}  // namespace velmora
