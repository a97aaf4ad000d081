#include "designer/crash_recovery.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>
#include <utility>

#include "designer/document_notifier.h"
#include "designer/main_form.h"
#include "platform/codepage.h"
#include "platform/prompts.h"

namespace velmora {

namespace {

constexpr int kMessageMs = 20000;

int RecoveryInterval() {
  bool ok = false;
  const int interval = qEnvironmentVariableIntValue("VELMORA_RECOVERY_INTERVAL_MS", &ok);
  return ok && interval > 0 ? interval : kRecoveryIntervalMs;
}

// Keeps a write of the copy out of the window's status area.
class QuietStatus {
 public:
  explicit QuietStatus(TMainForm& form) : form_(form) { form_.Document().SetStatusSink(nullptr); }
  ~QuietStatus() { form_.Document().SetStatusSink(&form_.Status()); }
  QuietStatus(const QuietStatus&) = delete;
  QuietStatus& operator=(const QuietStatus&) = delete;

 private:
  TMainForm& form_;
};

}  // namespace

CrashRecovery::CrashRecovery(TMainForm& form, const QString& folder)
    : QObject(&form),
      form_(form),
      folder_(folder),
      files_(RecoveryFilesOf(folder, CurrentProcessIdentity())) {
  setObjectName("CrashRecovery");
  timer_.setSingleShot(true);
  timer_.setInterval(RecoveryInterval());
  connect(&timer_, &QTimer::timeout, this, &CrashRecovery::WriteCopy);
  // The document reports while a step is being pushed, before the history
  // knows whether it leaves the design modified: decide once it settled.
  connect(&form.Notifications(), &DocumentNotifier::Changed, this, [this] {
    if (!std::exchange(changePending_, true))
      QMetaObject::invokeMethod(this, &CrashRecovery::DesignChanged, Qt::QueuedConnection);
  });
  connect(&form, &TMainForm::ModifiedChanged, this, &CrashRecovery::ModifiedChanged);
  connect(&form, &TMainForm::StartingUp, this, &CrashRecovery::OfferLeftCopies);
  // A copy names the file its design belongs to.
  connect(&form, &TMainForm::ProjectFileChanged, this, [this] {
    if (QFileInfo::exists(files_.copyPath)) WriteCopy();
  });
}

CrashRecovery::~CrashRecovery() {
  DeleteCopies();
}

void CrashRecovery::DeleteCopies() {
  DeleteRecoveryFiles(files_);
  DropAdopted();
}

void CrashRecovery::DropAdopted() {
  if (adopted_.copyPath.isEmpty()) return;
  if (adopted_.copyPath != files_.copyPath) DeleteRecoveryFiles(adopted_);
  adopted_ = {};
}

void CrashRecovery::DesignChanged() {
  changePending_ = false;
  // Not restarted by later changes, so steady editing is still saved.
  if (form_.IsModified() && !timer_.isActive()) timer_.start();
}

void CrashRecovery::ModifiedChanged(bool modified) {
  // A recovered design is modified without any change of the document.
  if (modified) return DesignChanged();
  timer_.stop();
  DeleteCopies();
}

bool CrashRecovery::WriteCopy() {
  if (!form_.IsModified()) return true;
  if (form_.IsTreeRebuilding()) {  // the design is between two states
    timer_.start();
    return false;
  }
  files_.origin = form_.ProjectFile();
  try {
    WriteRecoveryNote(files_);
    QuietStatus quiet(form_);
    form_.Document().SaveProject(ToNativePath(files_.copyPath));
    DropAdopted();
    return true;
  } catch (const std::exception& error) {
    form_.statusBar()->showMessage(
        "The recovery copy of the design could not be written: " + FromErrorText(error.what()), kMessageMs);
    return false;
  }
}

void CrashRecovery::OfferLeftCopies() {
  if (std::exchange(offered_, true)) return;
  RemoveExpiredOldCopies(folder_, QDateTime::currentDateTime());
  QList<RecoveryCopy> left;
  for (const RecoveryCopy& copy : LeftRecoveryCopies(folder_)) {
    // Saved just before the end: the project file already holds it.
    if (CopyEqualsOrigin(copy)) {
      DeleteRecoveryFiles(copy);
    } else {
      left.append(copy);
    }
  }
  while (!left.isEmpty()) {
    const int chosen = AskWhichToRecover(left);
    if (chosen < 0) break;
    const RecoveryCopy copy = left.takeAt(chosen);
    if (Recover(copy)) break;
    // A copy that cannot be read: the user was told; it is kept aside too.
    KeepAsOldCopy(copy, folder_);
  }
  for (const RecoveryCopy& declined : left) KeepAsOldCopy(declined, folder_);
}

int CrashRecovery::AskWhichToRecover(const QList<RecoveryCopy>& left) {
  auto named = [](const RecoveryCopy& copy) {
    return copy.origin.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(copy.origin).fileName();
  };
  auto when = [](const RecoveryCopy& copy) { return QLocale().toString(copy.written, QLocale::ShortFormat); };
  if (left.size() == 1) {
    const auto answer = form_.Ask(QMessageBox::Warning,
                                  QStringLiteral("Velmora did not close normally. Recover the unsaved design "
                                                 "\"%1\" from %2?")
                                      .arg(named(left[0]), when(left[0])),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes ? 0 : -1;
  }
  QStringList items;
  for (const RecoveryCopy& copy : left) {
    const QString folder =
        copy.origin.isEmpty() ? QString() : " (" + QFileInfo(copy.origin).absolutePath() + ")";
    items << named(copy) + folder + ", " + when(copy);
  }
  return CurrentPrompts().ChooseItem(
      &form_, QStringLiteral("Recover"),
      QStringLiteral(
          "Velmora did not close normally. Choose the unsaved design to recover. The others are kept "
          "for %1 days in %2.")
          .arg(kOldCopyDays)
          .arg(QDir::toNativeSeparators(OldCopiesFolder(folder_))),
      items, QStringLiteral("Recover"), QStringLiteral("Don't Recover"));
}

bool CrashRecovery::Recover(const RecoveryCopy& left) {
  bool recovered = false;
  form_.RunGuarded([&] { recovered = form_.OpenDesignCopy(left.copyPath, left.origin); });
  if (!recovered) return false;
  // This designer keeps the copy now; the one left stays until its own is
  // written.
  adopted_ = left;
  WriteCopy();
  return true;
}

}  // namespace velmora
