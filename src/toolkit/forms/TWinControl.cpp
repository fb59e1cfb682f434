#include "toolkit/forms/TWinControl.h"

#include <algorithm>

#include "toolkit/core/TTemporaryChange.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TGraphicControl.h"

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Children still here are destroyed; each one's destructor takes it out of the list
  // and out of its owner's list, so the owner will not destroy it again.
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    child->BeforeDestruction();
    delete child;
    if (!FControls.empty() && FControls.back() == child) FControls.pop_back();
  }
  FCanvas.reset();
}

// --- Children

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  control->FParent = this;
  GeometryChanged();
  if (!control->IsLoading()) {
    if (control->FParentFont) control->TakeParentFont();
    if (control->FParentColor) control->TakeParentColor();
    if (control->FParentShowHint) control->TakeParentShowHint();
  }
  if (control->FAlign != alNone) Realign();
  control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(FControls.begin(), FControls.end(), control);
  if (it == FControls.end()) return;
  if (TForm* form = GetParentForm()) {
    // The area it covered shows the parent again (also when it is being destroyed).
    if (control->Showing()) form->InvalidateFormRect(control->VisibleRectInForm());
    form->ForgetControl(control);
  }
  if (GetCaptureControl() && GetCaptureControl()->IsChildOf(control)) SetCaptureControl(nullptr);
  FControls.erase(std::find(FControls.begin(), FControls.end(), control));
  control->FParent = nullptr;
  GeometryChanged();
  if (control->FAlign != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(TPoint p, TDisabledControls disabled, TChildKinds kinds) const {
  auto hits = [&](const TControl* c) {
    return c->Visible() && (disabled == dcInclude || c->Enabled()) && c->BoundsRect().Contains(p.X, p.Y);
  };
  if (kinds == ckAll)
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
      if (dynamic_cast<TWinControl*>(*it) && hits(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (!dynamic_cast<TWinControl*>(*it) && hits(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  // A copy: a handler may add or remove controls.
  std::vector<TControl*> controls = FControls;
  for (TControl* c : controls) {
    c->Dispatch(message);
    if (message.Result != 0) return;
  }
}

// --- Alignment

void TWinControl::Realign() {
  if (IsLoading() || IsDestroying() || FAligning) return;
  TTemporaryChange<bool> aligning(FAligning, true);
  TRect rect = ClientRect();
  AlignControls(nullptr, rect);
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  // Order: top strips, bottom strips, left, right, then the client area; within one
  // kind in the order of their current position (earlier ones nearer the edge).
  static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign align : order) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->FAlign == align && c->FVisible) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop:
          return a->FTop < b->FTop;
        case alBottom:
          return a->FTop + a->FHeight > b->FTop + b->FHeight;
        case alLeft:
          return a->FLeft < b->FLeft;
        case alRight:
          return a->FLeft + a->FWidth > b->FLeft + b->FWidth;
        default:
          return false;
      }
    });
    for (TControl* c : list) {
      int w = std::max(rect.Width(), 0), h = std::max(rect.Height(), 0);
      switch (align) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, w, c->FHeight);
          rect.Top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->FHeight, w, c->FHeight);
          rect.Bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->FWidth, h);
          rect.Left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(rect.Right - c->FWidth, rect.Top, c->FWidth, h);
          rect.Right -= c->FWidth;
          break;
        default:
          c->SetBounds(rect.Left, rect.Top, w, h);
          break;
      }
    }
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const int oldWidth = Width(), oldHeight = Height();
  TControl::SetBounds(left, top, width, height);
  if (Width() != oldWidth || Height() != oldHeight) Realign();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::VisibleChanged() {
  TControl::VisibleChanged();
  if (!Visible()) {
    // A hidden control cannot keep the focus.
    TForm* form = GetParentForm();
    if (form && form != this && form->ActiveControl() && form->ActiveControl()->IsChildOf(this))
      form->SetActiveControl(nullptr);
  }
}

void TWinControl::ParentFontChanged() {
  TControl::ParentFontChanged();
}
void TWinControl::ParentColorChanged() {
  TControl::ParentColorChanged();
}

// --- Focus and keys

bool TWinControl::CanFocus() const {
  const TControl* c = this;
  for (; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return GetParentForm() != nullptr;
}

bool TWinControl::Focused() const {
  TForm* form = GetParentForm();
  if (!form) return false;
  if (form == this) return form->ActiveControl() == nullptr;
  return form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TForm* form = GetParentForm();
  if (!form || !CanFocus()) throw Exception("Cannot focus a disabled or invisible window");
  form->SetActiveControl(form == this ? nullptr : this);
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// --- Painting

TControlCanvas& TWinControl::ControlCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(this);
  return *FCanvas;
}

void TWinControl::EraseBackground(TCanvas& canvas) {
  canvas.Brush().Color = Color();
  canvas.Brush().Style = bsSolid;
  canvas.FillRect(ClientRect());
}

void TWinControl::PaintRegion(const std::vector<TRect>& region) {
  if (!Visible() || region.empty()) return;
  TControlCanvas& canvas = ControlCanvas();
  std::vector<TRect> clip = IntersectRegions(region, TControlCanvas::VisibleRegion(this));
  if (!clip.empty()) {
    canvas.BeginPaint(clip);
    try {
      // The canvas keeps the brush and font a program gave it; painting borrows it.
      TColor brushColor = canvas.Brush().Color;
      TBrushStyle brushStyle = canvas.Brush().Style;
      EraseBackground(canvas);
      canvas.Brush().Color = brushColor;
      canvas.Brush().Style = brushStyle;
      PaintWindow(canvas);
    } catch (...) {
      canvas.EndPaint();
      Application->HandleException(this);
    }
    canvas.EndPaint();
    PaintGraphicChildren(clip);
  }
  std::vector<TControl*> controls = FControls;
  TPoint o = OriginInForm();
  for (TControl* c : controls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible())
      w->PaintRegion(IntersectRegion(region, w->BoundsRect().Offset(o.X, o.Y)));
}

void TWinControl::PaintGraphicChildren(const std::vector<TRect>& region) {
  std::vector<TControl*> controls = FControls;
  TPoint o = OriginInForm();
  for (TControl* c : controls) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible()) continue;
    std::vector<TRect> clip = IntersectRegion(region, g->BoundsRect().Offset(o.X, o.Y));
    if (clip.empty()) continue;
    TControlCanvas& canvas = g->Canvas();
    canvas.BeginPaint(clip);
    try {
      g->Paint();
    } catch (...) {
      canvas.EndPaint();
      Application->HandleException(g);
      continue;
    }
    canvas.EndPaint();
  }
}
