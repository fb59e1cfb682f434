#include "toolkit/forms/TCustomControl.h"

#include "toolkit/forms/TControlCanvas.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(TCanvas& canvas) {
  Paint();
}
