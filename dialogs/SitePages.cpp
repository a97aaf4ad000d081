#include "dialogs/SitePages.h"

#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

#include "platform/codepage.h"

namespace velmora {

TfrmSitePages::TfrmSitePages(const QString& folder, Runner runner, FolderChooser chooser, QWidget* parent)
    : QDialog(parent), folder_(folder), runner_(std::move(runner)), chooser_(std::move(chooser)) {
  setObjectName("frmSitePages");
  setWindowTitle("Update Site Pages");
  resize(760, 520);

  edtSiteFolder = new QLineEdit(folder_, this);
  edtSiteFolder->setObjectName("edtSiteFolder");
  edtSiteFolder->setReadOnly(true);
  btnChangeFolder = new QPushButton("&Change...", this);
  btnChangeFolder->setObjectName("btnChangeFolder");
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(new QLabel("Site folder:", this));
  folderRow->addWidget(edtSiteFolder, 1);
  folderRow->addWidget(btnChangeFolder);

  lvwPages = new QTreeWidget(this);
  lvwPages->setObjectName("lvwPages");
  lvwPages->setHeaderLabels({"Page", "State"});
  lvwPages->setRootIsDecorated(false);
  lvwPages->setUniformRowHeights(true);
  // A long problem is cut at the list's edge (its tooltip and the report
  // below hold it whole) rather than pushing the states out of sight.
  lvwPages->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  lvwPages->header()->setStretchLastSection(true);

  lblSummary = new QLabel(this);
  lblSummary->setObjectName("lblSummary");
  lblSummary->setWordWrap(true);
  memoReport = new QPlainTextEdit(this);
  memoReport->setObjectName("memoReport");
  memoReport->setReadOnly(true);
  memoReport->setLineWrapMode(QPlainTextEdit::NoWrap);
  memoReport->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memoReport->setPlaceholderText("The report of the update shows here; it can be selected and copied.");
  memoReport->setMaximumHeight(150);

  btnUpdate = new QPushButton("&Update", this);
  btnUpdate->setObjectName("btnUpdate");
  btnUpdate->setDefault(true);
  btnClose = new QPushButton("Close", this);
  btnClose->setObjectName("btnClose");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnUpdate);
  buttons->addWidget(btnClose);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(folderRow);
  layout->addWidget(lvwPages, 1);
  layout->addWidget(lblSummary);
  layout->addWidget(memoReport);
  layout->addLayout(buttons);

  connect(btnChangeFolder, &QPushButton::clicked, this, &TfrmSitePages::ChangeFolder);
  connect(btnUpdate, &QPushButton::clicked, this, &TfrmSitePages::Update);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmSitePages::Scan() {
  memoReport->clear();
  try {
    Show(runner_(ToNativePath(folder_), false));
  } catch (const std::exception& e) {
    ShowFailure(FromNativePath(e.what()));
  }
}

void TfrmSitePages::Update() {
  try {
    const SiteUpdate update = runner_(ToNativePath(folder_), true);
    Show(update);
    memoReport->setPlainText(FromNativePath(SiteUpdateReport(update)));
    btnUpdate->setEnabled(false);
  } catch (const std::exception& e) {
    ShowFailure(FromNativePath(e.what()));
  }
}

QString TfrmSitePages::ReportText() const {
  return memoReport->toPlainText();
}

void TfrmSitePages::ChangeFolder() {
  const QString chosen = chooser_(folder_);
  if (chosen.isEmpty() || chosen == folder_) return;
  folder_ = chosen;
  edtSiteFolder->setText(folder_);
  emit FolderChosen(folder_);
  Scan();
}

void TfrmSitePages::Show(const SiteUpdate& update) {
  lvwPages->clear();
  const QDir base(folder_);
  QList<QTreeWidgetItem*> rows;
  for (const SitePage& page : update.pages) {
    QString state = page.state == SitePageState::WillUpdate && update.written
                        ? QStringLiteral("updated")
                        : QString::fromLatin1(SitePageStateText(page.state));
    if (page.state == SitePageState::Problem || page.state == SitePageState::Skipped)
      state = FromNativePath(SitePageNote(page));
    auto* row = new QTreeWidgetItem({base.relativeFilePath(FromNativePath(page.path)), state});
    row->setToolTip(1, state);
    rows.append(row);
  }
  lvwPages->addTopLevelItems(rows);
  QString summary = FromNativePath(SiteUpdateSummary(update, update.written));
  if (update.HasProblems()) summary += ". Nothing is written until the problems are mended.";
  lblSummary->setText(summary);
  // The problems in full where they can be read and copied whole.
  QStringList problems;
  for (const SitePage& page : update.pages) {
    if (page.state == SitePageState::Problem)
      problems << FromNativePath(page.path + ": " + SitePageNote(page));
  }
  memoReport->setPlainText(problems.join('\n'));
  btnUpdate->setEnabled(!update.written && !update.HasProblems() &&
                        update.Count(SitePageState::WillUpdate) > 0);
}

void TfrmSitePages::ShowFailure(const QString& text) {
  lblSummary->setText("Nothing was written: " + text);
  memoReport->setPlainText(text);
  btnUpdate->setEnabled(false);
}

}  // namespace velmora
