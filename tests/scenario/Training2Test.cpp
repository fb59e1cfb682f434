// Training 2, the double-click game, played on the real window under the virtual
// clock: boxes become flowers on a double-click, a lone press is a miss once the
// double-click time has passed, and the game ends with the sixteenth flower.

#include <array>
#include <string>

#include "controls/TFancyButton.h"
#include "games/Random.h"
#include "support/Scenario.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

using platform::TPButton;
using testsupport::TScenario;

namespace {

constexpr TCursor crFlower = 7;
constexpr int HitMarker = 888;
constexpr uint32_t DoubleClickTime = 500;  // the headless desktop's
constexpr std::array<int, 16> Spiral = {0, 1, 2, 3, 7, 11, 15, 14, 13, 12, 8, 4, 5, 6, 10, 9};

// Top-left corner of box i on the page: a 4 x 4 grid, 65 pixels apart.
TPoint BoxCorner(int i) {
  return {100 + 65 * (i % 4), 70 + 65 * (i / 4)};
}

class Training2 : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(s.Start());
    f = &s.Form();
    for (int i = 0; i < 13 && f->PageControl1->ActivePage() != f->Training2Sheet; ++i) s.Type("\r");
    ASSERT_EQ(f->PageControl1->ActivePage(), f->Training2Sheet);
    ASSERT_EQ(f->DblClkTimer->Interval(), DoubleClickTime);
    RandSeed = 77;
  }

  // The middle of box i (page coordinates) in window coordinates.
  TPoint BoxMiddle(int i) const {
    TPoint o = f->Training2Sheet->OriginInForm(), c = BoxCorner(i);
    return {o.X + c.X + 10, o.Y + c.Y + 10};
  }
  TImage* Box(int i) const { return f->DblClkImages[size_t(i)]; }
  void DoubleClickBox(int i) {
    TPoint p = BoxMiddle(i);
    s.DoubleClick(p.X, p.Y);
  }
  void ClickBox(int i, TPButton button = TPButton::Left) {
    TPoint p = BoxMiddle(i);
    s.Click(p.X, p.Y, button);
  }
  size_t CountSound(const std::string& name) const {
    size_t n = 0;
    for (const std::string& played : s.Backend().Sounds()) n += played == name;
    return n;
  }
  bool Shows(TImage* image, const std::unique_ptr<TBitmap>& bitmap) const {
    TBitmap* shown = image->Picture()->Bitmap();
    if (shown->Width() != bitmap->Width() || shown->Height() != bitmap->Height()) return false;
    for (int y = 0; y < bitmap->Height(); ++y)
      for (int x = 0; x < bitmap->Width(); ++x)
        if (shown->GetPixel(x, y) != bitmap->GetPixel(x, y)) return false;
    return true;
  }
  std::string Label(TLabel* label) const { return label->Caption(); }

  mutable TScenario s;
  TMainForm* f = nullptr;
};

TEST_F(Training2, ANewGameLaysOutSixteenBoxes) {
  EXPECT_TRUE(f->ActivatingGameRE->Visible());
  s.Type("n");
  EXPECT_FALSE(f->ActivatingGameRE->Visible());
  EXPECT_EQ(f->New2Btn->State(), fbsDisabled);
  EXPECT_TRUE(f->Timer2->Enabled());
  EXPECT_EQ(f->ActiveGame, 2);
  EXPECT_FALSE(f->Training2Sheet->ShowHint());
  EXPECT_FALSE(f->GameOver);
  bool sawBox = false, sawBox2 = false;
  for (int i = 0; i < 16; ++i) {
    TImage* box = Box(i);
    EXPECT_TRUE(box->Visible()) << i;
    EXPECT_EQ(box->Parent(), f->Training2Sheet);
    EXPECT_EQ(box->Left(), BoxCorner(i).X) << i;
    EXPECT_EQ(box->Top(), BoxCorner(i).Y) << i;
    EXPECT_EQ(box->Width(), 20);
    EXPECT_EQ(box->Cursor(), crFlower);
    EXPECT_EQ(box->Tag, i);
    sawBox |= Shows(box, f->BoxBitmap);
    sawBox2 |= Shows(box, f->Box2Bitmap);
    EXPECT_TRUE(Shows(box, f->BoxBitmap) || Shows(box, f->Box2Bitmap)) << i;
  }
  EXPECT_TRUE(sawBox && sawBox2) << "the looks are drawn at random";
  EXPECT_EQ(Label(f->ScoreValue2Label), "0") << "the panel waits for the first tick";
}

