#include "platform/Png.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <limits>

#include "platform/Files.h"

namespace platform {

namespace {

// Larger images are refused rather than risking a huge allocation.
constexpr int64_t MaxPixels = 64 * 1024 * 1024;

bool SizeIsSane(int width, int height) {
  return width > 0 && height > 0 && int64_t(width) * height <= MaxPixels;
}

std::vector<uint32_t> ToPixels(stbi_uc* rgba, int width, int height, TPngAlpha alpha) {
  std::vector<uint32_t> pixels;
  if (!rgba) return pixels;
  if (SizeIsSane(width, height)) {
    pixels.resize(size_t(width) * height);
    const uint32_t alphaMask = alpha == TPngAlpha::pngaKeep ? 0xFF000000u : 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
      const stbi_uc* p = rgba + i * 4;
      pixels[i] = ((uint32_t(p[3]) << 24) & alphaMask) | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
  }
  stbi_image_free(rgba);
  return pixels;
}

}  // namespace

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int stride) {
  if (!pixels || !SizeIsSane(width, height) || stride < width) return false;
  std::vector<uint8_t> rgb(size_t(width) * height * 3);
  uint8_t* out = rgb.data();
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + size_t(y) * stride;
    for (int x = 0; x < width; ++x) {
      *out++ = uint8_t(row[x] >> 16);
      *out++ = uint8_t(row[x] >> 8);
      *out++ = uint8_t(row[x]);
    }
  }
  return stbi_write_png(NativePath(path).c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

std::vector<uint32_t> DecodePng(const void* data, size_t size, int& width, int& height, TPngAlpha alpha) {
  width = height = 0;
  if (!data || size == 0 || size > size_t(std::numeric_limits<int>::max())) return {};
  int w = 0, h = 0, channels = 0;
  const auto* bytes = static_cast<const stbi_uc*>(data);
  if (!stbi_info_from_memory(bytes, int(size), &w, &h, &channels) || !SizeIsSane(w, h)) return {};
  stbi_uc* rgba = stbi_load_from_memory(bytes, int(size), &w, &h, &channels, 4);
  std::vector<uint32_t> pixels = ToPixels(rgba, w, h, alpha);
  if (!pixels.empty()) width = w, height = h;
  return pixels;
}

std::vector<uint32_t> ReadPng(const std::string& path, int& width, int& height, TPngAlpha alpha) {
  std::string data;
  if (!ReadWholeFile(path, data)) {
    width = height = 0;
    return {};
  }
  return DecodePng(data.data(), data.size(), width, height, alpha);
}

}  // namespace platform
