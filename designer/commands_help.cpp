// Document commands: help pages, the maker's addresses, the about box and
// the batch property changer.

#include <QDir>
#include <QFileInfo>

#include "designer/main_form.h"
#include "designer/undo_history.h"
#include "dialogs/About.h"
#include "dialogs/GlobalPropertiesChange.h"
#include "generator/maker.h"
#include "platform/launcher.h"

namespace velmora {

namespace {

// Opens a page beside the program with the desktop's handler, telling the
// user when the page is missing or nothing could open it.
void OpenProgramPage(TMainForm& form, const QString& relativePath) {
  const QString page = QDir(form.ProgramFolder()).filePath(relativePath);
  if (!QFileInfo(page).isFile()) {
    form.Ask(QMessageBox::Warning,
             QDir::toNativeSeparators(page) + "\n\nThis page is missing from the program folder.",
             QMessageBox::Ok, QMessageBox::Ok);
    return;
  }
  if (!CurrentLauncher().OpenWithDefault(page)) {
    form.Ask(QMessageBox::Warning,
             QDir::toNativeSeparators(page) + "\n\nNo program of the desktop could open this page. " +
                 CurrentLauncher().LastError(),
             QMessageBox::Ok, QMessageBox::Ok);
  }
}

}  // namespace

void TMainForm::Topic1Click() {
  OpenProgramPage(*this, QStringLiteral("help/index.html"));
}

void TMainForm::ViewSample1Click() {
  OpenProgramPage(*this, QStringLiteral("samples/index.html"));
}

void TMainForm::Homepage1Click() {
  CurrentLauncher().OpenWithDefault(QString::fromLatin1(kHomePage));
}

void TMainForm::ContactUs1Click() {
  CurrentLauncher().OpenWithDefault(QString::fromLatin1(kSupportPage));
}

void TMainForm::About1Click() {
  TformAbout about(this);
  about.exec();
}

void TMainForm::OpenBatchChanger(int stateIndex) {
  const int source = SelectedIndex() - 1;
  if (source < 0 || source >= Document().ItemCount()) return;
  StoreItemEdits(source);
  TfrmGlobalPropertiesChange changer(
      Document(), *trvwDesignPanel,
      {{},  // the copier's step marks the design
       [this](int tag) { RunGuarded([this, tag] { ShowHelpTopic(HelpTopicForTag(tag)); }); }},
      this);
  changer.SetCopier([this](int from, const std::vector<bool>& marks, const CopyMask& mask) {
    History().RecordBatchChange(from, marks, mask);
  });
  changer.SourceItemIndex = source;
  changer.TickState(stateIndex);
  changer.exec();
}

}  // namespace velmora
