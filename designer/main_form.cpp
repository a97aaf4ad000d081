#include "designer/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include "designer/build_commands.h"
#include "designer/document_notifier.h"
#include "designer/file_commands.h"
#include "designer/gui_status.h"
#include "designer/icons.h"
#include "designer/property_pages.h"
#include "designer/tree_adapter.h"
#include "designer/tree_follower.h"
#include "designer/undo_history.h"
#include "designer/window_fit.h"
#include "dialogs/HTMLBuild.h"
#include "dialogs/HelpWindow.h"
#include "document/errors.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "generator/publish.h"
#include "generator/site_pages.h"
#include "generator/vocabularies.h"
#include "platform/codepage.h"
#include "platform/file_association.h"
#include "platform/prompts.h"
#include "platform/settings.h"

namespace velmora {

namespace {

QString TitleFor(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Warning:
      return "Warning";
    case QMessageBox::Critical:
      return "Error";
    case QMessageBox::Question:
      return "Confirm";
    default:
      return "Information";
  }
}

bool SameFile(const QString& a, const QString& b) {
  if (b.isEmpty()) return false;
  const QFileInfo first(a), second(b);
  return first.absoluteFilePath() == second.absoluteFilePath() ||
         (first.exists() && first.canonicalFilePath() == second.canonicalFilePath());
}

}  // namespace

TMainForm::TMainForm(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(programFolder) {
  setObjectName("MainForm");
  setWindowIcon(ProgramIcon());
  history_ = std::make_unique<UndoHistory>(*this);
  build_ = std::make_unique<BuildCommands>(*this);
  BuildFrame();
  files_ = std::make_unique<FileCommands>(*this, mnitRecentFiles);
  pages_->SetEditHandler([this](const Binding& binding, QWidget* control, bool menuWide, bool typing) {
    history_->RecordPageEdit(binding, control, menuWide, typing);
  });
  history_->Attach(trvwDesignPanel);
  connect(&history_->Stack(), &QUndoStack::cleanChanged, this, [this](bool clean) { ShowModified(!clean); });
  FormCreate();
  formHTML = new TformHTML(this);
  frmHelp = new TfrmHelp(this);
}

TMainForm::~TMainForm() {
  destroying_ = true;
  // The pages and the tree adapter point into widgets that the window's
  // destruction frees; the document must stop reporting to the status area.
  if (AppletAgent) AppletAgent->SetStatusSink(nullptr);
  notifier_.reset();
}

void TMainForm::FormCreate() {
  MenuBaseName = "menu" + MakeMenuNumber();
  AppletAgent = std::make_unique<TvornAppletAgent>(ToNativePath(programFolder_));
  AppletAgent->SetStatusSink(statusSink_.get());
  notifier_ = std::make_unique<DocumentNotifier>(*AppletAgent);
  treeFollower_ = new TreeFollower(*this, *notifier_);
  treeAdapter_->SetTextEncoding(&AppletAgent->Encoding);
  TreeRebuilding = false;
  SetProjectFile({});
  ResetTreeToRoot(false);
  AppletAgent->ResetDocument();
  LoadMenuPages();
  setWindowTitle("Velmora");
  RegisterFileAssociation(QCoreApplication::applicationFilePath());
  SetModified(false);
  LastPagesIndex = -2009;
  UpdateItemCommands();

  FitWindowToScreen(*this, QSize(781, 620), pgcntrl1, kTreePaneWidth);
}

StatusSink& TMainForm::Status() {
  return *statusSink_;
}

bool TMainForm::IsModified() const {
  return !history_->Stack().isClean();
}

void TMainForm::SetModified(bool modified) {
  if (modified) {
    history_->Stack().resetClean();
  } else {
    history_->Stack().setClean();
  }
  ShowModified(modified);
}

void TMainForm::ShowModified(bool modified) {
  const bool changed = Save1->isEnabled() != modified;
  Save1->setEnabled(modified);
  if (changed) emit ModifiedChanged(modified);
}

void TMainForm::SetProjectFile(const QString& path) {
  const bool changed = path != CurrentProjectFile;
  CurrentProjectFile = path;
  if (changed) emit ProjectFileChanged();
}

QString TMainForm::JoinCommandLine(const QStringList& arguments) {
  QString joined;
  for (const QString& argument : arguments) joined += argument + ' ';
  return joined.trimmed();
}

void TMainForm::StartUp(const QStringList& arguments) {
  emit StartingUp();
  const bool recovered = IsModified();
  const QString path = JoinCommandLine(arguments);
  if (!path.isEmpty()) {
    // The recovered design already is that file's; any other file is
    // opened after the usual question about the unsaved changes.
    if (recovered && SameFile(path, CurrentProjectFile)) return;
    if (!recovered) SetModified(false);
    // A project that cannot be read is reported like one chosen with
    // File > Open; the window below is left usable.
    RunGuarded([&] { OpenProjectFile(path); });
    const bool inStep = Tree().NodeCount() == Document().ItemCount() + 1;
    if (!inStep || TreeRebuilding) {
      TreeRebuilding = false;
      ResetTreeToRoot(false);
      Document().ResetDocument();
      LoadMenuPages();
      StoreMenuPages();
      SetProjectFile({});
      UpdatePages();
      SetModified(false);
    }
    return;
  }
  if (!recovered && ReadBoolSetting("ShowTempletsDialog", true, false)) {
    RunGuarded([this] { files_->ChooseTemplate(); });
  }
}

bool TMainForm::RunGuarded(const std::function<void()>& operation) {
  QString problem;
  try {
    operation();
    return true;
  } catch (const std::exception& error) {
    problem = FromErrorText(error.what());
  }
  Ask(QMessageBox::Critical, problem, QMessageBox::Ok, QMessageBox::Ok);
  return false;
}

QMessageBox::StandardButton TMainForm::Ask(QMessageBox::Icon icon, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) {
  return CurrentPrompts().Message(this, icon, TitleFor(icon), text, buttons, defaultButton);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery()) {
    frmHelp->close();
    event->accept();
  } else {
    event->ignore();
  }
}

void TMainForm::ToolBar1Click() {
  ToolBar1->setChecked(!tlbr1->isVisibleTo(this));
  tlbr1->setVisible(ToolBar1->isChecked());
}

void TMainForm::StatusBar2Click() {
  const bool show = !StatusBar1->isVisibleTo(this);
  StatusBar2->setChecked(show);
  StatusBar1->setVisible(show);
  stctxtHint->setVisible(show);
  prgrsbrMainFormBottom->setVisible(show);
}

}  // namespace velmora
