#pragma once

// A windowed text label: its colour fills its area, its caption is drawn in its font,
// laid out by Alignment, with an optional frame. Unlike TLabel it has a window of its
// own, so it clips graphic controls below it.

#include "toolkit/forms/TCustomControl.h"

enum TStaticBorderStyle : uint8_t { sbsNone, sbsSingle, sbsSunken };

class TStaticText : public TCustomControl {
public:
  explicit TStaticText(TComponent* owner);
  const char* ClassName() const override { return "TStaticText"; }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TStaticBorderStyle style);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool show);
  // With AutoSize the control takes the size of its caption (plus frame) after each
  // change of caption or font. Off by default, so that bounds given in code stay.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  void AdjustBounds();

protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;

private:
  int FrameWidth() const;
  uint32_t TextFlags() const;

  TAlignment FAlignment = taLeftJustify;
  TStaticBorderStyle FBorderStyle = sbsNone;
  bool FShowAccelChar = true;
  bool FAutoSize = false;
};
