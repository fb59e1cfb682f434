// The picture button on a headless form: pressing, dragging, releasing, double
// clicks, disabling, groups, keyboard, sizing from the strip, caption offsets and
// golden images of the five states.

#include <memory>

#include "ControlsFixture.h"
#include "controls/TFancyButton.h"
#include "support/Golden.h"
#include "toolkit/graphics/TImageList.h"
#include "toolkit/stdctrls/TAction.h"

namespace {

using platform::TPButton;

// Cell colours: hot, pressed, resting, (never shown), disabled source.
constexpr TColor Hot = clRed, PressedColour = clGreen, RestingColour = clBlue, UnusedColour = clYellow,
                 DisabledColour = clAqua;
constexpr TColor Corner = 0x123456;
constexpr int ButtonX = 50, ButtonY = 40;  // where the test button stands on the form

class FancyButtonTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Form = ShowForm(400, 200, 0xE1C8C8);
    Button = MakeButton(ButtonX, ButtonY);
    Run();
  }

  TFancyButton* MakeButton(int x, int y) {
    auto* b = new TFancyButton(Form);
    TBitmap strip;
    MakeStrip(strip, 100, 48, {Hot, PressedColour, RestingColour, UnusedColour, DisabledColour}, Corner);
    b->SetGlyph(&strip);
    b->SetNumGlyphs(5);
    b->SetLeft(x);
    b->SetTop(y);
    b->SetParent(Form);
    b->OnClick = [this, b](TObject*) {
      Clicks.push_back(b);
      StateAtClick = b->State();
      PixelAtClick = Pixel(b->Left() + 50, b->Top() + 24);
      if (OnClickExtra) OnClickExtra(b);
    };
    return b;
  }
  // The colour in the middle of a button's face on screen.
  TColor Face(TFancyButton* b) const { return Pixel(b->Left() + 50, b->Top() + 24); }
  void Move(int x, int y) {
    Backend.MouseMove(x, y);
    Run();
  }
  void Down(int x, int y) {
    Backend.MouseDown(TPButton::Left, x, y);
    Run();
  }
  void Up(int x, int y) {
    Backend.MouseUp(TPButton::Left, x, y);
    Run();
  }
  void ClickAt(int x, int y) {
    Move(x, y);
    Down(x, y);
    Up(x, y);
    Backend.Advance(1000);  // the next press is no double click
  }

  TForm* Form = nullptr;
  TFancyButton* Button = nullptr;
  std::vector<TFancyButton*> Clicks;
  TFancyButtonState StateAtClick = fbsMouseOut;
  TColor PixelAtClick = clNone;
  std::function<void(TFancyButton*)> OnClickExtra;
};

TEST_F(FancyButtonTest, PressDragOutDragInAndReleaseInsideClicksOnceWhilePressed) {
  EXPECT_EQ(Face(Button), RestingColour);
  Move(ButtonX + 50, ButtonY + 20);
  EXPECT_EQ(Button->State(), fbsUp);
  EXPECT_EQ(Face(Button), Hot);
  Down(ButtonX + 50, ButtonY + 20);
  EXPECT_EQ(Button->State(), fbsDown);
  EXPECT_EQ(Face(Button), PressedColour);
  Move(ButtonX + 150, ButtonY + 20);  // out: the hot image while the button is held
  EXPECT_EQ(Button->State(), fbsUp);
  EXPECT_EQ(Face(Button), Hot);
  Move(ButtonX + 60, ButtonY + 20);
  EXPECT_EQ(Face(Button), PressedColour);
  EXPECT_TRUE(Clicks.empty());
  Up(ButtonX + 60, ButtonY + 20);
  ASSERT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(StateAtClick, fbsDown);
  EXPECT_EQ(PixelAtClick, PressedColour);
  // Afterwards the hot image, as the pointer is still over the button.
  EXPECT_EQ(Button->State(), fbsUp);
  EXPECT_TRUE(Button->MouseInside());
  EXPECT_EQ(Face(Button), Hot);
  Move(10, 10);
  EXPECT_EQ(Face(Button), RestingColour);
}

