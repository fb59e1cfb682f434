#pragma once

// Pixel-level building blocks of the canvas: hatch patterns, pen dash patterns and
// the ternary raster operations of block transfers.

#include <cstdint>
#include <vector>

#include "toolkit/graphics/TCanvas.h"

// Whether the hatch brush style (bsHorizontal .. bsDiagCross) sets the pixel at
// surface position (x, y); hatches repeat every 8 pixels from the surface origin.
bool HatchBit(TBrushStyle style, int x, int y);

// On/off runs in pixels of a styled pen; empty for solid and clear pens.
const std::vector<int>& DashPattern(TPenStyle style);

// A ternary raster operation (the middle byte of a ROP code) on 24-bit pixels: bit
// (P << 2 | S << 1 | D) of rop3 gives each result bit, P being the brush, S the
// source and D the destination.
uint32_t TernaryRop(uint8_t rop3, uint32_t p, uint32_t s, uint32_t d);

// Whether the result of a raster operation depends on the brush.
inline bool RopUsesPattern(uint8_t rop3) {
  return ((rop3 >> 4) & 0x0F) != (rop3 & 0x0F);
}
