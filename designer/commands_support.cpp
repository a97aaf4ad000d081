#include "designer/commands_support.h"

#include <QFileInfo>

#include "designer/main_form.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "generator/publish.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

// Kept on the window itself, so each window has its own.
constexpr const char* kDialogFolderProperty = "velmoraDialogFolder";

}  // namespace

QString DialogFolder(const TMainForm& form) {
  const QString kept = form.property(kDialogFolderProperty).toString();
  if (!kept.isEmpty()) return kept;
  if (!form.ProjectFile().isEmpty()) return QFileInfo(form.ProjectFile()).absolutePath();
  return {};
}

void KeepDialogFolder(TMainForm& form, const QString& folder) {
  form.setProperty(kDialogFolderProperty, folder);
}

bool ReportReadResult(TMainForm& form, const ReadResult& result, const QString& path,
                      const char* refusedMessage) {
  switch (result.outcome) {
    case ReadOutcome::Loaded:
      if (result.repairedItems > 0) {
        form.Ask(QMessageBox::Information,
                 QStringLiteral("%1\n\n%2 item(s) had levels out of order and were placed under the nearest "
                                "possible parent.")
                     .arg(path)
                     .arg(result.repairedItems),
                 QMessageBox::Ok, QMessageBox::Ok);
      }
      return true;
    case ReadOutcome::WrongProduct:
      form.Ask(QMessageBox::Critical, QString::fromLatin1(refusedMessage), QMessageBox::Ok, QMessageBox::Ok);
      return false;
    case ReadOutcome::NothingRead:
      form.Ask(QMessageBox::Warning,
               path + "\n\nThe file is empty or holds no product name; nothing was opened.", QMessageBox::Ok,
               QMessageBox::Ok);
      return false;
    case ReadOutcome::Truncated:
      form.Ask(QMessageBox::Warning,
               path + "\n\nThe file is incomplete: " + FromErrorText(result.detail) + ". Nothing was opened.",
               QMessageBox::Ok, QMessageBox::Ok);
      return false;
  }
  return false;
}

void ShowReadDesign(TMainForm& form, const std::string& resourceFolder) {
  TvornAppletAgent& doc = form.Document();
  CleanPreviewFolder(doc);
  form.LoadMenuPages();
  CopyResourceFiles(doc, resourceFolder);
  form.SelectRootNode();
  form.ExpandReadTree();
  form.UpdatePages();
  form.SetModified(false);
}

bool ReadProjectFile(TMainForm& form, const QString& path) {
  const std::string nativePath = ToNativePath(path);
  // The reader leaves the document and the tree untouched unless it loads.
  const ReadResult result =
      form.RebuildTreeWith([&](DesignTree& tree) { return form.Document().LoadProject(nativePath, tree); });
  return ReportReadResult(form, result, path, kWrongProjectMessage);
}

QString ReadProjectIntoWindow(TMainForm& form, const QString& chosenPath) {
  const QString path = QFileInfo(chosenPath).absoluteFilePath();
  if (!ReadProjectFile(form, path)) return {};
  form.AddRecentFile(path);
  ShowReadDesign(form, FolderOf(ToNativePath(path)));
  return path;
}

QString WrittenProjectPath(const QString& chosenPath) {
  const std::string path = ToNativePath(chosenPath);
  return FromNativePath(FolderOf(path) + BaseNameOf(NameOf(path)) + ".velm");
}

}  // namespace velmora
