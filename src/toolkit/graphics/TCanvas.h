#pragma once

// Drawing on a surface through an origin and a clip region, like a device context.
// A control's canvas is a view of its form's framebuffer: what it draws is on
// screen at the next present, and copying from it reads what the screen shows.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/TComponent.h"
#include "toolkit/core/Types.h"
#include "toolkit/graphics/TFont.h"
#include "toolkit/graphics/TSurface.h"

class TBitmap;
class TFontInstance;

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode : uint8_t { pmCopy, pmNot, pmXor, pmMerge, pmMask };

class TPen : public TPersistent {
public:
  const char* ClassName() const override { return "TPen"; }
  void Assign(TPersistent* source) override;
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};

enum TBrushStyle : uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross,
  bsPattern
};

class TBrush : public TPersistent {
public:
  TBrush();
  ~TBrush() override;
  const char* ClassName() const override { return "TBrush"; }
  void Assign(TPersistent* source) override;
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  // An 8 x 8 pattern tiled from the surface origin; setting one makes Style bsPattern,
  // clearing it (nullptr) makes Style bsSolid. The brush keeps its own copy.
  void SetBitmap(const TBitmap* pattern);
  const TBitmap* Bitmap() const { return FPattern.get(); }

private:
  std::unique_ptr<TBitmap> FPattern;
};

// DrawText flags (the classic DT_ values).
enum TDrawTextFlag : uint32_t {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_RTLREADING = 0x20000,
};

// Raster operations for BitBlt (the classic ternary codes).
enum TRop : uint32_t {
  SRCCOPY = 0x00CC0020,
  SRCPAINT = 0x00EE0086,
  SRCAND = 0x008800C6,
  SRCINVERT = 0x00660046,
  SRCERASE = 0x00440328,
  NOTSRCCOPY = 0x00330008,
  MERGEPAINT = 0x00BB0226,
  PATCOPY = 0x00F00021,
  BLACKNESS = 0x00000042,
  WHITENESS = 0x00FF0062,
  // ((D ^ P) & S) ^ D: the brush is painted where the source is white (a set mask
  // bit) and the destination kept where it is black. Paints a 1-bit mask (see
  // TBitmap::Mask) in the brush colour.
  ROP_DSPDxax = 0x00E20746,
};

class TCanvas : public TPersistent {
public:
  explicit TCanvas(TSurface* surface = nullptr);
  ~TCanvas() override;
  const char* ClassName() const override { return "TCanvas"; }

  void SetSurface(TSurface* surface) { FSurface = surface; }
  TSurface* Surface() const { return FSurface; }
  // Canvas coordinate (0, 0) lies at this surface position.
  void SetOrigin(TPoint origin) { FOrigin = origin; }
  TPoint Origin() const { return FOrigin; }
  // Drawing is limited to these surface rectangles (they may overlap; every pixel is
  // drawn once); an unset clip means the whole surface, an empty list nothing.
  void SetClipRegion(std::vector<TRect> surfaceRects);
  void ClearClipRegion();
  // Bounding box of the visible area, in canvas coordinates.
  TRect ClipRect();

  TFont& Font() { return FFont; }
  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  TRop CopyMode = SRCCOPY;

  TColor GetPixel(int x, int y);  // clNone when outside the surface or clip
  void SetPixel(int x, int y, TColor color);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  TPoint PenPos() const { return FPenPos; }
  // Fills with the brush (nothing with bsClear).
  void FillRect(const TRect& r);
  // Outline with the pen, inside filled with the brush; right and bottom exclusive.
  // With a clear pen the brush fills the whole rectangle.
  void Rectangle(const TRect& r);
  void Rectangle(int l, int t, int r, int b) { Rectangle(TRect{l, t, r, b}); }
  void FrameRect(const TRect& r);  // one-pixel frame in the brush colour
  void Polygon(const std::vector<TPoint>& points);
  void Ellipse(const TRect& r);

