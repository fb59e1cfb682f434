#pragma once

// A control's view of its form's framebuffer: origin at the control's client (0, 0),
// clipped to the part of the control that is visible (inside its parents, outside
// the windowed siblings above it and, for a windowed control, outside its windowed
// children). The view follows the control as it moves: it is recomputed before
// every drawing operation when any control's geometry changed. While the toolkit
// paints, the clip is further limited to the area being painted.

#include <cstdint>
#include <vector>

#include "toolkit/graphics/TCanvas.h"

class TControl;

// Region helpers over lists of disjoint rectangles (SubtractRect is in Types.h).
// The parts of region that lie inside clip.
std::vector<TRect> IntersectRegion(const std::vector<TRect>& region, const TRect& clip);
std::vector<TRect> IntersectRegions(const std::vector<TRect>& a, const std::vector<TRect>& b);
TRect RegionBounds(const std::vector<TRect>& region);

class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl* control);
  const char* ClassName() const override { return "TControlCanvas"; }

  TControl* Control() const { return FControl; }
  // Limits drawing to region (form coordinates) until EndPaint; used while painting.
  void BeginPaint(const std::vector<TRect>& region);
  void EndPaint();
  bool Painting() const { return FPainting; }
  // Forgets the cached view so that the next operation recomputes it.
  void Invalidate() { FGeneration = ~0u; }

  // The visible area of control in form coordinates (as the canvas clips to it).
  static std::vector<TRect> VisibleRegion(const TControl* control);

protected:
  void RequiredState() override;

private:
  TControl* FControl;
  uint32_t FGeneration = ~0u;
  TSurface* FLastSurface = nullptr;
  bool FPainting = false;
  std::vector<TRect> FPaintRegion;
};
