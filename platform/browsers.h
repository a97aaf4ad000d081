#pragma once

// Finding the web browsers installed on this machine, for the preview
// browser choice. On Windows the browsers announce themselves in the
// registry; on Linux and other systems we look for the usual browser
// programs on the search path.

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace velmora {

struct KnownBrowser {
  QString displayName;
  QString executablePath;
  bool operator==(const KnownBrowser&) const = default;
};

// A browser program looked for on the search path, with the name the user
// sees for it.
struct BrowserProgram {
  const char* program;
  const char* displayName;
};
extern const BrowserProgram kBrowserPrograms[];
extern const int kBrowserProgramCount;

// The browsers found in the folders of `searchPath` (a PATH value). Each
// program is looked up in every folder in order and counts once; programs
// that resolve to the same file (chromium-browser linked to chromium) are
// listed once, under the first name found.
QList<KnownBrowser> FindBrowsersOnPath(const QString& searchPath);

// Registry access for the Windows probes: a value of a key under the local
// machine (`localMachine` true) or the current user; an empty value name
// reads the key's default value. Missing keys and values read as nullopt.
using RegistryReader =
    std::function<std::optional<QString>(bool localMachine, const QString& key, const QString& valueName)>;
using FileExistsTest = std::function<bool(const QString& path)>;

// The four registry probes, in their fixed order: Internet Explorer,
// Netscape Navigator 3, Netscape Communicator and Netscape 6. A probe adds
// its browser only when the executable it points at exists.
QList<KnownBrowser> ProbeRegistryBrowsers(const RegistryReader& read, const FileExistsTest& exists);

// The browsers of this machine, by the probe that suits the system. Tests
// replace the probe with InstallBrowserDetector.
QList<KnownBrowser> DetectInstalledBrowsers();
using BrowserDetector = std::function<QList<KnownBrowser>()>;
// Installs `detector` in place of the system probe; an empty function
// restores the system probe.
void InstallBrowserDetector(BrowserDetector detector);

}  // namespace velmora
