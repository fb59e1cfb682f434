#include "toolkit/graphics/formats/BmpDecoder.h"

#include <array>
#include <bit>
#include <string>

#include "toolkit/core/Types.h"

namespace {

[[noreturn]] void Fail(const std::string& why) {
  throw Exception("Invalid bitmap: " + why);
}

uint16_t Read16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}
uint32_t Read32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

enum : uint32_t { BiRgb = 0, BiBitfields = 3, BiAlphaBitfields = 6 };

// One colour channel of a 16- or 32-bit pixel, described by its bit mask.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;
  std::array<uint8_t, 256> Scaled{};  // channels of up to 8 bits: each value scaled once
  explicit TChannel(uint32_t mask = 0) : Mask(mask) {
    if (mask) {
      Shift = std::countr_zero(mask);
      Max = mask >> Shift;
      for (uint32_t c = 0; Max < Scaled.size() && c <= Max; ++c) Scaled[c] = uint8_t(Scale(c));
    }
  }
  uint32_t Scale(uint64_t c) const { return uint32_t((c * 255 + Max / 2) / Max); }
  // The channel scaled to 0..255; missing channels give fallback.
  uint32_t Get(uint32_t v, uint32_t fallback) const {
    if (!Mask) return fallback;
    uint64_t c = (v & Mask) >> Shift;
    return Max < Scaled.size() ? Scaled[c] : Scale(c);
  }
};

struct THeader {
  int64_t Width = 0, Height = 0;
  bool TopDown = false;
  int Bpp = 0;
  uint32_t Compression = BiRgb;
  uint32_t ColorsUsed = 0;
  size_t HeaderSize = 0;
  size_t PaletteEntrySize = 4;
  uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  size_t TableEnd = 0;               // end of the masks and colour table
};

THeader ReadHeader(const uint8_t* data, size_t size, bool iconImage) {
  THeader h;
  if (size < 4) Fail("truncated header");
  h.HeaderSize = Read32(data);
  if (h.HeaderSize == 12) {
    if (size < 12) Fail("truncated header");
    h.Width = Read16(data + 4);
    h.Height = int16_t(Read16(data + 6));
    h.Bpp = Read16(data + 10);
    h.PaletteEntrySize = 3;
  } else {
    if (h.HeaderSize < 40 || h.HeaderSize > size) Fail("truncated or unknown header");
    h.Width = int32_t(Read32(data + 4));
    h.Height = int32_t(Read32(data + 8));
    h.Bpp = Read16(data + 14);
    h.Compression = Read32(data + 16);
    h.ColorsUsed = Read32(data + 32);
  }
  if (iconImage) h.Height /= 2;
  if (h.Height < 0) {
    h.TopDown = true;
    h.Height = -h.Height;
  }
  if (h.Width <= 0 || h.Height <= 0) Fail("empty or negative size");
  if (h.Width > MaxBitmapSide || h.Height > MaxBitmapSide || h.Width * h.Height > MaxBitmapPixels)
    Fail("size too large");
  switch (h.Bpp) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      Fail("unsupported bit depth " + std::to_string(h.Bpp));
  }
  bool bitfields = h.Compression == BiBitfields || h.Compression == BiAlphaBitfields;
  if (h.Compression != BiRgb && !(bitfields && (h.Bpp == 16 || h.Bpp == 32)))
    Fail("unsupported compression " + std::to_string(h.Compression));
  size_t pos = h.HeaderSize;
  if (bitfields) {
    int count = h.Compression == BiAlphaBitfields ? 4 : 3;
    if (h.HeaderSize >= 52) {
      // Version 4 and 5 headers (and some version 3 variants) carry the masks inside.
      for (int i = 0; i < 4 && 40 + 4 * size_t(i) + 4 <= h.HeaderSize; ++i) h.Masks[i] = Read32(data + 40 + 4 * i);
    } else {
      if (size < pos + 4 * size_t(count)) Fail("truncated colour masks");
      for (int i = 0; i < count; ++i) h.Masks[i] = Read32(data + pos + 4 * i);
      pos += 4 * size_t(count);
    }
    if (!h.Masks[0] && !h.Masks[1] && !h.Masks[2]) Fail("empty colour masks");
  } else if (h.Bpp == 16) {
    h.Masks[0] = 0x7C00, h.Masks[1] = 0x03E0, h.Masks[2] = 0x001F;
  } else if (h.Bpp == 32) {
    h.Masks[0] = 0xFF0000, h.Masks[1] = 0xFF00, h.Masks[2] = 0xFF, h.Masks[3] = 0xFF000000;
  }
  if (h.Bpp <= 8) {
    uint32_t maxColors = 1u << h.Bpp;
    uint32_t count = h.ColorsUsed ? h.ColorsUsed : maxColors;
    if (count > maxColors) Fail("colour table too large");
    h.ColorsUsed = count;
    if (size < pos || (size - pos) / h.PaletteEntrySize < count) Fail("truncated colour table");
    pos += count * h.PaletteEntrySize;
  }
  h.TableEnd = pos;
  return h;
}

