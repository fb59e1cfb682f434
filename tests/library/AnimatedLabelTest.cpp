// TAnimatedLabel: the frame counter driven by its timer and the frame of each type.

#include "controls/TAnimatedLabel.h"
#include "library/LibraryFixture.h"
#include "support/VirtualTime.h"
#include "toolkit/forms/TTimer.h"

namespace {

class AnimatedLabelTest : public LibraryTest {
protected:
  // Four labels, 100 x 16, one per animation type, stacked 20 pixels apart.
  void SetUp() override {
    LibraryTest::SetUp();
    std::string layout = "object F: TLibraryForm\n  Color = $E1C8C8\n";
    const char* types[] = {"atNone", "atFlash", "atFly", "atFade"};
    for (int i = 0; i < 4; ++i)
      layout += Format(
          "  object L%d: TAnimatedLabel\n    Left = 4\n    Top = %d\n    Width = 100\n    Height = 16\n"
          "    AutoSize = False\n    Caption = 'Pointrix'\n    Color = clBtnFace\n    Font.Color = clBlack\n"
          "    Font.Height = -13\n    AnimationType = %s\n  end\n",
          i, 4 + 20 * i, types[i]);
    Form = Read(layout + "end\n");
    Form->SetClientSize(108, 84);
    for (int i = 0; i < 4; ++i) Labels[i] = Form->Find<TAnimatedLabel>(Format("L%d", i).c_str());
  }
  void ShowFrame(int32_t frame) {
    for (TAnimatedLabel* l : Labels) {
      l->SetFrame(frame);
      l->Invalidate();
    }
    if (!Form->HasWindow()) Form->Show();
    Run();
  }
  // Pixels of a label that are not its background colour.
  int InkPixels(const TAnimatedLabel& l, TColor background) {
    int count = 0;
    for (int y = l.Top(); y < l.Top() + l.Height(); ++y)
      for (int x = l.Left(); x < l.Left() + l.Width(); ++x)
        if (Pixel(x, y) != background) ++count;
    return count;
  }

  TLibraryForm* Form = nullptr;
  TAnimatedLabel* Labels[4] = {};
};

TEST_F(AnimatedLabelTest, TheTimerCountsFramesAtItsInterval) {
  TAnimatedLabel* fly = Labels[2];
  ASSERT_NE(fly, nullptr);
  EXPECT_EQ(fly->GetInterval(), 100);
  EXPECT_EQ(fly->Frame(), 0);
  EXPECT_TRUE(fly->Timer()->Enabled());
  EXPECT_EQ(fly->Timer()->Owner(), fly);
  Form->Show();
  AdvanceTime(1000);
  EXPECT_EQ(fly->Frame(), 10);
  fly->SetInterval(500);  // five times slower, not restarted
  AdvanceTime(1000);
  EXPECT_EQ(fly->Frame(), 12);
  EXPECT_EQ(fly->Timer()->Interval(), 500u);
}

TEST_F(AnimatedLabelTest, FlyMovesTwoPixelsPerFrameAndWraps) {
  TAnimatedLabel* fly = Labels[2];
  EXPECT_EQ(fly->FlyX(0), 100);
  EXPECT_EQ(fly->FlyX(1), 98);
  EXPECT_EQ(fly->FlyX(99), -98);
  EXPECT_EQ(fly->FlyX(100), 100);
  ShowFrame(0);  // the caption starts beyond the right edge: only the face shows
  EXPECT_EQ(InkPixels(*fly, ColorToRGB(clBtnFace)), 0);
  ShowFrame(45);  // x = 10
  EXPECT_GT(InkPixels(*fly, ColorToRGB(clBtnFace)), 0);
  for (int x = fly->Left(); x < fly->Left() + 10; ++x) EXPECT_EQ(Pixel(x, fly->Top() + 8), ColorToRGB(clBtnFace));
  fly->SetWidth(0);  // a zero width paints no caption and divides by nothing
  EXPECT_EQ(fly->FlyX(7), 0);
  ShowFrame(3);
}

TEST_F(AnimatedLabelTest, FadeRunsFromTheBackgroundToTheFontAndBack) {
  TAnimatedLabel* fade = Labels[3];
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(fade->FadeBackground(), face);
  EXPECT_EQ(fade->FadeColor(0), face);
  EXPECT_EQ(fade->FadeColor(9), clBlack);
  EXPECT_EQ(fade->FadeColor(10), clBlack);
  EXPECT_EQ(fade->FadeColor(19), face);
  EXPECT_EQ(fade->FadeColor(20), face);
  // Each byte separately: background + (font - background) * P / 9, truncated.
  const int b = face & 0xFF, g = (face >> 8) & 0xFF, r = (face >> 16) & 0xFF;
  EXPECT_EQ(fade->FadeColor(4), TColor((b - b * 4 / 9) | (g - g * 4 / 9) << 8 | (r - r * 4 / 9) << 16));
  EXPECT_EQ(fade->FadeColor(14), TColor((b * 4 / 9) | (g * 4 / 9) << 8 | (r * 4 / 9) << 16));
  fade->SetColor(0);
  EXPECT_EQ(fade->FadeBackground(), clBlack);
  fade->Font().SetColor(clWhite);
  EXPECT_EQ(fade->FadeColor(9), clWhite);
  EXPECT_EQ(fade->FadeColor(3), TColor(0x555555));  // 255 * 3 / 9 = 85
}

TEST_F(AnimatedLabelTest, FlashHidesTheCaptionForTenFramesThenShowsIt) {
  TAnimatedLabel* flash = Labels[1];
  const TColor face = ColorToRGB(clBtnFace);
  for (int f : {0, 9, 20}) {
    ShowFrame(f);
    EXPECT_EQ(InkPixels(*flash, face), 0) << f;
  }
  for (int f : {10, 19}) {
    ShowFrame(f);
    EXPECT_GT(InkPixels(*flash, face), 0) << f;
  }
}

TEST_F(AnimatedLabelTest, GoldenFrameOfEachType) {
  ShowFrame(0);
  Labels[1]->SetFrame(15);  // flash: shown
  Labels[2]->SetFrame(30);  // fly: x = 40
  Labels[3]->SetFrame(5);   // fade: half way in
  for (TAnimatedLabel* l : Labels) l->Invalidate();
  Run();
  const char* names[] = {"none", "flash", "fly", "fade"};
  for (int i = 0; i < 4; ++i) {
    auto golden = Golden(std::string("animatedlabel-") + names[i], Labels[i]->BoundsRect());
    EXPECT_TRUE(golden.Matched) << golden.Message;
  }
}

}  // namespace
