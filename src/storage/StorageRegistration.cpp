#include "storage/StorageRegistration.h"

#include "storage/TJSetting.h"
#include "toolkit/layout/ClassRegistry.h"

namespace {

const TLayoutNames RootKeyNames = {{"atrkClassesRoot", atrkClassesRoot},     {"atrkLocalMachine", atrkLocalMachine},
                                   {"atrkCurrentUser", atrkCurrentUser},     {"atrkUsers", atrkUsers},
                                   {"atrkCurrentConfig", atrkCurrentConfig}, {"atrkDynamicData", atrkDynamicData}};

}  // namespace

void RegisterStorageClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterStandardClasses();
  ClassRegistry()
      .Register<TJSetting>("TJSetting", "TComponent")
      .String("KeyName", [](TJSetting& s, const std::string& v) { s.SetKeyName(v); })
      .String("DefaultValue", [](TJSetting& s, const std::string& v) { s.SetDefaultValue(v); })
      .String("Storage.Key", [](TJSetting& s, const std::string& v) { s.GetStorage()->SetKey(v); })
      .Enum("Storage.RegistryRootKey", RootKeyNames,
            [](TJSetting& s, int v) { s.GetStorage()->SetRegistryRootKey(TJStorageRootKey(v)); });
}
