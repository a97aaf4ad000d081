// What the page controls do at once: the change reactions and the
// separator check, and the colour, image, link, help and batch buttons.

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QTreeWidgetItem>
#include <algorithm>

#include "designer/local_file_url.h"
#include "designer/main_form.h"
#include "designer/page_bindings.h"
#include "designer/page_widgets.h"
#include "designer/picked_link.h"
#include "designer/property_pages.h"
#include "designer/separator_guard.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/MessageBox_LinkTip.h"
#include "generator/preview.h"
#include "platform/codepage.h"
#include "platform/dialog_filter.h"
#include "platform/prompts.h"
#include "platform/settings.h"

namespace velmora {

namespace {

// Puts `window` beside `main`, level with its top: to the right where the
// screen has room, else to the left, else at the screen's right edge, where
// it covers the pages rather than the tree.
void PlaceBeside(QWidget& window, const QWidget& main) {
  const QScreen* screen = main.screen();
  if (!screen) return;
  const QRect free = screen->availableGeometry();
  const QRect frame = main.frameGeometry();
  const int width = window.frameGeometry().width();
  constexpr int kGap = 8;
  int x = frame.right() + kGap;
  if (x + width > free.right()) x = frame.left() - kGap - width;
  if (x < free.left()) x = free.right() - width;
  window.move(std::max(x, free.left()), std::max(frame.top(), free.top()));
}

}  // namespace

namespace {

constexpr const char* kPictureFilter =
    "All Image Files(*.gif;*.jpg;*.jpeg)|*.gif;*.jpg;*.jpeg|GIF Image File (*.gif)|*.gif|JPEG Image File "
    "(*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg";
constexpr const char* kLinkFilter = "HTML files(*.htm;*.html)|*.htm;*.html|Any file (*.*)|*.*";

}  // namespace

void TMainForm::spnedtApWidthChange(QWidget* sender) {
  CheckSeparatorText(sender);
}

void TMainForm::edt_ICaptionChange() {
  QTreeWidgetItem* selected = SelectedNode();
  if (!selected || selected == RootNode()) return;
  auto* caption = pages_->Control("edt_ICaption");
  selected->setText(0, static_cast<QLineEdit*>(caption)->text().trimmed());
  CheckSeparatorText(caption);
}

void TMainForm::CheckSeparatorText(QWidget* control) {
  // Typing and pasting are refused by the fields' guards; this catches a
  // text set by a chooser (a file name holding the separator).
  auto* edit = qobject_cast<QLineEdit*>(control);
  auto* combo = qobject_cast<QComboBox*>(control);
  if (!edit && !combo) return;
  const QString separator = FromCodePage(Document().Separator);
  const QString text = edit ? edit->text() : combo->currentText();
  if (separator.isEmpty() || !text.contains(separator)) return;
  const QString kept = QString(text).remove(separator);
  if (edit) {
    edit->setText(kept);
  } else if (combo->isEditable()) {
    combo->setEditText(kept);
  }
  ShowSeparatorRefused(control, separator);
}

void TMainForm::PickPanelColor(QWidget* panel) {
  auto* colorPanel = static_cast<ColorPanel*>(panel);
  const QColor chosen = CurrentPrompts().PickColor(this, colorPanel->Color());
  if (chosen.isValid()) colorPanel->SetColor(chosen);
}

void TMainForm::spdbtnItemImageNormalClick(QWidget* button) {
  const QString picked = CurrentPrompts().OpenPicture(this, lastPictureFolder_, DialogFilter(kPictureFilter));
  if (!picked.isEmpty()) {
    lastPicturePath_ = picked;
    lastPictureFolder_ = QFileInfo(picked).absolutePath();
  }
  for (const ImageChooser& chooser : kImageChoosers) {
    if (button->objectName() != QLatin1String(chooser.button)) continue;
    auto* edit = static_cast<QComboBox*>(pages_->Control(chooser.edit));
    edit->setEditText(picked.isEmpty() ? QString() : QFileInfo(picked).fileName());
  }
  // The preview page finds every image by its bare name in the preview folder.
  if (!lastPicturePath_.isEmpty()) CopyToPreviewFolder(Document(), ToNativePath(lastPicturePath_));
}

void TMainForm::spdbtnItURLClick() {
  if (ReadBoolSetting(kShowLinkTipSetting, true, true)) {
    TfrmMsgBox_LinkTip tip(this);
    tip.exec();
  }
  const QString path = CurrentPrompts().OpenFile(this, "Open", QString(), DialogFilter(kLinkFilter));
  if (path.isEmpty()) return;
  const auto* localRoot = qobject_cast<QLineEdit*>(pages_->Control("edtpInternalUse_RootDir_Local"));
  static_cast<QComboBox*>(pages_->Control("cmbx_ILink"))
      ->setEditText(PickedLinkAddress(path, CurrentProjectFile, localRoot ? localRoot->text() : QString()));
}

QString TMainForm::HelpTopicForTag(int tag) {
  if (tag < 0 || tag >= static_cast<int>(kHelpTopics.size())) tag = 0;
  return QString::fromLatin1(kHelpTopics[static_cast<size_t>(tag)]);
}

void TMainForm::ShowHelpTopic(const QString& topicFile) {
  frmHelp->Navigate(LocalFileUrl(programFolder_ + "/help/" + topicFile));
  if (!frmHelp->isVisible()) PlaceBeside(*frmHelp, *this);
  frmHelp->show();
  frmHelp->raise();
}

void TMainForm::SpeedButton1Click(QWidget* button) {
  ShowHelpTopic(HelpTopicForTag(button->property(kTagProperty).toInt()));
}

void TMainForm::btnBatchPropertiesChangerClick(QWidget* button) {
  const QString name = button->objectName();
  int stateIndex = -1;
  for (int state = 0; state < 3; ++state) {
    if (name == QLatin1String(kBatchButtons[static_cast<size_t>(state) + 1])) stateIndex = state;
  }
  OpenBatchChanger(stateIndex);
}

}  // namespace velmora
