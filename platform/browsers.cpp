#include "platform/browsers.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSettings>

namespace velmora {

const BrowserProgram kBrowserPrograms[] = {
    {"firefox", "Mozilla Firefox"},
    {"firefox-esr", "Mozilla Firefox ESR"},
    {"chromium", "Chromium"},
    {"chromium-browser", "Chromium"},
    {"google-chrome", "Google Chrome"},
    {"google-chrome-stable", "Google Chrome"},
    {"brave-browser", "Brave"},
    {"microsoft-edge", "Microsoft Edge"},
    {"microsoft-edge-stable", "Microsoft Edge"},
    {"vivaldi", "Vivaldi"},
    {"opera", "Opera"},
    {"epiphany-browser", "GNOME Web"},
    {"epiphany", "GNOME Web"},
    {"konqueror", "Konqueror"},
    {"falkon", "Falkon"},
    {"midori", "Midori"},
    {"qutebrowser", "qutebrowser"},
    {"seamonkey", "SeaMonkey"},
};
const int kBrowserProgramCount = static_cast<int>(std::size(kBrowserPrograms));

QList<KnownBrowser> FindBrowsersOnPath(const QString& searchPath) {
  const QStringList folders = searchPath.split(QDir::listSeparator(), Qt::SkipEmptyParts);
  QList<KnownBrowser> found;
  QSet<QString> seenFiles;
  for (const auto& candidate : kBrowserPrograms) {
    for (const auto& folder : folders) {
      const QFileInfo file(QDir(folder).filePath(QString::fromLatin1(candidate.program)));
      if (!file.isFile() || !file.isExecutable()) continue;
      const QString real = file.canonicalFilePath();
      if (!seenFiles.contains(real)) {
        seenFiles.insert(real);
        found.append({QString::fromLatin1(candidate.displayName), file.absoluteFilePath()});
      }
      break;  // the first folder on the path is the one the shell would run
    }
  }
  return found;
}

QList<KnownBrowser> ProbeRegistryBrowsers(const RegistryReader& read, const FileExistsTest& exists) {
  QList<KnownBrowser> found;
  auto add = [&](const QString& name, const QString& path) {
    if (!path.isEmpty() && exists(path)) found.append({name, path});
  };
  // The executable below a Netscape installation folder; nothing when the
  // folder is not recorded.
  auto installed = [&](bool localMachine, const QString& mainKey, const QString& relativeExe) {
    const QString folder =
        read(localMachine, mainKey, QStringLiteral("Install Directory")).value_or(QString());
    return folder.isEmpty() ? QString() : folder + relativeExe;
  };

  add(QStringLiteral("Internet Explorer"),
      read(true, QStringLiteral("SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE"),
           QString())
          .value_or(QString()));
  add(QStringLiteral("Netscape Navigator 3"),
      installed(false, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator\\Main"),
                QStringLiteral("\\Program\\Netscape.exe")));

  struct VersionedProbe {
    const char* product;  // key below SOFTWARE\Netscape
    const char* namePrefix;
    const char* relativeExe;
  };
  const VersionedProbe versioned[] = {
      {"Netscape Navigator", "Netscape Communicator ", "\\Program\\Netscape.exe"},
      {"Netscape 6", "Netscape ", "\\netscp6.exe"},
  };
  for (const auto& probe : versioned) {
    const QString productKey = QStringLiteral("SOFTWARE\\Netscape\\") + QString::fromLatin1(probe.product);
    const QString version = read(true, productKey, QStringLiteral("CurrentVersion")).value_or(QString());
    if (version.isEmpty()) continue;
    add(QString::fromLatin1(probe.namePrefix) + version,
        installed(true, productKey + "\\" + version + "\\Main", QString::fromLatin1(probe.relativeExe)));
  }
  return found;
}

namespace {

#ifdef Q_OS_WIN
std::optional<QString> ReadWindowsRegistry(bool localMachine, const QString& key, const QString& valueName) {
  const QString root =
      localMachine ? QStringLiteral("HKEY_LOCAL_MACHINE\\") : QStringLiteral("HKEY_CURRENT_USER\\");
  QSettings registry(root + key, QSettings::NativeFormat);
  const QString name = valueName.isEmpty() ? QStringLiteral(".") : valueName;
  if (registry.status() != QSettings::NoError || !registry.contains(name)) return std::nullopt;
  return registry.value(name).toString();
}
#endif

QList<KnownBrowser> SystemBrowsers() {
#ifdef Q_OS_WIN
  return ProbeRegistryBrowsers(ReadWindowsRegistry,
                               [](const QString& path) { return QFileInfo(path).isFile(); });
#else
  return FindBrowsersOnPath(qEnvironmentVariable("PATH"));
#endif
}

BrowserDetector& InstalledDetector() {
  static BrowserDetector detector;
  return detector;
}

}  // namespace

QList<KnownBrowser> DetectInstalledBrowsers() {
  const BrowserDetector& detector = InstalledDetector();
  return detector ? detector() : SystemBrowsers();
}

void InstallBrowserDetector(BrowserDetector detector) {
  InstalledDetector() = std::move(detector);
}

}  // namespace velmora
