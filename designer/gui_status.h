#pragma once

// The window's status area as the document operations drive it: the hint
// line, the progress bar and the busy cursor. The bar is redrawn only when
// its shown percentage changes, so an operation stepping once per field
// stays fast.

#include "document/status_sink.h"

class QLabel;
class QProgressBar;

namespace velmora {

class GuiStatusSink final : public StatusSink {
 public:
  GuiStatusSink(QLabel* hint, QProgressBar* bar);
  ~GuiStatusSink() override;

  void SetHint(const std::string& text) override;
  void SetProgressMax(int max) override;
  void StepProgress(int amount) override;
  void SetProgressPosition(int position) override;
  void SetBusy(bool busy) override;

  int Position() const { return position_; }

 private:
  void Show();

  QLabel* hint_;
  QProgressBar* bar_;
  int maximum_ = 100;
  int position_ = 0;
  int shownPercent_ = -1;
  int busyDepth_ = 0;
};

}  // namespace velmora
