#pragma once

// An off-screen picture of 32-bit pixels with a canvas to draw on it, loadable from
// the embedded BMP resources. It remembers the bit depth it was loaded with.

#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/TComponent.h"
#include "toolkit/graphics/TCanvas.h"
#include "toolkit/graphics/TSurface.h"

enum TTransparentMode : uint8_t { tmAuto, tmFixed };
enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

class TBitmap : public TPersistent {
public:
  TBitmap();
  ~TBitmap() override;
  const char* ClassName() const override { return "TBitmap"; }
  // Copies size, pixels and transparency settings (a deep copy).
  void Assign(TPersistent* source) override;

  int Width() const { return FSurface.Width(); }
  int Height() const { return FSurface.Height(); }
  void SetWidth(int w);
  void SetHeight(int h);
  // Resizes keeping the pixels that still fit; new pixels are white.
  void SetSize(int w, int h);
  bool Empty() const { return Width() == 0 || Height() == 0; }
  TPixelFormat PixelFormat = pf32bit;

  // When Transparent is set, drawing the bitmap skips the transparent colour: the
  // colour of the bottom-left pixel in tmAuto mode, TransparentColor in tmFixed mode.
  bool Transparent = false;
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  // Reading gives the effective colour (bottom-left pixel in tmAuto); setting switches to tmFixed.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);

  TCanvas& Canvas() { return *FCanvas; }
  TSurface& Surface() { return FSurface; }
  const TSurface& Surface() const { return FSurface; }
  TColor GetPixel(int x, int y) const;  // clNone outside
  void SetPixel(int x, int y, TColor c);

  // Loads a BMP from the embedded resources (name case ignored); raises Exception
  // "Resource %s not found" or a decoder error.
  void LoadFromResourceName(const std::string& name);
  // Loads a BMP file from memory; raises Exception on malformed data.
  void LoadFromBmpData(const uint8_t* data, size_t size);
  void LoadFromFile(const std::string& path);

  // Turns the picture into a two-colour mask: pixels of the given colour become
  // white, all others black (PixelFormat becomes pf1bit). Painting the mask with
  // ROP_DSPDxax then paints the brush where the colour was.
  void Mask(TColor transparentColor);
  // The colour table the bitmap was loaded with (0x00BBGGRR), empty for 16 bits and more.
  const std::vector<TColor>& Palette() const { return FPalette; }

  // Called after the pixels or the size changed: loads, resizes, assignments and
  // every drawing on the bitmap's canvas.
  TNotifyEvent OnChange;

private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  TSurface FSurface;
  std::vector<TColor> FPalette;
  std::unique_ptr<TCanvas> FCanvas;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
};
