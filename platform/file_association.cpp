#include "platform/file_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace velmora {

namespace {

QString DataFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

#ifndef Q_OS_WIN
// Writes `text` unless the file already holds exactly it.
bool WriteIfDifferent(const QString& path, const QByteArray& text) {
  QFile current(path);
  if (current.open(QIODevice::ReadOnly) && current.readAll() == text) return false;
  current.close();
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text);
  return file.commit();
}

// Quotes a program path for the Exec key of a desktop entry.
QString QuoteExecArgument(const QString& argument) {
  QString quoted;
  for (QChar ch : argument) {
    if (ch == '"' || ch == '`' || ch == '$' || ch == '\\') quoted += '\\';
    quoted += ch;
  }
  // The key's own escaping: backslashes double, percent signs double.
  quoted.replace('\\', QStringLiteral("\\\\"));
  quoted.replace('%', QStringLiteral("%%"));
  return '"' + quoted + '"';
}

// Lets the desktop see a changed file at once; waits briefly, so nothing
// is still writing into the data folder when start-up goes on.
void RefreshDesktopDatabase(const QString& tool, const QString& folder) {
  const QString program = QStandardPaths::findExecutable(tool);
  if (program.isEmpty()) return;
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, {folder});
  if (process.waitForStarted(2000) && !process.waitForFinished(5000)) process.kill();
}
#endif

}  // namespace

QString MimeTypeFilePath() {
  return DataFolder() + "/mime/packages/velmora.xml";
}
QString DesktopEntryFilePath() {
  return DataFolder() + "/applications/velmora.desktop";
}

QString MimeTypeText() {
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"%1\">\n"
             "    <comment>Velmora project</comment>\n"
             "    <glob pattern=\"*.velm\"/>\n"
             "  </mime-type>\n"
             "</mime-info>\n")
      .arg(QString::fromLatin1(kProjectMimeType));
}

QString DesktopEntryText(const QString& programPath) {
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=Velmora\n"
             "Comment=Design drop-down navigation menus for web pages\n"
             "Exec=%1 %f\n"
             "MimeType=%2;\n"
             "Terminal=false\n"
             "Categories=Development;WebDevelopment;\n")
      .arg(QuoteExecArgument(programPath), QString::fromLatin1(kProjectMimeType));
}

AssociationWrites RegisterFileAssociation(const QString& programPath) {
  AssociationWrites writes;
#ifdef Q_OS_WIN
  QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
  const QString program = QDir::toNativeSeparators(programPath);
  classes.setValue(QStringLiteral(".velm/Default"), QStringLiteral("Velmora.Document"));
  classes.setValue(QStringLiteral("Velmora.Document/Default"), QStringLiteral("Velmora.Document"));
  classes.setValue(QStringLiteral("Velmora.Document/DefaultIcon/Default"), program + ",0");
  // Quoted, so a project path with blanks arrives as one argument.
  classes.setValue(QStringLiteral("Velmora.Document/shell/open/command/Default"),
                   '"' + program + "\" \"%1\"");
  classes.sync();
  writes.mimeType = writes.entry = classes.status() == QSettings::NoError;
#else
  if (DataFolder().isEmpty()) return writes;
  writes.mimeType = WriteIfDifferent(MimeTypeFilePath(), MimeTypeText().toUtf8());
  writes.entry = WriteIfDifferent(DesktopEntryFilePath(), DesktopEntryText(programPath).toUtf8());
  if (writes.mimeType) RefreshDesktopDatabase(QStringLiteral("update-mime-database"), DataFolder() + "/mime");
  if (writes.entry) {
    RefreshDesktopDatabase(QStringLiteral("update-desktop-database"), DataFolder() + "/applications");
  }
#endif
  return writes;
}

}  // namespace velmora
