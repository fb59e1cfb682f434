#pragma once

// The operating-system services the toolkit needs, behind small interfaces.
// Two backends implement them: SDL (a real window) and headless (memory only,
// virtual clock, everything recorded for tests). Nothing above platform/ sees SDL.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct TPRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Mouse buttons as the toolkit numbers them.
enum class TPButton : uint8_t { Left = 0, Right = 1, Middle = 2 };

// Modifier and button bits carried by input events.
enum TPShift : uint32_t {
  psShift = 1,
  psAlt = 2,
  psCtrl = 4,
  psLeft = 8,
  psRight = 16,
  psMiddle = 32,
};

enum class TPEventKind : uint8_t {
  None,
  MouseMove,   // X, Y in client coordinates; Shift holds the buttons down
  MouseDown,   // Button, X, Y
  MouseUp,     // Button, X, Y
  MouseWheel,  // WheelDelta: +120 per notch away from the user
  MouseLeave,  // the pointer left the client area
  KeyDown,     // Key is a Windows virtual-key code (VK_RETURN = 13, VK_LEFT = 37, 'A' = 65 ...)
  KeyUp,
  Char,  // Text holds one or more characters in Windows-1252; see ControlCharForKey
  FocusGained,
  FocusLost,
  Close,   // the user asked the window to close (close box, window manager)
  Expose,  // the window's contents were lost and must be presented again
};

struct TPEvent {
  TPEventKind Kind = TPEventKind::None;
  int X = 0, Y = 0;
  TPButton Button = TPButton::Left;
  uint32_t Shift = 0;
  int WheelDelta = 0;
  uint32_t Key = 0;
  std::string Text;
  uint32_t Time = 0;  // tick count when the event happened
};

// The character Windows types for a key press: Backspace, Tab, Enter and Esc (8, 9, 13,
// 27) type themselves. Both backends send it as a Char event right after the KeyDown
// (also for auto-repeat), as Windows does; 0 for every other key, whose text comes
// from the keyboard layout instead.
inline char ControlCharForKey(uint32_t key) {
  return key == 8 || key == 9 || key == 13 || key == 27 ? char(key) : 0;
}

// Standard pointer shapes. None hides the pointer.
enum class TPStdCursor : uint8_t {
  Arrow,
  IBeam,
  Wait,
  Cross,
  Hand,
  SizeAll,
  SizeNS,
  SizeWE,
  No,
  UpArrow,
  AppStarting,
  Help,
  None
};

// A custom pointer image, 32-bit ARGB (0xAARRGGBB), Width * Height pixels.
struct TPCursorImage {
  int Width = 0, Height = 0, HotX = 0, HotY = 0;
  std::vector<uint32_t> Pixels;
};

// A 32-bit ARGB image for the window icon.
struct TPImage {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
};

struct TPWindowOptions {
  int ClientWidth = 640, ClientHeight = 480;
  std::string Caption;  // Windows-1252
  bool StayOnTop = false;
  bool Centred = true;
  bool Resizable = false;
  bool Minimisable = true;
  bool Maximisable = false;
};

