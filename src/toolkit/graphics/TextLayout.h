#pragma once

// Breaking 8-bit text into lines for drawing, as the canvas's DrawText and the
// labels need it: explicit line breaks, optional word wrapping at a width, the
// accelerator prefix ("&x" underlines x, "&&" is one "&") and tab expansion.

#include <cstdint>
#include <string>
#include <vector>

class TFontInstance;

struct TTextLine {
  std::u32string Text;
  int Width = 0;
  int Accel = -1;  // index in Text of the character to underline, or -1
};

// Splits text into lines by the DT_ flags (DT_SINGLELINE, DT_WORDBREAK,
// DT_NOPREFIX, DT_EXPANDTABS); maxWidth applies to word wrapping only. A word
// wider than maxWidth stays whole on a line of its own.
std::vector<TTextLine> BreakText(const std::string& text, uint32_t flags, int maxWidth, TFontInstance& font);
