#pragma once

// A block of 32-bit pixels (0x00RRGGBB) that canvases draw on: a bitmap's own
// storage or a form's framebuffer. Drawing reports the changed area to OnChange,
// which the form uses to know what to present.

#include <cstdint>
#include <functional>
#include <vector>

#include "toolkit/core/Types.h"

class TSurface {
public:
  TSurface() = default;
  TSurface(int width, int height, uint32_t fill = 0) { Resize(width, height, fill); }
  // Copying would share or dangle the pixel pointer; surfaces move but do not copy.
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;
  TSurface(TSurface&&) = default;
  TSurface& operator=(TSurface&&) = default;

  // Own storage of width x height pixels, filled with fill.
  void Resize(int width, int height, uint32_t fill = 0);
  // Takes over width x height pixels, row after row (a decoded picture, without a copy).
  void Adopt(std::vector<uint32_t>&& pixels, int width, int height);
  // Draws straight into foreign memory (the display's framebuffer); stride in pixels.
  void AttachExternal(uint32_t* pixels, int width, int height, int stride);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Stride() const { return FStride; }
  uint32_t* Pixels() { return FPixels; }
  const uint32_t* Pixels() const { return FPixels; }
  uint32_t* Row(int y) { return FPixels + size_t(y) * size_t(FStride); }
  const uint32_t* Row(int y) const { return FPixels + size_t(y) * size_t(FStride); }
  uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
  void SetPixel(int x, int y, uint32_t p) { Row(y)[x] = p; }
  bool InBounds(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }

  // Called with the surface rectangle that a drawing operation changed.
  std::function<void(const TRect&)> OnChange;
  void Changed(const TRect& r) {
    if (OnChange && !r.IsEmpty()) OnChange(r);
  }

private:
  std::vector<uint32_t> FOwned;
  uint32_t* FPixels = nullptr;
  int FWidth = 0, FHeight = 0, FStride = 0;
};
