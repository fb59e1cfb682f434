// Training 1: bugs pop up on a 3 x 3 board and the user hits them with the mallet.
// The game draws straight onto the board's canvas tick by tick; the board is never
// invalidated by the game.

#include <string>

#include "app/PanelValues.h"
#include "app/TMainForm.h"
#include "controls/TFancyButton.h"
#include "games/GameRules.h"
#include "toolkit/forms/Sound.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TPaintBox.h"
#include "toolkit/stdctrls/TTabSheet.h"

namespace {

// Fills a board place with the board's background (the colour of its parent).
void EraseSlot(TPaintBox* board, int slot, const TBitmap* dead) {
  TCanvas& canvas = board->Canvas();
  canvas.Brush().Color = board->Color();
  canvas.Brush().Style = bsSolid;
  TPoint p = BugPositions[size_t(slot)];
  canvas.FillRect(Bounds(p.X, p.Y, dead->Width(), dead->Height()));
}

// The game's clock and figures as the board holds them, for the panel.
void TakeBoardFigures(TMainForm& form) {
  const TBugBoard& board = form.BugBoard;
  form.Timer1->Tag = board.Clock();
  form.TimeLimit = board.TimeLimit();
  form.Score = board.Score();
  form.Hits = board.Hits();
  form.Misses = board.Misses();
  form.Escaped = board.Escaped();
  form.Level = board.Level();
  form.HitPoints = board.HitPoints();
  form.BugLifetime = board.Lifetime();
}

}  // namespace

void TMainForm::New1BtnClick(TObject*) {
  Timer1->SetEnabled(true);
  BugBoard.NewGame();
  TakeBoardFigures(*this);
  GameOverImage->Hide();
  GameOver = false;
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
  BugBoard.ResetLevel();
  Level = BugBoard.Level();
  ShowBugStatus();
  ResetIdlePrompt();
}

void TMainForm::Timer1Timer(TObject*) {
  const TBugTick tick = BugBoard.Tick();
  TakeBoardFigures(*this);
  TCanvas& canvas = Training1PaintBox->Canvas();
  if (tick.Spawned >= 0) {
    TPoint p = BugPositions[size_t(tick.Spawned)];
    canvas.Draw(p.X, p.Y, *LiveBitmap);
    PlaySoundResource("bugsound");
  }
  const TPoint twitch = JiggleOffsets[size_t(tick.Twitch)];
  for (int i = 0; i < BugPlaces; ++i) {
    TPoint p = BugPositions[size_t(i)];
    if (tick.Escaped[size_t(i)])
      EraseSlot(Training1PaintBox, i, DeadBitmap.get());
    else if (BugBoard.Slot(i).Live())
      canvas.Draw(p.X + twitch.X, p.Y + twitch.Y, *LiveBitmap);
  }
  ShowBugStatus();
  if (tick.TimeUp) EndBugGame();
}

void TMainForm::Training1PaintBoxMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
  Screen->SetCursor(crMaletDown);
  if (GameOver || !Timer1->Enabled()) return;
  PlaySoundResource("whoosh");
  const TBugPress press = BugBoard.Press(x, y, LiveBitmap->Width(), LiveBitmap->Height());
  TakeBoardFigures(*this);
  TCanvas& canvas = Training1PaintBox->Canvas();
  for (int i = 0; i < BugPlaces; ++i) {
    if (!press.Hit[size_t(i)]) continue;
    TPoint p = BugPositions[size_t(i)];
    EraseSlot(Training1PaintBox, i, DeadBitmap.get());
    canvas.Draw(p.X, p.Y, *DeadBitmap.get());
  }
  if (press.Completed) EndBugGame();
  ShowBugStatus();
  ResetIdlePrompt();
}

void TMainForm::Training1SheetMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Screen->SetCursor(crMaletDown);
  if (GameOver || !Timer1->Enabled()) return;
  PlaySoundResource("whoosh");
  BugBoard.PressBeside();
  TakeBoardFigures(*this);
  ShowBugStatus();
  ResetIdlePrompt();
}

void TMainForm::Training1PaintBoxMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  Screen->SetCursor(crDefault);
}

void TMainForm::Training1PaintBoxPaint(TObject*) {
  if (GameOver) return;
  TCanvas& canvas = Training1PaintBox->Canvas();
  for (int i = 0; i < BugPlaces; ++i)
    if (BugBoard.Slot(i).Hit) canvas.Draw(BugPositions[size_t(i)].X, BugPositions[size_t(i)].Y, *DeadBitmap);
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
  BugBoard.End();
  Timer1->Tag = BugBoard.Clock();
  New1Btn->SetState(fbsMouseOut);
  ResetBtn->SetState(fbsMouseOut);
  for (int i = 0; i < BugPlaces; ++i) EraseSlot(Training1PaintBox, i, DeadBitmap.get());
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
