#include "toolkit/graphics/TCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "toolkit/graphics/FontEngine.h"
#include "toolkit/graphics/RasterOps.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TextLayout.h"

namespace {

uint32_t ToPixel(TColor color) {
  return ColorToPixel(ColorToRGB(color));
}

bool SameMemory(const TSurface& a, const TSurface& b) {
  if (!a.Pixels() || !b.Pixels()) return false;
  const uint32_t* aEnd = a.Pixels() + size_t(a.Stride()) * size_t(a.Height());
  const uint32_t* bEnd = b.Pixels() + size_t(b.Stride()) * size_t(b.Height());
  return a.Pixels() < bEnd && b.Pixels() < aEnd;
}

}  // namespace

// --- Pen and brush -------------------------------------------------------------------

void TPen::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TPen*>(source);
  if (!other) return TPersistent::Assign(source);
  Color = other->Color;
  Width = other->Width;
  Style = other->Style;
  Mode = other->Mode;
}

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TBrush*>(source);
  if (!other) return TPersistent::Assign(source);
  Color = other->Color;
  SetBitmap(other->Bitmap());
  Style = other->Style;
}

void TBrush::SetBitmap(const TBitmap* pattern) {
  if (pattern == FPattern.get()) return;
  if (!pattern) {
    FPattern.reset();
    Style = bsSolid;
    return;
  }
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(const_cast<TBitmap*>(pattern));
  FPattern = std::move(copy);
  Style = bsPattern;
}

// --- Canvas state and clipping ------------------------------------------------------

TCanvas::TCanvas(TSurface* surface) : FSurface(surface) {}
TCanvas::~TCanvas() = default;

void TCanvas::SetClipRegion(std::vector<TRect> surfaceRects) {
  // Kept as disjoint rectangles, so that blending operations touch every pixel once.
  FClip.clear();
  for (const TRect& r : surfaceRects) {
    std::vector<TRect> pieces{r};
    for (const TRect& have : FClip) pieces = SubtractRect(pieces, have);
    for (const TRect& p : pieces)
      if (!p.IsEmpty()) FClip.push_back(p);
  }
  FClipSet = true;
}

void TCanvas::ClearClipRegion() {
  FClipSet = false;
  FClip.clear();
}

TRect TCanvas::SurfaceBounds() const {
  return FSurface ? TRect{0, 0, FSurface->Width(), FSurface->Height()} : TRect{};
}

TRect TCanvas::ClipRect() {
  RequiredState();
  return VisibleBox();
}

TRect TCanvas::VisibleBox() const {
  TRect box = SurfaceBounds();
  if (FClipSet) {
    TRect u;
    for (const TRect& c : FClip) u = UnionRect(u, IntersectRect(c, box));
    box = u;
  }
  return box.IsEmpty() ? TRect{} : box.Offset(-FOrigin.X, -FOrigin.Y);
}

template <class F>
void TCanvas::ForEachClip(const TRect& surfaceRect, F&& f) {
  TRect bounds = IntersectRect(surfaceRect, SurfaceBounds());
  if (bounds.IsEmpty()) return;
  if (!FClipSet) {
    f(bounds);
    FSurface->Changed(bounds);
    return;
  }
  for (const TRect& c : FClip) {
    TRect piece = IntersectRect(bounds, c);
    if (piece.IsEmpty()) continue;
    f(piece);
    FSurface->Changed(piece);
  }
}

bool TCanvas::Visible(int sx, int sy) const {
  if (!FSurface || !FSurface->InBounds(sx, sy)) return false;
  if (!FClipSet) return true;
  for (const TRect& c : FClip)
    if (c.Contains(sx, sy)) return true;
  return false;
}

// --- Pixels, lines, shapes ------------------------------------------------------------

