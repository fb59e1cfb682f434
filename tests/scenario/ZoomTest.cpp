// The zoomed window: the form draws at its own size, the display shows it enlarged
// and maps the pointer back. The factor comes from the desktop at first start, from
// the registry afterwards, and changes with Ctrl+Plus, Ctrl+Minus, Ctrl+0 and F11.

#include <cstdlib>
#include <regex>
#include <string>

#include "controls/TFancyButton.h"
#include "platform/Files.h"
#include "platform/Png.h"
#include "scenario/ShellHelpers.h"
#include "support/Scenario.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

using platform::psCtrl;
using testsupport::TScenario;

namespace {

constexpr uint32_t VK_F11 = 122, VK_OEM_PLUS = 187, VK_OEM_MINUS = 189, VK_ADD = 107, VK_SUBTRACT = 109;

// The hive of a learner who has chosen English and, unless null, a Zoom value.
void WriteZoom(TScenario& s, const char* zoom) {
#ifdef _WIN32
  shelltest::SetUserText("Software\\Quillaby Software\\Pointrix", "Language", "English");
  if (zoom) shelltest::SetUserText("Software\\Quillaby Software\\Pointrix", "Zoom", zoom);
  shelltest::SetUserText("Control Panel\\Mouse", "SwapMouseButtons", "0");
  return;
#endif
  std::string text =
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quillaby Software\\Pointrix]\n\"Language\"=\"English\"\n";
  if (zoom) text += "\"Zoom\"=\"" + std::string(zoom) + "\"\n";
  text += "\n[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"SwapMouseButtons\"=\"0\"\n";
  ASSERT_TRUE(platform::WriteWholeFile(s.RegistryDir() + "/HKEY_CURRENT_USER.reg", text));
}

std::string StoredZoom(const TScenario& s) {
#ifdef _WIN32
  return shelltest::UserText("Software\\Quillaby Software\\Pointrix", "Zoom");
#endif
  static const std::regex value(
      R"re(\[HKEY_CURRENT_USER\\Software\\Quillaby Software\\Pointrix\][^\[]*"Zoom"="([^"]*)")re");
  std::smatch match;
  const std::string text = shelltest::HiveText(s);
  return std::regex_search(text, match, value) ? match[1].str() : "<none>";
}

// Pixels compare exactly, except on Windows, where 32-bit FreeType rounds a few glyph
// edges one step differently (the golden comparison allows the same there).
bool SamePixel(uint32_t a, uint32_t b) {
#ifdef _WIN32
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 1) return false;
  return true;
#else
  return (a & 0xFFFFFF) == (b & 0xFFFFFF);
#endif
}

// A large desktop that asks for double size.
void DenseDesktop(TScenario& s) {
  s.Backend().SetScreen(2560, 1440);
  s.Backend().SetDesktopScale(2);
}

void CtrlKey(TScenario& s, uint32_t key) {
  s.Backend().Key(key, psCtrl);
  s.Process();
}

}  // namespace

TEST(Zoom, FirstStartOnADenseDesktopShowsTheStartWindowDoubled) {
  TScenario s;
  DenseDesktop(s);
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(s.Backend().Zoom(), 2);
  EXPECT_EQ(s.Backend().ClientWidth(), 1264);
  EXPECT_EQ(s.Backend().ClientHeight(), 906);
  EXPECT_EQ(s.Backend().Options().ClientWidth, 632) << "the form keeps its size";
  EXPECT_EQ(StoredZoom(s), "<none>") << "a chosen factor is not stored: it follows the desktop";
  EXPECT_GOLDEN(s, "start-window");

  int width = 0, height = 0;
  const std::vector<uint32_t> golden =
      platform::ReadPng(std::string(POINTRIX_SOURCE_DIR) + "/tests/golden/start-window.png", width, height);
  ASSERT_EQ(width, 632);
  ASSERT_EQ(height, 453);
  const std::vector<uint32_t>& shown = s.Backend().PresentedPixels();
  ASSERT_EQ(shown.size(), size_t(1264) * 906);
  int wrong = 0;
  for (int y = 0; y < 906; ++y)
    for (int x = 0; x < 1264; ++x)
      if (!SamePixel(shown[size_t(y) * 1264 + x], golden[size_t(y / 2) * 632 + x / 2]) && wrong++ < 5)
        ADD_FAILURE() << "presented pixel (" << x << ", " << y << ")";
  EXPECT_EQ(wrong, 0);
}

TEST(Zoom, AnOrdinaryDesktopStartsAtActualSize) {
  TScenario s;
  s.Backend().SetScreen(1920, 1040);
  s.Backend().SetDesktopScale(1.25);
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(s.Backend().Zoom(), 1.25) << "the desktop's own scale caps the factor";
}

TEST(Zoom, TheStoredFactorWinsAndGarbageGivesTheChosenOne) {
  struct TCase {
    const char* Stored;
    double Expected;
  };
  for (const TCase& c : {TCase{"1.5", 1.5}, TCase{"3", 3}, TCase{"1", 1}, TCase{" 2.5 ", 2.5}, TCase{"x", 2},
                         TCase{"", 2}, TCase{"0.5", 2}, TCase{"7", 2}, TCase{"1,5", 2}, TCase{"nan", 2}}) {
    TScenario s;
    DenseDesktop(s);
    WriteZoom(s, c.Stored);
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(s.Backend().Zoom(), c.Expected) << "stored \"" << c.Stored << "\"";
    EXPECT_EQ(StoredZoom(s), c.Stored) << "what is stored stays until the learner changes the factor";
  }
}

