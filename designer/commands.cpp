// Document commands: new, open, save and the template commands.

#include <QFileInfo>

#include "designer/build_commands.h"
#include "designer/commands_support.h"
#include "designer/main_form.h"
#include "dialogs/templet.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "generator/vocabularies.h"
#include "platform/codepage.h"
#include "platform/dialog_filter.h"
#include "platform/prompts.h"

namespace velmora {

bool TMainForm::AskToSaveChanges() {
  if (!IsModified()) return true;
  switch (Ask(QMessageBox::Warning, QStringLiteral("Save changes to files?"),
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
      Save1Click();
      // A save dialog cancelled after Yes keeps the design rather than
      // dropping the changes the user wanted saved.
      return !IsModified();
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}

void TMainForm::New1Click() {
  MenuBaseName = "menu" + MakeMenuNumber();
  if (!AskToSaveChanges()) return;
  CleanPreviewFolder(Document());
  CurrentItemNode = nullptr;
  SetProjectFile({});
  ResetTreeToRoot(true);
  Document().ResetDocument();
  LoadMenuPages();
  SetModified(false);
}

void TMainForm::Open1Click() {
  if (!AskToSaveChanges()) return;
  // The preview folder is emptied only once a file was chosen, so a
  // cancelled dialog leaves the open design's gathered images in place.
  const QString path = CurrentPrompts().OpenFile(this, QStringLiteral("Open"), DialogFolder(*this),
                                                 DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;
  const QString opened = ReadProjectIntoWindow(*this, path);
  if (!opened.isEmpty()) SetProjectFile(opened);
}

void TMainForm::OpenProjectFile(const QString& path) {
  if (path.isEmpty()) return;
  if (!AskToSaveChanges()) return;
  const QString opened = ReadProjectIntoWindow(*this, path);
  if (!opened.isEmpty()) SetProjectFile(opened);
}

bool TMainForm::OpenDesignCopy(const QString& copyPath, const QString& projectPath) {
  if (!ReadProjectFile(*this, copyPath)) return false;
  // Images are named relative to the project's folder.
  const QString imageFolder = projectPath.isEmpty() ? copyPath : projectPath;
  ShowReadDesign(*this, FolderOf(ToNativePath(imageFolder)));
  SetProjectFile(projectPath);
  SetModified(true);
  return true;
}

void TMainForm::Save1Click() {
  StorePages();
  if (!CurrentProjectFile.isEmpty()) {
    SaveAndPublishTo(CurrentProjectFile);
    SetModified(false);
    return;
  }
  const QString path = CurrentPrompts().SaveFile(this, QStringLiteral("Save"), DialogFolder(*this),
                                                 DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;
  SaveAndPublishTo(path);
  SetModified(false);
  SetProjectFile(WrittenProjectPath(path));
}

void TMainForm::Save2Click() {
  // The file holds what the pages show, as with Save.
  StorePages();
  const QString path = CurrentPrompts().SaveFile(this, QStringLiteral("Save As"), DialogFolder(*this),
                                                 DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;
  SaveAndPublishTo(path);
  SetProjectFile(WrittenProjectPath(path));
}

void TMainForm::OpenTemplate(const QString& path) {
  if (!AskToSaveChanges()) return;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  if (!ReadProjectFile(*this, absolute)) return;
  // A copy of the template: a save asks for a file of its own, so the
  // template itself changes only through Save As Template.
  CurrentProjectFile.clear();
  ShowReadDesign(*this, FolderOf(ToNativePath(absolute)));
}

void TMainForm::SaveAsTemplate1Click() {
  const QString templates = EnsureTemplatesFolder(ProgramFolder());
  KeepDialogFolder(*this, templates);
  StorePages();
  const QString path = CurrentPrompts().SaveFile(this, QStringLiteral("Save As Template"), templates,
                                                 DialogFilter(kVelmoraFilesFilter));
  if (path.isEmpty()) return;
  // The design stays bound to its own file (or none) and keeps its
  // modified mark: the template is a copy.
  SaveAndPublishTo(path);
}

void TMainForm::Templet1Click() {
  // The chooser's actions run inside its event loop, so each carries its
  // own error handler.
  TfrmTemplet chooser(ProgramFolder(),
                      {[this](const QString& path) { RunGuarded([&] { OpenTemplate(path); }); },
                       [this] { RunGuarded([this] { New1Click(); }); }},
                      this);
  chooser.exec();
}

void TMainForm::ShowTemplateChooserAtStart() {
  Templet1Click();
}

void TMainForm::Exit1Click() {
  close();
}

bool TMainForm::BuildHtmlCode() {
  return build_->BuildHtmlCode();
}

void TMainForm::BuildHTML1Click() {
  build_->BuildHtml();
}

void TMainForm::Preview1Click() {
  build_->Preview();
}

void TMainForm::Publish1Click() {
  build_->Publish();
}

void TMainForm::WebBrowser1Click() {
  build_->WebBrowser();
}

}  // namespace velmora
