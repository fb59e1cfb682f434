#include "toolkit/stdctrls/TImage.h"

#include "toolkit/forms/TControlCanvas.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle |= csReplicatable;
  SetBounds(0, 0, 105, 105);
  FPicture.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() {
  FPicture.OnChange = nullptr;
}

void TImage::PictureChanged() {
  // The image's Transparent decides for the bitmap it shows.
  if (FPicture.HasGraphic()) FPicture.Bitmap()->Transparent = FTransparent;
  if (FAutoSize && FPicture.HasGraphic() && !IsLoading()) SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
  Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  PictureChanged();
}

void TImage::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  PictureChanged();
}

void TImage::SetCenter(bool center) {
  if (center == FCenter) return;
  FCenter = center;
  Invalidate();
}

void TImage::SetStretch(bool stretch) {
  if (stretch == FStretch) return;
  FStretch = stretch;
  Invalidate();
}

void TImage::SetProportional(bool proportional) {
  if (proportional == FProportional) return;
  FProportional = proportional;
  Invalidate();
}

void TImage::Loaded() {
  TGraphicControl::Loaded();
  PictureChanged();
}

TRect TImage::DestRect() {
  int w = FPicture.Width(), h = FPicture.Height();
  int cw = ClientWidth(), ch = ClientHeight();
  if (FStretch) {
    if (!FProportional || w == 0 || h == 0) return {0, 0, cw, ch};
    // Fit inside the client area, keeping the ratio.
    if (int64_t(cw) * h > int64_t(ch) * w) {
      w = int(int64_t(w) * ch / h);
      h = ch;
    } else {
      h = int(int64_t(h) * cw / w);
      w = cw;
    }
  }
  if (FCenter) return Bounds((cw - w) / 2, (ch - h) / 2, w, h);
  return {0, 0, w, h};
}

void TImage::Paint() {
  if (!FPicture.HasGraphic()) return;
  TBitmap* bitmap = FPicture.Bitmap();
  TRect dest = DestRect();
  TCanvas& canvas = Canvas();
  if (dest.Width() == bitmap->Width() && dest.Height() == bitmap->Height())
    canvas.Draw(dest.Left, dest.Top, *bitmap);
  else
    canvas.StretchDraw(dest, *bitmap);
}
