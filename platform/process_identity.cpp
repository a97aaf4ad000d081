#include "platform/process_identity.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif !defined(Q_OS_LINUX)
#include <signal.h>

#include <cerrno>
#endif

namespace velmora {

namespace {

#if defined(Q_OS_LINUX)

QByteArray ReadSmallFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
}

QString CurrentBoot() {
  return QString::fromLatin1(ReadSmallFile(QStringLiteral("/proc/sys/kernel/random/boot_id"))).trimmed();
}

// The start time in clock ticks after boot: the 22nd field of
// /proc/<pid>/stat, counted after the command name, which may itself hold
// spaces and parentheses. Empty when there is no such process, or when it
// has ended and only waits for its parent to collect it (state Z or X).
QString StartTicks(qint64 pid) {
  const QByteArray stat = ReadSmallFile(QStringLiteral("/proc/%1/stat").arg(pid));
  const qsizetype nameEnd = stat.lastIndexOf(')');
  if (nameEnd < 0) return {};
  const QList<QByteArray> fields = stat.mid(nameEnd + 1).simplified().split(' ');
  // The fields after the name begin at the third, the state.
  constexpr int kStateField = 3 - 3;
  constexpr int kStartField = 22 - 3;
  if (fields.size() <= kStartField || fields[kStateField] == "Z" || fields[kStateField] == "X") return {};
  return QString::fromLatin1(fields[kStartField]);
}

ProcessIdentity Identify(qint64 pid) {
  const QString start = StartTicks(pid);
  if (start.isEmpty()) return {};
  return {pid, start, CurrentBoot()};
}

#elif defined(Q_OS_WIN)

ProcessIdentity Identify(qint64 pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (!process) return {};
  DWORD code = 0;
  FILETIME created{}, exited{}, kernel{}, user{};
  const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  const bool timed = GetProcessTimes(process, &created, &exited, &kernel, &user);
  CloseHandle(process);
  if (!running) return {};
  // Creation times are absolute, so they tell runs of the system apart too.
  const quint64 start = (quint64(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  return {pid, timed ? QString::number(start) : QString(), QString()};
}

#else

// Elsewhere only the number is known: a process holding it counts as the one.
ProcessIdentity Identify(qint64 pid) {
  if (pid <= 0) return {};
  if (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return {};
  return {pid, QString(), QString()};
}

#endif

}  // namespace

QString ProcessIdentity::Key() const {
  QString key = QString::number(pid);
  if (!start.isEmpty()) key += '-' + start;
  if (!boot.isEmpty()) key += '-' + boot.left(8);
  return key;
}

ProcessIdentity CurrentProcessIdentity() {
  return Identify(QCoreApplication::applicationPid());
}

ProcessIdentity ProcessIdentityOf(qint64 pid) {
  return pid > 0 ? Identify(pid) : ProcessIdentity();
}

bool IsProcessRunning(const ProcessIdentity& identity) {
  const ProcessIdentity now = ProcessIdentityOf(identity.pid);
  if (now.pid == 0) return false;
  if (!identity.start.isEmpty() && !now.start.isEmpty() && identity.start != now.start) return false;
  if (!identity.boot.isEmpty() && !now.boot.isEmpty() && identity.boot != now.boot) return false;
  return true;
}

}  // namespace velmora
