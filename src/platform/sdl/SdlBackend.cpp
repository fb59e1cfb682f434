// The SDL backend: a real window, the system clock, sound, the desktop's URL
// handler and message boxes.

#include <SDL.h>

#include <cstdio>

#include "platform/Cp1252.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlDisplay.h"

namespace platform {

namespace {

class TSdlClock : public IClock {
public:
  // SDL's tick count, which also stamps SDL's events.
  uint32_t TickCount() const override { return SDL_GetTicks(); }
};

class TSdlShell : public IShell {
public:
  bool OpenURL(const std::string& url) override { return SDL_OpenURL(Cp1252ToUtf8(url).c_str()) == 0; }
};

class TSdlDialogs : public IDialogs {
public:
  explicit TSdlDialogs(const TSdlDisplay& display) : FDisplay(display) {}

  void MessageBox(const std::string& text, const std::string& caption, TPMessageIcon icon) override {
    uint32_t flags = 0;
    if (icon == TPMessageIcon::Error) flags = SDL_MESSAGEBOX_ERROR;
    if (icon == TPMessageIcon::Warning) flags = SDL_MESSAGEBOX_WARNING;
    if (icon == TPMessageIcon::Information || icon == TPMessageIcon::Question) flags = SDL_MESSAGEBOX_INFORMATION;
    // A pointer grab held for a drag would keep the user from reaching the box.
    SDL_CaptureMouse(SDL_FALSE);
    const std::string utf8Caption = Cp1252ToUtf8(caption), utf8Text = Cp1252ToUtf8(text);
    if (SDL_ShowSimpleMessageBox(flags, utf8Caption.c_str(), utf8Text.c_str(), FDisplay.Window()) != 0)
      // No way to show a box (no display): the message must not be lost.
      std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  }

private:
  const TSdlDisplay& FDisplay;
};

// Shuts SDL down completely once every service has released its part (on X11 the
// process end does it: see LeaveX11ToProcessEnd).
class TSdlSession {
public:
  ~TSdlSession() {
    if (!LeaveX11ToProcessEnd()) SDL_Quit();
  }
};

class TSdlBackend : public IBackend {
public:
  TSdlBackend() : FDialogs(FDisplay) {}

  IDisplay& Display() override { return FDisplay; }
  IClock& Clock() override { return FClock; }
  IAudio& Audio() override { return FAudio; }
  IShell& Shell() override { return FShell; }
  IDialogs& Dialogs() override { return FDialogs; }

private:
  TSdlSession FSession;  // first, so it is destroyed last
  TSdlDisplay FDisplay;
  TSdlClock FClock;
  TSdlAudio FAudio;
  TSdlShell FShell;
  TSdlDialogs FDialogs;
};

}  // namespace

std::unique_ptr<IBackend> CreateSdlBackend() {
  return std::make_unique<TSdlBackend>();
}

}  // namespace platform
