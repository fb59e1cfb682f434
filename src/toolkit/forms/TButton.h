#pragma once

// A push button: a raised face with a centred caption that looks pressed while the
// left button holds it down. A click (left press and release inside, or Space or
// Enter while it has the focus) runs OnClick and, when ModalResult is set, hands that
// result to its form.

#include "toolkit/forms/TCustomControl.h"

class TButton : public TCustomControl {
public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }

  // Given to the form's ModalResult on a click; 0 leaves the form alone.
  int ModalResult = 0;
  // The form's default button: drawn with a dark outline.
  bool Default = false;
  bool Pressed() const { return FPressed; }

  void Click() override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void TextChanged() override { Invalidate(); }

private:
  void SetPressed(bool pressed);

  bool FPressed = false;   // drawn pushed in
  bool FTracking = false;  // the left button went down on it and is still held
};
