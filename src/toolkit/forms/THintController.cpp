#include "toolkit/forms/THintController.h"

#include <algorithm>

#include "toolkit/graphics/TBitmap.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/forms/TTimer.h"

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
  platform::TPImage image = Render(FText);
  TPoint p = FForm->ScreenToClient(Screen->CursorPos());
  const int width = FForm->ClientWidth(), height = FForm->ClientHeight();
  int x = std::clamp(p.X, 0, std::max(0, width - image.Width));
  int y = p.Y + PointerHeight;
  if (y + image.Height > height) y = std::max(0, p.Y - image.Height - 2);
  platform::Backend().Display().SetOverlay(&image, x, y);
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

platform::TPImage THintController::Render(const std::string& text) {
  TBitmap bitmap;
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Tahoma");
  canvas.Font().SetHeight(-11);
  canvas.Font().SetColor(clInfoText);
  TRect r{0, 0, MaxHintWidth, 0};
  canvas.DrawText(text, r, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
  bitmap.SetSize(r.Width() + 8, r.Height() + 4);
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