TColor TCanvas::GetPixel(int x, int y) {
  RequiredState();
  int sx = x + FOrigin.X, sy = y + FOrigin.Y;
  if (!Visible(sx, sy)) return clNone;
  return PixelToColor(FSurface->Pixel(sx, sy) & 0xFFFFFF);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  RequiredState();
  int sx = x + FOrigin.X, sy = y + FOrigin.Y;
  if (!Visible(sx, sy)) return;
  FSurface->SetPixel(sx, sy, ToPixel(color));
  FSurface->Changed({sx, sy, sx + 1, sy + 1});
}

uint32_t TCanvas::PenPixel(uint32_t dst) const {
  uint32_t pen = ToPixel(FPen.Color);
  switch (FPen.Mode) {
    case pmNot:
      return ~dst & 0xFFFFFF;
    case pmXor:
      return (dst ^ pen) & 0xFFFFFF;
    case pmMerge:
      return (dst | pen) & 0xFFFFFF;
    case pmMask:
      return dst & pen;
    default:
      return pen;
  }
}

void TCanvas::PenFill(const TRect& canvasRect) {
  if (FPen.Style == psClear || canvasRect.IsEmpty()) return;
  ForEachClip(canvasRect.Offset(FOrigin.X, FOrigin.Y), [&](const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y) {
      uint32_t* row = FSurface->Row(y);
      for (int x = r.Left; x < r.Right; ++x) row[x] = PenPixel(row[x]);
    }
  });
}

void TCanvas::MoveTo(int x, int y) {
  FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  RequiredState();
  DrawLine(FPenPos, {x, y});
  FPenPos = {x, y};
}

// A line from a up to, but not including, b, in the pen's width and style.
void TCanvas::DrawLine(TPoint a, TPoint b) {
  if (FPen.Style == psClear || !FSurface) return;
  const std::vector<int>& dashes = DashPattern(FPen.Style);
  int w = std::max(1, FPen.Width), half = (w - 1) / 2;
  if (!ClipLine(a, b, w + 2)) return;
  int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
  int stepX = a.X < b.X ? 1 : -1, stepY = a.Y < b.Y ? 1 : -1;
  int err = dx + dy, x = a.X, y = a.Y;
  size_t dash = 0;
  int dashLeft = dashes.empty() ? 0 : dashes[0];
  TRect changed;
  while (x != b.X || y != b.Y) {
    bool on = dashes.empty() || dash % 2 == 0;
    for (int py = y - half; on && py < y - half + w; ++py)
      for (int px = x - half; px < x - half + w; ++px) {
        int sx = px + FOrigin.X, sy = py + FOrigin.Y;
        if (!Visible(sx, sy)) continue;
        FSurface->SetPixel(sx, sy, PenPixel(FSurface->Pixel(sx, sy)));
        changed = UnionRect(changed, {sx, sy, sx + 1, sy + 1});
      }
    if (!dashes.empty() && --dashLeft == 0) dashLeft = dashes[++dash % dashes.size()];
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x += stepX;
    if (e2 <= dx) err += dx, y += stepY;
  }
  FSurface->Changed(changed);
}

// Shortens a very long line to the part near the visible area, so that walking it
// pixel by pixel stays cheap; false when none of it can be seen.
bool TCanvas::ClipLine(TPoint& a, TPoint& b, int margin) const {
  TRect box = VisibleBox();
  if (box.IsEmpty()) return false;
  box = {box.Left - margin, box.Top - margin, box.Right + margin, box.Bottom + margin};
  double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
  if (std::max(std::abs(dx), std::abs(dy)) <= 4096) return true;
  double t0 = 0, t1 = 1;
  auto edge = [&](double p, double q) {
    if (p == 0) return q >= 0;
    double t = q / p;
    if (p < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    return t0 <= t1;
  };
  if (!edge(-dx, a.X - box.Left) || !edge(dx, box.Right - a.X) || !edge(-dy, a.Y - box.Top) ||
      !edge(dy, box.Bottom - a.Y))
    return false;
  TPoint from{int(std::lround(a.X + t0 * dx)), int(std::lround(a.Y + t0 * dy))};
  TPoint to{int(std::lround(a.X + t1 * dx)), int(std::lround(a.Y + t1 * dy))};
  a = from;
  b = to;
  return true;
}

void TCanvas::FillSurfaceRect(const TRect& canvasRect, uint32_t pixel) {
  ForEachClip(canvasRect.Offset(FOrigin.X, FOrigin.Y), [&](const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y) std::fill(FSurface->Row(y) + r.Left, FSurface->Row(y) + r.Right, pixel);
  });
}

