#pragma once

// One place in the registry (a root and a key path below it) with typed reads and writes
// that never report registry failures: a read that fails returns the caller's default and
// a write that fails is lost. Its users open it, do a few reads or writes and close it
// again within one operation; closing writes the key through to disk.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Registry.h"
#include "toolkit/core/TComponent.h"

class TJWin32Registry;

// The predefined registry root of a storage. The order is not that of the root handles:
// atrkLocalMachine is HKEY_LOCAL_MACHINE (...02) and atrkCurrentUser HKEY_CURRENT_USER (...01).
enum TJStorageRootKey : uint8_t {
  atrkClassesRoot,
  atrkLocalMachine,
  atrkCurrentUser,
  atrkUsers,
  atrkCurrentConfig,
  atrkDynamicData,
};

class TJStorage : public TPersistent {
public:
  TJStorage();
  ~TJStorage() override;
  TJStorage(const TJStorage&) = delete;
  TJStorage& operator=(const TJStorage&) = delete;

  const char* ClassName() const override { return "TJStorage"; }

  const std::string& GetKey() const { return FKey; }
  // Stores a new key path. An open storage moves to the new key at once (and is left closed
  // when the new key is empty), unless its owning component is being designed.
  void SetKey(const std::string& key);
  TJStorageRootKey GetRegistryRootKey() const { return FRegistryRootKey; }
  // Stores a new root; an open storage moves to it as for SetKey.
  void SetRegistryRootKey(TJStorageRootKey rootKey);
  bool GetIsOpen() const { return FIsOpen; }

  // The component that owns this storage; consulted only for its designing state. May be null.
  TComponent* GetOwnerComponent() const { return FOwnerComponent; }
  void SetOwnerComponent(TComponent* owner) { FOwnerComponent = owner; }

  // Opens the key (a missing key is created by the first write); does nothing when already
  // open. Raises "Cannot open registry because TJStorage.Key is blank" for an empty key.
  void Open();
  // Flushes what was written and closes the key. Reading only never writes the registry.
  void Close();
  // Raises "JStorage not Open" unless the storage has been opened.
  void CheckOpen() const;

  // The stored value, or defaultValue when it is absent, of another type or unreadable.
  std::string ReadString(const std::string& name, const std::string& defaultValue);
  int32_t ReadInteger(const std::string& name, int32_t defaultValue);
  bool ReadBool(const std::string& name, bool defaultValue);  // any non-zero number is true

  // Store a REG_SZ or REG_DWORD (true as 1) value; failures are not reported.
  void WriteString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int32_t value);
  void WriteBool(const std::string& name, bool value);

  // The root handle of RegistryRootKey; HKEY_NULL for a value outside the enumeration.
  platform::HKEY GetRootKey() const;

  // Copies key and root from another storage (closing this one first) and opens this one
  // when the source is open. Other sources raise the usual assignment error.
  void Assign(TPersistent* source) override;

private:
  bool MayMove() const;
  void Reopen(bool openAgain);

  std::string FKey;
  TJStorageRootKey FRegistryRootKey = atrkCurrentUser;
  std::unique_ptr<TJWin32Registry> FRegistry;
  TComponent* FOwnerComponent = nullptr;
  bool FIsOpen = false;
};

// Runs f with storage open, and closes it again afterwards (also when f raises)
// unless it was open before.
template <class F>
void WithOpenStorage(TJStorage& storage, F&& f) {
  const bool wasOpen = storage.GetIsOpen();
  storage.Open();
  try {
    f();
  } catch (...) {
    if (!wasOpen) storage.Close();
    throw;
  }
  if (!wasOpen) storage.Close();
}
