// import-html: a new project from the navigation list of a web page, or
// the page's lists shown to choose from.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "document/text.h"
#include "importers/web_menu_import.h"
#include "importers/web_page.h"
#include "importers/web_text.h"

namespace velmora::cli {

namespace {

constexpr size_t kCaptionsListed = 4;

// One line per list: number, size, where the page has it, first captions.
void PrintLists(Context& ctx, const WebPage& page) {
  if (page.Lists().empty()) throw CommandFailure{"no list of links found in " + page.SourceName()};
  for (size_t k = 0; k < page.Lists().size(); ++k) {
    const WebMenuList& list = page.Lists()[k];
    std::string captions;
    for (const std::string& caption : list.FirstCaptions(kCaptionsListed)) {
      captions += (captions.empty() ? "\"" : ", \"") + web::ForMessage(caption) + "\"";
    }
    const size_t topLevel = list.FirstCaptions(kCaptionsListed + 1).size();
    if (topLevel > kCaptionsListed) captions += ", ...";
    ctx.out << k + 1 << ". " << list.items.size() << (list.items.size() == 1 ? " item, " : " items, ")
            << list.Depth() << (list.Depth() == 1 ? " level" : " levels") << (list.hidden ? ", hidden" : "")
            << (static_cast<int>(k) == page.DefaultList() ? ", taken by default" : "") << ": " << list.where
            << ": " << captions << "\n";
  }
}

// A web page is the user's own: the project never replaces it, under any
// name (a link, "..").
void RefuseOverwritingThePage(const std::string& page, const std::string& project) {
  std::error_code error;
  if (std::filesystem::equivalent(page, project, error) ||
      std::filesystem::weakly_canonical(page, error) == std::filesystem::weakly_canonical(project, error)) {
    throw CommandFailure{project +
                         ": this is the web page being imported; choose another name for the project"};
  }
}

// The look of an import: a template beside the program, by its name.
constexpr const char* kDefaultTemplate = "light_bar";

std::unique_ptr<TvornAppletAgent> ReadTemplate(Context& ctx, const std::optional<std::string>& name) {
  std::string file = name.value_or(kDefaultTemplate);
  if (!file.ends_with(".velm")) file += ".velm";
  if (file.find('/') == std::string::npos) file = ctx.ProgramFolder() + "/templates/" + file;
  auto look = std::make_unique<TvornAppletAgent>();
  ItemTree tree;
  if (!std::filesystem::exists(file)) {
    if (name) throw CommandFailure{file + ": no such template"};
    ctx.err << "velmora-cli: warning: " << file
            << ": the default template is missing; the design takes the plain look\n";
    return nullptr;
  }
  RequireLoaded(look->LoadProject(file, tree), file, "the template is not a Velmora design");
  return look;
}

int PickNumber(const std::string& value) {
  if (!IsDecimalInteger(value) || value.size() > 6 || StrictToInt(value) < 1)
    throw UsageFailure{"--pick needs a list number from --list"};
  return StrictToInt(value);
}

}  // namespace

void RunImportHtml(Context& ctx) {
  const bool list = ctx.TakeFlag("--list");
  const std::optional<std::string> select = ctx.TakeOption("--select");
  const std::optional<std::string> pick = ctx.TakeOption("--pick");
  const std::optional<std::string> templateName = ctx.TakeOption("--template");
  const std::optional<std::string> pageStyle = ctx.TakeOption("--page");
  if (select && pick) throw UsageFailure{"--select and --pick cannot be used together"};
  if (list) {
    if (select || pick || templateName || pageStyle) throw UsageFailure{"--list takes no other option"};
    PrintLists(ctx, WebPage::Read(ctx.Positional(1)[0]));
    return;
  }
  const auto files = ctx.Positional(2);
  const int number = pick ? PickNumber(*pick) : 0;
  WebImportOptions options;
  if (pageStyle) {
    options.pageStyle = ParsePageStyle(*pageStyle);
    if (!options.pageStyle) throw UsageFailure{"--page takes classic or html5"};
  }
  RefuseOverwritingThePage(files[0], files[1]);
  const WebPage page = WebPage::Read(files[0]);
  const WebMenuList chosen = select ? page.SelectedList(*select)
                             : pick ? page.PickedList(number)
                                    : page.ChosenList();
  const std::unique_ptr<TvornAppletAgent> look = ReadTemplate(ctx, templateName);
  options.look = look.get();
  options.language = page.Language();
  TvornAppletAgent& doc = ctx.Document(false);
  ImportWebMenu(chosen, files[0], doc, ctx.Tree(), options);
  for (const std::string& note : page.Notes())
    ctx.err << "velmora-cli: warning: " << files[0] << ": " << note << "\n";
  for (const std::string& warning : chosen.warnings) {
    ctx.err << "velmora-cli: warning: " << files[0] << ": " << warning << "\n";
  }
  doc.SaveProject(files[1]);
  ctx.out << "Imported " << doc.ItemCount() << " item(s) from " << chosen.where << " into " << files[1]
          << "\n";
}

}  // namespace velmora::cli
