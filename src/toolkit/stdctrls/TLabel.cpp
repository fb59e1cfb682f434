#include "toolkit/stdctrls/TLabel.h"

#include "toolkit/forms/TControlCanvas.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle |= csOpaque | csReplicatable;
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == FWordWrap) return;
  FWordWrap = wordWrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  if (transparent)
    ControlStyle &= ~csOpaque;
  else
    ControlStyle |= csOpaque;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  if (show == FShowAccelChar) return;
  FShowAccelChar = show;
  AdjustBounds();
  Invalidate();
}

uint32_t TLabel::TextFlags() const {
  uint32_t flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  return flags;
}

TRect TLabel::TextExtentRect(int width) {
  TCanvas measure;
  measure.Font().Assign(&Font());
  TRect r{0, 0, width, 0};
  // An empty caption (or a last empty line) still takes one line's height.
  const std::string text = Caption().empty() ? std::string(" ") : Caption();
  measure.DrawText(text, r, (TextFlags() & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
  return r;
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || IsLoading()) return;
  TRect r = TextExtentRect(FWordWrap ? Width() : 0);
  int width = FWordWrap ? Width() : r.Width();
  int left = Left();
  // A right-aligned label keeps its right edge where it was, a centred one its centre.
  if (FAlignment == taRightJustify) left += Width() - width;
  if (FAlignment == taCenter) left += (Width() - width) / 2;
  SetBounds(left, Top(), width, r.Height());
}

void TLabel::TextChanged() {
  Invalidate();
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  TRect client = ClientRect();
  if (!FTransparent) {
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = ColorToRGB(Color());
    canvas.FillRect(client);
  }
  canvas.Brush().Style = bsClear;
  canvas.Font().Assign(&Font());
  TRect r = client;
  uint32_t flags = TextFlags();
  if (FLayout != tlTop) {
    TRect extent = TextExtentRect(client.Width());
    int offset = client.Height() - extent.Height();
    if (FLayout == tlCenter) offset /= 2;
    r.Top += offset;
  }
  if (!Enabled()) {
    // Disabled text: an embossed look, highlight below right, shadow on top.
    TRect shifted = r.Offset(1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), shifted, flags);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.DrawText(Caption(), r, flags);
  canvas.Brush().Style = bsSolid;
}
