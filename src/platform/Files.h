#pragma once

// Files and folders. Paths are 8-bit text with '/' separators; a '\' inside a path
// given by the program is treated as a separator too, so Windows-style relative
// paths such as "English\\3.rtf" work on every platform.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct TPDirEntry {
  std::string Name;
  bool IsDirectory = false;
  uint64_t Size = 0;
};

// Full path of the running executable (or the override set for tests).
std::string ExecutablePath();
// Makes ExecutablePath() answer the given path; empty restores the real one.
void SetExecutablePathOverride(const std::string& path);

// The entries of a folder in the order the file system returns them, without "." and "..".
// Empty when the folder cannot be read.
std::vector<TPDirEntry> ListFolder(const std::string& path);
// Only the names of those entries: no look at each one, so it is quick in a large folder.
std::vector<std::string> ListFolderNames(const std::string& path);

// Converts '\' separators to '/'.
std::string NativePath(const std::string& path);

// The path as std::filesystem takes it: the program's UTF-8 path (a narrow path would be
// read in the system's code page on Windows).
std::filesystem::path FileSystemPath(const std::string& path);

bool FileExists(const std::string& path);  // a regular file, not a folder
bool FolderExists(const std::string& path);
// Size of a regular file; nullopt when it cannot be determined.
std::optional<uint64_t> FileSize(const std::string& path);
// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& data);
// Writes a whole file (replacing it); false on failure.
bool WriteWholeFile(const std::string& path, const std::string& data);
// Appends to a file, creating it when absent; false on failure.
bool AppendToFile(const std::string& path, const std::string& data);

}  // namespace platform
