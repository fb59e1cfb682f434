// Another program holding a hive's lock: reads go on without it, writes wait about a second
// and then keep their changes for a later flush or the end of the program.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Registry.h"
#include "platform/posix/FileRegistryFormat.h"
#include "registry/LockHolder.h"
#include "registry/RegistryFaultHook.h"
#include "registry/TempRegistryFolder.h"

using namespace platform;

namespace {

const std::string Seed = "REGEDIT4\n\n[HKEY_CURRENT_USER\\App]\n\"Language\"=\"English\"\n";

std::optional<std::string> Text(HKEY key, const std::string& name) {
  char buffer[256];
  DWORD size = sizeof buffer;
  if (RegQueryValueEx(key, name, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) return std::nullopt;
  return std::string(buffer, size ? size - 1 : 0);
}

void SetText(HKEY key, const std::string& name, const std::string& text) {
  RegSetValueEx(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
}

std::string OnDisk(const TTempRegistryFolder& folder, const std::string& name) {
  TRegKey root;
  std::string error;
  EXPECT_TRUE(ParseRegFile(TTempRegistryFolder::ReadFile(folder.UserHive()), "HKEY_CURRENT_USER", root, error));
  const TRegKey* key = root.Find({"App"});
  const TRegValue* value = key ? key->FindValue(name) : nullptr;
  return value ? value->Data.substr(0, value->Data.size() - 1) : "<absent>";
}

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace

TEST(FileRegistryLock, ReadsNeverWaitForTheLockAndWritesAreKeptUntilItIsFree) {
  TTempRegistryFolder folder;
  TTempRegistryFolder::WriteFile(folder.UserHive(), Seed);
  TLockHolder holder(folder.UserHive() + ".lock");

  TRegistryStepLog steps;
  HKEY key = HKEY_NULL;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "App", KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(Text(key, "Language"), "English");
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);  // nothing to write
  EXPECT_TRUE(steps.Steps().empty()) << "a read went for the lock";

  testing::internal::CaptureStderr();
  SetText(key, "Language", "Deutsch");
  EXPECT_EQ(RegFlushKey(key), ERROR_WRITE_FAULT);
  EXPECT_TRUE(steps.Reached(TRegWriteStep::rwLockWanted));
  EXPECT_FALSE(steps.Reached(TRegWriteStep::rwLocked));
  EXPECT_EQ(Text(key, "Language"), "Deutsch");  // this program sees its change meanwhile
  SetText(key, "Level", "2");
  EXPECT_EQ(RegFlushKey(key), ERROR_WRITE_FAULT);
  const std::string notes = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountOf(notes, "locked by another program"), 1) << notes;
  EXPECT_NE(notes.find(folder.UserHive()), std::string::npos) << notes;
  EXPECT_EQ(TTempRegistryFolder::ReadFile(folder.UserHive()), Seed);

  holder.Release();
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  EXPECT_EQ(OnDisk(folder, "Language"), "Deutsch");
  EXPECT_EQ(OnDisk(folder, "Level"), "2");
  RegCloseKey(key);
}

// A change still waiting for the lock is written when the program ends; when the lock is
// still held then, the program ends anyway after a short wait and the file is untouched.
TEST(FileRegistryLock, KeptChangesAreWrittenWhenTheProgramEndsIfTheLockIsFreeByThen) {
  for (bool freedBeforeExit : {true, false}) {
    SCOPED_TRACE(freedBeforeExit ? "lock freed before the end" : "lock still held at the end");
    TTempRegistryFolder folder;
    TTempRegistryFolder::WriteFile(folder.UserHive(), Seed);
    TLockHolder holder(folder.UserHive() + ".lock");
    int kept[2], go[2];
    ASSERT_EQ(pipe(kept), 0);
    ASSERT_EQ(pipe(go), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      alarm(30);
      HKEY key = HKEY_NULL;
      RegOpenKeyEx(HKEY_CURRENT_USER, "App", KEY_ALL_ACCESS, &key);
      SetText(key, "Language", "Deutsch");
      if (RegFlushKey(key) != ERROR_WRITE_FAULT) _exit(4);
      if (write(kept[1], "k", 1) != 1) _exit(5);
      char signal;
      if (read(go[0], &signal, 1) != 1) _exit(6);
      std::exit(0);  // runs the exit handlers
    }
    char signal;
    ASSERT_EQ(read(kept[0], &signal, 1), 1);
    if (freedBeforeExit) holder.Release();
    ASSERT_EQ(write(go[1], "g", 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (int fd : {kept[0], kept[1], go[0], go[1]}) close(fd);
    if (freedBeforeExit) {
      EXPECT_EQ(OnDisk(folder, "Language"), "Deutsch");
    } else {
      EXPECT_EQ(TTempRegistryFolder::ReadFile(folder.UserHive()), Seed);
    }
  }
}
