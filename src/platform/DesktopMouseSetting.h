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

// The desktop's own setting, read in the process (see DesktopMouse.h): the X server's
// pointer button mapping and the Settings portal's left-handed key.
std::unique_ptr<TDesktopMouseSetting> CreateDesktopMouseSetting();

}  // namespace platform
