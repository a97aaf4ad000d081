// export-structure and import-structure: conversions between project files
// and menu structure files.

#include <ostream>

#include "cli/commands.h"
#include "document/applet_agent.h"

namespace velmora::cli {

void RunExportStructure(Context& ctx) {
  const auto files = ctx.Positional(2);
  TvornAppletAgent& doc = ctx.Document(false);
  RequireLoaded(doc.LoadProject(files[0], ctx.Tree()), files[0], kWrongProjectMessage);
  doc.ExportStructure(files[1], ctx.Tree());
  ctx.out << "Exported " << doc.ItemCount() << " item(s) to " << files[1] << "\n";
}

void RunImportStructure(Context& ctx) {
  const auto files = ctx.Positional(2);
  TvornAppletAgent& doc = ctx.Document(false);
  const ReadResult result = doc.ImportStructure(files[0], ctx.Tree());
  RequireLoaded(result, files[0], kWrongStructureMessage);
  ctx.WarnRepairs(files[0], result);
  doc.SaveProject(files[1]);
  ctx.out << "Imported " << doc.ItemCount() << " item(s) into " << files[1] << "\n";
}

}  // namespace velmora::cli