TEST_F(Training2, TheBoxesChangeAlongTheSpiralLapAfterLap) {
  s.Type("n");
  // Ticks 1 to 15 turn the boxes along the spiral to the second look, 16 to 31 to the first.
  for (int t = 1; t <= 40; ++t) {
    s.Advance(16);
    ASSERT_EQ(f->Timer2->Tag, t);
    const int k = Spiral[size_t(t % 16)];
    EXPECT_TRUE(Shows(Box(k), (t / 16) % 2 == 1 ? f->BoxBitmap : f->Box2Bitmap)) << "tick " << t;
  }
  EXPECT_EQ(Label(f->ScoreValue2Label), "100");
  EXPECT_EQ(Label(f->TimeValue2Label), "0");
  s.Advance(2500);
  EXPECT_EQ(Label(f->TimeValue2Label), "3") << "whole seconds since the start";
}

TEST_F(Training2, ALonePressIsOneMissAfterTheDoubleClickTime) {
  s.Type("n");
  s.Advance(100);
  s.Backend().ClearRecords();
  ClickBox(3);
  s.Advance(DoubleClickTime - 1);
  EXPECT_EQ(Label(f->MissValue2Label), "0");
  s.Advance(1);
  EXPECT_EQ(Label(f->MissValue2Label), "1");
  EXPECT_EQ(Label(f->ScoreValue2Label), "100") << "a miss costs nothing";
  EXPECT_EQ(CountSound("oops"), 1u);
  EXPECT_EQ(Box(3)->Tag, 3);
  s.Advance(3000);
  EXPECT_EQ(Label(f->MissValue2Label), "1") << "one miss per press";

  // Any button arms it; a press beside the boxes is ignored.
  ClickBox(5, TPButton::Right);
  TPoint o = f->Training2Sheet->OriginInForm();
  s.Click(o.X + 20, o.Y + 20);
  s.Advance(DoubleClickTime);
  EXPECT_EQ(Label(f->MissValue2Label), "2");
  EXPECT_EQ(CountSound("oops"), 2u);
  EXPECT_EQ(CountSound("whoosh"), 0u);
}

TEST_F(Training2, TwoPressesOnDifferentBoxesWithinTheTimeAreOneMiss) {
  s.Type("n");
  s.Advance(100);
  ClickBox(0);
  s.Advance(300);
  ClickBox(9);
  s.Advance(DoubleClickTime - 300);
  EXPECT_EQ(Label(f->MissValue2Label), "1") << "counted from the first press";
  s.Advance(2000);
  EXPECT_EQ(Label(f->MissValue2Label), "1");
  EXPECT_EQ(Label(f->HitsValue2Label), "0");
}

