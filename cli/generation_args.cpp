#include "cli/generation_args.h"

#include <ostream>

#include "generator/config_script.h"
#include "generator/preview.h"
#include "generator/vocabularies.h"

namespace velmora::cli {

std::optional<std::string> GivenMenuName(Context& ctx) {
  const auto given = ctx.TakeOption("--menu-name");
  if (given && !IsMenuBaseName(*given)) {
    throw UsageFailure{"--menu-name must be a letter followed by letters, digits or \"_\""};
  }
  return given;
}

std::string MenuBaseName(Context& ctx, const std::string& fallback) {
  const auto given = GivenMenuName(ctx);
  if (given) return *given;
  return fallback.empty() ? "menu" + MakeMenuNumber() : fallback;
}

PageOptions PageOptionsOf(Context& ctx) {
  PageOptions options;
  if (const auto given = ctx.TakeOption("--page")) {
    options.style = ParsePageStyle(*given);
    if (!options.style) throw UsageFailure{"--page must be classic or html5, not \"" + *given + "\""};
  }
  return options;
}

void WarnPage(Context& ctx, const std::string& project, const std::vector<std::string>& warnings) {
  for (const auto& warning : warnings)
    ctx.err << "velmora-cli: warning: " << project << ": " << warning << "\n";
}

void RequireItems(Context& ctx, const std::string& project) {
  if (ctx.Document().ItemCount() == 0) throw CommandFailure{project + ": " + kNothingToBuild};
}

PreviewCleanup::~PreviewCleanup() {
  CleanPreviewFolder(doc_);
}

}  // namespace velmora::cli
