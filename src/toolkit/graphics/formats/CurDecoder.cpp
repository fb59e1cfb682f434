#include "toolkit/graphics/formats/CurDecoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "toolkit/core/Types.h"
#include "toolkit/graphics/formats/BmpDecoder.h"

// The PNG decoder is compiled privately into this file so that no other part of the
// program can clash with its symbols.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 4096
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

[[noreturn]] void Fail(const std::string& why) {
  throw Exception("Invalid cursor or icon: " + why);
}

uint16_t Read16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}
uint32_t Read32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

struct TDirEntry {
  int Width, Height, Bpp, HotX, HotY;
  const uint8_t* Data;
  size_t Size;
};

std::vector<TDirEntry> ReadDirectory(const uint8_t* data, size_t size) {
  if (size < 6 || Read16(data) != 0 || (Read16(data + 2) != 1 && Read16(data + 2) != 2))
    Fail("not an icon or cursor file");
  size_t count = Read16(data + 4);
  if (count == 0) Fail("no images");
  if ((size - 6) / 16 < count) Fail("truncated directory");
  std::vector<TDirEntry> entries;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + 16 * i;
    uint32_t length = Read32(e + 8), offset = Read32(e + 12);
    if (offset > size || length > size - offset || length == 0) Fail("image data outside the file");
    entries.push_back(
        {e[0] ? e[0] : 256, e[1] ? e[1] : 256, Read16(e + 6), Read16(e + 4), Read16(e + 6), data + offset, length});
  }
  return entries;
}

platform::TPImage DecodePng(const uint8_t* data, size_t size) {
  int w = 0, h = 0, n = 0;
  if (size > size_t(INT32_MAX)) Fail("image too large");
  stbi_uc* rgba = stbi_load_from_memory(data, int(size), &w, &h, &n, 4);
  if (!rgba) Fail(std::string("bad PNG image (") + stbi_failure_reason() + ")");
  platform::TPImage img;
  img.Width = w;
  img.Height = h;
  img.Pixels.resize(size_t(w) * size_t(h));
  for (size_t i = 0; i < img.Pixels.size(); ++i) {
    const stbi_uc* p = rgba + 4 * i;
    img.Pixels[i] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
  }
  stbi_image_free(rgba);
  return img;
}

// A bitmap image: colours from the XOR image, transparency from the AND mask
// (a set bit is transparent) unless the image carries its own alpha channel.
platform::TPImage DecodeMaskedDib(const uint8_t* data, size_t size) {
  TBmpImage xorImage = DecodeDib(data, size, 0, true);
  platform::TPImage img;
  img.Width = xorImage.Width;
  img.Height = xorImage.Height;
  img.Pixels = std::move(xorImage.Pixels);
  if (xorImage.HasAlpha) return img;
  size_t stride = ((size_t(img.Width) + 31) / 32) * 4;
  size_t at = xorImage.PixelEnd;
  if (at > size || (size - at) / stride < size_t(img.Height)) Fail("truncated AND mask");
  for (int y = 0; y < img.Height; ++y) {
    const uint8_t* row = data + at + stride * size_t(img.Height - 1 - y);
    uint32_t* dst = img.Pixels.data() + size_t(y) * size_t(img.Width);
    for (int x = 0; x < img.Width; ++x) dst[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0u : (dst[x] | 0xFF000000u);
  }
  return img;
}

platform::TPImage DecodeEntry(const TDirEntry& e) {
  static const uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (e.Size >= 8 && std::memcmp(e.Data, PngSignature, 8) == 0) return DecodePng(e.Data, e.Size);
  return DecodeMaskedDib(e.Data, e.Size);
}

}  // namespace

platform::TPCursorImage DecodeCursor(const uint8_t* data, size_t size) {
  std::vector<TDirEntry> entries = ReadDirectory(data, size);
  const TDirEntry* best = &entries[0];
  auto distance = [](const TDirEntry& e) { return std::abs(e.Width - 32) + std::abs(e.Height - 32); };
  for (const TDirEntry& e : entries)
    if (distance(e) < distance(*best) || (distance(e) == distance(*best) && e.Bpp > best->Bpp)) best = &e;
  platform::TPImage img = DecodeEntry(*best);
  platform::TPCursorImage cursor;
  cursor.Width = img.Width;
  cursor.Height = img.Height;
  // Only cursor files carry a hot spot; icons used as cursors point with their top-left corner.
  bool isCursor = Read16(data + 2) == 2;
  cursor.HotX = isCursor ? std::min(best->HotX, img.Width - 1) : 0;
  cursor.HotY = isCursor ? std::min(best->HotY, img.Height - 1) : 0;
  cursor.Pixels = std::move(img.Pixels);
  return cursor;
}

std::vector<platform::TPImage> DecodeIcons(const uint8_t* data, size_t size) {
  std::vector<platform::TPImage> images;
  for (const TDirEntry& e : ReadDirectory(data, size)) images.push_back(DecodeEntry(e));
  return images;
}
