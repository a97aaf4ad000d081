#include "platform/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/installable.h"

namespace velmora {

namespace {

// A web address stays as it is; anything else names a local file.
QUrl AddressOf(const QString& fileOrAddress) {
  const QUrl url(fileOrAddress, QUrl::StrictMode);
  if (url.isValid() && url.scheme().size() > 1) return url;
  return QUrl::fromLocalFile(QFileInfo(fileOrAddress).absoluteFilePath());
}

class DesktopLauncher final : public Launcher {
 public:
  bool OpenWithDefault(const QString& fileOrAddress) override {
    const bool opened = QDesktopServices::openUrl(AddressOf(fileOrAddress));
    lastError_ =
        opened ? QString()
               : QStringLiteral("The desktop's program for opening it (xdg-open) could not be started.");
    return opened;
  }
  bool StartProgram(const QString& program, const QString& argument) override {
    QProcess process;
    process.setProgram(program);
    process.setArguments({argument});
    const bool started = process.startDetached();
    lastError_ = started ? QString() : program + ": " + process.errorString();
    return started;
  }
  QString LastError() const override { return lastError_; }

 private:
  QString lastError_;
};

}  // namespace

Launcher& CurrentLauncher() {
  return CurrentService<Launcher, DesktopLauncher>();
}

void InstallLauncher(Launcher* launcher) {
  InstallService(launcher);
}

}  // namespace velmora
