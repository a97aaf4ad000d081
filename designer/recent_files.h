#pragma once

// The recent-files list file: at most four lines "&k path", newest first.
// Paths are kept as the file system's bytes.

#include <QString>
#include <QStringList>

namespace velmora {

inline constexpr int kRecentFileCount = 4;

// Creates the file empty when it is missing and returns its first lines
// (at most four, empty ones included). Throws FileError when it cannot be
// read.
QStringList ReadRecentLines(const QString& listFile);

// Puts `path` first unless it is listed already (compared exactly) and
// rewrites the file; returns whether the list changed. Throws FileError.
bool AddRecentPath(const QString& listFile, const QString& path);

}  // namespace velmora
