// Folder walks (TDirEntryIterator, TSubDirIterator), the language folder list and
// the letter-case-blind lookup of language files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "content/LanguageFolder.h"
#include "content/TDirEntryIterator.h"
#include "platform/Files.h"
#include "support/Golden.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class DirIteratorTest : public ::testing::Test {
protected:
  void Folder(const std::string& name) { fs::create_directories(FTemp.Path() + "/" + name); }
  void File(const std::string& name, const std::string& data = "x") {
    ASSERT_TRUE(platform::WriteWholeFile(FTemp.Path() + "/" + name, data));
  }
  // The names of the entries in the order the file system returns them, filtered.
  template <class Keep>
  Strings FileSystemOrder(Keep keep) const {
    Strings names;
    for (const platform::TPDirEntry& entry : platform::ListFolder(FTemp.Path()))
      if (keep(entry)) names.push_back(entry.Name);
    return names;
  }
  static Strings Walk(TDirEntryIterator& it) {
    Strings names;
    for (; it.valid(); it.advance()) names.push_back(it.current()->cFileName);
    EXPECT_EQ(it.current(), nullptr) << "the entry is released when the walk is over";
    return names;
  }

  testsupport::TTempDir FTemp;
};

TEST_F(DirIteratorTest, SubDirIteratorYieldsFoldersOnlyWithoutDotFoldersInFileSystemOrder) {
  for (const char* name : {"English", "Output", "output", ".git", ".hidden", "Deutsch", "Zulu", "a.b"}) Folder(name);
  for (const char* name : {"readme.txt", "pointrix", ".profile", "Franais"}) File(name);

  TSubDirIterator it(FTemp.Path());
  Strings walked = Walk(it);
  Strings expected = FileSystemOrder([](const platform::TPDirEntry& e) { return e.IsDirectory && e.Name[0] != '.'; });
  EXPECT_EQ(walked, expected);
  EXPECT_EQ(walked.size(), 6u);
}

TEST_F(DirIteratorTest, SubDirIteratorReportsTheDirectoryAttribute) {
  Folder("English");
  TSubDirIterator it(FTemp.Path());
  ASSERT_TRUE(it.valid());
  EXPECT_TRUE(it.current()->valid);
  EXPECT_EQ(it.current()->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_STREQ(it.current()->cFileName, "English");
}

TEST_F(DirIteratorTest, WalkIsOverAtOnceWhenNothingMatches) {
  File("only-a-file.txt");
  Folder(".dotted");
  TSubDirIterator subDirs(FTemp.Path());
  EXPECT_FALSE(subDirs.valid());
  EXPECT_EQ(subDirs.current(), nullptr);
  subDirs.advance();  // harmless after the end
  EXPECT_FALSE(subDirs.valid());

  TSubDirIterator missing(FTemp.Path() + "/absent");
  EXPECT_FALSE(missing.valid());
}

TEST_F(DirIteratorTest, MaskSelectsEntriesIgnoringLetterCase) {
  for (const char* name : {"1.rtf", "4l.RTF", "4r.rtf", "English.txt", "notes"}) File(name);
  Folder("sub.rtf");
  TDirEntryIterator rtf(FTemp.Path(), "*.rtf");
  Strings walked = Walk(rtf);
  Strings expected = FileSystemOrder([](const platform::TPDirEntry& e) {
    std::string lower = e.Name;
    for (char& c : lower) c = char(std::tolower(uint8_t(c)));
    return lower.size() > 4 && lower.ends_with(".rtf");
  });
  EXPECT_EQ(walked, expected);
  EXPECT_EQ(walked.size(), 4u) << "folders match a mask too in the plain iterator";

  TDirEntryIterator single(FTemp.Path(), "4?.rtf");
  EXPECT_EQ(Walk(single).size(), 2u);
  TDirEntryIterator all(FTemp.Path(), "*.*");
  EXPECT_EQ(Walk(all).size(), 6u) << "*.* matches names without a dot as well";
}

TEST(MatchesMask, Wildcards) {
  EXPECT_TRUE(MatchesMask("English", "*.*"));
  EXPECT_TRUE(MatchesMask("English", "e*H"));
  EXPECT_TRUE(MatchesMask("abcabc", "*abc"));
  EXPECT_FALSE(MatchesMask("abcab", "*abc"));
  EXPECT_TRUE(MatchesMask("a.b", "?.?"));
  EXPECT_FALSE(MatchesMask("ab", "?"));
}

TEST_F(DirIteratorTest, LanguageListLeavesOutExactlyOutputAndIsSortedIgnoringLetterCase) {
  for (const char* name :
       {"English", "Output", "output", "OUTPUT", ".svn", "Nederlands", "deutsch", "Zulu", "afrikaans", "english"})
    Folder(name);
  File("English.txt");
  File("Basque");
  Strings listed = ListLanguageFolders(FTemp.Path());
  EXPECT_EQ(listed, (Strings{"afrikaans", "deutsch", "English", "english", "Nederlands", "OUTPUT", "output", "Zulu"}));
}

TEST_F(DirIteratorTest, ProgramFolderIsTheExecutablesFolder) {
  platform::SetExecutablePathOverride(FTemp.Path() + "/pointrix");
  EXPECT_EQ(ProgramFolder(), FTemp.Path());
  platform::SetExecutablePathOverride("/pointrix");
  EXPECT_EQ(ProgramFolder(), "/") << "the root folder, not the current folder";
  platform::SetExecutablePathOverride("C:/pointrix.exe");
  EXPECT_EQ(ProgramFolder(), "C:/") << "the drive's root, not its current folder";
  platform::SetExecutablePathOverride("");
}

TEST_F(DirIteratorTest, PathIgnoringCasePrefersTheExactName) {
  Folder("English");
  File("English/English.txt");
  const std::string root = FTemp.Path();
  EXPECT_EQ(PathIgnoringCase(root, "English"), root + "/English");
  EXPECT_EQ(PathIgnoringCase(root, "english"), root + "/English");
  EXPECT_EQ(PathIgnoringCase(root + "/English", "ENGLISH.TXT"), root + "/English/English.txt");
  EXPECT_EQ(PathIgnoringCase(root, "Deutsch"), root + "/Deutsch") << "absent: the name as asked";
  Folder("english");
  EXPECT_EQ(PathIgnoringCase(root, "english"), root + "/english") << "an exact match wins";
}

TEST_F(DirIteratorTest, PageFilePathPrefersTheCommonFileThenTheHandedVariant) {
  Folder("L");
  for (const char* name : {"L/4.rtf", "L/4l.rtf", "L/4r.rtf", "L/5L.RTF", "L/5r.rtf", "L/6r.rtf"}) File(name);
  Folder("L/7.rtf");  // a folder is not a page file
  File("L/7l.rtf");
  const std::string lang = FTemp.Path() + "/L";
  EXPECT_EQ(PageFilePath(lang, 4, true), lang + "/4.rtf");
  EXPECT_EQ(PageFilePath(lang, 4, false), lang + "/4.rtf");
  EXPECT_EQ(PageFilePath(lang, 5, true), lang + "/5L.RTF");
  EXPECT_EQ(PageFilePath(lang, 5, false), lang + "/5r.rtf");
  EXPECT_EQ(PageFilePath(lang, 6, true), lang + "/6l.rtf") << "missing variant: its own name, no fallback";
  EXPECT_EQ(PageFilePath(lang, 7, true), lang + "/7l.rtf");
  EXPECT_EQ(PageFilePath(lang, 12, false), lang + "/12r.rtf");
}

}  // namespace
