#include "designer/separator_guard.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolTip>

namespace velmora {

namespace {

constexpr int kMessageMs = 10000;

}  // namespace

SeparatorGuard::SeparatorGuard(QString separator, QWidget* control)
    : QValidator(control), separator_(std::move(separator)), control_(control) {}

QValidator::State SeparatorGuard::validate(QString& input, int& /*position*/) const {
  if (separator_.isEmpty() || !input.contains(separator_)) return Acceptable;
  ShowSeparatorRefused(control_, separator_);
  return Invalid;
}

void GuardAgainstSeparator(QWidget* control, const QString& separator) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setValidator(new SeparatorGuard(separator, control));
  } else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable()) {
    combo->setValidator(new SeparatorGuard(separator, control));
  }
}

void ShowSeparatorRefused(QWidget* control, const QString& separator) {
  const QString text = "The text can't include \"" + separator +
                       "\", it is used by the system; the typed or pasted "
                       "characters were not taken.";
  if (auto* window = qobject_cast<QMainWindow*>(control->window())) {
    window->statusBar()->showMessage(text, kMessageMs);
  }
  if (control->isVisible())
    QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), text, control);
}

}  // namespace velmora
