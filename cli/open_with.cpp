#include "cli/open_with.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <vector>

extern char** environ;

namespace velmora::cli {

bool OpenWithDefaultHandler(const std::string& path) {
  const char* custom = std::getenv("VELMORA_OPEN_COMMAND");
  std::string program = custom && *custom ? custom : "xdg-open";
  std::vector<char*> argv = {program.data(), const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
  // xdg-open returns once the browser is started; its status tells whether
  // anything could open the page.
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace velmora::cli
