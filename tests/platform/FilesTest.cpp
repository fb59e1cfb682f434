#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "TempFolder.h"
#include "platform/Files.h"

using namespace platform;

namespace {

const TPDirEntry* Find(const std::vector<TPDirEntry>& entries, const std::string& name) {
  auto it = std::find_if(entries.begin(), entries.end(), [&](const TPDirEntry& e) { return e.Name == name; });
  return it == entries.end() ? nullptr : &*it;
}

}  // namespace

TEST(Files, ListFolderReportsEveryEntryButDotsFollowingLinks) {
  TTempFolder folder;
  ASSERT_TRUE(WriteWholeFile(folder / "page.rtf", "12345"));
  ASSERT_TRUE(WriteWholeFile(folder / ".hidden", ""));
  ASSERT_EQ(mkdir((folder / "English").c_str(), 0755), 0);
  ASSERT_EQ(symlink((folder / "English").c_str(), (folder / "Linked").c_str()), 0);
  ASSERT_EQ(symlink((folder / "nowhere").c_str(), (folder / "Dangling").c_str()), 0);

  const std::vector<TPDirEntry> entries = ListFolder(folder.Path());
  EXPECT_EQ(entries.size(), 5u);
  EXPECT_FALSE(Find(entries, "."));
  EXPECT_FALSE(Find(entries, ".."));
  ASSERT_TRUE(Find(entries, "page.rtf"));
  EXPECT_FALSE(Find(entries, "page.rtf")->IsDirectory);
  EXPECT_EQ(Find(entries, "page.rtf")->Size, 5u);
  ASSERT_TRUE(Find(entries, ".hidden"));
  ASSERT_TRUE(Find(entries, "English"));
  EXPECT_TRUE(Find(entries, "English")->IsDirectory);
  ASSERT_TRUE(Find(entries, "Linked"));
  EXPECT_TRUE(Find(entries, "Linked")->IsDirectory);
  ASSERT_TRUE(Find(entries, "Dangling"));
  EXPECT_FALSE(Find(entries, "Dangling")->IsDirectory);

  std::vector<std::string> names = ListFolderNames(folder.Path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".hidden", "Dangling", "English", "Linked", "page.rtf"}));
  EXPECT_TRUE(ListFolderNames(folder / "missing").empty());
  EXPECT_TRUE(ListFolderNames(folder / "page.rtf").empty());
}

TEST(Files, UnreadableOrMissingFoldersListAsEmpty) {
  TTempFolder folder;
  EXPECT_TRUE(ListFolder(folder / "missing").empty());
  ASSERT_TRUE(WriteWholeFile(folder / "file", "x"));
  EXPECT_TRUE(ListFolder(folder / "file").empty());
  ASSERT_EQ(mkdir((folder / "locked").c_str(), 0755), 0);
  ASSERT_TRUE(WriteWholeFile(folder / "locked/inside", "x"));
  chmod((folder / "locked").c_str(), 0);
  if (access((folder / "locked").c_str(), R_OK) == 0) {
    chmod((folder / "locked").c_str(), 0755);
    GTEST_SKIP() << "permissions do not apply to this user";
  }
  EXPECT_TRUE(ListFolder(folder / "locked").empty());
  chmod((folder / "locked").c_str(), 0755);
}

TEST(Files, BackslashesAreSeparators) {
  TTempFolder folder;
  EXPECT_EQ(NativePath("English\\3.rtf"), "English/3.rtf");
  ASSERT_EQ(mkdir((folder / "English").c_str(), 0755), 0);
  ASSERT_TRUE(WriteWholeFile(folder.Path() + "\\English\\3.rtf", "text"));
  EXPECT_TRUE(FileExists(folder / "English/3.rtf"));
  EXPECT_TRUE(FolderExists(folder.Path() + "\\English"));
  EXPECT_EQ(ListFolder(folder.Path() + "\\English\\").size(), 1u);
  EXPECT_EQ(FileSize(folder.Path() + "\\English\\3.rtf"), 4u);
}

TEST(Files, ExistenceAndSizeDistinguishFilesFromFolders) {
  TTempFolder folder;
  ASSERT_TRUE(WriteWholeFile(folder / "f", ""));
  EXPECT_TRUE(FileExists(folder / "f"));
  EXPECT_FALSE(FolderExists(folder / "f"));
  EXPECT_EQ(FileSize(folder / "f"), 0u);
  EXPECT_FALSE(FileExists(folder.Path()));
  EXPECT_TRUE(FolderExists(folder.Path()));
  EXPECT_EQ(FileSize(folder.Path()), std::nullopt);
  EXPECT_EQ(FileSize(folder / "missing"), std::nullopt);
}

TEST(Files, WholeFileReadsWritesAndAppends) {
  TTempFolder folder;
  const std::string binary("a\0b\r\n\xFF", 6);
  ASSERT_TRUE(WriteWholeFile(folder / "data", binary));
  std::string data = "stale";
  ASSERT_TRUE(ReadWholeFile(folder / "data", data));
  EXPECT_EQ(data, binary);

  ASSERT_TRUE(WriteWholeFile(folder / "data", "new"));
  ASSERT_TRUE(ReadWholeFile(folder / "data", data));
  EXPECT_EQ(data, "new");
  EXPECT_EQ(ListFolder(folder.Path()).size(), 1u);  // no temporary file left behind

  ASSERT_TRUE(AppendToFile(folder / "log", "one\n"));
  ASSERT_TRUE(AppendToFile(folder / "log", "two\n"));
  ASSERT_TRUE(ReadWholeFile(folder / "log", data));
  EXPECT_EQ(data, "one\ntwo\n");

  EXPECT_FALSE(ReadWholeFile(folder / "missing", data));
  EXPECT_TRUE(data.empty());
  EXPECT_FALSE(ReadWholeFile(folder.Path(), data));
  EXPECT_FALSE(WriteWholeFile(folder / "missing/x", "x"));
  EXPECT_FALSE(AppendToFile(folder / "missing/x", "x"));
  // A write that cannot replace the target leaves it alone.
  ASSERT_EQ(mkdir((folder / "dir").c_str(), 0755), 0);
  EXPECT_FALSE(WriteWholeFile(folder / "dir", "x"));
  EXPECT_TRUE(FolderExists(folder / "dir"));
}

TEST(Files, ExecutablePathCanBeOverridden) {
  const std::string real = ExecutablePath();
  EXPECT_EQ(real.substr(real.rfind('/') + 1), "test_platform");
  SetExecutablePathOverride("/opt/pointrix/pointrix");
  EXPECT_EQ(ExecutablePath(), "/opt/pointrix/pointrix");
  SetExecutablePathOverride("");
  EXPECT_EQ(ExecutablePath(), real);
}
