#include "dialogs/MessageBox_LinkTip.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/prompts.h"
#include "platform/settings.h"

namespace velmora {

TfrmMsgBox_LinkTip::TfrmMsgBox_LinkTip(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmMsgBox_LinkTip");
  setWindowTitle("Important Tip");

  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  icon->setAlignment(Qt::AlignTop);
  lblTip = new QLabel(
      "Local link may not work for security reason. Please click the '?' book icon within link group "
      "to know more details.",
      this);
  lblTip->setObjectName("lblTip");
  lblTip->setWordWrap(true);
  lblTip->setMinimumWidth(300);
  btnOK = new QPushButton("OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  chckbxDontShow = new QCheckBox("Do not show this dialog again.", this);
  chckbxDontShow->setObjectName("chckbxDontShow");
  chckbxDontShow->setChecked(false);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(chckbxDontShow, &QCheckBox::clicked, this, &TfrmMsgBox_LinkTip::chckbxDontShowClick);

  auto* text = new QHBoxLayout;
  text->addWidget(icon);
  text->addWidget(lblTip, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(chckbxDontShow);
  bottom->addStretch();
  bottom->addWidget(btnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(text);
  layout->addLayout(bottom);
  setFixedSize(sizeHint());
}

void TfrmMsgBox_LinkTip::chckbxDontShowClick() {
  const bool showAgain = !chckbxDontShow->isChecked();
  // Turning the tip off may fail quietly; turning it back on must not.
  if (!WriteBoolSettingChecked(QString::fromLatin1(kShowLinkTipSetting), showAgain) && showAgain) {
    CurrentPrompts().Message(
        this, QMessageBox::Critical, "Error",
        "The setting \"ShowLinkTipDialog\" could not be written to " + OpenSettings()->fileName() + ".",
        QMessageBox::Ok, QMessageBox::Ok);
  }
}

}  // namespace velmora
