#pragma once

// A number entry with a unit caption: a TNumberEdit on the left and a static text
// showing Unit (for example "cm") at the right edge. The parts are created once, when
// the unit edit's window is created (it gets a parent outside layout loading) or its
// layout loading completes, from its Width at that moment; they are not resized later.
// Values set before the parts exist are kept and applied when they appear.

#include <optional>
#include <string>

#include "toolkit/forms/TCustomControl.h"

class TNumberEdit;
class TStaticText;

class TUnitEdit : public TCustomControl {
public:
  explicit TUnitEdit(TComponent* owner);
  const char* ClassName() const override { return "TUnitEdit"; }

  const std::string& GetUnit() const { return FUnit; }
  void SetUnit(const std::string& unit);
  float GetValue() const;
  void SetValue(float value);
  TColor GetEditColor() const { return FEditColor; }
  void SetEditColor(TColor color);
  // Also the unit edit's own colour.
  TColor GetUnitColor() const { return FUnitColor; }
  void SetUnitColor(TColor color);

  // The parts (null until created).
  TNumberEdit* Edit() const { return FEdit; }
  TStaticText* UnitText() const { return FUnitText; }

  // Creates the edit (0, 0, Width - 30, 20) and the unit text (Width - 28, 2, 30, 18).
  void CreateParts();
  // The window's creation: the parts, unless there are children already.
  void CreateWnd();
  // Shows the edit and the unit text.
  void Show();

  void SetParent(TWinControl* parent) override;

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TNumberEdit* FEdit = nullptr;
  TStaticText* FUnitText = nullptr;
  std::string FUnit;
  TColor FEditColor = clWindow;
  TColor FUnitColor = clBtnFace;
  // Set before the parts existed, waiting for them.
  std::optional<float> FPendingValue;
  bool FEditColorPending = false;
  bool FUnitColorPending = false;
};
