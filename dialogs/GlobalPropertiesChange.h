#pragma once

// The batch property changer: copies the ticked properties of one item, the
// source, into every item marked in a copy of the design tree.

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "document/applet_agent.h"

class QCheckBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

// One flag per item field: which fields the copy carries.
using CopyMask = std::array<bool, kItemFieldCount>;

// Copies the masked fields of item `sourceIndex` into every item whose mark
// is set. Items are replaced as whole records; unmasked fields keep their
// own values.
void CopyMarkedFields(TvornAppletAgent& doc, int sourceIndex, const std::vector<bool>& marks,
                      const CopyMask& mask);

class TfrmGlobalPropertiesChange : public QDialog {
  Q_OBJECT

 public:
  struct Hooks {
    std::function<void()> markModified;  // the design has changed
    std::function<void(int tag)> showHelp;
  };

  // `designTree` is copied into the dialog each time it is shown.
  TfrmGlobalPropertiesChange(TvornAppletAgent& doc, const QTreeWidget& designTree, Hooks hooks,
                             QWidget* parent = nullptr);

  // The document index of the item whose values are copied.
  int SourceItemIndex = -1;

  // Ticks the state box "Normal" (0), "Mouse Over" (1) or "Clicked" (2), as
  // the batch button of that state's page does.
  void TickState(int state);

  // What OK does with the marks and the mask; copying into the document
  // (CopyMarkedFields) unless set.
  using Copier = std::function<void(int sourceIndex, const std::vector<bool>& marks, const CopyMask& mask)>;
  void SetCopier(Copier copier) { copier_ = std::move(copier); }

  // The mask the ticked boxes make, as OK builds it.
  CopyMask BuildCopyMask() const;
  const std::vector<bool>& ItemMarks() const { return itemMarks_; }

  // The help topic of the "Status" group's help button.
  static constexpr int kHelpTag = 17;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildPropertyGroups(QWidget* host);
  void CopyDesignTree();
  // A click on a node toggles its mark (the root has none).
  void trvwPropertiesChangeChange(QTreeWidgetItem* node);
  void SetAllMarks(bool marked);
  void SetMark(QTreeWidgetItem* node, bool marked);
  void btnOKClick();

  TvornAppletAgent& doc_;
  const QTreeWidget& designTree_;
  Hooks hooks_;
  Copier copier_;
  QTreeWidget* trvwPropertiesChange_ = nullptr;
  std::vector<QCheckBox*> generalFieldBoxes_;  // in the order of the general table
  std::vector<QCheckBox*> stateFieldBoxes_;    // position k stands for field block start + k
  std::array<QCheckBox*, 3> stateBoxes_{};     // Normal, Mouse Over, Clicked
  std::vector<bool> itemMarks_;
  bool togglingMark_ = false;
};

}  // namespace velmora
