// Training 2: sixteen boxes to double-click into flowers; a press that no second
// press follows within the double-click time is a miss.

#include <string>

#include "app/PanelValues.h"
#include "app/TMainForm.h"
#include "controls/TFancyButton.h"
#include "games/GameRules.h"
#include "games/Random.h"
#include "toolkit/forms/Sound.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TTabSheet.h"
#include "toolkit/forms/TTimer.h"

namespace {

constexpr TCursor crFlower = 7;
constexpr TPoint FlowerShift = {40, 40};  // centres the 100 x 100 flower on the 20 x 20 box

}  // namespace

void TMainForm::New2BtnClick(TObject*) {
  // A press left over from before this game (on a flower of the last one, say) keeps
  // the miss timer running; it must not count as a miss of the new game.
  DblClkTimer->SetEnabled(false);
  DblClkTimer->Tag = 0;
  Score = 100;
  Hits = 0;
  Misses = 0;
  CountersGame = 2;
  GameOverImage->Hide();
  GameOver = false;
  New2Btn->SetState(fbsDisabled);
  ActivatingGameRE->Hide();
  Timer2->Tag = 0;
  Timer2->SetEnabled(true);
  for (int i = 0; i < 16; ++i) {
    TImage* box = DblClkImages[size_t(i)];
    box->SetPicture((Random(2) % 2 == 1 ? BoxBitmap : Box2Bitmap).get());
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
  const int t = int(++Timer2->Tag);
  ShowDblClkStatus();
  TImage* box = DblClkImages[size_t(BlinkOrder[size_t(t % 16)])];
  if (box->Tag != HitMarker) box->SetPicture(((t / 16) % 2 == 1 ? BoxBitmap : Box2Bitmap).get());
}

void TMainForm::ImageMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (DblClkTimer->Tag == PairedClick) {
    DblClkTimer->Tag = 0;
    return;
  }
  DblClkTimer->SetEnabled(true);
  ResetIdlePrompt();
}

void TMainForm::ImageDblClick(TObject* sender) {
  if (GameOver) return;
  DblClkTimer->SetEnabled(false);
  DblClkTimer->Tag = PairedClick;
  auto* box = dynamic_cast<TImage*>(sender);
  if (!box || box->Tag == HitMarker) return;
  const int index = int(box->Tag);
  box->SetPicture(FlowerBitmap.get());
  TPoint p = BoxGrid(index);
  box->SetLeft(p.X - FlowerShift.X);
  box->SetTop(p.Y - FlowerShift.Y);
  box->SetCursor(crDefault);
  PlaySoundResource("whoosh");
  ++Hits;
  box->Tag = HitMarker;
  Score += FlowerPoints(int(Timer2->Tag));
  ShowDblClkStatus();
  if (Hits == 16) EndDblClkGame();
  ResetIdlePrompt();
}

void TMainForm::DblClkTimerTimer(TObject*) {
  if (GameOver) return;
  DblClkTimer->SetEnabled(false);
  PlaySoundResource("oops");
  ++Misses;
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
