#pragma once

// Pieces the document commands share: the file filters, the folder the file
// dialogs start in, and the steps that show a design read from a file.

#include <QString>
#include <string>

#include "document/applet_agent.h"

namespace velmora {

class TMainForm;

// File dialog filters, for DialogFilter.
inline constexpr const char* kVelmoraFilesFilter = "Velmora Files (*.velm)|*.velm";
inline constexpr const char* kStructureFilesFilter = "General Menu Structure File (*.gms)|*.gms";

// The folder the open and save dialogs start in: the templates folder once
// a template was saved in this window, else the open project's folder.
QString DialogFolder(const TMainForm& form);
void KeepDialogFolder(TMainForm& form, const QString& folder);

// Tells the user why a file read nothing (`refusedMessage` for a file of
// another kind); true when the design was read. A read that repaired item
// levels is reported too, but counts as read.
bool ReportReadResult(TMainForm& form, const ReadResult& result, const QString& path,
                      const char* refusedMessage);

// After a file has refilled the document and the tree: the gathered images
// of the previous design go, the new design's images (named relative to
// `resourceFolder`) are gathered, the pages show the menu-wide values with
// the root selected, and the design counts as unmodified.
void ShowReadDesign(TMainForm& form, const std::string& resourceFolder);

// Reads a project file into the document and the tree, or tells the user
// why it was refused and leaves both as they were; true when it was read.
bool ReadProjectFile(TMainForm& form, const QString& path);

// Opens a project file into the window and adds it to the recent list;
// returns its absolute path, or nothing when the file was refused or could
// not be read, which leaves the window as it was: the previous design, its
// file name and the recent list. The caller binds the window to the path.
QString ReadProjectIntoWindow(TMainForm& form, const QString& path);

// The project file a save to `chosenPath` writes: its base name with ".velm".
QString WrittenProjectPath(const QString& chosenPath);

}  // namespace velmora
