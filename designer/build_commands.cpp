// The Script menu's commands: building the page into the code window,
// previewing it in the browser, the publish report and the browser setting.

#include "designer/build_commands.h"

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

bool BuildCommands::BuildHtmlCode() {
  if (form_.Tree().NodeCount() < 2) {
    form_.Ask(QMessageBox::Critical,
              QStringLiteral("No item to build. Please add item to left pane and try again."),
              QMessageBox::Ok, QMessageBox::Ok);
    return false;
  }
  form_.StorePages();
  PageOptions options;
  if (!form_.ProjectFile().isEmpty()) options.title = BaseNameOf(NameOf(ToNativePath(form_.ProjectFile())));
  std::vector<std::string> warnings;
  std::string page =
      BuildPageText(form_.Document(), form_.Tree(), form_.MenuBaseNameText(), options, &warnings);
  const std::string code = CodeToPaste(form_.Document(), options, page);
  form_.HtmlWindow().SetPageText(FromCodePage(code));
  // Preview shows the page of this very build, also when the window shows less.
  builtPage_ = code == page ? std::string() : std::move(page);
  form_.WarnAboutPageLinks(warnings);
  return true;
}

void BuildCommands::BuildHtml() {
  // After a refusal the window shows the last page built.
  BuildHtmlCode();
  form_.HtmlWindow().exec();
}

void BuildCommands::Preview() {
  // A refused build has nothing new to show.
  if (!BuildHtmlCode()) return;
  TvornAppletAgent& doc = form_.Document();
  const std::string programFolder = ToNativePath(form_.ProgramFolder());
  CopyScriptsToPreview(doc, programFolder);
  CopyResourceFiles(doc, programFolder);
  const std::string page = JoinPath(programFolder, kPreviewPage);
  WriteFileAtomically(page, builtPage_.empty() ? PageFileText(form_.HtmlWindow().PageText()) : builtPage_);
  CopyToPreviewFolder(doc, page);
  DeleteFileQuietly(page);

  TformWebBrowser browser(&form_);
  const QString problem =
      browser.LaunchPreview(FromNativePath(PreviewFolder(doc)), QString::fromLatin1(kPreviewPage));
  if (!problem.isEmpty()) form_.Ask(QMessageBox::Warning, problem, QMessageBox::Ok, QMessageBox::Ok);
}

void BuildCommands::Publish() {
  form_.StorePages();
  TvornAppletAgent& doc = form_.Document();
  // The report lists the scripts a save writes, also before the first build.
  NameGeneratedFiles(doc);
  // The report is written in a folder of its own, then gathered in the
  // preview folder, which the report window shows.
  QTemporaryDir scratch;
  if (!scratch.isValid()) throw FileError(ToNativePath(scratch.path()), "cannot create a temporary folder");
  const std::string folder = ToNativePath(scratch.path());
  WritePublishReport(doc, folder, kPublishReport);
  CopyToPreviewFolder(doc, JoinPath(folder, kPublishReport));

  TfrmPublishReport report(&form_);
  report.LoadReport(FromNativePath(JoinPath(PreviewFolder(doc), kPublishReport)), doc.Encoding);
  report.exec();
}

void BuildCommands::WebBrowser() {
  TformWebBrowser browser(&form_);
  browser.exec();
}

}  // namespace velmora
