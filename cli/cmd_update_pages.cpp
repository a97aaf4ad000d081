// update-pages: publishes a project and fills the menu region of every page
// of a site, all or nothing.

#include <ostream>

#include "cli/commands.h"
#include "cli/generation_args.h"
#include "document/file_io.h"
#include "generator/site_pages.h"

namespace velmora::cli {

void RunUpdatePages(Context& ctx) {
  const bool dryRun = ctx.TakeFlag("--dry-run");
  const bool check = ctx.TakeFlag("--check");
  SiteUpdateOptions options;
  options.page = PageOptionsOf(ctx);
  options.menuBaseName = MenuBaseName(ctx, kSiteMenuBaseName);
  options.write = !dryRun && !check;
  const std::vector<std::string> args = ctx.AtLeast(1);
  const std::string project = args[0];
  std::vector<std::string> paths(args.begin() + 1, args.end());

  TvornAppletAgent& doc = ctx.Document();
  PreviewCleanup cleanup(doc);
  ctx.OpenProject(project);
  RequireItems(ctx, project);
  if (paths.empty()) {
    const std::string stored = SiteFolderOf(doc.Extensions, project);
    if (stored.empty())
      throw UsageFailure{"name the pages or folders to update (the design keeps no site folder)"};
    paths.push_back(stored);
  }

  const SiteUpdate update = UpdateSitePages(doc, ctx.Tree(), project, paths, options);
  ctx.out << SiteUpdateReport(update);
  if (update.HasProblems()) throw CommandFailure{"nothing was written: " + SiteUpdateSummary(update, false)};
  WarnPage(ctx, project, update.published.pageWarnings);
  ctx.WarnImages("the program folder lacks the runtime script, so it was not published",
                 update.published.uncopiedScripts);
  ctx.WarnImages("images not found in the project's folder, so not published",
                 update.published.uncopiedImages);
  ctx.WarnImages("image names leading outside the project folder were not published",
                 update.published.unsafeImages);
  if (check && update.Count(SitePageState::WillUpdate) > 0) ctx.exitStatus = 3;
}

}  // namespace velmora::cli
