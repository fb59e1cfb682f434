#pragma once

// The desktop's mouse settings (left-handed buttons, double-click time), read inside
// the process from the places the desktop publishes them: the X server (pointer
// mapping, XSETTINGS manager) and the Settings portal on the session bus. Every read is
// bounded to a few milliseconds; a source that does not answer in time is skipped.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What one source knows; either part may be unknown.
struct TDesktopMouseAnswer {
  std::optional<bool> LeftHanded;
  std::optional<uint32_t> DoubleClickMs;
  // The desktop's font resolution (X resource Xft.dpi), which X desktops scale by.
  std::optional<double> FontDpi;
};

// One place the desktop publishes its mouse settings.
class TDesktopMouseSource {
public:
  virtual ~TDesktopMouseSource() = default;
  // Asks the source, returning within about `budget` whatever it answered by then.
  virtual TDesktopMouseAnswer Read(std::chrono::milliseconds budget) = 0;
};

// The X server named by `display`: the core pointer mapping and the XSETTINGS
// manager of the default screen.
std::unique_ptr<TDesktopMouseSource> CreateX11MouseSource(std::string display);
// org.freedesktop.portal.Settings on the bus at `busAddress` (a D-Bus address).
// The portal is never started on demand: only a running one is asked.
std::unique_ptr<TDesktopMouseSource> CreatePortalMouseSource(std::string busAddress);

// The sources that apply to this session: X11 when DISPLAY is set and SDL is not told
// to use Wayland, the portal when a session bus exists.
std::vector<std::unique_ptr<TDesktopMouseSource>> SessionMouseSources();

// The value of "Net/DoubleClickTime" in an XSETTINGS property (the binary format of
// the _XSETTINGS_SETTINGS property), or nothing when the blob is malformed, lacks the
// setting, or holds a time outside 100..5000 ms.
std::optional<uint32_t> XSettingsDoubleClickTime(std::string_view blob);
// The value of "Xft.dpi" in the X resources text (the root window's RESOURCE_MANAGER
// property), or nothing when absent or outside 48..960.
std::optional<double> XResourcesFontDpi(std::string_view resources);
// Whether a core pointer mapping (logical button of physical buttons 1, 2, ...) has
// the left and right buttons swapped; nothing for an empty mapping.
std::optional<bool> PointerMappingSwapped(const uint8_t* map, size_t count);
// A double-click time from the portal's "double-click" value, in range 100..5000 ms.
std::optional<uint32_t> PlausibleDoubleClickTime(int64_t ms);

// Left-handed when any source says so, right-handed when at least one answered; the
// double-click time of the first source that knows it.
TDesktopMouseAnswer CombineMouseAnswers(const std::vector<TDesktopMouseAnswer>& answers);

// Asks its sources at most once per `lifetime` and remembers the combined answer, so
// that repeated questions cost nothing and a changed desktop setting is still seen.
class TDesktopMouseReader {
public:
  TDesktopMouseReader(std::vector<std::unique_ptr<TDesktopMouseSource>> sources, std::chrono::milliseconds budget,
                      std::chrono::milliseconds lifetime);
  TDesktopMouseAnswer Current();

private:
  std::mutex FMutex;
  std::vector<std::unique_ptr<TDesktopMouseSource>> FSources;
  std::chrono::milliseconds FBudget, FLifetime;
  std::optional<std::chrono::steady_clock::time_point> FAskedAt;
  TDesktopMouseAnswer FAnswer;
};

// The program's reader of this session's sources (created on first use).
TDesktopMouseAnswer DesktopMouseSettings();

// The session bus address libdbus would use, without ever starting a bus: the
// DBUS_SESSION_BUS_ADDRESS entries that name sockets, else $XDG_RUNTIME_DIR/bus when
// that socket exists, else empty.
std::string SessionBusAddress();
// Makes sure nothing in the process starts a session bus of its own (libdbus would run
// dbus-launch when no bus is known): with no session bus, the address is set to one
// that fails at once. Call before any library connects to the bus.
void PreventSessionBusAutolaunch();

}  // namespace platform
