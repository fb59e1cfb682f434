#pragma once

// A font description: name, height, style, colour. Rendering goes through the
// font engine (FreeType over the embedded Tahoma-compatible faces).

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/core/TComponent.h"

enum TFontStyleBit : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

class TFont : public TPersistent {
public:
  const char* ClassName() const override { return "TFont"; }
  void Assign(TPersistent* source) override;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  // Height in pixels: negative is the character height (em size), positive the cell height.
  int Height() const { return FHeight; }
  void SetHeight(int height);
  // Size in points at 96 pixels per inch (Height = -Size * 96 / 72).
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  uint8_t Charset = 1;  // DEFAULT_CHARSET; kept for layouts that declare it

  // Called after any property changed (controls repaint, parent-font links break).
  std::function<void()> OnChange;

  friend bool operator==(const TFont& a, const TFont& b) {
    return a.FName == b.FName && a.FHeight == b.FHeight && a.FStyle == b.FStyle && a.FColor == b.FColor;
  }

private:
  void Changed() {
    if (OnChange) OnChange();
  }
  std::string FName = "Tahoma";
  int FHeight = -11;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
};
