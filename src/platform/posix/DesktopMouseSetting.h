#pragma once

// Where the file-backed registry learns whether the user swapped the mouse buttons.
// Windows keeps that in HKEY_CURRENT_USER\Control Panel\Mouse\SwapMouseButtons; Linux
// desktops keep it in their own settings.

#include <memory>
#include <optional>

namespace platform {

class TDesktopMouseSetting {
public:
  virtual ~TDesktopMouseSetting() = default;
  // True for a left-handed (swapped) pointer, false for the usual one, nothing when the
  // desktop's setting cannot be read.
  virtual std::optional<bool> LeftHanded() = 0;
};

// The desktop's own setting: GNOME's org.gnome.desktop.peripherals.mouse left-handed
// (through gsettings) and the X server's pointer button mapping (through xmodmap).
std::unique_ptr<TDesktopMouseSetting> CreateDesktopMouseSetting();

}  // namespace platform
