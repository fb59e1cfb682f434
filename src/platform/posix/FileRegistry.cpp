#include "platform/posix/FileRegistry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "platform/posix/FileRegistryHive.h"

namespace platform {

namespace {

struct TRootInfo {
  HKEY Root;
  const char* Name;
  bool PerUser;
};

constexpr TRootInfo Roots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", true},      {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", true},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", false},   {HKEY_USERS, "HKEY_USERS", false},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG", false}, {HKEY_DYN_DATA, "HKEY_DYN_DATA", false},
};

const TRootInfo* FindRoot(HKEY root) {
  for (const TRootInfo& info : Roots)
    if (info.Root == root) return &info;
  return nullptr;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/";
}

// The process-wide registry: the hives by file path and the table of open keys.
class TFileRegistry {
public:
  // Never destroyed, so that components destroyed late during exit can still close their
  // keys; pending changes are written when the program ends normally.
  static TFileRegistry& Instance() {
    static TFileRegistry* registry = [] {
      auto* created = new TFileRegistry();
      std::atexit([] { Instance().FlushAll(true); });
      return created;
    }();
    return *registry;
  }

  LONG OpenKey(HKEY key, const std::string& subKey, REGSAM access, bool create, HKEY* result, DWORD* disposition) {
    std::lock_guard<std::mutex> guard(FMutex);
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = HKEY_NULL;
    TKeyRef ref;
    if (!Resolve(key, ref)) return ERROR_INVALID_HANDLE;
    TRegPath below;
    if (!SplitRegPath(subKey, below) || ref.Path.size() + below.size() > RegMaxKeyDepth) return ERROR_INVALID_PARAMETER;
    ref.Path.insert(ref.Path.end(), below.begin(), below.end());
    bool existed = ref.Hive->FindKey(ref.Path) != nullptr;
    // The key answered from the desktop can be opened for reading without being created.
    if (!existed && !create && IsDesktopKey(ref)) existed = true;
    if (!existed && !create) return ERROR_FILE_NOT_FOUND;
    if (!existed && !ref.Hive->CreateKey(ref.Path)) return ERROR_ACCESS_DENIED;
    ref.Access = access;
    uintptr_t handle = FNextHandle++;
    FOpenKeys.emplace(handle, std::move(ref));
    *result = HKEY(handle);
    if (disposition) *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    return ERROR_SUCCESS;
  }

