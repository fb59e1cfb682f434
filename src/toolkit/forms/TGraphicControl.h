#pragma once

// A control without a window: it paints on its parent's area, after the parent and
// below the parent's windowed children, which clip it. Its canvas is a view of the
// form's framebuffer placed at the control.

#include <memory>

#include "toolkit/forms/TControl.h"

class TControlCanvas;

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  const char* ClassName() const override { return "TGraphicControl"; }

  // Drawing here outside Paint shows at once; reading from it reads the screen.
  TControlCanvas& Canvas();

protected:
  // Paints the control; called by the parent's painting, clipped to the area being painted.
  virtual void Paint() {}

private:
  friend class TWinControl;
  std::unique_ptr<TControlCanvas> FCanvas;
};
