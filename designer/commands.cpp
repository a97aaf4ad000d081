// The window's command handlers, named as the menus and tool buttons know
// them: each forwards to the class holding its command.

#include "designer/build_commands.h"
#include "designer/file_commands.h"
#include "designer/main_form.h"
#include "designer/recent_files.h"
#include "designer/structure_commands.h"

namespace velmora {

void TMainForm::New1Click() {
  files_->New();
}

void TMainForm::Open1Click() {
  files_->Open();
}

void TMainForm::OpenProjectFile(const QString& path) {
  files_->OpenProjectFile(path);
}

bool TMainForm::OpenDesignCopy(const QString& copyPath, const QString& projectPath) {
  return files_->OpenDesignCopy(copyPath, projectPath);
}

void TMainForm::Save1Click() {
  files_->Save();
}

void TMainForm::Save2Click() {
  files_->SaveAs();
}

void TMainForm::SaveAsTemplate1Click() {
  files_->SaveAsTemplate();
}

void TMainForm::Templet1Click() {
  files_->ChooseTemplate();
}

void TMainForm::ImportMenuStructure1Click() {
  files_->ImportStructure();
}

void TMainForm::ExportMenuStructure1Click() {
  files_->ExportStructure();
}

bool TMainForm::FormCloseQuery() {
  return files_->MayClose();
}

QString TMainForm::RecentFilesPath() const {
  return files_->Recent().ListPath();
}

void TMainForm::AddRecentFile(const QString& path) {
  files_->Recent().Add(path);
}

void TMainForm::RecentFileClick(const QString& caption) {
  files_->Recent().Open(caption);
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

void TMainForm::Insert1Click() {
  structure_->Insert();
}

void TMainForm::Delete1Click() {
  structure_->Delete();
}

void TMainForm::MoveUp1Click() {
  structure_->MoveUp();
}

void TMainForm::MoveDown1Click() {
  structure_->MoveDown();
}

}  // namespace velmora
