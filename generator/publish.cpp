#include "generator/publish.h"

#include <filesystem>
#include <unordered_set>

#include "document/errors.h"
#include "document/file_io.h"
#include "document/text.h"
#include "document/text_encoding.h"
#include "generator/generate.h"
#include "generator/prepare.h"
#include "generator/preview.h"

namespace fs = std::filesystem;

namespace velmora {

std::string BaseNameOf(const std::string& projectFileName) {
  const auto dot = projectFileName.rfind('.');
  if (dot == std::string::npos) return projectFileName;
  // A file system name, so UTF-8.
  return ReplaceAllIgnoringCase(projectFileName, projectFileName.substr(dot), "", TextEncoding::Utf8);
}

namespace {

// The project file alone, when the generators refused a value: the page,
// scripts, images and report stay as they were. A value the project file
// cannot hold itself still refuses.
PublishResult SaveProjectAlone(TvornAppletAgent& doc, const std::string& folder,
                               const std::string& projectFileName, const std::string& refusal) {
  doc.CheckProjectValues();
  RemoveLeftTemporaryFiles(folder);
  doc.SaveProject(JoinPath(folder, BaseNameOf(projectFileName) + ".velm"));
  PublishResult result;
  result.siteRefusal = refusal;
  return result;
}

}  // namespace

PublishResult SaveAndPublish(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                             const std::string& folder, const std::string& projectFileName,
                             PageOptions options) {
  StagedFiles files;
  PublishResult result = StagePublish(doc, tree, menuBaseName, folder, projectFileName, files, options);
  files.Commit();
  return result;
}

PublishResult StagePublish(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                           const std::string& folder, const std::string& projectFileName, StagedFiles& files,
                           PageOptions options) {
  const std::string base = BaseNameOf(projectFileName);
  // Every refusal comes before the first write.
  if (options.title.empty()) options.title = base;
  const MenuTexts texts = GenerateMenuTexts(doc, tree, menuBaseName, options);
  doc.CheckProjectValues();
  RemoveLeftTemporaryFiles(folder);

  const std::string home = doc.ProgramFolder();
  std::error_code ec;
  const bool homeIsTarget = fs::equivalent(home.empty() ? "." : home, folder.empty() ? "." : folder, ec);
  if (!homeIsTarget) {
    // The generated scripts are kept in the program folder too.
    WriteFileAtomically(JoinPath(home, doc.RuntimeFiles[2]), texts.stylesheet);
    WriteFileAtomically(JoinPath(home, doc.RuntimeFiles[1]), texts.script);
  }

  PublishResult result;
  result.pageWarnings = texts.warnings;
  files.Write(JoinPath(folder, base + ".html"), texts.page);
  std::vector<std::string> scripts;
  const std::string runtime = doc.RuntimeFiles[0];
  if (files.Copy(JoinPath(home, runtime), JoinPath(folder, runtime))) {
    scripts.push_back(runtime);
  } else {
    result.uncopiedScripts.push_back(runtime);
  }
  files.Write(JoinPath(folder, doc.RuntimeFiles[1]), texts.script);
  files.Write(JoinPath(folder, doc.RuntimeFiles[2]), texts.stylesheet);
  scripts.push_back(doc.RuntimeFiles[1]);
  scripts.push_back(doc.RuntimeFiles[2]);
  doc.StageProject(files, JoinPath(folder, base + ".velm"));

  std::vector<std::string> images;
  {
    StatusSink& status = doc.Status();
    status.SetProgressMax(100);
    StatusGuard guard(status, "Copying Publishable Files ... ...");
    const std::string preview = PreviewFolder(doc);
    std::unordered_set<std::string> seen;
    for (const auto& stored : ImageNames(doc)) {
      if (!seen.insert(stored).second) continue;
      // The report lists the name as the design holds it; warnings and
      // copies use the file system's name.
      const std::string name = FileSystemName(stored, doc.Encoding);
      if (!IsSafeImageName(name)) {
        result.unsafeImages.push_back(name);
        continue;
      }
      const std::string target = JoinPath(folder, name);
      files.MakeFolderFor(target);
      if (files.Copy(JoinPath(preview, name), target)) {
        images.push_back(stored);
      } else {
        result.uncopiedImages.push_back(name);
      }
    }
    status.StepProgress(50);
    status.StepProgress(50);
  }
  // The report lists what was written, nothing else.
  files.Write(JoinPath(folder, base + "_PublishReport.txt"), PublishReportText(doc, scripts, images));
  return result;
}

PublishResult SaveProjectAndPublish(TvornAppletAgent& doc, const DesignTree& tree,
                                    const std::string& menuBaseName, const std::string& folder,
                                    const std::string& projectFileName, PageOptions options) {
  try {
    return SaveAndPublish(doc, tree, menuBaseName, folder, projectFileName, options);
  } catch (const ValueError& refusal) {
    return SaveProjectAlone(doc, folder, projectFileName, refusal.what());
  } catch (const NumberError& refusal) {
    return SaveProjectAlone(doc, folder, projectFileName, refusal.what());
  }
}

std::string SaveFailureText(const std::string& projectFileName, const FileError& error) {
  std::string problem = error.problem();
  if (problem == "No space left on device") problem = "no space left on the device";
  if (!problem.empty() && problem[0] >= 'A' && problem[0] <= 'Z' &&
      (problem.size() < 2 || !(problem[1] >= 'A' && problem[1] <= 'Z'))) {
    problem[0] = static_cast<char>(problem[0] - 'A' + 'a');
  }
  const std::string name = NameOf(projectFileName);
  std::string text = "Could not save " + name + ": ";
  if (NameOf(error.path()) != name) text += error.path() + ": ";
  return text + problem + ". The project and the site are unchanged.";
}

std::string PublishReportText(TvornAppletAgent& doc) {
  std::vector<std::string> images;
  std::unordered_set<std::string> listed;
  for (const auto& name : ImageNames(doc)) {
    if (listed.insert(name).second) images.push_back(name);
  }
  return PublishReportText(doc, {doc.RuntimeFiles.begin(), doc.RuntimeFiles.end()}, images);
}

std::string PublishReportText(TvornAppletAgent& doc, const std::vector<std::string>& scripts,
                              const std::vector<std::string>& images) {
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
  for (const auto& name : scripts) {
    line("  " + name);
    status.StepProgress(1);
  }
  line("");
  line("[Image File(s)]: They should be copied along with script files!");
  for (const auto& name : images) line("  " + name);
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
