#include "dialogs/HTMLBuild.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TformHTML::TformHTML(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("formHTML");
  setWindowTitle("HTML");
  setSizeGripEnabled(true);
  resize(640, 480);

  memoHTMLBuild = new QPlainTextEdit(this);
  memoHTMLBuild->setAccessibleName(QStringLiteral("Generated code"));
  memoHTMLBuild->setObjectName("memoHTMLBuild");
  memoHTMLBuild->setReadOnly(true);
  memoHTMLBuild->setLineWrapMode(QPlainTextEdit::NoWrap);
  memoHTMLBuild->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoHTMLBuild->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoHTMLBuild->setFont(QFont(QStringLiteral("Monospace")));

  Button1 = new QPushButton("&OK", this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  Button2 = new QPushButton("&Copy to Clipboard", this);
  Button2->setObjectName("Button2");
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &TformHTML::Button2Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button2);
  buttons->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memoHTMLBuild);
  layout->addLayout(buttons);
}

void TformHTML::SetPageText(const QString& text) {
  memoHTMLBuild->setPlainText(text);
}

QString TformHTML::PageText() const {
  return memoHTMLBuild->toPlainText();
}

void TformHTML::Button2Click() {
  memoHTMLBuild->selectAll();
  QApplication::clipboard()->setText(memoHTMLBuild->toPlainText());
}

}  // namespace velmora
