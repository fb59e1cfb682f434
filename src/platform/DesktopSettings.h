#pragma once

// What the desktop says about the user's mouse, answered by the operating system's
// platform library (the X server and the Settings portal on Linux, the system on
// Windows).

#include <cstdint>
#include <optional>

namespace platform {

// The desktop's double-click time in milliseconds, or nothing when no source
// answered within a few milliseconds.
std::optional<uint32_t> DesktopDoubleClickTime();

// The desktop's font resolution in dots per inch (X desktops scale by it), or nothing.
std::optional<double> DesktopFontDpi();

}  // namespace platform
