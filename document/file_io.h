#pragma once

// File access for the core. Writes that replace a user's file go through
// WriteFileAtomically, so a failed or interrupted write never leaves a
// half-written file behind. Quiet operations never report failures; the
// preview folder and publishing rely on that.

#include <string>
#include <string_view>

namespace velmora {

// Reads the whole file; throws FileError naming the path and the problem.
std::string ReadWholeFile(const std::string& path);

// Writes `content` to a temporary file in the target's folder and renames
// it over the target; throws FileError and leaves the target unchanged.
void WriteFileAtomically(const std::string& path, std::string_view content);

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
