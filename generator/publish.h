#pragma once

// Saving a design publishes it: the page, the three scripts, the project
// file, the images and a report of what to upload, all in one folder.

#include <string>
#include <vector>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "document/errors.h"
#include "document/file_io.h"
#include "generator/page_style.h"

namespace velmora {

// Image names as the file system has them, so they read right wherever
// they are shown.
struct PublishResult {
  // Images that could not be copied next to the project (not gathered in
  // the preview folder, or the copy failed).
  std::vector<std::string> uncopiedImages;
  // Images skipped because their names lead outside their folders.
  std::vector<std::string> unsafeImages;
  // The generation's warnings (links the HTML5 page's list shows as text).
  std::vector<std::string> pageWarnings;
  // The runtime script, when the program folder lacks it.
  std::vector<std::string> uncopiedScripts;
  // Why the page and scripts were not written (SaveProjectAndPublish);
  // empty when they were.
  std::string siteRefusal;
};

// The project file name without its extension: the last "." and what
// follows is the extension, and every occurrence of it is removed, ignoring
// letter case.
std::string BaseNameOf(const std::string& projectFileName);

// Generates, copies the scripts and images into `folder`, saves the project
// there as base name + ".velm" and writes the report, all or nothing: every
// check runs before the first write, every file is written beside its
// target and renamed into place once all are written. A refusal or an
// error while writing raises and leaves the folder as it was. Files that
// could not be found to copy are returned, and the report leaves them out.
// The HTML5 page is titled with the base name unless `options` gives a title.
PublishResult SaveAndPublish(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                             const std::string& folder, const std::string& projectFileName,
                             PageOptions options = {});

// The same, with the files staged in `files` for the caller to commit
// together with files of its own.
PublishResult StagePublish(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                           const std::string& folder, const std::string& projectFileName, StagedFiles& files,
                           PageOptions options = {});
// The same, but a value the generators refuse does not keep the design
// from being saved: the project file alone is written (atomically), the
// page, scripts, images and report are left as they were, and the refusal
// is returned in `siteRefusal`. What the project file cannot hold still
// raises, as every error while writing does.
PublishResult SaveProjectAndPublish(TvornAppletAgent& doc, const DesignTree& tree,
                                    const std::string& menuBaseName, const std::string& folder,
                                    const std::string& projectFileName, PageOptions options = {});

// What a save that failed while writing tells the user: what was not
// saved, why, and that the files on disk are as they were (the saves
// above replace their files all together or not at all).
std::string SaveFailureText(const std::string& projectFileName, const FileError& error);

// The report for the scripts and images the design names.
std::string PublishReportText(TvornAppletAgent& doc);
// The report for the given scripts and images.
std::string PublishReportText(TvornAppletAgent& doc, const std::vector<std::string>& scripts,
                              const std::vector<std::string>& images);
void WritePublishReport(TvornAppletAgent& doc, const std::string& folder, const std::string& fileName);

}  // namespace velmora
