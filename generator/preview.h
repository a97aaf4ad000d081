#pragma once

// The preview folder inside the program folder: where a runnable copy of the
// menu is assembled, and where the open design's images are gathered.

#include <string>
#include <vector>

#include "document/applet_agent.h"

namespace velmora {

std::string PreviewFolder(const TvornAppletAgent& doc);

// An image name that stays inside the folder it is looked up in: not
// absolute and without a ".." element.
bool IsSafeImageName(const std::string& name);

// Copies one file into the preview folder under its name part and records
// the name, whether or not the copy succeeded.
void CopyToPreviewFolder(TvornAppletAgent& doc, const std::string& path);

// Copies the three script files from `folder` into the preview folder and
// deletes the two generated ones from `folder`.
void CopyScriptsToPreview(TvornAppletAgent& doc, const std::string& folder);

// Copies every image an item names from `folder` into the preview folder.
// Returns the names skipped because they would lead outside their folders.
// Names here and in PreviewFiles are the file system's names.
std::vector<std::string> CopyResourceFiles(TvornAppletAgent& doc, const std::string& folder);

// Deletes what was copied into the preview folder and removes the folder
// when nothing else is left in it.
void CleanPreviewFolder(TvornAppletAgent& doc);

// Every image name of the items in visiting order, empty fields skipped, as
// the document's text holds them.
std::vector<std::string> ImageNames(const TvornAppletAgent& doc);

}  // namespace velmora
