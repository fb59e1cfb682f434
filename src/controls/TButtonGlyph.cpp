#include "controls/TButtonGlyph.h"

#include "controls/TGlyphCache.h"

namespace {

// Paints color into work wherever mask (white = set) is set, shifted by (dx, dy).
void PaintThroughMask(TBitmap& work, TBitmap& mask, TColor color, int dx, int dy) {
  TCanvas& canvas = work.Canvas();
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = color;
  canvas.BitBlt(dx, dy, mask.Width(), mask.Height(), mask.Canvas(), 0, 0, ROP_DSPDxax);
}

// A one-bit mask of the pixels of image equal to key.
void MaskOf(TBitmap& mask, const TBitmap& image, TColor key) {
  mask.Assign(const_cast<TBitmap*>(&image));
  mask.Mask(key);
}

}  // namespace

TButtonGlyph::TButtonGlyph() : FSource(std::make_unique<TBitmap>()) {
  FSlots.fill(-1);
  FSource->OnChange = [this](TObject* sender) { SourceChanged(sender); };
  EnsureSharedGlyphCache();
}

TButtonGlyph::~TButtonGlyph() {
  FSource->OnChange = nullptr;
  FSource.reset();
  ReleaseImages();
  FreeSharedGlyphCacheIfEmpty();
}

// --- Source management

void TButtonGlyph::AssignSource(const TBitmap* bitmap) {
  ReleaseImages();
  FSource->Assign(const_cast<TBitmap*>(bitmap));
  if (!bitmap || bitmap->Height() <= 0) return;
  TakeTransparentColor();
  if (bitmap->Width() % bitmap->Height() == 0) {
    int n = bitmap->Width() / bitmap->Height();
    SetImageCount(n > FancyButtonStateCount ? 1 : n);
  }
}

void TButtonGlyph::SetImageCount(int n) {
  if (n == FImageCount || n <= 0) return;
  ReleaseImages();
  FImageCount = n;
  SourceChanged(FSource.get());
}

void TButtonGlyph::SourceChanged(TObject* sender) {
  if (!FSource || sender != FSource.get()) return;
  TakeTransparentColor();
  ReleaseImages();
  if (OnChange) OnChange(FSource.get());
}

void TButtonGlyph::TakeTransparentColor() {
  FTransparentPending = FSource->Deferred() && FSource->TransparentMode() == tmAuto;
  if (!FTransparentPending) FTransparentColor = FSource->TransparentColor();
}

TColor TButtonGlyph::TransparentColor() const {
  if (FTransparentPending) {
    FTransparentColor = FSource->TransparentColor();
    FTransparentPending = false;
  }
  return FTransparentColor;
}

void TButtonGlyph::ReleaseImages() {
  for (int& slot : FSlots) {
    if (slot != -1 && FImageList) FImageList->ReleaseSlot(slot);
    slot = -1;
  }
  if (FImageList) {
    if (TGlyphCache* cache = SharedGlyphCache()) cache->ReleaseList(FImageList);
    FImageList = nullptr;
  }
}

// --- Building

// The cell table: a press with fewer than three cells shows the hot image; otherwise
// the state's own cell, or cell 0 when the strip has no such cell; cell 3 is never
// shown (a latched button shows cell 1, the pressed look).
int TButtonGlyph::CellForState(TFancyButtonState state, int n) {
  if (state == fbsDown && n < 3) state = fbsUp;
  int cell = int(state);
  if (cell >= n) cell = 0;
  if (cell == 3) cell = 1;
  return cell;
}

void TButtonGlyph::MakeDisabledImage(TBitmap& work, const TBitmap& cell) const {
  TBitmap mask;
  if (FImageCount >= 2) {
    // Light and dark greys of the artwork become the system's highlight and shadow,
    // the transparent colour the button face; every other pixel keeps its colour.
    work.Assign(const_cast<TBitmap*>(&cell));
    const std::pair<TColor, TColor> passes[] = {
        {clWhite, clBtnHighlight}, {clGray, clBtnShadow}, {TransparentColor(), clBtnFace}};
    for (const auto& [key, color] : passes) {
      MaskOf(mask, cell, key);
      PaintThroughMask(work, mask, color, 0, 0);
    }
    return;
  }
  // One cell: the black lines of the image etched into a plain button face.
  MaskOf(mask, cell, clBlack);
  work.SetSize(cell.Width(), cell.Height());
  work.Canvas().Brush().Style = bsSolid;
  work.Canvas().Brush().Color = clBtnFace;
  work.Canvas().FillRect({0, 0, work.Width(), work.Height()});
  PaintThroughMask(work, mask, clBtnHighlight, 1, 1);
  PaintThroughMask(work, mask, clBtnShadow, 0, 0);
}