TEST(Zoom, ClicksAtZoomedPlacesHitTheSameControls) {
  for (double factor : {1.5, 2.0, 2.5, 3.0}) {
    TScenario s;
    ASSERT_TRUE(s.Start());
    TMainForm& f = s.Form();
    ASSERT_EQ(f.PageControl1->ActivePage(), f.ConfigSheet);
    s.ZoomTo(factor);
    const TPoint next = f.NextBtn->OriginInForm();
    // The button's last pixel, right and down, then one past it.
    const int right = next.X + f.NextBtn->Width() - 1, bottom = next.Y + f.NextBtn->Height() - 1;
    s.Click(right + 1, bottom);
    EXPECT_EQ(f.PageControl1->ActivePage(), f.ConfigSheet) << factor;
    s.Click(right, bottom);
    EXPECT_EQ(f.PageControl1->ActivePage(), f.IntroSheet) << factor;
    // The pointer query agrees with the events.
    s.MoveTo(next.X + 3, next.Y + 4);
    EXPECT_EQ(f.ScreenToClient(Screen->CursorPos()).X, next.X + 3) << factor;
    EXPECT_EQ(f.ScreenToClient(Screen->CursorPos()).Y, next.Y + 4) << factor;
  }
}

TEST(Zoom, KeysChangeTheFactorAboutTheWindowCentreAndRememberIt) {
  TScenario s;
  ASSERT_TRUE(s.Start());
  s.Backend().SetWindowPos(600, 400);
  const int centreX = 600 + 632 / 2, centreY = 400 + 453 / 2;
  CtrlKey(s, VK_OEM_PLUS);
  EXPECT_EQ(s.Backend().Zoom(), 2);
  EXPECT_EQ(StoredZoom(s), "2");
  CtrlKey(s, VK_ADD);
  CtrlKey(s, VK_OEM_PLUS);
  EXPECT_EQ(s.Backend().Zoom(), 3) << "3 at most";
  EXPECT_EQ(StoredZoom(s), "3");
  int x = 0, y = 0;
  s.Backend().GetWindowPos(x, y);
  EXPECT_NEAR(x + s.Backend().ClientWidth() / 2, centreX, 2);
  EXPECT_NEAR(y + s.Backend().ClientHeight() / 2, centreY, 2);
  CtrlKey(s, VK_OEM_MINUS);
  EXPECT_EQ(s.Backend().Zoom(), 2);
  CtrlKey(s, VK_SUBTRACT);
  EXPECT_EQ(s.Backend().Zoom(), 1);
  EXPECT_EQ(s.Backend().ClientWidth(), 632);
  EXPECT_EQ(StoredZoom(s), "1");
  CtrlKey(s, '0');
  EXPECT_EQ(s.Backend().Zoom(), 1);
  CtrlKey(s, VK_OEM_MINUS);
  EXPECT_EQ(s.Backend().Zoom(), 1) << "1 at least";
  s.Backend().GetWindowPos(x, y);
  EXPECT_NEAR(x + 632 / 2, centreX, 2);
  EXPECT_NEAR(y + 453 / 2, centreY, 2);
  // Without Ctrl the keys are ordinary keys.
  s.Key(VK_OEM_PLUS);
  EXPECT_EQ(s.Backend().Zoom(), 1);
}

TEST(Zoom, KeysStepFromAFactorInBetweenToItsWholeNeighbours) {
  for (bool down : {false, true}) {
    TScenario s;
    WriteZoom(s, "2.5");
    ASSERT_TRUE(s.Start());
    CtrlKey(s, down ? VK_OEM_MINUS : VK_OEM_PLUS);
    EXPECT_EQ(s.Backend().Zoom(), down ? 2 : 3);
    CtrlKey(s, '0');
    EXPECT_EQ(s.Backend().Zoom(), 1);
    EXPECT_EQ(StoredZoom(s), "1");
  }
}

TEST(Zoom, F11ShowsTheWindowFullScreenOnTheFormColour) {
  TScenario s;
  s.Backend().SetScreen(1920, 1080);
  ASSERT_TRUE(s.Start());
  TMainForm& f = s.Form();
  s.Key(VK_F11);
  ASSERT_TRUE(s.Backend().FullScreen());
  EXPECT_EQ(s.Backend().ClientWidth(), 1920);
  EXPECT_EQ(s.Backend().ClientHeight(), 1080);
  const double factor = s.Backend().EffectiveZoom();
  EXPECT_NEAR(factor, 1080.0 / 453, 1e-9) << "the largest fitting factor";
  EXPECT_EQ(s.Backend().PresentedPixelAt(0, 540), ColorToPixel(0xE1C8C8)) << "the form's colour around it";
  EXPECT_EQ(s.Backend().PresentedPixelAt(1919, 540), ColorToPixel(0xE1C8C8));
  // Clicks land where the enlarged Next button shows.
  const TPoint next = f.NextBtn->OriginInForm();
  const int left = (1920 - platform::ZoomedLength(632, factor)) / 2;
  const int x = left + int((next.X + 5) * factor), y = int((next.Y + 5) * factor);
  s.Backend().Click(platform::TPButton::Left, x, y);
  s.Process();
  EXPECT_EQ(f.PageControl1->ActivePage(), f.IntroSheet);
  s.Key(VK_F11);
  EXPECT_FALSE(s.Backend().FullScreen());
  EXPECT_EQ(s.Backend().ClientWidth(), 632);
  EXPECT_EQ(StoredZoom(s), "<none>") << "full screen is no stored factor";
}
