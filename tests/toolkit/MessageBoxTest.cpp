// The application's error box: drawn by the toolkit, modal through the one loop,
// answered by OK, Enter, Esc or the close box, written to standard error as one line,
// and shown as a window of its own when no window is open.

#include "ToolkitFixture.h"
#include "toolkit/forms/TButton.h"
#include "toolkit/forms/TMessageForm.h"

namespace {

using platform::TPButton;

class MessageBoxTest : public ToolkitTest {
protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    Application->Title = "Pointrix";
  }
  // The centre of the OK button in window client coordinates.
  TPoint OKCentre() const {
    const TButton* ok = Application->MessageForm()->OKButton();
    const TPoint origin = Application->MessageFormOrigin();
    return {origin.X + ok->Left() + ok->Width() / 2, origin.Y + ok->Top() + ok->Height() / 2};
  }
  bool OverlayHasColour(TColor colour) const {
    const uint32_t pixel = ColorToPixel(ColorToRGB(colour));
    for (uint32_t p : Backend.Overlay().Pixels)
      if ((p & 0xFFFFFF) == pixel) return true;
    return false;
  }
};

TEST_F(MessageBoxTest, FloatsAboveTheWindowTakesItsInputAndOKClosesIt) {
  TForm* form = ShowForm(632, 453, clRed);
  auto* panel = new TTestPanel(form, form, {0, 0, 632, 453}, clRed);
  int clicks = 0;
  panel->OnClick = [&](TObject*) { ++clicks; };
  testing::internal::CaptureStderr();
  Application->ShowException(Exception("Cannot open file English\\3.rtf"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Pointrix: Cannot open file English\\3.rtf.\n");
  Application->ProcessMessages();

  TMessageForm* box = Application->MessageForm();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->Floating());
  EXPECT_EQ(box->Text(), "Cannot open file English\\3.rtf.");
  EXPECT_EQ(box->Caption(), "Pointrix");
  ASSERT_EQ(Backend.Messages().size(), 1u);
  EXPECT_EQ(Backend.Messages()[0].Icon, platform::TPMessageIcon::Error);
  // The picture floats whole and centred inside the window; the framebuffer is the form's.
  const platform::TPImage& image = Backend.Overlay();
  ASSERT_FALSE(image.Pixels.empty());
  const auto at = Backend.OverlayPos();
  EXPECT_GE(at.X, 0);
  EXPECT_GE(at.Y, 0);
  EXPECT_LE(at.X + image.Width, 632);
  EXPECT_LE(at.Y + image.Height, 453);
  EXPECT_NEAR(at.X + image.Width / 2, 316, 1);
  EXPECT_TRUE(OverlayHasColour(clActiveCaption)) << "caption bar";
  EXPECT_TRUE(OverlayHasColour(clBtnFace)) << "box face";
  EXPECT_TRUE(OverlayHasColour(clWindowText)) << "text";
  EXPECT_EQ(Pixel(at.X + 20, at.Y + 30), clRed) << "the window's own pixels are untouched";

  // Modal: a click beside the box does not reach the window, nor does a click on it.
  Backend.Click(TPButton::Left, 5, 5);
  Backend.Click(TPButton::Left, at.X + 10, at.Y + 30);
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Application->MessageForm(), box);

  const TPoint ok = OKCentre();
  Backend.MouseDown(TPButton::Left, ok.X, ok.Y);
  Application->ProcessMessages();
  EXPECT_TRUE(box->OKButton()->Pressed());
  EXPECT_EQ(Application->MessageForm(), box) << "answered on release, not on press";
  Backend.MouseUp(TPButton::Left, ok.X, ok.Y);
  Application->ProcessMessages();
  EXPECT_EQ(Application->MessageForm(), nullptr);
  EXPECT_TRUE(Backend.Overlay().Pixels.empty());

  Backend.Advance(1000);
  Backend.Click(TPButton::Left, 5, 5);
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 1) << "the window has its input back";
}

