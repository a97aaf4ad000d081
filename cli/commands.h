#pragma once

#include "cli/context.h"

namespace velmora::cli {

struct Command {
  const char* name;
  const char* usage;
  const char* summary;
  void (*run)(Context&);
};

void RunExportStructure(Context& ctx);
void RunImportStructure(Context& ctx);
void RunImportHtml(Context& ctx);
void RunPublish(Context& ctx);
void RunHtml(Context& ctx);
void RunPreview(Context& ctx);
void RunUpdatePages(Context& ctx);

inline constexpr Command kCommands[] = {
    {"publish", "publish PROJECT.velm [--to DIR] [--page classic|html5] [--menu-name NAME] [--home DIR]",
     "save and publish a project: page, scripts, images, project file and report", RunPublish},
    {"html", "html PROJECT.velm [--page classic|html5] [--menu-name NAME] [--home DIR]",
     "print the code that Build HTML shows (HTML5 style: only the code to paste)", RunHtml},
    {"preview", "preview PROJECT.velm [--page classic|html5] [--menu-name NAME] [--home DIR]",
     "assemble the preview folder, open the page in the browser and print its path", RunPreview},
    {"update-pages",
     "update-pages PROJECT.velm PATH... [--dry-run] [--check] [--page classic|html5] [--menu-name NAME] "
     "[--home DIR]",
     "publish a project and fill the menu region of every page in the given pages and folders",
     RunUpdatePages},
    {"export-structure", "export-structure PROJECT.velm OUT.gms",
     "write the menu structure of a project to a structure file", RunExportStructure},
    {"import-structure", "import-structure IN.gms OUT.velm", "make a project from a menu structure file",
     RunImportStructure},
    {"import-html",
     "import-html PAGE.html (OUT.velm [--select SELECTOR | --pick N] [--template NAME] [--page "
     "classic|html5] | --list)",
     "make a project from the navigation list of a web page (--list: the lists it offers)", RunImportHtml},
};

}  // namespace velmora::cli
