#include "designer/web_page_import.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <map>
#include <memory>

#include "designer/commands_support.h"
#include "designer/design_session.h"
#include "designer/file_commands.h"
#include "dialogs/WebMenuChooser.h"
#include "dialogs/templet.h"
#include "document/file_io.h"
#include "importers/web_menu_import.h"
#include "importers/web_page.h"
#include "platform/codepage.h"
#include "platform/dialog_filter.h"
#include "platform/prompts.h"
#ifdef VELMORA_WEBENGINE
#include "generator/generate.h"
#include "platform/preview_scheme.h"
#include "platform/preview_view.h"
#endif

namespace velmora {

namespace {

constexpr size_t kCaptionsShown = 4;
constexpr int kWarningsShown = 12;
// The light, readable look an import takes unless another is chosen.
constexpr char kDefaultTemplate[] = "light_bar";

// The shipped templates by name (the file name without ".velm"), read
// once each.
class Templates {
 public:
  explicit Templates(const QString& programFolder)
      : programFolder_(programFolder), folder_(TemplatesFolder(programFolder)) {}

  QStringList Names() const {
    QStringList names;
    for (const QString& file : QDir(folder_).entryList({QStringLiteral("*.velm")}, QDir::Files, QDir::Name))
      names << QFileInfo(file).completeBaseName();
    return names;
  }
  const QString& ProgramFolder() const { return programFolder_; }
  const QString& Folder() const { return folder_; }

  // The template's design; nullptr for none or one that cannot be read.
  const TvornAppletAgent* Look(const QString& name) {
    if (name.isEmpty()) return nullptr;
    auto found = looks_.find(name);
    if (found == looks_.end()) {
      auto look = std::make_unique<TvornAppletAgent>(ToNativePath(programFolder_));
      ItemTree tree;
      try {
        if (look->LoadProject(ToNativePath(QDir(folder_).filePath(name + ".velm")), tree).outcome !=
            ReadOutcome::Loaded)
          look.reset();
      } catch (const std::exception&) {
        look.reset();
      }
      found = looks_.emplace(name, std::move(look)).first;
    }
    return found->second.get();
  }

 private:
  QString programFolder_;
  QString folder_;
  std::map<QString, std::unique_ptr<TvornAppletAgent>> looks_;
};

WebImportOptions OptionsFor(Templates& templates, const QString& templateName, bool modernPage,
                            const WebPage& page) {
  WebImportOptions options;
  options.look = templates.Look(templateName);
  if (modernPage) options.pageStyle = PageStyle::Html5;
  options.language = page.Language();
  return options;
}

#ifdef VELMORA_WEBENGINE
// Draws a list of the page as the import would make it.
void DrawList(PreviewView* preview, Templates& templates, const WebPage& page, int list,
              const QString& templateName) {
  const std::string folder = ToNativePath(templates.ProgramFolder());
  TvornAppletAgent doc(folder);
  ItemTree tree;
  try {
    ImportWebMenu(page.Lists()[static_cast<size_t>(list)], page.SourceName(), doc, tree,
                  OptionsFor(templates, templateName, false, page));
    const MenuTexts texts = GenerateMenuTexts(doc, tree, "menu1");
    // The first submenu shown open, so its look shows too.
    const auto& items = page.Lists()[static_cast<size_t>(list)].items;
    const auto child =
        std::find_if(items.begin(), items.end(), [](const WebMenuItem& item) { return item.level > 0; });
    preview->ShowItem(QStringLiteral("menu1"), child != items.end() ? int(child - items.begin()) : -1);
    preview->ShowContent(MenuContent(texts, doc.RuntimeFiles, folder, ToNativePath(templates.Folder()), {}));
  } catch (const std::exception& error) {
    preview->ShowNotice("This list cannot be imported:\n\n" + FromErrorText(error.what()));
  }
}
#endif

struct Choice {
  int list = -1;  // -1: cancelled
  QString templateName;
  bool modernPage = false;
};

// The page's list to import and its look, as the user picks them; a page
// with one list still offers the look and the page style.
Choice ChooseList(DesignSession& session, const WebPage& page, Templates& templates) {
  QList<WebMenuChoice> choices;
  for (const WebMenuList& list : page.Lists()) {
    QStringList captions;
    for (const std::string& caption : list.FirstCaptions(kCaptionsShown + 1))
      captions << QString::fromStdString(caption);
    if (captions.size() > static_cast<qsizetype>(kCaptionsShown)) captions.last() = QStringLiteral("...");
    choices.append({QString::fromStdString(list.where), static_cast<int>(list.items.size()), list.Depth(),
                    list.hidden, captions});
  }
  TfrmWebMenuChooser chooser(FromNativePath(page.SourceName()), choices, page.DefaultList(),
                             templates.Names(), QString::fromLatin1(kDefaultTemplate),
                             QString::fromStdString(page.Language()), session.DialogParent());
#ifdef VELMORA_WEBENGINE
  chooser.SetDrawer([&](PreviewView* preview, int list, const QString& templateName) {
    DrawList(preview, templates, page, list, templateName);
  });
#endif
  if (chooser.exec() != QDialog::Accepted || chooser.ChosenIndex() < 0) return {};
  return {chooser.ChosenIndex(), chooser.ChosenTemplate(), chooser.ModernPage()};
}

void ReportWarnings(DesignSession& session, const QString& path, const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  QStringList lines;
  for (const std::string& warning : warnings) {
    if (lines.size() == kWarningsShown) {
      lines << QStringLiteral("... and %1 more").arg(warnings.size() - kWarningsShown);
      break;
    }
    lines << QString::fromStdString(warning);
  }
  session.Ask(
      QMessageBox::Information,
      QStringLiteral("%1\n\nThe menu was imported with these changes:\n\n%2").arg(path, lines.join('\n')),
      QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace

void ImportFromWebPage(DesignSession& session, FileCommands& files) {
  if (!files.AskToSaveChanges()) return;
  // As with a structure file, the preview folder is emptied only once a
  // design was read, so a cancelled or refused import changes nothing.
  const QString path =
      CurrentPrompts().OpenFile(session.DialogParent(), QStringLiteral("Import from Web Page"),
                                files.DialogFolder(), DialogFilter(kWebPageFilesFilter));
  if (path.isEmpty()) return;
  const std::string nativePath = ToNativePath(path);
  const WebPage page = [&] {
    StatusGuard busy(session.Document().Status(), "Reading Web Page ... ...");
    return WebPage::Read(nativePath);
  }();
  if (page.Lists().empty()) page.ChosenList();  // raises "no navigation list found in PAGE"
  Templates templates(session.ProgramFolder());
  const Choice choice = ChooseList(session, page, templates);
  if (choice.list < 0) return;
  const WebMenuList& list = page.Lists()[static_cast<size_t>(choice.list)];
  const WebImportOptions options = OptionsFor(templates, choice.templateName, choice.modernPage, page);
  session.RebuildTreeWith([&](DesignTree& tree) {
    ImportWebMenu(list, nativePath, session.Document(), tree, options);
    return ReadResult{ReadOutcome::Loaded, 0, ""};
  });
  // The window stays bound to its project file: a later Save overwrites it.
  ShowReadDesign(session, FolderOf(nativePath));
  std::vector<std::string> warnings = page.Notes();
  warnings.insert(warnings.end(), list.warnings.begin(), list.warnings.end());
  ReportWarnings(session, path, warnings);
}

}  // namespace velmora
