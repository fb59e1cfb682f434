#pragma once

// The image side of a picture button: the button's image strip (up to five equally
// sized cells side by side), one built image per button state, and the painting of
// the button's face (the state image centred, the caption centred over it).
//
// Built images are not kept per button: they live in the shared image list of
// their cell size (see TGlyphCache.h), so buttons with equal cells share one list.
// Images are built lazily, the first time a state is asked for, and all are given
// back when the strip or the cell count changes and when the glyph object dies.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"

class TGlyphList;

// The five states of a picture button. The order is fixed: the values index the
// image slots and, through the cell table, the cells of the strip.
enum TFancyButtonState : uint8_t {
  fbsUp,         // released, pointer over the button (hot)
  fbsDown,       // left button held, pointer inside
  fbsMouseOut,   // released, pointer elsewhere (the resting state)
  fbsExclusive,  // latched down
  fbsDisabled,   // disabled
};
constexpr int FancyButtonStateCount = 5;

// Where DrawFace puts the image and the caption (canvas coordinates).
struct TGlyphLayout {
  TPoint ImagePos;
  TRect CaptionRect;  // (0, 0, 0, 0) moved by the offsets when the caption is empty
};

class TButtonGlyph {
public:
  TButtonGlyph();
  // Gives back this glyph's images and destroys the shared cache when it is left empty.
  ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  // The strip itself. Loading pixels into it (or drawing on it) releases the built
  // images and calls OnChange.
  TBitmap& Source() { return *FSource; }
  const TBitmap& Source() const { return *FSource; }
  // N, the number of cells in the strip (at least 1).
  int ImageCount() const { return FImageCount; }
  int CellWidth() const { return FSource->Width() / FImageCount; }
  int CellHeight() const { return FSource->Height(); }
  // The strip's transparent colour as last taken from the source.
  TColor TransparentColor() const;
  // The shared list holding this glyph's images, null until the first build.
  TGlyphList* ImageList() const { return FImageList; }
  // The slot of the image built for state, or -1.
  int Slot(TFancyButtonState state) const { return FSlots[state]; }

  // Called after every change of the source.
  TNotifyEvent OnChange;

  // Copies bitmap into the source (null clears it). A non-empty bitmap whose width is
  // a multiple of its height sets N to width / height (1 when that exceeds 5); any
  // other shape keeps N.
  void AssignSource(const TBitmap* bitmap);
  // Sets N (ignored unless n > 0 and different) and treats the source as changed.
  void SetImageCount(int n);
  // The source's change notification: takes its transparent colour, releases the
  // images and calls OnChange. Other senders are ignored.
  void SourceChanged(TObject* sender);
  // Gives every built image's slot back to the list and the list back to the cache.
  void ReleaseImages();

  // The cell of the strip whose image state shows with n cells (see the .cpp for the
  // rule); for fbsDisabled with one cell this is the cell the embossed look is made from.
  static int CellForState(TFancyButtonState state, int n);
  // Builds the image for state unless it exists (or rebuilds it in its slot when
  // rebuild is set) and returns its slot; -1 when nothing could be built.
  int BuildStateImage(TFancyButtonState state, bool rebuild);

  // Paints the face: the state image centred in face, the caption centred over it
  // and moved by captionOffset (the image never moves), with a drop shadow 2 pixels
  // right of and below the caption unless shadowColor is clNone, etched when disabled.
  void DrawFace(TCanvas& canvas, const TRect& face, TPoint captionOffset, const std::string& caption,
                TFancyButtonState state, TColor shadowColor, uint32_t textFlags);
  // The positions DrawFace uses (the caption is measured with the canvas font).
  TGlyphLayout CalcLayout(TCanvas& canvas, const TRect& face, TPoint captionOffset, const std::string& caption,
                          uint32_t textFlags) const;

private:
  void DrawStateImage(TCanvas& canvas, TPoint pos, TFancyButtonState state);
  void DrawCaption(TCanvas& canvas, TRect rect, const std::string& caption, TFancyButtonState state, TColor shadowColor,
                   uint32_t textFlags);
  // The disabled look: recoloured cell for N >= 2, embossed for N = 1.
  void MakeDisabledImage(TBitmap& work, const TBitmap& cell) const;
  void StoreImage(int& slot, const TBitmap& work, TColor maskColor);

  std::unique_ptr<TBitmap> FSource;
  TGlyphList* FImageList = nullptr;  // shared, owned by the cache
  std::array<int, FancyButtonStateCount> FSlots;
  // Taking the colour of a strip not yet decoded (its bottom-left pixel) would decode
  // it; that waits until the colour is needed.
  void TakeTransparentColor();
  mutable TColor FTransparentColor = clOlive;
  mutable bool FTransparentPending = false;
  int FImageCount = 1;
};
