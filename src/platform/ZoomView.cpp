#include "platform/ZoomView.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

// Guards the floor and ceiling of products against binary rounding (1.1 * 10 ...).
constexpr double Slack = 1e-9;

struct TTapEntry {
  int Index = 0;
  uint32_t Weight = 256;
};

// For every output pixel along one axis: the first source pixel it covers and that
// pixel's share of it; the rest comes from the next source pixel.
void BuildAxis(std::vector<TTapEntry>& taps, int outputLength, int sourceLength, double factor) {
  taps.resize(size_t(std::max(outputLength, 0)));
  for (int o = 0; o < outputLength; ++o) {
    const double start = o / factor, end = (o + 1) / factor;
    int index = int(std::floor(start + Slack));
    uint32_t weight = 256;
    if (index >= sourceLength - 1) {
      index = std::max(sourceLength - 1, 0);
    } else {
      const double covered = std::min(double(index + 1), end) - start;
      weight = uint32_t(std::clamp(std::lround(covered * factor * 256), 0L, 256L));
    }
    taps[size_t(o)] = {index, weight};
  }
}

// p * w + q * (256 - w) per 8-bit channel, w in 0..256; four channels.
inline uint32_t Blend(uint32_t p, uint32_t q, uint32_t w) {
  if (w >= 256) return p;
  if (w == 0) return q;
  const uint32_t v = 256 - w;
  const uint32_t rb = (((p & 0x00FF00FFu) * w + (q & 0x00FF00FFu) * v + 0x00800080u) >> 8) & 0x00FF00FFu;
  const uint32_t ag = ((((p >> 8) & 0x00FF00FFu) * w + ((q >> 8) & 0x00FF00FFu) * v + 0x00800080u)) & 0xFF00FF00u;
  return rb | ag;
}

int FloorDiv(int value, double factor) {
  return int(std::floor(value / factor + Slack));
}

}  // namespace

int ZoomedLength(int n, double factor) {
  return int(std::ceil(n * factor - Slack));
}

double ChooseZoom(int width, int height, int usableWidth, int usableHeight, double desktopScale) {
  if (width <= 0 || height <= 0) return MinZoom;
  for (double f = MaxZoom; f > MinZoom; f -= 0.25) {
    if (f > desktopScale + Slack) continue;
    const double w = width * f, h = height * f;
    if (w <= 0.9 * usableWidth && h <= 0.9 * usableHeight && w * h <= 0.8 * double(usableWidth) * usableHeight)
      return f;
  }
  return MinZoom;
}

double FitZoom(int width, int height, int screenWidth, int screenHeight) {
  if (width <= 0 || height <= 0) return MinZoom;
  return std::max(MinZoom, std::min(double(screenWidth) / width, double(screenHeight) / height));
}

double ParseZoom(const std::string& text) {
  size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
  if (first == std::string::npos) return 0;
  double value = 0;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::fixed);
  if (error != std::errc() || stop != end || !(value >= MinZoom && value <= MaxZoom)) return 0;
  return value;
}

std::string FormatZoom(double factor) {
  char text[32];
  const double rounded = std::round(factor * 100) / 100;
  auto [stop, error] = std::to_chars(text, text + sizeof text, rounded);
  return error == std::errc() ? std::string(text, stop) : "1";
}

TPCursorImage ZoomCursorImage(const TPCursorImage& image, double factor) {
  if (image.Width <= 0 || image.Height <= 0 || image.Pixels.size() != size_t(image.Width) * image.Height) return image;
  factor = std::min(std::max(factor, MinZoom), 256.0 / std::max(image.Width, image.Height));
  if (factor <= 1 + Slack) return image;
  TPCursorImage out;
  out.Width = std::min(ZoomedLength(image.Width, factor), 256);
  out.Height = std::min(ZoomedLength(image.Height, factor), 256);
  out.HotX = std::clamp(int(std::floor(image.HotX * factor + (factor - 1) / 2 + Slack)), 0, out.Width - 1);
  out.HotY = std::clamp(int(std::floor(image.HotY * factor + (factor - 1) / 2 + Slack)), 0, out.Height - 1);
  // Blending in premultiplied form keeps transparent pixels' colours out of the edges.
  std::vector<uint32_t> premultiplied(image.Pixels.size());
  for (size_t i = 0; i < premultiplied.size(); ++i) {
    const uint32_t p = image.Pixels[i], a = p >> 24;
    const uint32_t r = ((p >> 16) & 255) * a / 255, g = ((p >> 8) & 255) * a / 255, b = (p & 255) * a / 255;
    premultiplied[i] = a << 24 | r << 16 | g << 8 | b;
  }
  std::vector<TTapEntry> columns, rows;
  BuildAxis(columns, out.Width, image.Width, factor);
  BuildAxis(rows, out.Height, image.Height, factor);
  out.Pixels.resize(size_t(out.Width) * out.Height);
  auto at = [&](int x, int y) {
    return premultiplied[size_t(std::min(y, image.Height - 1)) * image.Width + std::min(x, image.Width - 1)];
  };
  for (int y = 0; y < out.Height; ++y) {
    const TTapEntry row = rows[size_t(y)];
    for (int x = 0; x < out.Width; ++x) {
      const TTapEntry col = columns[size_t(x)];
      const uint32_t top = Blend(at(col.Index, row.Index), at(col.Index + 1, row.Index), col.Weight);
      const uint32_t bottom = Blend(at(col.Index, row.Index + 1), at(col.Index + 1, row.Index + 1), col.Weight);
      const uint32_t p = Blend(top, bottom, row.Weight), a = p >> 24;
      uint32_t pixel = 0;
      if (a) {
        const uint32_t r = std::min(((p >> 16) & 255) * 255 / a, 255u);
        const uint32_t g = std::min(((p >> 8) & 255) * 255 / a, 255u), b = std::min((p & 255) * 255 / a, 255u);
        pixel = a << 24 | r << 16 | g << 8 | b;
      }
      out.Pixels[size_t(y) * out.Width + x] = pixel;
    }
  }
  return out;
}

