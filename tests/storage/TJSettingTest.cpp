// TJSetting: one named text value, opened and closed around every call.

#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "platform/posix/FileRegistryFormat.h"
#include "registry/LockHolder.h"
#include "registry/RegistryFaultHook.h"
#include "registry/TempRegistryFolder.h"
#include "storage/TJSetting.h"

using namespace platform;

namespace {

struct TLanguageSetting {
  TComponent Form{nullptr};
  TJSetting* Setting = new TJSetting(&Form);  // owned by the form
  TLanguageSetting() {
    Setting->GetStorage()->SetKey("Software\\Quillaby Software\\Pointrix");
    Setting->GetStorage()->SetRegistryRootKey(atrkCurrentUser);
    Setting->SetKeyName("Language");
  }
};

}  // namespace

// Reading creates nothing, so a read never has anything to write back (and never waits
// for a writer's lock).
TEST(TJSetting, AFreshProfileGivesEmptyTextAndLeavesTheRegistryAlone) {
  TTempRegistryFolder folder;
  TLanguageSetting language;
  EXPECT_EQ(language.Setting->GetStorage()->GetOwnerComponent(), language.Setting);
  EXPECT_EQ(language.Setting->GetValue(), "");
  EXPECT_FALSE(language.Setting->GetStorage()->GetIsOpen());
  EXPECT_FALSE(std::filesystem::exists(folder.UserHive()));
  platform::FlushRegistry();
  EXPECT_FALSE(std::filesystem::exists(folder.UserHive()));
}

TEST(TJSetting, StoresTextOnDiskBeforeSetValueReturns) {
  TTempRegistryFolder folder;
  TLanguageSetting language;
  language.Setting->SetValue("English");
  TRegKey onDisk = folder.UserHiveOnDisk();
  EXPECT_EQ(*onDisk.Find({"Software", "Quillaby Software", "Pointrix"})->FindValue("Language"),
            (TRegValue{"Language", REG_SZ, std::string("English\0", 8)}));
  EXPECT_EQ(language.Setting->GetValue(), "English");
  EXPECT_FALSE(language.Setting->GetStorage()->GetIsOpen());

  TLanguageSetting another;  // a second component on the same value
  EXPECT_EQ(another.Setting->GetValue(), "English");
}

TEST(TJSetting, AnEmptyKeyGivesTheDefaultAndStoresNothing) {
  TTempRegistryFolder folder;
  TJSetting setting(nullptr);
  setting.SetKeyName("Language");
  setting.SetDefaultValue("English");
  EXPECT_EQ(setting.GetValue(), "English");
  setting.SetValue("Deutsch");
  EXPECT_EQ(setting.GetValue(), "English");
  EXPECT_FALSE(setting.GetStorage()->GetIsOpen());
  EXPECT_FALSE(std::filesystem::exists(folder.UserHive()));
}

TEST(TJSetting, TheDefaultStandsForAbsentValuesOnly) {
  TTempRegistryFolder folder;
  TLanguageSetting language;
  language.Setting->SetDefaultValue("English");
  EXPECT_EQ(language.Setting->GetValue(), "English");
  language.Setting->SetValue("");
  EXPECT_EQ(language.Setting->GetValue(), "");

  // A value of another type reads as the default.
  TJStorage* storage = language.Setting->GetStorage();
  storage->Open();
  storage->WriteInteger("Language", 1);
  storage->Close();
  EXPECT_EQ(language.Setting->GetValue(), "English");

  // An empty KeyName is the key's unnamed value.
  language.Setting->SetKeyName("");
  language.Setting->SetValue("unnamed");
  EXPECT_NE(TTempRegistryFolder::ReadFile(folder.UserHive()).find("\n@=\"unnamed\"\n"), std::string::npos);
}

