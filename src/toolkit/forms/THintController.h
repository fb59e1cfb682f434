#pragma once

// Tool-tips: when the pointer rests on a control that has a hint (and shows hints),
// a small yellow box with the hint text floats below the pointer after HintPause
// milliseconds and goes away after HintHidePause, on any press or key, or when the
// pointer moves to another control. The box is drawn above the window's framebuffer
// by the display, so it never disturbs what the program draws.

#include <climits>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "toolkit/core/Types.h"

class TControl;
class TForm;
class TTimer;

class THintController {
public:
  THintController();
  ~THintController();

  uint32_t HintPause = 500;
  uint32_t HintHidePause = 2500;

  // Follows the control under the pointer of the window form; call after events.
  void Update(TForm* form);
  // A press or a key hides the hint until the pointer reaches another control.
  void Cancel();
  bool Showing() const { return FShowing; }
  const std::string& Text() const { return FText; }

  // The hint a control shows: its own Hint when ShowHint applies, else empty.
  static std::string HintOf(const TControl* control);
  // The tool-tip picture for text in the hint font, at most maxWidth x maxHeight
  // pixels (the text wraps to fit the width and is cut at the height).
  static platform::TPImage Render(const std::string& text, int maxWidth = INT_MAX, int maxHeight = INT_MAX);
  // Where a tool-tip of size (X = width, Y = height) goes for the pointer at pointer
  // (client coordinates) in a window of width x height: below the pointer, else above
  // it, always whole inside the window when it fits at all.
  static TPoint Place(TPoint size, TPoint pointer, int width, int height);

private:
  void Show();
  void Hide();

  TForm* FForm = nullptr;
  const TControl* FControl = nullptr;
  std::unique_ptr<TTimer> FShowTimer;
  std::unique_ptr<TTimer> FHideTimer;
  bool FShowing = false;
  std::string FText;
};
