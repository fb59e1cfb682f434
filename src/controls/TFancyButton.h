#pragma once

// The picture button of the window: a windowed control whose whole face is one
// cell of an image strip (Glyph, NumGlyphs cells) chosen by the button's State,
// with the caption centred over it and an optional drop shadow. It tracks the
// mouse itself (hot while the pointer is over it, pressed while the left button is
// held inside), can latch down in a group of buttons (GroupIndex, AllowAllUp), and
// is disabled through State = fbsDisabled rather than a separate enabled flag.
//
// The toolkit raises OnClick on a left release inside the button before MouseUp
// runs, so OnClick sees the pressed state; the button then settles its state,
// toggles Down in a group and hands ModalResult to the owning form.

#include <cstdint>
#include <memory>

#include "controls/TButtonGlyph.h"
#include "toolkit/forms/TCustomControl.h"

class TAction;

// The toolkit's modal-result codes, 0 (none) to 8; 2 is cancel.
using TFancyModalResult = uint8_t;
constexpr TFancyModalResult FancyModalResultMax = 8;
constexpr TFancyModalResult mrCancelResult = 2;

class TFancyButton : public TCustomControl {
public:
  explicit TFancyButton(TComponent* owner);
  ~TFancyButton() override;
  const char* ClassName() const override { return "TFancyButton"; }

  TFancyButtonState State() const { return FState; }
  // Stores the state, enables the control unless the state is fbsDisabled, builds
  // the state's image and repaints at once.
  void SetState(TFancyButtonState state);

  TFancyModalResult ModalResult() const { return FModalResult; }
  // Raises Exception for a value outside 0 to 8.
  void SetModalResult(int value);

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool Down() const { return FDown; }
  // Latches (true) or releases the button. Only a grouped button latches, and a
  // latched one is released only when AllowAllUp is set. Latching releases the
  // other latched button of the group.
  void SetDown(bool value);

  // The strip itself: loading pixels into it changes the images but not the size.
  TBitmap* GetGlyph() { return &FGlyph->Source(); }
  // Copies the strip (null clears it) and sizes the button to one cell.
  void SetGlyph(const TBitmap* glyph);
  int GetNumGlyphs() const { return FGlyph->ImageCount(); }
  // Sets the number of cells (clamped to 1..5) and sizes the button to one cell.
  void SetNumGlyphs(int value);
  // The palette the strip was loaded with.
  const std::vector<TColor>& GetPalette() const { return FGlyph->Source().Palette(); }

  int TextOffsetLeft() const { return FTextOffsetLeft; }
  void SetTextOffsetLeft(int value);
  int TextOffsetTop() const { return FTextOffsetTop; }
  void SetTextOffsetTop(int value);
  TColor TextShadowColor() const { return FTextShadowColor; }
  void SetTextShadowColor(TColor value);

  // A left press that began on the button is being tracked.
  bool Pressing() const { return FPressing; }
  // The pointer is over the button (as far as the button knows).
  bool MouseInside() const { return FMouseInside; }
  TButtonGlyph& ButtonGlyph() { return *FGlyph; }

  // The glyph object's change callback: repaints soon.
  void GlyphChanged(TObject* sender);
  // Enter (and Escape when ModalResult is cancel) hands ModalResult to the owning
  // form and clicks the button; the key is not consumed.
  void ButtonKeyPress(TObject* sender, char& key);
  // Compares the pointer's position with MouseInside and sends this button the
  // mouse-entered or mouse-left notification when they disagree.
  void UpdateTracking();
  // Tells the other buttons of the group (same parent) that this one changed.
  void UpdateExclusive();

  TAction* Action() const { return FAction; }
  // Links an action (null unlinks): the button takes the action's properties now
  // (see ActionChange) and runs the action when clicked while it has no OnClick of
  // its own. Later changes of the action reach the button through ActionChange.
  void SetAction(TAction* action);
  // Takes over the action's caption, hint and enabled state (a disabled action
  // disables the button, an enabled one enables a disabled button); with
  // checkDefaults only where the button still has its default values. When the
  // glyph is empty and the action's image index lies within its image list, the
  // button takes the list's image size.
  void ActionChange(TObject* sender, bool checkDefaults);
  void Click() override;

  void Dispatch(TMessage& message) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // The second press of a double click: raises OnDblClick on a latched button and
  // does nothing else, so a double click gives one press and one OnClick.
  void ButtonDblClk(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  void CMSyscolorChange();
  void CMDialogChar(TMessage& message);
  void CMMouseEnter();
  void CMMouseLeave();
  void CMButtonPressed(TMessage& message);
  // The tracking area: the row y = Height counts as inside.
  bool InsideForTracking(int x, int y) const;
  void HandModalResultToForm();
  void SizeToCell();
  void FillChecker(TCanvas& canvas, const TRect& face);

  int FGroupIndex = 0;
  std::unique_ptr<TButtonGlyph> FGlyph;
  bool FDown = false;
  bool FPressing = false;
  bool FAllowAllUp = false;
  bool FMouseInside = false;
  int FTextOffsetLeft = 0;
  int FTextOffsetTop = 0;
  TColor FTextShadowColor = clNone;
  TFancyButtonState FState = fbsMouseOut;
  TFancyModalResult FModalResult = 0;
  TAction* FAction = nullptr;  // not owned; forgotten when it is destroyed
};