void TCanvas::BrushFill(const TRect& canvasRect) {
  if (FBrush.Style == bsClear || canvasRect.IsEmpty() || !FSurface) return;
  uint32_t color = ToPixel(FBrush.Color);
  const TBitmap* pattern = FBrush.Bitmap();
  if (FBrush.Style == bsSolid || (FBrush.Style == bsPattern && (!pattern || pattern->Empty())))
    return FillSurfaceRect(canvasRect, color);
  // Patterns and hatches are tiled from the surface's origin, so that neighbouring
  // fills line up.
  ForEachClip(canvasRect.Offset(FOrigin.X, FOrigin.Y), [&](const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y) {
      uint32_t* row = FSurface->Row(y);
      for (int x = r.Left; x < r.Right; ++x) {
        if (FBrush.Style == bsPattern) {
          row[x] = pattern->Surface().Pixel(x % pattern->Width(), y % pattern->Height()) & 0xFFFFFF;
        } else if (HatchBit(FBrush.Style, x, y)) {
          row[x] = color;
        }
      }
    }
  });
}

void TCanvas::FillRect(const TRect& r) {
  RequiredState();
  BrushFill(r);
}

void TCanvas::Rectangle(const TRect& rect) {
  RequiredState();
  TRect r{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom), std::max(rect.Left, rect.Right),
          std::max(rect.Top, rect.Bottom)};
  if (FPen.Style == psClear) return BrushFill(r);
  int w = std::max(1, FPen.Width);
  BrushFill({r.Left + w, r.Top + w, r.Right - w, r.Bottom - w});
  if (FPen.Style != psSolid && FPen.Style != psInsideFrame && w == 1) {
    DrawLine({r.Left, r.Top}, {r.Right - 1, r.Top});
    DrawLine({r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1});
    DrawLine({r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1});
    DrawLine({r.Left, r.Bottom - 1}, {r.Left, r.Top});
    return;
  }
  w = std::min({w, r.Width(), r.Height()});
  PenFill({r.Left, r.Top, r.Right, r.Top + w});
  PenFill({r.Left, r.Bottom - w, r.Right, r.Bottom});
  PenFill({r.Left, r.Top + w, r.Left + w, r.Bottom - w});
  PenFill({r.Right - w, r.Top + w, r.Right, r.Bottom - w});
}

