#pragma once

// Keeps unsaved work safe from a crash or a killed session. While the
// design is modified, a copy of it is written into the recovery folder at
// most once per interval after a change; saving, discarding the changes
// and a normal exit remove it. At start-up, copies left by designers that
// are no longer running are offered back.

#include <QObject>
#include <QString>
#include <QTimer>

#include "designer/recovery_files.h"

namespace velmora {

class TMainForm;

// VELMORA_RECOVERY_INTERVAL_MS shortens the interval (for tests).
inline constexpr int kRecoveryIntervalMs = 30000;

class CrashRecovery : public QObject {
  Q_OBJECT

 public:
  // Watches `form`, which owns it.
  explicit CrashRecovery(TMainForm& form, const QString& folder = DefaultRecoveryFolder());
  // A normal exit: the copy goes.
  ~CrashRecovery() override;

  const RecoveryCopy& Files() const { return files_; }
  int Interval() const { return timer_.interval(); }

  // Writes the copy now when the design is modified, without touching the
  // window's file name, recent files or modified state. A failure shows
  // in the status area only; returns false then.
  bool WriteCopy();
  // Offers the copies left by designers no longer running, newest first:
  // one in a question, several in one list to choose from. A copy equal
  // to its project file on disk goes without a question. The copies not
  // recovered, and any that cannot be read (the user is told), are kept
  // aside in the old copies' folder for kOldCopyDays; older ones there go.
  // Runs once (the window's start-up calls it too).
  void OfferLeftCopies();

 private:
  void DesignChanged();
  void ModifiedChanged(bool modified);
  // The index of the copy the user chose to recover; -1 for none.
  int AskWhichToRecover(const QList<RecoveryCopy>& left);
  // True when the copy became the window's design.
  bool Recover(const RecoveryCopy& left);
  // This designer's copy goes, with the recovered one it took over.
  void DeleteCopies();
  void DropAdopted();

  TMainForm& form_;
  QString folder_;
  RecoveryCopy files_;
  // A recovered copy, kept until this designer's copy replaces it.
  RecoveryCopy adopted_;
  QTimer timer_;
  bool offered_ = false;
  bool changePending_ = false;
};

}  // namespace velmora