  LONG Query(HKEY key, const std::string& name, DWORD* type, BYTE* data, DWORD* dataSize) {
    std::lock_guard<std::mutex> guard(FMutex);
    TKeyRef ref;
    if (!Resolve(key, ref)) return ERROR_INVALID_HANDLE;
    if (data && !dataSize) return ERROR_INVALID_PARAMETER;
    if (!(ref.Access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    const TRegKey* found = ref.Hive->FindKey(ref.Path);
    const TRegValue* value = found ? found->FindValue(name) : nullptr;
    DWORD valueType = REG_SZ;
    std::string answer;
    if (value) {
      valueType = value->Type;
    } else if (auto desktop = DesktopAnswer(ref, name)) {
      answer = std::move(*desktop);
    } else {
      return ERROR_FILE_NOT_FOUND;
    }
    const std::string& bytes = value ? value->Data : answer;
    if (type) *type = valueType;
    if (!dataSize) return ERROR_SUCCESS;
    DWORD capacity = *dataSize;
    *dataSize = DWORD(bytes.size());
    if (!data) return ERROR_SUCCESS;
    if (capacity < bytes.size()) return ERROR_MORE_DATA;
    std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
  }

  LONG Set(HKEY key, const std::string& name, DWORD type, const BYTE* data, DWORD dataSize) {
    std::lock_guard<std::mutex> guard(FMutex);
    TKeyRef ref;
    if (!Resolve(key, ref)) return ERROR_INVALID_HANDLE;
    if ((!data && dataSize) || !IsValidRegValueName(name)) return ERROR_INVALID_PARAMETER;
    if (!(ref.Access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    std::string bytes(reinterpret_cast<const char*>(data), dataSize);
    return ref.Hive->SetValue(ref.Path, name, type, std::move(bytes)) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
  }

  LONG Flush(HKEY key) {
    std::lock_guard<std::mutex> guard(FMutex);
    TKeyRef ref;
    if (!Resolve(key, ref)) return ERROR_INVALID_HANDLE;
    return ref.Hive->Flush() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
  }

  LONG Close(HKEY key) {
    std::lock_guard<std::mutex> guard(FMutex);
    if (FindRoot(key)) return ERROR_SUCCESS;
    return FOpenKeys.erase(uintptr_t(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  }

  void SetMouseSetting(std::unique_ptr<TDesktopMouseSetting> source) {
    std::lock_guard<std::mutex> guard(FMutex);
    FMouseSetting = std::move(source);
  }

  // final: the program is ending, so a held lock is waited for only briefly.
  void FlushAll(bool final) {
    std::lock_guard<std::mutex> guard(FMutex);
    for (auto& [path, hive] : FHives) hive->Flush(final);
  }

private:
  struct TKeyRef {
    TRegHive* Hive = nullptr;
    TRegPath Path;
    REGSAM Access = KEY_ALL_ACCESS;
  };

  // Finds the hive and path of a root or an open key and brings the hive up to date.
  bool Resolve(HKEY key, TKeyRef& ref) {
    if (const TRootInfo* root = FindRoot(key)) {
      std::string path = RegistryHivePath(key);
      auto& hive = FHives[path];
      if (!hive) hive = std::make_unique<TRegHive>(root->Name, path, !root->PerUser);
      ref = TKeyRef{hive.get(), {}, KEY_ALL_ACCESS};
    } else {
      auto it = FOpenKeys.find(uintptr_t(key));
      if (it == FOpenKeys.end()) return false;
      ref = it->second;
    }
    ref.Hive->Refresh();
    return true;
  }

  static bool IsDesktopKey(const TKeyRef& ref) {
    return ref.Hive->RootName() == "HKEY_CURRENT_USER" && ref.Path.size() == 2 &&
           SameRegName(ref.Path[0], "Control Panel") && SameRegName(ref.Path[1], "Mouse");
  }

  std::optional<std::string> DesktopAnswer(const TKeyRef& ref, const std::string& name) {
    if (!IsDesktopKey(ref) || !SameRegName(name, "SwapMouseButtons")) return std::nullopt;
    if (!FMouseSetting) FMouseSetting = CreateDesktopMouseSetting();
    std::optional<bool> leftHanded = FMouseSetting->LeftHanded();
    if (!leftHanded) return std::nullopt;
    return std::string(*leftHanded ? "1" : "0") + '\0';
  }

  std::mutex FMutex;
  std::map<std::string, std::unique_ptr<TRegHive>> FHives;
  std::unordered_map<uintptr_t, TKeyRef> FOpenKeys;
  uintptr_t FNextHandle = 1;
  std::unique_ptr<TDesktopMouseSetting> FMouseSetting;
};

}  // namespace

std::string UserRegistryFolder() {
  std::string redirected = Environment("POINTRIX_REGISTRY_DIR");
  if (!redirected.empty()) return redirected;
  std::string config = Environment("XDG_CONFIG_HOME");
  if (config.empty() || config[0] != '/') config = HomeFolder() + "/.config";
  return config + "/pointrix/registry";
}

std::string MachineRegistryFolder() {
  std::string redirected = Environment("POINTRIX_REGISTRY_DIR");
  return redirected.empty() ? "/etc/xdg/pointrix/registry" : redirected + "/machine";
}

std::string RegistryRootName(HKEY root) {
  const TRootInfo* info = FindRoot(root);
  return info ? info->Name : "";
}

std::string RegistryHivePath(HKEY root) {
  const TRootInfo* info = FindRoot(root);
  if (!info) return "";
  return (info->PerUser ? UserRegistryFolder() : MachineRegistryFolder()) + "/" + info->Name + ".reg";
}

void SetDesktopMouseSetting(std::unique_ptr<TDesktopMouseSetting> source) {
  TFileRegistry::Instance().SetMouseSetting(std::move(source));
}

void FlushRegistry() {
  TFileRegistry::Instance().FlushAll(false);
}

LONG RegCreateKeyEx(HKEY key, const std::string& subKey, DWORD options, REGSAM samDesired, HKEY* result,
                    DWORD* disposition) {
  return TFileRegistry::Instance().OpenKey(key, subKey, samDesired, true, result, disposition);
}

LONG RegOpenKeyEx(HKEY key, const std::string& subKey, REGSAM samDesired, HKEY* result) {
  return TFileRegistry::Instance().OpenKey(key, subKey, samDesired, false, result, nullptr);
}

LONG RegQueryValueEx(HKEY key, const std::string& valueName, DWORD* type, BYTE* data, DWORD* dataSize) {
  return TFileRegistry::Instance().Query(key, valueName, type, data, dataSize);
}

LONG RegSetValueEx(HKEY key, const std::string& valueName, DWORD type, const BYTE* data, DWORD dataSize) {
  return TFileRegistry::Instance().Set(key, valueName, type, data, dataSize);
}

LONG RegFlushKey(HKEY key) {
  return TFileRegistry::Instance().Flush(key);
}

LONG RegCloseKey(HKEY key) {
  return TFileRegistry::Instance().Close(key);
}

}  // namespace platform
