#include "controls/TAnimatedLabel.h"

#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TTimer.h"

TAnimatedLabel::TAnimatedLabel(TComponent* owner) : TLabel(owner) {
  FTimer = new TTimer(this);
  FTimer->Tag = 0;
  FTimer->OnTimer = [this](TObject* sender) { OnTimer(sender); };
  FTimer->SetEnabled(true);
  FTimer->SetInterval(100);
}

TAnimatedLabel::~TAnimatedLabel() {
  if (FTimer) {
    TTimer* timer = FTimer;
    FTimer = nullptr;
    timer->Free();
  }
}

void TAnimatedLabel::SetAnimationType(TAnimationType type) {
  if (type == FAnimationType) return;
  FAnimationType = type;
  Invalidate();
}

int TAnimatedLabel::GetInterval() const {
  return FTimer ? int(FTimer->Interval()) : 0;
}

void TAnimatedLabel::SetInterval(int interval) {
  if (FTimer) FTimer->SetInterval(uint32_t(interval < 0 ? 0 : interval));
}

int32_t TAnimatedLabel::Frame() const {
  return FTimer ? int32_t(FTimer->Tag) : 0;
}

void TAnimatedLabel::SetFrame(int32_t frame) {
  if (FTimer) FTimer->Tag = frame;
}

void TAnimatedLabel::OnTimer(TObject*) {
  Invalidate();
  // The counter wraps like the 32-bit integer it is.
  SetFrame(int32_t(uint32_t(Frame()) + 1u));
}

void TAnimatedLabel::Notification(TComponent* component, TOperation operation) {
  TLabel::Notification(component, operation);
  if (operation == opRemove && component == FTimer) FTimer = nullptr;
}

int TAnimatedLabel::FlyX(int32_t frame) const {
  const int w = Width();
  if (w <= 0) return 0;
  return w - 2 * (frame % w);
}

TColor TAnimatedLabel::FadeBackground() const {
  // The label's colour is meant to be a system colour such as clBtnFace; a plain
  // colour is taken as it is rather than as a system colour index.
  if (Color() == 0) return clBlack;
  return ColorToRGB(Color());
}

TColor TAnimatedLabel::FadeColor(int32_t frame) const {
  const uint32_t font = uint32_t(ColorToRGB(Font().Color()));
  const uint32_t back = uint32_t(FadeBackground());
  const int p = frame % 10;
  const bool fadingIn = (frame / 10) % 2 == 0;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int f = int((font >> shift) & 0xFF), b = int((back >> shift) & 0xFF);
    const int c = fadingIn ? b + (f - b) * p / 9 : f + (b - f) * p / 9;
    result |= uint32_t(c & 0xFF) << shift;
  }
  return TColor(result);
}

void TAnimatedLabel::Paint() {
  const int32_t f = Frame();
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  auto fillButtonFace = [&] {
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = ColorToRGB(clBtnFace);
    canvas.FillRect(client);
  };
  switch (FAnimationType) {
    case atNone:
      TLabel::Paint();
      break;
    case atFlash:
      if ((f / 10) % 2 != 0)
        TLabel::Paint();
      else
        fillButtonFace();
      break;
    case atFly:
      fillButtonFace();
      if (client.Width() > 0) {
        canvas.Font().Assign(&Font());
        canvas.TextOut(FlyX(f), 0, Caption());
      }
      break;
    case atFade:
      canvas.Font().Assign(&Font());
      canvas.Font().SetColor(FadeColor(f));
      canvas.Brush().Style = bsSolid;
      canvas.Brush().Color = ColorToRGB(clBtnFace);
      canvas.TextOut(0, 0, Caption());
      break;
  }
}