TEST_F(FancyButtonTest, ReleaseOutsideOrOnTheRowBelowRaisesNoClick) {
  Move(ButtonX + 50, ButtonY + 20);
  Down(ButtonX + 50, ButtonY + 20);
  Move(ButtonX + 50, ButtonY + 150);
  Up(ButtonX + 50, ButtonY + 150);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Button->State(), fbsMouseOut);
  EXPECT_FALSE(Button->MouseInside());
  EXPECT_EQ(Face(Button), RestingColour);

  // The row y = Height counts as inside for the button's own tracking, not for the click.
  Move(ButtonX + 50, ButtonY + 20);
  Backend.Advance(1000);
  Down(ButtonX + 50, ButtonY + 20);
  Move(ButtonX + 50, ButtonY + 48);
  EXPECT_EQ(Button->State(), fbsDown);
  Up(ButtonX + 50, ButtonY + 48);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Button->State(), fbsMouseOut);
}

TEST_F(FancyButtonTest, DoubleClickGivesOneClickAndNoSecondPress) {
  int dblClicks = 0;
  Button->OnDblClick = [&](TObject*) { ++dblClicks; };
  Move(ButtonX + 50, ButtonY + 20);
  Down(ButtonX + 50, ButtonY + 20);
  Up(ButtonX + 50, ButtonY + 20);
  Backend.Advance(100);
  Down(ButtonX + 50, ButtonY + 20);
  EXPECT_NE(Button->State(), fbsDown);
  EXPECT_NE(Face(Button), PressedColour);
  Up(ButtonX + 50, ButtonY + 20);
  EXPECT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(dblClicks, 0);

  // A latched button hears the double click.
  Button->SetGroupIndex(1);
  Button->SetDown(true);
  Backend.Advance(1000);
  Down(ButtonX + 50, ButtonY + 20);
  Up(ButtonX + 50, ButtonY + 20);
  Backend.Advance(100);
  Down(ButtonX + 50, ButtonY + 20);
  Up(ButtonX + 50, ButtonY + 20);
  EXPECT_EQ(dblClicks, 1);
}

TEST_F(FancyButtonTest, DisablingFromOnClickKeepsTheButtonDisabled) {
  OnClickExtra = [](TFancyButton* b) { b->SetState(fbsDisabled); };
  ClickAt(ButtonX + 50, ButtonY + 20);
  ASSERT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(Button->State(), fbsDisabled);
  EXPECT_FALSE(Button->Enabled());
  EXPECT_EQ(Face(Button), DisabledColour);
  // A disabled button takes no presses.
  OnClickExtra = nullptr;
  ClickAt(ButtonX + 50, ButtonY + 20);
  EXPECT_EQ(Clicks.size(), 1u);
  // Enabled again it rests until the pointer moves over it, then shows the hot image.
  Button->SetState(fbsMouseOut);
  EXPECT_TRUE(Button->Enabled());
  EXPECT_EQ(Face(Button), RestingColour);
  Move(ButtonX + 51, ButtonY + 20);
  EXPECT_EQ(Face(Button), Hot);
  // Disabled while hot and enabled after the pointer left: resting, not a stale hot face.
  Button->SetState(fbsDisabled);
  Move(10, 10);
  Button->SetState(fbsMouseOut);
  EXPECT_EQ(Face(Button), RestingColour);
}