  // Text in the canvas font with the top-left corner of its cell at (x, y); the text's
  // extent is filled with the brush colour first unless Brush.Style is bsClear. Moves
  // the pen position to the end of the text.
  void TextOut(int x, int y, const std::string& text);
  // Text at (x, y) clipped to r; an opaque brush fills all of r first.
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  TPoint TextExtent(const std::string& text);
  // Lays out text in r with DT_ flags; with DT_CALCRECT it only updates r to the needed
  // size (Right = Left + widest line, Bottom = Top + height) and draws nothing. DT_VCENTER
  // and DT_BOTTOM place the whole block of lines; the text is clipped to r unless
  // DT_NOCLIP; "&x" underlines x unless DT_NOPREFIX. Lines are always laid out left to
  // right (DT_RTLREADING changes nothing for this program's Latin text).
  // Returns the height of the text.
  int DrawText(const std::string& text, TRect& r, uint32_t flags);

  // Draws a bitmap at (x, y); when the bitmap is Transparent its transparent colour is skipped.
  void Draw(int x, int y, const TBitmap& bitmap);
  void StretchDraw(const TRect& r, const TBitmap& bitmap);
  // Copies source's srcRect into dest with CopyMode (SRCCOPY: a plain copy), stretching
  // (nearest pixel) when sizes differ. The source may be a view of the same surface;
  // overlapping copies read the pixels as they were before. Source pixels outside the
  // source surface leave the destination unchanged.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect);
  // Block transfer with a raster operation; the brush is the pattern for ROPs that use one.
  void BitBlt(int x, int y, int w, int h, TCanvas& source, int sx, int sy, uint32_t rop);

protected:
  // Called before every drawing operation; a control's canvas refreshes its origin and clip here.
  virtual void RequiredState() {}

private:
  // Helpers shared by the operations (defined in TCanvas.cpp).
  // Calls f with each visible piece of a surface rectangle, then reports the piece changed.
  template <class F>
  void ForEachClip(const TRect& surfaceRect, F&& f);
  void FillSurfaceRect(const TRect& canvasRect, uint32_t pixel);
  TRect SurfaceBounds() const;
  TRect VisibleBox() const;  // bounding box of the visible area, canvas coordinates
  bool ClipLine(TPoint& a, TPoint& b, int margin) const;
  bool Visible(int sx, int sy) const;  // surface coordinates
  uint32_t PenPixel(uint32_t dst) const;
  void PenFill(const TRect& canvasRect);
  void DrawLine(TPoint a, TPoint b);
  void BrushFill(const TRect& canvasRect);
  uint32_t PatternPixel(int sx, int sy) const;
  TFontInstance& FontInstance();
  void DrawTextRun(int x, int y, std::u32string_view text, const TRect* limit, int accel);
  // Copies srcRect of source (surface coordinates) to dest (canvas coordinates),
  // stretching, with a raster operation; source pixels equal to key (when >= 0) are skipped.
  void Blit(const TRect& dest, const TSurface& source, const TRect& srcRect, uint32_t rop, int64_t key);
  // The unstretched SRCCOPY case of Blit, optionally skipping the key colour (key < 0: none).
  void BlitUnstretched(const TSurface& src, const TRect& from, const TRect& destSurface, int64_t key);

  TSurface* FSurface = nullptr;
  TPoint FOrigin;
  bool FClipSet = false;
  std::vector<TRect> FClip;
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  TPoint FPenPos;
};

// Keeps a canvas's pen, brush and font as they are and puts them back when the
// scope ends, so a helper may draw with its own tools on a caller's canvas.
class TCanvasStateSaver {
public:
  explicit TCanvasStateSaver(TCanvas& canvas) : FCanvas(canvas) {
    FPen.Assign(&canvas.Pen());
    FBrush.Assign(&canvas.Brush());
    FFont.Assign(&canvas.Font());
  }
  ~TCanvasStateSaver() {
    FCanvas.Pen().Assign(&FPen);
    FCanvas.Brush().Assign(&FBrush);
    FCanvas.Font().Assign(&FFont);
  }
  TCanvasStateSaver(const TCanvasStateSaver&) = delete;
  TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
  TCanvas& FCanvas;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
};

// Draws a frame of the given width just inside rect (top and left edges in
// topColor, bottom and right in bottomColor) and shrinks rect to the inside.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
