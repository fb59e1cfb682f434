// Files and folders through the wide-character Windows calls. The program's paths are
// UTF-8 with '/' (or '\') separators; they are converted at this boundary only.

#include "platform/Files.h"

#include <windows.h>

#include <new>
#include <utility>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

std::string gExecutableOverride;

// Closes a handle when it goes out of scope.
class THandle {
public:
  explicit THandle(HANDLE handle) : FHandle(handle) {}
  ~THandle() {
    if (Valid()) CloseHandle(FHandle);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE && FHandle != nullptr; }
  HANDLE Get() const { return FHandle; }
  // Closes now; false when closing failed (data not written).
  bool Close() {
    const bool ok = !Valid() || CloseHandle(FHandle);
    FHandle = INVALID_HANDLE_VALUE;
    return ok;
  }

private:
  HANDLE FHandle;
};

bool Attributes(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& info) {
  return GetFileAttributesExW(win32::WidePath(path).c_str(), GetFileExInfoStandard, &info) != 0;
}

uint64_t SizeOf(DWORD high, DWORD low) {
  return (uint64_t(high) << 32) | low;
}

bool WriteAll(HANDLE file, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const DWORD chunk = DWORD(std::min<size_t>(data.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, data.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

std::string ExecutablePath() {
  if (!gExecutableOverride.empty()) return gExecutableOverride;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  if (path.rfind(L"\\\\?\\", 0) == 0) path.erase(0, 4);
  return NativePath(win32::Utf8FromWide(path));
}

void SetExecutablePathOverride(const std::string& path) {
  gExecutableOverride = path;
}

std::vector<TPDirEntry> ListFolder(const std::string& path) {
  std::vector<TPDirEntry> entries;
  std::string pattern = NativePath(path.empty() ? std::string(".") : path);
  if (pattern.back() != '/') pattern += '/';
  pattern += '*';
  WIN32_FIND_DATAW item;
  HANDLE find =
      FindFirstFileExW(win32::WidePath(pattern).c_str(), FindExInfoBasic, &item, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring name = item.cFileName;
    if (name == L"." || name == L"..") continue;
    TPDirEntry entry;
    entry.Name = win32::Utf8FromWide(name);
    entry.IsDirectory = (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!entry.IsDirectory) entry.Size = SizeOf(item.nFileSizeHigh, item.nFileSizeLow);
    entries.push_back(std::move(entry));
  } while (FindNextFileW(find, &item));
  FindClose(find);
  return entries;
}

std::vector<std::string> ListFolderNames(const std::string& path) {
  // The search returns each entry's details with its name at no extra cost here.
  std::vector<std::string> names;
  for (TPDirEntry& entry : ListFolder(path)) names.push_back(std::move(entry.Name));
  return names;
}

std::string NativePath(const std::string& path) {
  std::string result = path;
  for (char& c : result)
    if (c == '\\') c = '/';
  return result;
}

std::filesystem::path FileSystemPath(const std::string& path) {
  return std::filesystem::path(win32::WidePath(path));
}

bool FileExists(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA info;
  return Attributes(path, info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA info;
  return Attributes(path, info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<uint64_t> FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!Attributes(path, info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return SizeOf(info.nFileSizeHigh, info.nFileSizeLow);
}

bool ReadWholeFile(const std::string& path, std::string& data) {
  data.clear();
  THandle file(CreateFileW(win32::WidePath(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  bool ok = true;
  try {
    LARGE_INTEGER size;
    // The size is a hint only: the file may grow while it is read.
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && uint64_t(size.QuadPart) < SIZE_MAX / 2)
      data.reserve(size_t(size.QuadPart));
    char buffer[65536];
    for (;;) {
      DWORD n = 0;
      if (!ReadFile(file.Get(), buffer, sizeof buffer, &n, nullptr)) {
        ok = false;
        break;
      }
      if (n == 0) break;
      data.append(buffer, n);
    }
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) std::string().swap(data);
  return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
  // Write beside the target and move it over, so that a failed write (full disk, no
  // permission) leaves the old contents in place.
  const std::wstring target = win32::WidePath(path);
  const std::wstring temp = target + L".tmp" + std::to_wstring(GetCurrentProcessId());
  THandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  bool ok = WriteAll(file.Get(), data) && FlushFileBuffers(file.Get());
  ok = file.Close() && ok;
  ok = ok && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

bool AppendToFile(const std::string& path, const std::string& data) {
  THandle file(CreateFileW(win32::WidePath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const bool ok = WriteAll(file.Get(), data);
  return file.Close() && ok;
}

}  // namespace platform
