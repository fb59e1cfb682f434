// Loading a language while the window runs: page files and their handed variants,
// language text files of every shape, and the errors a broken folder gives.

#include <unistd.h>

#include <filesystem>

#include "content/LanguageTexts.h"
#include "controls/TFancyButton.h"
#include "scenario/ShellHelpers.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TWinControl.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

using namespace shelltest;

namespace {

const std::vector<std::string> EnglishTabs = {"Configure",  "Intro",      "Overview",   "Holding",    "Usage",
                                              "Selecting",  "Training 1", "Activating", "Training 2", "Moving",
                                              "Training 3", "Outro",      "About"};

// Starts in English (first start, right-handed) with extra language folders written by prepare.
class ShellLanguage : public ::testing::Test {
protected:
  void Start() {
    WriteHive(S, nullptr, "0");
    ASSERT_TRUE(S.Start());
    ASSERT_EQ(TabCaptions(S), EnglishTabs);
  }
  // Clicks the language in the list, as the user does.
  void Choose(const std::string& name) {
    int index = S.Form().LanguageList->Items()->IndexOf(name);
    ASSERT_GE(index, 0) << name << " is not listed";
    ClickItem(S, S.Form().LanguageList, index);
    ASSERT_EQ(S.Form().LanguageList->ItemIndex(), index);
  }
  // The captions that come from LanguageTexts entries 5 to 15, in load order.
  std::vector<std::string> ButtonAndLabelCaptions() {
    TMainForm& f = S.Form();
    return {f.BackBtn->Caption(),      f.NextBtn->Caption(),      f.ExitBtn->Caption(),       f.New1Btn->Caption(),
            f.New2Btn->Caption(),      f.New3Btn->Caption(),      f.ResetBtn->Caption(),      f.Time1Label->Caption(),
            f.Time2Label->Caption(),   f.Level1Label->Caption(),  f.Hits1Label->Caption(),    f.Hits2Label->Caption(),
            f.Misses1Label->Caption(), f.Misses2Label->Caption(), f.Escaped1Label->Caption(), f.Score1Label->Caption(),
            f.Score2Label->Caption()};
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const auto& text : LanguageTexts) texts.emplace_back(text);
    return texts;
  }

  TScenario S;
};

TEST_F(ShellLanguage, ChoosingALanguageLoadsEverythingAndStoresIt) {
  WriteLanguage(S, "Full", Join(TextLines("F")));
  Start();
  Choose("Full");
  EXPECT_TRUE(S.Backend().Messages().empty());
  std::vector<std::string> tabs = TextLines("F", 13);
  EXPECT_EQ(TabCaptions(S), tabs);
  EXPECT_EQ(FirstLine(S.Form().ConfigureRE), "Full page 1");
  EXPECT_EQ(FirstLine(S.Form().OutroRE), "Full page 12");
  EXPECT_EQ(ButtonAndLabelCaptions(),
            (std::vector<std::string>{"F text 5", "F text 6", "F text 7", "F text 8", "F text 8", "F text 8",
                                      "F text 9", "F text 10", "F text 10", "F text 11", "F text 12", "F text 12",
                                      "F text 13", "F text 13", "F text 14", "F text 15", "F text 15"}));
  EXPECT_EQ(std::string(LanguageTexts[16]), "F text 16");
  EXPECT_EQ(StoredLanguage(S), "Full");
}

TEST_F(ShellLanguage, ThirteenLinesRenameTheTabsOnly) {
  WriteLanguage(S, "Tabs", Join(TextLines("T", 13)));
  Start();
  std::vector<std::string> captionsBefore = ButtonAndLabelCaptions();
  std::vector<std::string> textsBefore = Texts();
  Choose("Tabs");
  EXPECT_EQ(TabCaptions(S), TextLines("T", 13));
  EXPECT_EQ(ButtonAndLabelCaptions(), captionsBefore);
  EXPECT_EQ(Texts(), textsBefore);
  EXPECT_EQ(StoredLanguage(S), "Tabs");
}

TEST_F(ShellLanguage, TwentyLinesAfterThirtyKeepTheRestOfTheFirstLanguage) {
  WriteLanguage(S, "Short", Join(TextLines("S", 20)));
  Start();
  Choose("Short");
  std::vector<std::string> captions = ButtonAndLabelCaptions();
  EXPECT_EQ(captions[0], "S text 5") << "Back from line 19";
  EXPECT_EQ(captions[1], "S text 6") << "Next from line 20";
  EXPECT_EQ(captions[2], "Exit") << "line 21 was not in the file";
  EXPECT_EQ(captions[3], "New game");
  EXPECT_EQ(captions[7], "Time:");
  EXPECT_EQ(captions[16], "Score:");
  EXPECT_EQ(std::string(LanguageTexts[0]), "S text 0");
  EXPECT_EQ(std::string(LanguageTexts[7]), "Exit");
  EXPECT_EQ(std::string(LanguageTexts[16]), "Well done!");
}

