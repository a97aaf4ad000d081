#include "designer/commands_support.h"

#include <QFileInfo>

#include "designer/design_session.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "generator/publish.h"
#include "platform/codepage.h"

namespace velmora {

bool ReportReadResult(DesignSession& session, const ReadResult& result, const QString& path,
                      const char* refusedMessage) {
  switch (result.outcome) {
    case ReadOutcome::Loaded:
      if (result.repairedItems > 0) {
        session.Ask(
            QMessageBox::Information,
            QStringLiteral("%1\n\n%2 item(s) had levels out of order and were placed under the nearest "
                           "possible parent.")
                .arg(path)
                .arg(result.repairedItems),
            QMessageBox::Ok, QMessageBox::Ok);
      }
      return true;
    case ReadOutcome::WrongProduct:
      session.Ask(QMessageBox::Critical, QString::fromLatin1(refusedMessage), QMessageBox::Ok,
                  QMessageBox::Ok);
      return false;
    case ReadOutcome::NothingRead:
      session.Ask(QMessageBox::Warning,
                  path + "\n\nThe file is empty or holds no product name; nothing was opened.",
                  QMessageBox::Ok, QMessageBox::Ok);
      return false;
    case ReadOutcome::Truncated:
      session.Ask(
          QMessageBox::Warning,
          path + "\n\nThe file is incomplete: " + FromErrorText(result.detail) + ". Nothing was opened.",
          QMessageBox::Ok, QMessageBox::Ok);
      return false;
  }
  return false;
}

void ShowReadDesign(DesignSession& session, const std::string& resourceFolder) {
  TvornAppletAgent& doc = session.Document();
  CleanPreviewFolder(doc);
  session.LoadMenuPages();
  CopyResourceFiles(doc, resourceFolder);
  session.ShowReadTree();
  session.SetModified(false);
}

bool ReadProjectFile(DesignSession& session, const QString& path) {
  const std::string nativePath = ToNativePath(path);
  // The reader leaves the document and the tree untouched unless it loads.
  const ReadResult result = session.RebuildTreeWith(
      [&](DesignTree& tree) { return session.Document().LoadProject(nativePath, tree); });
  return ReportReadResult(session, result, path, kWrongProjectMessage);
}

QString WrittenProjectPath(const QString& chosenPath) {
  const std::string path = ToNativePath(chosenPath);
  return FromNativePath(FolderOf(path) + BaseNameOf(NameOf(path)) + ".velm");
}

}  // namespace velmora
