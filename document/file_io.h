#pragma once

// File access for the core. Writes that replace a user's file go through
// WriteFileAtomically, so a failed or interrupted write never leaves a
// half-written file behind. Quiet operations never report failures; the
// preview folder and publishing rely on that.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Reads the whole file; throws FileError naming the path and the problem.
std::string ReadWholeFile(const std::string& path);

// Writes `content` to a temporary file in the target's folder and renames
// it over the target; throws FileError and leaves the target unchanged.
void WriteFileAtomically(const std::string& path, std::string_view content);

// The same for content made piece by piece, so a large file never has to
// be held whole in memory. Until Commit the target is untouched; a writer
// dropped without Commit (an error while making the content) removes its
// temporary file.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void Append(std::string_view bytes);
  void Commit();
  // Finishes the temporary file without renaming it and hands its path to
  // the caller, who then owns it (StagedFiles renames it with the rest).
  std::string Finish();

 private:
  void Flush();
  void Fail(int error);

  std::string path_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
};

// Files that replace their targets together, so a save of many files
// leaves the folder either as it was or with every new file. Each file is
// written as a temporary file beside its target; Commit renames them all
// into place once every one is written. Dropped before Commit (an error
// while writing or making the content), it removes its temporary files and
// the folders it created.
class StagedFiles {
 public:
  StagedFiles() = default;
  ~StagedFiles();
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  // Creates the folders a target needs; they are removed again when the
  // files are dropped.
  void MakeFolderFor(const std::string& path);
  void Write(const std::string& path, std::string_view content);
  // Stages a copy of `from`; false, with nothing staged, when `from` is not
  // a readable file. Errors while writing the copy raise FileError.
  bool Copy(const std::string& from, const std::string& path);
  // Takes over a finished temporary file (AtomicFileWriter::Finish).
  void Adopt(const std::string& path, std::string temporary);
  bool Holds(const std::string& path) const;
  void Commit();

 private:
  struct Staged {
    std::string target;
    std::string temporary;
  };
  std::vector<Staged> staged_;
  std::vector<std::string> createdFolders_;  // outermost first
};

// The hidden temporary file an atomic write makes beside its target:
// ".<target name>.<writer's process number>-<random tag>.tmp".
std::string TemporaryNameBeside(const std::string& path);
struct TemporaryFileName {
  std::string target;    // the name of the file it was to replace
  long long writer = 0;  // the process number of the program writing it
};
// What a file name says when it is one of those temporary files.
std::optional<TemporaryFileName> ReadTemporaryName(std::string_view fileName);
// Removes the temporary files in `folder` whose writer no longer runs (a
// write cut short by a kill or a power loss); quietly.
void RemoveLeftTemporaryFiles(const std::string& folder);

// A path in the system's temporary folder that no other file has.
std::string UniqueTemporaryPath(const std::string& stem, const std::string& suffix);

bool CopyFileQuietly(const std::string& from, const std::string& to);
void DeleteFileQuietly(const std::string& path);
bool FileExists(const std::string& path);

// Folder part of a path, ending in a separator ("" for a bare name).
std::string FolderOf(const std::string& path);
// Name part of a path (after the last separator).
std::string NameOf(const std::string& path);
// Joins a folder and a name, adding a separator when the folder lacks one.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace velmora
