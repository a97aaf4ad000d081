#include "generator/publish.h"

#include <filesystem>
#include <unordered_set>

#include "document/file_io.h"
#include "document/text.h"
#include "generator/generate.h"
#include "generator/preview.h"

namespace fs = std::filesystem;

namespace velmora {

std::string BaseNameOf(const std::string& projectFileName) {
  const auto dot = projectFileName.rfind('.');
  if (dot == std::string::npos) return projectFileName;
  const std::string extension = FoldCase1252(projectFileName.substr(dot));
  const std::string folded = FoldCase1252(projectFileName);
  std::string out;
  size_t start = 0;
  for (size_t at; (at = folded.find(extension, start)) != std::string::npos; start = at + extension.size()) {
    out.append(projectFileName, start, at - start);
  }
  out.append(projectFileName, start);
  return out;
}

PublishResult SaveAndPublish(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                             const std::string& folder, const std::string& projectFileName,
                             PageOptions options) {
  const std::string base = BaseNameOf(projectFileName);
  if (options.title.empty()) options.title = base;
  PublishResult result;
  result.pageWarnings = GenerateMenuFiles(doc, tree, menuBaseName, JoinPath(folder, base + ".html"), options);
  for (const auto& name : doc.RuntimeFiles) {
    CopyFileQuietly(JoinPath(doc.ProgramFolder(), name), JoinPath(folder, name));
  }
  doc.SaveProject(JoinPath(folder, base + ".velm"));
  WritePublishReport(doc, folder, base + "_PublishReport.txt");

  StatusSink& status = doc.Status();
  status.SetProgressMax(100);
  StatusGuard guard(status, "Copying Publishable Files ... ...");
  const std::string preview = PreviewFolder(doc);
  std::unordered_set<std::string> reported;
  for (const auto& name : ImageNames(doc)) {
    if (!IsSafeImageName(name)) {
      if (reported.insert(name).second) result.unsafeImages.push_back(name);
      continue;
    }
    const std::string target = JoinPath(folder, name);
    std::error_code ec;
    fs::create_directories(fs::path(target).parent_path(), ec);
    if (!CopyFileQuietly(JoinPath(preview, name), target) && reported.insert(name).second) {
      result.uncopiedImages.push_back(name);
    }
  }
  status.StepProgress(50);
  status.StepProgress(50);
  return result;
}

std::string PublishReportText(TvornAppletAgent& doc) {
  const std::string rule(77, '=');
  std::string out;
  auto line = [&out](const std::string& text) { AppendLine(out, text); };
  line(rule);
  line("This file includes a list of filename and you need to upload them to Web server");
  line("to get the script to work. All these files are saved into the same directory along");
  line("with the project file (*.velm) as well as this file.");
  line("");
  line(rule);
  line("");

  StatusSink& status = doc.Status();
  status.SetProgressMax(101);
  StatusGuard guard(status, "Making Publish Report ... ...");
  line("[Script file(s)]:");
  for (const auto& name : doc.RuntimeFiles) {
    line("  " + name);
    status.StepProgress(1);
  }
  line("");
  line("[Image File(s)]: They should be copied along with script files!");
  std::unordered_set<std::string> listed;
  for (const auto& name : ImageNames(doc)) {
    if (listed.insert(name).second) line("  " + name);
  }
  status.StepProgress(50);
  status.StepProgress(50);
  line("");
  line("");
  line(rule);
  line("End of Publish Report");
  line(rule);
  return out;
}

void WritePublishReport(TvornAppletAgent& doc, const std::string& folder, const std::string& fileName) {
  WriteFileAtomically(JoinPath(folder, fileName), PublishReportText(doc));
}

}  // namespace velmora