void TCanvas::FrameRect(const TRect& r) {
  RequiredState();
  if (FBrush.Style == bsClear || r.IsEmpty()) return;
  uint32_t color = ToPixel(FBrush.Color);
  FillSurfaceRect({r.Left, r.Top, r.Right, r.Top + 1}, color);
  FillSurfaceRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
  FillSurfaceRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, color);
  FillSurfaceRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, color);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  RequiredState();
  if (points.size() < 2) return;
  // Interior by the even-odd rule, sampled at pixel centres, one span at a time.
  int top = points[0].Y, bottom = points[0].Y;
  for (const TPoint& p : points) top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
  TRect box = VisibleBox();
  top = std::max(top, box.Top);
  bottom = std::min(bottom, box.Bottom);
  for (int y = top; y < bottom && FBrush.Style != bsClear; ++y) {
    double cy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < points.size(); ++i) {
      TPoint a = points[i], b = points[(i + 1) % points.size()];
      if ((a.Y <= cy) != (b.Y <= cy)) xs.push_back(a.X + (cy - a.Y) * (b.X - a.X) / double(b.Y - a.Y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      BrushFill({int(std::ceil(xs[i] - 0.5)), y, int(std::ceil(xs[i + 1] - 0.5)), y + 1});
  }
  for (size_t i = 0; i < points.size(); ++i) DrawLine(points[i], points[(i + 1) % points.size()]);
}

void TCanvas::Ellipse(const TRect& r) {
  RequiredState();
  if (r.IsEmpty()) return;
  double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
  double rx = r.Width() / 2.0, ry = r.Height() / 2.0;
  auto inside = [&](int x, int y) {
    double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
    return nx * nx + ny * ny <= 1.0;
  };
  bool pen = FPen.Style != psClear;
  TRect area = IntersectRect(r, VisibleBox());  // only the rows and columns that can show
  for (int y = area.Top; y < area.Bottom; ++y) {
    int x = area.Left;
    while (x < area.Right) {
      if (!inside(x, y)) {
        ++x;
        continue;
      }
      bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      if (pen && edge) {
        PenFill({x, y, x + 1, y + 1});
        ++x;
        continue;
      }
      int start = x;
      while (x < area.Right && inside(x, y) && !(pen && (!inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1))))
        ++x;
      BrushFill({start, y, x, y + 1});
    }
  }
}

// --- Text -----------------------------------------------------------------------------

TFontInstance& TCanvas::FontInstance() {
  return TFontEngine::Instance().Get(FFont);
}

void TCanvas::DrawTextRun(int x, int y, std::u32string_view text, const TRect* limit, int accel) {
  TFontInstance& font = FontInstance();
  uint32_t pixel = ToPixel(FFont.Color());
  TRect box = font.TextBounds(x, y, text);
  if (limit) box = IntersectRect(box, *limit);
  ForEachClip(box.Offset(FOrigin.X, FOrigin.Y), [&](const TRect& piece) {
    font.Draw(*FSurface, piece, x + FOrigin.X, y + FOrigin.Y, text, pixel, FFont.Style());
    if (accel >= 0 && accel < int(text.size()))
      font.DrawUnderline(*FSurface, piece, x + FOrigin.X + font.TextWidth(text.substr(0, size_t(accel))), y + FOrigin.Y,
                         font.CharWidth(text[size_t(accel)]), pixel);
  });
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  RequiredState();
  if (!FSurface) return;
  std::u32string u = Cp1252ToUtf32(text);
  TFontInstance& font = FontInstance();
  int width = font.TextWidth(u);
  if (FBrush.Style != bsClear) FillSurfaceRect({x, y, x + width, y + font.Height()}, ToPixel(FBrush.Color));
  DrawTextRun(x, y, u, nullptr, -1);
  FPenPos = {x + width, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  RequiredState();
  if (!FSurface) return;
  if (FBrush.Style != bsClear) FillSurfaceRect(r, ToPixel(FBrush.Color));
  DrawTextRun(x, y, Cp1252ToUtf32(text), &r, -1);
}

int TCanvas::TextWidth(const std::string& text) {
  return TextExtent(text).X;
}
int TCanvas::TextHeight(const std::string& text) {
  return TextExtent(text).Y;
}

TPoint TCanvas::TextExtent(const std::string& text) {
  TFontInstance& font = FontInstance();
  return {font.TextWidth(Cp1252ToUtf32(text)), font.Height()};
}

int TCanvas::DrawText(const std::string& text, TRect& r, uint32_t flags) {
  RequiredState();
  TFontInstance& font = FontInstance();
  int lineHeight = font.Height();
  if (text.empty()) {
    if (flags & DT_CALCRECT) {
      r.Right = r.Left;
      r.Bottom = r.Top + ((flags & DT_SINGLELINE) ? lineHeight : 0);
    }
    return 0;
  }
  std::vector<TTextLine> lines = BreakText(text, flags, r.Width(), font);
  int total = int(lines.size()) * lineHeight;
  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const TTextLine& line : lines) widest = std::max(widest, line.Width);
    r.Right = r.Left + widest;
    r.Bottom = r.Top + total;
    return total;
  }
  if (!FSurface) return total;
  // Vertical placement applies to the whole block of lines.
  int y = r.Top;
  if (flags & DT_VCENTER)
    y = r.Top + (r.Height() - total) / 2;
  else if (flags & DT_BOTTOM)
    y = r.Bottom - total;
  const TRect* limit = (flags & DT_NOCLIP) ? nullptr : &r;
  for (const TTextLine& line : lines) {
    int x = r.Left;
    if (flags & DT_CENTER)
      x = r.Left + (r.Width() - line.Width) / 2;
    else if (flags & DT_RIGHT)
      x = r.Right - line.Width;
    if (FBrush.Style != bsClear) {
      TRect back{x, y, x + line.Width, y + lineHeight};
      FillSurfaceRect(limit ? IntersectRect(back, *limit) : back, ToPixel(FBrush.Color));
    }
    DrawTextRun(x, y, line.Text, limit, line.Accel);
    y += lineHeight;
  }
  return total;
}

