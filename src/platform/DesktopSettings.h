#pragma once

// What the desktop says about the user's mouse, answered by the operating system's
// platform library (the X server and the Settings portal on Linux, the system on
// Windows).

#include <cstdint>
#include <optional>

namespace platform {

// Prepares the process's connections to the desktop before any library makes them
// (on Linux: nothing in the process may start a session bus of its own).
void PrepareDesktopSession();

// The desktop's double-click time in milliseconds, or nothing when no source
// answered within a few milliseconds.
std::optional<uint32_t> DesktopDoubleClickTime();

// The desktop's font resolution in dots per inch (X desktops scale by it), or nothing.
std::optional<double> DesktopFontDpi();

}  // namespace platform
