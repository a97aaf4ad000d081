// The Script menu's commands: building the page into the code window,
// previewing it in the browser, the publish report and the browser setting.

#include "designer/build_commands.h"

#include <QTemporaryDir>

#include "designer/design_session.h"
#include "designer/save_and_publish.h"
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
  if (session_.Tree().NodeCount() < 2) {
    session_.Ask(QMessageBox::Critical,
                 QStringLiteral("No item to build. Please add item to left pane and try again."),
                 QMessageBox::Ok, QMessageBox::Ok);
    return false;
  }
  session_.StorePages();
  PageOptions options;
  if (!session_.ProjectFile().isEmpty())
    options.title = BaseNameOf(NameOf(ToNativePath(session_.ProjectFile())));
  std::vector<std::string> warnings;
  std::string page =
      BuildPageText(session_.Document(), session_.Tree(), session_.MenuBaseNameText(), options, &warnings);
  const std::string code = CodeToPaste(session_.Document(), options, page);
  session_.HtmlWindow().SetPageText(FromCodePage(code));
  // Preview shows the page of this very build, also when the window shows less.
  builtPage_ = code == page ? std::string() : std::move(page);
  WarnAboutPageLinks(session_, warnings);
  return true;
}

void BuildCommands::BuildHtml() {
  // After a refusal the window shows the last page built.
  BuildHtmlCode();
  session_.HtmlWindow().exec();
}

void BuildCommands::Preview() {
  // A refused build has nothing new to show.
  if (!BuildHtmlCode()) return;
  TvornAppletAgent& doc = session_.Document();
  const std::string programFolder = ToNativePath(session_.ProgramFolder());
  CopyScriptsToPreview(doc, programFolder);
  CopyResourceFiles(doc, programFolder);
  const std::string page = JoinPath(programFolder, kPreviewPage);
  WriteFileAtomically(page, builtPage_.empty() ? PageFileText(session_.HtmlWindow().PageText()) : builtPage_);
  CopyToPreviewFolder(doc, page);
  DeleteFileQuietly(page);

  TformWebBrowser browser(session_.DialogParent());
  const QString problem =
      browser.LaunchPreview(FromNativePath(PreviewFolder(doc)), QString::fromLatin1(kPreviewPage));
  if (!problem.isEmpty()) session_.Ask(QMessageBox::Warning, problem, QMessageBox::Ok, QMessageBox::Ok);
}

void BuildCommands::Publish() {
  session_.StorePages();
  TvornAppletAgent& doc = session_.Document();
  // The report lists the scripts a save writes, also before the first build.
  NameGeneratedFiles(doc);
  // The report is written in a folder of its own, then gathered in the
  // preview folder, which the report window shows.
  QTemporaryDir scratch;
  if (!scratch.isValid()) throw FileError(ToNativePath(scratch.path()), "cannot create a temporary folder");
  const std::string folder = ToNativePath(scratch.path());
  WritePublishReport(doc, folder, kPublishReport);
  CopyToPreviewFolder(doc, JoinPath(folder, kPublishReport));

  TfrmPublishReport report(session_.DialogParent());
  report.LoadReport(FromNativePath(JoinPath(PreviewFolder(doc), kPublishReport)), doc.Encoding);
  report.exec();
}

void BuildCommands::WebBrowser() {
  TformWebBrowser browser(session_.DialogParent());
  browser.exec();
}

}  // namespace velmora
