#include "dialogs/HelpWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora {

TfrmHelp::TfrmHelp(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("frmHelp");
  setWindowTitle("Help");
  resize(640, 520);
  WebBrowser1 = new QTextBrowser(this);
  WebBrowser1->setObjectName("WebBrowser1");
  WebBrowser1->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(WebBrowser1);
}

QString TfrmHelp::PathOfAddress(const QString& address) {
  if (!address.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) return address;
  QString rest = address.mid(5);
  while (rest.startsWith('/')) rest.remove(0, 1);
  // "C|/App/help/x.htm": a drive path written the address way.
  if (rest.size() > 1 && rest[1] == '|') {
    rest[1] = ':';
    return QUrl::fromPercentEncoding(rest.toUtf8());
  }
  return QUrl::fromPercentEncoding(('/' + rest).toUtf8());
}

void TfrmHelp::Navigate(const QString& address) {
  currentFile_ = PathOfAddress(address);
  if (QFileInfo(currentFile_).isFile()) {
    WebBrowser1->setSource(QUrl::fromLocalFile(currentFile_));
  } else {
    WebBrowser1->setHtml(QStringLiteral("<h3>Help page not found</h3><p>The help page <b>%1</b> does not "
                                        "exist. Reinstall the program's help folder to read it.</p>")
                             .arg(currentFile_.toHtmlEscaped()));
  }
}

}  // namespace velmora
