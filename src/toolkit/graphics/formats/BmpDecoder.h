#pragma once

// Decoding of Windows bitmaps (BMP files and the device-independent bitmaps inside
// icons and cursors). Every read is bounds-checked: malformed data raises Exception
// with a message that says what is wrong, never a read outside the given bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

struct TBmpImage {
  int Width = 0, Height = 0;
  int BitsPerPixel = 0;           // as stored: 1, 4, 8, 16, 24 or 32
  std::vector<uint32_t> Pixels;   // 0xAARRGGBB, top row first; A is 0xFF unless HasAlpha
  std::vector<uint32_t> Palette;  // 0x00RRGGBB, for 1, 4 and 8 bits per pixel
  bool HasAlpha = false;          // a 32-bit image whose alpha channel carries values
  size_t PixelEnd = 0;            // offset just past the pixel rows (where an icon's AND mask starts)
};

// Largest width or height accepted; larger claims are treated as malformed.
constexpr int MaxBitmapSide = 16384;
constexpr int64_t MaxBitmapPixels = int64_t(1) << 25;  // 128 MB of decoded pixels

// Decodes a BMP file (starting with "BM"). With withPixels false only the header and
// colour table are read (Pixels stays empty) after the same checks as a full decode,
// so a later full decode of the same bytes cannot fail.
TBmpImage DecodeBmp(const uint8_t* data, size_t size, bool withPixels = true);

// Decodes a bitmap that starts with its info header. pixelOffset is where the pixel
// rows start (0: right after the colour table). An icon image counts its AND mask
// in the header's height, which iconImage halves.
TBmpImage DecodeDib(const uint8_t* data, size_t size, size_t pixelOffset, bool iconImage, bool withPixels = true);
