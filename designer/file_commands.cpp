// The File menu's commands: new, open, save, the templates, the bare menu
// structure and the save before closing.

#include "designer/file_commands.h"

#include <QFileInfo>
#include <QMenu>

#include "designer/commands_support.h"
#include "designer/design_session.h"
#include "designer/recent_files.h"
#include "designer/save_and_publish.h"
#include "dialogs/templet.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "generator/vocabularies.h"
#include "platform/codepage.h"
#include "platform/dialog_filter.h"
#include "platform/prompts.h"

namespace velmora {

FileCommands::FileCommands(DesignSession& session, QMenu* recentMenu)
    : session_(session),
      recent_(new RecentFiles(session, recentMenu, [this](const QString& path) { OpenProjectFile(path); })) {
  recent_->Refresh();
}

FileCommands::~FileCommands() = default;

QString FileCommands::DialogFolder() const {
  if (!templatesFolder_.isEmpty()) return templatesFolder_;
  if (!session_.ProjectFile().isEmpty()) return QFileInfo(session_.ProjectFile()).absolutePath();
  return {};
}

bool FileCommands::AskToSaveChanges() {
  if (!session_.IsModified()) return true;
  switch (session_.Ask(QMessageBox::Warning, QStringLiteral("Save changes to files?"),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
      Save();
      // A save dialog cancelled after Yes keeps the design rather than
      // dropping the changes the user wanted saved.
      return !session_.IsModified();
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}

void FileCommands::New() {
  session_.SetMenuBaseName("menu" + MakeMenuNumber());
  if (!AskToSaveChanges()) return;
  CleanPreviewFolder(session_.Document());
  session_.SetProjectFile({});
  session_.ResetTreeToRoot(true);
  session_.Document().ResetDocument();
  session_.LoadMenuPages();
  session_.SetModified(false);
}

void FileCommands::Open() {
  if (!AskToSaveChanges()) return;
  // The preview folder is emptied only once a file was chosen, so a
  // cancelled dialog leaves the open design's gathered images in place.
  const QString path = CurrentPrompts().OpenFile(session_.DialogParent(), QStringLiteral("Open"),
                                                 DialogFolder(), DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;
  ReadIntoWindow(path);
}

void FileCommands::OpenProjectFile(const QString& path) {
  if (path.isEmpty()) return;
  if (!AskToSaveChanges()) return;
  ReadIntoWindow(path);
}

void FileCommands::ReadIntoWindow(const QString& chosenPath) {
  const QString path = QFileInfo(chosenPath).absoluteFilePath();
  if (!ReadProjectFile(session_, path)) return;
  recent_->Add(path);
  ShowReadDesign(session_, FolderOf(ToNativePath(path)));
  session_.SetProjectFile(path);
}

bool FileCommands::OpenDesignCopy(const QString& copyPath, const QString& projectPath) {
  if (!ReadProjectFile(session_, copyPath)) return false;
  // Images are named relative to the project's folder.
  const QString imageFolder = projectPath.isEmpty() ? copyPath : projectPath;
  ShowReadDesign(session_, FolderOf(ToNativePath(imageFolder)));
  session_.SetProjectFile(projectPath);
  session_.SetModified(true);
  return true;
}

void FileCommands::Save() {
  session_.StorePages();
  if (!session_.ProjectFile().isEmpty()) {
    SaveAndPublishTo(session_, session_.ProjectFile());
    session_.SetModified(false);
    return;
  }
  const QString path = CurrentPrompts().SaveFile(session_.DialogParent(), QStringLiteral("Save"),
                                                 DialogFolder(), DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;
  SaveAndPublishTo(session_, path);
  session_.SetModified(false);
  session_.SetProjectFile(WrittenProjectPath(path));
}

void FileCommands::SaveAs() {
  // The file holds what the pages show, as with Save.
  session_.StorePages();
  const QString path = CurrentPrompts().SaveFile(session_.DialogParent(), QStringLiteral("Save As"),
                                                 DialogFolder(), DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;
  SaveAndPublishTo(session_, path);
  session_.SetProjectFile(WrittenProjectPath(path));
}

void FileCommands::OpenTemplate(const QString& path) {
  if (!AskToSaveChanges()) return;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  if (!ReadProjectFile(session_, absolute)) return;
  // A copy of the template: a save asks for a file of its own, so the
  // template itself changes only through Save As Template.
  session_.SetProjectFile({});
  ShowReadDesign(session_, FolderOf(ToNativePath(absolute)));
}

void FileCommands::SaveAsTemplate() {
  templatesFolder_ = EnsureTemplatesFolder(session_.ProgramFolder());
  session_.StorePages();
  const QString path = CurrentPrompts().SaveFile(session_.DialogParent(), QStringLiteral("Save As Template"),
                                                 templatesFolder_, DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;
  // The design stays bound to its own file (or none) and keeps its
  // modified mark: the template is a copy.
  SaveAndPublishTo(session_, path);
}

void FileCommands::ChooseTemplate() {
  // The chooser's actions run inside its event loop, so each carries its
  // own error handler.
  TfrmTemplet chooser(session_.ProgramFolder(),
                      {[this](const QString& path) { session_.RunGuarded([&] { OpenTemplate(path); }); },
                       [this] { session_.RunGuarded([this] { New(); }); }},
                      session_.DialogParent());
  chooser.exec();
}

void FileCommands::ImportStructure() {
  if (!AskToSaveChanges()) return;
  // The preview folder is emptied only once a file was chosen and read, so
  // a cancelled or refused import keeps the open design's images.
  const QString path =
      CurrentPrompts().OpenFile(session_.DialogParent(), QStringLiteral("Import Menu Structure"),
                                DialogFolder(), DialogFilter(kStructureFilesFilter));
  if (path.isEmpty()) return;
  const std::string nativePath = ToNativePath(path);
  const ReadResult result = session_.RebuildTreeWith(
      [&](DesignTree& tree) { return session_.Document().ImportStructure(nativePath, tree); });
  if (!ReportReadResult(session_, result, path, kWrongStructureMessage)) return;
  // The window stays bound to its project file: a later Save overwrites it.
  ShowReadDesign(session_, FolderOf(nativePath));
}

void FileCommands::ExportStructure() {
  // The file holds what the pages show.
  session_.StorePages();
  QString path = CurrentPrompts().SaveFile(session_.DialogParent(), QStringLiteral("Export Menu Structure"),
                                           DialogFolder(), DialogFilter(kStructureFilesFilter));
  if (path.isEmpty()) return;
  if (path.right(4).toLower() != QLatin1String(".gms")) path += QLatin1String(".gms");
  session_.Document().ExportStructure(ToNativePath(path), session_.Tree());
}

bool FileCommands::MayClose() {
  if (!session_.IsModified()) {
    CleanPreviewFolder(session_.Document());
    return true;
  }
  const auto answer =
      session_.Ask(QMessageBox::Warning, "Save changes to files before Exit?",
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::No) {
    CleanPreviewFolder(session_.Document());
    return true;
  }
  if (answer != QMessageBox::Yes) return false;  // the gathered images stay for the next save
  bool mayClose = false;
  session_.RunGuarded([&] { SaveOnExit(mayClose); });
  return mayClose;
}

void FileCommands::SaveOnExit(bool& mayClose) {
  session_.StorePages();
  if (!session_.ProjectFile().isEmpty()) {
    SaveAndPublishTo(session_, session_.ProjectFile());
    mayClose = true;
    return;
  }
  const QString path = CurrentPrompts().SaveFile(session_.DialogParent(), "Save As", session_.ProgramFolder(),
                                                 DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;  // stays open with its images still gathered
  SaveAndPublishTo(session_, path);
  CleanPreviewFolder(session_.Document());
  mayClose = true;
}

}  // namespace velmora
