// Golden images of every page of the window in English, right-handed, and of the
// Holding page for a left-handed user.

#include "scenario/ShellHelpers.h"
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

}  // namespace
