#pragma once

// Keeping a whole site's pages up to date: every page whose menu region is
// marked gets the loading code and the container for its own folder, in one
// run that writes either every changed page and the published files or
// nothing at all.

#include <string>
#include <vector>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "generator/page_style.h"
#include "generator/publish.h"

namespace velmora {

// The site's folder, kept with the design relative to the project file.
inline constexpr const char* kSiteFolderKey = "Site_Folder";
// The menu's base name on site pages unless one is asked for: the same on
// every run, so a run with an unchanged design changes nothing.
inline constexpr const char* kSiteMenuBaseName = "sitemenu";

// The menu's base name to publish with when none is asked for: the site
// pages' name for a design kept with a site folder, so a plain save does not
// leave its pages naming another menu; "" otherwise (a fresh one is made).
std::string DefaultPublishMenuName(const FormatExtensions& extensions);

// The site folder of the design saved as `projectPath`; "" when not set.
std::string SiteFolderOf(const FormatExtensions& extensions, const std::string& projectPath);
// Keeps `folder` relative to the project file's folder; "" removes the key.
void StoreSiteFolder(FormatExtensions& extensions, const std::string& projectPath, const std::string& folder);

enum class SitePageState { WillUpdate, UpToDate, NoRegion, Skipped, Problem };

struct SitePage {
  std::string path;  // as found from the paths given
  SitePageState state = SitePageState::Problem;
  std::string note;  // the problem, or why the page was skipped
};

// "will be updated", "up to date", "no menu region", "skipped", "problem".
const char* SitePageStateText(SitePageState state);
// The note of a page without the page's name in front: "line 3: the
// opening marker ...", "the page is read-only".
std::string SitePageNote(const SitePage& page);

struct SiteUpdateOptions {
  PageOptions page;
  std::string menuBaseName = kSiteMenuBaseName;
  // False: everything is read and computed, nothing is written.
  bool write = true;
};

struct SiteUpdate {
  std::vector<SitePage> pages;
  PublishResult published;  // when written
  bool written = false;
  size_t Count(SitePageState state) const;
  bool HasProblems() const { return Count(SitePageState::Problem) > 0; }
};

struct SiteWalk {
  std::vector<std::string> pages;  // in name order, each once
  std::vector<SitePage> leftOut;   // skipped, and paths that do not exist
};

// The pages under `paths`: a file is taken as it is; a folder is walked for
// .html, .htm and .xhtml files, leaving out hidden folders, `skipFolders`,
// and symbolic links that lead out of the folder given.
SiteWalk FindSitePages(const std::vector<std::string>& paths, const std::vector<std::string>& skipFolders);

// Reads every page under `paths` and tells its state. With options.write
// and no problem found, saves and publishes the design beside
// `projectPath` as SaveAndPublish does and writes every page whose region
// changes, all through temporary files renamed together at the end; pages
// that stay the same are not touched. With a problem nothing is written.
// Refusals of the generators raise.
SiteUpdate UpdateSitePages(TvornAppletAgent& doc, const DesignTree& tree, const std::string& projectPath,
                           const std::vector<std::string>& paths, const SiteUpdateOptions& options);

// A copyable account of a run: one line per page and the counts.
std::string SiteUpdateReport(const SiteUpdate& update);
// "3 updated, 1 up to date, 2 without a menu region" (and the skipped and
// the problems when there are any). `done` says "updated" rather than
// "to update".
std::string SiteUpdateSummary(const SiteUpdate& update, bool done);

}  // namespace velmora
