#include "dialogs/PublishReport.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include "document/file_io.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

// The widest line of the report's fixed text.
constexpr int kReportColumns = 84;

}  // namespace

TfrmPublishReport::TfrmPublishReport(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("frmPublishReport");
  setWindowTitle("Applet Publish Report");

  memoPublishReport = new QPlainTextEdit(this);
  memoPublishReport->setAccessibleName(QStringLiteral("Publish report"));
  memoPublishReport->setObjectName("memoPublishReport");
  memoPublishReport->setReadOnly(true);
  memoPublishReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The report's rules and lines are laid out in columns: a fixed-pitch
  // font, no wrapping, and room for the longest line of the fixed text.
  memoPublishReport->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memoPublishReport->setLineWrapMode(QPlainTextEdit::NoWrap);
  const QFontMetrics metrics(memoPublishReport->font());
  const int margins = 2 * (memoPublishReport->frameWidth() +
                           static_cast<int>(memoPublishReport->document()->documentMargin()) + 2);
  memoPublishReport->setMinimumWidth(metrics.horizontalAdvance(QString(kReportColumns, 'M')) + margins +
                                     memoPublishReport->verticalScrollBar()->sizeHint().width());
  BitBtn1 = new QPushButton("OK", this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memoPublishReport);
  layout->addLayout(buttons);
  setFixedSize(sizeHint().width(), 460);
}

void TfrmPublishReport::LoadReport(const QString& path, TextEncoding encoding) {
  SetReportText(FromDocumentText(ReadWholeFile(ToNativePath(path)), encoding));
}

void TfrmPublishReport::SetReportText(const QString& text) {
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  memoPublishReport->setPlainText(lines);
}

QString TfrmPublishReport::ReportText() const {
  return memoPublishReport->toPlainText();
}

}  // namespace velmora
