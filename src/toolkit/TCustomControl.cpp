#include "toolkit/TCustomControl.h"

#include "toolkit/TControlCanvas.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(TCanvas& canvas) {
  Paint();
}
