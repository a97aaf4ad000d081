// import-html: a new project from the navigation list of a web page.

#include <ostream>

#include "cli/commands.h"
#include "importers/web_menu_import.h"
#include "importers/web_page.h"

namespace velmora::cli {

void RunImportHtml(Context& ctx) {
  const std::optional<std::string> select = ctx.TakeOption("--select");
  const auto files = ctx.Positional(2);
  // No choice is offered here, so the other lists need not be read.
  const WebPage page = WebPage::Read(files[0], WebPageScope::FirstNavigationList);
  const WebMenuList list = select ? page.ListWithId(*select) : page.ChosenList();
  TvornAppletAgent& doc = ctx.Document(false);
  ImportWebMenu(list, files[0], doc, ctx.Tree());
  for (const std::string& warning : list.warnings) {
    ctx.err << "velmora-cli: warning: " << files[0] << ": " << warning << "\n";
  }
  doc.SaveProject(files[1]);
  ctx.out << "Imported " << doc.ItemCount() << " item(s) from " << list.where << " into " << files[1] << "\n";
}

}  // namespace velmora::cli
