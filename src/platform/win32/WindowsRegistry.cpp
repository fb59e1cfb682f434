#include "platform/win32/WindowsRegistry.h"

#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/win32/SystemRegistry.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

bool IsTextType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return text;
}

// The system's mouse setting.
class TSystemMouseSetting : public TDesktopMouseSetting {
public:
  std::optional<bool> LeftHanded() override { return win32::SystemSwapsMouseButtons(); }
};

// Remembers which keys below HKEY_CURRENT_USER are open and where, so that the mouse
// key can be recognised; the system itself keeps every other fact about a handle.
class TOpenKeys {
public:
  static TOpenKeys& Instance() {
    static TOpenKeys* keys = new TOpenKeys();  // never destroyed: keys may close during exit
    return *keys;
  }

  // The path below HKEY_CURRENT_USER of an open key or of the root itself.
  std::optional<std::string> UserPath(HKEY key) {
    if (key == HKEY_CURRENT_USER) return std::string();
    std::lock_guard<std::mutex> guard(FMutex);
    auto it = FPaths.find(uintptr_t(key));
    if (it == FPaths.end()) return std::nullopt;
    return it->second;
  }

  void Opened(HKEY parent, const std::string& subKey, HKEY key) {
    std::optional<std::string> path = UserPath(parent);
    if (!path) return;
    // Key paths compare without regard to case and without empty parts.
    std::string full = *path;
    size_t start = 0;
    while (start <= subKey.size()) {
      size_t end = subKey.find('\\', start);
      if (end == std::string::npos) end = subKey.size();
      if (end > start) {
        if (!full.empty()) full += '\\';
        full += Lower(subKey.substr(start, end - start));
      }
      start = end + 1;
    }
    std::lock_guard<std::mutex> guard(FMutex);
    FPaths[uintptr_t(key)] = full;
  }

  void Closed(HKEY key) {
    std::lock_guard<std::mutex> guard(FMutex);
    FPaths.erase(uintptr_t(key));
  }

  std::optional<bool> LeftHanded() {
    std::lock_guard<std::mutex> guard(FMutex);
    if (!FMouseSetting) FMouseSetting = CreateDesktopMouseSetting();
    return FMouseSetting->LeftHanded();
  }

  void SetMouseSetting(std::unique_ptr<TDesktopMouseSetting> source) {
    std::lock_guard<std::mutex> guard(FMutex);
    FMouseSetting = std::move(source);
  }

private:
  std::mutex FMutex;
  std::map<uintptr_t, std::string> FPaths;
  std::unique_ptr<TDesktopMouseSetting> FMouseSetting;
};

std::optional<std::string> DesktopAnswer(HKEY key, const std::string& name) {
  std::optional<std::string> path = TOpenKeys::Instance().UserPath(key);
  if (!path || *path != "control panel\\mouse" || Lower(name) != "swapmousebuttons") return std::nullopt;
  std::optional<bool> leftHanded = TOpenKeys::Instance().LeftHanded();
  if (!leftHanded) return std::nullopt;
  return std::string(*leftHanded ? "1" : "0") + '\0';
}

bool IsValidValueName(const std::string& name) {
  return name.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

std::wstring WideSubKey(const std::string& subKey) {
  size_t start = subKey.find_first_not_of('\\');
  return win32::WideFromCp1252(start == std::string::npos ? std::string() : subKey.substr(start));
}

LONG OpenKey(HKEY key, const std::string& subKey, DWORD options, REGSAM access, bool create, HKEY* result,
             DWORD* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = HKEY_NULL;
  if (key == HKEY_NULL) return ERROR_INVALID_HANDLE;
  uintptr_t opened = 0;
  uint32_t how = 0;
  const LONG status =
      win32::SystemCreateKey(uintptr_t(key), WideSubKey(subKey), options, access, create, &opened, &how);
  if (status != ERROR_SUCCESS) return status;
  *result = HKEY(opened);
  if (disposition) *disposition = how;
  TOpenKeys::Instance().Opened(key, subKey, *result);
  return ERROR_SUCCESS;
}

}  // namespace

