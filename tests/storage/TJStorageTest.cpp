// TJStorage and its registry connection: create-on-open, default-tolerant reads, silent
// write failures, moving an open storage, and the errors it raises.

#include <gtest/gtest.h>

#include "platform/posix/FileRegistryFormat.h"
#include "registry/TempRegistryFolder.h"
#include "storage/TJStorage.h"

using namespace platform;

namespace {

const std::string PointrixKey = "Software\\Quillaby Software\\Pointrix";

std::string ExpectThrows(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  ADD_FAILURE() << "no Exception was raised";
  return "";
}

}  // namespace

TEST(TJStorage, MapsEveryRootValueToItsHandle) {
  TJStorage storage;
  const std::pair<TJStorageRootKey, HKEY> table[] = {
      {atrkClassesRoot, HKEY_CLASSES_ROOT},     {atrkLocalMachine, HKEY_LOCAL_MACHINE},
      {atrkCurrentUser, HKEY_CURRENT_USER},     {atrkUsers, HKEY_USERS},
      {atrkCurrentConfig, HKEY_CURRENT_CONFIG}, {atrkDynamicData, HKEY_DYN_DATA},
  };
  EXPECT_EQ(storage.GetRegistryRootKey(), atrkCurrentUser);
  for (auto [rootKey, handle] : table) {
    storage.SetRegistryRootKey(rootKey);
    EXPECT_EQ(storage.GetRootKey(), handle) << int(rootKey);
  }
  storage.SetRegistryRootKey(TJStorageRootKey(6));
  EXPECT_EQ(storage.GetRootKey(), HKEY_NULL);
  storage.SetRegistryRootKey(TJStorageRootKey(255));
  EXPECT_EQ(storage.GetRootKey(), HKEY_NULL);
}

TEST(TJStorage, TheFirstWriteCreatesTheKeyAndClosingWritesItToDisk) {
  TTempRegistryFolder folder;
  TJStorage storage;
  storage.SetKey(PointrixKey);
  storage.Open();
  EXPECT_TRUE(storage.GetIsOpen());
  EXPECT_EQ(storage.ReadString("Language", ""), "");
  storage.Close();
  EXPECT_FALSE(storage.GetIsOpen());
  platform::FlushRegistry();
  EXPECT_FALSE(std::filesystem::exists(folder.UserHive())) << "a read created something";

  storage.Open();
  storage.WriteString("Language", "English");
  EXPECT_EQ(storage.ReadString("Language", ""), "English");
  storage.Close();
  TRegKey onDisk = folder.UserHiveOnDisk();
  const TRegKey* key = onDisk.Find({"Software", "Quillaby Software", "Pointrix"});
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->Values().size(), 1u);
}

TEST(TJStorage, RaisesItsTwoErrorsWithTheirExactTexts) {
  TTempRegistryFolder folder;
  TJStorage storage;
  EXPECT_EQ(ExpectThrows([&] { storage.ReadString("x", ""); }), "JStorage not Open");
  EXPECT_EQ(ExpectThrows([&] { storage.WriteBool("x", true); }), "JStorage not Open");
  EXPECT_EQ(ExpectThrows([&] { storage.Open(); }), "Cannot open registry because TJStorage.Key is blank");
  EXPECT_FALSE(storage.GetIsOpen());
  // The access object exists now, without a key: reads give defaults, writes vanish.
  EXPECT_EQ(storage.ReadInteger("x", 17), 17);
  storage.WriteInteger("x", 1);
  storage.Close();
  EXPECT_FALSE(std::filesystem::exists(folder.UserHive()));
  EXPECT_EQ(ExpectThrows([&] { storage.ReadInteger("x", 0); }), "JStorage not Open");
}