TEST_F(FancyButtonTest, GroupsLatchOneButtonAndAllowAllUpReleasesIt) {
  TFancyButton* second = MakeButton(ButtonX + 110, ButtonY);
  TFancyButton* third = MakeButton(ButtonX + 220, ButtonY);
  for (TFancyButton* b : {Button, second, third}) b->SetGroupIndex(1);
  Run();
  ClickAt(ButtonX + 50, ButtonY + 20);
  EXPECT_TRUE(Button->Down());
  EXPECT_EQ(Button->State(), fbsExclusive);
  EXPECT_EQ(Face(Button), PressedColour);  // a latched button shows cell 1 (cell 3 is never shown)
  ClickAt(ButtonX + 50, ButtonY + 20);     // all-up not allowed: stays latched
  EXPECT_TRUE(Button->Down());
  ClickAt(ButtonX + 160, ButtonY + 20);
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(Button->Down());
  EXPECT_EQ(Face(Button), RestingColour);
  EXPECT_EQ(Clicks.size(), 3u);

  // AllowAllUp set on one button spreads to the group.
  third->SetAllowAllUp(true);
  EXPECT_TRUE(Button->AllowAllUp());
  EXPECT_TRUE(second->AllowAllUp());
  ClickAt(ButtonX + 160, ButtonY + 20);
  EXPECT_FALSE(second->Down());
  EXPECT_EQ(second->State(), fbsUp);  // the pointer is still over it
  EXPECT_FALSE(Button->Down() || third->Down());

  // Without a group SetDown(true) does nothing.
  TFancyButton* loose = MakeButton(ButtonX, ButtonY + 100);
  loose->SetDown(true);
  EXPECT_FALSE(loose->Down());
  EXPECT_EQ(loose->State(), fbsMouseOut);
  // Latched from code, the face follows without any input.
  third->SetDown(true);
  Run();
  EXPECT_EQ(Face(third), PressedColour);
}

TEST_F(FancyButtonTest, GlyphAndNumGlyphsSizeTheButtonToOneCell) {
  TBitmap strip;
  strip.SetSize(96, 24);
  Button->SetGlyph(&strip);
  EXPECT_EQ(Button->GetNumGlyphs(), 4);
  EXPECT_EQ(Button->Width(), 24);
  EXPECT_EQ(Button->Height(), 24);
  strip.SetSize(144, 24);
  Button->SetGlyph(&strip);
  EXPECT_EQ(Button->GetNumGlyphs(), 1);
  EXPECT_EQ(Button->Width(), 144);
  strip.SetSize(500, 48);
  Button->SetGlyph(&strip);
  Button->SetNumGlyphs(5);
  EXPECT_EQ(Button->Width(), 100);
  EXPECT_EQ(Button->Height(), 48);
  Button->SetNumGlyphs(0);
  EXPECT_EQ(Button->GetNumGlyphs(), 1);
  EXPECT_EQ(Button->Width(), 500);
  Button->SetNumGlyphs(9);
  EXPECT_EQ(Button->GetNumGlyphs(), 5);
  // Loading pixels into the glyph changes the images, not the size.
  Button->GetGlyph()->SetSize(50, 10);
  EXPECT_EQ(Button->Width(), 100);
  // An empty glyph makes the button 0 x 0.
  Button->SetGlyph(nullptr);
  EXPECT_EQ(Button->Width(), 0);
  EXPECT_EQ(Button->Height(), 0);
  TFancyButton* fresh = new TFancyButton(Form);
  EXPECT_EQ(fresh->Width(), 23);
  EXPECT_EQ(fresh->Height(), 22);
  fresh->SetNumGlyphs(4);
  EXPECT_EQ(fresh->Width(), 0);
  EXPECT_THROW(fresh->SetModalResult(9), Exception);
}

