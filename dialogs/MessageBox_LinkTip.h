#pragma once

// The tip shown before a local page is chosen as an item's link.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace velmora {

inline constexpr const char* kShowLinkTipSetting = "ShowLinkTipDialog";

class TfrmMsgBox_LinkTip : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmMsgBox_LinkTip(QWidget* parent = nullptr);

  // Writes the setting from the box on every click: shown again exactly
  // when the box is cleared.
  void chckbxDontShowClick();

 private:
  QLabel* lblTip;
  QPushButton* btnOK;
  QCheckBox* chckbxDontShow;
};

}  // namespace velmora
