#include "dialogs/templet.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/errors.h"
#include "platform/settings.h"

namespace velmora {

QString TemplatesFolder(const QString& programFolder) {
  return QDir(programFolder).filePath(QStringLiteral("templates"));
}

QString EnsureTemplatesFolder(const QString& programFolder) {
  const QString folder = TemplatesFolder(programFolder);
  if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
    throw Error("Cannot create " + QDir::toNativeSeparators(folder).toStdString());
  }
  return folder;
}

TfrmTemplet::TfrmTemplet(const QString& programFolder, Actions actions, QWidget* parent)
    : QDialog(parent), folder_(EnsureTemplatesFolder(programFolder)), actions_(std::move(actions)) {
  setObjectName(QStringLiteral("frmTemplet"));
  setWindowTitle(QStringLiteral("Template"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint);

  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel(
      QStringLiteral("Click OK to open selected template or cancel to create a new project."), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);

  TempletList_ = new QListWidget(this);
  TempletList_->setObjectName(QStringLiteral("TempletList"));
  TempletList_->setSelectionMode(QAbstractItemView::SingleSelection);
  TempletList_->setToolTip(QDir::toNativeSeparators(folder_));
  const QStringList names =
      QDir(folder_).entryList({QStringLiteral("*.velm")}, QDir::Files | QDir::Readable, QDir::Name);
  TempletList_->addItems(names);
  connect(TempletList_, &QListWidget::itemDoubleClicked, this, &TfrmTemplet::TempletListDblClick);
  layout->addWidget(TempletList_, 1);

  chckbxDontShow_ = new QCheckBox(QStringLiteral("Do not show this dialog again."), this);
  chckbxDontShow_->setObjectName(QStringLiteral("chckbxDontShow"));
  // Written on every click, so the choice holds even when the chooser is
  // then cancelled.
  connect(chckbxDontShow_, &QCheckBox::clicked, this,
          [](bool ticked) { WriteBoolSetting(QString::fromLatin1(kShowTempletsDialogSetting), !ticked); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(chckbxDontShow_);
  buttons->addStretch();
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("BitBtn1"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TfrmTemplet::BitBtn1Click);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("BitBtn2"));
  connect(cancel, &QPushButton::clicked, this, &TfrmTemplet::reject);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  setFixedSize(420, 320);
}

QString TfrmTemplet::SelectedTemplate() const {
  const auto selected = TempletList_->selectedItems();
  return selected.isEmpty() ? QString() : QDir(folder_).filePath(selected.front()->text());
}

void TfrmTemplet::showEvent(QShowEvent* event) {
  const bool show = ReadBoolSetting(QString::fromLatin1(kShowTempletsDialogSetting), true, false);
  chckbxDontShow_->setChecked(!show);
  QDialog::showEvent(event);
}

// The chooser closes before the action runs, so the action's own questions
// appear over the designer rather than over the chooser.
void TfrmTemplet::OpenAndClose(const QString& path) {
  accept();
  if (!path.isEmpty() && actions_.openProject) actions_.openProject(path);
}

void TfrmTemplet::BitBtn1Click() {
  OpenAndClose(SelectedTemplate());
}

void TfrmTemplet::TempletListDblClick() {
  // A double click beside the entries selects nothing: the chooser stays.
  const QString path = SelectedTemplate();
  if (!path.isEmpty()) OpenAndClose(path);
}

void TfrmTemplet::reject() {
  QDialog::reject();
  if (actions_.newDesign) actions_.newDesign();
}

}  // namespace velmora