TEST_F(MessageBoxTest, ReleasingBesideOKOrPressingEscEnterAnswersAsExpected) {
  ShowForm(632, 453);
  Application->ShowException(Exception("first"));
  Application->ShowException(std::runtime_error("second"));
  Application->ProcessMessages();
  ASSERT_NE(Application->MessageForm(), nullptr);
  EXPECT_EQ(Application->MessageForm()->Text(), "first.") << "one box at a time, in order";

  // A press on OK released beside it is no answer.
  const TPoint ok = OKCentre();
  Backend.MouseDown(TPButton::Left, ok.X, ok.Y);
  Backend.MouseMove(ok.X + 200, ok.Y);
  Backend.MouseUp(TPButton::Left, ok.X + 200, ok.Y);
  Application->ProcessMessages();
  ASSERT_NE(Application->MessageForm(), nullptr);
  EXPECT_EQ(Application->MessageForm()->Text(), "first.");

  Backend.Key(VK_ESCAPE);
  Application->ProcessMessages();
  ASSERT_NE(Application->MessageForm(), nullptr);
  EXPECT_EQ(Application->MessageForm()->Text(), "second.");
  Backend.Key(VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(Application->MessageForm(), nullptr);
  EXPECT_EQ(Backend.Messages().size(), 2u);
}

TEST_F(MessageBoxTest, TheKeyThatAnswersTheBoxNeverReachesTheWindow) {
  TForm* form = ShowForm(632, 453);
  form->KeyPreview = true;
  std::string typed;
  int pressed = 0;
  form->OnKeyPress = [&](TObject*, char& key) { typed += key; };
  form->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++pressed; };
  Application->ShowException(Exception("Cannot open file"));
  Application->ProcessMessages();
  ASSERT_NE(Application->MessageForm(), nullptr);

  Backend.Key(VK_RETURN);  // down, the character it types, up
  Application->ProcessMessages();
  EXPECT_EQ(Application->MessageForm(), nullptr);
  EXPECT_EQ(typed, "") << "Enter answered the box and did not also reach the window";
  EXPECT_EQ(pressed, 0);

  Backend.Key(VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(typed, "\r") << "the next Enter is the window's again";
  EXPECT_EQ(pressed, 1);
}

TEST_F(MessageBoxTest, ALongTextWrapsAndTheBoxStillFitsTheWindow) {
  ShowForm(632, 453);
  std::string text;
  for (int i = 0; i < 200; ++i) text += "word" + std::to_string(i) + " ";
  Application->ShowException(Exception(text));
  Application->ProcessMessages();
  ASSERT_NE(Application->MessageForm(), nullptr);
  const platform::TPImage& image = Backend.Overlay();
  const auto at = Backend.OverlayPos();
  EXPECT_GE(at.Y, 0);
  EXPECT_LE(at.X + image.Width, 632);
  EXPECT_LE(at.Y + image.Height, 453);
  const TPoint ok = OKCentre();
  Backend.Click(TPButton::Left, ok.X, ok.Y);
  Application->ProcessMessages();
  EXPECT_EQ(Application->MessageForm(), nullptr) << "the OK button stays reachable";
}

TEST_F(MessageBoxTest, WithNoWindowOpenTheBoxIsTheWindowAndAStartUpErrorEndsWithCode1) {
  // The answer waits in the queue: the start-up loop runs until the box has it.
  Backend.Key(VK_RETURN);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Application->ShowStartupError(Exception("No language folder")), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Pointrix: No language folder.\n");
  EXPECT_GT(Backend.PresentCount(), 0) << "the box's window was shown";
  EXPECT_EQ(Backend.Caption(), "Pointrix");
  EXPECT_LT(Backend.Options().ClientWidth, 632);
  EXPECT_FALSE(Backend.IsOpen()) << "the box's window is gone once answered";
  EXPECT_EQ(Application->MessageForm(), nullptr);
}

TEST_F(MessageBoxTest, TheCloseBoxOfItsOwnWindowAnswersIt) {
  Application->ShowException(Exception("List index out of bounds (-1)"));
  ASSERT_NE(Application->MessageForm(), nullptr);
  EXPECT_FALSE(Application->MessageForm()->Floating());
  EXPECT_EQ(Application->WindowForm(), Application->MessageForm());
  // The box's own window shows the text: dark pixels right of the icon.
  int dark = 0;
  for (int y = 0; y < Backend.Height(); ++y)
    for (int x = 56; x < Backend.Width(); ++x) {
      const uint32_t p = Backend.PixelAt(x, y);
      dark += (p & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && ((p >> 16) & 0xFF) < 0x60;
    }
  EXPECT_GT(dark, 20);
  platform::TPEvent close;
  close.Kind = platform::TPEventKind::Close;
  Backend.PushEvent(close);
  Application->ProcessMessages();
  EXPECT_EQ(Application->MessageForm(), nullptr);
  EXPECT_FALSE(Backend.IsOpen());
}

}  // namespace