TEST_F(Training2, ADoubleClickMakesAFlowerWorthLessAsTimeGoesBy) {
  s.Type("n");
  s.Advance(160);
  const int ticks = int(f->Timer2->Tag);
  ASSERT_EQ(ticks, 10);
  s.Backend().ClearRecords();
  DoubleClickBox(6);
  EXPECT_EQ(Label(f->HitsValue2Label), "1");
  EXPECT_EQ(Label(f->ScoreValue2Label), std::to_string(100 + 2000 / ticks));
  EXPECT_EQ(CountSound("whoosh"), 1u);
  TImage* flower = Box(6);
  EXPECT_TRUE(Shows(flower, f->FlowerBitmap));
  EXPECT_EQ(flower->Left(), BoxCorner(6).X - 40) << "centred where the box was";
  EXPECT_EQ(flower->Top(), BoxCorner(6).Y - 40);
  EXPECT_EQ(flower->Cursor(), crDefault);
  EXPECT_EQ(flower->Tag, HitMarker);
  s.Advance(2000);
  EXPECT_EQ(Label(f->MissValue2Label), "0") << "the double-click is no miss";
  EXPECT_TRUE(Shows(flower, f->FlowerBitmap)) << "the spiral passes flowers by";

  // The double-click's second press is used up: the next lone press is a miss again.
  ClickBox(1);
  s.Advance(DoubleClickTime);
  EXPECT_EQ(Label(f->MissValue2Label), "1");

  // A double-click on the flower changes nothing.
  const std::string score = Label(f->ScoreValue2Label);
  s.Backend().ClearRecords();
  DoubleClickBox(6);
  s.Advance(2000);
  EXPECT_EQ(Label(f->HitsValue2Label), "1");
  EXPECT_EQ(Label(f->MissValue2Label), "1");
  EXPECT_EQ(Label(f->ScoreValue2Label), score);
  EXPECT_TRUE(s.Backend().Sounds().empty());

  // Late flowers are worth 2000 div ticks, down to nothing.
  s.Advance(16 * 2000);
  DoubleClickBox(0);
  EXPECT_EQ(Label(f->ScoreValue2Label), score);
  EXPECT_EQ(Label(f->HitsValue2Label), "2");
}

TEST_F(Training2, ADoubleClickBeforeTheFirstTickCountsAsTickOne) {
  s.Type("n");
  ASSERT_EQ(f->Timer2->Tag, 0);
  DoubleClickBox(15);
  EXPECT_EQ(Label(f->HitsValue2Label), "1");
  EXPECT_EQ(Label(f->ScoreValue2Label), "2100");
}

TEST_F(Training2, TheSixteenthFlowerEndsTheGame) {
  s.Type("n");
  s.Advance(200);
  for (int i = 0; i < 16; ++i) {
    DoubleClickBox(i);
    s.Advance(100);
  }
  EXPECT_EQ(Label(f->HitsValue2Label), "16");
  EXPECT_EQ(Label(f->MissValue2Label), "0");
  EXPECT_TRUE(f->GameOver);
  EXPECT_FALSE(f->Timer2->Enabled());
  EXPECT_EQ(f->ActiveGame, 0);
  EXPECT_EQ(f->New2Btn->State(), fbsMouseOut);
  EXPECT_TRUE(f->Training2Sheet->ShowHint());
  EXPECT_TRUE(f->GameOverImage->Visible());
  EXPECT_EQ(f->GameOverImage->Parent(), f->Training2Sheet);
  // In front of the flowers: a pixel of the picture over a flower shows the picture.
  const TBitmap* gameOver = f->GameOverImage->Picture()->Bitmap();
  TPoint o = f->GameOverImage->OriginInForm();
  int checked = 0;
  for (int y = 0; y < gameOver->Height(); y += 3)
    for (int x = 0; x < gameOver->Width(); x += 3) {
      TColor c = gameOver->GetPixel(x, y);
      if (c == gameOver->TransparentColor()) continue;
      EXPECT_EQ(s.Backend().PixelAt(o.X + x, o.Y + y), ColorToPixel(c)) << x << ", " << y;
      ++checked;
    }
  EXPECT_GT(checked, 100);
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(Box(i)->Visible()) << "flowers stay";
  const std::string time = Label(f->TimeValue2Label);
  s.Advance(3000);
  EXPECT_EQ(Label(f->TimeValue2Label), time) << "the time stops";
  EXPECT_GOLDEN(s, "training2-finished");

  // After the end a press on a flower arms the miss timer, which then does nothing;
  // a new game does not inherit that press.
  ClickBox(0);
  s.Advance(200);
  s.Type("n");
  s.Advance(DoubleClickTime * 2);
  EXPECT_EQ(Label(f->MissValue2Label), "0");
  EXPECT_FALSE(f->GameOverImage->Visible());
}

