#pragma once

// Saving a design publishes it: the page, the three scripts, the project
// file, the images and a report of what to upload, all in one folder.

#include <string>
#include <vector>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "generator/page_style.h"

namespace velmora {

struct PublishResult {
  // Images that could not be copied next to the project (not gathered in
  // the preview folder, or the copy failed).
  std::vector<std::string> uncopiedImages;
  // Images skipped because their names lead outside their folders.
  std::vector<std::string> unsafeImages;
  // The generation's warnings (links the HTML5 page's list shows as text).
  std::vector<std::string> pageWarnings;
};

// The project file name without its extension: the last "." and what
// follows is the extension, and every occurrence of it is removed, ignoring
// letter case.
std::string BaseNameOf(const std::string& projectFileName);

// Generates, copies the scripts and images into `folder`, saves the project
// there as base name + ".velm" and writes the report. Errors while writing
// raise; image copies that fail are returned. The HTML5 page is titled with
// the base name unless `options` gives a title.
PublishResult SaveAndPublish(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                             const std::string& folder, const std::string& projectFileName,
                             PageOptions options = {});

std::string PublishReportText(TvornAppletAgent& doc);
void WritePublishReport(TvornAppletAgent& doc, const std::string& folder, const std::string& fileName);

}  // namespace velmora
