// Files through the wide Windows calls: UTF-8 names reach the file system as the
// characters they stand for, '/' and '\' both separate, replacing a file is whole.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "platform/Files.h"
#include "platform/win32/WideText.h"

using namespace platform;

namespace {

class WindowsFiles : public ::testing::Test {
protected:
  void SetUp() override {
    FRoot = std::filesystem::temp_directory_path() / ("px-files-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::remove_all(FRoot);
    std::filesystem::create_directories(FRoot);
    FRootUtf8 = win32::Utf8FromWide(FRoot.wstring());
  }
  void TearDown() override { std::filesystem::remove_all(FRoot); }

  std::filesystem::path FRoot;
  std::string FRootUtf8;
};

TEST_F(WindowsFiles, Utf8NamesAreTheRealCharacters) {
  const std::string name =
      "Fran\xC3\xA7"
      "ais \xE2\x82\xAC.rtf";  // "Français €.rtf" in UTF-8
  ASSERT_TRUE(WriteWholeFile(FRootUtf8 + "/" + name, "hello"));
  EXPECT_TRUE(std::filesystem::exists(FRoot / L"Fran\u00E7ais \u20AC.rtf"));
  std::string data;
  ASSERT_TRUE(ReadWholeFile(FRootUtf8 + "\\" + name, data));
  EXPECT_EQ(data, "hello");
  EXPECT_EQ(FileSize(FRootUtf8 + "/" + name), 5u);
  EXPECT_TRUE(FileExists(FRootUtf8 + "/" + name));
  EXPECT_FALSE(FolderExists(FRootUtf8 + "/" + name));

  std::vector<TPDirEntry> entries = ListFolder(FRootUtf8);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, name);
  EXPECT_EQ(entries[0].Size, 5u);
  EXPECT_FALSE(entries[0].IsDirectory);
}

TEST_F(WindowsFiles, FoldersReplacingAndAppending) {
  std::filesystem::create_directories(FRoot / L"English");
  EXPECT_TRUE(FolderExists(FRootUtf8 + "/English"));
  EXPECT_FALSE(FileExists(FRootUtf8 + "/English"));
  EXPECT_FALSE(FileSize(FRootUtf8 + "/English").has_value());
  std::string data = "old";
  EXPECT_FALSE(ReadWholeFile(FRootUtf8 + "/English", data));
  EXPECT_TRUE(data.empty());
  EXPECT_FALSE(ReadWholeFile(FRootUtf8 + "/missing.txt", data));
  EXPECT_TRUE(ListFolder(FRootUtf8 + "/missing").empty());

  const std::string file = FRootUtf8 + "/English/notes.txt";
  ASSERT_TRUE(WriteWholeFile(file, "first version, longer"));
  ASSERT_TRUE(WriteWholeFile(file, "second"));
  ASSERT_TRUE(ReadWholeFile(file, data));
  EXPECT_EQ(data, "second");
  ASSERT_TRUE(AppendToFile(file, "+more"));
  ASSERT_TRUE(AppendToFile(FRootUtf8 + "/English/new.log", "line"));
  ASSERT_TRUE(ReadWholeFile(file, data));
  EXPECT_EQ(data, "second+more");
  // No temporary file is left beside a replaced one.
  std::vector<TPDirEntry> entries = ListFolder(FRootUtf8 + "/English");
  EXPECT_EQ(entries.size(), 2u);
  // A write into a missing folder fails and creates nothing.
  EXPECT_FALSE(WriteWholeFile(FRootUtf8 + "/Missing/x.txt", "x"));
  EXPECT_FALSE(FolderExists(FRootUtf8 + "/Missing"));
}

TEST_F(WindowsFiles, ExecutablePathIsTheRunningModuleWithSlashes) {
  const std::string path = ExecutablePath();
  ASSERT_GT(path.size(), 4u);
  EXPECT_EQ(path.find('\\'), std::string::npos) << path;
  std::string lower = path.substr(path.size() - 4);
  std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
  EXPECT_EQ(lower, ".exe");
  EXPECT_TRUE(FileExists(path));
  SetExecutablePathOverride("C:/Program/pointrix.exe");
  EXPECT_EQ(ExecutablePath(), "C:/Program/pointrix.exe");
  SetExecutablePathOverride("");
  EXPECT_EQ(ExecutablePath(), path);
}

}  // namespace
