// The figures on the score panels of Training 1 and Training 2 at the extremes the
// games can reach: every value is drawn whole inside the panel picture with three
// pixels of its light area around it, clear of its caption, on the caption's line.
// A value's ink is found on the framebuffer as the pixels that change when its label
// is hidden.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/PanelValues.h"
#include "support/Scenario.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/FontEngine.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

using testsupport::TScenario;

namespace {

using TRow = std::pair<TLabel*, TLabel*>;  // value, caption

// The light inside of the panel picture (the frame, its border line, the screws and
// the transparent corners are all darker).
bool Inside(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) > 650;
}

class PanelValues : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(s.Start());
    f = &s.Form();
  }
  void GoToPage(TTabSheet* page) {
    for (int i = 0; i < 13 && f->PageControl1->ActivePage() != page; ++i) s.Type("\r");
    ASSERT_EQ(f->PageControl1->ActivePage(), page);
  }
  std::vector<TRow> BugRows() const {
    return {{f->TimeValue1Label, f->Time1Label},       {f->LevelValue1Label, f->Level1Label},
            {f->HitsValue1Label, f->Hits1Label},       {f->MissValue1Label, f->Misses1Label},
            {f->EscapedValue1Label, f->Escaped1Label}, {f->ScoreValue1Label, f->Score1Label}};
  }
  std::vector<TRow> BoxRows() const {
    return {{f->TimeValue2Label, f->Time2Label},
            {f->HitsValue2Label, f->Hits2Label},
            {f->MissValue2Label, f->Misses2Label},
            {f->ScoreValue2Label, f->Score2Label}};
  }

  // The window pixels that the label draws: those that change when it is hidden.
  std::vector<TPoint> InkOf(TLabel* label) {
    TPoint o = label->OriginInForm();
    TRect area{o.X - 20, o.Y - 5, o.X + label->Width() + 20, o.Y + label->Height() + 5};
    std::vector<uint32_t> shown;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) shown.push_back(s.Backend().PixelAt(x, y));
    label->Hide();
    s.Process();
    std::vector<TPoint> ink;
    size_t i = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        if (s.Backend().PixelAt(x, y) != shown[i++]) ink.push_back({x, y});
    label->Show();
    s.Process();
    return ink;
  }

  // Checks every value of a panel against the panel picture and its caption.
  void ExpectFitted(TImage* panel, const std::vector<TRow>& rows, const std::string& what, int minHeight = 11) {
    s.Process();
    const TPoint p = panel->OriginInForm();
    const TBitmap* picture = f->PanelBitmap.get();
    for (auto [value, caption] : rows) {
      SCOPED_TRACE(what + ": " + caption->Caption() + " " + value->Caption());
      std::vector<TPoint> ink = InkOf(value), captionInk = InkOf(caption);
      ASSERT_FALSE(ink.empty());
      ASSERT_FALSE(captionInk.empty());
      int captionRight = captionInk.front().X, left = ink.front().X;
      for (TPoint q : captionInk) captionRight = std::max(captionRight, q.X);
      bool insideAll = true;
      for (TPoint q : ink) {
        left = std::min(left, q.X);
        // Three pixels all around the ink are the picture's light inside.
        for (int dy = -PanelValueMargin; dy <= PanelValueMargin && insideAll; ++dy)
          for (int dx = -PanelValueMargin; dx <= PanelValueMargin && insideAll; ++dx) {
            int x = q.X + dx - p.X, y = q.Y + dy - p.Y;
            insideAll = x >= 0 && y >= 0 && x < picture->Width() && y < picture->Height() &&
                        Inside(picture->GetPixel(x, y) & 0xFFFFFF);
            if (!insideAll) ADD_FAILURE() << "ink at " << q.X << "," << q.Y << " is within 3 px of the frame";
          }
      }
      EXPECT_GE(left - captionRight, 2) << "value ink starts at " << left << ", caption ink ends at " << captionRight;
      // Whatever its size, the value stands on the caption's baseline.
      TFontEngine& engine = TFontEngine::Instance();
      EXPECT_EQ(value->Top() + engine.Get(value->Font()).Ascent(),
                caption->Top() + engine.Get(caption->Font()).Ascent());
      EXPECT_GE(std::abs(value->Font().Height()), minHeight);
    }
  }

  void ShowBugPanel(int timeLeft, int level, int hits, int misses, int escaped, int score) {
    f->Timer1->Tag = f->TimeLimit - timeLeft;
    f->Level = level;
    f->Hits = hits;
    f->Misses = misses;
    f->Escaped = escaped;
    f->Score = score;
    f->CountersGame = 1;
    f->ShowBugStatus();
  }
  void ShowBoxPanel(uint32_t seconds, int hits, int misses, int score) {
    f->StartTick = s.Backend().Clock().TickCount() - seconds * 1000;
    f->Hits = hits;
    f->Misses = misses;
    f->Score = score;
    f->ShowDblClkStatus();
  }

  TScenario s;
  TMainForm* f = nullptr;
};

