#pragma once

// A blank area that the program paints in OnPaint, on the paint box's canvas.

#include "toolkit/forms/TControlCanvas.h"  // Canvas() is used by OnPaint handlers
#include "toolkit/forms/TGraphicControl.h"

class TPaintBox : public TGraphicControl {
public:
  explicit TPaintBox(TComponent* owner);
  const char* ClassName() const override { return "TPaintBox"; }

  TNotifyEvent OnPaint;

protected:
  void Paint() override;
};
