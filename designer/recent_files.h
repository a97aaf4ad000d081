#pragma once

// The recent-files list file: at most four lines "&k path", newest first.
// Paths are kept as the file system's bytes. The File menu's "Recent
// Files" submenu shows it, one entry per line.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QMenu;

namespace velmora {

class DesignSession;

inline constexpr int kRecentFileCount = 4;

// Creates the file empty when it is missing and returns its first lines
// (at most four, empty ones included). Throws FileError when it cannot be
// read.
QStringList ReadRecentLines(const QString& listFile);

// Puts `path` first unless it is listed already (compared exactly) and
// rewrites the file; returns whether the list changed. Throws FileError.
bool AddRecentPath(const QString& listFile, const QString& path);

class RecentFiles : public QObject {
  Q_OBJECT

 public:
  // Fills `menu` (which owns this) with the list of the program folder;
  // an entry chosen runs `open` with its path.
  RecentFiles(DesignSession& session, QMenu* menu, std::function<void(const QString&)> open);

  QString ListPath() const;
  void Refresh();
  // Lists `path` first; a list that cannot be written is reported and
  // the caller goes on.
  void Add(const QString& path);
  // Opens the file of an entry's caption ("&k path").
  void Open(const QString& caption);

 private:
  DesignSession& session_;
  QMenu* menu_;
  std::function<void(const QString&)> open_;
};

}  // namespace velmora
