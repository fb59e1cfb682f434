#include "controls/TNumberEdit.h"

#include "toolkit/core/FloatFormat.h"

TNumberEdit::TNumberEdit(TComponent* owner) : TCustomEdit(owner) {}

void TNumberEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.WinClassName = "EDIT";
  params.Style |= ES_RIGHT;
}

bool TNumberEdit::Validate() const {
  try {
    StrToFloat(Text());
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

float TNumberEdit::GetValue() const {
  if (!Validate()) return 0;
  return float(StrToFloat(Text()));
}

void TNumberEdit::SetValue(float value) {
  SetText(FloatToStrGeneral(value, 7, 0));
}
