#include "platform/sdl/SdlDisplay.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Cp1252.h"
#include "platform/DesktopSettings.h"
#include "platform/sdl/SdlKeys.h"

namespace platform {

namespace {

constexpr uint32_t DefaultDoubleClickTime = 500;

uint32_t ButtonBit(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return psLeft;
    case SDL_BUTTON_RIGHT:
      return psRight;
    case SDL_BUTTON_MIDDLE:
      return psMiddle;
    default:
      return 0;
  }
}

uint32_t ButtonBits(uint32_t sdlState) {
  uint32_t bits = 0;
  if (sdlState & SDL_BUTTON_LMASK) bits |= psLeft;
  if (sdlState & SDL_BUTTON_RMASK) bits |= psRight;
  if (sdlState & SDL_BUTTON_MMASK) bits |= psMiddle;
  return bits;
}

TPButton ButtonFor(uint8_t sdlButton) {
  return sdlButton == SDL_BUTTON_RIGHT    ? TPButton::Right
         : sdlButton == SDL_BUTTON_MIDDLE ? TPButton::Middle
                                          : TPButton::Left;
}

constexpr const char* NoDisplayMessage =
    "No display was found: neither an X server nor a Wayland compositor is reachable (DISPLAY, WAYLAND_DISPLAY)";

bool UserChoseVideoDriver() {
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  return chosen && *chosen;
}

// Whether the environment names a desktop to connect to: an X display, a Wayland
// socket, or the default Wayland socket in the runtime folder.
bool DesktopAnnounced() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return false;
  struct stat info {};
  return ::stat((std::string(runtime) + "/wayland-0").c_str(), &info) == 0;
}

// SDL's drivers that draw into memory only.
bool IsInvisibleVideoDriver(const char* name) {
  return name && (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0);
}

// SDL's window position is that of the client area; ours is that of the frame.
void FrameOffsets(SDL_Window* window, int& left, int& top) {
  int bottom = 0, right = 0;
  left = top = 0;
  if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) left = top = 0;
}

}  // namespace

bool LeaveX11ToProcessEnd() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "x11") == 0;
}

