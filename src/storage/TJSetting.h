#pragma once

// A non-visual component standing for one named text value in the registry. Each call
// opens the storage, does its one read or write and closes it again, so nothing is held
// open between calls and a written value is on disk when SetValue returns.

#include <memory>
#include <string>

#include "storage/TJStorage.h"
#include "toolkit/core/TComponent.h"

class TJSetting : public TComponent {
public:
  explicit TJSetting(TComponent* owner);
  ~TJSetting() override;

  const char* ClassName() const override { return "TJSetting"; }

  // The place of the value; a layout sets Storage.Key and Storage.RegistryRootKey.
  TJStorage* GetStorage() const { return FStorage.get(); }
  // The value's name; empty names the key's unnamed value.
  const std::string& GetKeyName() const { return FKeyName; }
  void SetKeyName(const std::string& keyName) { FKeyName = keyName; }
  // Returned when the value cannot be read.
  const std::string& GetDefaultValue() const { return FDefaultValue; }
  void SetDefaultValue(const std::string& defaultValue) { FDefaultValue = defaultValue; }

  // The stored text, or DefaultValue when it is absent, not text, or Storage.Key is empty.
  // Empty text while designing. Never raises; the storage is closed afterwards.
  std::string GetValue();
  // Stores value as text. Does nothing while designing or when Storage.Key is empty.
  void SetValue(const std::string& value);

private:
  std::unique_ptr<TJStorage> FStorage;
  std::string FKeyName;
  std::string FDefaultValue;
};
