#include "controls/TUnitEdit.h"

#include "controls/TNumberEdit.h"
#include "toolkit/stdctrls/TStaticText.h"

TUnitEdit::TUnitEdit(TComponent* owner) : TCustomControl(owner) {
  SetHeight(20);
}

void TUnitEdit::SetUnit(const std::string& unit) {
  if (FUnitText) FUnitText->SetCaption(unit);
  FUnit = unit;
}

float TUnitEdit::GetValue() const {
  if (FEdit) return FEdit->GetValue();
  return FPendingValue.value_or(0.0f);
}

void TUnitEdit::SetValue(float value) {
  if (FEdit)
    FEdit->SetValue(value);
  else
    FPendingValue = value;
}

void TUnitEdit::SetEditColor(TColor color) {
  if (FEdit)
    FEdit->SetColor(color);
  else
    FEditColorPending = true;
  FEditColor = color;
}

void TUnitEdit::SetUnitColor(TColor color) {
  if (FUnitText)
    FUnitText->SetColor(color);
  else
    FUnitColorPending = true;
  FUnitColor = color;
  SetColor(color);
}

void TUnitEdit::CreateParts() {
  FEdit = new TNumberEdit(this);
  FEdit->SetParent(this);
  FEdit->SetBounds(0, 0, Width() - 30, 20);
  FUnitText = new TStaticText(this);
  FUnitText->SetParent(this);
  FUnitText->SetBounds(Width() - 28, 2, 30, 18);
  FUnitText->SetCaption(FUnit);
  if (FPendingValue) FEdit->SetValue(*FPendingValue);
  if (FEditColorPending) FEdit->SetColor(FEditColor);
  if (FUnitColorPending) FUnitText->SetColor(FUnitColor);
  FPendingValue.reset();
  FEditColorPending = FUnitColorPending = false;
}

void TUnitEdit::CreateWnd() {
  if (ControlCount() == 0) CreateParts();
}

void TUnitEdit::Show() {
  if (FEdit) FEdit->Show();
  if (FUnitText) FUnitText->Show();
}

void TUnitEdit::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  if (parent && !IsLoading()) CreateWnd();
}

void TUnitEdit::Loaded() {
  TCustomControl::Loaded();
  if (ControlCount() == 0) CreateParts();
}

void TUnitEdit::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FEdit) FEdit = nullptr;
  if (component == FUnitText) FUnitText = nullptr;
}
