#pragma once

// The status bar's "where am I": the design's file name, or "Untitled",
// and a mark while it differs from its last save. The window's caption
// stays the program's name.

#include <QLabel>

namespace velmora {

class TMainForm;

class DesignNameLabel : public QLabel {
  Q_OBJECT

 public:
  static constexpr const char* kModifiedMark = " (modified)";

  DesignNameLabel(TMainForm& form, QWidget* parent);

  // Shows the window's present design.
  void Refresh();
  // A narrow window cuts the name rather than growing.
  QSize minimumSizeHint() const override;

 private:
  TMainForm& form_;
};

}  // namespace velmora
