#include "storage/TJStorage.h"

#include "storage/TJWin32Registry.h"

using namespace platform;

TJStorage::TJStorage() = default;

TJStorage::~TJStorage() = default;  // the access object closes an open key

void TJStorage::SetKey(const std::string& key) {
  if (key == FKey) return;
  FKey = key;
  if (MayMove() && FIsOpen) Reopen(!FKey.empty());
}

void TJStorage::SetRegistryRootKey(TJStorageRootKey rootKey) {
  if (rootKey == FRegistryRootKey) return;
  FRegistryRootKey = rootKey;
  if (MayMove() && FIsOpen) Reopen(true);
}

void TJStorage::Open() {
  if (!FRegistry) FRegistry = std::make_unique<TJWin32Registry>();
  FRegistry->Open(*this);
  FIsOpen = true;
}

void TJStorage::Close() {
  FRegistry.reset();
  FIsOpen = false;
}

void TJStorage::CheckOpen() const {
  if (!FRegistry) throw Exception("JStorage not Open");
}

std::string TJStorage::ReadString(const std::string& name, const std::string& defaultValue) {
  CheckOpen();
  std::string result = defaultValue;
  FRegistry->ReadString(name, result);
  return result;
}

int32_t TJStorage::ReadInteger(const std::string& name, int32_t defaultValue) {
  CheckOpen();
  int32_t result = defaultValue;
  FRegistry->ReadInteger(name, result);
  return result;
}

bool TJStorage::ReadBool(const std::string& name, bool defaultValue) {
  CheckOpen();
  bool result = defaultValue;
  FRegistry->ReadBool(name, result);
  return result;
}

void TJStorage::WriteString(const std::string& name, const std::string& value) {
  CheckOpen();
  FRegistry->WriteString(name, value);
}

void TJStorage::WriteInteger(const std::string& name, int32_t value) {
  CheckOpen();
  FRegistry->WriteInteger(name, value);
}

void TJStorage::WriteBool(const std::string& name, bool value) {
  CheckOpen();
  FRegistry->WriteBool(name, value);
}

HKEY TJStorage::GetRootKey() const {
  switch (FRegistryRootKey) {
    case atrkClassesRoot:
      return HKEY_CLASSES_ROOT;
    case atrkLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case atrkCurrentUser:
      return HKEY_CURRENT_USER;
    case atrkUsers:
      return HKEY_USERS;
    case atrkCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case atrkDynamicData:
      return HKEY_DYN_DATA;
  }
  return HKEY_NULL;
}

void TJStorage::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TJStorage*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  Close();
  SetKey(other->FKey);
  SetRegistryRootKey(other->FRegistryRootKey);
  // The owning component stays this storage's own: it is the component that owns and
  // outlives this storage, while the source's owner may be destroyed first.
  if (other->FIsOpen) Open();
}

bool TJStorage::MayMove() const {
  return !FOwnerComponent || !FOwnerComponent->IsDesigning();
}

void TJStorage::Reopen(bool openAgain) {
  Close();
  if (openAgain) Open();
}
