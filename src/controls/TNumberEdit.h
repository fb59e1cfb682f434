#pragma once

// A single-line edit whose right-aligned text is read and written as a number
// (Value). Text that is not a number reads as 0.

#include <cstdint>

#include "toolkit/stdctrls/TCustomEdit.h"

enum TNumberType : uint8_t { ntInteger, ntFloat };

class TNumberEdit : public TCustomEdit {
public:
  explicit TNumberEdit(TComponent* owner);
  const char* ClassName() const override { return "TNumberEdit"; }

  // Stored with the layout; nothing depends on it.
  TNumberType NumberType = ntInteger;

  // True when the text converts to a number (with the system's decimal separator).
  bool Validate() const;
  // The text as a number; 0 when Validate fails (an empty text included).
  float GetValue() const;
  // Shows value in general format with 7 significant digits (1.5, 1234568, 1E20).
  void SetValue(float value);

protected:
  // A subclass of the standard edit window with its text aligned right.
  void CreateParams(TCreateParams& params) override;
};
