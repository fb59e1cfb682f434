// Golden images of every page of the window in English, right-handed, of the
// Holding page for a left-handed user, and of three pages in German and in French.

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "scenario/ShellHelpers.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"

using namespace shelltest;

namespace {

const char* const PageNames[13] = {"configure", "intro",     "overview",   "holding",   "usage",
                                   "selecting", "training1", "activating", "training2", "moving",
                                   "training3", "outro",     "about"};

std::string GoldenName(int page, const std::string& suffix = "") {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", page + 1);
  return std::string("page-") + number + "-" + PageNames[page] + suffix;
}

TEST(ShellPages, EveryPageInEnglishRightHanded) {
  TScenario s;
  WriteHive(s, nullptr, "0");
  ASSERT_TRUE(s.Start());
  s.MoveTo(620, 30);  // rest the pointer where it lights nothing up
  for (int page = 0; page < 13; ++page) {
    ASSERT_EQ(s.Form().PageControl1->ActivePageIndex(), page);
    EXPECT_GOLDEN(s, GoldenName(page));
    s.Key(13);
  }
}

TEST(ShellPages, HoldingPageLeftHanded) {
  TScenario s;
  WriteHive(s, "English", "1");
  ASSERT_TRUE(s.Start());
  s.MoveTo(620, 30);
  s.Key(13);
  s.Key(13);
  ASSERT_EQ(s.Form().PageControl1->ActivePage(), s.Form().HoldSheet);
  EXPECT_GOLDEN(s, GoldenName(3, "-left"));
}

#ifndef _WIN32  // the locale variables choose the language on POSIX systems only
// The pages with the longest captions: German and French, each chosen by a first start
// in that locale, so the Configure page shows the language marked in the list.
class ShellPagesTranslated : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ShellPagesTranslated, ConfigureIntroAndTraining1) {
  const auto [language, locale] = GetParam();
  TScenario s;
  // Every language, as beside the built program, so the list looks as the learner sees it.
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(POINTRIX_SOURCE_DIR) / "languages"))
    if (entry.path().filename() != "English")
      std::filesystem::copy(entry.path(), std::filesystem::path(s.ProgramDir()) / entry.path().filename(),
                            std::filesystem::copy_options::recursive);
  setenv("LANG", locale, 1);
  WriteHive(s, nullptr, "0");
  ASSERT_TRUE(s.Start());
  s.MoveTo(620, 30);
  const std::string tag = std::string(locale).substr(0, 2);
  ASSERT_EQ(s.Form().PageControl1->ActivePageIndex(), 0);
  TListBox* list = s.Form().LanguageList;
  ASSERT_GE(list->ItemIndex(), 0);
  EXPECT_EQ(list->Items()->Strings(list->ItemIndex()), language) << "marked in the list";
  EXPECT_GOLDEN(s, GoldenName(0, "-" + tag));
  s.Key(13);
  EXPECT_GOLDEN(s, GoldenName(1, "-" + tag));
  for (int page = 2; page <= 6; ++page) s.Key(13);
  ASSERT_EQ(s.Form().PageControl1->ActivePageIndex(), 6);
  EXPECT_GOLDEN(s, GoldenName(6, "-" + tag));
}

INSTANTIATE_TEST_SUITE_P(Languages, ShellPagesTranslated,
                         ::testing::Values(std::make_pair("Deutsch", "de_DE.UTF-8"), std::make_pair("Fran\xe7"
                                                                                                    "ais",
                                                                                                    "fr_FR.UTF-8")));

#endif

}  // namespace
