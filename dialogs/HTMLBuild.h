#pragma once

// The code window: the text of the last built preview page, which Preview
// also writes out as its page.

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace velmora {

class TformHTML : public QDialog {
  Q_OBJECT

 public:
  explicit TformHTML(QWidget* parent = nullptr);

  void SetPageText(const QString& text);
  QString PageText() const;
  // Selects the whole text and copies it to the clipboard as plain text.
  void Button2Click();

 private:
  QPlainTextEdit* memoHTMLBuild;
  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace velmora
