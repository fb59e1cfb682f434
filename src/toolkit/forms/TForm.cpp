#include "toolkit/forms/TForm.h"

#include <algorithm>
#include <climits>

#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TScreen.h"

namespace {
platform::IDisplay& Display() {
  return platform::Backend().Display();
}
// More separate rectangles than this are merged into their bounding box.
constexpr size_t MaxRects = 32;
}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FParentShowHint = false;
  FColor = clBtnFace;
  ControlStyle |= csAcceptsControls;
  FSurface.OnChange = [this](const TRect& r) { AddRect(FChanged, r); };
}

TForm::~TForm() {
  // OnDestroy belongs to BeforeDestruction (owner, Free): here a derived form's part
  // is already gone (a plain delete, or its constructor failed), so the handler,
  // which usually is one of its methods, must not run.
  if (!FDestroyCalled) {
    FDestroyCalled = true;
    Destroying();
  }
  // The owned components go while this is still a form, so that their destructors
  // can still reach it as one.
  DestroyComponents();
  if (GetCaptureControl() && GetCaptureControl()->IsChildOf(this)) SetCaptureControl(nullptr);
  if (Application && Application->WindowForm() == this) {
    Application->SetWindowForm(nullptr);
    if (platform::HasBackend()) {
      Display().CaptureMouse(false);
      Display().Close();
    }
  }
  FWindowOpen = false;
  FSurface.OnChange = nullptr;
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::BeforeDestruction() {
  if (FDestroyCalled) return;
  FDestroyCalled = true;
  Destroying();
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
}

// --- Window

int TForm::Left() const {
  if (!FWindowOpen) return FLeft;
  int x = 0, y = 0;
  Display().GetWindowPos(x, y);
  return x;
}

int TForm::Top() const {
  if (!FWindowOpen) return FTop;
  int x = 0, y = 0;
  Display().GetWindowPos(x, y);
  return y;
}

void TForm::SetBounds(int left, int top, int width, int height) {
  if (FWindowOpen) {
    // The window has a fixed size once open; only its position changes.
    if (left != Left() || top != Top()) Display().SetWindowPos(left, top);
    FLeft = left;
    FTop = top;
    return;
  }
  const int oldWidth = Width(), oldHeight = Height();
  TWinControl::SetBounds(left, top, width, height);
  if (Width() != oldWidth || Height() != oldHeight) FSurface.Resize(Width(), Height(), 0);
}

TPoint TForm::ClientOrigin() const {
  if (!FWindowOpen) return {FLeft, FTop};
  TPoint p;
  Display().GetClientOrigin(p.X, p.Y);
  return p;
}

void TForm::TextChanged() {
  if (FWindowOpen) Display().SetCaption(Caption());
}

void TForm::OpenWindow() {
  if (!platform::HasBackend()) throw Exception("No display is available");
  TForm* other = Application->WindowForm();
  if (other && other != this) throw Exception("Another window is already open");
  platform::TPWindowOptions options;
  options.ClientWidth = Width();
  options.ClientHeight = Height();
  options.Caption = Caption();
  options.StayOnTop = FormStyle == fsStayOnTop;
  options.Centred = Position == poScreenCenter || Position == poDesktopCenter || Position == poMainFormCenter ||
                    Position == poOwnerFormCenter;
  options.Resizable = BorderStyle == bsSizeable || BorderStyle == bsSizeToolWin;
  options.Minimisable = (BorderIcons & biSystemMenu) && (BorderIcons & biMinimize);
  options.Maximisable = (BorderIcons & biSystemMenu) && (BorderIcons & biMaximize) &&
                        (BorderStyle == bsSingle || BorderStyle == bsSizeable);
  platform::IDisplay& display = Display();
  if (!display.Open(options)) {
    const std::string reason = display.OpenError();
    throw Exception(reason.empty() ? "Cannot open the window" : reason);
  }
  FWindowOpen = true;
  Application->SetWindowForm(this);
  Screen->ForgetAppliedCursor();
  if (!options.Centred) display.SetWindowPos(FLeft, FTop);
  FSurface.AttachExternal(display.Pixels(), display.Width(), display.Height(), display.Width());
  GeometryChanged();
}

void TForm::Show() {
  const bool first = !FWindowOpen;
  if (first) OpenWindow();
  if (!FVisible) {
    FVisible = true;
    GeometryChanged();
  }
  if (!FActiveControl) SelectFirst();
  if (OnShow) OnShow(this);
  InvalidateFormRect(ClientRect());
  PaintDirty();
  if (first) Display().Show();
  AddRect(FChanged, ClientRect());
  PresentChanges();
}

void TForm::ShowOffscreen() {
  if (!FVisible) {
    FVisible = true;
    GeometryChanged();
  }
  if (!FActiveControl) SelectFirst();
  InvalidateFormRect(ClientRect());
}

void TForm::Hide() {
  if (!FVisible) return;
  FVisible = false;
  GeometryChanged();
  if (OnHide) OnHide(this);
}

void TForm::SetVisible(bool visible) {
  // A layout only records the wish; the application shows the main form when it runs.
  if (IsLoading()) {
    FVisible = visible;
    return;
  }
  if (visible)
    Show();
  else
    Hide();
}

void TForm::Close() {
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else
    Hide();
}

// --- Painting and presenting

void TForm::AddRect(std::vector<TRect>& list, const TRect& rect) {
  TRect r = IntersectRect(rect, ClientRect());
  if (r.IsEmpty()) return;
  // Merge with every rectangle it overlaps or touches, repeatedly, so the list stays disjoint.
  bool merged = true;
  while (merged) {
    merged = false;
    for (size_t i = 0; i < list.size(); ++i) {
      const TRect& e = list[i];
      if (r.Left <= e.Right && e.Left <= r.Right && r.Top <= e.Bottom && e.Top <= r.Bottom) {
        r = UnionRect(r, e);
        list.erase(list.begin() + long(i));
        merged = true;
        break;
      }
    }
  }
  list.push_back(r);
  if (list.size() > MaxRects) {
    TRect all = RegionBounds(list);
    list.assign(1, all);
  }
}

void TForm::InvalidateFormRect(const TRect& r) {
  if (!FVisible || IsDestroying()) return;
  AddRect(FDirty, r);
}

void TForm::PaintDirty() {
  if (!FVisible || FDirty.empty()) return;
  std::vector<TRect> region;
  region.swap(FDirty);
  PaintRegion(region);
}

void TForm::PresentChanges() {
  if (!FWindowOpen || FChanged.empty()) return;
  std::vector<platform::TPRect> rects;
  for (const TRect& r : FChanged) {
    TRect c = IntersectRect(r, Bounds(0, 0, FSurface.Width(), FSurface.Height()));
    if (!c.IsEmpty()) rects.push_back({c.Left, c.Top, c.Right, c.Bottom});
  }
  FChanged.clear();
  if (!rects.empty()) Display().Present(rects);
}

// --- Focus and keys

void TForm::SetActiveControl(TWinControl* control) {
  if (control == this) control = nullptr;
  if (control == FActiveControl) return;
  TWinControl* old = FActiveControl;
  FActiveControl = control;
  if (old) old->DoExit();
  if (control && FActiveControl == control) control->DoEnter();
}

namespace {
// The first control in tab order under w that can take the focus.
TWinControl* FirstTabStop(TWinControl* w) {
  std::vector<TWinControl*> children;
  for (int i = 0; i < w->ControlCount(); ++i)
    if (auto* c = dynamic_cast<TWinControl*>(w->Controls(i))) children.push_back(c);
  std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
    int ta = a->TabOrder < 0 ? INT_MAX : a->TabOrder, tb = b->TabOrder < 0 ? INT_MAX : b->TabOrder;
    return ta < tb;
  });
  for (TWinControl* c : children) {
    if (!c->Visible() || !c->Enabled()) continue;
    if (c->TabStop && c->CanFocus()) return c;
    if (TWinControl* inner = FirstTabStop(c)) return inner;
  }
  return nullptr;
}
}  // namespace

