#pragma once

// The project file joins values with a separator, so no text field may
// hold it. The guard refuses only the keystroke or the paste that would
// form it: the field keeps the text it had, and the window's status line
// and a tip at the field say why.

#include <QString>
#include <QValidator>

class QWidget;

namespace velmora {

class SeparatorGuard : public QValidator {
 public:
  SeparatorGuard(QString separator, QWidget* control);

  State validate(QString& input, int& position) const override;

 private:
  QString separator_;
  QWidget* control_;
};

// Puts a guard on a line edit or an editable combo box; other controls pass.
void GuardAgainstSeparator(QWidget* control, const QString& separator);

// Tells the user at `control` and in its window's status line that a text
// holding `separator` was not taken.
void ShowSeparatorRefused(QWidget* control, const QString& separator);

}  // namespace velmora
