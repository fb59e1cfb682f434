#pragma once

// Lays a rich-text document out into lines at a width, with word wrap, tab stops,
// alignment, indents, spacing and pictures, using the toolkit's fonts (sans as
// "Tahoma", serif as "DejaVu Serif", mono as "DejaVu Sans Mono"), and paints the
// result on a canvas. Lengths in the document are twips; the layout works in pixels
// at 96 per inch (15 twips to the pixel).
//
// The layout keeps pointers into the document it was made from: the document must
// outlive it, or be laid out again.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "toolkit/core/Types.h"
#include "toolkit/rtf/RtfDocument.h"

class TCanvas;
class TFont;
class TFontInstance;

// One piece of a line: text in one format, the gap a tab leaves, or a picture.
struct TRtfLayoutBox {
  int X = 0;  // from the layout's left edge
  int Width = 0;
  size_t TextStart = 0, TextLength = 0;  // in TRtfLayout::Text()
  const TRtfCharFormat* Format = nullptr;
  TFontInstance* Font = nullptr;
  int Shift = 0;     // baseline shift, positive downwards (superscript is negative)
  int Picture = -1;  // index into the document's pictures
  int PictureHeight = 0;
  TRtfTabLeader Leader = rtlNone;  // for tab gaps
  bool Space = false;              // white space (stretched by justification)
};

struct TRtfLayoutLine {
  int Top = 0;
  int Height = 0;
  int Baseline = 0;             // from Top
  size_t First = 0, Count = 0;  // boxes
};

class TRtfLayout {
public:
  // Lays doc out at width pixels. A plain-text document is shown in plainFont when
  // one is given (a control's own font); rich text uses its own fonts. Without
  // wrap, lines break only where the text breaks them (alignment still uses width).
  void Layout(const TRtfDocument& doc, int width, const TFont* plainFont = nullptr, bool wrap = true);

  int Width() const { return FWidth; }
  // Height of all lines, including the last paragraph's space after.
  int Height() const { return FHeight; }
  const std::vector<TRtfLayoutLine>& Lines() const { return FLines; }
  const std::vector<TRtfLayoutBox>& Boxes() const { return FBoxes; }
  const std::u32string& Text() const { return FText; }

  // Paints the lines that meet the canvas's clip (narrowed to clip, in canvas
  // coordinates, when given) with the layout's top-left corner at (x, y) in canvas
  // coordinates. Text whose colour is "automatic" gets textColor. The background
  // is left alone (highlights excepted).
  void Paint(TCanvas& canvas, int x, int y, TColor textColor, const TRect* clip = nullptr) const;

private:
  struct TAtom;
  struct TParagraphContext;
  struct TScaledPicture {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;  // 0xAARRGGBB
  };

  void LayoutParagraph(const TRtfParagraph& paragraph);
  // Index past the table row that starts at paragraph first.
  size_t RowEnd(size_t first) const;
  // One paragraph showing a table row: its cells side by side, each starting at a
  // tab stop on the cell's left edge.
  const TRtfParagraph& MergeRow(size_t first, size_t end);
  void BuildAtoms(const TRtfParagraph& paragraph, std::vector<TAtom>& atoms);
  void PlaceAtoms(const std::vector<TAtom>& atoms, TParagraphContext& context);
  void PlaceTab(const std::vector<TAtom>& atoms, size_t i, TParagraphContext& context);
  int TabStop(const TParagraphContext& context, int x, TRtfTabKind& kind, TRtfTabLeader& leader) const;
  void FinishLine(TParagraphContext& context, bool lastOfParagraph);
  TFontInstance& FontFor(const TRtfCharFormat& format);
  const TScaledPicture& Scaled(int picture, int width, int height);
  void PaintBox(TCanvas& canvas, const TRtfLayoutBox& box, const TRtfLayoutLine& line, int x, int y, const TRect& clip,
                TColor textColor) const;

  const TRtfDocument* FDoc = nullptr;
  const TFont* FPlainFont = nullptr;
  int FWidth = 0;
  bool FWrap = true;
  int FHeight = 0;
  int FY = 0;
  std::vector<TRtfLayoutLine> FLines;
  std::vector<TRtfLayoutBox> FBoxes;
  std::u32string FText;
  std::vector<TScaledPicture> FPictures;  // per document picture, at its shown size
  int64_t FScaledPixels = 0;
  std::deque<TRtfParagraph> FRows;  // merged table rows; boxes point into them
  TFontInstance* FLastFont = nullptr;
};
