#pragma once

// The base of every visible element: bounds within a parent, visibility, enabled
// state, cursor, hint, font, colour, caption, mouse events and drag-and-drop.
// Controls are components: their owner destroys them; their parent shows them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "toolkit/core/TComponent.h"
#include "toolkit/core/Types.h"
#include "toolkit/graphics/TFont.h"

class TWinControl;
class TForm;
class TDragObject;

// What a control does with the mouse and how it paints (a set of bits).
enum TControlStyleBit : uint32_t {
  csAcceptsControls = 1 << 0,  // may be the parent of other controls in a layout
  csCaptureMouse = 1 << 1,     // keeps the mouse from a press until the release
  csClickEvents = 1 << 3,      // a left press and release inside raises Click
  csOpaque = 1 << 6,           // paints every pixel of its area itself
  csDoubleClicks = 1 << 7,     // a second quick press becomes a double click
  csReplicatable = 1 << 11,
};
using TControlStyle = uint32_t;

enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// The source was picked up; a handler may supply its own drag object (left null here).
using TStartDragEvent = std::function<void(TObject* sender, TDragObject*& dragObject)>;
// Something is dragged over the sender; set accept to take a drop there.
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
// The drag ended: target is the accepting control (null when none accepted) and
// x, y the drop point in the target's client coordinates (0, 0 without a target).
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;

// A message sent to a control: notifications that subclasses may intercept by
// overriding Dispatch (the numbers are those of the classic class library).
struct TMessage {
  uint32_t Msg = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

constexpr uint32_t WM_SYSCOLORCHANGE = 0x0015;
constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 0x06;  // WParam: the character
constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 0x08;
constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 0x09;
constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 0x0B;
constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr uint32_t CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr uint32_t CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr uint32_t CM_CURSORCHANGED = CM_BASE + 0x0F;
constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr uint32_t CM_MOUSEENTER = CM_BASE + 0x13;
constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 0x14;
constexpr uint32_t CM_BUTTONPRESSED = CM_BASE + 0x18;  // WParam: group index, LParam: the sender
constexpr uint32_t CM_SHOWHINTCHANGED = CM_BASE + 0x22;
constexpr uint32_t CM_PARENTSHOWHINTCHANGED = CM_BASE + 0x23;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  // --- Place in the tree.
  TWinControl* Parent() const { return FParent; }
  // Moves the control under another windowed control (null: takes it off screen).
  virtual void SetParent(TWinControl* parent);
  // The form at the top of the parent chain, or null.
  TForm* GetParentForm() const;
  // True when this control is parent's descendant (or parent itself).
  bool IsChildOf(const TControl* ancestor) const;

  // --- Bounds, in the parent's client coordinates (a form: its window on the screen).
  virtual int Left() const { return FLeft; }
  virtual int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int left) { SetBounds(left, Top(), FWidth, FHeight); }
  void SetTop(int top) { SetBounds(Left(), top, FWidth, FHeight); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, FHeight); }
  void SetHeight(int height) { SetBounds(Left(), Top(), FWidth, height); }
  // Moves and sizes at once; negative sizes become 0. The parent realigns.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  // The drawable area in client coordinates: (0, 0, ClientWidth, ClientHeight).
  virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }
  void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
  void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
  // Client (0, 0) in screen coordinates.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  // Client (0, 0) in the client coordinates of the form at the top (its framebuffer).
  TPoint OriginInForm() const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);

  // --- State.
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to a form.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);

  std::string Hint;
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool showHint);  // also clears ParentShowHint
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool parentShowHint);

  // The control's font; changing it clears ParentFont. With ParentFont the control
  // takes its parent's font whenever that changes or the control is re-parented.
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool parentFont);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);  // also clears ParentColor
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool parentColor);

  // Caption and Text are the same string.
  const std::string& Caption() const { return FText; }
  void SetCaption(const std::string& caption) { SetText(caption); }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);

  TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;

  TDragMode DragMode() const { return FDragMode; }
  virtual void SetDragMode(TDragMode mode) { FDragMode = mode; }
  // True while this control is the source of a drag-and-drop operation.
  bool Dragging() const;

  // --- Mouse capture: while set, every mouse event goes to this control.
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  // --- Painting.
  // Marks the control's area for painting before the application next waits.
  virtual void Invalidate();
  // Marks part of the control (client coordinates) for painting soon.
  void InvalidateRect(const TRect& clientRect);
  // Paints whatever is marked, now.
  virtual void Update();
  // Invalidate and Update: paints the control now.
  void Repaint();
  void Refresh() { Repaint(); }

  // --- Stacking among the parent's children.
  void BringToFront();
  void SendToBack();

  // --- Messages.
  // Handles a notification; the default turns the CM_ messages into the virtual
  // calls below (MouseEnter, FontChanged, ...). Subclasses override to intercept.
  virtual void Dispatch(TMessage& message);
  intptr_t Perform(uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);

  // --- Events.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

  // Raises the click as a user's click would (runs OnClick).
  virtual void Click();

  // --- Entry points of the input dispatch (used by the form). Coordinates are client coordinates.
  // A press of button; double is the second press of a double click.
  void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool isDouble);
  void HandleMouseMove(TShiftState shift, int x, int y);
  void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);

protected:
  // Mouse handling, in client coordinates. The defaults raise the matching events.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DblClick();
  // The mouse wheel turned over the control (delta +120 per notch away from the user);
  // true when the control used it, false to pass it to the parent.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) { return false; }
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The second press of a double click (shift carries ssDouble). The default: capture
  // when csCaptureMouse, DblClick for the left button when csClickEvents, then MouseDown.
  virtual void ButtonDblClk(TMouseButton button, TShiftState shift, int x, int y);

  // Drag-and-drop: the defaults raise the events.
  virtual void DoStartDrag(TDragObject*& dragObject);
  virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
  virtual void DragDrop(TObject* source, int x, int y);
  virtual void DoEndDrag(TObject* target, int x, int y);

  // Notifications; the defaults repaint where it shows.
  virtual void FontChanged();
  virtual void TextChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();

  // Called when the parent's font or colour changed, or on re-parenting.
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();

  // The area this control covers in form coordinates, clipped by its parents.
  TRect VisibleRectInForm() const;

  void Loaded() override;

  // Tells canvases that the geometry of some control changed.
  static void GeometryChanged();

private:
  friend class TWinControl;
  friend class TControlCanvas;
  friend class TForm;
  friend class TApplication;

  // Take the parent's font, colour or hint flag without breaking the link.
  void TakeParentFont();
  void TakeParentColor();
  void TakeParentShowHint();
  // Pass a change on to the children that follow this control.
  void PropagateFont();
  void PropagateColor();
  void PropagateShowHint();
  // Asks the parent to lay out its aligned children again.
  void RequestAlign();
  void FontObjectChanged();

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TCursor FCursor = crDefault;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TFont FFont;
  bool FParentFont = true;
  bool FSettingFont = false;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::string FText;
  TDragMode FDragMode = dmManual;
  bool FClicked = false;  // a left press began on this control and may become a click

  static uint32_t FGeometryGeneration;
};

// The control that holds the mouse capture, or null.
TControl* GetCaptureControl();
// Gives the capture to control (null releases it); the display captures the OS mouse meanwhile.
void SetCaptureControl(TControl* control);

// The form at the top of control's parent chain, or null.
TForm* GetParentForm(const TControl* control);

// The control under a screen position: the topmost visible control there, looking
// into windowed children and their graphic children. Disabled controls count only
// when allowDisabled is set. Null when the point is on no form.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
