#include "platform/win32/SystemRegistry.h"

#include <windows.h>

namespace platform::win32 {

namespace {

// The system's handle for a program handle: the predefined roots are mapped by value
// (on 64-bit Windows they are sign-extended), other values are the system's own.
HKEY SystemKey(uintptr_t key) {
  switch (key) {
    case 0x80000000u:
      return HKEY_CLASSES_ROOT;
    case 0x80000001u:
      return HKEY_CURRENT_USER;
    case 0x80000002u:
      return HKEY_LOCAL_MACHINE;
    case 0x80000003u:
      return HKEY_USERS;
    case 0x80000004u:
      return HKEY_PERFORMANCE_DATA;
    case 0x80000005u:
      return HKEY_CURRENT_CONFIG;
    case 0x80000006u:
      return HKEY_DYN_DATA;
    default:
      return reinterpret_cast<HKEY>(key);
  }
}

}  // namespace

int32_t SystemCreateKey(uintptr_t key, const std::wstring& subKey, uint32_t options, uint32_t access, bool create,
                        uintptr_t* result, uint32_t* disposition) {
  HKEY opened = nullptr;
  DWORD how = 0;
  const LONG status =
      create ? RegCreateKeyExW(SystemKey(key), subKey.c_str(), 0, nullptr, options, access, nullptr, &opened, &how)
             : RegOpenKeyExW(SystemKey(key), subKey.c_str(), 0, access, &opened);
  if (status != ERROR_SUCCESS) return status;
  *result = reinterpret_cast<uintptr_t>(opened);
  if (disposition) *disposition = how;
  return ERROR_SUCCESS;
}

int32_t SystemQueryValue(uintptr_t key, const std::wstring& name, uint32_t* type, std::vector<uint8_t>& data) {
  // The value may change between asking for its size and reading it: ask again then.
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD kind = 0, size = 0;
    LONG status = RegQueryValueExW(SystemKey(key), name.c_str(), nullptr, &kind, nullptr, &size);
    if (status != ERROR_SUCCESS) return status;
    data.assign(size_t(size) + 2, 0);
    DWORD got = size;
    status = RegQueryValueExW(SystemKey(key), name.c_str(), nullptr, &kind, data.data(), &got);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return status;
    data.resize(got);
    *type = kind;
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

int32_t SystemSetValue(uintptr_t key, const std::wstring& name, uint32_t type, const uint8_t* data, uint32_t size) {
  return RegSetValueExW(SystemKey(key), name.c_str(), 0, type, data, size);
}

int32_t SystemFlushKey(uintptr_t key) {
  return RegFlushKey(SystemKey(key));
}

int32_t SystemCloseKey(uintptr_t key) {
  return RegCloseKey(SystemKey(key));
}

bool SystemSwapsMouseButtons() {
  return GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

uint32_t SystemDoubleClickTime() {
  return GetDoubleClickTime();
}

int32_t SystemDeleteTree(uintptr_t key, const std::wstring& subKey) {
  const LONG status = RegDeleteTreeW(SystemKey(key), subKey.c_str());
  if (status != ERROR_SUCCESS) return status;
  return RegDeleteKeyW(SystemKey(key), subKey.c_str());
}

}  // namespace platform::win32
