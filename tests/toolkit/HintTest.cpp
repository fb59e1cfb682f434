// Tool-tips: shown after the pause over a control with a hint, never over one
// without, gone after a press or when the pointer moves on, and never drawn into
// the framebuffer.

#include "ToolkitFixture.h"
#include "support/VirtualTime.h"
#include "toolkit/forms/THintController.h"

namespace {

class HintTest : public ToolkitTest {
protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    Form = ShowForm(300, 200);
    Form->SetShowHint(true);
    WithHint = new TTestPanel(Form, Form, {10, 10, 110, 60}, clRed);
    WithHint->Hint = "Proceed to the next page";
    WithHint->SetParentShowHint(true);
    Silent = new TTestPanel(Form, Form, {150, 10, 250, 60}, clBlue);
    Silent->Hint = "Never shown";
    Silent->SetShowHint(false);
    Application->ProcessMessages();
  }
  void MoveTo(int x, int y) {
    Backend.MouseMove(x, y);
    Application->ProcessMessages();
  }
  bool HintShown() const { return !Backend.Overlay().Pixels.empty(); }

  TForm* Form = nullptr;
  TTestPanel* WithHint = nullptr;
  TTestPanel* Silent = nullptr;
};

TEST_F(HintTest, AppearsAfterThePauseAndHidesLater) {
  MoveTo(50, 30);
  AdvanceTime(400);
  EXPECT_FALSE(HintShown());
  AdvanceTime(150);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Application->Hints()->Text(), "Proceed to the next page");
  EXPECT_EQ(PixelToColor(Backend.PixelAt(50, 55)), clRed) << "the framebuffer is untouched";
  AdvanceTime(2600);
  EXPECT_FALSE(HintShown());
}

TEST_F(HintTest, RespectsShowHintAndEmptyHints) {
  MoveTo(200, 30);
  AdvanceTime(1000);
  EXPECT_FALSE(HintShown()) << "ShowHint false";
  MoveTo(200, 150);
  AdvanceTime(1000);
  EXPECT_FALSE(HintShown()) << "the form has no hint";
}

TEST_F(HintTest, PressOrLeavingHidesIt) {
  MoveTo(50, 30);
  AdvanceTime(600);
  ASSERT_TRUE(HintShown());
  Backend.MouseDown(platform::TPButton::Left, 50, 30);
  Application->ProcessMessages();
  EXPECT_FALSE(HintShown());
  AdvanceTime(1000);
  EXPECT_FALSE(HintShown()) << "stays away until the pointer reaches another control";

  MoveTo(200, 150);
  MoveTo(50, 30);
  AdvanceTime(600);
  ASSERT_TRUE(HintShown());
  MoveTo(200, 150);
  EXPECT_FALSE(HintShown());
}

TEST(HintPicture, IsABoxAroundTheText) {
  platform::TPImage image = THintController::Render("Exit Pointrix");
  ASSERT_GT(image.Width, 20);
  ASSERT_GT(image.Height, 8);
  EXPECT_EQ(image.Pixels[0] & 0xFFFFFF, 0u) << "black frame";
  EXPECT_EQ(image.Pixels[size_t(image.Width) + 1] & 0xFFFFFF, ColorToPixel(ColorToRGB(clInfoBk)));
}

}  // namespace

namespace {

// Near the right and bottom edges (and with texts wider or taller than the window) the
// tool-tip moves or shrinks so that it is always whole inside the window.
class HintEdgeTest : public ToolkitTest {
protected:
  // Rests the pointer at (x, y) until the tool-tip shows; the pointer may then be
  // found elsewhere (screen coordinates) when the pause ends.
  void ExpectWholeAt(TForm* form, int x, int y, const platform::THeadlessBackend::TPoint* later = nullptr) {
    Backend.MouseMove(x, y);
    Application->ProcessMessages();
    if (later) Backend.SetCursorPos(later->X, later->Y);
    AdvanceTime(600);
    ASSERT_FALSE(Backend.Overlay().Pixels.empty()) << "at " << x << "," << y;
    const platform::TPImage& image = Backend.Overlay();
    const auto pos = Backend.OverlayPos();
    EXPECT_GE(pos.X, 0) << "at " << x << "," << y;
    EXPECT_GE(pos.Y, 0) << "at " << x << "," << y;
    EXPECT_LE(pos.X + image.Width, form->ClientWidth()) << "at " << x << "," << y;
    EXPECT_LE(pos.Y + image.Height, form->ClientHeight()) << "at " << x << "," << y;
    Backend.MouseMove(1, 1);  // off the control: the next position shows a fresh hint
    Application->ProcessMessages();
  }
};

TEST_F(HintEdgeTest, StaysWholeInsideTheWindowAtEveryCorner) {
  for (const std::string& text :
       {std::string("Exit Pointrix"), std::string("A long explanation that wraps onto several lines because it is "
                                                  "much wider than the widest tool-tip may be, so it wraps")}) {
    TForm* form = ShowForm(632, 453);
    form->SetShowHint(true);
    auto* panel = new TTestPanel(form, form, {20, 20, 632, 453}, clRed);
    panel->Hint = text;
    panel->SetParentShowHint(true);
    Application->ProcessMessages();
    for (const auto& [x, y] :
         std::vector<std::pair<int, int>>{{631, 452}, {631, 30}, {30, 452}, {600, 440}, {300, 200}})
      ExpectWholeAt(form, x, y);
    Application->DestroyForms();
  }
}

TEST_F(HintEdgeTest, ATextLargerThanASmallWindowIsCutToFit) {
  TForm* form = ShowForm(120, 40);
  form->SetShowHint(true);
  auto* panel = new TTestPanel(form, form, {10, 10, 120, 40}, clRed);
  panel->Hint =
      "A hint far wider than this tiny window can ever show in one piece, and taller too, "
      "since it wraps onto many lines";
  panel->SetParentShowHint(true);
  Application->ProcessMessages();
  ExpectWholeAt(form, 119, 39);
  ExpectWholeAt(form, 15, 15);
}

TEST_F(HintEdgeTest, APointerThatLeftTheWindowMeanwhileStillGetsAWholeHint) {
  TForm* form = ShowForm(632, 453);
  form->SetShowHint(true);
  auto* panel = new TTestPanel(form, form, {500, 400, 632, 453}, clRed);
  panel->Hint = "Exit Pointrix";
  panel->SetParentShowHint(true);
  Application->ProcessMessages();
  const int wx = platform::THeadlessBackend::DefaultWindowX, wy = platform::THeadlessBackend::DefaultWindowY;
  for (const platform::THeadlessBackend::TPoint outside : {platform::THeadlessBackend::TPoint{wx + 640, wy + 452},
                                                           {wx + 631, wy + 470},
                                                           {wx + 700, wy + 900},
                                                           {wx - 50, wy - 50}})
    ExpectWholeAt(form, 620, 445, &outside);
}

}  // namespace
