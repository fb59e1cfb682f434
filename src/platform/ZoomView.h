#pragma once

// How a window shows its framebuffer enlarged: the framebuffer (the form's pixels)
// keeps its size, the window's client area holds it scaled by a factor of 1 or more,
// possibly with a border of a plain colour around it (full screen). Shared by the SDL
// and the headless display so that both present, and map the pointer, identically.
//
// Framebuffer pixel i covers window pixels [i * f, (i + 1) * f) on each axis. Each
// window pixel takes the framebuffer pixels it covers, weighted by the covered area:
// at integer factors that is plain pixel repetition, at others a one-pixel blend on
// the seams between enlarged pixels, which keeps text sharp.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform {

// Zoom factors the program offers; anything in between is valid too.
constexpr double MinZoom = 1.0, MaxZoom = 3.0;

// n framebuffer pixels at factor f, in window pixels.
int ZoomedLength(int n, double factor);

// The largest factor, in quarter steps between MinZoom and MaxZoom, at which a
// width x height window stays within about 80 % of the usable area (each side within
// 90 %) and does not exceed the desktop's own scale; MinZoom when nothing fits.
double ChooseZoom(int width, int height, int usableWidth, int usableHeight, double desktopScale);

// The largest factor at which width x height fits into the screen (at least 1).
double FitZoom(int width, int height, int screenWidth, int screenHeight);

// Parses a stored factor ("2", "1.5"); 0 when the text is no factor in [MinZoom, MaxZoom].
double ParseZoom(const std::string& text);
// The stored form of a factor: "1", "1.5", "2.25".
std::string FormatZoom(double factor);

// A pointer image enlarged by factor (premultiplied area filter), hot spot at the
// centre of the enlarged hot-spot pixel; never larger than 256 x 256.
TPCursorImage ZoomCursorImage(const TPCursorImage& image, double factor);

class TZoomView {
public:
  // The framebuffer shown; it must stay valid while the view renders.
  void SetSource(const uint32_t* pixels, int width, int height);
  // The factor and the client area it is shown in; the image is centred in the area
  // (which is at least as large as the image).
  void SetGeometry(double factor, int outputWidth, int outputHeight);
  double Factor() const { return FFactor; }
  int OutputWidth() const { return FOutputWidth; }
  int OutputHeight() const { return FOutputHeight; }
  // Where the enlarged image stands in the client area, and its size.
  int ImageLeft() const { return FImageLeft; }
  int ImageTop() const { return FImageTop; }
  int ImageWidth() const { return FImageWidth; }
  int ImageHeight() const { return FImageHeight; }
  // The colour (0x00RRGGBB) around the image.
  void SetBackdrop(uint32_t color) { FBackdrop = color; }
  uint32_t Backdrop() const { return FBackdrop; }
  // An image (tool-tip) shown above the framebuffer at framebuffer position (x, y);
  // null removes it. Returns the framebuffer rectangles to present again.
  std::vector<TPRect> SetOverlay(const TPImage* image, int x, int y);

  // Renders the framebuffer rectangles into target (OutputWidth x OutputHeight pixels,
  // 0x00RRGGBB, stride in pixels) and returns the client-area rectangles it changed.
  std::vector<TPRect> Render(const std::vector<TPRect>& rects, uint32_t* target, int stride);
  // Renders everything, backdrop included.
  TPRect RenderAll(uint32_t* target, int stride);

  // The framebuffer pixel under a client-area pixel (may lie outside the framebuffer).
  int ToSourceX(int x) const;
  int ToSourceY(int y) const;
  // The client-area rectangle that shows a framebuffer rectangle.
  TPRect ToOutput(const TPRect& rect) const;

private:
  struct TTap {
    int Index = 0;    // first framebuffer pixel
    uint32_t Weight;  // its share in 1/256 (256: the pixel alone)
  };
  void BuildTaps(std::vector<TTap>& taps, int outputLength, int sourceLength) const;
  void RenderRect(const uint32_t* source, int sourceStride, int originX, int originY, int sourceRight, int sourceBottom,
                  const TPRect& out, uint32_t* target, int stride) const;

  const uint32_t* FSource = nullptr;
  int FWidth = 0, FHeight = 0;
  double FFactor = 1;
  int FOutputWidth = 0, FOutputHeight = 0;
  int FImageLeft = 0, FImageTop = 0, FImageWidth = 0, FImageHeight = 0;
  uint32_t FBackdrop = 0;
  TPImage FOverlay;
  int FOverlayX = 0, FOverlayY = 0;
  std::vector<TTap> FColumns, FRows;  // by image pixel
  bool FOneToOne = false;             // every window pixel shows exactly one framebuffer pixel
  std::vector<uint32_t> FScratch;     // framebuffer and overlay composed
};

}  // namespace platform
