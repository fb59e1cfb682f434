#include "toolkit/stdctrls/TPaintBox.h"

#include "toolkit/forms/TControlCanvas.h"

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle |= csReplicatable;
  SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
  Canvas().Font().Assign(&Font());
  Canvas().Brush().Color = ColorToRGB(Color());
  if (OnPaint) OnPaint(this);
}
