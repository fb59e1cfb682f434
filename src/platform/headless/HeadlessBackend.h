#pragma once

// A backend that lives entirely in memory: a framebuffer without a window, an
// input queue the test fills, a virtual clock the test advances, and a record of
// everything the program asked of the desktop (sounds, URLs, message boxes,
// cursors, window moves). The program runs on it exactly as on a real window.

#include <deque>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/ZoomView.h"

namespace platform {

class THeadlessBackend : public IBackend,
                         private IDisplay,
                         private IClock,
                         private IAudio,
                         private IShell,
                         private IDialogs {
public:
  // The virtual clock starts here, well away from zero and from the wrap.
  static constexpr uint32_t StartTime = 100000;
  // Where the window stands until the program or a test moves it.
  static constexpr int DefaultWindowX = 100, DefaultWindowY = 100;

  struct TMessageRecord {
    std::string Text, Caption;
    TPMessageIcon Icon = TPMessageIcon::None;
  };
  // One pointer shape: a standard one, or a custom image (Custom set, Shape unused).
  struct TCursorRecord {
    TPStdCursor Shape = TPStdCursor::Arrow;
    bool Custom = false;
    int Width = 0, Height = 0, HotX = 0, HotY = 0;
    std::vector<uint32_t> Pixels;
    bool operator==(const TCursorRecord&) const = default;
  };
  struct TPoint {
    int X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
  };

  THeadlessBackend();

  IDisplay& Display() override { return *this; }
  IClock& Clock() override { return *this; }
  IAudio& Audio() override { return *this; }
  IShell& Shell() override { return *this; }
  IDialogs& Dialogs() override { return *this; }

  // --- Input. Events are stamped with the current virtual time when pushed and
  // delivered in order by WaitEvent. The helpers take client coordinates of the window
  // as shown (zoomed pixels), move the pointer there, deliver framebuffer coordinates
  // as the real window does and keep the button bits of the Shift field up to date.
  void PushEvent(TPEvent event);
  void MouseMove(int x, int y);
  void MouseDown(TPButton button, int x, int y);
  void MouseUp(TPButton button, int x, int y);
  // Press and release at one place.
  void Click(TPButton button, int x, int y);
  void Wheel(int notches, int x, int y);
  // Like a real keyboard, Backspace, Tab, Enter and Esc also type their character
  // (a Char event after the KeyDown) unless Ctrl or Alt is in shift.
  void KeyDown(uint32_t key, uint32_t shift = 0);
  void KeyUp(uint32_t key, uint32_t shift = 0);
  // Press and release of one virtual key.
  void Key(uint32_t key, uint32_t shift = 0);
  // Typed text in Windows-1252.
  void Char(const std::string& text);
  size_t PendingEvents() const { return FQueue.size(); }

  // --- Virtual clock.
  void SetTime(uint32_t ms) { FTime = ms; }
  void Advance(uint32_t ms) { FTime += ms; }

  // --- Desktop settings a test may change.
  void SetDoubleClickTime(uint32_t ms) { FDoubleClickTime = ms; }
  // Moves the pointer without sending an event (screen coordinates).
  void SetCursorPos(int x, int y) { FCursor = {x, y}; }
  // The screen's usable area (also its size, for full screen) and the desktop's own
  // scale; SuggestedZoom chooses from them. 1920 x 1080 at scale 1 until changed.
  void SetScreen(int width, int height) { FScreenWidth = width, FScreenHeight = height; }
  void SetDesktopScale(double scale) { FDesktopScale = scale; }

  // --- What the program did.
  const std::vector<std::string>& Sounds() const { return FSounds; }
  const std::vector<std::string>& Urls() const { return FUrls; }
  // Message boxes asked for, through MessageBox or drawn by the program (NoteMessage).
  const std::vector<TMessageRecord>& Messages() const { return FMessages; }
  // Each change of the pointer shape, in order; setting the current shape again is no change.
  const std::vector<TCursorRecord>& Cursors() const { return FCursors; }
  // The shape now shown (Arrow before any change).
  const TCursorRecord& CurrentCursor() const { return FCurrentCursor; }
  // Every SetWindowPos, in order.
  const std::vector<TPoint>& WindowMoves() const { return FWindowMoves; }
  // The options of the last Open.
  const TPWindowOptions& Options() const { return FOptions; }
  const std::string& Caption() const { return FOptions.Caption; }
  const std::vector<TPImage>& Icons() const { return FIcons; }
  bool IsShown() const { return FShown; }
  bool IsCaptured() const { return FCaptured; }
  int PresentCount() const { return FPresentCount; }
  int PresentedRectCount() const { return FPresentedRects; }
  // Forgets the records above (not the queue, clock or window state).
  void ClearRecords();

  // Writes the framebuffer as a PNG file; false on failure.
  bool SavePng(const std::string& path) const;
  // The framebuffer pixel at (x, y); 0 outside.
  uint32_t PixelAt(int x, int y) const;
  // The window's client area as presented: the framebuffer zoomed (and, full screen,
  // centred on the backdrop) as far as Present has shown it.
  int ClientWidth() const { return FView.OutputWidth(); }
  int ClientHeight() const { return FView.OutputHeight(); }
  uint32_t PresentedPixelAt(int x, int y) const;
  const std::vector<uint32_t>& PresentedPixels() const { return FPresented; }
  bool SavePresentedPng(const std::string& path) const;

  // IDisplay
  bool Open(const TPWindowOptions& options) override;
  void Show() override { FShown = true; }
  void Close() override;
  bool IsOpen() const override { return FOpen; }
  void SetCaption(const std::string& caption) override { FOptions.Caption = caption; }
  void SetIcons(const std::vector<TPImage>& icons) override { FIcons = icons; }
  void GetWindowPos(int& x, int& y) const override;
  void SetWindowPos(int x, int y) override;
  uint32_t* Pixels() override { return FPixels.data(); }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void Present(const std::vector<TPRect>& rects) override;
  bool WaitEvent(TPEvent& event, uint32_t timeoutMs) override;
  void SetCursor(TPStdCursor shape, const TPCursorImage* custom) override;
  void CaptureMouse(bool capture) override { FCaptured = capture; }
  void SetOverlay(const TPImage* image, int x, int y) override;
  // The floating image shown above the framebuffer (a tool-tip), empty when none.
  const TPImage& Overlay() const { return FOverlay; }
  TPoint OverlayPos() const { return FOverlayPos; }
  void GetCursorPos(int& x, int& y) const override;
  void GetClientOrigin(int& x, int& y) const override;
  uint32_t DoubleClickTime() const override { return FDoubleClickTime; }
  void SetZoom(double factor) override;
  double Zoom() const override { return FZoom; }
  double SuggestedZoom(int width, int height) override;
  void SetFullScreen(bool fullScreen) override;
  bool FullScreen() const override { return FFullScreen; }
  double EffectiveZoom() const override { return FView.Factor(); }
  void SetBackdrop(uint32_t color) override;

  // IClock
  uint32_t TickCount() const override { return FTime; }

  // IAudio
  void Play(const std::string& name, const TPSound& sound) override { FSounds.push_back(name); }
  void Stop() override {}

  // IShell
  bool OpenURL(const std::string& url) override;

  // IDialogs
  void MessageBox(const std::string& text, const std::string& caption, TPMessageIcon icon) override;
  void NoteMessage(const std::string& text, const std::string& caption, TPMessageIcon icon) override {
    MessageBox(text, caption, icon);
  }

private:
  void PushMouse(TPEventKind kind, TPButton button, int x, int y);
  // Lays the view out for the zoom or full screen and presents everything again.
  void ApplyGeometry();

  TPWindowOptions FOptions;
  std::vector<TPImage> FIcons;
  bool FOpen = false, FShown = false, FCaptured = false;
  int FWidth = 0, FHeight = 0;
  std::vector<uint32_t> FPixels;
  TPoint FWindow{DefaultWindowX, DefaultWindowY};
  TPoint FCursor{DefaultWindowX, DefaultWindowY};
  uint32_t FButtons = 0;  // psLeft | psRight | psMiddle while held
  std::deque<TPEvent> FQueue;
  uint32_t FTime = StartTime;
  uint32_t FDoubleClickTime = 500;

  std::vector<std::string> FSounds, FUrls;
  std::vector<TMessageRecord> FMessages;
  std::vector<TCursorRecord> FCursors;
  TCursorRecord FCurrentCursor;
  std::vector<TPoint> FWindowMoves;
  TPImage FOverlay;
  TPoint FOverlayPos;
  int FPresentCount = 0, FPresentedRects = 0;
  double FZoom = 1, FDesktopScale = 1;
  bool FFullScreen = false;
  TPoint FWindowedPos;  // where the window stood before going full screen
  int FScreenWidth = 1920, FScreenHeight = 1080;
  TZoomView FView;
  std::vector<uint32_t> FPresented;
};

}  // namespace platform
