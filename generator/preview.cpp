#include "generator/preview.h"

#include <filesystem>

#include "document/file_io.h"
#include "document/text.h"
#include "document/text_encoding.h"

namespace fs = std::filesystem;

namespace velmora {

namespace {

// Copies `source` to preview/relativeName, creating subfolders of a name
// that has them, and records the name.
void CopyIntoPreview(TvornAppletAgent& doc, const std::string& source, const std::string& relativeName) {
  const std::string target = JoinPath(PreviewFolder(doc), relativeName);
  std::error_code ec;
  fs::create_directories(fs::path(target).parent_path(), ec);
  CopyFileQuietly(source, target);
  doc.PreviewFiles.push_back(relativeName);
}

}  // namespace

std::string PreviewFolder(const TvornAppletAgent& doc) {
  return JoinPath(doc.ProgramFolder(), "preview");
}

bool IsSafeImageName(const std::string& name) {
  if (name.empty() || name[0] == '/' || name[0] == '\\') return false;
  if (name.size() > 1 && name[1] == ':') return false;  // a drive letter
  size_t start = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || name[i] == '/' || name[i] == '\\') {
      if (std::string_view(name).substr(start, i - start) == "..") return false;
      start = i + 1;
    }
  }
  return true;
}

void CopyToPreviewFolder(TvornAppletAgent& doc, const std::string& path) {
  CopyIntoPreview(doc, path, NameOf(path));
}

void CopyScriptsToPreview(TvornAppletAgent& doc, const std::string& folder) {
  for (const auto& name : doc.RuntimeFiles) CopyToPreviewFolder(doc, JoinPath(folder, name));
  DeleteFileQuietly(JoinPath(folder, doc.RuntimeFiles[1]));
  DeleteFileQuietly(JoinPath(folder, doc.RuntimeFiles[2]));
}

std::vector<std::string> ImageNames(const TvornAppletAgent& doc) {
  std::vector<std::string> names;
  for (const auto& item : doc.Items) {
    for (ItemField field : kImageFields) {
      if (!item[field].empty()) names.emplace_back(item[field]);
    }
  }
  return names;
}

std::vector<std::string> CopyResourceFiles(TvornAppletAgent& doc, const std::string& folder) {
  StatusSink& status = doc.Status();
  status.SetProgressMax(100);
  StatusGuard guard(status, "Copying Resource Files ... ...");
  std::vector<std::string> skipped;
  for (const auto& name : ImageNames(doc)) {
    const std::string file = FileSystemName(name, doc.Encoding);
    if (IsSafeImageName(file)) {
      CopyIntoPreview(doc, JoinPath(folder, file), file);
    } else {
      skipped.push_back(file);
    }
  }
  status.StepProgress(50);
  status.StepProgress(50);
  return skipped;
}

void CleanPreviewFolder(TvornAppletAgent& doc) {
  const fs::path preview = PreviewFolder(doc);
  std::error_code ec;
  for (const auto& name : doc.PreviewFiles) {
    if (!IsSafeImageName(name)) continue;
    fs::path file = preview / name;
    fs::remove(file, ec);
    // Remove the subfolders a name brought, once they are empty.
    for (fs::path dir = file.parent_path(); dir != preview && dir.has_relative_path();
         dir = dir.parent_path()) {
      if (!fs::remove(dir, ec)) break;
    }
  }
  doc.PreviewFiles.clear();
  fs::remove(preview, ec);  // only succeeds when the folder is empty
}

}  // namespace velmora
