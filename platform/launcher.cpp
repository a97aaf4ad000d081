#include "platform/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

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
    return QDesktopServices::openUrl(AddressOf(fileOrAddress));
  }
  bool StartProgram(const QString& program, const QString& argument) override {
    return QProcess::startDetached(program, {argument});
  }
};

Launcher* installed = nullptr;

}  // namespace

Launcher& CurrentLauncher() {
  static DesktopLauncher desktop;
  return installed ? *installed : desktop;
}

void InstallLauncher(Launcher* launcher) {
  installed = launcher;
}

}  // namespace velmora
