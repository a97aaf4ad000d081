#include "designer/recent_files.h"

#include <QAction>
#include <QMenu>
#include <utility>

#include "designer/design_session.h"
#include "document/errors.h"
#include "document/file_io.h"
#include "document/text.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

constexpr int kEntryPrefixLength = 3;  // "&", the digit and a blank

}  // namespace

QStringList ReadRecentLines(const QString& listFile) {
  const std::string path = ToNativePath(listFile);
  if (!FileExists(path)) WriteFileAtomically(path, "");
  const std::string content = ReadWholeFile(path);
  QStringList lines;
  for (std::string_view line : SplitLines(content)) {
    if (lines.size() == kRecentFileCount) break;
    lines << FromNativePath(line);
  }
  return lines;
}

bool AddRecentPath(const QString& listFile, const QString& path) {
  if (path.isEmpty()) return false;
  QStringList entries = ReadRecentLines(listFile);
  for (QString& entry : entries) entry = entry.mid(kEntryPrefixLength);
  if (entries.contains(path, Qt::CaseSensitive)) return false;
  entries.prepend(path);
  std::string content;
  for (int k = 0; k < kRecentFileCount && k < entries.size(); ++k) {
    if (entries[k].isEmpty()) continue;
    content += "&" + std::to_string(k + 1) + " " + ToNativePath(entries[k]);
    content += kLineEnd;
  }
  WriteFileAtomically(ToNativePath(listFile), content);
  return true;
}

RecentFiles::RecentFiles(DesignSession& session, QMenu* menu, std::function<void(const QString&)> open)
    : QObject(menu), session_(session), menu_(menu), open_(std::move(open)) {}

QString RecentFiles::ListPath() const {
  return session_.ProgramFolder() + "/recentfile.dat";
}

void RecentFiles::Refresh() {
  QStringList lines;
  try {
    lines = ReadRecentLines(ListPath());
  } catch (const Error&) {
    // An unreadable list shows as an empty submenu; adding a file reports it.
  }
  menu_->clear();
  for (int k = 0; k < lines.size(); ++k) {
    if (lines[k].isEmpty()) continue;
    QAction* entry = menu_->addAction(lines[k]);
    entry->setObjectName(QStringLiteral("mnitRecentFile%1").arg(k + 1));
    const QString caption = lines[k];
    connect(entry, &QAction::triggered, this,
            [this, caption] { session_.RunGuarded([this, caption] { Open(caption); }); });
  }
}

void RecentFiles::Add(const QString& path) {
  try {
    if (AddRecentPath(ListPath(), path)) Refresh();
  } catch (const Error& error) {
    // The open that called us goes on; the list just misses this file.
    session_.Ask(QMessageBox::Warning,
                 "The recent files list could not be updated.\n" + FromErrorText(error.what()),
                 QMessageBox::Ok, QMessageBox::Ok);
  }
}

void RecentFiles::Open(const QString& caption) {
  open_(caption.mid(kEntryPrefixLength));
}

}  // namespace velmora
