// Start-up of the main window: which language folders are listed, which language is
// chosen and stored, which page opens, and how a start fails.

#include <unistd.h>

#include <filesystem>

#include "content/LanguageTexts.h"
#include "controls/TFancyButton.h"
#include "platform/Files.h"
#include "scenario/ShellHelpers.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TMessageForm.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

using namespace shelltest;

namespace {

// A start that failed shows the error box as the program's only window.
bool ErrorBoxIsTheWindow() {
  return Application->MessageForm() && Application->WindowForm() == Application->MessageForm();
}

std::string SelectedLanguage(TScenario& s) {
  TListBox* list = s.Form().LanguageList;
  return list->ItemIndex() < 0 ? "<none>" : list->Items()->Strings(list->ItemIndex());
}

TEST(ShellStart, FirstStartShowsConfigureWithEnglishStoredBeforeTheWindowShows) {
  TScenario s;
  WriteHive(s, nullptr, "0");
  ASSERT_TRUE(s.Create());
  EXPECT_FALSE(s.Backend().IsShown());
  EXPECT_EQ(StoredLanguage(s), "English") << "written during start-up, before the window shows";
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().ConfigSheet);
  EXPECT_EQ(SelectedLanguage(s), "English");
  EXPECT_EQ(s.Form().ActiveGame, 0);
  s.ShowWindow();
  EXPECT_TRUE(s.Backend().IsShown());
  EXPECT_TRUE(s.Backend().Messages().empty());
  EXPECT_EQ(std::string(LanguageTexts[0]), "Press the Enter key to continue.");
  EXPECT_EQ(s.Form().ExitBtn->Caption(), "Exit");
}

TEST(ShellStart, StoredNameInAnotherLetterCaseSelectsTheFolderAndIsRewritten) {
  TScenario s;
  WriteHive(s, "eNGLISH", "0");
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().IntroSheet);
  EXPECT_EQ(SelectedLanguage(s), "English");
  EXPECT_EQ(StoredLanguage(s), "English") << "rewritten with the folder's letter case";
  EXPECT_EQ(s.Form().PageControl1->Pages(0)->Caption(), "Configure");
  EXPECT_FALSE(FirstLine(s.Form().IntroRE).empty());
}

TEST(ShellStart, StoredLanguageOpensOnTheIntroPageInThatLanguage) {
  TScenario s;
  WriteLanguage(s, "Testish", Join(TextLines("T")));
  WriteHive(s, "Testish", "0");
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().IntroSheet);
  EXPECT_EQ(SelectedLanguage(s), "Testish");
  EXPECT_EQ(StoredLanguage(s), "Testish");
  EXPECT_EQ(s.Form().PageControl1->Pages(1)->Caption(), "T tab 2");
  EXPECT_EQ(FirstLine(s.Form().IntroRE), "Testish page 2");
  EXPECT_EQ(s.Form().BackBtn->Caption(), "T text 5");
}

TEST(ShellStart, StoredLanguageWhoseFolderIsGoneStartsAsOnTheFirstDay) {
  TScenario s;
  WriteHive(s, "Klingon", "0");
  ASSERT_TRUE(s.Start());
  EXPECT_TRUE(s.Backend().Messages().empty());
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().ConfigSheet);
  EXPECT_EQ(SelectedLanguage(s), "English");
  EXPECT_EQ(StoredLanguage(s), "English");
}

TEST(ShellStart, ListsFoldersButNotOutputDotFoldersOrFiles) {
  TScenario s;
  for (const char* folder : {"Output", "output", ".hidden", ".git", "Deutsch"})
    std::filesystem::create_directories(s.ProgramDir() + "/" + folder);
  s.WriteProgramFile("readme.txt", "not a language");
  s.WriteProgramFile("Klingon", "a file, not a folder");
  WriteHive(s, nullptr, "0");
  ASSERT_TRUE(s.Start());
  std::vector<std::string> listed;
  TStrings* items = s.Form().LanguageList->Items();
  for (int i = 0; i < items->Count(); ++i) listed.push_back(items->Strings(i));
  // On a file system that ignores letter case (Windows) "Output" and "output" are one
  // folder, and it is never listed.
  const bool foldsCase = platform::FolderExists(s.ProgramDir() + "/DEUTSCH");
  const std::vector<std::string> expected =
      foldsCase ? std::vector<std::string>{"Deutsch", "English"} : std::vector<std::string>{"Deutsch", "English", "output"};
  EXPECT_EQ(listed, expected)
      << "by name, letter case ignored";
}