TEST_F(PanelValues, TrainingOneValuesStayInsideThePanelAtEveryExtreme) {
  GoToPage(f->Training1Sheet);
  // Realistic figures (to four digits, negative scores) keep nearly their full size.
  const int fullSize = std::abs(f->Time1Label->Font().Height());
  ShowBugPanel(200, 1, 0, 0, 0, 50);
  ExpectFitted(f->InfoPanel1, BugRows(), "start", fullSize);
  ShowBugPanel(100, 12, 9, 199, 123, 999);
  ExpectFitted(f->InfoPanel1, BugRows(), "three digits", fullSize);
  ShowBugPanel(0, 99, 9, 999, 999, 9999);
  ExpectFitted(f->InfoPanel1, BugRows(), "four-digit score", fullSize - 2);
  ShowBugPanel(150, 1, 0, 999, 360, -99);
  ExpectFitted(f->InfoPanel1, BugRows(), "negative score", fullSize - 2);
  ShowBugPanel(150, 1, 0, 1000, 999, -2049);
  ExpectFitted(f->InfoPanel1, BugRows(), "many misses", fullSize - 3);
  // Far beyond anything a player reaches: smaller, but still inside and clear.
  ShowBugPanel(200, 1000, 9, 9999999, 999999, 123456);
  ExpectFitted(f->InfoPanel1, BugRows(), "beyond reach");
  EXPECT_LT(std::abs(f->MissValue1Label->Font().Height()), fullSize) << "shrunk";
  EXPECT_LT(std::abs(f->EscapedValue1Label->Font().Height()), fullSize) << "shrunk";
  // Back to short figures: back to the full size.
  ShowBugPanel(200, 1, 0, 0, 0, 50);
  ExpectFitted(f->InfoPanel1, BugRows(), "short again", fullSize);
}

TEST_F(PanelValues, TrainingTwoValuesStayInsideThePanelAtEveryExtreme) {
  GoToPage(f->Training2Sheet);
  const int fullSize = std::abs(f->Time2Label->Font().Height());
  ShowBoxPanel(0, 0, 0, 100);
  ExpectFitted(f->InfoPanel2, BoxRows(), "start", fullSize);
  ShowBoxPanel(200, 16, 123, 843);
  ExpectFitted(f->InfoPanel2, BoxRows(), "three digits", fullSize);
  // The highest score the rules allow, and a clock left running for hours.
  ShowBoxPanel(9999, 16, 999, 32100);
  ExpectFitted(f->InfoPanel2, BoxRows(), "highest score", fullSize - 2);
  // The clock's longest reading: the millisecond tick count wraps after 49.7 days.
  ShowBoxPanel(4294967, 16, 9999999, 32100);
  ExpectFitted(f->InfoPanel2, BoxRows(), "weeks");
  EXPECT_LT(std::abs(f->MissValue2Label->Font().Height()), fullSize) << "shrunk";
}

TEST_F(PanelValues, LongerCaptionsOfAnotherLanguageMakeRoomOnTheNextPageChange) {
  GoToPage(f->Training1Sheet);
  ShowBugPanel(200, 12, 9, 199, 360, 1234);
  // The longest captions of the languages that come with the program.
  f->Escaped1Label->SetCaption("Entwischt:");
  f->Misses1Label->SetCaption("Daneben:");
  f->Score1Label->SetCaption("Punkte:");
  f->Time2Label->SetCaption("Tiempo:");
  f->Misses2Label->SetCaption("Daneben:");
  f->Score2Label->SetCaption("Punkte:");
  s.Type("\b");
  s.Type("\r");
  ASSERT_EQ(f->PageControl1->ActivePage(), f->Training1Sheet);
  ExpectFitted(f->InfoPanel1, BugRows(), "German captions");
  GoToPage(f->Training2Sheet);
  ShowBoxPanel(754, 16, 321, 32100);
  ExpectFitted(f->InfoPanel2, BoxRows(), "Spanish and German captions");
}

TEST_F(PanelValues, TheValueEdgeLiesThreePixelsInsideThePicturesInnerBorder) {
  // The border line runs down the right of the picture at the declared column, with
  // the light inside left of it, along every row that holds a value.
  const TBitmap* picture = f->PanelBitmap.get();
  const uint32_t border = picture->GetPixel(PanelInnerBorderRight, picture->Height() / 2) & 0xFFFFFF;
  EXPECT_FALSE(Inside(border));
  for (int y = 20; y < 180; ++y) {
    EXPECT_EQ(picture->GetPixel(PanelInnerBorderRight, y) & 0xFFFFFF, border) << "row " << y;
    EXPECT_TRUE(Inside(picture->GetPixel(PanelInnerBorderRight - 1, y) & 0xFFFFFF)) << "row " << y;
  }
  EXPECT_EQ(PanelValueEdge(*f->InfoPanel1), f->InfoPanel1->Left() + PanelInnerBorderRight - 3);
  // The declared layout already puts the values there before any game.
  for (TLabel* value : {f->TimeValue1Label, f->ScoreValue1Label})
    EXPECT_EQ(value->Left() + value->Width(), PanelValueEdge(*f->InfoPanel1)) << value->Name();
  for (TLabel* value : {f->TimeValue2Label, f->ScoreValue2Label})
    EXPECT_EQ(value->Left() + value->Width(), PanelValueEdge(*f->InfoPanel2)) << value->Name();
}

TEST_F(PanelValues, LooksRightWithThreeDigitValues) {
  GoToPage(f->Training1Sheet);
  ShowBugPanel(187, 12, 9, 104, 117, 1234);
  EXPECT_GOLDEN(s, "panel-training1-wide-values");
  GoToPage(f->Training2Sheet);
  ShowBoxPanel(754, 16, 123, 32100);
  EXPECT_GOLDEN(s, "panel-training2-wide-values");
}

}  // namespace
