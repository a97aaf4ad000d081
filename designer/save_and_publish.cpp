#include "designer/save_and_publish.h"

#include <QStringList>

#include "designer/design_session.h"
#include "document/errors.h"
#include "document/file_io.h"
#include "generator/publish.h"
#include "generator/site_pages.h"
#include "platform/codepage.h"

namespace velmora {

void SaveAndPublishTo(DesignSession& session, const QString& projectPath) {
  const std::string path = ToNativePath(projectPath);
  // A design kept with a site publishes under the name its site pages hold.
  const std::string sitePagesName = DefaultPublishMenuName(session.Document().Extensions);
  PublishResult result;
  try {
    result = SaveProjectAndPublish(session.Document(), session.Tree(),
                                   sitePagesName.empty() ? session.MenuBaseNameText() : sitePagesName,
                                   FolderOf(path), NameOf(path));
  } catch (const FileError& error) {
    throw Error(SaveFailureText(BaseNameOf(NameOf(path)) + ".velm", error));
  }
  if (!result.siteRefusal.empty()) {
    session.Ask(QMessageBox::Warning,
                "The project " + FromNativePath(BaseNameOf(NameOf(path)) + ".velm") +
                    " was saved, but the page and the scripts were not written, so the published site is "
                    "unchanged:\n\n" +
                    FromErrorText(result.siteRefusal) + "\n\nChange the value, then save again to publish.",
                QMessageBox::Ok, QMessageBox::Ok);
    return;
  }
  WarnAboutUncopiedImages(session, result);
  WarnAboutPageLinks(session, result.pageWarnings);
}

void WarnAboutPageLinks(DesignSession& session, const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  QStringList lines;
  for (const auto& warning : warnings) lines << "  " + FromErrorText(warning);
  session.Ask(QMessageBox::Warning,
              "The page's list of links shows these items as text, because their links run script or hold "
              "data:\n" +
                  lines.join('\n') + "\n\nThe menu itself keeps the links.",
              QMessageBox::Ok, QMessageBox::Ok);
}

void WarnAboutUncopiedImages(DesignSession& session, const PublishResult& result) {
  QStringList lines;
  for (const auto& name : result.uncopiedScripts)
    lines << "  " + FromNativePath(name) + " (not in the program folder)";
  for (const auto& name : result.uncopiedImages) lines << "  " + FromNativePath(name);
  for (const auto& name : result.unsafeImages)
    lines << "  " + FromNativePath(name) + " (outside the project folder)";
  if (lines.isEmpty()) return;
  session.Ask(QMessageBox::Warning,
              "The design was saved, but these files could not be copied next to it:\n" + lines.join('\n') +
                  "\n\nChoose them again with the image buttons of the item pages, then save again.",
              QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace velmora
