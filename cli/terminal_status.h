#pragma once

// Draws the status of long operations as one progress line on a terminal.

#include <ostream>
#include <string>

#include "document/status_sink.h"

namespace velmora::cli {

class TerminalStatus final : public StatusSink {
 public:
  explicit TerminalStatus(std::ostream& err) : err_(err) {}
  void SetHint(const std::string& text) override;
  void SetProgressMax(int max) override { max_ = max > 0 ? max : 100; }
  void StepProgress(int amount) override;
  void StepProgressTimes(int amount, int times) override { StepProgress(amount * times); }
  void SetProgressPosition(int position) override;
  void SetBusy(bool) override {}

 private:
  void Draw(bool force);
  std::ostream& err_;
  std::string hint_;
  int max_ = 100;
  long long position_ = 0;
  int drawnPercent_ = -1;
};

}  // namespace velmora::cli
