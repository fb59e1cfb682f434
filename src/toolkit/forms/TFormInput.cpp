// The mouse side of TForm: hit testing, capture, enter/leave, double-click synthesis,
// automatic drag-and-drop and the pointer shape.

#include <cstdlib>

#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TScreen.h"

namespace {

// A second press counts as a double click within this distance of the first, in pixels.
constexpr int DoubleClickDistance = 4;

TMouseButton ToButton(platform::TPButton b) {
  switch (b) {
    case platform::TPButton::Right:
      return mbRight;
    case platform::TPButton::Middle:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

uint32_t ButtonBit(TMouseButton b) {
  return b == mbLeft ? ssLeft : b == mbRight ? ssRight : ssMiddle;
}

TPoint Sub(TPoint a, TPoint b) {
  return {a.X - b.X, a.Y - b.Y};
}

}  // namespace

TControl* TForm::ControlAtFormPos(TPoint formPos, TDisabledControls disabled) const {
  if (!ClientRect().Contains(formPos.X, formPos.Y)) return nullptr;
  if (disabled == dcSkip && !Enabled()) return nullptr;
  const TWinControl* w = this;
  TPoint local = formPos;
  for (;;) {
    // A windowed child takes the point even when disabled: then nobody gets the input.
    TControl* c = w->ControlAtPos(local, dcInclude);
    auto* child = dynamic_cast<TWinControl*>(c);
    if (child) {
      if (disabled == dcSkip && !child->Enabled()) return nullptr;
      local = Sub(local, {child->Left(), child->Top()});
      w = child;
      continue;
    }
    // Graphic controls are found through their parent, which skips disabled ones.
    if (TControl* g = w->ControlAtPos(local, disabled, ckGraphicOnly)) return g;
    return const_cast<TWinControl*>(w);
  }
}

TControl* TForm::MouseTarget(TPoint formPos, TPoint& local) const {
  TControl* target = GetCaptureControl();
  if (target && ::GetParentForm(target) != this) target = nullptr;
  if (!target) target = ControlAtFormPos(formPos, dcSkip);
  if (target) local = Sub(formPos, target->OriginInForm());
  return target;
}

TShiftState TForm::MouseShift(const platform::TPEvent& e) const {
  return (e.Shift & (ssShift | ssAlt | ssCtrl)) | FButtonsDown;
}

void TForm::MouseDownEvent(const platform::TPEvent& e) {
  const TPoint p{e.X, e.Y};
  const TMouseButton button = ToButton(e.Button);
  FButtonsDown |= ButtonBit(button);
  FLastMouse = p;
  if (FDragSource) return;
  TPoint local;
  TControl* target = MouseTarget(p, local);
  // Double-click synthesis: the same button on the same control again, soon and near.
  const bool quick = FHaveLastPress && e.Button == FLastPressButton && target == FLastPressControl &&
                     e.Time - FLastPressTime <= platform::Backend().Display().DoubleClickTime() &&
                     std::abs(p.X - FLastPressPos.X) <= DoubleClickDistance &&
                     std::abs(p.Y - FLastPressPos.Y) <= DoubleClickDistance;
  if (quick) {
    FHaveLastPress = false;
  } else {
    FHaveLastPress = true;
    FLastPressButton = e.Button;
    FLastPressTime = e.Time;
    FLastPressPos = p;
    FLastPressControl = target;
  }
  UpdateMouseControl(p, ClientRect().Contains(p.X, p.Y));
  if (!target) return;
  const bool isDouble = quick && (target->ControlStyle & csDoubleClicks);
  // A press gives the focus to a windowed control that takes it.
  if (auto* w = dynamic_cast<TWinControl*>(target); w && w != this && w->TabStop && w->CanFocus()) SetActiveControl(w);
  if (button == mbLeft && target->DragMode() == dmAutomatic && !target->IsDesigning()) {
    BeginAutoDrag(target);
    return;
  }
  if (FPressedControl && FPressedControl != target) FPressedControl->FClicked = false;
  FPressedControl = target;
  target->HandleMouseDown(button, MouseShift(e), local.X, local.Y, isDouble);
}

void TForm::MouseMoveEvent(const platform::TPEvent& e) {
  const TPoint p{e.X, e.Y};
  FLastMouse = p;
  const bool inside = ClientRect().Contains(p.X, p.Y);
  if (FDragSource) {
    DragMove(p);
    UpdateMouseControl(p, inside);
    return;
  }
  TPoint local;
  if (TControl* target = MouseTarget(p, local)) target->HandleMouseMove(MouseShift(e), local.X, local.Y);
  UpdateMouseControl(p, inside);
}

void TForm::MouseUpEvent(const platform::TPEvent& e) {
  const TPoint p{e.X, e.Y};
  const TMouseButton button = ToButton(e.Button);
  FButtonsDown &= ~ButtonBit(button);
  FLastMouse = p;
  if (FDragSource) {
    if (button == mbLeft) EndDrag(p);
    return;
  }
  TPoint local;
  TControl* target = MouseTarget(p, local);
  // The capture ends with the last button, before the control hears of the release.
  if (FButtonsDown == 0) SetCaptureControl(nullptr);
  if (FPressedControl && FPressedControl != target) FPressedControl->FClicked = false;
  FPressedControl = nullptr;
  if (target) target->HandleMouseUp(button, MouseShift(e), local.X, local.Y);
  UpdateMouseControl(p, ClientRect().Contains(p.X, p.Y));
}

void TForm::UpdateMouseControl(TPoint formPos, bool inside) {
  TControl* control = inside ? ControlAtFormPos(formPos, dcInclude) : nullptr;
  if (control != FMouseControl) {
    TControl* old = FMouseControl;
    FMouseControl = control;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (control && FMouseControl == control) control->Perform(CM_MOUSEENTER);
  }
  UpdateCursor();
}

void TForm::UpdateCursor() {
  if (!FWindowOpen || !Screen) return;
  TCursor cursor = Screen->Cursor();
  if (cursor == crDefault)
    for (TControl* c = FMouseControl; c; c = c->Parent())
      if (c->Cursor() != crDefault) {
        cursor = c->Cursor();
        break;
      }
  Screen->ApplyCursor(cursor);
}

void TForm::ForgetControl(TControl* control) {
  auto gone = [control](TControl* c) { return c && c->IsChildOf(control); };
  if (gone(FMouseControl)) FMouseControl = nullptr;
  if (gone(FPressedControl)) FPressedControl = nullptr;
  if (gone(FLastPressControl)) {
    FLastPressControl = nullptr;
    FHaveLastPress = false;
  }
  if (gone(FDragTarget)) {
    FDragTarget = nullptr;
    FDragAccepted = false;
  }
  if (gone(FDragSource)) {
    FDragSource = nullptr;
    FDragTarget = nullptr;
    if (FWindowOpen && !GetCaptureControl()) platform::Backend().Display().CaptureMouse(false);
  }
  if (gone(FActiveControl)) FActiveControl = nullptr;
  for (TWinControl*& target : FKeyTargets)
    if (gone(target)) target = nullptr;
}

// --- Automatic drag

void TForm::BeginAutoDrag(TControl* source) {
  FDragSource = source;
  FDragTarget = nullptr;
  FDragAccepted = false;
  FHaveLastPress = false;
  if (FWindowOpen) platform::Backend().Display().CaptureMouse(true);
  TDragObject* dragObject = nullptr;
  source->DoStartDrag(dragObject);
  if (FDragSource == source) DragMove(FLastMouse);
}

void TForm::DragMove(TPoint formPos) {
  TControl* source = FDragSource;
  TControl* target = ControlAtFormPos(formPos, dcSkip);
  TDragState state = dsDragMove;
  if (target != FDragTarget) {
    if (TControl* old = FDragTarget) {
      TPoint local = Sub(formPos, old->OriginInForm());
      bool accept = false;
      old->DragOver(source, local.X, local.Y, dsDragLeave, accept);
    }
    FDragTarget = target;
    FDragAccepted = false;
    state = dsDragEnter;
  }
  if (target && FDragSource == source && FDragTarget == target) {
    TPoint local = Sub(formPos, target->OriginInForm());
    bool accept = false;
    target->DragOver(source, local.X, local.Y, state, accept);
    if (FDragTarget == target) FDragAccepted = accept;
  }
}

void TForm::EndDrag(TPoint formPos) {
  TControl* source = FDragSource;
  TControl* target = FDragAccepted ? FDragTarget : nullptr;
  TPoint local = target ? Sub(formPos, target->OriginInForm()) : TPoint{};
  FDragSource = nullptr;
  FDragTarget = nullptr;
  FDragAccepted = false;
  if (FWindowOpen && !GetCaptureControl()) platform::Backend().Display().CaptureMouse(false);
  if (target) target->DragDrop(source, local.X, local.Y);
  source->DoEndDrag(target, local.X, local.Y);
  UpdateMouseControl(formPos, ClientRect().Contains(formPos.X, formPos.Y));
}

void TForm::CancelDrag() {
  TControl* source = FDragSource;
  if (!source) return;
  if (TControl* target = FDragTarget) {
    TPoint local = Sub(FLastMouse, target->OriginInForm());
    bool accept = false;
    FDragTarget = nullptr;
    target->DragOver(source, local.X, local.Y, dsDragLeave, accept);
  }
  FDragSource = nullptr;
  FDragTarget = nullptr;
  FDragAccepted = false;
  if (FWindowOpen && !GetCaptureControl()) platform::Backend().Display().CaptureMouse(false);
  source->DoEndDrag(nullptr, 0, 0);
}

void TForm::MouseWheelEvent(const platform::TPEvent& e) {
  // The wheel goes to the control under the pointer, disabled or not (the page texts
  // are disabled rich-text controls that must still scroll); a control that does not
  // scroll passes it on to its parents.
  TControl* control = ControlAtFormPos({e.X, e.Y}, dcInclude);
  TPoint screen = ClientToScreen({e.X, e.Y});
  for (; control; control = control->Parent())
    if (control->DoMouseWheel(TShiftState(e.Shift), e.WheelDelta, screen)) return;
}
