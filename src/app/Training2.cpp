// Training 2: sixteen boxes to double-click into flowers; a press that no second
// press follows within the double-click time is a miss.

#include <string>

#include "app/PanelValues.h"
#include "app/TMainForm.h"
#include "controls/TFancyButton.h"
#include "games/GameRules.h"
#include "toolkit/forms/Sound.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TTabSheet.h"

namespace {

constexpr TPoint FlowerShift = {40, 40};  // centres the 100 x 100 flower on the 20 x 20 box

// The game's clock and figures as the board holds them, for the panel.
void TakeBoardFigures(TMainForm& form) {
  const TBoxBoard& board = form.BoxBoard;
  form.Timer2->Tag = board.Clock();
  form.Score = board.Score();
  form.Hits = board.Hits();
  form.Misses = board.Misses();
}

TBitmap* LookBitmap(const TMainForm& form, TBoxLook look) {
  return look == blBox ? form.BoxBitmap.get() : form.Box2Bitmap.get();
}

}  // namespace

void TMainForm::New2BtnClick(TObject*) {
  // A press left over from before this game (on a flower of the last one, say) keeps
  // the miss timer running; it must not count as a miss of the new game.
  DblClkTimer->SetEnabled(false);
  BoxBoard.NewGame();
  TakeBoardFigures(*this);
  CountersGame = 2;
  GameOverImage->Hide();
  GameOver = false;
  New2Btn->SetState(fbsDisabled);
  ActivatingGameRE->Hide();
  Timer2->SetEnabled(true);
  for (int i = 0; i < BoxCount; ++i) {
    TImage* box = DblClkImages[size_t(i)];
    box->SetPicture(LookBitmap(*this, BoxBoard.Look(i)));
    TPoint p = BoxGrid(i);
    box->SetLeft(p.X);
    box->SetTop(p.Y);
    box->SetCursor(crFlower);
    box->Tag = i;
    box->Show();
  }
  Training2Sheet->SetShowHint(false);
  StartTick = platform::Backend().Clock().TickCount();
  ActiveGame = 2;
  ResetIdlePrompt();
}

void TMainForm::Timer2Timer(TObject*) {
  const TBoxTick tick = BoxBoard.Tick();
  TakeBoardFigures(*this);
  ShowDblClkStatus();
  if (tick.Box >= 0) DblClkImages[size_t(tick.Box)]->SetPicture(LookBitmap(*this, tick.Look));
}

void TMainForm::ImageMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (!BoxBoard.Press()) return;
  DblClkTimer->SetEnabled(true);
  ResetIdlePrompt();
}

void TMainForm::ImageDblClick(TObject* sender) {
  int index = -1;
  for (int i = 0; i < BoxCount; ++i)
    if (DblClkImages[size_t(i)] == sender) index = i;
  const TBoxDoubleClick result = BoxBoard.DoubleClick(index);
  if (result == bdcIgnored) return;
  DblClkTimer->SetEnabled(false);
  if (result == bdcOnFlower) return;
  TImage* box = DblClkImages[size_t(index)];
  box->SetPicture(FlowerBitmap.get());
  TPoint p = BoxGrid(index);
  box->SetLeft(p.X - FlowerShift.X);
  box->SetTop(p.Y - FlowerShift.Y);
  box->SetCursor(crDefault);
  PlaySoundResource("whoosh");
  box->Tag = HitMarker;
  TakeBoardFigures(*this);
  ShowDblClkStatus();
  if (result == bdcLastFlower) EndDblClkGame();
  ResetIdlePrompt();
}

void TMainForm::DblClkTimerTimer(TObject*) {
  if (!BoxBoard.PressTimedOut()) return;
  DblClkTimer->SetEnabled(false);
  PlaySoundResource("oops");
  TakeBoardFigures(*this);
  ShowDblClkStatus();
}

void TMainForm::ShowDblClkStatus() {
  uint32_t elapsed = platform::Backend().Clock().TickCount() - StartTick;
  ShowPanelValue(*TimeValue2Label, *Time2Label, *InfoPanel2, std::to_string(elapsed / 1000));
  ShowPanelValue(*HitsValue2Label, *Hits2Label, *InfoPanel2, std::to_string(Hits));
  ShowPanelValue(*MissValue2Label, *Misses2Label, *InfoPanel2, std::to_string(Misses));
  ShowPanelValue(*ScoreValue2Label, *Score2Label, *InfoPanel2, std::to_string(Score));
}

void TMainForm::EndDblClkGame() {
  // A press still waiting for its second half ends with the game: its miss must not
  // land in the counters of a game started meanwhile on another page.
  DblClkTimer->SetEnabled(false);
  GameOverImage->SetParent(Training2Sheet);
  GameOverImage->BringToFront();
  GameOverImage->Show();
  GameOver = true;
  BoxBoard.End();
  Timer2->SetEnabled(false);
  New2Btn->SetState(fbsMouseOut);
  ActiveGame = 0;
  Training2Sheet->SetShowHint(true);
}

void TMainForm::Training2SheetHide(TObject*) {
  EndDblClkGame();
  ActivatingGameRE->Show();
  for (TImage* box : DblClkImages) box->Hide();
}
