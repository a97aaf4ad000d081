#include "designer/recovery_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>

#include "document/errors.h"
#include "document/file_io.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

constexpr const char* kCopySuffix = ".velm";
constexpr const char* kNoteSuffix = ".json";

RecoveryCopy FilesNamed(const QDir& folder, const QString& stem) {
  RecoveryCopy files;
  files.copyPath = folder.filePath(stem + kCopySuffix);
  files.notePath = folder.filePath(stem + kNoteSuffix);
  return files;
}

// Fills owner and origin from the note; leaves them empty when it cannot
// be read.
void ReadNote(RecoveryCopy& files) {
  QFile file(files.notePath);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QJsonObject note = QJsonDocument::fromJson(file.read(1 << 16)).object();
  files.owner.pid = note.value("pid").toInteger();
  files.owner.start = note.value("start").toString();
  files.owner.boot = note.value("boot").toString();
  files.origin = note.value("origin").toString();
}

// A designer ended in the middle of a write leaves the writer's hidden
// temporary file beside its target.
void DeleteTemporaryFilesOf(const QString& path) {
  const QFileInfo file(path);
  const QDir folder = file.absoluteDir();
  const std::string name = ToNativePath(file.fileName());
  for (const QString& found : folder.entryList(QDir::Files | QDir::Hidden)) {
    const auto temporary = ReadTemporaryName(ToNativePath(found));
    if (temporary && temporary->target == name) DeleteFileQuietly(ToNativePath(folder.filePath(found)));
  }
}

}  // namespace

QString DefaultRecoveryFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recovery";
}

RecoveryCopy RecoveryFilesOf(const QString& folder, const ProcessIdentity& owner) {
  RecoveryCopy files = FilesNamed(QDir(folder), owner.Key());
  files.owner = owner;
  return files;
}

void WriteRecoveryNote(const RecoveryCopy& files) {
  const QString folder = QFileInfo(files.notePath).absolutePath();
  if (!QDir().mkpath(folder)) throw FileError(ToNativePath(folder), "cannot be created");
  const QJsonObject note{{"pid", files.owner.pid},
                         {"start", files.owner.start},
                         {"boot", files.owner.boot},
                         {"origin", files.origin}};
  WriteFileAtomically(ToNativePath(files.notePath), QJsonDocument(note).toJson().toStdString());
}

QList<RecoveryCopy> LeftRecoveryCopies(const QString& folder) {
  const QDir dir(folder);
  QList<RecoveryCopy> left;
  for (const QFileInfo& found :
       dir.entryInfoList({QString("*") + kNoteSuffix, QString("*") + kCopySuffix}, QDir::Files, QDir::Name)) {
    const bool isCopy = found.fileName().endsWith(kCopySuffix);
    RecoveryCopy files = FilesNamed(dir, found.completeBaseName());
    const bool hasCopy = isCopy || QFileInfo::exists(files.copyPath);
    if (!isCopy && hasCopy) continue;  // listed with its copy
    ReadNote(files);
    // A copy without a readable note has no writer that could still be
    // running: notes are written first and removed last.
    if (files.owner.pid != 0 && IsProcessRunning(files.owner)) continue;
    if (!hasCopy) {
      DeleteRecoveryFiles(files);
      continue;
    }
    files.written = found.lastModified();
    left.append(files);
  }
  std::stable_sort(left.begin(), left.end(),
                   [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.written > b.written; });
  return left;
}

void DeleteRecoveryFiles(const RecoveryCopy& files) {
  for (const QString& path : {files.copyPath, files.notePath}) {
    DeleteFileQuietly(ToNativePath(path));
    DeleteTemporaryFilesOf(path);
  }
}

bool CopyEqualsOrigin(const RecoveryCopy& files) {
  if (files.origin.isEmpty()) return false;
  QFile copy(files.copyPath), origin(files.origin);
  if (copy.size() != origin.size()) return false;
  if (!copy.open(QIODevice::ReadOnly) || !origin.open(QIODevice::ReadOnly)) return false;
  constexpr qint64 kChunk = 1 << 20;
  while (!copy.atEnd()) {
    if (copy.read(kChunk) != origin.read(kChunk)) return false;
  }
  return origin.atEnd();
}

QString OldCopiesFolder(const QString& folder) {
  return QDir(folder).filePath("old");
}

void KeepAsOldCopy(const RecoveryCopy& files, const QString& folder) {
  const QDir old(OldCopiesFolder(folder));
  if (!old.mkpath(".")) return;
  const QDateTime now = QDateTime::currentDateTime();
  for (const QString& path : {files.copyPath, files.notePath}) {
    const QString target = old.filePath(QFileInfo(path).fileName());
    QFile::remove(target);
    DeleteTemporaryFilesOf(path);
    if (!QFile::rename(path, target)) continue;
    QFile moved(target);
    if (moved.open(QIODevice::ReadWrite)) moved.setFileTime(now, QFileDevice::FileModificationTime);
  }
}

void RemoveExpiredOldCopies(const QString& folder, const QDateTime& now) {
  const QDir old(OldCopiesFolder(folder));
  const QDateTime limit = now.addDays(-kOldCopyDays);
  for (const QFileInfo& file : old.entryInfoList(QDir::Files | QDir::Hidden)) {
    if (file.lastModified() < limit) QFile::remove(file.absoluteFilePath());
  }
}

}  // namespace velmora
