// Training 1: bugs pop up on a 3 x 3 board and the user hits them with the mallet.
// The game draws straight onto the board's canvas tick by tick; the board is never
// invalidated by the game.

#include <string>

#include "app/PanelValues.h"
#include "app/TMainForm.h"
#include "controls/TFancyButton.h"
#include "games/GameRules.h"
#include "games/Random.h"
#include "toolkit/forms/Sound.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TPaintBox.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/stdctrls/TTabSheet.h"
#include "toolkit/forms/TTimer.h"

namespace {

constexpr TCursor crMaletDown = 6;

// Fills a board place with the board's background (the colour of its parent).
void EraseSlot(TPaintBox* board, int slot, const TBitmap* dead) {
  TCanvas& canvas = board->Canvas();
  canvas.Brush().Color = board->Color();
  canvas.Brush().Style = bsSolid;
  TPoint p = BugPositions[size_t(slot)];
  canvas.FillRect(Bounds(p.X, p.Y, dead->Width(), dead->Height()));
}

}  // namespace

void TMainForm::New1BtnClick(TObject*) {
  Timer1->SetEnabled(true);
  Timer1->Tag = 0;
  Score = 50;
  Hits = 0;
  Misses = 0;
  Escaped = 0;
  BugLifetime = BugLifetimeForLevel(Level);
  GameOverImage->Hide();
  GameOver = false;
  BugSlots.fill(TBugSlot{});
  New1Btn->SetState(fbsDisabled);
  ResetBtn->SetState(fbsDisabled);
  SelectingGameRE->Hide();
  Training1Sheet->SetShowHint(false);
  PinnedLeft = Left();
  PinnedTop = Top();
  Pinned = true;
  CountersGame = 1;
  ActiveGame = 1;
  ResetIdlePrompt();
}

void TMainForm::ResetBtnClick(TObject*) {
  Level = 1;
  ShowBugStatus();
  ResetIdlePrompt();
}

void TMainForm::Timer1Timer(TObject*) {
  const int clock = int(++Timer1->Tag);
  const int r = Random(41 - 4 * Hits);
  const int d = Random(5);
  TCanvas& canvas = Training1PaintBox->Canvas();

  if (r < 9 && BugSlots[size_t(r)].Deadline == 0 && !BugSlots[size_t(r)].Hit) {
    BugSlots[size_t(r)] = {clock + BugLifetime, false};
    canvas.Draw(BugPositions[size_t(r)].X, BugPositions[size_t(r)].Y, *LiveBitmap);
    PlaySoundResource("bugsound");
  }
  for (int i = 0; i < 9; ++i) {
    TBugSlot& slot = BugSlots[size_t(i)];
    if (slot.Deadline != 0 && clock > slot.Deadline) {
      slot.Deadline = 0;
      if (!slot.Hit) {
        --Score;
        ++Escaped;
        EraseSlot(Training1PaintBox, i, DeadBitmap.get());
      }
    } else if (slot.Deadline != 0 && !slot.Hit) {
      TPoint p = BugPositions[size_t(i)];
      canvas.Draw(p.X + JiggleOffsets[size_t(d)].X, p.Y + JiggleOffsets[size_t(d)].Y, *LiveBitmap);
    }
  }
  ShowBugStatus();
  if (clock >= TimeLimit) EndBugGame();
}

void TMainForm::Training1PaintBoxMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
  Screen->SetCursor(crMaletDown);
  if (GameOver || !Timer1->Enabled()) return;
  PlaySoundResource("whoosh");
  bool anyHit = false;
  TCanvas& canvas = Training1PaintBox->Canvas();
  for (int i = 0; i < 9; ++i) {
    TBugSlot& slot = BugSlots[size_t(i)];
    TPoint p = BugPositions[size_t(i)];
    if (slot.Deadline != 0 && !slot.Hit && PressHitsPicture(p, LiveBitmap->Width(), LiveBitmap->Height(), x, y)) {
      Score += HitPoints;
      slot.Hit = true;
      ++Hits;
      anyHit = true;
      EraseSlot(Training1PaintBox, i, DeadBitmap.get());
      canvas.Draw(p.X, p.Y, *DeadBitmap);
    }
  }
  if (!anyHit) {
    Score -= 2;
    ++Misses;
  }
  if (Hits == 9) {
    Score += TimeLimit - int(Timer1->Tag);
    ++Level;
    HitPoints += 5;
    EndBugGame();
  }
  ShowBugStatus();
  ResetIdlePrompt();
}

void TMainForm::Training1SheetMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Screen->SetCursor(crMaletDown);
  if (GameOver || !Timer1->Enabled()) return;
  PlaySoundResource("whoosh");
  Score -= 2;
  ++Misses;
  ShowBugStatus();
  ResetIdlePrompt();
}

void TMainForm::Training1PaintBoxMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  Screen->SetCursor(crDefault);
}

void TMainForm::Training1PaintBoxPaint(TObject*) {
  if (GameOver) return;
  TCanvas& canvas = Training1PaintBox->Canvas();
  for (int i = 0; i < 9; ++i)
    if (BugSlots[size_t(i)].Hit) canvas.Draw(BugPositions[size_t(i)].X, BugPositions[size_t(i)].Y, *DeadBitmap);
}

void TMainForm::ShowBugStatus() {
  // After a Training 2 game the shared counters are that game's: the panel keeps
  // showing the figures of the last Training 1 game.
  if (CountersGame != 2) {
    Bug1Score = Score;
    Bug1Hits = Hits;
    Bug1Misses = Misses;
  }
  ShowPanelValue(*TimeValue1Label, *Time1Label, *InfoPanel1, std::to_string(TimeLimit - int(Timer1->Tag)));
  ShowPanelValue(*HitsValue1Label, *Hits1Label, *InfoPanel1, std::to_string(Bug1Hits));
  ShowPanelValue(*MissValue1Label, *Misses1Label, *InfoPanel1, std::to_string(Bug1Misses));
  ShowPanelValue(*EscapedValue1Label, *Escaped1Label, *InfoPanel1, std::to_string(Escaped));
  ShowPanelValue(*ScoreValue1Label, *Score1Label, *InfoPanel1, std::to_string(Bug1Score));
  ShowPanelValue(*LevelValue1Label, *Level1Label, *InfoPanel1, std::to_string(Level));
  // The window goes back only to a place that a game has pinned (none before the first).
  if (Pinned) {
    SetLeft(PinnedLeft);
    SetTop(PinnedTop);
  }
}

void TMainForm::EndBugGame() {
  Timer1->SetEnabled(false);
  GameOver = true;
  Timer1->Tag = TimeLimit;
  New1Btn->SetState(fbsMouseOut);
  ResetBtn->SetState(fbsMouseOut);
  for (int i = 0; i < 9; ++i) EraseSlot(Training1PaintBox, i, DeadBitmap.get());
  GameOverImage->SetParent(Training1Sheet);
  GameOverImage->Show();
  Training1Sheet->SetShowHint(true);
  ResetIdlePrompt();
  ActiveGame = 0;
}

void TMainForm::Training1SheetShow(TObject*) {
  SelectingGameRE->Show();
  GameOverImage->Hide();
}

void TMainForm::Training1SheetHide(TObject*) {
  EndBugGame();
}