TEST_F(FancyButtonTest, KeysAndAcceleratorsClickAndHandOverTheModalResult) {
  char enter = 13, escape = 27, other = 'x';
  Button->SetModalResult(1);
  Button->ButtonKeyPress(Button, enter);
  EXPECT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(Form->ModalResult, 1);
  EXPECT_EQ(enter, 13);  // not consumed
  Button->ButtonKeyPress(Button, escape);
  Button->ButtonKeyPress(Button, other);
  EXPECT_EQ(Clicks.size(), 1u);
  Button->SetModalResult(2);
  Button->ButtonKeyPress(Button, escape);
  EXPECT_EQ(Clicks.size(), 2u);
  EXPECT_EQ(Form->ModalResult, 2);

  Button->SetCaption("&Next");
  Button->Perform(CM_DIALOGCHAR, 'n');
  EXPECT_EQ(Clicks.size(), 3u);
  Button->Perform(CM_DIALOGCHAR, 'e');
  EXPECT_EQ(Clicks.size(), 3u);
  Button->SetState(fbsDisabled);
  Button->Perform(CM_DIALOGCHAR, 'N');
  EXPECT_EQ(Clicks.size(), 3u);

  // A press hands the modal result over on release, inside or not.
  Button->SetState(fbsMouseOut);
  Button->SetModalResult(7);
  Move(ButtonX + 50, ButtonY + 20);
  Down(ButtonX + 50, ButtonY + 20);
  Up(ButtonX + 250, ButtonY + 150);
  EXPECT_EQ(Form->ModalResult, 7);
}

TEST_F(FancyButtonTest, SystemColourChangeRebuildsTheDisabledImageInPlace) {
  Button->SetState(fbsDisabled);
  const int slot = Button->ButtonGlyph().Slot(fbsDisabled);
  ASSERT_NE(slot, -1);
  const int used = Button->ButtonGlyph().ImageList()->UsedCount();
  Button->Perform(WM_SYSCOLORCHANGE);
  EXPECT_EQ(Button->ButtonGlyph().Slot(fbsDisabled), slot);
  EXPECT_EQ(Button->ButtonGlyph().ImageList()->UsedCount(), used);
  EXPECT_EQ(Face(Button), DisabledColour);
}

TEST_F(FancyButtonTest, SingleCellFaceSitsTwoPixelsRightAndDown) {
  auto* single = new TFancyButton(Form);
  TBitmap strip;
  MakeStrip(strip, 20, 20, {clRed}, Corner);
  single->SetGlyph(&strip);
  ASSERT_EQ(single->GetNumGlyphs(), 1);
  single->SetLeft(300);
  single->SetTop(150);
  single->SetParent(Form);
  Run();
  EXPECT_EQ(Pixel(301, 151), 0xE1C8C8);  // the background shows where the face moved away
  EXPECT_EQ(Pixel(302, 152), clRed);
  EXPECT_EQ(Pixel(319, 169), clRed);
}

TEST_F(FancyButtonTest, LinkedActionGivesCaptionStateImageSizeAndRunsOnClick) {
  auto* images = new TImageList(Form);
  images->SetSize(32, 30);
  TBitmap picture;
  MakeStrip(picture, 32, 30, {clRed}, Corner);
  images->AddMasked(picture, clDefault);
  auto* action = new TAction(Form);
  action->SetCaption("Go");
  action->Hint = "Go on";
  action->SetImages(images);
  action->SetImageIndex(0);
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };

  auto* plain = new TFancyButton(Form);
  plain->SetParent(Form);
  plain->SetAction(action);
  EXPECT_EQ(plain->Width(), 32);  // an empty glyph takes the list's image size
  EXPECT_EQ(plain->Height(), 30);
  EXPECT_EQ(plain->Caption(), "Go");
  EXPECT_EQ(plain->Hint, "Go on");
  plain->Perform(CM_DIALOGCHAR, 'x');
  char enter = 13;
  plain->ButtonKeyPress(plain, enter);
  EXPECT_EQ(executed, 1);
  action->SetEnabled(false);
  plain->ActionChange(action, false);
  EXPECT_EQ(plain->State(), fbsDisabled);
  action->SetEnabled(true);
  plain->ActionChange(action, false);
  EXPECT_EQ(plain->State(), fbsMouseOut);

  // A button with a glyph keeps its size; an index outside the list changes no size.
  Button->SetAction(action);
  EXPECT_EQ(Button->Width(), 100);
  action->SetImageIndex(3);
  auto* other = new TFancyButton(Form);
  other->SetAction(action);
  EXPECT_EQ(other->Width(), 23);
  delete action;  // the buttons forget it
  EXPECT_EQ(plain->Action(), nullptr);
  plain->ButtonKeyPress(plain, enter);
  EXPECT_EQ(executed, 1);
}

