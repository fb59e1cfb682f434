#pragma once

// A windowed control that paints itself: it has a canvas (a view of the form's
// framebuffer) and a virtual Paint that the toolkit calls after erasing the
// background with the control's colour.

#include "toolkit/forms/TWinControl.h"

class TCanvas;
class TControlCanvas;

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);
  const char* ClassName() const override { return "TCustomControl"; }

  // Drawing here outside Paint shows at once; reading from it reads the screen.
  TControlCanvas& Canvas() { return ControlCanvas(); }

protected:
  // Paints the client area; the canvas is clipped to the area being painted.
  virtual void Paint() {}
  void PaintWindow(TCanvas& canvas) override;
};