// --- Bitmaps and block transfers -----------------------------------------------------

uint32_t TCanvas::PatternPixel(int sx, int sy) const {
  const TBitmap* pattern = FBrush.Bitmap();
  if (FBrush.Style == bsPattern && pattern && !pattern->Empty())
    return pattern->Surface().Pixel(sx % pattern->Width(), sy % pattern->Height()) & 0xFFFFFF;
  if (FBrush.Style >= bsHorizontal && FBrush.Style <= bsDiagCross)
    return HatchBit(FBrush.Style, sx, sy) ? ToPixel(FBrush.Color) : 0xFFFFFF;
  return ToPixel(FBrush.Color);
}

void TCanvas::Blit(const TRect& dest, const TSurface& source, const TRect& srcRect, uint32_t rop, int64_t key) {
  if (!FSurface || dest.IsEmpty() || srcRect.IsEmpty() || !source.Pixels()) return;
  // Reading from the surface being drawn on (a view of the same framebuffer) must see
  // the pixels as they were before the copy: take them out first.
  TSurface snapshot;
  const TSurface* src = &source;
  TRect from = srcRect;
  if (SameMemory(source, *FSurface)) {
    TRect inside = IntersectRect(srcRect, {0, 0, source.Width(), source.Height()});
    if (inside.IsEmpty()) return;
    snapshot.Resize(inside.Width(), inside.Height());
    for (int y = 0; y < inside.Height(); ++y)
      std::memcpy(snapshot.Row(y), source.Row(inside.Top + y) + inside.Left, size_t(inside.Width()) * 4);
    src = &snapshot;
    from = srcRect.Offset(-inside.Left, -inside.Top);
  }
  int dw = dest.Width(), dh = dest.Height(), sw = from.Width(), sh = from.Height();
  TRect destSurface = dest.Offset(FOrigin.X, FOrigin.Y);
  TRect visible = IntersectRect(destSurface, SurfaceBounds());
  if (visible.IsEmpty()) return;
  uint8_t rop3 = uint8_t(rop >> 16);
  bool copy = rop3 == 0xCC, plainCopy = copy && key < 0;
  if (copy && sw == dw && sh == dh) {
    // Unstretched copies (the common case: pictures, sprites, save-unders) go span by span.
    BlitUnstretched(*src, from, destSurface, key);
    return;
  }
  // The source column of every visible destination column (nearest pixel when stretching).
  std::vector<int> columns(static_cast<size_t>(visible.Width()));
  for (int x = visible.Left; x < visible.Right; ++x)
    columns[size_t(x - visible.Left)] = from.Left + int(int64_t(x - destSurface.Left) * sw / dw);
  // The brush only matters to operations whose result depends on it; a solid one is one colour.
  bool usesPattern = RopUsesPattern(rop3);
  bool solidPattern = FBrush.Style == bsSolid || FBrush.Style == bsClear;
  uint32_t solid = ToPixel(FBrush.Color);
  ForEachClip(destSurface, [&](const TRect& piece) {
    for (int y = piece.Top; y < piece.Bottom; ++y) {
      int sy = from.Top + int(int64_t(y - destSurface.Top) * sh / dh);
      if (sy < 0 || sy >= src->Height()) continue;
      const uint32_t* srow = src->Row(sy);
      uint32_t* drow = FSurface->Row(y);
      int first = piece.Left - visible.Left;
      if (plainCopy && sw == dw && columns[size_t(first)] >= 0 &&
          columns[size_t(first)] + piece.Width() <= src->Width()) {
        std::memcpy(drow + piece.Left, srow + columns[size_t(first)], size_t(piece.Width()) * 4);
        continue;
      }
      for (int x = piece.Left; x < piece.Right; ++x) {
        int sx = columns[size_t(x - visible.Left)];
        if (sx < 0 || sx >= src->Width()) continue;
        uint32_t s = srow[sx] & 0xFFFFFF;
        if (key >= 0 && s == uint32_t(key)) continue;
        if (copy) {
          drow[x] = s;
          continue;
        }
        uint32_t p = !usesPattern ? 0 : solidPattern ? solid : PatternPixel(x, y);
        drow[x] = TernaryRop(rop3, p, s, drow[x] & 0xFFFFFF) & 0xFFFFFF;
      }
    }
  });
}

