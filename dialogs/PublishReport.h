#pragma once

// The publish report window: the report text of the Publish command.

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace velmora {

class TfrmPublishReport : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmPublishReport(QWidget* parent = nullptr);

  // Replaces the memo's text with the report file (code page text); throws
  // FileError when the file cannot be read.
  void LoadReport(const QString& path);
  void SetReportText(const QString& text);
  QString ReportText() const;

 private:
  QPlainTextEdit* memoPublishReport;
  QPushButton* BitBtn1;
};

}  // namespace velmora
