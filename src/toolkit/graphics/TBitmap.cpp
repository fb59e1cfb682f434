#include "toolkit/graphics/TBitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/Files.h"
#include "toolkit/core/Resources.h"
#include "toolkit/graphics/formats/BmpDecoder.h"

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>(&FSurface)) {
  FSurface.OnChange = [this](const TRect&) { Changed(); };
}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) {
    FEncoded.reset();
    FSurface.Resize(0, 0);
    FPalette.clear();
    Changed();
    return;
  }
  auto* other = dynamic_cast<TBitmap*>(source);
  if (!other) return TPersistent::Assign(source);
  if (other->FEncoded) {
    // Still undecoded: share the bytes; each copy decodes its own pixels when used.
    FEncoded = other->FEncoded;
    FSurface.Resize(0, 0);
  } else {
    FEncoded.reset();
    FSurface.Resize(other->Width(), other->Height());
    for (int y = 0; Width() > 0 && y < Height(); ++y)
      std::memcpy(FSurface.Row(y), other->FSurface.Row(y), size_t(Width()) * sizeof(uint32_t));
  }
  PixelFormat = other->PixelFormat;
  Transparent = other->Transparent;
  FTransparentMode = other->FTransparentMode;
  FTransparentColor = other->FTransparentColor;
  FPalette = other->FPalette;
  Changed();
}

void TBitmap::SetWidth(int w) {
  SetSize(w, Height());
}
void TBitmap::SetHeight(int h) {
  SetSize(Width(), h);
}

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == Width() && h == Height()) return;
  Decode();
  TSurface old = std::move(FSurface);
  FSurface = TSurface(w, h, 0xFFFFFF);
  FSurface.OnChange = [this](const TRect&) { Changed(); };
  int keepW = std::min(w, old.Width()), keepH = std::min(h, old.Height());
  for (int y = 0; keepW > 0 && y < keepH; ++y)
    std::memcpy(FSurface.Row(y), old.Row(y), size_t(keepW) * sizeof(uint32_t));
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clDefault;
  return PixelToColor(Surface().Pixel(0, Height() - 1) & 0xFFFFFF);
}

void TBitmap::SetTransparentColor(TColor color) {
  FTransparentColor = color;
  FTransparentMode = color == clDefault ? tmAuto : tmFixed;
}

TColor TBitmap::GetPixel(int x, int y) const {
  Decode();
  if (!FSurface.InBounds(x, y)) return clNone;
  return PixelToColor(FSurface.Pixel(x, y) & 0xFFFFFF);
}

void TBitmap::SetPixel(int x, int y, TColor c) {
  Decode();
  if (!FSurface.InBounds(x, y)) return;
  FSurface.SetPixel(x, y, ColorToPixel(ColorToRGB(c)));
  Changed();
}

namespace {

TPixelFormat FormatForDepth(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return pf1bit;
    case 4:
      return pf4bit;
    case 8:
      return pf8bit;
    case 16:
      return pf16bit;
    case 24:
      return pf24bit;
    default:
      return pf32bit;
  }
}

}  // namespace

void TBitmap::LoadFromResourceName(const std::string& name) {
  TResourceData bytes = ResourceBytes("bmp", name);
  TBmpImage header = DecodeBmp(bytes.Data, bytes.Size, false);  // raises before anything here changes
  // A colour table shorter than the depth allows could meet an index past its end,
  // which only a full decode finds: such pictures are decoded now.
  if (header.BitsPerPixel <= 8 && header.Palette.size() < (size_t(1) << header.BitsPerPixel))
    return LoadFromBmpData(bytes.Data, bytes.Size);
  auto encoded = std::make_shared<TEncoded>();
  encoded->Data = bytes.Data;
  encoded->Size = bytes.Size;
  encoded->Width = header.Width;
  encoded->Height = header.Height;
  FEncoded = std::move(encoded);
  FSurface.Resize(0, 0);
  PixelFormat = FormatForDepth(header.BitsPerPixel);
  FPalette.clear();
  for (uint32_t p : header.Palette) FPalette.push_back(PixelToColor(p));
  Changed();
}

void TBitmap::DecodeNow() const {
  std::shared_ptr<const TEncoded> encoded = std::move(FEncoded);
  FEncoded.reset();
  TBmpImage image = DecodeBmp(encoded->Data, encoded->Size);
  for (uint32_t& p : image.Pixels) p &= 0xFFFFFF;
  FSurface.Adopt(std::move(image.Pixels), image.Width, image.Height);
}

void TBitmap::LoadFromBmpData(const uint8_t* data, size_t size) {
  TBmpImage image = DecodeBmp(data, size);  // raises before anything here changes
  for (uint32_t& p : image.Pixels) p &= 0xFFFFFF;
  FEncoded.reset();
  FSurface.Adopt(std::move(image.Pixels), image.Width, image.Height);
  PixelFormat = FormatForDepth(image.BitsPerPixel);
  FPalette.clear();
  for (uint32_t p : image.Palette) FPalette.push_back(PixelToColor(p));
  Changed();
}

void TBitmap::LoadFromFile(const std::string& path) {
  std::string data;
  if (!platform::ReadWholeFile(path, data)) throw Exception(Format("Cannot open file \"%s\"", path.c_str()));
  LoadFromBmpData(reinterpret_cast<const uint8_t*>(data.data()), data.size());
}

void TBitmap::Mask(TColor transparentColor) {
  Decode();
  uint32_t key = ColorToPixel(ColorToRGB(transparentColor));
  for (int y = 0; y < Height(); ++y) {
    uint32_t* row = FSurface.Row(y);
    for (int x = 0; x < Width(); ++x) row[x] = (row[x] & 0xFFFFFF) == key ? 0xFFFFFF : 0;
  }
  PixelFormat = pf1bit;
  Changed();
}
