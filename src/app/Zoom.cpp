// The window's zoom: the form always draws at its own size, the display shows it
// enlarged. The factor is chosen from the desktop at first start, changed with
// Ctrl+Plus, Ctrl+Minus and Ctrl+0 and remembered beside the language; F11 shows
// the window full screen.

#include <algorithm>
#include <cmath>

#include "app/TMainForm.h"
#include "platform/Platform.h"
#include "platform/ZoomView.h"
#include "storage/TJSetting.h"

namespace {

// Virtual keys of the zoom commands.
constexpr uint16_t VK_ADD = 107, VK_SUBTRACT = 109, VK_NUMPAD0 = 96, VK_F11 = 122;
constexpr uint16_t VK_OEM_PLUS = 187, VK_OEM_MINUS = 189;

// The keys step through the whole factors 1, 2, 3, whose enlarged pixels are all
// alike; a factor in between (from the desktop or the registry) goes to its neighbours.
constexpr double ZoomStep = 1;

platform::IDisplay& Display() {
  return platform::Backend().Display();
}

}  // namespace

void TMainForm::ApplyStartZoom() {
  ZoomSetting = new TJSetting(this);
  ZoomSetting->GetStorage()->SetRegistryRootKey(LanguageSetting->GetStorage()->GetRegistryRootKey());
  ZoomSetting->GetStorage()->SetKey(LanguageSetting->GetStorage()->GetKey());
  ZoomSetting->SetKeyName("Zoom");
  OnKeyDown = [this](TObject* sender, uint16_t& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
  if (!platform::HasBackend()) return;
  double factor = platform::ParseZoom(ZoomSetting->GetValue());
  if (factor == 0) factor = Display().SuggestedZoom(ClientWidth(), ClientHeight());
  Display().SetBackdrop(ColorToPixel(ColorToRGB(Color())));
  Display().SetZoom(factor);
}

void TMainForm::ChangeZoom(double factor) {
  factor = std::clamp(factor, platform::MinZoom, platform::MaxZoom);
  Display().SetFullScreen(false);
  Display().SetZoom(factor);
  ZoomSetting->SetValue(platform::FormatZoom(factor));
}

void TMainForm::FormKeyDown(TObject*, uint16_t& key, TShiftState shift) {
  if (key == VK_F11 && !(shift & (ssCtrl | ssAlt))) {
    Display().SetFullScreen(!Display().FullScreen());
    key = 0;
    return;
  }
  if ((shift & (ssCtrl | ssAlt)) != ssCtrl) return;
  const double now = Display().Zoom();
  if (key == VK_OEM_PLUS || key == VK_ADD)
    ChangeZoom(std::floor(now / ZoomStep + 1e-9) * ZoomStep + ZoomStep);
  else if (key == VK_OEM_MINUS || key == VK_SUBTRACT)
    ChangeZoom(std::ceil(now / ZoomStep - 1e-9) * ZoomStep - ZoomStep);
  else if (key == '0' || key == VK_NUMPAD0)
    ChangeZoom(platform::MinZoom);
  else
    return;
  key = 0;
  ResetIdlePrompt();
}
