#include "toolkit/graphics/RasterOps.h"

namespace {

// The hatch brushes as 8 x 8 bit masks, one byte per row, bit 7 the leftmost pixel.
constexpr uint8_t HatchPatterns[6][8] = {
    {0xFF, 0, 0, 0, 0, 0, 0, 0},                       // bsHorizontal
    {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // bsVertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // bsFDiagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // bsBDiagonal
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // bsCross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // bsDiagCross
};

}  // namespace

bool HatchBit(TBrushStyle style, int x, int y) {
  if (style < bsHorizontal || style > bsDiagCross) return false;
  return HatchPatterns[style - bsHorizontal][y & 7] & (0x80 >> (x & 7));
}

const std::vector<int>& DashPattern(TPenStyle style) {
  static const std::vector<int> NoDashes, Dash{18, 6}, Dot{3, 3}, DashDot{9, 6, 3, 6}, DashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
    case psDash:
      return Dash;
    case psDot:
      return Dot;
    case psDashDot:
      return DashDot;
    case psDashDotDot:
      return DashDotDot;
    default:
      return NoDashes;
  }
}

uint32_t TernaryRop(uint8_t rop3, uint32_t p, uint32_t s, uint32_t d) {
  switch (rop3) {
    case 0xCC:
      return s;
    case 0x88:
      return s & d;
    case 0xEE:
      return s | d;
    case 0x66:
      return s ^ d;
    case 0x44:
      return s & ~d;
    case 0x33:
      return ~s;
    case 0xBB:
      return ~s | d;
    case 0xF0:
      return p;
    case 0xE2:
      return ((d ^ p) & s) ^ d;  // brush where the source is set, destination where clear
    case 0x00:
      return 0;
    case 0xFF:
      return 0xFFFFFF;
    default:
      break;
  }
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i)
    if (rop3 & (1 << i)) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  return r;
}
