#include "designer/web_page_import.h"

#include <QStringList>

#include "designer/commands_support.h"
#include "designer/main_form.h"
#include "dialogs/WebMenuChooser.h"
#include "document/file_io.h"
#include "importers/web_menu_import.h"
#include "importers/web_page.h"
#include "platform/codepage.h"
#include "platform/dialog_filter.h"
#include "platform/prompts.h"

namespace velmora {

namespace {

constexpr size_t kCaptionsShown = 4;
constexpr int kWarningsShown = 12;

// The page's list to import: the only one, or the one the user picks; -1
// when the user cancelled.
int ChooseList(TMainForm& form, const WebPage& page) {
  if (page.Lists().size() == 1) return 0;
  QList<WebMenuChoice> choices;
  for (const WebMenuList& list : page.Lists()) {
    QStringList captions;
    for (const std::string& caption : list.FirstCaptions(kCaptionsShown))
      captions << QString::fromStdString(caption);
    choices.append({QString::fromStdString(list.where), static_cast<int>(list.items.size()), captions});
  }
  TfrmWebMenuChooser chooser(FromNativePath(page.SourceName()), choices, page.DefaultList(), &form);
  return chooser.exec() == QDialog::Accepted ? chooser.ChosenIndex() : -1;
}

void ReportWarnings(TMainForm& form, const QString& path, const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  QStringList lines;
  for (const std::string& warning : warnings) {
    if (lines.size() == kWarningsShown) {
      lines << QStringLiteral("... and %1 more").arg(warnings.size() - kWarningsShown);
      break;
    }
    lines << QString::fromStdString(warning);
  }
  form.Ask(
      QMessageBox::Information,
      QStringLiteral("%1\n\nThe menu was imported with these changes:\n\n%2").arg(path, lines.join('\n')),
      QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace

void ImportFromWebPage(TMainForm& form) {
  if (!form.AskToSaveChanges()) return;
  // As with a structure file, the preview folder is emptied only once a
  // design was read, so a cancelled or refused import changes nothing.
  const QString path = CurrentPrompts().OpenFile(&form, QStringLiteral("Import from Web Page"),
                                                 DialogFolder(form), DialogFilter(kWebPageFilesFilter));
  if (path.isEmpty()) return;
  const std::string nativePath = ToNativePath(path);
  const WebPage page = [&] {
    StatusGuard busy(form.Status(), "Reading Web Page ... ...");
    return WebPage::Read(nativePath);
  }();
  if (page.Lists().empty()) page.ChosenList();  // raises "no navigation list found in PAGE"
  const int chosen = ChooseList(form, page);
  if (chosen < 0) return;
  const WebMenuList& list = page.Lists()[static_cast<size_t>(chosen)];
  form.RebuildTreeWith([&](DesignTree& tree) {
    ImportWebMenu(list, nativePath, form.Document(), tree);
    return ReadResult{ReadOutcome::Loaded, 0, ""};
  });
  // The window stays bound to its project file: a later Save overwrites it.
  ShowReadDesign(form, FolderOf(nativePath));
  ReportWarnings(form, path, list.warnings);
}

}  // namespace velmora
