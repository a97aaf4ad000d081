#include "generator/site_pages.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "document/errors.h"
#include "document/file_io.h"
#include "document/status_sink.h"
#include "document/text.h"
#include "generator/generate.h"
#include "generator/html5_page.h"
#include "generator/preview.h"
#include "generator/site_links.h"
#include "generator/site_region.h"

namespace fs = std::filesystem;

namespace velmora {

namespace {

bool IsPageName(const fs::path& path) {
  const std::string extension = ToLowerAscii(path.extension().string());
  return extension == ".html" || extension == ".htm" || extension == ".xhtml";
}

// A page a browser reads as XML: its name says XHTML, or it opens with an
// XML declaration.
bool IsXmlPage(const std::string& path, std::string_view bytes) {
  if (ToLowerAscii(fs::path(path).extension().string()) == ".xhtml") return true;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  while (!bytes.empty() && (bytes[0] == ' ' || bytes[0] == '\t' || bytes[0] == '\r' || bytes[0] == '\n'))
    bytes.remove_prefix(1);
  return bytes.starts_with("<?xml");
}

bool IsInside(const fs::path& path, const fs::path& folder) {
  const fs::path relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

fs::path Canonical(const fs::path& path) {
  std::error_code ec;
  fs::path out = fs::weakly_canonical(fs::absolute(path, ec), ec);
  return ec ? fs::absolute(path).lexically_normal() : out;
}

class Walker {
 public:
  Walker(SiteWalk& out, const std::vector<std::string>& skipFolders) : out_(out) {
    for (const auto& folder : skipFolders) skip_.insert(Canonical(folder));
  }

  void Take(const std::string& given) {
    std::error_code ec;
    const fs::file_status status = fs::status(given, ec);
    if (!fs::exists(status)) {
      out_.leftOut.push_back({given, SitePageState::Problem, "no such file or folder"});
    } else if (fs::is_directory(status)) {
      root_ = Canonical(given);
      Walk(given, root_);
    } else {
      Add(given);
    }
  }

 private:
  void Add(const std::string& page) {
    if (seen_.insert(Canonical(page)).second) out_.pages.push_back(page);
  }

  void Walk(const fs::path& folder, const fs::path& real) {
    if (skip_.count(real) || !visited_.insert(real).second) return;
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
      entries.push_back(*it);
    if (ec) {
      out_.leftOut.push_back(
          {folder.string(), SitePageState::Problem, "the folder cannot be read: " + ec.message()});
      return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    for (const fs::directory_entry& entry : entries) {
      const fs::path& path = entry.path();
      const bool directory = entry.is_directory(ec);
      if (directory && path.filename().string().starts_with(".")) continue;
      if (!directory && !IsPageName(path)) continue;
      if (entry.is_symlink(ec) && !fs::exists(entry.status(ec))) {
        out_.leftOut.push_back(
            {path.string(), SitePageState::Skipped, "a symbolic link to nothing: left alone"});
        continue;
      }
      const fs::path target = Canonical(path);
      if (entry.is_symlink(ec) && !IsInside(target, root_)) {
        out_.leftOut.push_back({path.string(), SitePageState::Skipped,
                                "a symbolic link leading out of " + root_.string() + ": not followed"});
        continue;
      }
      if (directory) {
        Walk(path, target);
      } else if (entry.is_regular_file(ec)) {
        Add(path.string());
      }
    }
  }

  SiteWalk& out_;
  std::set<fs::path> skip_, visited_, seen_;
  fs::path root_;
};

// A page read and checked, with what its region should hold.
struct ReadPage {
  std::string real;  // where it is written: symbolic links resolved
  std::string bytes;
  MenuRegion region;
};

bool Read(const std::string& path, ReadPage& page, SitePage& entry) {
  std::error_code ec;
  page.real = Canonical(path).string();
  const auto size = fs::file_size(page.real, ec);
  if (!ec && size > kLargestSitePage) {
    entry.note = path + ": the page is larger than 50 MB";
    return false;
  }
  try {
    page.bytes = ReadWholeFile(page.real);
    page.region = FindMenuRegion(page.bytes, path);
  } catch (const FileError& e) {
    entry.note = path + ": the page cannot be read: " + e.problem();
    return false;
  } catch (const Error& e) {
    entry.note = e.what();
    return false;
  }
  return true;
}

std::string MenuCode(const TvornAppletAgent& doc, PageStyle style, const std::string& menuBaseName,
                     const PagePlace& place) {
  if (style == PageStyle::Html5) return Html5MenuCode(doc, menuBaseName, place).text;
  std::string code;
  for (const auto& line : ClassicMenuCode(doc.RuntimeFiles, menuBaseName, place.FilesPrefix()))
    AppendLine(code, line);
  return code;
}

// Why the page could not be replaced through a temporary file beside it;
// "" when it can. Asked before anything is written, so that such a page
// stops the run instead of failing it halfway.
std::string WhyNotReplaceable(const std::string& path) {
  std::error_code ec;
  const fs::perms perms = fs::status(path, ec).permissions();
  if (!ec && (perms & fs::perms::owner_write) == fs::perms::none) return "the page is read-only";
#ifndef _WIN32
  if (::access(path.c_str(), W_OK) != 0)
    return std::string("the page cannot be written: ") + std::strerror(errno);
  const std::string folder = fs::path(path).parent_path().string();
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    return "its folder " + folder + " takes no new files: " + std::strerror(errno);
#endif
  return "";
}

// A page of a site shared by several people stays theirs: the new page
// gets the old one's owner and group where the system lets us give them.
void KeepOwner(const std::string& page, const std::string& temporary) {
#ifndef _WIN32
  struct stat old;
  if (::stat(page.c_str(), &old) != 0 || ::chown(temporary.c_str(), old.st_uid, old.st_gid) == 0) return;
  // Giving a file away takes privileges; the group alone is kept then.
  [[maybe_unused]] const int groupKept = ::chown(temporary.c_str(), static_cast<uid_t>(-1), old.st_gid);
#else
  (void)page;
  (void)temporary;
#endif
}

}  // namespace

std::string DefaultPublishMenuName(const FormatExtensions& extensions) {
  return extensions.Has(kSiteFolderKey) ? kSiteMenuBaseName : "";
}

std::string SiteFolderOf(const FormatExtensions& extensions, const std::string& projectPath) {
  const std::string stored = extensions.Value(kSiteFolderKey);
  if (stored.empty()) return "";
  fs::path folder(stored);
  if (!folder.is_absolute()) folder = fs::absolute(fs::path(projectPath)).parent_path() / folder;
  folder = folder.lexically_normal();
  // "." kept for the project's own folder names it without a separator at the end.
  return (folder.has_filename() || !folder.has_relative_path() ? folder : folder.parent_path()).string();
}

void StoreSiteFolder(FormatExtensions& extensions, const std::string& projectPath,
                     const std::string& folder) {
  if (folder.empty()) {
    extensions.Remove(kSiteFolderKey);
    return;
  }
  const fs::path base = fs::absolute(fs::path(projectPath)).parent_path().lexically_normal();
  const fs::path relative = fs::absolute(fs::path(folder)).lexically_normal().lexically_relative(base);
  std::string stored =
      relative.empty() ? fs::absolute(folder).lexically_normal().string() : relative.generic_string();
  while (stored.size() > 1 && stored.back() == '/') stored.pop_back();
  extensions.Set(kSiteFolderKey, stored);
}

const char* SitePageStateText(SitePageState state) {
  switch (state) {
    case SitePageState::WillUpdate:
      return "will be updated";
    case SitePageState::UpToDate:
      return "up to date";
    case SitePageState::NoRegion:
      return "no menu region";
    case SitePageState::Skipped:
      return "skipped";
    case SitePageState::Problem:
      break;
  }
  return "problem";
}

std::string SitePageNote(const SitePage& page) {
  std::string_view note = page.note;
  if (note.starts_with(page.path) &&
      (note.substr(page.path.size()).starts_with(": ") || note.substr(page.path.size()).starts_with(", ")))
    note.remove_prefix(page.path.size() + 2);
  return std::string(note);
}

size_t SiteUpdate::Count(SitePageState state) const {
  return static_cast<size_t>(
      std::count_if(pages.begin(), pages.end(), [state](const SitePage& p) { return p.state == state; }));
}

SiteWalk FindSitePages(const std::vector<std::string>& paths, const std::vector<std::string>& skipFolders) {
  SiteWalk out;
  Walker walker(out, skipFolders);
  for (const auto& path : paths) walker.Take(path);
  return out;
}

SiteUpdate UpdateSitePages(TvornAppletAgent& doc, const DesignTree& tree, const std::string& projectPath,
                           const std::vector<std::string>& paths, const SiteUpdateOptions& options) {
  const fs::path published = Canonical(FolderOf(projectPath).empty() ? "." : FolderOf(projectPath));
  const std::string publishedPage = (published / (BaseNameOf(NameOf(projectPath)) + ".html")).string();
  SiteWalk walk = FindSitePages(paths, {PreviewFolder(doc)});

  // One bar over reading, making the regions and writing, a third each;
  // the generation and publishing on the way drive the status area too.
  StatusSink& status = doc.Status();
  const std::string hint = "Updating Site Pages ... ...";
  const int third = static_cast<int>(walk.pages.size());
  auto resume = [&status, &hint, third](int position) {
    status.SetProgressMax(3 * third + 1);
    status.SetProgressPosition(position);
    status.SetHint(hint);
  };
  status.SetProgressMax(3 * third + 1);
  StatusGuard guard(status, hint);

  // Every page is read and checked before anything is generated or written.
  SiteUpdate update;
  std::vector<ReadPage> read;
  std::vector<size_t> entryOfRead;
  for (const std::string& path : walk.pages) {
    SitePage entry{path, SitePageState::Problem, ""};
    ReadPage page;
    if (Canonical(path).string() == publishedPage) {
      entry.state = SitePageState::Skipped;
      entry.note = "the design's own published page: left alone";
    } else if (Read(path, page, entry)) {
      entry.state = page.region.found ? SitePageState::WillUpdate : SitePageState::NoRegion;
      if (page.region.found) {
        entryOfRead.push_back(update.pages.size());
        read.push_back(std::move(page));
      }
    }
    update.pages.push_back(std::move(entry));
    status.StepProgress(1);
  }
  update.pages.insert(update.pages.end(), walk.leftOut.begin(), walk.leftOut.end());

  // The regions, and every page that could not be written, are known
  // before the first file is touched, also the published ones.
  PageOptions titled = options.page;
  titled.title = BaseNameOf(NameOf(projectPath));
  GenerateMenuTexts(doc, tree, options.menuBaseName, titled);
  resume(third);
  const PageStyle style = options.page.style.value_or(PageSettingsOf(doc).style);
  std::vector<std::pair<size_t, std::string>> changed;
  for (size_t k = 0; k < read.size(); ++k) {
    ReadPage& page = read[k];
    SitePage& entry = update.pages[entryOfRead[k]];
    const PagePlace place(published.string(), page.real);
    std::string code = MenuCode(doc, style, options.menuBaseName, place);
    if (IsXmlPage(page.real, page.bytes)) code = XmlSyntax(code);
    const std::string region = RegionText(code, page.region);
    const std::string_view old =
        std::string_view(page.bytes).substr(page.region.begin, page.region.end - page.region.begin);
    if (old == region) {
      entry.state = SitePageState::UpToDate;
    } else if (const std::string why = WhyNotReplaceable(page.real); !why.empty()) {
      entry.state = SitePageState::Problem;
      entry.note = entry.path + ": " + why;
    } else {
      changed.emplace_back(k, PageWithRegion(page.bytes, page.region, region));
    }
    page.bytes.clear();
    status.StepProgress(1);
  }
  if (!options.write || update.HasProblems()) return update;

  StagedFiles files;
  update.published = StagePublish(doc, tree, options.menuBaseName, published.string(), NameOf(projectPath),
                                  files, options.page);
  resume(2 * third);
  std::set<std::string> folders;
  for (auto& [k, text] : changed) {
    // What an interrupted run left beside the pages goes before it is uploaded.
    if (const std::string folder = FolderOf(read[k].real); folders.insert(folder).second)
      RemoveLeftTemporaryFiles(folder);
    AtomicFileWriter writer(read[k].real);
    writer.Append(text);
    std::string temporary = writer.Finish();
    KeepOwner(read[k].real, temporary);
    files.Adopt(read[k].real, std::move(temporary));
    text.clear();
    status.StepProgress(1);
  }
  files.Commit();
  update.written = true;
  return update;
}

std::string SiteUpdateSummary(const SiteUpdate& update, bool done) {
  std::string out = std::to_string(update.Count(SitePageState::WillUpdate)) +
                    (done ? " updated, " : " to update, ") +
                    std::to_string(update.Count(SitePageState::UpToDate)) + " up to date, " +
                    std::to_string(update.Count(SitePageState::NoRegion)) + " without a menu region";
  if (const size_t skipped = update.Count(SitePageState::Skipped))
    out += ", " + std::to_string(skipped) + " skipped";
  if (const size_t problems = update.Count(SitePageState::Problem))
    out += ", " + std::to_string(problems) + (problems == 1 ? " problem" : " problems");
  return out;
}

std::string SiteUpdateReport(const SiteUpdate& update) {
  std::string out;
  for (const SitePage& page : update.pages) {
    std::string state =
        page.state == SitePageState::WillUpdate && update.written ? "updated" : SitePageStateText(page.state);
    if (page.state == SitePageState::NoRegion) state += ": left alone";
    if (page.state == SitePageState::Problem) {
      out += page.note.starts_with(page.path) ? page.note : page.path + ": " + page.note;
    } else {
      out += page.path + ": " + state + (page.note.empty() ? "" : ": " + page.note);
    }
    out += "\n";
  }
  out += SiteUpdateSummary(update, update.written) + "\n";
  return out;
}

}  // namespace velmora
