#include "storage/TJWin32Registry.h"

#include <cstring>

#include "storage/TJStorage.h"

using namespace platform;

TJWin32Registry::~TJWin32Registry() {
  if (FOpen) Close();
}

void TJWin32Registry::Open(const TJStorage& storage) {
  if (FConnection) return;
  if (storage.GetKey().empty()) throw Exception("Cannot open registry because TJStorage.Key is blank");
  FConnection = std::make_unique<TConnection>();
  FConnection->Root = storage.GetRootKey();
  FConnection->Path = storage.GetKey();
  // Opening only looks: a missing key is created by the first write, so that reading a
  // setting never changes the registry and leaves nothing to write back.
  HKEY key = HKEY_NULL;
  if (RegOpenKeyEx(FConnection->Root, FConnection->Path, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) FConnection->Key = key;
  FOpen = true;
}

void TJWin32Registry::Close() {
  if (FConnection && FConnection->Key != HKEY_NULL) {
    if (FConnection->Written) RegFlushKey(FConnection->Key);
    RegCloseKey(FConnection->Key);
  }
  FConnection.reset();
  FOpen = false;
}

bool TJWin32Registry::KeyForWriting() {
  if (!FConnection) return false;
  // A key that cannot be reached (no rights, no such root) stays unopened; the write is
  // then lost, which is what the storage promises.
  if (FConnection->Key == HKEY_NULL) {
    HKEY key = HKEY_NULL;
    if (RegCreateKeyEx(FConnection->Root, FConnection->Path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
      return false;
    FConnection->Key = key;
  }
  FConnection->Written = true;
  return true;
}

bool TJWin32Registry::ReadString(const std::string& name, std::string& text) {
  if (!FConnection || FConnection->Key == HKEY_NULL) return false;
  // The value may grow between asking for its size and reading it; try again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD type = REG_NONE, size = 0;
    if (RegQueryValueEx(FConnection->Key, name, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::string data(size, '\0');
    LONG result = RegQueryValueEx(FConnection->Key, name, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    data.resize(size);
    size_t zero = data.find('\0');
    if (zero != std::string::npos) data.resize(zero);
    text = std::move(data);
    return true;
  }
  return false;
}

bool TJWin32Registry::ReadInteger(const std::string& name, int32_t& value) {
  if (!FConnection || FConnection->Key == HKEY_NULL) return false;
  DWORD type = REG_NONE, size = sizeof(uint32_t);
  BYTE data[sizeof(uint32_t)];
  if (RegQueryValueEx(FConnection->Key, name, &type, data, &size) != ERROR_SUCCESS) return false;
  if (type != REG_DWORD || size != sizeof(uint32_t)) return false;
  uint32_t number = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
  value = int32_t(number);
  return true;
}

bool TJWin32Registry::ReadBool(const std::string& name, bool& value) {
  int32_t number = 0;
  if (!ReadInteger(name, number)) return false;
  value = number != 0;
  return true;
}

bool TJWin32Registry::WriteString(const std::string& name, const std::string& text) {
  if (!KeyForWriting()) return false;
  // The stored size counts the terminating zero, which c_str() provides.
  return RegSetValueEx(FConnection->Key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       DWORD(text.size() + 1)) == ERROR_SUCCESS;
}

bool TJWin32Registry::WriteInteger(const std::string& name, int32_t value) {
  if (!KeyForWriting()) return false;
  uint32_t number = uint32_t(value);
  BYTE data[4] = {BYTE(number), BYTE(number >> 8), BYTE(number >> 16), BYTE(number >> 24)};
  return RegSetValueEx(FConnection->Key, name, REG_DWORD, data, sizeof data) == ERROR_SUCCESS;
}

bool TJWin32Registry::WriteBool(const std::string& name, bool value) {
  return WriteInteger(name, value ? 1 : 0);
}
