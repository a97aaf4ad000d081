#include "generator/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/errors.h"
#include "document/file_io.h"

namespace fs = std::filesystem;

namespace velmora {

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The installed files a program folder is seeded with.
constexpr const char* kSeedEntries[] = {kRuntimeScript, "templates", "help", "samples"};

// Copies the installed files that are missing from the user's folder; the
// user's own changes (templates, recent files) are kept.
void SeedFrom(const fs::path& source, const fs::path& target) {
  std::error_code ec;
  for (const char* entry : kSeedEntries) {
    const fs::path from = source / entry;
    if (fs::is_regular_file(from, ec)) {
      if (!fs::exists(target / entry, ec)) fs::copy_file(from, target / entry, ec);
      continue;
    }
    if (!fs::is_directory(from, ec)) continue;
    for (auto it = fs::recursive_directory_iterator(from, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      const fs::path to = target / entry / fs::relative(it->path(), from, ec);
      if (it->is_directory(ec)) {
        fs::create_directories(to, ec);
      } else if (!fs::exists(to, ec)) {
        fs::create_directories(to.parent_path(), ec);
        fs::copy_file(it->path(), to, ec);
      }
    }
  }
}

}  // namespace

bool IsWritableFolder(const std::string& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  const std::string probe = JoinPath(folder, ".velmora-write-probe");
  {
    std::ofstream out(probe);
    if (!out) return false;
  }
  fs::remove(probe, ec);
  return true;
}

namespace {

// Seeds `folder` from the installed files and from a program folder beside
// the executable (a build folder, a portable copy); a folder that still
// lacks the runtime script cannot make working pages.
void SeedProgramFolder(const ProgramFolderSources& sources, const std::string& folder) {
  if (!sources.installedShare.empty()) SeedFrom(sources.installedShare, folder);
  const std::string exe = sources.executableDir;
  if (!exe.empty() && FileExists(JoinPath(exe, kRuntimeScript))) SeedFrom(exe, folder);
  if (!FileExists(JoinPath(folder, kRuntimeScript))) {
    throw FileError(folder, std::string("the program folder lacks the runtime script ") + kRuntimeScript +
                                ", and no installed copy was found to put there");
  }
}

}  // namespace

std::string ResolveProgramFolder(const ProgramFolderSources& sources) {
  std::error_code ec;
  if (!sources.explicitHome.empty()) {
    if (!fs::is_directory(sources.explicitHome, ec)) {
      throw FileError(sources.explicitHome, "the program folder does not exist");
    }
    const std::string home = fs::absolute(sources.explicitHome, ec).string();
    // An empty folder named as the program folder becomes one.
    if (!FileExists(JoinPath(home, kRuntimeScript))) SeedProgramFolder(sources, home);
    return home;
  }
  const std::string exe = sources.executableDir;
  if (!exe.empty() && FileExists(JoinPath(exe, kRuntimeScript)) && IsWritableFolder(exe)) return exe;
  if (sources.userDataDir.empty()) throw FileError(exe, "no writable program folder could be found");
  fs::create_directories(sources.userDataDir, ec);
  if (!IsWritableFolder(sources.userDataDir)) {
    throw FileError(sources.userDataDir, "the per-user program folder cannot be written");
  }
  SeedProgramFolder(sources, sources.userDataDir);
  return sources.userDataDir;
}

ProgramFolderSources DefaultProgramFolderSources(const std::string& executablePath) {
  ProgramFolderSources s;
  s.explicitHome = Env("VELMORA_HOME");
  std::error_code ec;
  const fs::path exe = fs::weakly_canonical(executablePath, ec);
  s.executableDir = exe.parent_path().string();
  std::string data = Env("XDG_DATA_HOME");
  if (data.empty() && !Env("HOME").empty()) data = Env("HOME") + "/.local/share";
  if (!data.empty()) s.userDataDir = data + "/velmora";
  s.installedShare = (exe.parent_path().parent_path() / "share" / "velmora").string();
  return s;
}

}  // namespace velmora
