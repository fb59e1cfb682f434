#include "toolkit/forms/TControl.h"

#include <algorithm>

#include "toolkit/core/TTemporaryChange.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TWinControl.h"

uint32_t TControl::FGeometryGeneration = 1;

namespace {
TControl* gCaptureControl = nullptr;
}

TControl* GetCaptureControl() {
  return gCaptureControl;
}

void SetCaptureControl(TControl* control) {
  if (control == gCaptureControl) return;
  const bool had = gCaptureControl != nullptr;
  gCaptureControl = control;
  TForm* form = Application ? Application->WindowForm() : nullptr;
  if (form && platform::HasBackend() && had != (control != nullptr))
    platform::Backend().Display().CaptureMouse(control != nullptr);
}

TForm* GetParentForm(const TControl* control) {
  if (!control) return nullptr;
  const TControl* top = control;
  while (top->Parent()) top = top->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
  TForm* form = Application ? Application->WindowForm() : nullptr;
  if (!form) return nullptr;
  TPoint origin = form->ClientOrigin();
  TPoint p{screenPos.X - origin.X, screenPos.Y - origin.Y};
  if (!form->ClientRect().Contains(p.X, p.Y)) return nullptr;
  return form->ControlAtFormPos(p, allowDisabled ? dcInclude : dcSkip);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = [this] { FontObjectChanged(); };
}

TControl::~TControl() {
  Destroying();
  if (gCaptureControl == this) SetCaptureControl(nullptr);
  FFont.OnChange = nullptr;
  if (FParent) FParent->RemoveControl(this);
}

void TControl::GeometryChanged() {
  ++FGeometryGeneration;
}

// --- Tree

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent && parent->IsChildOf(this)) throw Exception("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

TForm* TControl::GetParentForm() const {
  return ::GetParentForm(this);
}

bool TControl::IsChildOf(const TControl* ancestor) const {
  for (const TControl* c = this; c; c = c->FParent)
    if (c == ancestor) return true;
  return false;
}

// --- Bounds

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  GeometryChanged();
  Invalidate();
  RequestAlign();
}

TPoint TControl::OriginInForm() const {
  TPoint p;
  for (const TControl* c = this; c->FParent; c = c->FParent) {
    p.X += c->FLeft;
    p.Y += c->FTop;
  }
  return p;
}

TPoint TControl::ClientOrigin() const {
  const TControl* top = this;
  while (top->FParent) top = top->FParent;
  TPoint origin = top == this ? TPoint{FLeft, FTop} : top->ClientOrigin();
  TPoint inForm = OriginInForm();
  return {origin.X + inForm.X, origin.Y + inForm.Y};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

TRect TControl::VisibleRectInForm() const {
  TPoint o = OriginInForm();
  TRect r = Bounds(o.X, o.Y, FWidth, FHeight);
  for (const TControl* c = FParent; c; c = c->FParent) {
    TPoint co = c->OriginInForm();
    r = IntersectRect(r, Bounds(co.X, co.Y, c->FWidth, c->FHeight));
  }
  return r;
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

// --- State

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  if (!visible) Invalidate();
  FVisible = visible;
  GeometryChanged();
  Perform(CM_VISIBLECHANGED, visible);
  if (FAlign != alNone) RequestAlign();
}

bool TControl::Showing() const {
  const TControl* c = this;
  for (; c->FParent; c = c->FParent)
    if (!c->FVisible) return false;
  // The top of the chain must be a visible form.
  const TForm* form = dynamic_cast<const TForm*>(c);
  return form && form->Visible();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  if (!enabled) {
    // A disabled control loses the mouse capture and the keyboard focus, as a disabled window does.
    if (gCaptureControl && gCaptureControl->IsChildOf(this)) SetCaptureControl(nullptr);
    TForm* form = GetParentForm();
    if (form && form != this && form->ActiveControl() && form->ActiveControl()->IsChildOf(this))
      form->SetActiveControl(nullptr);
  }
  Perform(CM_ENABLEDCHANGED, enabled);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool showHint) {
  FParentShowHint = false;
  if (showHint == FShowHint) return;
  FShowHint = showHint;
  PropagateShowHint();
}

void TControl::SetParentShowHint(bool parentShowHint) {
  FParentShowHint = parentShowHint;
  if (parentShowHint) TakeParentShowHint();
}

void TControl::TakeParentShowHint() {
  if (!FParent || FShowHint == FParent->FShowHint) return;
  FShowHint = FParent->FShowHint;
  PropagateShowHint();
}

void TControl::PropagateShowHint() {
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* c : w->FControls) c->Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetFont(const TFont& font) {
  FFont.Assign(const_cast<TFont*>(&font));
}

void TControl::FontObjectChanged() {
  if (!FSettingFont) FParentFont = false;
  Perform(CM_FONTCHANGED);
  PropagateFont();
}

void TControl::SetParentFont(bool parentFont) {
  FParentFont = parentFont;
  if (parentFont) TakeParentFont();
}

void TControl::TakeParentFont() {
  if (!FParent || FFont == FParent->FFont) return;
  TTemporaryChange<bool> settingFont(FSettingFont, true);
  FFont.Assign(&FParent->FFont);
}

void TControl::PropagateFont() {
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* c : w->FControls) c->Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor color) {
  FParentColor = false;
  if (color == FColor) return;
  FColor = color;
  Perform(CM_COLORCHANGED);
  PropagateColor();
}

