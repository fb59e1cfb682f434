#pragma once

// A line or block of text without a window. With AutoSize it sizes itself to its
// caption (keeping its width and growing in height when WordWrap is set); with
// Transparent the parent shows through around the letters, otherwise the label
// fills its area with its colour first. A '&' marks the next character as the
// accelerator (underlined) unless ShowAccelChar is off; "&&" is a plain '&'.

#include "toolkit/forms/TGraphicControl.h"

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);
  const char* ClassName() const override { return "TLabel"; }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wordWrap);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout layout);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool show);

  // The DrawText flags the label uses for its caption.
  uint32_t TextFlags() const;
  // Sizes the label to its caption now (what AutoSize does after each change).
  void AdjustBounds();

protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;

private:
  // The caption's extent for the current width (DT_CALCRECT).
  TRect TextExtentRect(int width);

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  TTextLayout FLayout = tlTop;
  bool FShowAccelChar = true;
};