std::unique_ptr<TDesktopMouseSetting> CreateDesktopMouseSetting() {
  return std::make_unique<TSystemMouseSetting>();
}

void SetDesktopMouseSetting(std::unique_ptr<TDesktopMouseSetting> source) {
  TOpenKeys::Instance().SetMouseSetting(std::move(source));
}

LONG RegCreateKeyEx(HKEY key, const std::string& subKey, DWORD options, REGSAM samDesired, HKEY* result,
                    DWORD* disposition) {
  return OpenKey(key, subKey, options, samDesired, true, result, disposition);
}

LONG RegOpenKeyEx(HKEY key, const std::string& subKey, REGSAM samDesired, HKEY* result) {
  return OpenKey(key, subKey, 0, samDesired, false, result, nullptr);
}

LONG RegQueryValueEx(HKEY key, const std::string& valueName, DWORD* type, BYTE* data, DWORD* dataSize) {
  if (key == HKEY_NULL) return ERROR_INVALID_HANDLE;
  if (data && !dataSize) return ERROR_INVALID_PARAMETER;
  uint32_t valueType = REG_NONE;
  std::vector<uint8_t> raw;
  std::string bytes;
  const LONG status = win32::SystemQueryValue(uintptr_t(key), win32::WideFromCp1252(valueName), &valueType, raw);
  if (status == ERROR_SUCCESS && IsTextType(valueType)) {
    // UTF-16 in the system, one 8-bit character per unit here.
    std::wstring wide(raw.size() / 2, L'\0');
    std::memcpy(wide.data(), raw.data(), wide.size() * 2);
    bytes = win32::Cp1252FromWide(wide);
  } else if (status == ERROR_SUCCESS) {
    bytes.assign(raw.begin(), raw.end());
  } else if (std::optional<std::string> desktop;
             status == ERROR_FILE_NOT_FOUND && (desktop = DesktopAnswer(key, valueName))) {
    valueType = REG_SZ;
    bytes = std::move(*desktop);
  } else {
    return status;
  }
  if (type) *type = valueType;
  if (!dataSize) return ERROR_SUCCESS;
  const DWORD capacity = *dataSize;
  *dataSize = DWORD(bytes.size());
  if (!data) return ERROR_SUCCESS;
  if (capacity < bytes.size()) return ERROR_MORE_DATA;
  std::memcpy(data, bytes.data(), bytes.size());
  return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, const std::string& valueName, DWORD type, const BYTE* data, DWORD dataSize) {
  if (key == HKEY_NULL) return ERROR_INVALID_HANDLE;
  if ((!data && dataSize) || !IsValidValueName(valueName)) return ERROR_INVALID_PARAMETER;
  const std::wstring name = win32::WideFromCp1252(valueName);
  if (!IsTextType(type)) return win32::SystemSetValue(uintptr_t(key), name, type, data, dataSize);
  const std::wstring wide = win32::WideFromCp1252(std::string(reinterpret_cast<const char*>(data), dataSize));
  return win32::SystemSetValue(uintptr_t(key), name, type, reinterpret_cast<const uint8_t*>(wide.data()),
                               DWORD(wide.size() * sizeof(wchar_t)));
}

LONG RegFlushKey(HKEY key) {
  if (key == HKEY_NULL) return ERROR_INVALID_HANDLE;
  return win32::SystemFlushKey(uintptr_t(key));
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_NULL) return ERROR_INVALID_HANDLE;
  // Closing a root is allowed and does nothing.
  if (uintptr_t(key) >= 0x80000000u && uintptr_t(key) <= 0x80000006u) return ERROR_SUCCESS;
  TOpenKeys::Instance().Closed(key);
  return win32::SystemCloseKey(uintptr_t(key));
}

LONG RegDeleteTree(HKEY key, const std::string& subKey) {
  if (key == HKEY_NULL) return ERROR_INVALID_HANDLE;
  return win32::SystemDeleteTree(uintptr_t(key), WideSubKey(subKey));
}

}  // namespace platform
