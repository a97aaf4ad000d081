#include "cli/terminal_status.h"

#include <algorithm>

namespace velmora::cli {

void TerminalStatus::SetHint(const std::string& text) {
  if (text.empty() && !hint_.empty()) err_ << "\r\x1b[K" << std::flush;
  hint_ = text;
  drawnPercent_ = -1;
  if (!hint_.empty()) Draw(true);
}

void TerminalStatus::StepProgress(int amount) {
  position_ += amount;
  Draw(false);
}

void TerminalStatus::SetProgressPosition(int position) {
  position_ = position;
  Draw(false);
}

void TerminalStatus::Draw(bool force) {
  if (hint_.empty()) return;
  const int percent = static_cast<int>(std::min<long long>(position_ * 100 / max_, 100));
  // Redraw only when the shown figure changes: saving steps once per field.
  if (!force && percent == drawnPercent_) return;
  drawnPercent_ = percent;
  err_ << "\r\x1b[K" << hint_ << ' ' << percent << '%' << std::flush;
}

}  // namespace velmora::cli
