#include "platform/DesktopSettings.h"

#include <windows.h>

#include "platform/win32/SystemRegistry.h"

namespace platform {

void PrepareDesktopSession() {}

std::optional<uint32_t> DesktopDoubleClickTime() {
  const uint32_t ms = win32::SystemDoubleClickTime();
  if (ms == 0) return std::nullopt;
  return ms;
}

std::optional<double> DesktopFontDpi() {
  // The screen's resolution as this per-monitor aware program sees it (96 is 100 %).
  HDC screen = GetDC(nullptr);
  if (!screen) return std::nullopt;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi < 48 || dpi > 960) return std::nullopt;
  return double(dpi);
}

}  // namespace platform
