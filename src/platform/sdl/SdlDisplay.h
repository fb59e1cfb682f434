#pragma once

// The one window of the program on SDL: a software framebuffer presented through
// the window surface (no GPU renderer), input translated to Windows conventions.

#include <deque>
#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "platform/ZoomView.h"
#include "platform/sdl/SdlCursors.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

namespace platform {

// Whether SDL's video runs on X11, where its shutdown is left to the end of the process.
// SDL 2.26 wakes its event wait with an event sent to its window through a second X
// connection; when the server serves that request only after the first connection (and
// with it the window) is gone, closing the second connection meets the BadWindow error
// and Xlib ends the process with exit code 1 after a normal close. When the process ends
// the server drops both connections and their windows without answering anyone.
bool LeaveX11ToProcessEnd();

class TSdlDisplay : public IDisplay {
public:
  TSdlDisplay() = default;
  TSdlDisplay(const TSdlDisplay&) = delete;
  TSdlDisplay& operator=(const TSdlDisplay&) = delete;
  ~TSdlDisplay() override;

  bool Open(const TPWindowOptions& options) override;
  void Show() override;
  void Close() override;
  bool IsOpen() const override { return FWindow != nullptr; }
  std::string OpenError() const override { return FOpenError; }
  void SetCaption(const std::string& caption) override;
  void SetIcons(const std::vector<TPImage>& icons) override;
  void GetWindowPos(int& x, int& y) const override;
  void SetWindowPos(int x, int y) override;
  uint32_t* Pixels() override { return FPixels.data(); }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void Present(const std::vector<TPRect>& rects) override;
  void SetOverlay(const TPImage* image, int x, int y) override;
  bool WaitEvent(TPEvent& event, uint32_t timeoutMs) override;
  void SetCursor(TPStdCursor shape, const TPCursorImage* custom) override;
  void CaptureMouse(bool capture) override;
  void GetCursorPos(int& x, int& y) const override;
  void GetClientOrigin(int& x, int& y) const override;
  uint32_t DoubleClickTime() const override;
  void SetZoom(double factor) override;
  double Zoom() const override { return FZoom; }
  double SuggestedZoom(int width, int height) override;
  void SetFullScreen(bool fullScreen) override;
  bool FullScreen() const override { return FFullScreen; }
  double EffectiveZoom() const override { return FView.Factor(); }
  void SetBackdrop(uint32_t color) override;

  // The SDL window, for dialogs that want a parent; null while closed.
  SDL_Window* Window() const { return FWindow; }

private:
  // Converts an SDL event into ours; false for events the program does not see.
  bool Translate(const SDL_Event& sdl, TPEvent& event);
  bool TranslateWindowEvent(const SDL_Event& sdl, TPEvent& event);
  void ApplyIcon();
  void ReportFirstFrame();
  bool StartVideo();
  // The desktop's own scale: GDK_SCALE, else Xft.dpi / 96, else the display's DPI / 96.
  double DesktopScale() const;
  // Presents everything again (after a change of size or factor).
  void PresentAll();
  void ApplyCursor();

  SDL_Window* FWindow = nullptr;
  std::vector<SDL_Window*> FClosedWindows;  // hidden, destroyed with the display
  // The framebuffer as the window shows it: zoomed, with the floating image (a
  // tool-tip) over it, centred on the backdrop when full screen.
  TZoomView FView;
  double FZoom = 1;
  bool FFullScreen = false;
  int FWindowedX = 0, FWindowedY = 0;  // where the window stood before full screen
  // The surface the view was last laid out for; another one is presented whole.
  SDL_Surface* FSurface = nullptr;
  int FSurfaceWidth = 0, FSurfaceHeight = 0;
  std::vector<uint32_t> FScratch;  // the zoomed image when the surface is not 32-bit XRGB
  bool FVideo = false;             // SDL's video subsystem is ours to shut down
  std::string FOpenError;
  bool FShown = false, FFrameReported = false;
  int FWidth = 0, FHeight = 0;
  std::vector<uint32_t> FPixels;
  std::string FCaption;
  std::vector<TPImage> FIcons;
  uint32_t FButtons = 0;         // psLeft | psRight | psMiddle while held
  std::deque<TPEvent> FPending;  // second events made from one SDL event
  TSdlCursors FCursors;
  TPStdCursor FCursorShape = TPStdCursor::Arrow;
  std::optional<TPCursorImage> FCursorImage;
  mutable uint32_t FDoubleClickTime = 0;  // read from the desktop on first use
};

}  // namespace platform