TSdlDisplay::~TSdlDisplay() {
  Close();
  if (LeaveX11ToProcessEnd()) return;
  for (SDL_Window* window : FClosedWindows) SDL_DestroyWindow(window);
  FClosedWindows.clear();
  FCursors.Clear();
  if (FVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool TSdlDisplay::Open(const TPWindowOptions& options) {
  Close();
  if (options.ClientWidth <= 0 || options.ClientHeight <= 0) return false;
  // A software framebuffer through the window surface: no GPU context, which would
  // cost a hundred megabytes and a slow first frame.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  // Closing the window is an event for the program, not a quit request.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // An ordinary desktop window: leave the compositor alone, and let a click that
  // activates the window also reach it.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  FOpenError.clear();
  if (!StartVideo()) return false;
  // SDL's Wayland driver has no window framebuffer of its own: there the window
  // surface is a texture of an OpenGL ES renderer, or there is none at all.
  if (const char* driver = SDL_GetCurrentVideoDriver(); driver && std::strcmp(driver, "wayland") == 0)
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1");
  uint32_t flags = SDL_WINDOW_HIDDEN;
  if (options.StayOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  if (options.Resizable) flags |= SDL_WINDOW_RESIZABLE;
  const int position = options.Centred ? SDL_WINDOWPOS_CENTERED : SDL_WINDOWPOS_UNDEFINED;
  FCaption = options.Caption;
  FWindow =
      SDL_CreateWindow(Cp1252ToUtf8(FCaption).c_str(), position, position, ZoomedLength(options.ClientWidth, FZoom),
                       ZoomedLength(options.ClientHeight, FZoom), flags);
  if (!FWindow) {
    FOpenError = std::string("Cannot create the window: ") + SDL_GetError();
    return false;
  }
  FWidth = options.ClientWidth;
  FHeight = options.ClientHeight;
  FPixels.assign(size_t(FWidth) * FHeight, 0);
  FView.SetSource(FPixels.data(), FWidth, FHeight);
  FView.SetGeometry(FZoom, 0, 0);
  FSurface = nullptr;
  FFullScreen = false;
  FButtons = 0;
  FPending.clear();
  ApplyIcon();
  SetCursor(FCursorShape, FCursorImage ? &*FCursorImage : nullptr);
  return true;
}

void TSdlDisplay::Show() {
  if (!FWindow) return;
  SDL_ShowWindow(FWindow);
  FShown = true;
}

void TSdlDisplay::Close() {
  if (!FWindow) return;
  SDL_CaptureMouse(SDL_FALSE);
  // The window is hidden now and destroyed only when the display goes: SDL may still
  // address it (a wake-up sent to the window it last waited on) until video shuts down,
  // and a request to a destroyed X window ends the process.
  if (FFullScreen) SDL_SetWindowFullscreen(FWindow, 0);
  SDL_HideWindow(FWindow);
  FClosedWindows.push_back(FWindow);
  FWindow = nullptr;
  FSurface = nullptr;
  FShown = false;
  FFullScreen = false;
}

void TSdlDisplay::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FWindow) SDL_SetWindowTitle(FWindow, Cp1252ToUtf8(caption).c_str());
}

void TSdlDisplay::SetIcons(const std::vector<TPImage>& icons) {
  FIcons = icons;
  ApplyIcon();
}

void TSdlDisplay::ApplyIcon() {
  // SDL takes one image; the largest scales down best wherever the desktop shows it.
  const TPImage* best = nullptr;
  for (const TPImage& icon : FIcons)
    if (icon.Width > 0 && icon.Height > 0 && icon.Pixels.size() == size_t(icon.Width) * icon.Height &&
        (!best || icon.Width * icon.Height > best->Width * best->Height))
      best = &icon;
  if (!FWindow || !best) return;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(best->Pixels.data()), best->Width, best->Height, 32,
                                         best->Width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return;
  SDL_SetWindowIcon(FWindow, surface);
  SDL_FreeSurface(surface);
}

void TSdlDisplay::GetWindowPos(int& x, int& y) const {
  x = y = 0;
  if (!FWindow) return;
  int left = 0, top = 0;
  SDL_GetWindowPosition(FWindow, &x, &y);
  FrameOffsets(FWindow, left, top);
  x -= left;
  y -= top;
}

void TSdlDisplay::SetWindowPos(int x, int y) {
  if (!FWindow) return;
  if (FFullScreen) {
    // The window goes there when it leaves full screen.
    FWindowedX = x;
    FWindowedY = y;
    return;
  }
  int left = 0, top = 0;
  FrameOffsets(FWindow, left, top);
  SDL_SetWindowPosition(FWindow, x + left, y + top);
}

void TSdlDisplay::Present(const std::vector<TPRect>& rects) {
  if (!FWindow) return;
  SDL_Surface* surface = SDL_GetWindowSurface(FWindow);
  if (!surface) return;
  const bool fresh = surface != FSurface || surface->w != FSurfaceWidth || surface->h != FSurfaceHeight;
  if (fresh) {
    // A new surface (first frame, new size, full screen): lay the view out for it.
    FSurface = surface;
    FSurfaceWidth = surface->w;
    FSurfaceHeight = surface->h;
    const double factor = FFullScreen ? FitZoom(FWidth, FHeight, surface->w, surface->h) : FZoom;
    const bool cursorChanges = factor != FView.Factor();
    FView.SetGeometry(factor, surface->w, surface->h);
    if (cursorChanges) ApplyCursor();
  }
  // Straight into the surface when it is 32-bit XRGB of the view's size, as on every
  // common desktop; through a scratch image and SDL's conversion otherwise.
  const bool direct = surface->format->format == SDL_PIXELFORMAT_RGB888 && surface->pitch % 4 == 0 &&
                      surface->w == FView.OutputWidth() && surface->h == FView.OutputHeight();
  uint32_t* target = nullptr;
  int stride = FView.OutputWidth();
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  if (direct) {
    target = static_cast<uint32_t*>(surface->pixels);
    stride = surface->pitch / 4;
  } else {
    FScratch.resize(size_t(FView.OutputWidth()) * FView.OutputHeight());
    target = FScratch.data();
  }
  std::vector<TPRect> changed;
  if (fresh)
    changed.push_back(FView.RenderAll(target, stride));
  else
    changed = FView.Render(rects, target, stride);
  std::vector<SDL_Rect> areas;
  areas.reserve(changed.size());
  for (const TPRect& rect : changed) {
    const int left = std::max(rect.Left, 0), top = std::max(rect.Top, 0);
    const int right = std::min(rect.Right, surface->w), bottom = std::min(rect.Bottom, surface->h);
    if (left >= right || top >= bottom) continue;
    if (!direct)
      SDL_ConvertPixels(right - left, bottom - top, SDL_PIXELFORMAT_RGB888,
                        FScratch.data() + size_t(top) * stride + left, stride * 4, surface->format->format,
                        static_cast<uint8_t*>(surface->pixels) + size_t(top) * surface->pitch +
                            size_t(left) * surface->format->BytesPerPixel,
                        surface->pitch);
    areas.push_back({left, top, right - left, bottom - top});
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (!areas.empty()) SDL_UpdateWindowSurfaceRects(FWindow, areas.data(), int(areas.size()));
  if (FShown && !areas.empty()) ReportFirstFrame();
}

void TSdlDisplay::PresentAll() {
  FSurface = nullptr;
  Present({});
}

void TSdlDisplay::SetOverlay(const TPImage* image, int x, int y) {
  Present(FView.SetOverlay(image, x, y));
}

void TSdlDisplay::SetZoom(double factor) {
  factor = std::clamp(factor, MinZoom, MaxZoom);
  if (factor == FZoom) return;
  FZoom = factor;
  if (!FWindow || FFullScreen) return;
  // The window grows or shrinks about its centre.
  int x = 0, y = 0, width = 0, height = 0;
  SDL_GetWindowPosition(FWindow, &x, &y);
  SDL_GetWindowSize(FWindow, &width, &height);
  const int newWidth = ZoomedLength(FWidth, factor), newHeight = ZoomedLength(FHeight, factor);
  SDL_SetWindowSize(FWindow, newWidth, newHeight);
  SDL_SetWindowPosition(FWindow, x + (width - newWidth) / 2, y + (height - newHeight) / 2);
  PresentAll();
}

void TSdlDisplay::SetFullScreen(bool fullScreen) {
  if (!FWindow || fullScreen == FFullScreen) return;
  if (fullScreen) {
    GetWindowPos(FWindowedX, FWindowedY);
    if (SDL_SetWindowFullscreen(FWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
    FFullScreen = true;
  } else {
    SDL_SetWindowFullscreen(FWindow, 0);
    FFullScreen = false;
    SDL_SetWindowSize(FWindow, ZoomedLength(FWidth, FZoom), ZoomedLength(FHeight, FZoom));
    SetWindowPos(FWindowedX, FWindowedY);
  }
  PresentAll();
}

void TSdlDisplay::SetBackdrop(uint32_t color) {
  if (color == FView.Backdrop()) return;
  FView.SetBackdrop(color);
  if (FFullScreen) PresentAll();
}

bool TSdlDisplay::StartVideo() {
  if (FVideo) return true;
  if (!UserChoseVideoDriver() && !DesktopAnnounced()) {
    // Asking SDL would only try each desktop driver in turn, with their complaints.
    FOpenError = NoDisplayMessage;
    return false;
  }
  int started;
  {
    TEmptyComposeTable noComposeTable;  // SDL opens the X input method here
    started = SDL_InitSubSystem(SDL_INIT_VIDEO);
  }
  if (started != 0) {
    FOpenError = std::string("Cannot start the display: ") + SDL_GetError();
    return false;
  }
  // With no X server or Wayland compositor reachable SDL falls back to a driver
  // that shows nothing, and the program would run on unseen. Only a user who asks
  // for such a driver by name gets it.
  if (!UserChoseVideoDriver() && IsInvisibleVideoDriver(SDL_GetCurrentVideoDriver())) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    FOpenError = NoDisplayMessage;
    return false;
  }
  FVideo = true;
  return true;
}

double TSdlDisplay::SuggestedZoom(int width, int height) {
  if (!StartVideo()) return MinZoom;
  const int index = FWindow ? std::max(SDL_GetWindowDisplayIndex(FWindow), 0) : 0;
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(index, &usable) != 0 && SDL_GetDisplayBounds(index, &usable) != 0) return MinZoom;
  return ChooseZoom(width, height, usable.w, usable.h, DesktopScale());
}

double TSdlDisplay::DesktopScale() const {
  // GTK's integer scale, set by GNOME and by users of other desktops alike.
  if (const char* gdk = std::getenv("GDK_SCALE")) {
    const long scale = std::strtol(gdk, nullptr, 10);
    if (scale >= 1 && scale <= 8) return double(scale);
  }
  if (const auto dpi = DesktopFontDpi()) return *dpi / 96;
  float ddpi = 0;
  const int index = FWindow ? std::max(SDL_GetWindowDisplayIndex(FWindow), 0) : 0;
  if (SDL_GetDisplayDPI(index, &ddpi, nullptr, nullptr) == 0 && ddpi >= 48 && ddpi <= 960) return ddpi / 96;
  return 1;
}

void TSdlDisplay::ReportFirstFrame() {
  if (FFrameReported) return;
  FFrameReported = true;
  // End-to-end tests wait for this line before they look at the screen.
  if (std::getenv("POINTRIX_REPORT_FRAME")) {
    std::fputs("pointrix: first frame\n", stdout);
    std::fflush(stdout);
  }
}

bool TSdlDisplay::WaitEvent(TPEvent& event, uint32_t timeoutMs) {
  if (!FPending.empty()) {
    event = std::move(FPending.front());
    FPending.pop_front();
    return true;
  }
  if (!FVideo) {
    SDL_Delay(std::min<uint32_t>(timeoutMs, 1000));
    return false;
  }
  const uint32_t start = SDL_GetTicks();
  for (;;) {
    SDL_Event sdl;
    const uint32_t elapsed = SDL_GetTicks() - start;
    int got = 0;
    if (elapsed >= timeoutMs)
      got = SDL_PollEvent(&sdl);
    else
      got = SDL_WaitEventTimeout(&sdl, int(std::min<uint32_t>(timeoutMs - elapsed, INT_MAX)));
    if (!got) return false;
    if (Translate(sdl, event)) return true;
  }
}

bool TSdlDisplay::Translate(const SDL_Event& sdl, TPEvent& event) {
  event = TPEvent{};
  event.Time = sdl.common.timestamp;
  switch (sdl.type) {
    case SDL_MOUSEMOTION:
      FButtons = ButtonBits(sdl.motion.state);
      event.Kind = TPEventKind::MouseMove;
      event.X = FView.ToSourceX(sdl.motion.x);
      event.Y = FView.ToSourceY(sdl.motion.y);
      event.Shift = FButtons | ShiftFromSdlMod(SDL_GetModState());
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const uint32_t bit = ButtonBit(sdl.button.button);
      if (!bit) return false;  // side buttons
      const bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
      FButtons = down ? FButtons | bit : FButtons & ~bit;
      event.Kind = down ? TPEventKind::MouseDown : TPEventKind::MouseUp;
      event.Button = ButtonFor(sdl.button.button);
      event.X = FView.ToSourceX(sdl.button.x);
      event.Y = FView.ToSourceY(sdl.button.y);
      event.Shift = FButtons | ShiftFromSdlMod(SDL_GetModState());
      return true;
    }
    case SDL_MOUSEWHEEL: {
      const int notches = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdl.wheel.y : sdl.wheel.y;
      if (notches == 0) return false;  // sideways scrolling
      event.Kind = TPEventKind::MouseWheel;
      event.WheelDelta = notches * 120;
      event.X = FView.ToSourceX(sdl.wheel.mouseX);
      event.Y = FView.ToSourceY(sdl.wheel.mouseY);
      event.Shift = FButtons | ShiftFromSdlMod(SDL_GetModState());
      return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      event.Key = VirtualKeyFromSdl(sdl.key.keysym.sym, sdl.key.keysym.scancode);
      if (!event.Key) return false;
      event.Kind = sdl.type == SDL_KEYDOWN ? TPEventKind::KeyDown : TPEventKind::KeyUp;
      event.Shift = FButtons | ShiftFromSdlMod(sdl.key.keysym.mod);
      const char typed = ControlCharForKey(event.Key);
      if (event.Kind == TPEventKind::KeyDown && typed && !(event.Shift & (psCtrl | psAlt))) {
        TPEvent text;
        text.Kind = TPEventKind::Char;
        text.Time = event.Time;
        text.Text = std::string(1, typed);
        FPending.push_back(std::move(text));
      }
      return true;
    }
    case SDL_TEXTINPUT:
      event.Kind = TPEventKind::Char;
      event.Text = Utf8ToCp1252(sdl.text.text);
      return !event.Text.empty();
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(sdl, event);
    case SDL_QUIT:  // a termination request from outside, such as Ctrl+C in the terminal
      event.Kind = TPEventKind::Close;
      return true;
    default:
      return false;
  }
}

bool TSdlDisplay::TranslateWindowEvent(const SDL_Event& sdl, TPEvent& event) {
  switch (sdl.window.event) {
    case SDL_WINDOWEVENT_LEAVE:
      event.Kind = TPEventKind::MouseLeave;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      event.Kind = TPEventKind::FocusGained;
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      event.Kind = TPEventKind::FocusLost;
      return true;
    case SDL_WINDOWEVENT_CLOSE:
      event.Kind = TPEventKind::Close;
      return true;
    case SDL_WINDOWEVENT_MAXIMIZED:
      // Maximised, the window shows the form full screen at the largest fitting factor.
      SetFullScreen(true);
      event.Kind = TPEventKind::Expose;
      return true;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:  // the window surface is new and empty
    case SDL_WINDOWEVENT_RESTORED:
      event.Kind = TPEventKind::Expose;
      return true;
    default:
      return false;
  }
}

void TSdlDisplay::SetCursor(TPStdCursor shape, const TPCursorImage* custom) {
  // Remembered so that a shape asked for before the window exists appears with it.
  FCursorShape = shape;
  if (custom)
    FCursorImage = *custom;
  else
    FCursorImage.reset();
  ApplyCursor();
}

void TSdlDisplay::ApplyCursor() {
  if (FVideo) FCursors.Set(FCursorShape, FCursorImage ? &*FCursorImage : nullptr, FView.Factor());
}

void TSdlDisplay::CaptureMouse(bool capture) {
  if (FWindow) SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void TSdlDisplay::GetCursorPos(int& x, int& y) const {
  x = y = 0;
  if (!FVideo) return;
  // While the pointer is over the window (or captured by it) the position of the last
  // mouse event is current; the desktop-wide query can lag behind on X servers without
  // raw input events (Xvfb, remote desktops).
  // Either way the offset from the client origin is reported in framebuffer pixels, as
  // the mouse events are.
  int windowX = 0, windowY = 0;
  if (FWindow) SDL_GetWindowPosition(FWindow, &windowX, &windowY);
  if (FWindow && SDL_GetMouseFocus() == FWindow) {
    SDL_GetMouseState(&x, &y);
  } else {
    SDL_GetGlobalMouseState(&x, &y);
    if (!FWindow) return;
    x -= windowX;
    y -= windowY;
  }
  x = windowX + FView.ImageLeft() + FView.ToSourceX(x);
  y = windowY + FView.ImageTop() + FView.ToSourceY(y);
}

void TSdlDisplay::GetClientOrigin(int& x, int& y) const {
  x = y = 0;
  if (!FWindow) return;
  SDL_GetWindowPosition(FWindow, &x, &y);
  x += FView.ImageLeft();
  y += FView.ImageTop();
}

uint32_t TSdlDisplay::DoubleClickTime() const {
  if (!FDoubleClickTime) {
    FDoubleClickTime = DesktopDoubleClickTime().value_or(DefaultDoubleClickTime);
  }
  return FDoubleClickTime;
}

}  // namespace platform