TEST_F(Training2, LeavingThePageEndsTheGame) {
  s.Type("n");
  s.Advance(200);
  DoubleClickBox(2);
  ClickBox(8);  // a pending press
  TPoint next = {f->NextBtn->OriginInForm().X + 50, f->NextBtn->OriginInForm().Y + 24};
  s.Click(next.X, next.Y);
  EXPECT_EQ(f->PageControl1->ActivePage(), f->MovingSheet) << "page changes are allowed";
  EXPECT_TRUE(f->GameOver);
  EXPECT_FALSE(f->Timer2->Enabled());
  EXPECT_EQ(f->ActiveGame, 0);
  EXPECT_EQ(f->New2Btn->State(), fbsMouseOut);
  for (int i = 0; i < 16; ++i) EXPECT_FALSE(Box(i)->Visible()) << i;
  s.Advance(DoubleClickTime * 2);
  EXPECT_EQ(Label(f->MissValue2Label), "0") << "the pending press ends with the game";
  s.Type("\b");
  EXPECT_EQ(f->PageControl1->ActivePage(), f->Training2Sheet);
  EXPECT_TRUE(f->ActivatingGameRE->Visible());
  EXPECT_FALSE(f->GameOverImage->Visible());
  for (int i = 0; i < 16; ++i) EXPECT_FALSE(Box(i)->Visible()) << i;
  s.Type("n");
  s.Advance(DoubleClickTime * 2);
  EXPECT_EQ(Label(f->MissValue2Label), "0") << "nor does it carry over into the next game";
}

TEST_F(Training2, TheTimeCountsWholeSecondsAcrossTheTickCountWrap) {
  s.Backend().SetTime(0xFFFFFFFFu - 1500);
  s.Type("n");
  s.Advance(1000);
  EXPECT_EQ(Label(f->TimeValue2Label), "0");
  s.Advance(1000);  // the system tick count wraps to 499 here
  EXPECT_EQ(Label(f->TimeValue2Label), "2");
  s.Advance(8000);
  EXPECT_EQ(Label(f->TimeValue2Label), "10");
}

TEST_F(Training2, PressesOnTheBoxesPutOffTheIdlePrompt) {
  s.Type("n");
  EXPECT_EQ(f->IdleTimer->Interval(), 20000u);
  s.Advance(19000);
  ClickBox(2);
  s.Advance(19000);
  EXPECT_FALSE(f->ContinueLabel->Visible());
  DoubleClickBox(2);
  s.Advance(19900);
  EXPECT_FALSE(f->ContinueLabel->Visible());
  s.Advance(200);
  EXPECT_TRUE(f->ContinueLabel->Visible()) << "20 s after the last press";
}

