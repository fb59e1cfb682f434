#include "toolkit/graphics/TFont.h"

#include <cmath>

void TFont::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TFont*>(source);
  if (!other) return TPersistent::Assign(source);
  if (*other == *this && Charset == other->Charset) return;
  FName = other->FName;
  FHeight = other->FHeight;
  FStyle = other->FStyle;
  FColor = other->FColor;
  Charset = other->Charset;
  Changed();
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == FName) return;
  FName = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

// Rounds a * b / c to the nearest integer, halves away from zero.
static int MulDiv(int a, int b, int c) {
  return int(std::lround(double(a) * b / c));
}

int TFont::Size() const {
  return -MulDiv(FHeight, 72, 96);
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}