// One top-level window with a 32-bit framebuffer (pixels 0x00RRGGBB, row stride = width).
class IDisplay {
public:
  virtual ~IDisplay() = default;
  // Creates the window hidden; false when no window can be made.
  virtual bool Open(const TPWindowOptions& options) = 0;
  // Why the last Open failed, as one line for the user; empty when it did not.
  virtual std::string OpenError() const { return {}; }
  virtual void Show() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetIcons(const std::vector<TPImage>& icons) = 0;
  // The window's outer position on the screen.
  virtual void GetWindowPos(int& x, int& y) const = 0;
  virtual void SetWindowPos(int x, int y) = 0;
  // The framebuffer the toolkit draws into; valid after Open.
  virtual uint32_t* Pixels() = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Shows the given parts of the framebuffer on screen.
  virtual void Present(const std::vector<TPRect>& rects) = 0;
  // Takes the next event; waits at most timeoutMs (0: do not wait). False when none came.
  virtual bool WaitEvent(TPEvent& event, uint32_t timeoutMs) = 0;
  // Sets the pointer shape over the window: a custom image when given, else the standard shape.
  virtual void SetCursor(TPStdCursor shape, const TPCursorImage* custom) = 0;
  // While captured, mouse events keep coming to the window when the pointer leaves it.
  virtual void CaptureMouse(bool capture) = 0;
  // Pointer position in screen coordinates.
  virtual void GetCursorPos(int& x, int& y) const = 0;
  // Client origin in screen coordinates.
  virtual void GetClientOrigin(int& x, int& y) const = 0;
  // Shows image (0x00RRGGBB pixels) at client position (x, y) above the framebuffer, as a
  // tool-tip floats above a window; null removes it. The framebuffer is not changed.
  virtual void SetOverlay(const TPImage* image, int x, int y) {}
  // The desktop's double-click time in milliseconds.
  virtual uint32_t DoubleClickTime() const = 0;

  // --- Zoom. The framebuffer keeps its size; the window shows it enlarged.
  // Shows the framebuffer enlarged by factor (clamped to 1..3), keeping the window's centre;
  // before Open the window opens at that factor. Events, the pointer and GetCursorPos
  // keep framebuffer units relative to the client origin; window positions stay in screen pixels.
  virtual void SetZoom(double factor) {}
  // The factor of the windowed state (also while full screen).
  virtual double Zoom() const { return 1; }
  // The factor the desktop suggests for this framebuffer size (see ChooseZoom), at least 1.
  virtual double SuggestedZoom(int width, int height) { return 1; }
  // Full screen shows the framebuffer at the largest fitting factor, centred on the backdrop.
  virtual void SetFullScreen(bool fullScreen) {}
  virtual bool FullScreen() const { return false; }
  // The factor in effect now (the fitting one while full screen).
  virtual double EffectiveZoom() const { return 1; }
  // The colour (0x00RRGGBB) around the framebuffer while full screen.
  virtual void SetBackdrop(uint32_t color) {}
};

// Millisecond tick count; 32 bits, wraps after 49.7 days.
class IClock {
public:
  virtual ~IClock() = default;
  virtual uint32_t TickCount() const = 0;
};

// 8- or 16-bit PCM samples, mono or stereo.
struct TPSound {
  int SampleRate = 11025;
  int Channels = 1;
  int BitsPerSample = 8;
  std::vector<uint8_t> Data;
};

class IAudio {
public:
  virtual ~IAudio() = default;
  // Plays the sound asynchronously, cutting off whatever is playing. The name is
  // what was asked for (recorded by the headless backend).
  virtual void Play(const std::string& name, const TPSound& sound) = 0;
  virtual void Stop() = 0;
};

class IShell {
public:
  virtual ~IShell() = default;
  // Opens a web or mail address with the desktop's handler ("open" verb).
  virtual bool OpenURL(const std::string& url) = 0;
};

enum class TPMessageIcon : uint8_t { None, Error, Warning, Information, Question };

class IDialogs {
public:
  virtual ~IDialogs() = default;
  // A modal box with one OK button. Returns when the user has closed it.
  virtual void MessageBox(const std::string& text, const std::string& caption, TPMessageIcon icon) = 0;
  // The program shows a message box it draws itself; a backend may keep a note of it
  // (the headless one lists it with the MessageBox calls).
  virtual void NoteMessage(const std::string& text, const std::string& caption, TPMessageIcon icon) {}
};

// All services of one backend.
class IBackend {
public:
  virtual ~IBackend() = default;
  virtual IDisplay& Display() = 0;
  virtual IClock& Clock() = 0;
  virtual IAudio& Audio() = 0;
  virtual IShell& Shell() = 0;
  virtual IDialogs& Dialogs() = 0;
};

// The backend in use. The program entry or a test installs one before the toolkit starts.
IBackend& Backend();
void SetBackend(IBackend* backend);
bool HasBackend();

std::unique_ptr<IBackend> CreateSdlBackend();

}  // namespace platform
