#pragma once

// Helpers shared by the sprite engine: plain pixel copies and off-screen composition.

#include <cstdint>
#include <utility>

#include "toolkit/TBitmap.h"
#include "toolkit/TCanvas.h"
#include "toolkit/TControlCanvas.h"

namespace spritecompose {

// Above this many pixels an area is recomposed on the canvas itself rather than in
// a temporary bitmap: the result is the same (nothing is shown before the handler
// returns), only a copy of that size is avoided.
constexpr int64_t kMaxOffscreenPixels = int64_t(1) << 22;

// A plain pixel copy (SRCCOPY), whatever copy mode the destination canvas was left in.
inline void CopyPlain(TCanvas& dest, const TRect& destRect, TCanvas& source, const TRect& sourceRect) {
  TRop mode = dest.CopyMode;
  dest.CopyMode = SRCCOPY;
  dest.CopyRect(destRect, source, sourceRect);
  dest.CopyMode = mode;
}

// Runs op(target) where target is a temporary bitmap's canvas holding a copy of
// area of c, with c's coordinates, then copies area back to c in one step. The
// pixels of area inside overwritten are not copied in: op promises to paint all of
// them. An area too large for a temporary bitmap is worked on c directly.
template <class F>
void ComposeArea(TCanvas& c, const TRect& area, const TRect& overwritten, F&& op) {
  if (area.IsEmpty() || int64_t(area.Width()) * area.Height() > kMaxOffscreenPixels) {
    op(c);
    return;
  }
  TBitmap buffer;
  buffer.SetSize(area.Width(), area.Height());
  TCanvas& target = buffer.Canvas();
  target.SetOrigin({-area.Left, -area.Top});
  for (const TRect& piece : SubtractRect({area}, overwritten)) CopyPlain(target, piece, c, piece);
  op(target);
  CopyPlain(c, area, target, area);
}

template <class F>
void ComposeArea(TCanvas& c, const TRect& area, F&& op) {
  ComposeArea(c, area, TRect{}, std::forward<F>(op));
}

}  // namespace spritecompose
