#include "test_support.h"

#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <random>
#include <sstream>

#include "document/records.h"

namespace fs = std::filesystem;

namespace velmora::test {

TempFolder::TempFolder() {
  std::random_device random;
  const fs::path p =
      fs::temp_directory_path() / ("velmora-test-" + std::to_string(random()) + std::to_string(random()));
  fs::create_directories(p);
  path_ = p.string();
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

FileSizeLimit::FileSizeLimit(size_t bytes) {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  previous_ = limit.rlim_cur;
  previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = previous_;
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previousHandler_);
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void Spit(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

void BuildDesign(TvornAppletAgent& doc, ItemTree& tree, const std::vector<int>& levels) {
  doc.ResetDocument();
  tree.ClearToRoot(kRootCaption);
  const LevelPlan plan = PlanParentsFromLevels(levels);
  for (size_t i = 0; i < levels.size(); ++i) {
    TItemData item = DefaultItemData();
    item[ICaption] = std::string(1, static_cast<char>('A' + i % 26)) + (i >= 26 ? std::to_string(i) : "");
    item[ILevel] = std::to_string(levels[i]);
    doc.Items.push_back(item);
    tree.AddLastChild(plan.parents[i] + 1, item[ICaption]);
  }
}

}  // namespace velmora::test
