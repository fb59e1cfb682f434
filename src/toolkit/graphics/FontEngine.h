#pragma once

// Text rendering with FreeType over the fonts embedded in the executable.
//
// Three families are available: a Tahoma-compatible sans (the default, and what any
// unknown name gets), DejaVu Serif and DejaVu Sans Mono, each with a regular and a
// bold face; italic is synthesised by shearing the outlines, underline and strike-out
// are drawn as bars. The Tahoma-compatible bold face, whose stems are as thin as the
// regular ones, is thickened as well. All sizes render anti-aliased from the outlines (the embedded
// bitmap strikes are never used), and glyph advances are whole pixels, so measured
// widths and drawn text always agree.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "toolkit/core/Types.h"
#include "toolkit/graphics/TFont.h"
#include "toolkit/graphics/TSurface.h"

enum TFontFamily : uint8_t { ffSans, ffSerif, ffMono };

// The family that a font name is served with: monospaced names (Courier, "mono",
// ...) get DejaVu Sans Mono, serif names (Times, Georgia, "serif" without "sans")
// DejaVu Serif, everything else the Tahoma-compatible sans.
TFontFamily FontFamilyOf(const std::string& name);

// Windows-1252, the program's 8-bit code page, to Unicode.
char32_t Cp1252ToUnicode(uint8_t c);
std::u32string Cp1252ToUtf32(std::string_view text);

// One rendered glyph: an 8-bit coverage bitmap placed relative to the pen position
// on the baseline (Left to the right, Top upwards), and the pen advance.
struct TGlyph {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Advance = 0;
  std::unique_ptr<uint8_t[]> Coverage;
};

struct TFontFaceData;

// One face at one pixel size and weight/slant, with its glyph cache.
class TFontInstance {
public:
  TFontInstance(const TFontFaceData& face, int height, bool bold, bool italic);
  ~TFontInstance();
  TFontInstance(const TFontInstance&) = delete;
  TFontInstance& operator=(const TFontInstance&) = delete;

  // Cell metrics in pixels: Ascent above the baseline, Descent below, Height = both.
  int Ascent() const { return FAscent; }
  int Descent() const { return FDescent; }
  int Height() const { return FAscent + FDescent; }

  const TGlyph& Glyph(char32_t c);
  int CharWidth(char32_t c) { return Glyph(c).Advance; }
  int TextWidth(std::u32string_view text);
  // Every pixel drawing text with its cell at (x, y) may touch: the cell of the text
  // plus whatever the glyphs reach beyond it (slanted or overhanging letters).
  TRect TextBounds(int x, int y, std::u32string_view text);

  // Draws text with the top-left corner of its cell at (x, y) on the surface, in
  // pixel colour 0x00RRGGBB blended by coverage, touching only pixels inside clip.
  // Underline and strike-out bars follow the style bits. Returns the pen advance.
  int Draw(TSurface& surface, const TRect& clip, int x, int y, std::u32string_view text, uint32_t pixel,
           TFontStyles decorations);
  // Draws the underline bar for width pixels of text whose cell starts at (x, y).
  void DrawUnderline(TSurface& surface, const TRect& clip, int x, int y, int width, uint32_t pixel) {
    DrawBar(surface, clip, x, y + FAscent + FUnderlinePos, width, FUnderlineThickness, pixel);
  }

private:
  TGlyph Render(char32_t c);
  void DrawBar(TSurface& surface, const TRect& clip, int x, int y, int width, int thickness, uint32_t pixel);

  void* FFace = nullptr;  // FT_Face, kept out of the header
  bool FItalic = false;
  int FEmbolden = 0;  // outline thickening in 1/64 pixel
  int FAscent = 0, FDescent = 0;
  int FUnderlinePos = 1, FUnderlineThickness = 1, FStrikePos = 3;
  std::array<std::unique_ptr<TGlyph>, 256> FLatin;  // glyphs below U+0100
  std::unordered_map<char32_t, TGlyph> FOther;
};

// The process-wide set of font instances; created on first use.
class TFontEngine {
public:
  static TFontEngine& Instance();
  ~TFontEngine();

  // The instance for a font description: family from the name, size from the
  // height (negative: character height, positive: cell height, 0: the default
  // 11-pixel character height), face from the bold and italic bits.
  TFontInstance& Get(const std::string& name, int height, TFontStyles style);
  TFontInstance& Get(const TFont& font) { return Get(font.Name(), font.Height(), font.Style()); }

private:
  TFontEngine();
  const TFontFaceData& Face(TFontFamily family, bool bold);

  void* FLibrary = nullptr;  // FT_Library
  std::map<std::pair<int, bool>, std::unique_ptr<TFontFaceData>> FFaces;
  std::map<std::tuple<int, bool, bool, int>, std::unique_ptr<TFontInstance>> FInstances;
};
