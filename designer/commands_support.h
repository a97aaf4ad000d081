#pragma once

// Pieces the file commands share: the file filters and the steps that
// show a design read from a file.

#include <QString>
#include <string>

#include "document/applet_agent.h"

namespace velmora {

class DesignSession;

// File dialog filters, for DialogFilter.
inline constexpr const char* kVelmoraFilesFilter = "Velmora Files (*.velm)|*.velm";
inline constexpr const char* kStructureFilesFilter = "General Menu Structure File (*.gms)|*.gms";

// Tells the user why a file read nothing (`refusedMessage` for a file of
// another kind); true when the design was read. A read that repaired item
// levels is reported too, but counts as read.
bool ReportReadResult(DesignSession& session, const ReadResult& result, const QString& path,
                      const char* refusedMessage);

// After a file has refilled the document and the tree: the gathered images
// of the previous design go, the new design's images (named relative to
// `resourceFolder`) are gathered, the pages show the menu-wide values with
// the root selected, and the design counts as unmodified.
void ShowReadDesign(DesignSession& session, const std::string& resourceFolder);

// Reads a project file into the document and the tree, or tells the user
// why it was refused and leaves both as they were; true when it was read.
bool ReadProjectFile(DesignSession& session, const QString& path);

// The project file a save to `chosenPath` writes: its base name with ".velm".
QString WrittenProjectPath(const QString& chosenPath);

}  // namespace velmora
