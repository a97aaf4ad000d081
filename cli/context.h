#pragma once

// What every subcommand shares: its arguments, its streams, the program
// folder and opening a project as the designer does.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/applet_agent.h"
#include "document/design_tree.h"

namespace velmora::cli {

// A failure the user is told about in one line; the command exits with 1.
struct CommandFailure {
  std::string message;
};

// Wrong usage; the command prints its usage and exits with 2.
struct UsageFailure {
  std::string message;
};

class Context {
 public:
  Context(std::vector<std::string> args, std::ostream& out, std::ostream& err, std::string executablePath);
  ~Context();

  std::ostream& out;
  std::ostream& err;

  // Takes "--name VALUE" out of the arguments; empty when absent.
  std::optional<std::string> TakeOption(const std::string& name);
  // Takes a "--name" switch out of the arguments; whether it was there.
  bool TakeFlag(const std::string& name);
  // The remaining arguments, exactly `count` of them.
  std::vector<std::string> Positional(size_t count);
  // The remaining arguments, at least `least` of them.
  std::vector<std::string> AtLeast(size_t least);

  // What the program exits with when the command ends without failing.
  int exitStatus = 0;

  // The program folder: --home, VELMORA_HOME, or the usual places.
  const std::string& ProgramFolder();
  // The document; commands that only convert files need no program folder.
  TvornAppletAgent& Document(bool withProgramFolder = true);
  ItemTree& Tree() { return tree_; }

  // Opens a project into the document, refusing what the designer refuses.
  void OpenProject(const std::string& path);
  // Warns about items a reader had to move under another parent.
  void WarnRepairs(const std::string& path, const ReadResult& result);
  // Prints warnings naming images.
  void WarnImages(const std::string& problem, const std::vector<std::string>& names);

 private:
  std::vector<std::string> args_;
  std::string executablePath_;
  std::optional<std::string> home_;
  std::string programFolder_;
  std::unique_ptr<StatusSink> status_;
  std::unique_ptr<TvornAppletAgent> doc_;
  ItemTree tree_;
};

// Raises CommandFailure for anything but a loaded file.
void RequireLoaded(const ReadResult& result, const std::string& path, const char* wrongProductMessage);

}  // namespace velmora::cli
