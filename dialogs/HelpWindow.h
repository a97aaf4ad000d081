#pragma once

// The help window: shows the program's local help pages beside the designer
// without being modal; the next help request reuses it.

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace velmora {

class TfrmHelp : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmHelp(QWidget* parent = nullptr);

  // Shows a "file:" address (also the drive form "file:///C|/...") or a
  // local path. A missing page shows a message naming the file.
  void Navigate(const QString& address);
  // The local file last navigated to.
  const QString& CurrentFile() const { return currentFile_; }

  // The local path a "file:" address names.
  static QString PathOfAddress(const QString& address);

 private:
  QTextBrowser* WebBrowser1;
  QString currentFile_;
};

}  // namespace velmora
