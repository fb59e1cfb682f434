#include "toolkit/core/Types.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

// The classic light system palette (0x00BBGGRR), indexed by system colour number.
constexpr TColor SystemColors[] = {
    0xC8D0D4, 0x984E00, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC8D0D4,
    0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040,
    0xC8D0D4, 0x000000, 0xE1FFFF, 0x000000, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC8D0D4,
};

}  // namespace

TColor ColorToRGB(TColor color) {
  if (color == clNone || color == clDefault) return clBlack;
  if (color & clSystemColor) {
    uint32_t index = uint32_t(color) & 0xFF;
    if (index < std::size(SystemColors)) return SystemColors[index];
    return clBlack;
  }
  return color & 0xFFFFFF;
}

TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) return {};
  return r;
}

TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

std::string Format(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, pattern, copy);
  va_end(copy);
  std::string out(n > 0 ? size_t(n) : 0, '\0');
  if (n > 0) std::vsnprintf(out.data(), out.size() + 1, pattern, args);
  va_end(args);
  return out;
}

std::vector<TRect> SubtractRect(const std::vector<TRect>& region, const TRect& cut) {
  if (cut.IsEmpty()) return region;
  std::vector<TRect> out;
  out.reserve(region.size() + 4);
  for (const TRect& r : region) {
    TRect i = IntersectRect(r, cut);
    if (i.IsEmpty()) {
      out.push_back(r);
      continue;
    }
    // Up to four pieces: the bands above and below the cut, and the parts left and right of it.
    if (r.Top < i.Top) out.push_back({r.Left, r.Top, r.Right, i.Top});
    if (i.Bottom < r.Bottom) out.push_back({r.Left, i.Bottom, r.Right, r.Bottom});
    if (r.Left < i.Left) out.push_back({r.Left, i.Top, i.Left, i.Bottom});
    if (i.Right < r.Right) out.push_back({i.Right, i.Top, r.Right, i.Bottom});
  }
  return out;
}
