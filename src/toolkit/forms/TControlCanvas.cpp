#include "toolkit/forms/TControlCanvas.h"

#include <algorithm>

#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TWinControl.h"

std::vector<TRect> IntersectRegion(const std::vector<TRect>& region, const TRect& clip) {
  std::vector<TRect> out;
  for (const TRect& r : region) {
    TRect i = IntersectRect(r, clip);
    if (!i.IsEmpty()) out.push_back(i);
  }
  return out;
}

std::vector<TRect> IntersectRegions(const std::vector<TRect>& a, const std::vector<TRect>& b) {
  std::vector<TRect> out;
  for (const TRect& r : b) {
    std::vector<TRect> part = IntersectRegion(a, r);
    out.insert(out.end(), part.begin(), part.end());
  }
  return out;
}

TRect RegionBounds(const std::vector<TRect>& region) {
  TRect bounds;
  for (const TRect& r : region) bounds = UnionRect(bounds, r);
  return bounds;
}

namespace {

TRect RectInForm(const TControl* c) {
  TPoint o = c->OriginInForm();
  return Bounds(o.X, o.Y, c->Width(), c->Height());
}

// Cuts the visible windowed children of w out of region.
std::vector<TRect> WithoutWindowedChildren(std::vector<TRect> region, const TWinControl* w) {
  for (int i = 0; i < w->ControlCount() && !region.empty(); ++i) {
    const TControl* c = w->Controls(i);
    if (c->Visible() && dynamic_cast<const TWinControl*>(c)) region = SubtractRect(region, RectInForm(c));
  }
  return region;
}

// Where the window of w shows, its windowed children's areas included.
std::vector<TRect> WindowRegion(const TWinControl* w) {
  if (!w->Parent()) return {Bounds(0, 0, w->Width(), w->Height())};
  if (!w->Visible()) return {};
  const TWinControl* parent = w->Parent();
  std::vector<TRect> region = IntersectRegion(WindowRegion(parent), RectInForm(w));
  // Windowed siblings above w hide it.
  bool above = false;
  for (int i = 0; i < parent->ControlCount() && !region.empty(); ++i) {
    const TControl* c = parent->Controls(i);
    if (c == w) {
      above = true;
      continue;
    }
    if (above && c->Visible() && dynamic_cast<const TWinControl*>(c)) region = SubtractRect(region, RectInForm(c));
  }
  return region;
}

}  // namespace

std::vector<TRect> TControlCanvas::VisibleRegion(const TControl* control) {
  if (!control->Showing()) return {};
  if (auto* w = dynamic_cast<const TWinControl*>(control)) return WithoutWindowedChildren(WindowRegion(w), w);
  const TWinControl* parent = control->Parent();
  if (!parent) return {};
  std::vector<TRect> region = WithoutWindowedChildren(WindowRegion(parent), parent);
  return IntersectRegion(region, control->VisibleRectInForm());
}

TControlCanvas::TControlCanvas(TControl* control) : FControl(control) {}

void TControlCanvas::BeginPaint(const std::vector<TRect>& region) {
  FPainting = true;
  FPaintRegion = region;
  FGeneration = ~0u;
}

void TControlCanvas::EndPaint() {
  if (!FPainting) return;
  FPainting = false;
  FPaintRegion.clear();
  FGeneration = ~0u;
}

void TControlCanvas::RequiredState() {
  TForm* form = GetParentForm(FControl);
  static TSurface emptySurface;
  TSurface* surface = form ? &form->Surface() : &emptySurface;
  if (surface == FLastSurface && FGeneration == TControl::FGeometryGeneration) return;
  FLastSurface = surface;
  FGeneration = TControl::FGeometryGeneration;
  SetSurface(surface);
  SetOrigin(FControl->OriginInForm());
  std::vector<TRect> region = form ? VisibleRegion(FControl) : std::vector<TRect>{};
  if (FPainting) region = IntersectRegions(region, FPaintRegion);
  SetClipRegion(std::move(region));
}
