// Training 3: drag the nine jigsaw pieces into the frame. While a game runs the
// sprite surface is in automatic drag mode and the drag events feed its pick-up,
// drag and drop steps.

#include "app/TMainForm.h"
#include "content/LanguageTexts.h"
#include "controls/TFancyButton.h"
#include "games/GameRules.h"
#include "sprites/TSprite.h"
#include "sprites/TSprites.h"
#include "toolkit/forms/Sound.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/TCanvas.h"
#include "toolkit/stdctrls/TTabSheet.h"

TColor FrameColour = 0;

namespace {

constexpr TColor WindowColour = 0xE1C8C8;
constexpr int FrameFontSize = 12;

// A drag has started in a game and waits for its first move to pick a piece.
bool PickUpPending = false;

// The surface under the sprites: the window's colour, the frame's outline and the
// two lines of instructions in it.
void PaintSurfaceBackground(TSprites* surface) {
  TCanvas& canvas = surface->Canvas();
  canvas.Brush().Color = WindowColour;
  canvas.Brush().Style = bsSolid;
  canvas.FillRect(surface->ClientRect());
  canvas.Rectangle(FrameRect);
  canvas.Font().Assign(&surface->Font());
  canvas.Font().SetSize(FrameFontSize);
  canvas.TextOut(170, 150, LanguageTexts[3]);
  canvas.TextOut(170, 180, LanguageTexts[4]);
}

}  // namespace

void TMainForm::New3BtnClick(TObject*) {
  Timer3->SetEnabled(false);
  Jigsaw.NewGame();
  StartRotation = Jigsaw.Rotation();
  Sprites1->SetDragMode(dmAutomatic);
  // Everything comes off the surface first and the surface is given the background
  // a repaint draws (frame and text included) before the pieces are started on it,
  // so that each piece stores true pixels under itself. Otherwise a stored
  // background may be stale: the whole picture was started while the page was
  // hidden, pieces dragged outside a game may stand anywhere, and the upper start
  // places reach into the frame; the stale pixels would show once a piece moves.
  for (TSprite* sprite : Sprites) sprite->SetVisible(false);
  PaintSurfaceBackground(Sprites1);
  for (int i = 0; i < JigsawPieces; ++i) {
    TSprite* piece = Sprites1->GetSprite(i);
    TPoint start = Jigsaw.Start(i);
    piece->SetLeft(start.X);
    piece->SetTop(start.Y);
    piece->SetVisible(true);
  }
  Sprites1->Invalidate();
  PlacedCount = Jigsaw.PlacedCount();
  New3Btn->SetState(fbsDisabled);
  Training3Sheet->SetShowHint(false);
  ActiveGame = 3;
  ResetIdlePrompt();
}

// The pointer's position is taken from the drag's own events, not by asking the
// desktop for it: on some desktops (X11 with synthetic input) that answer lags
// behind the events, and a piece would be picked or moved at a stale place. The
// toolkit follows the start of a drag at once with a move over the surface at the
// press point, and the pick-up is made there.
void TMainForm::Sprites1StartDrag(TObject*, TDragObject*&) {
  DraggedIndex = -1;
  PickUpPending = New3Btn->State() == fbsDisabled;  // only while a game runs
  if (PickUpPending) ResetIdlePrompt();
}

void TMainForm::Sprites1DragOver(TObject*, TObject*, int x, int y, TDragState, bool& accept) {
  if (PickUpPending) {
    PickUpPending = false;
    Sprites1->SpriteMouseDown(Sprites1, mbLeft, 0, x, y);
    DraggedIndex = Sprites1->SelIndex();
    Jigsaw.PickUp(DraggedIndex);
    PlacedCount = Jigsaw.PlacedCount();
  }
  Sprites1->SpriteMouseMove(Sprites1, 0, x, y);
  accept = true;
}

void TMainForm::Sprites1EndDrag(TObject*, TObject*, int x, int y) {
  PickUpPending = false;
  Sprites1->SpriteMouseUp(Sprites1, mbLeft, 0, x, y);
  if (DraggedIndex < 0) return;
  TSprite* piece = Sprites1->GetSprite(DraggedIndex);
  const TJigsawDrop drop = Jigsaw.Drop(DraggedIndex, {piece->Left(), piece->Top()});
  PlacedCount = Jigsaw.PlacedCount();
  piece->MoveTo(Sprites1->Canvas(), drop.To.X, drop.To.Y);
  PlaySoundResource(drop.Snapped ? "ok" : "oh");
  if (drop.Complete) FinishPuzzle();
}

void TMainForm::Sprites1Paint(TObject*) {
  PaintSurfaceBackground(Sprites1);
}

void TMainForm::Timer3Timer(TObject*) {
  FrameColour = NextFrameColour(FrameColour);
  TCanvas& canvas = Sprites1->Canvas();
  canvas.Brush().Color = FrameColour;
  canvas.Brush().Style = bsSolid;
  canvas.FillRect({BandRect.Left, BandRect.Top, BandRect.Right, FrameRect.Top});
  canvas.FillRect({BandRect.Left, FrameRect.Bottom, BandRect.Right, BandRect.Bottom});
  canvas.FillRect({BandRect.Left, FrameRect.Top, FrameRect.Left, FrameRect.Bottom});
  canvas.FillRect({FrameRect.Right, FrameRect.Top, BandRect.Right, FrameRect.Bottom});
}

void TMainForm::FinishPuzzle() {
  for (int i = 0; i < JigsawPieces; ++i) Sprites1->GetSprite(i)->SetVisible(false);
  Sprites[9]->SetVisible(true);
  Sprites1->SetDragMode(dmManual);
  Timer3->SetEnabled(true);
  PlaySoundResource("complete");
  New3Btn->SetState(fbsMouseOut);
  ActiveGame = 0;
  Training3Sheet->SetShowHint(true);
}

void TMainForm::Training3SheetHide(TObject*) {
  FinishPuzzle();
}

void TMainForm::Training3SheetMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
  ImageMouseDown(sender, button, shift, x, y);
  ResetIdlePrompt();
}
