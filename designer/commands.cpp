// Document commands: being written by D2

#include "designer/main_form.h"

namespace velmora {

void TMainForm::New1Click() {}
void TMainForm::Open1Click() {}
void TMainForm::OpenProjectFile(const QString&) {}
void TMainForm::Save1Click() {}
void TMainForm::Save2Click() {}
void TMainForm::SaveAsTemplate1Click() {}
void TMainForm::Templet1Click() {}
void TMainForm::ImportMenuStructure1Click() {}
void TMainForm::ExportMenuStructure1Click() {}
void TMainForm::Exit1Click() {
  close();
}
void TMainForm::Preview1Click() {}
bool TMainForm::BuildHtmlCode() {
  return false;
}
void TMainForm::BuildHTML1Click() {}
void TMainForm::Publish1Click() {}
void TMainForm::WebBrowser1Click() {}
void TMainForm::Topic1Click() {}
void TMainForm::ViewSample1Click() {}
void TMainForm::Homepage1Click() {}
void TMainForm::ContactUs1Click() {}
void TMainForm::About1Click() {}
bool TMainForm::AskToSaveChanges() {
  return true;
}
void TMainForm::ShowTemplateChooserAtStart() {}
void TMainForm::OpenBatchChanger(int) {}
bool TMainForm::BatchChangerAvailable() {
  return false;
}

}  // namespace velmora
