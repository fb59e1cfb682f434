#pragma once

// An off-screen picture of 32-bit pixels with a canvas to draw on it, loadable from
// the embedded BMP resources. It remembers the bit depth it was loaded with.
//
// A picture loaded from an embedded resource is decoded when its pixels are first
// needed, not when it is loaded: most of the program's pictures belong to pages that
// are not shown at start-up. Its size, depth and colour table are known at once, and
// copies of it share the undecoded bytes until one of them is drawn or drawn on.

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

  int Width() const { return FEncoded ? FEncoded->Width : FSurface.Width(); }
  int Height() const { return FEncoded ? FEncoded->Height : FSurface.Height(); }
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

  TCanvas& Canvas() {
    Decode();
    return *FCanvas;
  }
  TSurface& Surface() {
    Decode();
    return FSurface;
  }
  const TSurface& Surface() const {
    Decode();
    return FSurface;
  }
  TColor GetPixel(int x, int y) const;  // clNone outside
  void SetPixel(int x, int y, TColor c);

  // Loads a BMP from the embedded resources (name case ignored); raises Exception
  // "Resource %s not found" or a decoder error. The pixels are decoded on first use.
  void LoadFromResourceName(const std::string& name);
  // True while the pixels of a loaded resource have not been decoded yet.
  bool Deferred() const { return FEncoded != nullptr; }
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
  // The undecoded bytes of an embedded picture (which live as long as the program).
  struct TEncoded {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    int Width = 0, Height = 0;
  };
  void Changed() {
    if (OnChange) OnChange(this);
  }
  // Decodes a deferred picture into the surface; the header was checked at loading,
  // so this cannot fail.
  void Decode() const {
    if (FEncoded) DecodeNow();
  }
  void DecodeNow() const;
  // The pixels are filled in on first use, also through const access.
  mutable TSurface FSurface;
  mutable std::shared_ptr<const TEncoded> FEncoded;
  std::vector<TColor> FPalette;
  std::unique_ptr<TCanvas> FCanvas;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
};
