#include "toolkit/graphics/TSurface.h"

void TSurface::Resize(int width, int height, uint32_t fill) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  FOwned.assign(size_t(width) * size_t(height), fill);
  FPixels = FOwned.empty() ? nullptr : FOwned.data();
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