TEST_F(ShellLanguage, LongLinesAreCutAndLinesAfterThirtyIgnored) {
  std::vector<std::string> lines = TextLines("L", 30);
  lines[0] = std::string(120, 'c');
  lines[18] = std::string(150, 'b');  // line 19: the Back caption
  for (int i = 0; i < 20; ++i) lines.push_back("extra " + std::to_string(i));
  WriteLanguage(S, "Long", Join(lines));
  Start();
  Choose("Long");
  EXPECT_TRUE(S.Backend().Messages().empty());
  EXPECT_EQ(S.Form().PageControl1->Pages(0)->Caption(), std::string(99, 'c'));
  EXPECT_EQ(S.Form().BackBtn->Caption(), std::string(99, 'b'));
  EXPECT_EQ(std::string(LanguageTexts[5]), std::string(99, 'b'));
  EXPECT_EQ(std::string(LanguageTexts[16]), "L text 16");
}

TEST_F(ShellLanguage, EveryLineEndReadsTheSame) {
  WriteLanguage(S, "Unix", Join(TextLines("U"), "\n"));
  WriteLanguage(S, "Mac", Join(TextLines("M"), "\r"));
  std::string lastWithoutEnd = Join(TextLines("N"));
  lastWithoutEnd.resize(lastWithoutEnd.size() - 2);
  WriteLanguage(S, "NoEnd", lastWithoutEnd);
  Start();
  for (const char* name : {"Unix", "Mac", "NoEnd"}) {
    std::string tag = name == std::string("Unix") ? "U" : name == std::string("Mac") ? "M" : "N";
    Choose(name);
    EXPECT_EQ(TabCaptions(S), TextLines(tag, 13)) << name;
    EXPECT_EQ(S.Form().ExitBtn->Caption(), tag + " text 7") << name;
    EXPECT_EQ(std::string(LanguageTexts[16]), tag + " text 16") << name << ": the last line";
  }
  EXPECT_TRUE(S.Backend().Messages().empty());
}

TEST_F(ShellLanguage, TextFileOfExactlyFiftyThousandBytesIsRead) {
  std::string text = Join(TextLines("X"));
  text += std::string(50000 - text.size(), 'p');  // line 31, ignored
  ASSERT_EQ(text.size(), 50000u);
  WriteLanguage(S, "Big", text);
  Start();
  Choose("Big");
  EXPECT_TRUE(S.Backend().Messages().empty());
  EXPECT_EQ(TabCaptions(S), TextLines("X", 13));
  EXPECT_EQ(S.Form().ExitBtn->Caption(), "X text 7");
}

TEST_F(ShellLanguage, TextFileOfFiftyThousandAndOneBytesIsRefusedNamingItsPath) {
  std::string text = Join(TextLines("Y"));
  text += std::string(50001 - text.size(), 'p');
  WriteLanguage(S, "Huge", text);
  Start();
  std::vector<std::string> captionsBefore = ButtonAndLabelCaptions();
  std::string introBefore = FirstLine(S.Form().IntroRE);
  Choose("Huge");
  ASSERT_EQ(S.Backend().Messages().size(), 1u);
  EXPECT_EQ(S.Backend().Messages()[0].Text,
            "The language \"Huge\" cannot be loaded: " + S.ProgramDir() + "/Huge/Huge.txt is larger than 50000 bytes.");
  EXPECT_EQ(S.Backend().Messages()[0].Caption, "Pointrix");
  EXPECT_EQ(TabCaptions(S), EnglishTabs);
  EXPECT_EQ(ButtonAndLabelCaptions(), captionsBefore);
  EXPECT_EQ(FirstLine(S.Form().IntroRE), introBefore) << "nothing of the language is shown";
  EXPECT_EQ(StoredLanguage(S), "English");
}

TEST_F(ShellLanguage, EmptyTextFileChangesNoCaptionAndRaisesNothing) {
  WriteLanguage(S, "Empty", "");
  Start();
  std::vector<std::string> captionsBefore = ButtonAndLabelCaptions();
  Choose("Empty");
  EXPECT_TRUE(S.Backend().Messages().empty());
  EXPECT_EQ(TabCaptions(S), EnglishTabs);
  EXPECT_EQ(ButtonAndLabelCaptions(), captionsBefore);
  EXPECT_EQ(StoredLanguage(S), "Empty");
}

