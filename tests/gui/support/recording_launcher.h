#pragma once

// A launcher that records what the program hands to the desktop instead of
// starting anything.

#include <QStringList>

#include "platform/launcher.h"

namespace velmora::test {

struct RecordingLauncher final : Launcher {
  // "open <file or address>" and "start <program> [<argument>]", in order.
  QStringList calls;
  bool succeed = true;
  QString error;  // what a failed call reports

  RecordingLauncher() { InstallLauncher(this); }
  ~RecordingLauncher() override { InstallLauncher(nullptr); }
  bool OpenWithDefault(const QString& fileOrAddress) override {
    calls << "open " + fileOrAddress;
    return succeed;
  }
  bool StartProgram(const QString& program, const QString& argument) override {
    calls << "start " + program + " [" + argument + "]";
    return succeed;
  }
  QString LastError() const override { return succeed ? QString() : error; }
};

}  // namespace velmora::test
