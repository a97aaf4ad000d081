#include "generator/generate.h"

#include <cstdio>
#include <cstring>

#include "document/file_io.h"
#include "document/text.h"
#include "generator/config_script.h"
#include "generator/html5_page.h"
#include "generator/maker.h"
#include "generator/modern_sheet.h"
#include "generator/prepare.h"
#include "generator/styles.h"

namespace velmora {

std::string PageText(const std::array<std::string, 3>& runtimeFiles, const std::string& menuBaseName) {
  char length[8];
  std::snprintf(length, sizeof length, "%04zu", std::strlen(kHomePage));
  const std::string lines[] = {
      std::string("<!-- saved from url=(") + length + ")" + kHomePage + " -->",
      "<html>",
      "<head>",
      "<title>Preview</title>",
      "</head>",
      "<body>",
      "",
      "<!-- Velmora 1.0 -->",
      std::string("<!-- ") + kCopyrightLine + " -->",
      std::string("<!-- ") + kProductPage + " -->",
      "<!-- NOTE: Please insert these codes into <body> section of Web pages. -->",
      "<!-- BEGIN -->",
  };
  std::string out;
  for (const auto& line : lines) AppendLine(out, line);
  const std::vector<std::string> code = ClassicMenuCode(runtimeFiles, menuBaseName, "./");
  for (size_t k = 0; k + 1 < code.size(); ++k) AppendLine(out, code[k]);
  AppendLine(out, "<!-- END -->");
  AppendLine(out, code.back());
  for (const char* line : {"", "</body>", "</html>"}) AppendLine(out, line);
  return out;
}

std::vector<std::string> ClassicMenuCode(const std::array<std::string, 3>& runtimeFiles,
                                         const std::string& menuBaseName, const std::string& filesPrefix) {
  return {
      "<link href=\"" + filesPrefix + runtimeFiles[2] + "\" type=text/css rel=stylesheet>",
      "<script language=\"javascript\" src=\"" + filesPrefix + runtimeFiles[1] + "\"></script>",
      "<script language=\"javascript\" src=\"" + filesPrefix + runtimeFiles[0] + "\"></script>",
      "<div id=" + menuBaseName + "div></div>",
  };
}

void NameGeneratedFiles(TvornAppletAgent& doc) {
  doc.RuntimeFiles[1] = "jsmenu01cfg.js";
  doc.RuntimeFiles[2] = "jsmenu01.css";
}

MenuTexts GenerateMenuTexts(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                            const PageOptions& options) {
  StatusGuard guard(doc.Status(), "Making HTML Codes ... ...", /*resetPosition=*/false);
  const PageSettings settings = PageSettingsOf(doc);
  const PageStyle style = options.style.value_or(settings.style);
  NameGeneratedFiles(doc);
  PrepareItems(doc, tree);
  const StyleTable styles = AssignStyleClasses(doc, menuBaseName);
  MenuTexts texts;
  texts.script = ConfigScriptText(doc, menuBaseName, style);
  if (style == PageStyle::Html5) {
    const ModernSheet modern = Html5SheetOf(doc, menuBaseName);
    // Lines end in LF on the modern page.
    texts.stylesheet = WithLineFeeds(ModernStylesheetText(styles, doc.Encoding, modern) +
                                     Html5ListStyles(doc, menuBaseName));
    Html5Page page = Html5PageText(doc, menuBaseName, settings.language, options.title);
    texts.page = std::move(page.text);
    texts.warnings = std::move(page.warnings);
  } else {
    texts.stylesheet = StylesheetText(styles, doc.Encoding);
    texts.page = PageText(doc.RuntimeFiles, menuBaseName);
  }
  return texts;
}

std::vector<std::string> GenerateMenuFiles(TvornAppletAgent& doc, const DesignTree& tree,
                                           const std::string& menuBaseName, const std::string& pagePath,
                                           const PageOptions& options) {
  // Everything is built before the first write, so a refused value writes nothing.
  MenuTexts texts = GenerateMenuTexts(doc, tree, menuBaseName, options);
  WriteFileAtomically(JoinPath(doc.ProgramFolder(), doc.RuntimeFiles[2]), texts.stylesheet);
  WriteFileAtomically(JoinPath(doc.ProgramFolder(), doc.RuntimeFiles[1]), texts.script);
  WriteFileAtomically(pagePath, texts.page);
  return std::move(texts.warnings);
}

std::string BuildPageText(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                          const PageOptions& options, std::vector<std::string>* warnings) {
  const std::string path = UniqueTemporaryPath("velmora-build", ".html");
  std::vector<std::string> found = GenerateMenuFiles(doc, tree, menuBaseName, path, options);
  if (warnings) *warnings = std::move(found);
  std::string text = ReadWholeFile(path);
  DeleteFileQuietly(path);
  return text;
}

std::string CodeToPaste(const TvornAppletAgent& doc, const PageOptions& options,
                        const std::string& pageText) {
  const PageStyle style = options.style.value_or(PageSettingsOf(doc).style);
  return style == PageStyle::Html5 ? Html5PasteCode(pageText) : pageText;
}

}  // namespace velmora
