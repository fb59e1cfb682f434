#include "toolkit/forms/THintController.h"

#include <algorithm>

#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/TBitmap.h"

namespace {

constexpr int MaxHintWidth = 300;
constexpr int PointerHeight = 21;  // the hint sits below the pointer's picture

}  // namespace

THintController::THintController()
    : FShowTimer(std::make_unique<TTimer>(nullptr)), FHideTimer(std::make_unique<TTimer>(nullptr)) {
  FShowTimer->SetEnabled(false);
  FHideTimer->SetEnabled(false);
  FShowTimer->OnTimer = [this](TObject*) { Show(); };
  FHideTimer->OnTimer = [this](TObject*) { Hide(); };
}

THintController::~THintController() = default;

std::string THintController::HintOf(const TControl* control) {
  if (!control || !control->ShowHint()) return "";
  return control->Hint;
}

void THintController::Update(TForm* form) {
  const TControl* control = form ? form->MouseControl() : nullptr;
  if (form == FForm && control == FControl) return;
  Hide();
  FForm = form;
  FControl = control;
  FShowTimer->SetEnabled(false);
  if (!HintOf(control).empty()) {
    FShowTimer->SetInterval(HintPause);
    FShowTimer->SetEnabled(true);
  }
}

void THintController::Cancel() {
  FShowTimer->SetEnabled(false);
  Hide();
}

void THintController::Show() {
  FShowTimer->SetEnabled(false);
  // The control may have gone or the pointer moved on since the delay began.
  if (!FForm || !FForm->HasWindow() || FForm->MouseControl() != FControl) return;
  FText = HintOf(FControl);
  if (FText.empty()) return;
  const int width = FForm->ClientWidth(), height = FForm->ClientHeight();
  platform::TPImage image = Render(FText, width, height);
  const TPoint at = Place({image.Width, image.Height}, FForm->ScreenToClient(Screen->CursorPos()), width, height);
  platform::Backend().Display().SetOverlay(&image, at.X, at.Y);
  FShowing = true;
  FHideTimer->SetInterval(HintHidePause);
  FHideTimer->SetEnabled(false);
  FHideTimer->SetEnabled(true);
}

void THintController::Hide() {
  FHideTimer->SetEnabled(false);
  if (!FShowing) return;
  FShowing = false;
  FText.clear();
  if (platform::HasBackend()) platform::Backend().Display().SetOverlay(nullptr, 0, 0);
}

TPoint THintController::Place(TPoint size, TPoint pointer, int width, int height) {
  // The pointer may already be outside the window when the pause ends.
  pointer.X = std::clamp(pointer.X, 0, std::max(0, width - 1));
  pointer.Y = std::clamp(pointer.Y, 0, std::max(0, height - 1));
  int y = pointer.Y + PointerHeight;
  if (y + size.Y > height) y = pointer.Y - size.Y - 2;
  return {std::clamp(pointer.X, 0, std::max(0, width - size.X)), std::clamp(y, 0, std::max(0, height - size.Y))};
}

platform::TPImage THintController::Render(const std::string& text, int maxWidth, int maxHeight) {
  TBitmap bitmap;
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Tahoma");
  canvas.Font().SetHeight(-11);
  canvas.Font().SetColor(clInfoText);
  // The text wraps within the narrower of the usual width and the window; a text still
  // too tall is cut at the window's height, frame included.
  TRect r{0, 0, std::max(1, std::min(MaxHintWidth, maxWidth - 8)), 0};
  canvas.DrawText(text, r, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
  bitmap.SetSize(std::min(r.Width() + 8, maxWidth), std::min(r.Height() + 4, maxHeight));
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = clInfoBk;
  canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
  canvas.Brush().Color = clBlack;
  canvas.FrameRect({0, 0, bitmap.Width(), bitmap.Height()});
  canvas.Brush().Style = bsClear;
  TRect textRect{4, 2, bitmap.Width() - 4, bitmap.Height() - 2};
  canvas.DrawText(text, textRect, DT_WORDBREAK | DT_NOPREFIX);

  platform::TPImage image;
  image.Width = bitmap.Width();
  image.Height = bitmap.Height();
  image.Pixels.reserve(size_t(image.Width) * size_t(image.Height));
  for (int y = 0; y < image.Height; ++y) {
    const uint32_t* row = bitmap.Surface().Row(y);
    image.Pixels.insert(image.Pixels.end(), row, row + image.Width);
  }
  return image;
}
