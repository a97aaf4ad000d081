#pragma once

// Names a process so that a file it leaves behind can later be matched to
// it: whether the process that wrote the file still runs, or is gone and
// its number now belongs to another process (or to a later run of the
// system).

#include <QString>

namespace velmora {

struct ProcessIdentity {
  qint64 pid = 0;
  // When the process started, in the system's own terms; empty where the
  // system does not say.
  QString start;
  // Which run of the system it belongs to; empty where unknown.
  QString boot;

  // A file name stem no other process running now or later shares.
  QString Key() const;
  bool operator==(const ProcessIdentity&) const = default;
};

ProcessIdentity CurrentProcessIdentity();
// The identity of a running process by its number; pid 0 when there is no
// such process.
ProcessIdentity ProcessIdentityOf(qint64 pid);
// Whether the process named is still running. A known start time or boot
// that differs from the running process's means that process is another.
bool IsProcessRunning(const ProcessIdentity& identity);

}  // namespace velmora
