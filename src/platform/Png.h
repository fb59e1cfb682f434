#pragma once

// PNG files for screenshots and golden images. Pixels are 32-bit words; the
// framebuffer's 0x00RRGGBB layout is the default.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Whether a decoded image keeps its alpha channel (0xAARRGGBB) or drops it (0x00RRGGBB).
enum class TPngAlpha : uint8_t { pngaDrop, pngaKeep };

// Writes width x height pixels (0x00RRGGBB, the high byte ignored) as an RGB PNG.
// stride is the distance between rows in pixels. False when the file cannot be written.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int stride);

// Reads a PNG (any colour type) as 32-bit pixels, rows packed. Empty, with width and
// height 0, when the file is missing or not a readable PNG.
std::vector<uint32_t> ReadPng(const std::string& path, int& width, int& height, TPngAlpha alpha = TPngAlpha::pngaDrop);

// The same for a PNG held in memory.
std::vector<uint32_t> DecodePng(const void* data, size_t size, int& width, int& height,
                                TPngAlpha alpha = TPngAlpha::pngaDrop);

}  // namespace platform
