#include "cli/context.h"

#include <unistd.h>

#include <algorithm>
#include <ostream>

#include "cli/terminal_status.h"
#include "document/errors.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "generator/program_folder.h"

namespace velmora::cli {

Context::Context(std::vector<std::string> args, std::ostream& outStream, std::ostream& errStream,
                 std::string executablePath)
    : out(outStream), err(errStream), args_(std::move(args)), executablePath_(std::move(executablePath)) {
  home_ = TakeOption("--home");
}

Context::~Context() = default;

std::optional<std::string> Context::TakeOption(const std::string& name) {
  auto it = std::find(args_.begin(), args_.end(), name);
  if (it == args_.end()) return std::nullopt;
  if (it + 1 == args_.end()) throw UsageFailure{name + " needs a value"};
  std::string value = *(it + 1);
  args_.erase(it, it + 2);
  return value;
}

bool Context::TakeFlag(const std::string& name) {
  auto it = std::find(args_.begin(), args_.end(), name);
  if (it == args_.end()) return false;
  args_.erase(it);
  return true;
}

std::vector<std::string> Context::AtLeast(size_t least) {
  for (const auto& arg : args_) {
    if (arg.size() > 1 && arg.rfind("--", 0) == 0) throw UsageFailure{"unknown option " + arg};
  }
  if (args_.size() < least) {
    throw UsageFailure("expected at least " + std::to_string(least) + " argument" + (least == 1 ? "" : "s") +
                       ", got " + std::to_string(args_.size()));
  }
  return args_;
}

std::vector<std::string> Context::Positional(size_t count) {
  AtLeast(0);
  if (args_.size() != count) {
    throw UsageFailure("expected " + std::to_string(count) + " file argument" + (count == 1 ? "" : "s") +
                       ", got " + std::to_string(args_.size()));
  }
  return args_;
}

const std::string& Context::ProgramFolder() {
  if (programFolder_.empty()) {
    ProgramFolderSources sources = DefaultProgramFolderSources(executablePath_);
    if (home_) sources.explicitHome = *home_;
    programFolder_ = ResolveProgramFolder(sources);
  }
  return programFolder_;
}

TvornAppletAgent& Context::Document(bool withProgramFolder) {
  if (!doc_) {
    doc_ = std::make_unique<TvornAppletAgent>(withProgramFolder ? ProgramFolder() : std::string());
    doc_->ResetDocument();
    if (isatty(STDERR_FILENO)) {
      status_ = std::make_unique<TerminalStatus>(err);
      doc_->SetStatusSink(status_.get());
    }
  }
  return *doc_;
}

void RequireLoaded(const ReadResult& result, const std::string& path, const char* wrongProductMessage) {
  switch (result.outcome) {
    case ReadOutcome::Loaded:
      return;
    case ReadOutcome::NothingRead:
      throw CommandFailure{path + ": nothing to read (the file is empty or has no product name)"};
    case ReadOutcome::WrongProduct:
      throw CommandFailure{path + ": " + wrongProductMessage};
    case ReadOutcome::Truncated:
      throw CommandFailure{path + ": the file is incomplete: " + result.detail};
  }
}

void Context::OpenProject(const std::string& path) {
  TvornAppletAgent& doc = Document();
  CleanPreviewFolder(doc);
  const ReadResult result = doc.LoadProject(path, tree_);
  RequireLoaded(result, path, kWrongProjectMessage);
  WarnRepairs(path, result);
  WarnImages("image names leading outside the project folder were skipped",
             CopyResourceFiles(doc, FolderOf(path)));
}

void Context::WarnRepairs(const std::string& path, const ReadResult& result) {
  if (result.repairedItems == 0) return;
  err << "velmora-cli: warning: " << path << ": " << result.repairedItems
      << " item(s) with impossible levels were placed under the nearest possible parent\n";
}

void Context::WarnImages(const std::string& problem, const std::vector<std::string>& names) {
  if (names.empty()) return;
  err << "velmora-cli: warning: " << problem << ":";
  for (const auto& name : names) err << " " << name;
  err << "\n";
}

}  // namespace velmora::cli