TEST_F(ShellLanguage, UnusableTextFileIsRefusedNamingItsPathAndChangesNothing) {
  WriteLanguage(S, "NoText", Join(TextLines("Q")));
  std::filesystem::remove(S.ProgramDir() + "/NoText/NoText.txt");
  WriteLanguage(S, "Binary", std::string("\x01\x00\xff\xfe garbage", 12));
  Start();
  const std::string outro = FirstLine(S.Form().OutroRE);
  Choose("NoText");
  ASSERT_EQ(S.Backend().Messages().size(), 1u);
  EXPECT_EQ(S.Backend().Messages()[0].Text,
            "The language \"NoText\" cannot be loaded: " + S.ProgramDir() + "/NoText/NoText.txt does not exist.");
  EXPECT_EQ(S.Backend().Messages()[0].Caption, "Pointrix");
  S.Key(VK_ESCAPE);  // answers the box
  ASSERT_EQ(Application->MessageForm(), nullptr);
  ASSERT_EQ(S.Form().PageControl1->ActivePage(), S.Form().ConfigSheet);
  Choose("Binary");
  ASSERT_EQ(S.Backend().Messages().size(), 2u);
  EXPECT_EQ(S.Backend().Messages()[1].Text,
            "The language \"Binary\" cannot be loaded: " + S.ProgramDir() + "/Binary/Binary.txt is not a text file.");
  EXPECT_EQ(TabCaptions(S), EnglishTabs);
  EXPECT_EQ(FirstLine(S.Form().OutroRE), outro) << "no page of the refused language is shown";
  EXPECT_EQ(StoredLanguage(S), "English");
  EXPECT_FALSE(Application->Terminated()) << "the program goes on";
}

// A page file that cannot be read in any form: the page's box says which files were
// tried, and everything else of the language loads.
class ShellBrokenPage : public ShellLanguage, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShellBrokenPage, PageBoxNamesTheFilesTriedAndTheRestLoads) {
  const std::string how = GetParam();
  WriteLanguage(S, "Broken", Join(TextLines("B")), pfVariants, {6});
  const std::string folder = S.ProgramDir() + "/Broken";
  if (how == "folder") {
    std::filesystem::create_directories(folder + "/6r.rtf");
  } else if (how == "loop") {
    std::filesystem::create_symlink("6r.rtf", folder + "/6.rtf");
    std::filesystem::create_symlink("6.rtf", folder + "/6r.rtf");
  } else if (how == "unreadable") {
#ifndef _WIN32
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
#endif
    S.WriteProgramFile("Broken/6r.rtf", "Broken page 6 right");
    std::filesystem::permissions(folder + "/6r.rtf", std::filesystem::perms::none);
  }
  Start();
  Choose("Broken");
  ASSERT_TRUE(S.Backend().Messages().empty()) << S.Backend().Messages()[0].Text;
  TRichEdit* page = S.Form().SelectingRE;
  ASSERT_EQ(page->Lines().Count(), 3);
  EXPECT_EQ(page->Lines().Strings(0), "This page could not be loaded. Pointrix looked for");
  EXPECT_EQ(page->Lines().Strings(1), folder + "/6.rtf");
  EXPECT_EQ(page->Lines().Strings(2), folder + "/6r.rtf");
  EXPECT_EQ(FirstLine(S.Form().UsageRE), "Broken page 5 right");
  EXPECT_EQ(FirstLine(S.Form().OutroRE), "Broken page 12 right") << "the pages after it load";
  EXPECT_EQ(TabCaptions(S), TextLines("B", 13));
  EXPECT_EQ(S.Form().BackBtn->Caption(), "B text 5");
  EXPECT_EQ(StoredLanguage(S), "Broken");
}

#ifdef _WIN32  // links need privileges there, and permissions work differently
INSTANTIATE_TEST_SUITE_P(Page, ShellBrokenPage, ::testing::Values("missing", "folder"));
#else
INSTANTIATE_TEST_SUITE_P(Page, ShellBrokenPage, ::testing::Values("missing", "folder", "loop", "unreadable"));
#endif

