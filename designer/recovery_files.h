#pragma once

// The recovery folder in the user's data folder. Each designer with unsaved
// changes keeps there a copy of its design, "<key>.velm" (a project file
// like any other), and beside it "<key>.json", which names the process
// writing the copy and the project file the design belongs to. The key
// comes from the process's identity, so two running designers never share
// a file. The note is written before the copy and removed after it, so a
// running designer's copy always has its note.

#include <QDateTime>
#include <QList>
#include <QString>

#include "platform/process_identity.h"

namespace velmora {

struct RecoveryCopy {
  QString copyPath;
  QString notePath;
  ProcessIdentity owner;  // pid 0 when the note is missing or unreadable
  QString origin;         // the design's project file; empty for an untitled design
  QDateTime written;      // when the copy was last written
};

// "<the application's local data folder>/recovery".
QString DefaultRecoveryFolder();

// The copy and note paths of a process's files in `folder`.
RecoveryCopy RecoveryFilesOf(const QString& folder, const ProcessIdentity& owner);

// Writes the note of `files` (owner and origin), creating the folder.
// Errors raise FileError.
void WriteRecoveryNote(const RecoveryCopy& files);

// The copies left by designers that are no longer running, newest first.
// Notes whose copy is gone and whose writer is gone are removed on the way.
QList<RecoveryCopy> LeftRecoveryCopies(const QString& folder);

// Removes the copy, then its note; quietly.
void DeleteRecoveryFiles(const RecoveryCopy& files);

// Whether the copy holds exactly what its project file on disk holds (a
// designer ended right after saving): nothing to recover then.
bool CopyEqualsOrigin(const RecoveryCopy& files);

// Declined copies are kept a while in "<folder>/old" before they go.
inline constexpr int kOldCopyDays = 7;
QString OldCopiesFolder(const QString& folder);
// Moves the copy and its note into the old copies' folder, dated now, so
// they are kept kOldCopyDays from now; quietly (a copy that cannot be
// moved stays where it is).
void KeepAsOldCopy(const RecoveryCopy& files, const QString& folder);
// Removes the old copies kept longer than kOldCopyDays before `now`.
void RemoveExpiredOldCopies(const QString& folder, const QDateTime& now);

}  // namespace velmora
