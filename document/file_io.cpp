#include "document/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

#include "document/errors.h"

namespace fs = std::filesystem;

namespace velmora {

namespace {

std::string SystemText(int error) {
  return std::strerror(error);
}

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

std::string RandomTag() {
  static std::mt19937_64 random{std::random_device{}()};
  char tag[24];
  std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(random()));
  return tag;
}

constexpr std::string_view kTemporarySuffix = ".tmp";

long long ThisProcessNumber() {
#ifdef _WIN32
  return static_cast<long long>(_getpid());
#else
  return static_cast<long long>(getpid());
#endif
}

// Whether a process of that number may still be writing; a number that
// cannot be checked counts as running.
bool MayStillRun(long long number) {
#ifdef _WIN32
  (void)number;
  return true;
#else
  if (number <= 0 || number != static_cast<pid_t>(number)) return true;
  return kill(static_cast<pid_t>(number), 0) == 0 || errno == EPERM;
#endif
}

bool IsHexTag(std::string_view text) {
  return text.size() == 16 && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

}  // namespace

std::string TemporaryNameBeside(const std::string& path) {
  return FolderOf(path) + "." + NameOf(path) + "." + std::to_string(ThisProcessNumber()) + "-" + RandomTag() +
         std::string(kTemporarySuffix);
}

std::optional<TemporaryFileName> ReadTemporaryName(std::string_view name) {
  if (name.size() < 2 + kTemporarySuffix.size() || name.front() != '.' || !name.ends_with(kTemporarySuffix))
    return std::nullopt;
  name = name.substr(1, name.size() - 1 - kTemporarySuffix.size());
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::nullopt;
  const std::string_view writer = name.substr(dot + 1);
  const size_t dash = writer.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash > 18 || !IsHexTag(writer.substr(dash + 1)))
    return std::nullopt;
  TemporaryFileName read;
  for (char c : writer.substr(0, dash)) {
    if (c < '0' || c > '9') return std::nullopt;
    read.writer = read.writer * 10 + (c - '0');
  }
  read.target = std::string(name.substr(0, dot));
  return read;
}

void RemoveLeftTemporaryFiles(const std::string& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const auto read = ReadTemporaryName(it->path().filename().string());
    if (!read || MayStillRun(read->writer)) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
  }
}

std::string ReadWholeFile(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw FileError(path, "is a folder, not a file");
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw FileError(path, SystemText(errno));
  std::string content;
  const auto expected = fs::file_size(path, ec);
  if (!ec) content.reserve(expected);
  char buffer[1 << 16];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
  const bool failed = std::ferror(file);
  const int error = errno;
  std::fclose(file);
  if (failed) throw FileError(path, SystemText(error));
  return content;
}

void WriteFileAtomically(const std::string& path, std::string_view content) {
  AtomicFileWriter writer(path);
  writer.Append(content);
  writer.Commit();
}

namespace {
constexpr size_t kWriteChunk = 1 << 20;
}

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  if (fs::is_directory(path_, ec)) throw FileError(path_, "is a folder, not a file");
  temporary_ = TemporaryNameBeside(path_);
  file_ = std::fopen(temporary_.c_str(), "wb");
  if (!file_) throw FileError(path_, SystemText(errno));
  buffer_.reserve(kWriteChunk);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (file_) {
    std::fclose(file_);
    std::remove(temporary_.c_str());
  }
}

void AtomicFileWriter::Append(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > kWriteChunk) Flush();
  if (bytes.size() >= kWriteChunk) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail(errno);
  } else {
    buffer_ += bytes;
  }
}

void AtomicFileWriter::Flush() {
  if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
    Fail(errno);
  buffer_.clear();
}

void AtomicFileWriter::Fail(int error) {
  std::fclose(file_);
  file_ = nullptr;
  std::remove(temporary_.c_str());
  throw FileError(path_, SystemText(error));
}

std::string AtomicFileWriter::Finish() {
  Flush();
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) {
    const int error = errno;
    std::remove(temporary_.c_str());
    throw FileError(path_, SystemText(error));
  }
  // Keep the permissions of the file being replaced.
  std::error_code ec;
  if (fs::exists(path_, ec)) fs::permissions(temporary_, fs::status(path_, ec).permissions(), ec);
  return temporary_;
}

void AtomicFileWriter::Commit() {
  Finish();
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    const int error = errno;
    std::remove(temporary_.c_str());
    throw FileError(path_, SystemText(error));
  }
}

StagedFiles::~StagedFiles() {
  std::error_code ec;
  for (const Staged& file : staged_) fs::remove(file.temporary, ec);
  for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it) fs::remove(*it, ec);
}

void StagedFiles::MakeFolderFor(const std::string& path) {
  std::error_code ec;
  const fs::path folder = fs::path(path).parent_path();
  if (folder.empty() || fs::is_directory(folder, ec)) return;
  std::vector<fs::path> missing;
  for (fs::path p = folder; !p.empty() && !fs::exists(p, ec); p = p.parent_path()) {
    missing.push_back(p);
    if (p == p.parent_path()) break;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!fs::create_directory(*it, ec) && ec) throw FileError(it->string(), ec.message());
    createdFolders_.push_back(it->string());
  }
}

void StagedFiles::Write(const std::string& path, std::string_view content) {
  AtomicFileWriter writer(path);
  writer.Append(content);
  Adopt(path, writer.Finish());
}

bool StagedFiles::Copy(const std::string& from, const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) return false;
  std::FILE* source = std::fopen(from.c_str(), "rb");
  if (!source) return false;
  try {
    AtomicFileWriter writer(path);
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, source)) > 0) writer.Append({buffer, got});
    if (std::ferror(source)) throw FileError(from, SystemText(errno));
    std::fclose(source);
    source = nullptr;
    Adopt(path, writer.Finish());
  } catch (...) {
    if (source) std::fclose(source);
    throw;
  }
  return true;
}

void StagedFiles::Adopt(const std::string& path, std::string temporary) {
  // A second file for the same target replaces the first one staged.
  for (Staged& file : staged_) {
    if (file.target == path) {
      std::remove(file.temporary.c_str());
      file.temporary = std::move(temporary);
      return;
    }
  }
  staged_.push_back({path, std::move(temporary)});
}

bool StagedFiles::Holds(const std::string& path) const {
  return std::any_of(staged_.begin(), staged_.end(), [&](const Staged& file) { return file.target == path; });
}

void StagedFiles::Commit() {
  // Renames within one folder: each file is old or new at every moment,
  // also if the program is killed here.
  for (const Staged& file : staged_) {
    if (std::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
      throw FileError(file.target, SystemText(errno));
    }
  }
  staged_.clear();
  createdFolders_.clear();
}

std::string UniqueTemporaryPath(const std::string& stem, const std::string& suffix) {
  std::error_code ec;
  std::string folder = fs::temp_directory_path(ec).string();
  if (ec || folder.empty()) folder = ".";
  return JoinPath(folder, stem + "-" + RandomTag() + suffix);
}

bool CopyFileQuietly(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) return false;
  if (fs::equivalent(from, to, ec)) return true;
  return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) && !ec;
}

void DeleteFileQuietly(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

std::string FolderOf(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return path.substr(0, i);
  }
  return {};
}

std::string NameOf(const std::string& path) {
  return path.substr(FolderOf(path).size());
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || IsSeparator(folder.back())) return folder + name;
  return folder + "/" + name;
}

}  // namespace velmora