TEST(TJSetting, WhileDesigningItNeitherReadsNorWrites) {
  TTempRegistryFolder folder;
  TLanguageSetting language;
  language.Setting->SetValue("English");
  language.Form.SetDesigning(true);
  language.Setting->SetDefaultValue("default");
  EXPECT_EQ(language.Setting->GetValue(), "");
  language.Setting->SetValue("Deutsch");
  language.Form.SetDesigning(false);
  EXPECT_EQ(language.Setting->GetValue(), "English");
}

TEST(TJSetting, ClosesAStorageThatWasOpenBeforeTheCall) {
  TTempRegistryFolder folder;
  TLanguageSetting language;
  language.Setting->GetStorage()->Open();
  language.Setting->GetValue();
  EXPECT_FALSE(language.Setting->GetStorage()->GetIsOpen());
  language.Setting->GetStorage()->Open();
  language.Setting->SetValue("English");
  EXPECT_FALSE(language.Setting->GetStorage()->GetIsOpen());
}

TEST(TJSetting, HandSettingFollowsTheDesktopUnlessTheHiveSaysOtherwise) {
  TTempRegistryFolder folder;
  TComponent form(nullptr);
  auto* hand = new TJSetting(&form);
  hand->GetStorage()->SetKey("Control Panel\\Mouse");
  hand->SetKeyName("SwapMouseButtons");
  folder.FakeLeftHanded(true);
  EXPECT_EQ(hand->GetValue(), "1");
  folder.FakeLeftHanded(false);
  EXPECT_EQ(hand->GetValue(), "0");
  folder.FakeLeftHanded(std::nullopt);
  EXPECT_EQ(hand->GetValue(), "");

  // Stored as a number (not as Windows stores it) it reads as the empty default.
  folder.FakeLeftHanded(true);
  hand->GetStorage()->Open();
  hand->GetStorage()->WriteInteger("SwapMouseButtons", 1);
  hand->GetStorage()->Close();
  EXPECT_EQ(hand->GetValue(), "");
}

TEST(TJSetting, AnUnwritableRegistryLosesTheValueQuietly) {
  TTempRegistryFolder folder;
  TTempRegistryFolder::WriteFile(folder.Path() + "/file", "x");
  setenv("POINTRIX_REGISTRY_DIR", (folder.Path() + "/file/registry").c_str(), 1);
  TLanguageSetting language;
  language.Setting->SetDefaultValue("English");
  EXPECT_NO_THROW(language.Setting->SetValue("Deutsch"));
  EXPECT_EQ(language.Setting->GetValue(), "English");
}

// A second copy of the program stuck in a write: reading settings never waits for its
// lock, a write waits about a second and its value is kept and written once it is free.
TEST(TJSetting, AHeldLockStopsNeitherReadsNorTheValueBeingKept) {
  TTempRegistryFolder folder;
  folder.FakeLeftHanded(true);
  TLockHolder holder(folder.UserHive() + ".lock");
  TLanguageSetting language;
  auto* hand = new TJSetting(&language.Form);
  hand->GetStorage()->SetKey("Control Panel\\Mouse");
  hand->SetKeyName("SwapMouseButtons");

  TRegistryStepLog steps;
  EXPECT_EQ(language.Setting->GetValue(), "");
  EXPECT_EQ(hand->GetValue(), "1");
  EXPECT_TRUE(steps.Steps().empty()) << "a read went for the lock";

  testing::internal::CaptureStderr();
  language.Setting->SetValue("Deutsch");
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(steps.Reached(TRegWriteStep::rwLockWanted));
  steps.Clear();
  EXPECT_EQ(language.Setting->GetValue(), "Deutsch");
  EXPECT_EQ(hand->GetValue(), "1");
  EXPECT_TRUE(steps.Steps().empty()) << "a read after a kept write went for the lock";
  EXPECT_FALSE(std::filesystem::exists(folder.UserHive()));

  holder.Release();
  platform::FlushRegistry();
  EXPECT_EQ(*folder.UserHiveOnDisk().Find({"Software", "Quillaby Software", "Pointrix"})->FindValue("Language"),
            (TRegValue{"Language", REG_SZ, std::string("Deutsch\0", 8)}));
}
