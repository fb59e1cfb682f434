#include "toolkit/rtf/RtfPictureDecoder.h"

#include <stb/stb_image.h>

#include <cstring>
#include <limits>

namespace {

uint32_t ReadLe32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t ReadLe16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}

void WriteLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

// A DIB is a BMP file without its 14-byte file header; rebuild the header (the
// pixel offset follows from the info header size and the palette) so stb_image can
// read it. Empty when the info header is malformed.
std::vector<uint8_t> DibToBmp(const std::vector<uint8_t>& dib) {
  if (dib.size() < 40) return {};
  uint32_t headerSize = ReadLe32(dib.data());
  if (headerSize < 40 || headerSize > dib.size()) return {};
  uint16_t bitCount = ReadLe16(dib.data() + 14);
  uint32_t compression = ReadLe32(dib.data() + 16);
  uint32_t colorsUsed = ReadLe32(dib.data() + 32);
  uint64_t palette = 0;
  if (bitCount <= 8) palette = uint64_t(colorsUsed ? colorsUsed : (1u << bitCount)) * 4;
  if (compression == 3 && headerSize == 40) palette += 12;  // BI_BITFIELDS masks
  uint64_t offset = 14 + uint64_t(headerSize) + palette;
  if (offset > 14 + dib.size()) return {};
  std::vector<uint8_t> bmp(14 + dib.size());
  bmp[0] = 'B';
  bmp[1] = 'M';
  WriteLe32(&bmp[2], uint32_t(bmp.size()));
  WriteLe32(&bmp[10], uint32_t(offset));
  std::memcpy(bmp.data() + 14, dib.data(), dib.size());
  return bmp;
}

// Whether every chunk of a PNG claims no more bytes than the data holds. A damaged
// length would have the decoder reserve memory for it (up to 2 GB) before it finds the
// data missing.
bool PngChunksFit(const std::vector<uint8_t>& png) {
  size_t pos = 8;  // after the signature
  while (png.size() - pos >= 12) {
    const uint32_t length =
        uint32_t(png[pos]) << 24 | uint32_t(png[pos + 1]) << 16 | uint32_t(png[pos + 2]) << 8 | png[pos + 3];
    if (length > png.size() - pos - 12) return false;
    if (std::memcmp(&png[pos + 4], "IEND", 4) == 0) return true;
    pos += 12 + size_t(length);
  }
  return true;  // a file cut short: the decoder reports it
}

}  // namespace

bool DecodeRtfPicture(TRtfPictureKind kind, const std::vector<uint8_t>& data, TRtfPicture& picture) {
  if (kind != rpkPng && kind != rpkJpeg && kind != rpkDib) return false;
  std::vector<uint8_t> bmp;
  const std::vector<uint8_t>* source = &data;
  if (kind == rpkDib) {
    bmp = DibToBmp(data);
    source = &bmp;
  }
  if (source->empty() || source->size() > size_t(std::numeric_limits<int>::max())) return false;
  if (kind == rpkPng && (source->size() < 8 || !PngChunksFit(*source))) return false;
  int width = 0, height = 0, channels = 0;
  const auto* bytes = source->data();
  int size = int(source->size());
  if (!stbi_info_from_memory(bytes, size, &width, &height, &channels)) return false;
  if (width <= 0 || height <= 0 || int64_t(width) * height > RtfMaxPicturePixels) return false;
  stbi_uc* rgba = stbi_load_from_memory(bytes, size, &width, &height, &channels, 4);
  if (!rgba) return false;
  if (width <= 0 || height <= 0 || int64_t(width) * height > RtfMaxPicturePixels) {
    stbi_image_free(rgba);
    return false;
  }
  picture.Width = width;
  picture.Height = height;
  picture.Pixels.resize(size_t(width) * height);
  for (size_t i = 0; i < picture.Pixels.size(); ++i) {
    const stbi_uc* p = rgba + 4 * i;
    picture.Pixels[i] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
  }
  stbi_image_free(rgba);
  return true;
}
