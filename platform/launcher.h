#pragma once

// Hands files and addresses to the desktop: opening one with the program
// the desktop associates with it, or starting a given program with one
// argument. Tests install a recording launcher instead.

#include <QString>

namespace velmora {

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Opens a web address or a local file with its default handler; false
  // when the desktop refused.
  virtual bool OpenWithDefault(const QString& fileOrAddress) = 0;
  // Starts `program` with `argument` as its single argument (blanks
  // included); false when it could not be started.
  virtual bool StartProgram(const QString& program, const QString& argument) = 0;
  // Why the last call failed, naming the program it tried to start.
  virtual QString LastError() const { return {}; }
};

// The launcher the program uses: the desktop's, unless a test installed one.
Launcher& CurrentLauncher();
// Installs `launcher` (not owned); nullptr restores the desktop's.
void InstallLauncher(Launcher* launcher);

}  // namespace velmora