void TControl::SetParentColor(bool parentColor) {
  FParentColor = parentColor;
  if (parentColor) TakeParentColor();
}

void TControl::TakeParentColor() {
  if (!FParent || FColor == FParent->FColor) return;
  FColor = FParent->FColor;
  Perform(CM_COLORCHANGED);
  PropagateColor();
}

void TControl::PropagateColor() {
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* c : w->FControls) c->Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  Perform(CM_TEXTCHANGED);
}

bool TControl::Dragging() const {
  TForm* form = GetParentForm();
  return form && form->DragSource() == this;
}

bool TControl::MouseCapture() const {
  return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool capture) {
  if (capture)
    SetCaptureControl(this);
  else if (gCaptureControl == this)
    SetCaptureControl(nullptr);
}

// --- Painting

void TControl::Invalidate() {
  if (IsDestroying() || !Showing()) return;
  TForm* form = GetParentForm();
  if (form) form->InvalidateFormRect(VisibleRectInForm());
}

void TControl::InvalidateRect(const TRect& clientRect) {
  if (IsDestroying() || !Showing()) return;
  TForm* form = GetParentForm();
  if (!form) return;
  TPoint o = OriginInForm();
  form->InvalidateFormRect(IntersectRect(clientRect.Offset(o.X, o.Y), VisibleRectInForm()));
}

void TControl::Update() {
  TForm* form = GetParentForm();
  if (form && form->Visible()) form->PaintDirty();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end() || it + 1 == list.end()) return;
  list.erase(it);
  list.push_back(this);
  GeometryChanged();
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end() || it == list.begin()) return;
  Invalidate();
  list.erase(it);
  list.insert(list.begin(), this);
  GeometryChanged();
  Invalidate();
}

// --- Messages

intptr_t TControl::Perform(uint32_t msg, intptr_t wParam, intptr_t lParam) {
  TMessage message{msg, wParam, lParam, 0};
  Dispatch(message);
  return message.Result;
}

void TControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER:
      MouseEnter();
      break;
    case CM_MOUSELEAVE:
      MouseLeave();
      break;
    case CM_FONTCHANGED:
      FontChanged();
      break;
    case CM_TEXTCHANGED:
      TextChanged();
      break;
    case CM_COLORCHANGED:
      ColorChanged();
      break;
    case CM_ENABLEDCHANGED:
      EnabledChanged();
      break;
    case CM_VISIBLECHANGED:
      VisibleChanged();
      break;
    case CM_PARENTFONTCHANGED:
      ParentFontChanged();
      break;
    case CM_PARENTCOLORCHANGED:
      ParentColorChanged();
      break;
    case CM_PARENTSHOWHINTCHANGED:
      if (FParentShowHint) TakeParentShowHint();
      break;
    case CM_CURSORCHANGED:
      if (TForm* form = GetParentForm(); form && form->HasWindow()) form->UpdateCursor();
      break;
    default:
      break;
  }
}

void TControl::FontChanged() {
  Invalidate();
}
void TControl::TextChanged() {
  Invalidate();
}
void TControl::ColorChanged() {
  Invalidate();
}
void TControl::EnabledChanged() {
  Invalidate();
}
void TControl::VisibleChanged() {
  if (FVisible) Invalidate();
}

void TControl::ParentFontChanged() {
  if (FParentFont) TakeParentFont();
}

void TControl::ParentColorChanged() {
  if (FParentColor) TakeParentColor();
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent) {
    if (FParentFont) TakeParentFont();
    if (FParentColor) TakeParentColor();
    if (FParentShowHint) TakeParentShowHint();
  }
  RequestAlign();
}

// --- Mouse

void TControl::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool isDouble) {
  if (isDouble) {
    ButtonDblClk(button, shift | ssDouble, x, y);
    return;
  }
  if (ControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (button == mbLeft && (ControlStyle & csClickEvents)) FClicked = true;
  MouseDown(button, shift, x, y);
}

void TControl::HandleMouseMove(TShiftState shift, int x, int y) {
  MouseMove(shift, x, y);
}

void TControl::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && FClicked) {
    FClicked = false;
    // The click comes before MouseUp, and only for a release inside the control.
    if (ClientRect().Contains(x, y)) Click();
    if (IsDestroying()) return;
  }
  MouseUp(button, shift, x, y);
}

void TControl::ButtonDblClk(TMouseButton button, TShiftState shift, int x, int y) {
  if (ControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (button == mbLeft && (ControlStyle & csClickEvents)) DblClick();
  MouseDown(button, shift, x, y);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

// --- Drag and drop

void TControl::DoStartDrag(TDragObject*& dragObject) {
  if (OnStartDrag) OnStartDrag(this, dragObject);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  accept = false;
  if (OnDragOver) {
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
  }
}

void TControl::DragDrop(TObject* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}
