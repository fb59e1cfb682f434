#include "toolkit/forms/TButton.h"

#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/graphics/TCanvas.h"

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
  ControlStyle = (ControlStyle | csOpaque) & ~csDoubleClicks;
  TabStop = true;
  SetBounds(0, 0, 75, 25);
  SetColor(clBtnFace);
}

void TButton::Click() {
  if (ModalResult != 0)
    if (TForm* form = GetParentForm()) form->ModalResult = ModalResult;
  TCustomControl::Click();
}

void TButton::SetPressed(bool pressed) {
  if (pressed == FPressed) return;
  FPressed = pressed;
  Invalidate();
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    FTracking = true;
    SetPressed(true);
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
  // Held down, the face follows the pointer in and out, as the click will.
  if (FTracking) SetPressed(ClientRect().Contains(x, y));
  TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    FTracking = false;
    SetPressed(false);
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == VK_SPACE || key == VK_RETURN) {
    key = 0;
    Click();
  }
}

void TButton::DoEnter() {
  Invalidate();
  TCustomControl::DoEnter();
}

void TButton::DoExit() {
  Invalidate();
  TCustomControl::DoExit();
}

void TButton::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = ColorToRGB(Color());
  canvas.FillRect(r);
  if (Default || Focused()) Frame3D(canvas, r, cl3DDkShadow, cl3DDkShadow, 1);
  if (FPressed) {
    Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
  } else {
    Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, r, clBtnFace, clBtnShadow, 1);
  }
  TRect text = r;
  if (FPressed) text = {text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
  canvas.Font().Assign(&Font());
  canvas.Brush().Style = bsClear;
  canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  canvas.Brush().Style = bsSolid;
}
