#include "designer/crash_recovery.h"

#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>
#include <utility>

#include "designer/main_form.h"
#include "platform/codepage.h"

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
  connect(&form, &TMainForm::DesignChanged, this, &CrashRecovery::DesignChanged);
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
  // Not restarted by later changes, so steady editing is still saved.
  if (form_.IsModified() && !timer_.isActive()) timer_.start();
}

void CrashRecovery::ModifiedChanged(bool modified) {
  if (modified) return;
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
  for (const RecoveryCopy& left : LeftRecoveryCopies(folder_)) {
    if (Offer(left)) return;
  }
}

bool CrashRecovery::Offer(const RecoveryCopy& left) {
  const QString when = QLocale().toString(left.written, QLocale::ShortFormat);
  const auto answer = form_.Ask(
      QMessageBox::Warning,
      QStringLiteral("Velmora did not close normally. Recover the unsaved design from %1?").arg(when),
      QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  bool recovered = false;
  if (answer == QMessageBox::Yes) {
    form_.RunGuarded([&] { recovered = form_.OpenDesignCopy(left.copyPath, left.origin); });
  }
  if (!recovered) {
    DeleteRecoveryFiles(left);
    return false;
  }
  // This designer keeps the copy now; the one left stays until its own is
  // written.
  adopted_ = left;
  WriteCopy();
  return true;
}

}  // namespace velmora