TEST(TJStorage, ReadsReturnTheDefaultForMissingValuesAndOtherTypes) {
  TTempRegistryFolder folder;
  TJStorage storage;
  storage.SetKey("Software\\Test");
  storage.Open();
  EXPECT_EQ(storage.ReadInteger("Count", 0), 0);
  EXPECT_EQ(storage.ReadString("Name", "fallback"), "fallback");
  EXPECT_TRUE(storage.ReadBool("Flag", true));

  storage.WriteInteger("Number", 1);
  storage.WriteString("Text", "1");
  EXPECT_EQ(storage.ReadString("Number", "default"), "default");
  EXPECT_EQ(storage.ReadInteger("Text", -5), -5);
  EXPECT_FALSE(storage.ReadBool("Text", false));

  storage.WriteInteger("Negative", -123456789);
  EXPECT_EQ(storage.ReadInteger("Negative", 0), -123456789);
  storage.WriteString("Empty", "");
  EXPECT_EQ(storage.ReadString("Empty", "not empty"), "");
  storage.Close();

  // The stored forms: text with its terminating zero, numbers as 4-byte REG_DWORD.
  TRegKey onDisk = folder.UserHiveOnDisk();
  const TRegKey* key = onDisk.Find({"Software", "Test"});
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(*key->FindValue("Empty"), (TRegValue{"Empty", REG_SZ, std::string(1, '\0')}));
  EXPECT_EQ(*key->FindValue("Text"), (TRegValue{"Text", REG_SZ, std::string("1\0", 2)}));
  EXPECT_EQ(*key->FindValue("Number"), (TRegValue{"Number", REG_DWORD, std::string("\x01\0\0\0", 4)}));
}

TEST(TJStorage, BooleansAreNumbersAndAnyNonZeroNumberIsTrue) {
  TTempRegistryFolder folder;
  TJStorage storage;
  storage.SetKey("Software\\Test");
  storage.Open();
  storage.WriteInteger("Seven", 7);
  EXPECT_TRUE(storage.ReadBool("Seven", false));
  storage.WriteBool("On", true);
  EXPECT_EQ(storage.ReadInteger("On", 0), 1);
  storage.WriteBool("Off", false);
  EXPECT_EQ(storage.ReadInteger("Off", 5), 0);
  EXPECT_FALSE(storage.ReadBool("Off", true));
  storage.Close();
}

TEST(TJStorage, EightBitTextRoundTripsByteForByteThroughTheFile) {
  TTempRegistryFolder folder;
  std::string text;
  for (int c = 1; c < 256; ++c) text += char(c);
  TJStorage storage;
  storage.SetKey("Software\\Bytes");
  storage.Open();
  storage.WriteString("All", text);
  storage.Close();
  TRegKey onDisk = folder.UserHiveOnDisk();
  EXPECT_EQ(onDisk.Find({"Software", "Bytes"})->FindValue("All")->Data, text + '\0');
  storage.Open();
  EXPECT_EQ(storage.ReadString("All", ""), text);
  storage.Close();
}

TEST(TJStorage, ChangingKeyOrRootMovesAnOpenStorage) {
  TTempRegistryFolder folder;
  TJStorage storage;
  storage.SetKey("Software\\First");
  storage.Open();
  storage.WriteString("Where", "first");
  storage.SetKey("Software\\Second");
  EXPECT_TRUE(storage.GetIsOpen());
  EXPECT_EQ(storage.ReadString("Where", "none"), "none");
  storage.WriteString("Where", "second");
  storage.SetKey("Software\\First");
  EXPECT_EQ(storage.ReadString("Where", "none"), "first");

  TTempRegistryFolder::WriteFile(folder.MachineFolder() + "/HKEY_LOCAL_MACHINE.reg",
                                 "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\First]\n\"Where\"=\"machine\"\n");
  storage.SetRegistryRootKey(atrkLocalMachine);
  EXPECT_TRUE(storage.GetIsOpen());
  EXPECT_EQ(storage.ReadString("Where", "none"), "machine");

  storage.SetKey("");
  EXPECT_FALSE(storage.GetIsOpen());
  EXPECT_EQ(ExpectThrows([&] { storage.ReadString("Where", ""); }), "JStorage not Open");

  // A closed storage only stores the new place.
  storage.SetKey("Software\\Third");
  EXPECT_FALSE(storage.GetIsOpen());
}

