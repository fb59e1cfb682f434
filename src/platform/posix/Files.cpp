#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <string_view>

namespace platform {

namespace {

std::string gExecutableOverride;

bool StatPath(const std::string& path, struct stat& info) {
  return ::stat(NativePath(path).c_str(), &info) == 0;
}

// Writes all of data to fd, retrying short writes and interruptions.
bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

}  // namespace

std::string ExecutablePath() {
  if (!gExecutableOverride.empty()) return gExecutableOverride;
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || size_t(n) >= path.size()) return {};
  path.resize(size_t(n));
  return path;
}

void SetExecutablePathOverride(const std::string& path) {
  gExecutableOverride = path;
}

std::vector<TPDirEntry> ListFolder(const std::string& path) {
  std::vector<TPDirEntry> entries;
  const std::string folder = NativePath(path);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return entries;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
  while (const dirent* item = ::readdir(dir)) {
    const std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    TPDirEntry entry;
    entry.Name = name;
    // Symbolic links count as what they point to; a dangling one is a plain entry.
    struct stat info {};
    if (::stat((prefix + name).c_str(), &info) == 0) {
      entry.IsDirectory = S_ISDIR(info.st_mode);
      if (S_ISREG(info.st_mode)) entry.Size = uint64_t(info.st_size);
    }
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  return entries;
}

std::vector<std::string> ListFolderNames(const std::string& path) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(NativePath(path).c_str());
  if (!dir) return names;
  while (const dirent* item = ::readdir(dir)) {
    const std::string_view name = item->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

std::string NativePath(const std::string& path) {
  std::string result = path;
  for (char& c : result)
    if (c == '\\') c = '/';
  return result;
}

std::filesystem::path FileSystemPath(const std::string& path) {
  return std::filesystem::path(NativePath(path));  // bytes as they are, UTF-8 or not
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return StatPath(path, info) && S_ISREG(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info {};
  return StatPath(path, info) && S_ISDIR(info.st_mode);
}

std::optional<uint64_t> FileSize(const std::string& path) {
  struct stat info {};
  if (!StatPath(path, info) || !S_ISREG(info.st_mode)) return std::nullopt;
  return uint64_t(info.st_size);
}

bool ReadWholeFile(const std::string& path, std::string& data) {
  data.clear();
  const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  try {
    // The size is a hint only: files under /proc report 0 and files may grow.
    if (ok && S_ISREG(info.st_mode)) data.reserve(size_t(info.st_size));
    char buffer[65536];
    while (ok) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      data.append(buffer, size_t(n));
    }
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ::close(fd);
  if (!ok) std::string().swap(data);
  return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
  // Write beside the target and rename over it, so that a failed write (full disk,
  // no permission) leaves the old contents in place.
  const std::string target = NativePath(path);
  const std::string temp = target + ".tmp" + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data);
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool AppendToFile(const std::string& path, const std::string& data) {
  const int fd = ::open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, data);
  return ::close(fd) == 0 && ok;
}

}  // namespace platform
