#pragma once

// A top-level window. The form owns one framebuffer (its TSurface) that every
// control canvas on it draws into; once shown, the framebuffer is the display's.
// The form collects the areas to paint and the areas changed on screen, paints
// and presents them when the application asks, and turns the platform's mouse
// and key events into control events (hit testing, capture, enter/leave, double
// clicks, automatic drag, key preview, focus).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "toolkit/forms/TWinControl.h"
#include "toolkit/graphics/TSurface.h"

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconBit : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint8_t;
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  // Destroy a form through its owner or Free(): OnDestroy runs first, while the whole
  // object (derived form included) is intact, then the owned components are destroyed
  // while the form is still a form. A plain delete skips OnDestroy.
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  // Runs OnCreate. A form built from a declared layout calls this right after
  // reading the layout, at the start of its own constructor's body.
  void DoCreate();
  void BeforeDestruction() override;

  // --- Window properties (used when the window opens).
  TFormBorderStyle BorderStyle = bsSizeable;
  TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormStyle FormStyle = fsNormal;
  TPosition Position = poDesigned;
  // The form sees every key (OnKeyDown, OnKeyPress, OnKeyUp) before the focused control.
  bool KeyPreview = false;
  int ModalResult = 0;

  // The window's position on the screen (live while the window is open).
  int Left() const override;
  int Top() const override;
  void SetBounds(int left, int top, int width, int height) override;
  // The form has no frame of its own: its client area is its whole size.
  void SetClientSize(int width, int height) override { SetBounds(Left(), Top(), width, height); }
  TPoint ClientOrigin() const override;

  // Opens the platform window (first time), paints and presents the first frame.
  void Show();
  void Hide();
  // Makes the form visible without opening a window: it paints into its own
  // framebuffer, for a caller that shows that picture itself.
  void ShowOffscreen();
  void SetVisible(bool visible) override;
  // Asks OnClose; the main form's close ends the application, another form hides.
  void Close();
  // True while the form's window is open on the display.
  bool HasWindow() const { return FWindowOpen; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;

  // --- Focus.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);

  // --- Framebuffer, painting, presenting.
  TSurface& Surface() { return FSurface; }
  // The form's own canvas (its client area outside the windowed children).
  TControlCanvas& Canvas() { return ControlCanvas(); }
  // Paints the form's client area after the background, before graphic children.
  TNotifyEvent OnPaint;
  // Marks an area (form client coordinates) for painting.
  void InvalidateFormRect(const TRect& r);
  bool HasDirtyArea() const { return !FDirty.empty(); }
  // Paints every marked area now.
  void PaintDirty();
  // Shows what changed in the framebuffer since the last present.
  void PresentChanges();

  // --- Input from the platform (client coordinates of the window).
  void DispatchEvent(const platform::TPEvent& event);
  // The control the pointer is over (enter/leave state), or null.
  TControl* MouseControl() const { return FMouseControl; }
  // Picks the pointer shape for the control under the pointer (or the screen-wide one).
  void UpdateCursor();
  // Forgets every reference to control and its children (it leaves the form).
  void ForgetControl(TControl* control);
  // The control that mouse input at formPos reaches (see FindDragTarget), or null.
  TControl* ControlAtFormPos(TPoint formPos, TDisabledControls disabled) const;

  // Automatic drag: starts a drag of source (the toolkit calls this on a left press).
  void BeginAutoDrag(TControl* source);
  TControl* DragSource() const { return FDragSource; }

protected:
  void TextChanged() override;
  void PaintWindow(TCanvas& canvas) override {
    if (OnPaint) OnPaint(this);
  }

private:
  void OpenWindow();
  void AddRect(std::vector<TRect>& list, const TRect& r);
  void SelectFirst();
  TWinControl* KeyTarget();
  // Runs preview (the form's own key handler) when the form previews keys for target;
  // true when the key is then to be given to target, which is null if it was freed.
  bool PreviewKey(TWinControl*& target, const std::function<void()>& preview);
  void MouseDownEvent(const platform::TPEvent& e);
  void MouseMoveEvent(const platform::TPEvent& e);
  void MouseUpEvent(const platform::TPEvent& e);
  void MouseWheelEvent(const platform::TPEvent& e);
  TShiftState MouseShift(const platform::TPEvent& e) const;
  void DragMove(TPoint formPos);
  void EndDrag(TPoint formPos);
  void CancelDrag();
  void UpdateMouseControl(TPoint formPos, bool inside);
  void KeyDownEvent(const platform::TPEvent& e);
  void KeyUpEvent(const platform::TPEvent& e);
  void CharEvent(char c);
  // The control that gets mouse events at formPos (the capture first), and the point in its client coordinates.
  TControl* MouseTarget(TPoint formPos, TPoint& local) const;

  TSurface FSurface;
  bool FWindowOpen = false;
  bool FDestroyCalled = false;
  std::vector<TRect> FDirty;    // to paint
  std::vector<TRect> FChanged;  // to present
  TWinControl* FActiveControl = nullptr;
  // The targets of the keys whose preview is running (innermost last), forgotten when freed.
  std::vector<TWinControl*> FKeyTargets;

  // Mouse state.
  uint32_t FButtonsDown = 0;            // ssLeft | ssRight | ssMiddle while held
  TControl* FMouseControl = nullptr;    // under the pointer, for enter/leave
  TControl* FPressedControl = nullptr;  // received the last press
  TPoint FLastMouse;
  // Double-click synthesis: the last press that may begin a double click.
  bool FHaveLastPress = false;
  platform::TPButton FLastPressButton = platform::TPButton::Left;
  uint32_t FLastPressTime = 0;
  TPoint FLastPressPos;
  TControl* FLastPressControl = nullptr;
  // Automatic drag.
  TControl* FDragSource = nullptr;
  TControl* FDragTarget = nullptr;
  bool FDragAccepted = false;
  bool FSwallowEscape = false;
};
