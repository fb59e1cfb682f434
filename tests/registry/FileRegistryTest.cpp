// The registry calls over hive files: key creation, value queries, and the reliability
// promises (no write without a change, broken files set aside, read-only places).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Registry.h"
#include "platform/posix/FileRegistryFormat.h"
#include "platform/posix/FileRegistryStore.h"
#include "registry/TempRegistryFolder.h"

using namespace platform;

namespace {

// Opens (creating) a key below HKEY_CURRENT_USER; fails the test when that is refused.
HKEY CreateKey(const std::string& path, HKEY root = HKEY_CURRENT_USER, DWORD* disposition = nullptr) {
  HKEY key = HKEY_NULL;
  EXPECT_EQ(RegCreateKeyEx(root, path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &key, disposition), ERROR_SUCCESS);
  return key;
}

LONG SetText(HKEY key, const std::string& name, const std::string& text) {
  return RegSetValueEx(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
}

// The value's bytes, or nothing when the query fails.
std::optional<std::string> Query(HKEY key, const std::string& name, DWORD* type = nullptr) {
  DWORD size = 0;
  if (RegQueryValueEx(key, name, type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  std::string data(size, '\0');
  if (RegQueryValueEx(key, name, type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    return std::nullopt;
  return data;
}

TRegKey ParseFile(const std::string& path, const std::string& rootName = "HKEY_CURRENT_USER") {
  TRegKey root;
  std::string error;
  EXPECT_TRUE(ParseRegFile(TTempRegistryFolder::ReadFile(path), rootName, root, error)) << error;
  return root;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(FileRegistry, CreatesKeysWithTheirParentsAndFindsThemInAnyCase) {
  TTempRegistryFolder folder;
  DWORD disposition = 0;
  HKEY key = CreateKey("\\Software\\Quillaby Software\\Pointrix", HKEY_CURRENT_USER, &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_EQ(SetText(key, "Language", "English"), ERROR_SUCCESS);
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  HKEY again = CreateKey("software\\QUILLABY SOFTWARE\\pointrix\\", HKEY_CURRENT_USER, &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_EQ(Query(again, "LANGUAGE"), std::string("English\0", 8));
  RegCloseKey(again);

  HKEY parent = HKEY_NULL;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Quillaby Software", KEY_READ, &parent), ERROR_SUCCESS);
  HKEY child = CreateKey("Pointrix", parent);
  EXPECT_TRUE(Query(child, "Language"));
  RegCloseKey(child);
  RegCloseKey(parent);

  TRegKey onDisk = ParseFile(folder.UserHive());
  const TRegKey* stored = onDisk.Find({"Software", "Quillaby Software", "Pointrix"});
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->FindValue("Language")->Type, REG_SZ);
}

TEST(FileRegistry, QueriesReportTypeSizeAndTooSmallBuffers) {
  TTempRegistryFolder folder;
  HKEY key = CreateKey("App");
  uint32_t number = 7;
  ASSERT_EQ(RegSetValueEx(key, "n", REG_DWORD, reinterpret_cast<BYTE*>(&number), 4), ERROR_SUCCESS);
  ASSERT_EQ(SetText(key, "", "unnamed"), ERROR_SUCCESS);

  DWORD type = REG_NONE, size = 0;
  EXPECT_EQ(RegQueryValueEx(key, "n", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(size, 4u);
  BYTE small[4];
  size = 3;
  EXPECT_EQ(RegQueryValueEx(key, "", &type, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(Query(key, "", &type), std::string("unnamed\0", 8));
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(RegQueryValueEx(key, "missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

  // Names that cannot be written to a hive file are refused rather than corrupting it.
  EXPECT_EQ(SetText(key, "two\nlines", "x"), ERROR_INVALID_PARAMETER);
  HKEY refused = HKEY_NULL;
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "a\\\\b", 0, KEY_ALL_ACCESS, &refused), ERROR_INVALID_PARAMETER);

  HKEY readOnly = HKEY_NULL;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "App", KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(SetText(readOnly, "x", "y"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Nowhere", KEY_READ, &readOnly), ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(Query(key, "n"), std::nullopt);
  EXPECT_EQ(RegCreateKeyEx(HKEY_NULL, "App", 0, KEY_ALL_ACCESS, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(key, HKEY_NULL);
  EXPECT_EQ(RegCreateKeyEx(HKEY(0x80000009u), "App", 0, KEY_ALL_ACCESS, &key), ERROR_INVALID_HANDLE);
}

TEST(FileRegistry, SeesChangesAnotherProgramWroteToTheFile) {
  TTempRegistryFolder folder;
  HKEY key = CreateKey("App");
  SetText(key, "mine", "1");
  RegFlushKey(key);
  TTempRegistryFolder::WriteFile(folder.UserHive(),
                                 "REGEDIT4\n\n[HKEY_CURRENT_USER\\App]\n\"mine\"=\"1\"\n\"theirs\"=\"2\"\n");
  EXPECT_EQ(Query(key, "theirs"), std::string("2\0", 2));
  // A pending change of ours is kept on top of theirs and both reach the file.
  SetText(key, "mine", "3");
  TTempRegistryFolder::WriteFile(folder.UserHive(),
                                 "REGEDIT4\n\n[HKEY_CURRENT_USER\\App]\n\"mine\"=\"1\"\n\"theirs\"=\"4\"\n");
  EXPECT_EQ(Query(key, "mine"), std::string("3\0", 2));
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  TRegKey onDisk = ParseFile(folder.UserHive());
  const TRegKey* app = onDisk.Find({"App"});
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->FindValue("mine")->Data, std::string("3\0", 2));
  EXPECT_EQ(app->FindValue("theirs")->Data, std::string("4\0", 2));
  RegCloseKey(key);
}

TEST(FileRegistry, AFlushThatChangesNothingWritesNothing) {
  TTempRegistryFolder folder;
  HKEY key = CreateKey("App");
  SetText(key, "Language", "English");
  ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  struct stat before;
  ASSERT_EQ(stat(folder.UserHive().c_str(), &before), 0);

  SetText(key, "language", "English");  // the same value again
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  RegCloseKey(key);
  key = CreateKey("App");  // an existing key
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  FlushRegistry();

  struct stat after;
  ASSERT_EQ(stat(folder.UserHive().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  RegCloseKey(key);
}

TEST(FileRegistry, SetsAFileThatIsNoHiveFileAsideAndNeverOverwritesIt) {
  TTempRegistryFolder folder;
  const std::string garbage = "Language=English\n[HKEY_CURRENT_USER\\App]\n";
  TTempRegistryFolder::WriteFile(folder.UserHive(), garbage);

  HKEY key = CreateKey("App");
  EXPECT_EQ(Query(key, "Language"), std::nullopt);  // the hive starts empty
  SetText(key, "Language", "Deutsch");
  ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  EXPECT_EQ(ParseFile(folder.UserHive()).Find({"App"})->FindValue("Language")->Data, std::string("Deutsch\0", 8));

  std::vector<std::string> files = FilesIn(folder.Path());
  auto aside = std::find_if(files.begin(), files.end(),
                            [](const std::string& name) { return name.find(".reg.corrupt-") != std::string::npos; });
  ASSERT_NE(aside, files.end());
  const std::string firstAside = folder.Path() + "/" + *aside;
  EXPECT_EQ(TTempRegistryFolder::ReadFile(firstAside), garbage);

  // A second broken file within the same second gets a name of its own.
  TTempRegistryFolder::WriteFile(folder.UserHive(), "\x01\x02 binary noise");
  EXPECT_EQ(Query(key, "Language"), std::nullopt);
  EXPECT_EQ(TTempRegistryFolder::ReadFile(firstAside), garbage);
  int setAside = 0;
  for (const std::string& name : FilesIn(folder.Path())) setAside += name.find(".corrupt-") != std::string::npos;
  EXPECT_EQ(setAside, 2);
  RegCloseKey(key);
}

// Latin-1 text as UTF-16 LE (the byte order mark FF FE stays two bytes).
std::string Utf16(const std::string& text) {
  std::string out;
  size_t start = text.rfind("\xFF\xFE", 0) == 0 ? 2 : 0;
  out = text.substr(0, start);
  for (size_t i = start; i < text.size(); ++i) out += std::string{text[i], '\0'};
  return out;
}

// A hand edit with a line that cannot be read: the values around it are read, the line is
// told once with the file and its number, and it stays in the file, byte for byte, when
// the program writes the file again. The file's encoding and header are kept too.
TEST(FileRegistry, ALineThatCannotBeReadCostsOnlyThatLine) {
  TTempRegistryFolder folder;
  const std::string badLine = "\"Path\"=\"C:\\temp\\new\"";
  TTempRegistryFolder::WriteFile(
      folder.UserHive(), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\App]\r\n" + badLine + "\r\n\"Language\"=\"Deutsch\"\r\n");
  testing::internal::CaptureStderr();
  HKEY key = CreateKey("App");
  EXPECT_EQ(Query(key, "Language"), std::string("Deutsch\0", 8));
  SetText(key, "Language", "English");
  ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  SetText(key, "Level", "2");
  ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  const std::string notes = testing::internal::GetCapturedStderr();
  EXPECT_EQ(notes, "Pointrix: the registry file " + folder.UserHive() +
                       ", line 4: an unknown escape in text; the line is kept as it is and the rest is read.\n");
  EXPECT_EQ(
      TTempRegistryFolder::ReadFile(folder.UserHive()),
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\App]\r\n" + badLine + "\r\n\"Language\"=\"English\"\r\n\"Level\"=\"2\"\r\n");
  for (const std::string& name : FilesIn(folder.Path())) EXPECT_EQ(name.find(".corrupt-"), std::string::npos);

  // An export in UTF-16 is read and written back in UTF-16 with its header.
  const std::string exported =
      Utf16("\xFF\xFEWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\App]\r\n\"a\"=\"\xE7\"\r\n");
  TTempRegistryFolder::WriteFile(folder.UserHive(), exported);
  EXPECT_EQ(Query(key, "a"), std::string("\xE7\0", 2));
  SetText(key, "b", "x");
  ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  EXPECT_EQ(TTempRegistryFolder::ReadFile(folder.UserHive()), exported + Utf16("\"b\"=\"x\"\r\n"));
  RegCloseKey(key);
}

TEST(FileRegistry, MachineRootsAreReadOnly) {
  TTempRegistryFolder folder;
  const std::string machineHive = folder.MachineFolder() + "/HKEY_LOCAL_MACHINE.reg";
  const std::string content = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n\"Edition\"=\"Home\"\n";
  TTempRegistryFolder::WriteFile(machineHive, content);

  HKEY key = CreateKey("Software\\Vendor", HKEY_LOCAL_MACHINE);
  EXPECT_EQ(Query(key, "Edition"), std::string("Home\0", 5));
  EXPECT_EQ(SetText(key, "Edition", "Pro"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  RegCloseKey(key);
  HKEY missing = HKEY_NULL;
  EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\Other", 0, KEY_ALL_ACCESS, &missing), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetText(HKEY_USERS, "x", "y"), ERROR_ACCESS_DENIED);
  FlushRegistry();
  EXPECT_EQ(TTempRegistryFolder::ReadFile(machineHive), content);
  EXPECT_EQ(FilesIn(folder.MachineFolder()), std::vector<std::string>{"HKEY_LOCAL_MACHINE.reg"});
}

TEST(FileRegistry, AnUnwritableFolderLosesWritesSilently) {
  TTempRegistryFolder folder;
  TTempRegistryFolder::WriteFile(folder.Path() + "/plain-file", "x");
  setenv("POINTRIX_REGISTRY_DIR", (folder.Path() + "/plain-file/registry").c_str(), 1);

  HKEY key = CreateKey("App");
  EXPECT_EQ(SetText(key, "Language", "English"), ERROR_SUCCESS);
  EXPECT_EQ(RegFlushKey(key), ERROR_WRITE_FAULT);
  EXPECT_EQ(Query(key, "Language"), std::nullopt);  // the lost write is not shown either
  RegCloseKey(key);
  EXPECT_EQ(TTempRegistryFolder::ReadFile(folder.Path() + "/plain-file"), "x");
}

TEST(FileRegistry, AHiveFileThatCannotBeReadIsLeftAlone) {
  TTempRegistryFolder folder;
  std::filesystem::create_directories(folder.UserHive());  // a folder where the file should be
  TTempRegistryFolder::WriteFile(folder.UserHive() + "/keep", "data");
  HKEY key = HKEY_NULL;
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "App", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetText(HKEY_CURRENT_USER, "x", "y"), ERROR_ACCESS_DENIED);
  FlushRegistry();
  EXPECT_EQ(TTempRegistryFolder::ReadFile(folder.UserHive() + "/keep"), "data");
}

TEST(FileRegistry, FollowsALinkedHiveFileAndCleansUpDeadWritersTemporaries) {
  TTempRegistryFolder folder;
  TTempRegistryFolder::WriteFile(folder.Path() + "/dotfiles/user.reg", "REGEDIT4\n");
  std::filesystem::create_symlink(folder.Path() + "/dotfiles/user.reg", folder.UserHive());
  TTempRegistryFolder::WriteFile(folder.Path() + "/dotfiles/user.reg.tmp-99999-0", "half a file");

  HKEY key = CreateKey("App");
  SetText(key, "a", "b");
  ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.UserHive()));
  EXPECT_NE(ParseFile(folder.Path() + "/dotfiles/user.reg").Find({"App"}), nullptr);
  EXPECT_EQ(FilesIn(folder.Path() + "/dotfiles"), std::vector<std::string>{"user.reg"});
}

TEST(FileRegistry, AnswersSwapMouseButtonsFromTheDesktopWhenTheHiveHasNone) {
  TTempRegistryFolder folder;
  HKEY mouse = CreateKey("Control Panel\\Mouse");
  DWORD type = REG_NONE;
  folder.FakeLeftHanded(true);
  EXPECT_EQ(Query(mouse, "SwapMouseButtons", &type), std::string("1\0", 2));
  EXPECT_EQ(type, REG_SZ);
  folder.FakeLeftHanded(false);
  EXPECT_EQ(Query(mouse, "swapmousebuttons"), std::string("0\0", 2));
  HKEY other = CreateKey("Control Panel\\Keyboard");
  EXPECT_EQ(Query(other, "SwapMouseButtons"), std::nullopt);
  folder.FakeLeftHanded(std::nullopt);
  EXPECT_EQ(Query(mouse, "SwapMouseButtons"), std::nullopt);

  // The answer is never written; a value in the hive wins over the desktop.
  folder.FakeLeftHanded(true);
  SetText(mouse, "DoubleClickSpeed", "500");
  RegFlushKey(mouse);
  EXPECT_EQ(ParseFile(folder.UserHive()).Find({"Control Panel", "Mouse"})->FindValue("SwapMouseButtons"), nullptr);
  SetText(mouse, "SwapMouseButtons", "0");
  EXPECT_EQ(Query(mouse, "SwapMouseButtons"), std::string("0\0", 2));
  RegCloseKey(mouse);
  RegCloseKey(other);
}

TEST(FileRegistryStore, RefusesFilesBeyondTheSizeLimit) {
  TTempRegistryFolder folder;
  TTempRegistryFolder::WriteFile(folder.Path() + "/big", std::string(2000, 'x'));
  std::string data, error;
  TFileIdentity identity;
  EXPECT_EQ(ReadFileSnapshot(folder.Path() + "/big", 1999, data, identity, error), TFileReadResult::frTooLarge);
  EXPECT_EQ(ReadFileSnapshot(folder.Path() + "/big", 2000, data, identity, error), TFileReadResult::frOk);
  EXPECT_EQ(data.size(), 2000u);
  EXPECT_EQ(ReadFileSnapshot(folder.Path() + "/none", 10, data, identity, error), TFileReadResult::frMissing);
}

// Permissions do not bind the superuser, so this runs only for ordinary users.
TEST(FileRegistry, WriteProtectedFilesAndFoldersLoseWritesSilently) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not apply to root";
  TTempRegistryFolder folder;
  const std::string content = "REGEDIT4\n\n[HKEY_CURRENT_USER\\App]\n\"a\"=\"b\"\n";
  TTempRegistryFolder::WriteFile(folder.UserHive(), content);
  chmod(folder.UserHive().c_str(), 0444);
  HKEY key = CreateKey("App");
  SetText(key, "a", "changed");
  EXPECT_EQ(RegFlushKey(key), ERROR_WRITE_FAULT);
  EXPECT_EQ(TTempRegistryFolder::ReadFile(folder.UserHive()), content);

  chmod(folder.UserHive().c_str(), 0644);
  chmod(folder.Path().c_str(), 0555);
  SetText(key, "a", "changed");
  EXPECT_EQ(RegFlushKey(key), ERROR_WRITE_FAULT);
  EXPECT_EQ(Query(key, "a"), std::string("b\0", 2));
  chmod(folder.Path().c_str(), 0755);
  EXPECT_EQ(TTempRegistryFolder::ReadFile(folder.UserHive()), content);
  RegCloseKey(key);
}
