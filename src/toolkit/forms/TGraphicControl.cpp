#include "toolkit/forms/TGraphicControl.h"

#include "toolkit/forms/TControlCanvas.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() = default;

TControlCanvas& TGraphicControl::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(this);
  return *FCanvas;
}
