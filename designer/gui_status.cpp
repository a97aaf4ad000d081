#include "designer/gui_status.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "platform/codepage.h"

namespace velmora {

GuiStatusSink::GuiStatusSink(QLabel* hint, QProgressBar* bar) : hint_(hint), bar_(bar) {}

GuiStatusSink::~GuiStatusSink() {
  while (busyDepth_ > 0) SetBusy(false);
}

void GuiStatusSink::SetHint(const std::string& text) {
  hint_->setText(FromCodePage(text));
  hint_->repaint();
}

void GuiStatusSink::SetProgressMax(int max) {
  maximum_ = std::max(max, 1);
  bar_->setMaximum(maximum_);
  shownPercent_ = -1;
  Show();
}

void GuiStatusSink::StepProgress(int amount) {
  position_ += amount;
  Show();
}

void GuiStatusSink::SetProgressPosition(int position) {
  position_ = position;
  Show();
}

void GuiStatusSink::Show() {
  const int shown = std::clamp(position_, 0, maximum_);
  const int percent = static_cast<int>(static_cast<long long>(shown) * 100 / maximum_);
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  bar_->setValue(shown);
}

void GuiStatusSink::SetBusy(bool busy) {
  if (busy) {
    ++busyDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0) {
    --busyDepth_;
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace velmora
