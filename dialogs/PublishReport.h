#pragma once

// The publish report window: the report text of the Publish command.

#include <QDialog>
#include <QString>

#include "document/format_extensions.h"

class QPlainTextEdit;
class QPushButton;

namespace velmora {

class TfrmPublishReport : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmPublishReport(QWidget* parent = nullptr);

  // Replaces the memo's text with the report file (document text); throws
  // FileError when the file cannot be read.
  void LoadReport(const QString& path, TextEncoding encoding = TextEncoding::Windows1252);
  void SetReportText(const QString& text);
  QString ReportText() const;

 private:
  QPlainTextEdit* memoPublishReport;
  QPushButton* BitBtn1;
};

}  // namespace velmora
