#pragma once

// A throw-away world for one window test: per-user settings, the desktop's
// data folders and a program folder, all inside one temporary folder, so a
// test never touches the real user's files.

#include <QString>
#include <QTemporaryDir>

namespace velmora::test {

class Sandbox {
 public:
  // Points the settings and the XDG folders into the sandbox and makes a
  // program folder holding the runtime script (copied from the build's
  // program folder when there is one).
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const QString& Root() const { return root_; }
  const QString& ProgramFolder() const { return programFolder_; }
  // A path inside the sandbox (folders are not created).
  QString Path(const QString& relative) const;
  // Writes a file (creating its folders); the bytes are written as given.
  void WriteFile(const QString& relative, const QByteArray& bytes) const;
  static QByteArray ReadFile(const QString& path);

 private:
  QTemporaryDir dir_;
  QString root_;
  QString programFolder_;
};

// The folder holding the built programs and the runtime script.
QString BuildProgramFolder();

}  // namespace velmora::test
