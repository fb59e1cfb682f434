#include "toolkit/stdctrls/TPanel.h"

#include <algorithm>

#include "toolkit/forms/TControlCanvas.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csAcceptsControls | csOpaque;
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
  if (cut == FBevelOuter) return;
  FBevelOuter = cut;
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
  if (cut == FBevelInner) return;
  FBevelInner = cut;
  Realign();
  Invalidate();
}

void TPanel::SetBevelWidth(int width) {
  if (width < 1) width = 1;
  if (width == FBevelWidth) return;
  FBevelWidth = width;
  Realign();
  Invalidate();
}

void TPanel::SetBorderWidth(int width) {
  if (width < 0) width = 0;
  if (width == FBorderWidth) return;
  FBorderWidth = width;
  Realign();
  Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  Invalidate();
}

int TPanel::BevelSpace() const {
  return (FBevelOuter != bvNone ? FBevelWidth : 0) + FBorderWidth + (FBevelInner != bvNone ? FBevelWidth : 0);
}

TRect TPanel::InnerRect() const {
  int b = BevelSpace();
  TRect r = ClientRect();
  return {r.Left + b, r.Top + b, std::max(r.Left + b, r.Right - b), std::max(r.Top + b, r.Bottom - b)};
}

void TPanel::AlignControls(TControl* control, TRect& rect) {
  rect = IntersectRect(rect, InnerRect());
  TCustomControl::AlignControls(control, rect);
}

void TPanel::TextChanged() {
  Invalidate();
}

void TPanel::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    if (cut == bvSpace) {
      r = {r.Left + FBevelWidth, r.Top + FBevelWidth, r.Right - FBevelWidth, r.Bottom - FBevelWidth};
      return;
    }
    bool raised = cut == bvRaised;
    Frame3D(canvas, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, FBevelWidth);
  };
  bevel(FBevelOuter);
  Frame3D(canvas, r, Color(), Color(), FBorderWidth);
  bevel(FBevelInner);
  if (Caption().empty()) return;
  canvas.Font().Assign(&Font());
  canvas.Brush().Style = bsClear;
  uint32_t flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  canvas.DrawText(Caption(), r, flags);
  canvas.Brush().Style = bsSolid;
}
