#pragma once

// Where the program folder is: it holds the runtime script and the resource
// folders, and receives the generated files and the preview folder, so it
// must be writable. The front ends resolve it once and hand it to the core.

#include <string>

namespace velmora {

inline constexpr const char* kRuntimeScript = "jsmenu0.js";

struct ProgramFolderSources {
  std::string explicitHome;    // --home DIR, or VELMORA_HOME
  std::string executableDir;   // the folder of the running program
  std::string userDataDir;     // e.g. ~/.local/share/velmora
  std::string installedShare;  // e.g. /usr/share/velmora
};

// The explicit home when given; else the executable's folder when it holds
// the runtime script and is writable (a build folder, a portable copy);
// else the per-user folder, seeded from the installed files. Throws
// FileError when no usable folder can be made.
std::string ResolveProgramFolder(const ProgramFolderSources& sources);

// The usual sources on this system for a program at `executablePath`.
ProgramFolderSources DefaultProgramFolderSources(const std::string& executablePath);

bool IsWritableFolder(const std::string& folder);

}  // namespace velmora