void ReadPaletteRows(const THeader& h, const uint8_t* rows, size_t stride, TBmpImage& img) {
  int w = img.Width;
  uint32_t mask = (1u << h.Bpp) - 1;
  for (int y = 0; y < img.Height; ++y) {
    const uint8_t* src = rows + stride * size_t(y);
    uint32_t* dst = img.Pixels.data() + size_t(h.TopDown ? y : img.Height - 1 - y) * size_t(w);
    if (h.Bpp == 8) {  // one byte a pixel, the usual case
      for (int x = 0; x < w; ++x) {
        if (src[x] >= img.Palette.size()) Fail("colour index out of range");
        dst[x] = 0xFF000000u | img.Palette[src[x]];
      }
      continue;
    }
    for (int x = 0; x < w; ++x) {
      size_t bit = size_t(x) * size_t(h.Bpp);
      uint32_t index = (src[bit / 8] >> (8 - h.Bpp - bit % 8)) & mask;
      if (index >= img.Palette.size()) Fail("colour index out of range");
      dst[x] = 0xFF000000u | img.Palette[index];
    }
  }
}

void ReadDirectRows(const THeader& h, const uint8_t* rows, size_t stride, TBmpImage& img) {
  TChannel r(h.Masks[0]), g(h.Masks[1]), b(h.Masks[2]), a(h.Masks[3]);
  bool anyAlpha = false;
  for (int y = 0; y < img.Height; ++y) {
    const uint8_t* src = rows + stride * size_t(y);
    uint32_t* dst = img.Pixels.data() + size_t(h.TopDown ? y : img.Height - 1 - y) * size_t(img.Width);
    if (h.Bpp == 32 && h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF &&
        (h.Masks[3] == 0xFF000000u || h.Masks[3] == 0)) {
      // Plain 8-bit channels in the pixel's own order: the bytes are the pixel.
      const uint32_t opaque = h.Masks[3] ? 0 : 0xFF000000u;
      uint32_t alphaSeen = 0;
      for (int x = 0; x < img.Width; ++x) {
        const uint32_t v = Read32(src + 4 * size_t(x)) | opaque;
        alphaSeen |= v;
        dst[x] = v;
      }
      if (h.Masks[3] && (alphaSeen >> 24)) anyAlpha = true;
      continue;
    }
    if (h.Bpp == 16 && !a.Mask && r.Max < 256 && g.Max < 256 && b.Max < 256) {
      // The usual 16-bit picture: three channels of at most 8 bits, each through its table.
      for (int x = 0; x < img.Width; ++x) {
        const uint32_t v = Read16(src + 2 * size_t(x));
        dst[x] = 0xFF000000u | (uint32_t(r.Scaled[(v & r.Mask) >> r.Shift]) << 16) |
                 (uint32_t(g.Scaled[(v & g.Mask) >> g.Shift]) << 8) | b.Scaled[(v & b.Mask) >> b.Shift];
      }
      continue;
    }
    for (int x = 0; x < img.Width; ++x) {
      if (h.Bpp == 24) {
        const uint8_t* p = src + 3 * size_t(x);
        dst[x] = 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
        continue;
      }
      uint32_t v = h.Bpp == 16 ? Read16(src + 2 * size_t(x)) : Read32(src + 4 * size_t(x));
      uint32_t alpha = a.Get(v, 0xFF);
      if (a.Mask && alpha) anyAlpha = true;
      dst[x] = (alpha << 24) | (r.Get(v, 0) << 16) | (g.Get(v, 0) << 8) | b.Get(v, 0);
    }
  }
  // An alpha channel that is zero everywhere is unused padding, not a transparent picture.
  img.HasAlpha = anyAlpha;
  if (!anyAlpha)
    for (uint32_t& p : img.Pixels) p |= 0xFF000000u;
}

}  // namespace

TBmpImage DecodeDib(const uint8_t* data, size_t size, size_t pixelOffset, bool iconImage, bool withPixels) {
  THeader h = ReadHeader(data, size, iconImage);
  TBmpImage img;
  img.Width = int(h.Width);
  img.Height = int(h.Height);
  img.BitsPerPixel = h.Bpp;
  for (uint32_t i = 0; h.Bpp <= 8 && i < h.ColorsUsed; ++i) {
    const uint8_t* p = data + h.HeaderSize + size_t(i) * h.PaletteEntrySize;
    img.Palette.push_back((uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0]);
  }
  if (pixelOffset == 0) pixelOffset = h.TableEnd;
  if (pixelOffset < h.HeaderSize || pixelOffset > size) Fail("bad pixel data offset");
  size_t stride = ((size_t(h.Width) * size_t(h.Bpp) + 31) / 32) * 4;
  if ((size - pixelOffset) / stride < size_t(h.Height)) Fail("truncated pixel data");
  img.PixelEnd = pixelOffset + stride * size_t(h.Height);
  if (!withPixels) return img;
  img.Pixels.assign(size_t(h.Width) * size_t(h.Height), 0);
  if (h.Bpp <= 8)
    ReadPaletteRows(h, data + pixelOffset, stride, img);
  else
    ReadDirectRows(h, data + pixelOffset, stride, img);
  return img;
}

TBmpImage DecodeBmp(const uint8_t* data, size_t size, bool withPixels) {
  if (size < 14 + 4 || data[0] != 'B' || data[1] != 'M') Fail("not a BMP file");
  uint32_t offBits = Read32(data + 10);
  if (offBits <= 14) Fail("bad pixel data offset");
  return DecodeDib(data + 14, size - 14, offBits - 14, false, withPixels);  // checks the offset against the size
}