void TZoomView::SetSource(const uint32_t* pixels, int width, int height) {
  FSource = pixels;
  if (width != FWidth || height != FHeight) {
    FWidth = width;
    FHeight = height;
    SetGeometry(FFactor, FOutputWidth, FOutputHeight);
  }
}

void TZoomView::SetGeometry(double factor, int outputWidth, int outputHeight) {
  FFactor = std::max(factor, MinZoom);
  FImageWidth = ZoomedLength(FWidth, FFactor);
  FImageHeight = ZoomedLength(FHeight, FFactor);
  FOutputWidth = std::max(outputWidth, FImageWidth);
  FOutputHeight = std::max(outputHeight, FImageHeight);
  FImageLeft = (FOutputWidth - FImageWidth) / 2;
  FImageTop = (FOutputHeight - FImageHeight) / 2;
  BuildTaps(FColumns, FImageWidth, FWidth);
  BuildTaps(FRows, FImageHeight, FHeight);
  auto oneToOne = [](const std::vector<TTap>& taps, int sourceLength) {
    if (int(taps.size()) != sourceLength) return false;
    for (size_t i = 0; i < taps.size(); ++i)
      if (taps[i].Index != int(i) || taps[i].Weight < 256) return false;
    return true;
  };
  FOneToOne = oneToOne(FColumns, FWidth) && oneToOne(FRows, FHeight);
}

void TZoomView::BuildTaps(std::vector<TTap>& taps, int outputLength, int sourceLength) const {
  std::vector<TTapEntry> entries;
  BuildAxis(entries, outputLength, sourceLength, FFactor);
  taps.resize(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) taps[i] = {entries[i].Index, entries[i].Weight};
}

std::vector<TPRect> TZoomView::SetOverlay(const TPImage* image, int x, int y) {
  std::vector<TPRect> changed;
  if (!FOverlay.Pixels.empty())
    changed.push_back({FOverlayX, FOverlayY, FOverlayX + FOverlay.Width, FOverlayY + FOverlay.Height});
  FOverlay = image && image->Pixels.size() == size_t(image->Width) * image->Height ? *image : TPImage{};
  FOverlayX = x;
  FOverlayY = y;
  if (!FOverlay.Pixels.empty()) changed.push_back({x, y, x + FOverlay.Width, y + FOverlay.Height});
  return changed;
}

int TZoomView::ToSourceX(int x) const {
  return FloorDiv(x - FImageLeft, FFactor);
}

int TZoomView::ToSourceY(int y) const {
  return FloorDiv(y - FImageTop, FFactor);
}

TPRect TZoomView::ToOutput(const TPRect& rect) const {
  // A window pixel blends the framebuffer pixel it starts in with the next one, so a
  // changed pixel also touches the window pixel just before its own; one more on each
  // side covers rounding.
  TPRect out;
  out.Left = std::max(int(std::floor(rect.Left * FFactor + Slack)) - 1, 0) + FImageLeft;
  out.Top = std::max(int(std::floor(rect.Top * FFactor + Slack)) - 1, 0) + FImageTop;
  out.Right = std::min(ZoomedLength(rect.Right, FFactor) + 1, FImageWidth) + FImageLeft;
  out.Bottom = std::min(ZoomedLength(rect.Bottom, FFactor) + 1, FImageHeight) + FImageTop;
  return out;
}

