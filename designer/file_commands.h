#pragma once

// The File menu's commands over a design: New, Open, Save, Save As, the
// templates, import and export of the bare menu structure, and the save
// asked for before the window closes. Opened projects join the recent
// files list.

#include <QString>

class QMenu;

namespace velmora {

class DesignSession;
class RecentFiles;

class FileCommands {
 public:
  // `recentMenu` is the File menu's "Recent Files" submenu.
  FileCommands(DesignSession& session, QMenu* recentMenu);
  ~FileCommands();

  RecentFiles& Recent() { return *recent_; }

  void New();
  void Open();
  void OpenProjectFile(const QString& path);
  // Reads a copy of a design kept elsewhere (a recovery copy) as the
  // modified design of `projectPath`, or of no file when it is empty; the
  // recent files stay as they are. False when the copy was refused (the
  // user was told); errors raise.
  bool OpenDesignCopy(const QString& copyPath, const QString& projectPath);
  // Opens a template as an untitled design that is not in the recent list.
  void OpenTemplate(const QString& path);
  void Save();
  void SaveAs();
  void SaveAsTemplate();
  void ChooseTemplate();
  void ImportStructure();
  void ExportStructure();
  // The save prompt of New, Open and the imports: false when the user
  // cancelled; Yes saves first.
  bool AskToSaveChanges();
  // Whether the window may close: asks about unsaved changes and saves
  // when told to.
  bool MayClose();
  // The folder the open and save dialogs start in: the templates folder
  // once a template was saved here, else the open project's folder.
  QString DialogFolder() const;

 private:
  // Opens a project file and lists it first in the recent files; a file
  // refused or unreadable leaves the window as it was: the previous
  // design, its file name and the recent list.
  void ReadIntoWindow(const QString& path);
  void SaveOnExit(bool& mayClose);

  DesignSession& session_;
  RecentFiles* recent_;  // owned by the menu it fills
  QString templatesFolder_;
};

}  // namespace velmora
