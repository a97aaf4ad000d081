#include "dialogs/WebMenuChooser.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TfrmWebMenuChooser::TfrmWebMenuChooser(const QString& pageName, const QList<WebMenuChoice>& choices,
                                       int preselected, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmWebMenuChooser");
  setWindowTitle("Import from Web Page");
  resize(560, 360);

  lblPrompt =
      new QLabel(QStringLiteral("The page %1 holds %2 lists of links. Choose the one to import as the menu:")
                     .arg(QFileInfo(pageName).fileName())
                     .arg(choices.size()),
                 this);
  lblPrompt->setObjectName("lblPrompt");
  lblPrompt->setWordWrap(true);

  lstbxMenuLists = new QListWidget(this);
  lstbxMenuLists->setObjectName("lstbxMenuLists");
  lstbxMenuLists->setAlternatingRowColors(true);
  lstbxMenuLists->setWordWrap(true);
  lstbxMenuLists->setSpacing(3);
  for (const WebMenuChoice& choice : choices) {
    auto* row = new QListWidgetItem(RowText(choice), lstbxMenuLists);
    row->setToolTip(choice.where);
  }
  if (preselected >= 0 && preselected < lstbxMenuLists->count()) lstbxMenuLists->setCurrentRow(preselected);
  lblPrompt->setBuddy(lstbxMenuLists);

  auto* buttons = new QDialogButtonBox(this);
  btnOK = buttons->addButton(QDialogButtonBox::Ok);
  btnOK->setObjectName("btnOK");
  btnCancel = buttons->addButton(QDialogButtonBox::Cancel);
  btnCancel->setObjectName("btnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(lstbxMenuLists, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(lstbxMenuLists, &QListWidget::currentRowChanged, this,
          [this](int row) { btnOK->setEnabled(row >= 0); });
  btnOK->setEnabled(lstbxMenuLists->currentRow() >= 0);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblPrompt);
  layout->addWidget(lstbxMenuLists, 1);
  layout->addWidget(buttons);
}

int TfrmWebMenuChooser::ChosenIndex() const {
  return lstbxMenuLists->currentRow();
}

QString TfrmWebMenuChooser::RowText(const WebMenuChoice& choice) {
  return QStringLiteral("%1  (%2 %3)\n%4")
      .arg(choice.firstCaptions.join(QStringLiteral(", ")))
      .arg(choice.itemCount)
      .arg(choice.itemCount == 1 ? QStringLiteral("item") : QStringLiteral("items"))
      .arg(choice.where);
}

}  // namespace velmora
