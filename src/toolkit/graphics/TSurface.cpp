#include "toolkit/graphics/TSurface.h"

#include <utility>

void TSurface::Resize(int width, int height, uint32_t fill) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  FOwned.assign(size_t(width) * size_t(height), fill);
  FPixels = FOwned.empty() ? nullptr : FOwned.data();
  FWidth = width;
  FHeight = height;
  FStride = width;
}

void TSurface::Adopt(std::vector<uint32_t>&& pixels, int width, int height) {
  if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) {
    Resize(0, 0);
    return;
  }
  FOwned = std::move(pixels);
  FPixels = FOwned.data();
  FWidth = width;
  FHeight = height;
  FStride = width;
}

void TSurface::AttachExternal(uint32_t* pixels, int width, int height, int stride) {
  FOwned.clear();
  FPixels = pixels;
  FWidth = width;
  FHeight = height;
  FStride = stride;
}
