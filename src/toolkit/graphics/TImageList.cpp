#include "toolkit/graphics/TImageList.h"

#include <algorithm>

namespace {
constexpr uint32_t White = 0xFFFFFF;
}  // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::TImageList(int width, int height) : TComponent(nullptr) {
  SetSize(width, height);
}

TImageList::~TImageList() = default;

void TImageList::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  Clear();
}

void TImageList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw Exception(Format("Invalid image list index %d", index));
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

bool TImageList::MakeMask(TBitmap& mask, const TBitmap& image, TColor maskColor) {
  if (maskColor == clNone || image.Empty()) return false;
  if (maskColor == clDefault) maskColor = image.GetPixel(0, image.Height() - 1);
  mask.Assign(const_cast<TBitmap*>(&image));
  mask.Mask(maskColor);
  return true;
}

// Copies image and mask into the entry at the list's size and prepares the drawing copy.
void TImageList::Store(TEntry& entry, const TBitmap* image, const TBitmap* mask) {
  TSurface& colours = entry.Image.Surface();
  TSurface& bits = entry.Mask.Surface();
  TSurface& prepared = entry.Prepared.Surface();
  colours.Resize(FWidth, FHeight, 0);
  bits.Resize(FWidth, FHeight, White);
  prepared.Resize(FWidth, FHeight, 0);
  entry.Mask.PixelFormat = pf1bit;
  for (int y = 0; y < FHeight; ++y) {
    for (int x = 0; x < FWidth; ++x) {
      if (!image || !image->Surface().InBounds(x, y)) continue;
      uint32_t c = image->Surface().Pixel(x, y) & 0xFFFFFF;
      bool transparent = mask && mask->Surface().InBounds(x, y) && (mask->Surface().Pixel(x, y) & 0xFFFFFF) == White;
      colours.SetPixel(x, y, c);
      bits.SetPixel(x, y, transparent ? White : 0);
      prepared.SetPixel(x, y, transparent ? 0 : c);
    }
  }
}

int TImageList::Add(const TBitmap* image, const TBitmap* mask) {
  FImages.push_back(std::make_unique<TEntry>());
  Store(*FImages.back(), image, mask);
  Changed();
  return Count() - 1;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  TBitmap mask;
  return Add(&image, MakeMask(mask, image, maskColor) ? &mask : nullptr);
}

void TImageList::Replace(int index, const TBitmap* image, const TBitmap* mask) {
  CheckIndex(index);
  Store(*FImages[size_t(index)], image, mask);
  Changed();
}

void TImageList::ReplaceMasked(int index, const TBitmap& image, TColor maskColor) {
  CheckIndex(index);
  TBitmap mask;
  Replace(index, &image, MakeMask(mask, image, maskColor) ? &mask : nullptr);
}

void TImageList::Delete(int index) {
  CheckIndex(index);
  FImages.erase(FImages.begin() + index);
  Changed();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  TEntry& entry = *FImages[size_t(index)];
  // Clear the opaque pixels, then merge the colours into them: the transparent
  // pixels keep the destination because the mask is white and the drawing copy black there.
  canvas.BitBlt(x, y, FWidth, FHeight, entry.Mask.Canvas(), 0, 0, SRCAND);
  canvas.BitBlt(x, y, FWidth, FHeight, entry.Prepared.Canvas(), 0, 0, SRCPAINT);
}

void TImageList::GetImage(int index, TBitmap& image) const {
  CheckIndex(index);
  image.Assign(&FImages[size_t(index)]->Image);
}
