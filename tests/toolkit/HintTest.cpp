// Tool-tips: shown after the pause over a control with a hint, never over one
// without, gone after a press or when the pointer moves on, and never drawn into
// the framebuffer.

#include "support/VirtualTime.h"
#include "ToolkitFixture.h"
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
