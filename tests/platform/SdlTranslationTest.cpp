// Text and key translation of the SDL backend (no display needed).

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Cp1252.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlKeys.h"

using namespace platform;

TEST(Cp1252, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += char(byte);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9F\xE9"), "\u20AC\u0178\u00E9");
  EXPECT_EQ(Cp1252ToUtf8("Fran\xE7"
                         "ais"),
            "Fran\u00E7ais");
}

TEST(Cp1252, UnmappableAndMalformedTextIsDropped) {
  EXPECT_EQ(Utf8ToCp1252("a\u4E2Db\U0001F600c"), "abc");
  EXPECT_EQ(Utf8ToCp1252("\u2122\u20AC"), "\x99\x80");
  EXPECT_EQ(Utf8ToCp1252("x\xC0\xAFy"), "xy");    // overlong '/'
  EXPECT_EQ(Utf8ToCp1252("x\xC3"), "x");          // cut short
  EXPECT_EQ(Utf8ToCp1252("\xE9t\xE9"), "t");      // Latin-1 bytes are not UTF-8
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80z"), "z");  // a lone surrogate
}

TEST(SdlKeys, KeysMapToWindowsVirtualKeys) {
  // SDL key codes: printable keys are their character; others carry bit 30.
  constexpr int32_t scancodeBit = 1 << 30;
  EXPECT_EQ(VirtualKeyFromSdl('a', 4), uint32_t('A'));
  EXPECT_EQ(VirtualKeyFromSdl('7', 36), uint32_t('7'));
  EXPECT_EQ(VirtualKeyFromSdl('\r', 40), 13u);
  EXPECT_EQ(VirtualKeyFromSdl('\b', 42), 8u);
  EXPECT_EQ(VirtualKeyFromSdl(27, 41), 27u);
  EXPECT_EQ(VirtualKeyFromSdl(127, 76), 46u);                // Delete
  EXPECT_EQ(VirtualKeyFromSdl(scancodeBit | 80, 80), 37u);   // Left
  EXPECT_EQ(VirtualKeyFromSdl(scancodeBit | 81, 81), 40u);   // Down
  EXPECT_EQ(VirtualKeyFromSdl(scancodeBit | 58, 58), 112u);  // F1
  EXPECT_EQ(VirtualKeyFromSdl(scancodeBit | 88, 88), 13u);   // keypad Enter
  EXPECT_EQ(VirtualKeyFromSdl(scancodeBit | 98, 98), 96u);   // keypad 0
  // A Cyrillic layout: the key in the place of A still is 'A'.
  EXPECT_EQ(VirtualKeyFromSdl(0x0444, 4), uint32_t('A'));
  EXPECT_EQ(VirtualKeyFromSdl(0x0444, 200), 0u);
}

TEST(SdlKeys, ModifiersAndTypedControlCharacters) {
  EXPECT_EQ(ShiftFromSdlMod(0x0001 | 0x0080 | 0x0200), uint32_t(psShift | psCtrl | psAlt));
  EXPECT_EQ(ShiftFromSdlMod(0x1000), 0u);  // Num Lock
  EXPECT_EQ(ControlCharForKey(13), '\r');
  EXPECT_EQ(ControlCharForKey(27), '\x1B');
  EXPECT_EQ(ControlCharForKey('A'), 0);
  EXPECT_EQ(ControlCharForKey(46), 0);
}

TEST(SdlKeys, TheEmptyComposeTableLastsWhileItExistsAndLeavesAUsersOwnAlone) {
#ifdef _WIN32
  GTEST_SKIP() << "there is no X input method on Windows";
#else
  unsetenv("XCOMPOSEFILE");
  {
    TEmptyComposeTable empty;
    ASSERT_NE(std::getenv("XCOMPOSEFILE"), nullptr);
    EXPECT_STREQ(std::getenv("XCOMPOSEFILE"), "/dev/null");
  }
  EXPECT_EQ(std::getenv("XCOMPOSEFILE"), nullptr);  // programs started later get the usual table

  setenv("XCOMPOSEFILE", "/home/learner/.XCompose", 1);
  {
    TEmptyComposeTable empty;
    EXPECT_STREQ(std::getenv("XCOMPOSEFILE"), "/home/learner/.XCompose");
  }
  EXPECT_STREQ(std::getenv("XCOMPOSEFILE"), "/home/learner/.XCompose");
  unsetenv("XCOMPOSEFILE");
#endif
}