TEST(TJStorage, ADesignedOwnerOnlyStoresTheNewPlace) {
  TTempRegistryFolder folder;
  TComponent owner(nullptr);
  owner.SetDesigning(true);
  TJStorage storage;
  storage.SetOwnerComponent(&owner);
  storage.SetKey("Software\\First");
  storage.Open();
  storage.WriteString("Where", "first");
  storage.SetKey("Software\\Second");
  EXPECT_EQ(storage.GetKey(), "Software\\Second");
  EXPECT_EQ(storage.ReadString("Where", "none"), "first");  // still connected to the first key
  storage.SetRegistryRootKey(atrkLocalMachine);
  EXPECT_EQ(storage.ReadString("Where", "none"), "first");
  storage.SetKey("");
  EXPECT_TRUE(storage.GetIsOpen());
  storage.Close();
}

TEST(TJStorage, OpenTwiceCloseOnceLeavesItClosed) {
  TTempRegistryFolder folder;
  TJStorage storage;
  storage.SetKey("Software\\Test");
  storage.Open();
  storage.WriteString("a", "b");
  storage.Open();
  EXPECT_EQ(storage.ReadString("a", ""), "b");
  storage.Close();
  EXPECT_FALSE(storage.GetIsOpen());
  EXPECT_EQ(ExpectThrows([&] { storage.ReadString("a", ""); }), "JStorage not Open");
  storage.Close();
  EXPECT_FALSE(storage.GetIsOpen());
}

TEST(TJStorage, AssignCopiesThePlaceAndOpensWhenTheSourceIsOpen) {
  TTempRegistryFolder folder;
  TJStorage source;
  source.SetKey("Software\\Source");
  source.SetRegistryRootKey(atrkCurrentUser);
  source.Open();
  source.WriteString("From", "source");

  TComponent owner(nullptr);
  TJStorage target;
  target.SetOwnerComponent(&owner);
  target.SetKey("Software\\Target");
  target.SetRegistryRootKey(atrkLocalMachine);
  target.Assign(&source);
  EXPECT_EQ(target.GetKey(), "Software\\Source");
  EXPECT_EQ(target.GetRegistryRootKey(), atrkCurrentUser);
  EXPECT_TRUE(target.GetIsOpen());
  EXPECT_EQ(target.ReadString("From", ""), "source");
  EXPECT_EQ(target.GetOwnerComponent(), &owner);

  source.Close();
  TJStorage closedCopy;
  closedCopy.Assign(&source);
  EXPECT_EQ(closedCopy.GetKey(), "Software\\Source");
  EXPECT_FALSE(closedCopy.GetIsOpen());

  TComponent notAStorage(nullptr);
  EXPECT_NE(ExpectThrows([&] { target.Assign(&notAStorage); }), "");
}

TEST(TJStorage, UnreachablePlacesGiveDefaultsAndLoseWritesSilently) {
  TTempRegistryFolder folder;
  TJStorage storage;
  storage.SetKey("Software\\Test");
  storage.SetRegistryRootKey(TJStorageRootKey(9));
  storage.Open();
  EXPECT_TRUE(storage.GetIsOpen());
  EXPECT_EQ(storage.ReadString("a", "default"), "default");
  storage.WriteString("a", "lost");
  EXPECT_EQ(storage.ReadString("a", "default"), "default");
  storage.Close();

  // A machine-wide root: an existing value is read, a write is lost.
  TTempRegistryFolder::WriteFile(folder.MachineFolder() + "/HKEY_LOCAL_MACHINE.reg",
                                 "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Test]\n\"a\"=\"machine\"\n");
  storage.SetRegistryRootKey(atrkLocalMachine);
  storage.Open();
  storage.WriteString("a", "changed");
  EXPECT_EQ(storage.ReadString("a", "default"), "machine");
  storage.Close();
}
