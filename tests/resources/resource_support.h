#pragma once

// Shared pieces of the resource tests: where the resources are, files and
// folders, running velmora-cli, and the links of an HTML page.

#include <set>
#include <string>
#include <vector>

namespace velmora::test {

inline const std::string kResources = VELMORA_RESOURCES;
inline const std::string kTemplates = kResources + "/templates";
inline const std::string kHelp = kResources + "/help";
inline const std::string kProgramDir = VELMORA_PROGRAM_DIR;

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
// Names (not paths) of the regular files in `folder` ending in `suffix`, sorted.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& suffix = "");

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};
// Runs velmora-cli with the arguments, capturing both output streams.
CommandResult RunCli(const std::vector<std::string>& args);

// A program folder of its own for velmora-cli (the runtime script only), so
// tests never touch the build folder's generated files.
std::string MakeProgramFolder(const ScratchFolder& scratch);

// Whether a published page holds the container of menu `menuName`, as the
// classic page or the HTML5 page writes it.
bool HoldsMenuContainer(const std::string& page, const std::string& menuName);

// Values of the href and src attributes of an HTML text, in order.
std::vector<std::string> LinksOf(const std::string& html);
// Anchor names of an HTML text (<a name=...> and id=...).
std::set<std::string> AnchorsOf(const std::string& html);

}  // namespace velmora::test