void TCanvas::BlitUnstretched(const TSurface& src, const TRect& from, const TRect& destSurface, int64_t key) {
  const int dx = from.Left - destSurface.Left, dy = from.Top - destSurface.Top;
  // Only the part of the destination whose source pixels exist.
  TRect sourceInDest = TRect{0, 0, src.Width(), src.Height()}.Offset(-dx, -dy);
  TRect target = IntersectRect(destSurface, sourceInDest);
  if (target.IsEmpty()) return;
  const uint32_t k = uint32_t(key);
  ForEachClip(target, [&](const TRect& piece) {
    for (int y = piece.Top; y < piece.Bottom; ++y) {
      const uint32_t* srow = src.Row(y + dy) + dx;
      uint32_t* drow = FSurface->Row(y);
      if (key < 0) {
        std::memcpy(drow + piece.Left, srow + piece.Left, size_t(piece.Width()) * 4);
        continue;
      }
      for (int x = piece.Left; x < piece.Right; ++x) {
        uint32_t s = srow[x] & 0xFFFFFF;
        if (s != k) drow[x] = s;
      }
    }
  });
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  RequiredState();
  if (bitmap.Empty()) return;
  int64_t key = bitmap.Transparent ? int64_t(ToPixel(bitmap.TransparentColor())) : -1;
  Blit(r, bitmap.Surface(), {0, 0, bitmap.Width(), bitmap.Height()}, SRCCOPY, key);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect) {
  RequiredState();
  source.RequiredState();
  if (!source.FSurface) return;
  Blit(dest, *source.FSurface, srcRect.Offset(source.FOrigin.X, source.FOrigin.Y), CopyMode, -1);
}

void TCanvas::BitBlt(int x, int y, int w, int h, TCanvas& source, int sx, int sy, uint32_t rop) {
  RequiredState();
  source.RequiredState();
  if (!source.FSurface) return;
  Blit(Bounds(x, y, w, h), *source.FSurface, Bounds(sx + source.FOrigin.X, sy + source.FOrigin.Y, w, h), rop, -1);
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  TCanvasStateSaver saved(canvas);
  canvas.Brush().Style = bsSolid;
  for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
    canvas.Brush().Color = ColorToRGB(topColor);
    canvas.FillRect({rect.Left, rect.Top, rect.Right - 1, rect.Top + 1});
    canvas.FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1});
    canvas.Brush().Color = ColorToRGB(bottomColor);
    canvas.FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
    canvas.FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
    rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  }
}
