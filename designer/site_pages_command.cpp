#include "designer/site_pages_command.h"

#include "designer/change_values_command.h"
#include "designer/design_session.h"
#include "designer/save_and_publish.h"
#include "designer/undo_history.h"
#include "dialogs/SitePages.h"
#include "document/file_io.h"
#include "generator/site_pages.h"
#include "platform/codepage.h"
#include "platform/prompts.h"

namespace velmora {

namespace {

QString AskForFolder(DesignSession& session, const QString& current) {
  return CurrentPrompts().ChooseFolder(session.DialogParent(), QStringLiteral("Site Folder"), current);
}

// The site folder becomes part of the design, as a step that can be undone.
void KeepSiteFolder(DesignSession& session, const std::string& project, const QString& folder) {
  FormatExtensions wanted = session.Document().Extensions;
  StoreSiteFolder(wanted, project, ToNativePath(folder));
  if (wanted == session.Document().Extensions) return;
  session.History().Push(
      new ChangeValuesCommand(session.History().Editor(), std::move(wanted), "Set Site Folder", true));
}

}  // namespace

void UpdateSitePagesOfDesign(DesignSession& session) {
  session.StorePages();
  if (session.ProjectFile().isEmpty()) {
    session.Ask(QMessageBox::Information,
                "Save the design first: the site's pages load the menu from the files published beside the "
                "project file.",
                QMessageBox::Ok, QMessageBox::Ok);
    return;
  }
  const std::string project = ToNativePath(session.ProjectFile());
  QString folder = FromNativePath(SiteFolderOf(session.Document().Extensions, project));
  if (folder.isEmpty()) {
    folder = AskForFolder(session, FromNativePath(FolderOf(project)));
    if (folder.isEmpty()) return;
    KeepSiteFolder(session, project, folder);
  }

  auto run = [&session, project](const std::string& siteFolder, bool write) {
    SiteUpdateOptions options;
    options.write = write;
    SiteUpdate update = UpdateSitePages(session.Document(), session.Tree(), project, {siteFolder}, options);
    if (update.written) {
      session.SetModified(false);
      WarnAboutUncopiedImages(session, update.published);
    }
    return update;
  };
  TfrmSitePages dialog(
      folder, run, [&session](const QString& current) { return AskForFolder(session, current); },
      session.DialogParent());
  QObject::connect(&dialog, &TfrmSitePages::FolderChosen,
                   [&session, project](const QString& chosen) { KeepSiteFolder(session, project, chosen); });
  dialog.Scan();
  dialog.exec();
}

}  // namespace velmora
