#pragma once

// What the commands that generate a menu share: their options and the
// clean-up of the preview folder.

#include <optional>
#include <string>
#include <vector>

#include "cli/context.h"
#include "generator/page_style.h"

namespace velmora::cli {

inline constexpr const char* kNothingToBuild =
    "No item to build. Please add item to left pane and try again.";

// The menu base name: --menu-name, else `fallback`, else a fresh one as the
// designer makes it.
std::string MenuBaseName(Context& ctx, const std::string& fallback = "");

// The name given with --menu-name, checked.
std::optional<std::string> GivenMenuName(Context& ctx);

// --page classic|html5: the page style for this run instead of the design's.
PageOptions PageOptionsOf(Context& ctx);

void WarnPage(Context& ctx, const std::string& project, const std::vector<std::string>& warnings);
void RequireItems(Context& ctx, const std::string& project);

// Cleans the preview folder when the command ends, also on failure.
class PreviewCleanup {
 public:
  explicit PreviewCleanup(TvornAppletAgent& doc) : doc_(doc) {}
  ~PreviewCleanup();
  PreviewCleanup(const PreviewCleanup&) = delete;
  PreviewCleanup& operator=(const PreviewCleanup&) = delete;

 private:
  TvornAppletAgent& doc_;
};

}  // namespace velmora::cli