std::vector<TPRect> TZoomView::Render(const std::vector<TPRect>& rects, uint32_t* target, int stride) {
  std::vector<TPRect> changed;
  if (!FSource || !target || FWidth <= 0 || FHeight <= 0) return changed;
  changed.reserve(rects.size());
  for (const TPRect& given : rects) {
    const TPRect rect{std::max(given.Left, 0), std::max(given.Top, 0), std::min(given.Right, FWidth),
                      std::min(given.Bottom, FHeight)};
    if (rect.Left >= rect.Right || rect.Top >= rect.Bottom) continue;
    const TPRect out = ToOutput(rect);
    if (out.Left >= out.Right || out.Top >= out.Bottom) continue;
    // The framebuffer pixels the window pixels of out read.
    const TPRect need{std::max(rect.Left - 2, 0), std::max(rect.Top - 2, 0), std::min(rect.Right + 2, FWidth),
                      std::min(rect.Bottom + 2, FHeight)};
    const bool overlaid = !FOverlay.Pixels.empty() && FOverlayX < need.Right &&
                          FOverlayX + FOverlay.Width > need.Left && FOverlayY < need.Bottom &&
                          FOverlayY + FOverlay.Height > need.Top;
    if (!overlaid) {
      RenderRect(FSource, FWidth, 0, 0, FWidth, FHeight, out, target, stride);
    } else {
      const int w = need.Right - need.Left, h = need.Bottom - need.Top;
      FScratch.resize(size_t(w) * h);
      for (int y = 0; y < h; ++y)
        std::memcpy(&FScratch[size_t(y) * w], FSource + size_t(need.Top + y) * FWidth + need.Left, size_t(w) * 4);
      const int l = std::max(need.Left, FOverlayX), r = std::min(need.Right, FOverlayX + FOverlay.Width);
      const int t = std::max(need.Top, FOverlayY), b = std::min(need.Bottom, FOverlayY + FOverlay.Height);
      for (int y = t; y < b; ++y)
        std::memcpy(&FScratch[size_t(y - need.Top) * w + (l - need.Left)],
                    &FOverlay.Pixels[size_t(y - FOverlayY) * FOverlay.Width + (l - FOverlayX)], size_t(r - l) * 4);
      RenderRect(FScratch.data(), w, need.Left, need.Top, need.Right, need.Bottom, out, target, stride);
    }
    changed.push_back(out);
  }
  return changed;
}

TPRect TZoomView::RenderAll(uint32_t* target, int stride) {
  if (!target) return {};
  for (int y = 0; y < FOutputHeight; ++y) {
    uint32_t* row = target + size_t(y) * stride;
    if (y < FImageTop || y >= FImageTop + FImageHeight) {
      std::fill(row, row + FOutputWidth, FBackdrop);
    } else {
      std::fill(row, row + FImageLeft, FBackdrop);
      std::fill(row + FImageLeft + FImageWidth, row + FOutputWidth, FBackdrop);
    }
  }
  Render({{0, 0, FWidth, FHeight}}, target, stride);
  return {0, 0, FOutputWidth, FOutputHeight};
}

void TZoomView::RenderRect(const uint32_t* source, int sourceStride, int originX, int originY, int sourceRight,
                           int sourceBottom, const TPRect& out, uint32_t* target, int stride) const {
  auto sourceRow = [&](int y) { return source + size_t(std::min(y, sourceBottom - 1) - originY) * sourceStride; };
  const int lastX = sourceRight - 1;
  if (FOneToOne) {
    // Unzoomed: each window row is a framebuffer row, copied as it is.
    for (int oy = out.Top; oy < out.Bottom; ++oy)
      std::memcpy(target + size_t(oy) * stride + out.Left,
                  sourceRow(oy - FImageTop) + (out.Left - FImageLeft - originX), size_t(out.Right - out.Left) * 4);
    return;
  }
  const bool whole = std::abs(FFactor - std::round(FFactor)) < Slack;
  int previousIndex = -1;
  uint32_t* previous = nullptr;
  for (int oy = out.Top; oy < out.Bottom; ++oy) {
    uint32_t* dst = target + size_t(oy) * stride;
    const TTap row = FRows[size_t(oy - FImageTop)];
    // At whole factors a window row repeats the one above when both show one framebuffer row.
    if (whole && previous && row.Index == previousIndex) {
      std::memcpy(dst + out.Left, previous + out.Left, size_t(out.Right - out.Left) * 4);
      continue;
    }
    const uint32_t* upper = sourceRow(row.Index);
    const uint32_t* lower = sourceRow(row.Index + 1);
    for (int ox = out.Left; ox < out.Right; ++ox) {
      const TTap col = FColumns[size_t(ox - FImageLeft)];
      const int x0 = col.Index - originX, x1 = std::min(col.Index + 1, lastX) - originX;
      if (col.Weight >= 256 && row.Weight >= 256) {
        dst[ox] = upper[x0];
        continue;
      }
      const uint32_t top = Blend(upper[x0], upper[x1], col.Weight);
      const uint32_t bottom = Blend(lower[x0], lower[x1], col.Weight);
      dst[ox] = Blend(top, bottom, row.Weight) & 0x00FFFFFFu;
    }
    previous = dst;
    previousIndex = row.Index;
  }
}

}  // namespace platform
