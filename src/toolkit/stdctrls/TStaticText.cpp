#include "toolkit/stdctrls/TStaticText.h"

#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/stdctrls/TPanel.h"

TStaticText::TStaticText(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csOpaque | csReplicatable;
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TStaticText::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  Invalidate();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  AdjustBounds();
  Invalidate();
}

void TStaticText::SetShowAccelChar(bool show) {
  if (show == FShowAccelChar) return;
  FShowAccelChar = show;
  AdjustBounds();
  Invalidate();
}

void TStaticText::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  AdjustBounds();
}

int TStaticText::FrameWidth() const {
  switch (FBorderStyle) {
    case sbsSingle:
      return 1;
    case sbsSunken:
      return 2;
    default:
      return 0;
  }
}

uint32_t TStaticText::TextFlags() const {
  uint32_t flags = DT_EXPANDTABS | DT_SINGLELINE;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  return flags;
}

void TStaticText::AdjustBounds() {
  if (!FAutoSize || IsLoading()) return;
  TCanvas measure;
  measure.Font().Assign(&Font());
  TRect r{0, 0, 0, 0};
  measure.DrawText(Caption().empty() ? std::string(" ") : Caption(), r,
                   (TextFlags() & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
  const int frame = 2 * FrameWidth();
  SetBounds(Left(), Top(), r.Width() + frame, r.Height() + frame);
}

void TStaticText::TextChanged() {
  Invalidate();
  AdjustBounds();
}

void TStaticText::FontChanged() {
  TCustomControl::FontChanged();
  AdjustBounds();
}

void TStaticText::Loaded() {
  TCustomControl::Loaded();
  AdjustBounds();
}

void TStaticText::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  if (FBorderStyle == sbsSingle) Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  if (FBorderStyle == sbsSunken) Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 2);
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = ColorToRGB(Color());
  canvas.FillRect(r);
  canvas.Brush().Style = bsClear;
  canvas.Font().Assign(&Font());
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.DrawText(Caption(), r, TextFlags());
  canvas.Brush().Style = bsSolid;
}