// The Back button as the main window declares it, with the real artwork.
class BackButtonTest : public FancyButtonTest {
protected:
  void SetUp() override {
    FancyButtonTest::SetUp();
    Back = new TFancyButton(Form);
    TBitmap strip;
    strip.LoadFromResourceName("BackBtn");
    Back->SetGlyph(&strip);
    Back->SetNumGlyphs(5);
    Back->SetBounds(ButtonX, ButtonY + 80, 100, 48);
    Back->SetTextOffsetLeft(17);
    Back->SetTextOffsetTop(-2);
    Back->SetTextShadowColor(clBlack);
    Back->SetCaption("Back");
    Back->Font().SetName("Tahoma");
    Back->Font().SetHeight(-16);
    Back->Font().SetStyle(fsItalic);
    Back->Font().SetColor(TextColour);
    Back->SetParent(Form);
    Button->SetVisible(false);
    Run();
  }
  // Bounding box (button coordinates) of the pixels of exactly this colour on the button.
  TRect BoxOf(TColor color) const {
    TRect r{1000, 1000, -1, -1};
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 100; ++x)
        if (Pixel(Back->Left() + x, Back->Top() + y) == color)
          r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return r;
  }
  testsupport::TGoldenResult Golden(const std::string& name) {
    uint32_t* pixels = Backend.Pixels() + Back->Top() * Backend.Width() + Back->Left();
    return testsupport::CompareGolden("fancybutton_" + name, pixels, 100, 48, Backend.Width());
  }
  static constexpr TColor TextColour = 0xFFFF80;
  TFancyButton* Back = nullptr;
};

TEST_F(BackButtonTest, PressedCaptionMovesOneMoreRightAndDownWhileTheImageStays) {
  const int cx = ButtonX + 50, cy = ButtonY + 80 + 24;
  Move(cx, cy);
  const TRect hot = BoxOf(TextColour);
  ASSERT_LT(hot.Left, hot.Right);
  const TColor edge = Pixel(Back->Left() + 1, Back->Top() + 24);
  Down(cx, cy);
  EXPECT_EQ(BoxOf(TextColour), hot.Offset(1, 1));
  Up(cx, cy);
  EXPECT_EQ(BoxOf(TextColour), hot);
  // Without the offsets the caption sits 17 left of and 2 below where it was.
  Back->SetTextOffsetLeft(0);
  Back->SetTextOffsetTop(0);
  Run();
  EXPECT_EQ(BoxOf(TextColour), hot.Offset(-17, 2));
  EXPECT_EQ(Pixel(Back->Left() + 1, Back->Top() + 24), edge);
}

TEST_F(BackButtonTest, GoldenImagesOfTheFiveStates) {
  auto check = [&](const std::string& name) {
    auto result = Golden(name);
    EXPECT_TRUE(result.Matched) << result.Message;
  };
  check("back_mouseout");
  Move(ButtonX + 50, ButtonY + 104);
  check("back_up");
  Down(ButtonX + 50, ButtonY + 104);
  check("back_down");
  Up(ButtonX + 50, ButtonY + 104);
  Move(10, 10);
  Back->SetGroupIndex(1);
  Back->SetDown(true);
  Run();
  check("back_exclusive");
  Back->SetDown(false);
  Back->SetState(fbsDisabled);
  Run();
  check("back_disabled");
}

}  // namespace
