#pragma once

// The registry calls of platform/Registry.h answered by the Windows registry itself.
// Names and text values are Windows-1252 in the program and UTF-16 in the system: the
// calls convert in both directions, so a REG_SZ value's size is counted in 8-bit
// characters here, including its terminating zero.
//
// HKEY_CURRENT_USER\Control Panel\Mouse\SwapMouseButtons, when the registry has no such
// value, is answered from the system's own setting (GetSystemMetrics) as "1" or "0".

#include <memory>
#include <string>

#include "platform/DesktopMouseSetting.h"
#include "platform/Registry.h"

namespace platform {

// Replaces where the SwapMouseButtons answer comes from (tests fake the desktop);
// null restores the system's setting.
void SetDesktopMouseSetting(std::unique_ptr<TDesktopMouseSetting> source);

// Deletes a key with everything below it; ERROR_FILE_NOT_FOUND when it does not exist.
LONG RegDeleteTree(HKEY key, const std::string& subKey);

}  // namespace platform
