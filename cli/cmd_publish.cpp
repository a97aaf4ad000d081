// publish, html and preview: the generation commands, run on a project
// opened as the designer opens it (its images gathered into the preview
// folder).

#include <filesystem>
#include <ostream>

#include "cli/commands.h"
#include "cli/generation_args.h"
#include "cli/open_with.h"
#include "document/errors.h"
#include "document/file_io.h"
#include "generator/config_script.h"
#include "generator/generate.h"
#include "generator/page_style.h"
#include "generator/preview.h"
#include "generator/publish.h"
#include "generator/site_pages.h"
#include "generator/vocabularies.h"

namespace fs = std::filesystem;

namespace velmora::cli {

void RunPublish(Context& ctx) {
  const auto to = ctx.TakeOption("--to");
  const PageOptions options = PageOptionsOf(ctx);
  const auto givenName = GivenMenuName(ctx);
  const std::string project = ctx.Positional(1)[0];
  TvornAppletAgent& doc = ctx.Document();
  PreviewCleanup cleanup(doc);
  ctx.OpenProject(project);
  const std::string sitePagesName = DefaultPublishMenuName(doc.Extensions);
  const std::string menuName = givenName               ? *givenName
                               : sitePagesName.empty() ? "menu" + MakeMenuNumber()
                                                       : sitePagesName;

  std::string folder = to ? *to : FolderOf(project);
  if (folder.empty()) folder = ".";
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) throw FileError(folder, "the folder cannot be created");

  PublishResult result;
  try {
    result = SaveAndPublish(doc, ctx.Tree(), menuName, folder, NameOf(project), options);
  } catch (const FileError& error) {
    throw CommandFailure{SaveFailureText(BaseNameOf(NameOf(project)) + ".velm", error)};
  }
  WarnPage(ctx, project, result.pageWarnings);
  ctx.WarnImages("the program folder lacks the runtime script, so it was not published",
                 result.uncopiedScripts);
  ctx.WarnImages("images not found in the project's folder, so not published", result.uncopiedImages);
  ctx.WarnImages("image names leading outside the project folder were not published", result.unsafeImages);
  ctx.out << JoinPath(folder, BaseNameOf(NameOf(project)) + ".html") << "\n";
}

void RunHtml(Context& ctx) {
  PageOptions options = PageOptionsOf(ctx);
  const std::string menuName = MenuBaseName(ctx);
  const std::string project = ctx.Positional(1)[0];
  options.title = BaseNameOf(NameOf(project));
  TvornAppletAgent& doc = ctx.Document();
  PreviewCleanup cleanup(doc);
  ctx.OpenProject(project);
  RequireItems(ctx, project);
  std::vector<std::string> warnings;
  const std::string pageText = BuildPageText(doc, ctx.Tree(), menuName, options, &warnings);
  ctx.out << CodeToPaste(doc, options, pageText);
  WarnPage(ctx, project, warnings);
}

void RunPreview(Context& ctx) {
  PageOptions options = PageOptionsOf(ctx);
  const std::string menuName = MenuBaseName(ctx);
  const std::string project = ctx.Positional(1)[0];
  options.title = BaseNameOf(NameOf(project));
  TvornAppletAgent& doc = ctx.Document();
  ctx.OpenProject(project);
  RequireItems(ctx, project);
  std::vector<std::string> warnings;
  const std::string pageText = BuildPageText(doc, ctx.Tree(), menuName, options, &warnings);
  WarnPage(ctx, project, warnings);
  const std::string home = doc.ProgramFolder();
  CopyScriptsToPreview(doc, home);
  ctx.WarnImages("image names leading outside the program folder were skipped", CopyResourceFiles(doc, home));
  const std::string staged = JoinPath(home, "~preview.html");
  WriteFileAtomically(staged, pageText);
  CopyToPreviewFolder(doc, staged);
  DeleteFileQuietly(staged);

  const std::string page = JoinPath(PreviewFolder(doc), "~preview.html");
  ctx.out << page << "\n";
  if (!OpenWithDefaultHandler(page)) {
    ctx.err << "velmora-cli: warning: no program could be started to open " << page << "\n";
  }
}

}  // namespace velmora::cli