TEST(ShellStart, NoEnglishFolderSelectsTheFirstListedLanguage) {
  for (const char* stored : {static_cast<const char*>(nullptr), "Klingon"}) {
    TScenario s(testsupport::lsNone);
    WriteLanguage(s, "Svenska", Join(TextLines("S")));
    WriteLanguage(s, "deutsch", Join(TextLines("D")));
    WriteLanguage(s, "Nederlands", Join(TextLines("N")));
    WriteHive(s, stored, "0");
    const std::string what = stored ? stored : "nothing stored";
    ASSERT_TRUE(s.Start()) << what;
    EXPECT_TRUE(s.Backend().Messages().empty()) << what;
    EXPECT_EQ(SelectedLanguage(s), "deutsch") << what;
    EXPECT_EQ(StoredLanguage(s), "deutsch") << what;
    EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().ConfigSheet) << what;
    EXPECT_EQ(s.Form().PageControl1->Pages(1)->Caption(), "D tab 2") << what;
  }
}

TEST(ShellStart, NoLanguageFolderAtAllFailsNamingTheFolderSearched) {
  TScenario s(testsupport::lsNone);
  std::filesystem::create_directories(s.ProgramDir() + "/Output");
  s.WriteProgramFile("English", "a file, not a folder");
  WriteHive(s, nullptr, "0");
  EXPECT_FALSE(s.Start());
  EXPECT_TRUE(ErrorBoxIsTheWindow()) << "the error box, not the main window";
  ASSERT_EQ(s.Backend().Messages().size(), 1u);
  const std::string text = s.Backend().Messages()[0].Text;
  EXPECT_NE(text.find(s.ProgramDir()), std::string::npos) << text;
  EXPECT_NE(text.find("language folder"), std::string::npos) << text;
  EXPECT_EQ(text.find("List index"), std::string::npos) << text;
  EXPECT_EQ(s.Backend().Messages()[0].Caption, "Pointrix");
  EXPECT_EQ(s.Backend().Messages()[0].Icon, platform::TPMessageIcon::Error);
  EXPECT_EQ(StoredLanguage(s), "<none>");
}

TEST(ShellStart, StoredLanguageWithAMissingPageFileFailsNamingTheFile) {
  TScenario s;
  WriteLanguage(s, "Broken", Join(TextLines("B")), pfVariants, {3});
  WriteHive(s, "Broken", "0");
  EXPECT_FALSE(s.Start());
  EXPECT_TRUE(ErrorBoxIsTheWindow()) << "the error box, not the main window";
  ASSERT_EQ(s.Backend().Messages().size(), 1u);
  EXPECT_EQ(s.Backend().Messages()[0].Text, "Cannot open file " + s.ProgramDir() + "/Broken/3r.rtf.");
  EXPECT_EQ(StoredLanguage(s), "Broken") << "the stored value is kept";
}

TEST(ShellStart, StoredLanguageWithoutItsTextFileFailsWithTheReadersMessage) {
  TScenario s;
  WriteLanguage(s, "Mute", Join(TextLines("M")));
  std::filesystem::remove(s.ProgramDir() + "/Mute/Mute.txt");
  WriteHive(s, "Mute", "0");
  EXPECT_FALSE(s.Start());
  EXPECT_TRUE(ErrorBoxIsTheWindow()) << "the error box, not the main window";
  ASSERT_EQ(s.Backend().Messages().size(), 1u);
  EXPECT_EQ(s.Backend().Messages()[0].Text, "No file.");
  EXPECT_EQ(s.Backend().Messages()[0].Icon, platform::TPMessageIcon::Error);
}

TEST(ShellStart, WorksFromAnotherCurrentFolder) {
  TScenario s;
  WriteHive(s, "English", "0");
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir("/"), 0);
  bool started = s.Start();
  ASSERT_EQ(chdir(previous), 0);
  ASSERT_TRUE(started);
  EXPECT_TRUE(s.Backend().Messages().empty());
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().IntroSheet);
  EXPECT_FALSE(FirstLine(s.Form().OutroRE).empty());
}

}  // namespace