// Score, Hits and Misses are shared by the two games, but each panel shows the
// figures of its own game.
TEST_F(Training2, EachPanelShowsItsOwnGamesFigures) {
  const TPoint reset = {f->ResetBtn->OriginInForm().X + 20, f->ResetBtn->OriginInForm().Y + 20};
  auto panel1 = [&] {
    return Label(f->ScoreValue1Label) + "/" + Label(f->HitsValue1Label) + "/" + Label(f->MissValue1Label);
  };
  auto panel2 = [&] {
    return Label(f->ScoreValue2Label) + "/" + Label(f->HitsValue2Label) + "/" + Label(f->MissValue2Label);
  };
  // Before any game of Training 1, Reset after a Training 2 game shows no figures of it.
  s.Type("n");
  s.Advance(100);
  DoubleClickBox(0);
  DoubleClickBox(1);
  ClickBox(2);
  s.Advance(DoubleClickTime);
  const std::string game2 = panel2();
  ASSERT_EQ(Label(f->HitsValue2Label), "2");
  s.Type("\b");
  s.Type("\b");
  ASSERT_EQ(f->PageControl1->ActivePage(), f->Training1Sheet);
  const std::string before = panel1();
  s.Click(reset.X, reset.Y);
  EXPECT_EQ(panel1(), "0/0/0") << "was " << before;
  EXPECT_EQ(Label(f->LevelValue1Label), "1");

  // A Training 1 game, then a Training 2 game, then Reset: Training 1's figures stay.
  s.Type("n");
  TPoint page = f->Training1Sheet->OriginInForm();
  s.Click(page.X + 5, page.Y + 5);  // beside the board: a miss
  s.Advance(100);
  ASSERT_EQ(Label(f->MissValue1Label), "1");
  for (int i = 0; i < 300 && f->Timer1->Enabled(); ++i) s.Advance(100);
  ASSERT_FALSE(f->Timer1->Enabled());
  const std::string endOfGame1 = panel1();
  s.Type("\r");
  s.Type("\r");
  ASSERT_EQ(f->PageControl1->ActivePage(), f->Training2Sheet);
  EXPECT_EQ(panel2(), game2) << "a Training 1 game leaves the Training 2 panel alone";
  s.Type("n");
  s.Advance(100);
  DoubleClickBox(3);
  s.Advance(DoubleClickTime);
  s.Type("\b");
  s.Type("\b");
  s.Click(reset.X, reset.Y);
  EXPECT_EQ(panel1(), endOfGame1);
  EXPECT_NE(Label(f->ScoreValue1Label), Label(f->ScoreValue2Label));
}

// A press on a box that is still waiting for its second half when the page is left
// is not counted as a miss of a Training 1 game started meanwhile.
TEST_F(Training2, APendingPressDoesNotBecomeAMissOfTrainingOne) {
  s.Type("n");
  s.Advance(100);
  ClickBox(4);
  s.Type("\b");
  s.Type("\b");
  ASSERT_EQ(f->PageControl1->ActivePage(), f->Training1Sheet);
  s.Type("n");
  s.Advance(DoubleClickTime + 100);
  EXPECT_EQ(Label(f->MissValue1Label), "0");
  EXPECT_EQ(f->Misses, 0);
}

TEST_F(Training2, ClickingTheTimeLabelDoesNothing) {
  TPoint label = {f->Time2Label->OriginInForm().X + f->Time2Label->Width() / 2,
                  f->Time2Label->OriginInForm().Y + f->Time2Label->Height() / 2};
  ASSERT_GT(f->Time2Label->Width(), 0);
  s.Click(label.X, label.Y);
  EXPECT_FALSE(Application->Terminated()) << "before a game";
  s.Type("n");
  s.Advance(1000);
  s.Click(label.X, label.Y);
  s.DoubleClick(label.X, label.Y);
  EXPECT_FALSE(Application->Terminated()) << "during a game";
  EXPECT_EQ(f->PageControl1->ActivePage(), f->Training2Sheet);
  EXPECT_TRUE(f->Timer2->Enabled());
  EXPECT_EQ(Label(f->MissValue2Label), "0") << "a click beside the boxes is no miss";
}

TEST_F(Training2, LooksRightInPlay) {
  s.Type("n");
  s.Advance(300);
  DoubleClickBox(5);
  s.Advance(100);
  DoubleClickBox(10);
  s.Advance(64);
  EXPECT_GOLDEN(s, "training2-in-play");
}

}  // namespace

// Zoomed by a factor that is no whole number, a double-click on a box still makes a flower.
TEST_F(Training2, AtZoomOneAndAHalfADoubleClickOnABoxMakesAFlower) {
  s.ZoomTo(1.5);
  s.Type("n");
  s.Advance(160);
  DoubleClickBox(6);
  EXPECT_EQ(Label(f->HitsValue2Label), "1");
  EXPECT_TRUE(Shows(Box(6), f->FlowerBitmap));
  ClickBox(1);
  s.Advance(DoubleClickTime);
  EXPECT_EQ(Label(f->MissValue2Label), "1");
}
