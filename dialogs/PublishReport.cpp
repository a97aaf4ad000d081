#include "dialogs/PublishReport.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/file_io.h"
#include "platform/codepage.h"

namespace velmora {

TfrmPublishReport::TfrmPublishReport(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("frmPublishReport");
  setWindowTitle("Applet Publish Report");
  setFixedSize(520, 420);

  memoPublishReport = new QPlainTextEdit(this);
  memoPublishReport->setObjectName("memoPublishReport");
  memoPublishReport->setReadOnly(true);
  memoPublishReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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
}

void TfrmPublishReport::LoadReport(const QString& path) {
  SetReportText(FromCodePage(ReadWholeFile(ToNativePath(path))));
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