void TForm::SelectFirst() {
  if (TWinControl* c = FirstTabStop(this)) SetActiveControl(c);
}

TWinControl* TForm::KeyTarget() {
  if (FActiveControl && FActiveControl->CanFocus()) return FActiveControl;
  return this;
}

bool TForm::PreviewKey(TWinControl*& target, const std::function<void()>& preview) {
  // The target is looked up once, before the preview: a preview handler that hides,
  // disables or frees the focused control (a page change hides the page's list) must
  // not turn the form into the target and make it hear the same key a second time.
  if (!KeyPreview || target == this) return true;
  FKeyTargets.push_back(target);
  preview();
  target = FKeyTargets.back();  // null when the control was freed meanwhile
  FKeyTargets.pop_back();
  // A control that can no longer take the focus is not given the key: the user
  // cannot see what it would do with it.
  return target && target->CanFocus();
}

void TForm::KeyDownEvent(const platform::TPEvent& e) {
  uint16_t key = uint16_t(e.Key);
  const TShiftState shift = e.Shift & (ssShift | ssAlt | ssCtrl);
  if (FDragSource) {
    // Esc cancels a drag; the escape character it types is swallowed with it.
    if (key == VK_ESCAPE) {
      FSwallowEscape = true;
      CancelDrag();
    }
    return;
  }
  TWinControl* target = KeyTarget();
  if (PreviewKey(target, [&] { HandleKeyDown(key, shift); }) && key != 0) target->HandleKeyDown(key, shift);
}

void TForm::KeyUpEvent(const platform::TPEvent& e) {
  uint16_t key = uint16_t(e.Key);
  const TShiftState shift = e.Shift & (ssShift | ssAlt | ssCtrl);
  if (FDragSource) return;
  TWinControl* target = KeyTarget();
  if (PreviewKey(target, [&] { HandleKeyUp(key, shift); }) && key != 0) target->HandleKeyUp(key, shift);
}

void TForm::CharEvent(char c) {
  TWinControl* target = KeyTarget();
  if (PreviewKey(target, [&] { HandleKeyPress(c); }) && c != 0) target->HandleKeyPress(c);
}

// --- Events

void TForm::DispatchEvent(const platform::TPEvent& e) {
  using K = platform::TPEventKind;
  switch (e.Kind) {
    case K::MouseMove:
      MouseMoveEvent(e);
      break;
    case K::MouseDown:
      MouseDownEvent(e);
      break;
    case K::MouseUp:
      MouseUpEvent(e);
      break;
    case K::MouseWheel:
      MouseWheelEvent(e);
      break;
    case K::MouseLeave:
      if (!FDragSource && !GetCaptureControl()) UpdateMouseControl({e.X, e.Y}, false);
      break;
    case K::KeyDown:
      KeyDownEvent(e);
      break;
    case K::KeyUp:
      KeyUpEvent(e);
      break;
    case K::Char:
      // The platform translates Enter, Backspace, Esc and Tab into characters too.
      for (char c : e.Text) {
        if (c == 27 && FSwallowEscape) {
          FSwallowEscape = false;
          continue;
        }
        if (c != 0 && !FDragSource) CharEvent(c);
      }
      break;
    case K::FocusLost:
      if (FDragSource) CancelDrag();
      SetCaptureControl(nullptr);
      FButtonsDown = 0;
      break;
    case K::Close:
      Close();
      break;
    case K::Expose:
      AddRect(FChanged, ClientRect());
      break;
    default:
      break;
  }
}
