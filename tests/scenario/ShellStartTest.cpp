// Start-up of the main window: which language folders are listed, which language is
// chosen and stored, which page opens, and how a start fails.

#include <unistd.h>

#include <filesystem>
#include <sstream>

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
  const std::vector<std::string> expected = foldsCase ? std::vector<std::string>{"Deutsch", "English"}
                                                      : std::vector<std::string>{"Deutsch", "English", "output"};
  EXPECT_EQ(listed, expected) << "by name, letter case ignored";
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

TEST(ShellStart, StoredLanguageWithAMissingPageFileStartsWithANoticeInThatPage) {
  TScenario s;
  WriteLanguage(s, "Broken", Join(TextLines("B")), pfVariants, {3});
  WriteHive(s, "Broken", "0");
  ASSERT_TRUE(s.Start());
  EXPECT_TRUE(s.Backend().Messages().empty());
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().IntroSheet);
  EXPECT_EQ(FirstLine(s.Form().IntroRE), "Broken page 2 right");
  EXPECT_EQ(FirstLine(s.Form().OverviewRE), "This page could not be loaded. Pointrix looked for");
  EXPECT_EQ(s.Form().OverviewRE->Lines().Strings(2), s.ProgramDir() + "/Broken/3r.rtf");
  EXPECT_EQ(StoredLanguage(s), "Broken");
}

// How a language's text file is broken; each keeps the language from loading at all.
void BreakTextFile(TScenario& s, const std::string& name, const std::string& how) {
  const std::string path = s.ProgramDir() + "/" + name + "/" + name + ".txt";
  std::filesystem::remove(path);
  if (how == "folder") std::filesystem::create_directories(path);
  if (how == "loop") std::filesystem::create_symlink(name + ".txt", path);
  if (how == "too large") s.WriteProgramFile(name + "/" + name + ".txt", std::string(50001, 'a'));
  if (how == "binary") s.WriteProgramFile(name + "/" + name + ".txt", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
}

class ShellBrokenStart : public ::testing::TestWithParam<const char*> {};

TEST_P(ShellBrokenStart, StoredLanguageThatCannotLoadIsSkippedAndKeptStored) {
  TScenario s;
  WriteLanguage(s, "Mute", Join(TextLines("M")));
  BreakTextFile(s, "Mute", GetParam());
  WriteHive(s, "Mute", "0");
  ASSERT_TRUE(s.Start());
  EXPECT_TRUE(s.Backend().Messages().empty()) << "a note on standard error, no box";
  EXPECT_EQ(SelectedLanguage(s), "English");
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().ConfigSheet) << "as on the first day";
  EXPECT_EQ(s.Form().PageControl1->Pages(1)->Caption(), "Intro");
  EXPECT_EQ(StoredLanguage(s), "Mute") << "the learner's choice is not lost";
}

TEST_P(ShellBrokenStart, BrokenEnglishGivesTheNextLanguageInTheList) {
  TScenario s;
  WriteLanguage(s, "Svenska", Join(TextLines("S")));
  WriteLanguage(s, "Dansk", Join(TextLines("D")));
  BreakTextFile(s, "Dansk", "binary");
  BreakTextFile(s, "English", GetParam());
  WriteHive(s, nullptr, "0");
  ASSERT_TRUE(s.Start());
  EXPECT_TRUE(s.Backend().Messages().empty());
  EXPECT_EQ(SelectedLanguage(s), "Svenska");
  EXPECT_EQ(s.Form().PageControl1->Pages(1)->Caption(), "S tab 2");
  EXPECT_EQ(StoredLanguage(s), "Svenska");
}

TEST_P(ShellBrokenStart, NoLanguageThatLoadsShowsTheErrorBoxNamingEveryPathTried) {
  TScenario s;
  WriteLanguage(s, "Dansk", Join(TextLines("D")));
  BreakTextFile(s, "Dansk", "missing");
  BreakTextFile(s, "English", GetParam());
  WriteHive(s, "Dansk", "0");
  EXPECT_FALSE(s.Start());
  EXPECT_TRUE(ErrorBoxIsTheWindow()) << "the error box, not the main window";
  ASSERT_EQ(s.Backend().Messages().size(), 1u);
  const std::string text = s.Backend().Messages()[0].Text;
  EXPECT_EQ(text.rfind("No language could be loaded.\n", 0), 0u) << text;
  EXPECT_NE(text.find(s.ProgramDir() + "/Dansk/Dansk.txt does not exist."), std::string::npos) << text;
  EXPECT_NE(text.find(s.ProgramDir() + "/English/English.txt"), std::string::npos) << text;
  EXPECT_EQ(s.Backend().Messages()[0].Icon, platform::TPMessageIcon::Error);
  EXPECT_EQ(StoredLanguage(s), "Dansk") << "the stored value is kept";
}

INSTANTIATE_TEST_SUITE_P(TextFile, ShellBrokenStart,
#ifdef _WIN32  // links need privileges there
                         ::testing::Values("missing", "folder", "too large", "binary"));
#else
                         ::testing::Values("missing", "folder", "loop", "too large", "binary"));
#endif

