#pragma once

// A windowed control: it has children (kept in stacking order), its area clips its
// parent's painting and its siblings below it, and it can take the keyboard focus.

#include <memory>
#include <vector>

#include "toolkit/forms/TControl.h"

class TCanvas;
class TControlCanvas;

// Virtual-key codes of the keys the program looks at (the classic values).
constexpr uint16_t VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
                   VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37,
                   VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_F1 = 112;

// Whether a search for the control at a point counts disabled controls.
enum TDisabledControls : uint8_t { dcSkip, dcInclude };
// Which children a search for the control at a point looks at.
enum TChildKinds : uint8_t { ckAll, ckGraphicOnly };

// A key went down or up; set key to 0 to stop it from going further.
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
// A character was typed (Windows-1252); set key to 0 to swallow it.
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  // Children still present are destroyed (each removes itself from its owner first).
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  // --- Children, bottom of the stacking order first.
  int ControlCount() const { return int(FControls.size()); }
  TControl* Controls(int index) const { return FControls.at(size_t(index)); }
  // Used by TControl::SetParent; call SetParent instead.
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The topmost visible child at p (client coordinates): windowed children first (unless
  // kinds is ckGraphicOnly), then graphic ones; disabled children count only with
  // dcInclude. Null when none.
  TControl* ControlAtPos(TPoint p, TDisabledControls disabled, TChildKinds kinds = ckAll) const;
  // Sends message to every child until one sets a non-zero Result.
  void Broadcast(TMessage& message);

  // --- Alignment: children with an Align are laid out in the client area.
  // Lays out the aligned children now.
  virtual void Realign();

  // --- Focus.
  bool TabStop = false;
  int TabOrder = -1;
  // Visible and enabled, with every parent up to a form.
  virtual bool CanFocus() const;
  bool Focused() const;
  // Gives this control the keyboard focus of its form; raises Exception when it cannot take it.
  virtual void SetFocus();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  // --- Entry points of the key dispatch (used by the form).
  void HandleKeyDown(uint16_t& key, TShiftState shift) { KeyDown(key, shift); }
  void HandleKeyPress(char& key) { KeyPress(key); }
  void HandleKeyUp(uint16_t& key, TShiftState shift) { KeyUp(key, shift); }

  void SetBounds(int left, int top, int width, int height) override;

protected:
  // Keyboard handling; the defaults raise the events.
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void DoEnter();
  virtual void DoExit();

  // The canvas the toolkit paints this control's client area with. Created on demand.
  TControlCanvas& ControlCanvas();
  // Paints the client area inside the canvas' current clip: the default fills it
  // with Color (the background that shows behind transparent children and paint).
  virtual void EraseBackground(TCanvas& canvas);
  // Paints the control's own contents after the background, before graphic children.
  virtual void PaintWindow(TCanvas& canvas) {}

  void ParentFontChanged() override;
  void ParentColorChanged() override;
  void Loaded() override;
  void VisibleChanged() override;

  // Lays out the aligned children in rect (client coordinates); rect shrinks as
  // top, bottom, left and right children take their strips; the rest goes to alClient.
  virtual void AlignControls(TControl* control, TRect& rect);

private:
  friend class TControl;
  friend class TForm;
  friend class TControlCanvas;

  // Paints the parts of this control and its children that lie in region (form coordinates).
  void PaintRegion(const std::vector<TRect>& region);
  void PaintGraphicChildren(const std::vector<TRect>& region);

  std::vector<TControl*> FControls;
  std::unique_ptr<TControlCanvas> FCanvas;
  bool FAligning = false;
};
