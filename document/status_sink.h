#pragma once

// The status area that long document operations drive: a hint line, a
// progress bar and the busy cursor. The GUI draws them; the command-line tool
// draws a progress line; tests record the calls.

#include <string>

namespace velmora {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  virtual void SetHint(const std::string& text) = 0;
  virtual void SetProgressMax(int max) = 0;
  virtual void StepProgress(int amount) = 0;
  // `times` steps of `amount` in a row; a sink that only shows where the
  // bar stands may take them at once.
  virtual void StepProgressTimes(int amount, int times) {
    for (int i = 0; i < times; ++i) StepProgress(amount);
  }
  virtual void SetProgressPosition(int position) = 0;
  virtual void SetBusy(bool busy) = 0;
};

class NullStatusSink final : public StatusSink {
 public:
  void SetHint(const std::string&) override {}
  void SetProgressMax(int) override {}
  void StepProgress(int) override {}
  void StepProgressTimes(int, int) override {}
  void SetProgressPosition(int) override {}
  void SetBusy(bool) override {}
};

// Shows a hint and the busy cursor for one operation and always clears both
// when it ends, also when the operation throws. `resetPosition` also sets the
// progress bar back to 0, as every operation but the generation does.
class StatusGuard {
 public:
  StatusGuard(StatusSink& sink, const std::string& hint, bool resetPosition = true)
      : sink_(sink), resetPosition_(resetPosition) {
    sink_.SetHint(hint);
    sink_.SetBusy(true);
  }
  ~StatusGuard() {
    if (resetPosition_) sink_.SetProgressPosition(0);
    sink_.SetHint("");
    sink_.SetBusy(false);
  }
  StatusGuard(const StatusGuard&) = delete;
  StatusGuard& operator=(const StatusGuard&) = delete;

 private:
  StatusSink& sink_;
  bool resetPosition_;
};

}  // namespace velmora
