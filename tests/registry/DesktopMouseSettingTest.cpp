// Reading the desktop's left-handed setting through its own tools.

#include <gtest/gtest.h>

#include <chrono>

#include "platform/posix/DesktopMouseSettingCommands.h"

using namespace platform;

TEST(DesktopMouseSetting, ParsesGsettingsAnswers) {
  EXPECT_EQ(ParseGsettingsBoolean("true\n"), true);
  EXPECT_EQ(ParseGsettingsBoolean("false\n"), false);
  EXPECT_EQ(ParseGsettingsBoolean("No such schema\n"), std::nullopt);
  EXPECT_EQ(ParseGsettingsBoolean(""), std::nullopt);
}

TEST(DesktopMouseSetting, ParsesTheXPointerMapping) {
  const std::string swapped =
      "There are 7 pointer buttons defined.\n\n"
      "    Physical        Button\n"
      "     Button          Code\n"
      "        1              3\n"
      "        2              2\n"
      "        3              1\n"
      "        4              4\n";
  EXPECT_EQ(ParseXmodmapSwapped(swapped), true);
  std::string usual = swapped;
  usual.replace(usual.find("1              3"), 15, "1              1");
  EXPECT_EQ(ParseXmodmapSwapped(usual), false);
  EXPECT_EQ(ParseXmodmapSwapped("There are 7 pointer buttons defined.\n"), std::nullopt);
  EXPECT_EQ(ParseXmodmapSwapped("xmodmap:  unable to open display ''\n"), std::nullopt);
}

TEST(DesktopMouseSetting, RunsCommandsWithATimeLimit) {
  EXPECT_EQ(RunCommand({"echo", "left-handed"}, 5000), "left-handed\n");
  EXPECT_EQ(RunCommand({"false"}, 5000), std::nullopt);
  EXPECT_EQ(RunCommand({"/nonexistent/program"}, 5000), std::nullopt);
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(RunCommand({"sleep", "30"}, 200), std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << "the program was not stopped";
}
