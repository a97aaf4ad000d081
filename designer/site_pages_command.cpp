#include "designer/site_pages_command.h"

#include "designer/change_values_command.h"
#include "designer/main_form.h"
#include "designer/undo_history.h"
#include "dialogs/SitePages.h"
#include "document/file_io.h"
#include "generator/site_pages.h"
#include "platform/codepage.h"
#include "platform/prompts.h"

namespace velmora {

namespace {

QString AskForFolder(TMainForm& form, const QString& current) {
  return CurrentPrompts().ChooseFolder(&form, QStringLiteral("Site Folder"), current);
}

// The site folder becomes part of the design, as a step that can be undone.
void KeepSiteFolder(TMainForm& form, const std::string& project, const QString& folder) {
  FormatExtensions wanted = form.Document().Extensions;
  StoreSiteFolder(wanted, project, ToNativePath(folder));
  if (wanted == form.Document().Extensions) return;
  form.History().Push(
      new ChangeValuesCommand(form.History().Editor(), std::move(wanted), "Set Site Folder", true));
}

}  // namespace

void UpdateSitePagesOfDesign(TMainForm& form) {
  form.StorePages();
  if (form.ProjectFile().isEmpty()) {
    form.Ask(QMessageBox::Information,
             "Save the design first: the site's pages load the menu from the files published beside the "
             "project file.",
             QMessageBox::Ok, QMessageBox::Ok);
    return;
  }
  const std::string project = ToNativePath(form.ProjectFile());
  QString folder = FromNativePath(SiteFolderOf(form.Document().Extensions, project));
  if (folder.isEmpty()) {
    folder = AskForFolder(form, FromNativePath(FolderOf(project)));
    if (folder.isEmpty()) return;
    KeepSiteFolder(form, project, folder);
  }

  auto run = [&form, project](const std::string& siteFolder, bool write) {
    SiteUpdateOptions options;
    options.write = write;
    SiteUpdate update = UpdateSitePages(form.Document(), form.Tree(), project, {siteFolder}, options);
    if (update.written) {
      form.SetModified(false);
      form.WarnAboutUncopiedImages(update.published);
    }
    return update;
  };
  TfrmSitePages dialog(
      folder, run, [&form](const QString& current) { return AskForFolder(form, current); }, &form);
  QObject::connect(&dialog, &TfrmSitePages::FolderChosen,
                   [&form, project](const QString& chosen) { KeepSiteFolder(form, project, chosen); });
  dialog.Scan();
  dialog.exec();
}

}  // namespace velmora
