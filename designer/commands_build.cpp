// Document commands: building the page, previewing it and the publish report.

#include <QTemporaryDir>

#include "designer/main_form.h"
#include "dialogs/HTMLBuild.h"
#include "dialogs/PublishReport.h"
#include "dialogs/WebBrowser.h"
#include "document/errors.h"
#include "document/file_io.h"
#include "generator/generate.h"
#include "generator/preview.h"
#include "generator/publish.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPreviewPage = "~preview.html";
constexpr const char* kPublishReport = "PublishReport.txt";

// The code window's text as the page file: every line ended by CR LF.
std::string PageFileText(const QString& windowText) {
  QStringList lines = QString(windowText).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  std::string text;
  for (const QString& line : lines) text += ToCodePage(line) + "\r\n";
  return text;
}

}  // namespace

bool TMainForm::BuildHtmlCode() {
  if (Tree().NodeCount() < 2) {
    Ask(QMessageBox::Critical,
        QStringLiteral("No item to build. Please add item to left pane and try again."), QMessageBox::Ok,
        QMessageBox::Ok);
    return false;
  }
  StorePages();
  PageOptions options;
  if (!CurrentProjectFile.isEmpty()) options.title = BaseNameOf(NameOf(ToNativePath(CurrentProjectFile)));
  std::vector<std::string> warnings;
  std::string page = BuildPageText(Document(), Tree(), MenuBaseName, options, &warnings);
  const std::string code = CodeToPaste(Document(), options, page);
  HtmlWindow().SetPageText(FromCodePage(code));
  // Preview shows the page of this very build, also when the window shows less.
  builtPage_ = code == page ? std::string() : std::move(page);
  WarnAboutPageLinks(warnings);
  return true;
}

void TMainForm::BuildHTML1Click() {
  // After a refusal the window shows the last page built.
  BuildHtmlCode();
  HtmlWindow().exec();
}

void TMainForm::Preview1Click() {
  // A refused build has nothing new to show.
  if (!BuildHtmlCode()) return;
  TvornAppletAgent& doc = Document();
  const std::string programFolder = ToNativePath(ProgramFolder());
  CopyScriptsToPreview(doc, programFolder);
  CopyResourceFiles(doc, programFolder);
  const std::string page = JoinPath(programFolder, kPreviewPage);
  WriteFileAtomically(page, builtPage_.empty() ? PageFileText(HtmlWindow().PageText()) : builtPage_);
  CopyToPreviewFolder(doc, page);
  DeleteFileQuietly(page);

  TformWebBrowser browser(this);
  const QString problem =
      browser.LaunchPreview(FromNativePath(PreviewFolder(doc)), QString::fromLatin1(kPreviewPage));
  if (!problem.isEmpty()) Ask(QMessageBox::Warning, problem, QMessageBox::Ok, QMessageBox::Ok);
}

void TMainForm::Publish1Click() {
  StorePages();
  TvornAppletAgent& doc = Document();
  // The report lists the scripts a save writes, also before the first build.
  NameGeneratedFiles(doc);
  // The report is written in a folder of its own, then gathered in the
  // preview folder, which the report window shows.
  QTemporaryDir scratch;
  if (!scratch.isValid()) throw FileError(ToNativePath(scratch.path()), "cannot create a temporary folder");
  const std::string folder = ToNativePath(scratch.path());
  WritePublishReport(doc, folder, kPublishReport);
  CopyToPreviewFolder(doc, JoinPath(folder, kPublishReport));

  TfrmPublishReport report(this);
  report.LoadReport(FromNativePath(JoinPath(PreviewFolder(doc), kPublishReport)), doc.Encoding);
  report.exec();
}

void TMainForm::WebBrowser1Click() {
  TformWebBrowser browser(this);
  browser.exec();
}

}  // namespace velmora
