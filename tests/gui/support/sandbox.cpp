#include "support/sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace velmora::test {

QString BuildProgramFolder() {
  // Test programs live in <build>/tests/gui; the runtime script lies in <build>.
  QDir dir(QCoreApplication::applicationDirPath());
  for (int up = 0; up < 3; ++up) {
    if (QFileInfo::exists(dir.filePath(QStringLiteral("jsmenu0.js")))) return dir.absolutePath();
    if (!dir.cdUp()) break;
  }
  return {};
}

Sandbox::Sandbox() {
  root_ = dir_.path();
  const QString settings = Path(QStringLiteral("settings"));
  QDir().mkpath(settings);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
  qputenv("XDG_CONFIG_HOME", Path(QStringLiteral("config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", Path(QStringLiteral("data")).toLocal8Bit());
  qputenv("VELMORA_HOME", QByteArray());

  programFolder_ = Path(QStringLiteral("program"));
  QDir().mkpath(programFolder_);
  const QString build = BuildProgramFolder();
  if (!build.isEmpty()) {
    QFile::copy(QDir(build).filePath(QStringLiteral("jsmenu0.js")),
                QDir(programFolder_).filePath(QStringLiteral("jsmenu0.js")));
  } else {
    WriteFile(QStringLiteral("program/jsmenu0.js"), "// runtime\n");
  }
}

Sandbox::~Sandbox() = default;

QString Sandbox::Path(const QString& relative) const {
  return QDir(root_).filePath(relative);
}

void Sandbox::WriteFile(const QString& relative, const QByteArray& bytes) const {
  const QString path = QDir::isAbsolutePath(relative) ? relative : Path(relative);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

QByteArray Sandbox::ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace velmora::test
