#pragma once

// Helpers shared by the sprite engine: plain pixel copies and off-screen composition.

#include <cstdint>
#include <cstring>
#include <utility>

#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"

namespace spritecompose {

// Above this many pixels an area is recomposed on the canvas itself rather than in
// a temporary bitmap: the result is the same (nothing is shown before the handler
// returns), only a copy of that size is avoided.
constexpr int64_t MaxOffscreenPixels = int64_t(1) << 22;

// A plain pixel copy (SRCCOPY), whatever copy mode the destination canvas was left in.
inline void CopyPlain(TCanvas& dest, const TRect& destRect, TCanvas& source, const TRect& sourceRect) {
  TRop mode = dest.CopyMode;
  dest.CopyMode = SRCCOPY;
  dest.CopyRect(destRect, source, sourceRect);
  dest.CopyMode = mode;
}

// Copies srcRect of src to (x, y) of dst, clipped to both: a plain copy between the
// engine's own bitmaps, which have neither origin nor clip.
inline void CopyPixels(TSurface& dst, int x, int y, const TSurface& src, const TRect& srcRect) {
  TRect from = IntersectRect(srcRect, {0, 0, src.Width(), src.Height()});
  x += from.Left - srcRect.Left;
  y += from.Top - srcRect.Top;
  TRect to = IntersectRect(Bounds(x, y, from.Width(), from.Height()), {0, 0, dst.Width(), dst.Height()});
  if (to.IsEmpty()) return;
  const int sx = from.Left + to.Left - x, sy = from.Top + to.Top - y;
  for (int row = 0; row < to.Height(); ++row)
    std::memcpy(dst.Row(to.Top + row) + to.Left, src.Row(sy + row) + sx, size_t(to.Width()) * sizeof(uint32_t));
  dst.Changed(to);
}

// Draws bitmap at (x, y) of dst exactly as a canvas draws it: when the bitmap is
// Transparent, pixels of its transparent colour are skipped.
inline void DrawPixels(TSurface& dst, int x, int y, const TBitmap& bitmap) {
  const TSurface& src = bitmap.Surface();
  TRect to = IntersectRect(Bounds(x, y, src.Width(), src.Height()), {0, 0, dst.Width(), dst.Height()});
  if (to.IsEmpty()) return;
  const bool keyed = bitmap.Transparent;
  const uint32_t key = keyed ? ColorToPixel(ColorToRGB(bitmap.TransparentColor())) : 0;
  const int width = to.Width();
  for (int row = 0; row < to.Height(); ++row) {
    const uint32_t* __restrict s = src.Row(to.Top - y + row) + (to.Left - x);
    uint32_t* __restrict d = dst.Row(to.Top + row) + to.Left;
    if (!keyed) {
      for (int i = 0; i < width; ++i) d[i] = s[i] & 0xFFFFFF;
      continue;
    }
    // Branch-free, so that the loop runs on whole vectors of pixels.
    for (int i = 0; i < width; ++i) {
      uint32_t p = s[i] & 0xFFFFFF;
      uint32_t keep = p == key ? ~0u : 0u;
      d[i] = (d[i] & keep) | (p & ~keep);
    }
  }
  dst.Changed(to);
}

// Where a composition draws: a canvas, and, when that canvas is a temporary
// bitmap's, the bitmap's pixels and the offset from canvas to pixel coordinates,
// for the engine's direct copies.
struct TComposeTarget {
  TCanvas& Canvas;
  TSurface* Pixels = nullptr;
  TPoint Offset;
};

// Runs op(target) where target is a temporary bitmap holding a copy of area of c,
// with c's coordinates, then copies area back to c in one step. The pixels of area
// inside overwritten are not copied in: op promises to paint all of them. An area
// too large for a temporary bitmap is worked on c directly.
template <class F>
void ComposeArea(TCanvas& c, const TRect& area, const TRect& overwritten, F&& op) {
  if (area.IsEmpty() || int64_t(area.Width()) * area.Height() > MaxOffscreenPixels) {
    op(TComposeTarget{c, nullptr, {}});
    return;
  }
  TBitmap buffer;
  buffer.SetSize(area.Width(), area.Height());
  TCanvas& canvas = buffer.Canvas();
  canvas.SetOrigin({-area.Left, -area.Top});
  for (const TRect& piece : SubtractRect({area}, overwritten)) CopyPlain(canvas, piece, c, piece);
  op(TComposeTarget{canvas, &buffer.Surface(), {-area.Left, -area.Top}});
  CopyPlain(c, area, canvas, area);
}

template <class F>
void ComposeArea(TCanvas& c, const TRect& area, F&& op) {
  ComposeArea(c, area, TRect{}, std::forward<F>(op));
}

}  // namespace spritecompose