// The user's folder is $XDG_DATA_HOME here; on Windows it is the roaming application data.
#ifndef _WIN32
TEST(ShellStart, LanguagesComeFromTheUsersTheProgramsAndTheSharedFolder) {
  TScenario s;
  auto write = [](const std::string& folder, const std::string& name, const std::string& tag) {
    std::filesystem::create_directories(folder + "/" + name);
    for (int n = 1; n <= 12; ++n)
      ASSERT_TRUE(platform::WriteWholeFile(folder + "/" + name + "/" + std::to_string(n) + ".rtf",
                                           tag + " page " + std::to_string(n)));
    ASSERT_TRUE(platform::WriteWholeFile(folder + "/" + name + "/" + name + ".txt", Join(TextLines(tag))));
  };
  write(s.UserLanguageDir(), "Deutsch", "user");
  write(s.SharedLanguageDir(), "deutsch", "shared");
  write(s.SharedLanguageDir(), "Svenska", "sv");
  write(s.UserLanguageDir(), "Cymraeg", "cy");
  WriteHive(s, "Deutsch", "0");
  ASSERT_TRUE(s.Start());
  std::vector<std::string> listed;
  for (int i = 0; i < s.Form().LanguageList->Items()->Count(); ++i)
    listed.push_back(s.Form().LanguageList->Items()->Strings(i));
  EXPECT_EQ(listed, (std::vector<std::string>{"Cymraeg", "Deutsch", "English", "Svenska"}));
  EXPECT_EQ(FirstLine(s.Form().IntroRE), "user page 2") << "the user's folder wins";
  EXPECT_EQ(s.Form().PageControl1->Pages(0)->Caption(), "user tab 1");
  ClickTab(s, s.Form().PageControl1, 0);
  ClickItem(s, s.Form().LanguageList, 3);
  EXPECT_EQ(FirstLine(s.Form().IntroRE), "sv page 2");
  EXPECT_EQ(StoredLanguage(s), "Svenska");
}
#endif

// The locale variables choose the first language on POSIX systems; Windows asks the
// system for the user's display language instead.
#ifndef _WIN32
// The languages of languages/ beside the program, a user's locale variables, and the
// language that a first start marks and loads.
struct TLocaleCase {
  const char* Variables;  // NAME=value pairs separated by spaces
  const char* Expected;
};

class ShellLocale : public ::testing::TestWithParam<TLocaleCase> {};

TEST_P(ShellLocale, FirstStartMarksTheLanguageOfTheUsersLocale) {
  TScenario s;
  for (const char* name : {"Deutsch",
                           "Fran\xc3\xa7"
                           "ais",
                           "Portugu\xc3\xaas", "Svenska"})
    std::filesystem::copy(std::filesystem::path(POINTRIX_SOURCE_DIR) / "languages" / name,
                          std::filesystem::path(s.ProgramDir()) / name, std::filesystem::copy_options::recursive);
  std::istringstream variables(GetParam().Variables);
  for (std::string pair; variables >> pair;) {
    const size_t eq = pair.find('=');
    setenv(pair.substr(0, eq).c_str(), pair.substr(eq + 1).c_str(), 1);
  }
  WriteHive(s, nullptr, "0");
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(SelectedLanguage(s), GetParam().Expected);
  EXPECT_EQ(StoredLanguage(s), GetParam().Expected);
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().ConfigSheet);
}

INSTANTIATE_TEST_SUITE_P(
    Variables, ShellLocale,
    ::testing::Values(TLocaleCase{"LANG=de_DE.UTF-8", "Deutsch"}, TLocaleCase{"LANG=de_CH.UTF-8", "Deutsch"},
                      TLocaleCase{"LANG=fr_CA.UTF-8",
                                  "Fran\xe7"
                                  "ais"},
                      TLocaleCase{"LANG=pt_PT.UTF-8", "Portugu\xeas"}, TLocaleCase{"LANG=sv_SE", "Svenska"},
                      TLocaleCase{"LANG=en_GB.UTF-8", "English"}, TLocaleCase{"LANG=C.UTF-8", "English"},
                      TLocaleCase{"LANG=POSIX", "English"}, TLocaleCase{"LANG=ja_JP.UTF-8", "English"},
                      TLocaleCase{"LANG=de_DE.UTF-8 LC_MESSAGES=sv_SE.UTF-8", "Svenska"},
                      TLocaleCase{"LC_MESSAGES=sv_SE.UTF-8 LC_ALL=fr_FR.UTF-8",
                                  "Fran\xe7"
                                  "ais"},
                      TLocaleCase{"LANG=de_DE.UTF-8 LANGUAGE=ja:pt_BR:de", "Portugu\xeas"},
                      TLocaleCase{"LANG=de_DE@euro", "Deutsch"}));

TEST(ShellStart, StoredLanguageWinsOverTheLocale) {
  TScenario s;
  std::filesystem::copy(std::filesystem::path(POINTRIX_SOURCE_DIR) / "languages" / "Deutsch",
                        std::filesystem::path(s.ProgramDir()) / "Deutsch", std::filesystem::copy_options::recursive);
  setenv("LANG", "de_DE.UTF-8", 1);
  WriteHive(s, "English", "0");
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(SelectedLanguage(s), "English");
  EXPECT_EQ(s.Form().PageControl1->ActivePage(), s.Form().IntroSheet);
}

#endif

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