TEST(ShellLanguageStart, TextFileWithFiveLinesKeepsTheBuiltInEnglishForTheRest) {
  TScenario s(testsupport::lsNone);
  WriteLanguage(s, "Five", Join(TextLines("5", 5)));
  WriteHive(s, "Five", "0");
  ASSERT_TRUE(s.Start());
  std::vector<std::string> tabs = EnglishTabs;
  for (int i = 0; i < 5; ++i) tabs[size_t(i)] = "5 tab " + std::to_string(i + 1);
  EXPECT_EQ(TabCaptions(s), tabs);
  EXPECT_EQ(s.Form().BackBtn->Caption(), "Back");
  EXPECT_EQ(s.Form().New1Btn->Caption(), "New game");
  EXPECT_EQ(s.Form().Escaped1Label->Caption(), "Escaped:");
  EXPECT_EQ(std::string(LanguageTexts[0]), "Press the Enter key to continue.");
}

TEST_F(ShellLanguage, FolderNamesInUtf8AreShownDecodedAndLoadFromTheFolderOnDisk) {
  const std::string onDisk = "Espa\xc3\xb1ol", shown = "Espa\xf1ol";
  WriteLanguage(S, onDisk, Join(TextLines("E")));
  const std::string greek = "\xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce\xac";
  WriteLanguage(S, greek, Join(TextLines("G")));
#ifndef _WIN32  // Windows file names are Unicode: there are no Latin-1 bytes on disk
  WriteLanguage(S,
                "Fran\xe7"
                "ais",
                Join(TextLines("F")));
#endif
  Start();
  std::vector<std::string> listed;
  for (int i = 0; i < S.Form().LanguageList->Items()->Count(); ++i)
    listed.push_back(S.Form().LanguageList->Items()->Strings(i));
#ifdef _WIN32
  EXPECT_EQ(listed, (std::vector<std::string>{"????????", "English", shown}));
#else
  EXPECT_EQ(listed, (std::vector<std::string>{"????????", "English", shown,
                                              "Fran\xe7"
                                              "ais"}));
#endif
  Choose(shown);
  EXPECT_TRUE(S.Backend().Messages().empty());
  EXPECT_EQ(FirstLine(S.Form().IntroRE), shown + " page 2") << "the page file of the folder on disk";
  EXPECT_EQ(TabCaptions(S), TextLines("E", 13));
  Choose("????????");
  EXPECT_TRUE(S.Backend().Messages().empty());
  EXPECT_EQ(FirstLine(S.Form().IntroRE), "???????? page 2") << "a name the code page cannot show still loads";
  EXPECT_EQ(TabCaptions(S), TextLines("G", 13));
  EXPECT_EQ(StoredLanguage(S), "????????");
#ifndef _WIN32
  Choose(
      "Fran\xe7"
      "ais");
  EXPECT_EQ(TabCaptions(S), TextLines("F", 13)) << "a Windows-1252 name on disk";
#endif
}

TEST_F(ShellLanguage, ArrowKeysInTheListLoadEachLanguageTheyReach) {
  WriteLanguage(S, "Second", Join(TextLines("2")));
  Start();
  TListBox* list = S.Form().LanguageList;
  ASSERT_EQ(list->Items()->Count(), 2);
  auto tabsOf = [](const std::string& name) { return name == "English" ? EnglishTabs : TextLines("2", 13); };
  ClickItem(S, list, 0);
  EXPECT_EQ(TabCaptions(S), tabsOf(list->Items()->Strings(0)));
  S.Key(VK_DOWN);
  ASSERT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(TabCaptions(S), tabsOf(list->Items()->Strings(1)));
  EXPECT_EQ(StoredLanguage(S), list->Items()->Strings(1));
  S.Key(VK_UP);
  ASSERT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(TabCaptions(S), tabsOf(list->Items()->Strings(0)));
  EXPECT_EQ(StoredLanguage(S), list->Items()->Strings(0));
}

// Page 4 comes as a common file and as both variants; page 5 only as variants.
class ShellHandedness : public ::testing::TestWithParam<const char*> {};

TEST_P(ShellHandedness, CommonFilesWinAndVariantsFollowSwapMouseButtons) {
  TScenario s;
  WriteLanguage(s, "Hands", Join(TextLines("H")), pfVariants);
  s.WriteProgramFile("Hands/4.rtf", "Hands page 4 common");
  WriteHive(s, "Hands", GetParam());
  ASSERT_TRUE(s.Start());
  bool left = std::string(GetParam()) == "1";
  EXPECT_EQ(FirstLine(s.Form().HoldingRE), "Hands page 4 common");
  EXPECT_EQ(FirstLine(s.Form().UsageRE), left ? "Hands page 5 left" : "Hands page 5 right");
  EXPECT_EQ(FirstLine(s.Form().OutroRE), left ? "Hands page 12 left" : "Hands page 12 right");
}

INSTANTIATE_TEST_SUITE_P(SwapMouseButtons, ShellHandedness, ::testing::Values("1", "0", "", "yes"));

}  // namespace
