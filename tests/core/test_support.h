#pragma once

// Shared pieces of the core tests: a temporary folder, a status sink that
// records its calls, and small builders of designs.

#include <filesystem>
#include <string>
#include <vector>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "document/status_sink.h"

namespace velmora::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

struct RecordingSink final : StatusSink {
  std::vector<std::string> calls;
  int max = 0;
  long long position = 0;
  long long steps = 0;
  std::string hint;
  bool busy = false;
  void SetHint(const std::string& text) override {
    hint = text;
    calls.push_back("hint:" + text);
  }
  void SetProgressMax(int m) override {
    max = m;
    calls.push_back("max:" + std::to_string(m));
  }
  void StepProgress(int amount) override {
    position += amount;
    steps += amount;
  }
  void SetProgressPosition(int p) override {
    position = p;
    calls.push_back("pos:" + std::to_string(p));
  }
  void SetBusy(bool b) override {
    busy = b;
    calls.push_back(b ? "busy" : "idle");
  }
};

// Limits the size of files this process writes while it lives, so writes
// fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(size_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  unsigned long long previous_;
  void (*previousHandler_)(int);
};

std::string Slurp(const std::string& path);
void Spit(const std::string& path, const std::string& content);

// Items with the given levels and captions "A", "B", ... and the matching
// tree, as the window would build them by inserting.
void BuildDesign(TvornAppletAgent& doc, ItemTree& tree, const std::vector<int>& levels);

}  // namespace velmora::test