void TButtonGlyph::StoreImage(int& slot, const TBitmap& work, TColor maskColor) {
  if (slot != -1)
    FImageList->ReplaceMasked(slot, work, maskColor);
  else
    slot = FImageList->AddImage(work, maskColor);
}

int TButtonGlyph::BuildStateImage(TFancyButtonState state, bool rebuild) {
  if (state == fbsDown && FImageCount < 3) state = fbsUp;
  if (state >= FancyButtonStateCount) return -1;
  int& slot = FSlots[state];
  if (slot != -1 && !rebuild) return slot;
  if (FSource->Width() == 0 || FSource->Height() == 0) return slot;
  const int w = CellWidth(), h = CellHeight();
  if (w <= 0) return slot;
  if (!FImageList) FImageList = EnsureSharedGlyphCache().ListForSize(w, h);

  TBitmap cell;
  cell.SetSize(w, h);
  const int x = CellForState(state, FImageCount) * w;
  cell.Canvas().CopyRect({0, 0, w, h}, FSource->Canvas(), {x, 0, x + w, h});
  if (state == fbsDisabled) {
    TBitmap work;
    MakeDisabledImage(work, cell);
    StoreImage(slot, work, clDefault);
  } else {
    StoreImage(slot, cell, FSource->TransparentMode() == tmFixed ? TransparentColor() : clDefault);
  }
  // Bitmaps here hold only their pixels; there is no device handle to give up.
  return slot;
}

// --- Drawing

TGlyphLayout TButtonGlyph::CalcLayout(TCanvas& canvas, const TRect& face, TPoint captionOffset,
                                      const std::string& caption, uint32_t textFlags) const {
  const int clientW = face.Width(), clientH = face.Height();
  const bool empty = FSource->Width() == 0 || FSource->Height() == 0;
  const int imageW = empty ? 0 : CellWidth(), imageH = empty ? 0 : CellHeight();
  TRect text{};
  if (!caption.empty()) {
    text = {0, 0, clientW, 0};
    canvas.DrawText(caption, text, DT_CALCRECT | textFlags);
    text.Right += 5;
  }
  TGlyphLayout layout;
  layout.ImagePos = {(clientW - imageW + 1) / 2 + face.Left, (clientH - imageH + 1) / 2 + face.Top};
  const int textX = (clientW - text.Width() + 1) / 2, textY = (clientH - text.Height() + 1) / 2;
  layout.CaptionRect = text.Offset(textX + face.Left + captionOffset.X, textY + face.Top + captionOffset.Y);
  return layout;
}

void TButtonGlyph::DrawStateImage(TCanvas& canvas, TPoint pos, TFancyButtonState state) {
  if (FSource->Width() == 0 || FSource->Height() == 0) return;
  int slot = BuildStateImage(state, false);
  if (slot != -1 && FImageList) FImageList->Draw(canvas, pos.X, pos.Y, slot);
}

void TButtonGlyph::DrawCaption(TCanvas& canvas, TRect rect, const std::string& caption, TFancyButtonState state,
                               TColor shadowColor, uint32_t textFlags) {
  canvas.Brush().Style = bsClear;
  const uint32_t flags = DT_CENTER | DT_VCENTER | textFlags;
  TFont& font = canvas.Font();
  if (state == fbsDisabled) {
    rect = rect.Offset(1, 1);
    font.SetColor(clBtnHighlight);
    canvas.DrawText(caption, rect, flags);
    rect = rect.Offset(-1, -1);
    font.SetColor(clBtnShadow);
    canvas.DrawText(caption, rect, flags);
  } else if (shadowColor != clNone) {
    const TColor textColor = font.Color();
    font.SetColor(shadowColor);
    canvas.DrawText(caption, rect, flags);
    rect = rect.Offset(-2, -2);
    font.SetColor(textColor);
    canvas.DrawText(caption, rect, flags);
  } else {
    canvas.DrawText(caption, rect, flags);
  }
}

void TButtonGlyph::DrawFace(TCanvas& canvas, const TRect& face, TPoint captionOffset, const std::string& caption,
                            TFancyButtonState state, TColor shadowColor, uint32_t textFlags) {
  TGlyphLayout layout = CalcLayout(canvas, face, captionOffset, caption, textFlags);
  DrawStateImage(canvas, layout.ImagePos, state);
  DrawCaption(canvas, layout.CaptionRect, caption, state, shadowColor, textFlags);
}
