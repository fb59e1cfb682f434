#include "toolkit/graphics/FontEngine.h"

#include <ft2build.h>

#include "platform/Cp1252.h"
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "toolkit/core/ResourceTable.h"
#include "toolkit/core/Resources.h"

// The font file of one face and the design metrics every size is derived from.
struct TFontFaceData {
  FT_Library Library = nullptr;
  const uint8_t* Data = nullptr;
  size_t Size = 0;
  int UnitsPerEm = 2048;
  int WinAscent = 0, WinDescent = 0;
  int UnderlinePosition = 0, UnderlineThickness = 0, StrikePosition = 0;
  // Outline thickening in thousandths of the em, for a bold face drawn with regular stems.
  int EmboldenPerMille = 0;
};

namespace {

// Glyphs are rendered smoothly from the outlines at every size, hinted by the fonts' own
// instructions: stems land on whole pixels, which keeps the 11 to 13 pixel interface
// text crisp (the light and automatic hinters were tried and read blurrier or unevenly
// spaced).
constexpr FT_Int32 LoadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_NO_AUTOHINT;

// Italic is the upright face sheared by about 12 degrees to the right.
constexpr FT_Matrix Shear = {0x10000, 0x0366A, 0, 0x10000};

bool Contains(const std::string& haystack, const char* needle) {
  return haystack.find(needle) != std::string::npos;
}

int Scale(int units, double em, int unitsPerEm) {
  return int(std::lround(units * em / unitsPerEm));
}

// Blends src over dst with coverage a (0..255), channel by channel.
inline uint32_t Blend(uint32_t dst, uint32_t src, uint32_t a) {
  if (a == 255) return src;
  uint32_t inv = 255 - a;
  uint32_t rb = (src & 0xFF00FF) * a + (dst & 0xFF00FF) * inv + 0x800080;
  uint32_t g = (src & 0x00FF00) * a + (dst & 0x00FF00) * inv + 0x008000;
  rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  g = ((g + ((g >> 8) & 0x00FF00)) >> 8) & 0x00FF00;
  return rb | g;
}

}  // namespace

TFontFamily FontFamilyOf(const std::string& name) {
  std::string n = name;
  std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (Contains(n, "mono") || Contains(n, "courier") || Contains(n, "consol") || Contains(n, "fixedsys") ||
      Contains(n, "terminal"))
    return ffMono;
  if (Contains(n, "sans")) return ffSans;
  if (Contains(n, "serif") || Contains(n, "times") || Contains(n, "georgia") || Contains(n, "roman") ||
      Contains(n, "garamond") || Contains(n, "book"))
    return ffSerif;
  return ffSans;
}

char32_t Cp1252ToUnicode(uint8_t c) {
  return platform::Cp1252ToCodePoint(c);
}

std::u32string Cp1252ToUtf32(std::string_view text) {
  std::u32string out(text.size(), U'\0');
  for (size_t i = 0; i < text.size(); ++i) out[i] = Cp1252ToUnicode(uint8_t(text[i]));
  return out;
}

// ---------------------------------------------------------------------------------------

TFontInstance::TFontInstance(const TFontFaceData& data, int height, bool bold, bool italic) : FItalic(italic) {
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(data.Library, data.Data, FT_Long(data.Size), 0, &face) != 0)
    throw Exception("Cannot open an embedded font");
  FFace = face;
  if (height == 0) height = -11;
  double em = height < 0 ? -height : double(height) * data.UnitsPerEm / (data.WinAscent + data.WinDescent);
  em = std::clamp(em, 1.0, 1000.0);  // absurd heights are clamped rather than rendered
  FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(em * 64)), 72, 72);
  FAscent = Scale(data.WinAscent, em, data.UnitsPerEm);
  FDescent = height > 0 ? height - FAscent : Scale(data.WinDescent, em, data.UnitsPerEm);
  FDescent = std::max(FDescent, 1);
  FUnderlineThickness = std::max(1, Scale(data.UnderlineThickness, em, data.UnitsPerEm));
  FUnderlinePos =
      std::clamp(Scale(-data.UnderlinePosition, em, data.UnitsPerEm), 1, std::max(1, FDescent - FUnderlineThickness));
  FStrikePos = std::max(1, Scale(data.StrikePosition, em, data.UnitsPerEm));
  if (bold) FEmbolden = int(std::lround(em * 64 * data.EmboldenPerMille / 1000.0));
}

TFontInstance::~TFontInstance() {
  FT_Done_Face(FT_Face(FFace));
}

TGlyph TFontInstance::Render(char32_t c) {
  TGlyph glyph;
  if (c < 0x20) return glyph;  // control characters take no space
  FT_Face face = FT_Face(FFace);
  FT_GlyphSlot slot = face->glyph;
  if (FT_Load_Glyph(face, FT_Get_Char_Index(face, FT_ULong(c)), LoadFlags) != 0) return glyph;
  glyph.Advance = int((slot->advance.x + 32) >> 6);
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return glyph;
  if (FEmbolden > 0) FT_Outline_EmboldenXY(&slot->outline, FEmbolden, FEmbolden / 2);
  if (FItalic) FT_Outline_Transform(&slot->outline, &Shear);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
  const FT_Bitmap& bm = slot->bitmap;
  glyph.Left = slot->bitmap_left;
  glyph.Top = slot->bitmap_top;
  glyph.Width = int(bm.width);
  glyph.Height = int(bm.rows);
  if (glyph.Width > 0 && glyph.Height > 0) {
    glyph.Coverage = std::make_unique<uint8_t[]>(size_t(glyph.Width) * size_t(glyph.Height));
    for (int y = 0; y < glyph.Height; ++y) {
      const uint8_t* src = bm.buffer + y * bm.pitch;
      std::memcpy(glyph.Coverage.get() + size_t(y) * size_t(glyph.Width), src, size_t(glyph.Width));
    }
  }
  return glyph;
}

const TGlyph& TFontInstance::Glyph(char32_t c) {
  if (c < FLatin.size()) {
    auto& slot = FLatin[c];
    if (!slot) slot = std::make_unique<TGlyph>(Render(c));
    return *slot;
  }
  auto it = FOther.find(c);
  if (it == FOther.end()) it = FOther.emplace(c, Render(c)).first;
  return it->second;
}

int TFontInstance::TextWidth(std::u32string_view text) {
  int width = 0;
  for (char32_t c : text) width += Glyph(c).Advance;
  return width;
}

TRect TFontInstance::TextBounds(int x, int y, std::u32string_view text) {
  TRect box{x, y, x, y + Height()};
  int pen = x, baseline = y + FAscent;
  for (char32_t c : text) {
    const TGlyph& g = Glyph(c);
    if (g.Coverage) {
      box.Left = std::min(box.Left, pen + g.Left);
      box.Top = std::min(box.Top, baseline - g.Top);
      box.Right = std::max(box.Right, pen + g.Left + g.Width);
      box.Bottom = std::max(box.Bottom, baseline - g.Top + g.Height);
    }
    pen += g.Advance;
  }
  box.Right = std::max(box.Right, pen);
  return box;
}

void TFontInstance::DrawBar(TSurface& surface, const TRect& clip, int x, int y, int width, int thickness,
                            uint32_t pixel) {
  TRect r = IntersectRect(TRect{x, y, x + width, y + thickness}, clip);
  for (int row = r.Top; row < r.Bottom; ++row) std::fill(surface.Row(row) + r.Left, surface.Row(row) + r.Right, pixel);
}

int TFontInstance::Draw(TSurface& surface, const TRect& clipRect, int x, int y, std::u32string_view text,
                        uint32_t pixel, TFontStyles decorations) {
  TRect clip = IntersectRect(clipRect, TRect{0, 0, surface.Width(), surface.Height()});
  int baseline = y + FAscent;
  int pen = x;
  for (char32_t c : text) {
    const TGlyph& g = Glyph(c);
    int gx = pen + g.Left, gy = baseline - g.Top;
    pen += g.Advance;
    if (!g.Coverage) continue;
    TRect r = IntersectRect(TRect{gx, gy, gx + g.Width, gy + g.Height}, clip);
    for (int row = r.Top; row < r.Bottom; ++row) {
      const uint8_t* cov = g.Coverage.get() + size_t(row - gy) * size_t(g.Width) + (r.Left - gx);
      uint32_t* dst = surface.Row(row) + r.Left;
      for (int i = 0; i < r.Width(); ++i)
        if (cov[i]) dst[i] = Blend(dst[i], pixel, cov[i]);
    }
  }
  if (decorations & fsUnderline)
    DrawBar(surface, clip, x, baseline + FUnderlinePos, pen - x, FUnderlineThickness, pixel);
  if (decorations & fsStrikeOut) DrawBar(surface, clip, x, baseline - FStrikePos, pen - x, FUnderlineThickness, pixel);
  return pen - x;
}

// ---------------------------------------------------------------------------------------

TFontEngine& TFontEngine::Instance() {
  static TFontEngine engine;
  return engine;
}

TFontEngine::TFontEngine() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw Exception("Cannot start the font renderer");
  FLibrary = library;
}

TFontEngine::~TFontEngine() {
  FInstances.clear();
  FFaces.clear();
  FT_Done_FreeType(FT_Library(FLibrary));
}

const TFontFaceData& TFontEngine::Face(TFontFamily family, bool bold) {
  auto& slot = FFaces[{int(family), bold}];
  if (slot) return *slot;
  static const char* const FontFiles[3][2] = {
      {"tahoma", "tahomabd"}, {"DejaVuSerif", "DejaVuSerif-Bold"}, {"DejaVuSansMono", "DejaVuSansMono-Bold"}};
  TResourceData bytes = ResourceBytes("ttf", FontFiles[family][bold ? 1 : 0]);
  auto data = std::make_unique<TFontFaceData>();
  data->Library = FT_Library(FLibrary);
  data->Data = bytes.Data;
  data->Size = bytes.Size;
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(data->Library, bytes.Data, FT_Long(bytes.Size), 0, &face) != 0)
    throw Exception("Cannot open an embedded font");
  data->UnitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
  data->WinAscent = face->ascender;
  data->WinDescent = -face->descender;
  data->UnderlinePosition = face->underline_position;
  data->UnderlineThickness = face->underline_thickness;
  data->StrikePosition = data->UnitsPerEm / 4;
  // Wine's Tahoma Bold keeps the regular stems on wider spacing; thickened by about
  // 0.06 em its stems come close to a real bold's.
  if (family == ffSans && bold) data->EmboldenPerMille = 60;
  // The Windows metrics decide the cell height, as they do for the original fonts.
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      data->WinAscent = os2->usWinAscent;
      data->WinDescent = os2->usWinDescent;
    }
    if (os2->yStrikeoutPosition > 0) data->StrikePosition = os2->yStrikeoutPosition;
  }
  FT_Done_Face(face);
  slot = std::move(data);
  return *slot;
}

TFontInstance& TFontEngine::Get(const std::string& name, int height, TFontStyles style) {
  TFontFamily family = FontFamilyOf(name);
  bool bold = style & fsBold, italic = style & fsItalic;
  auto& slot = FInstances[{int(family), bold, italic, height}];
  if (!slot) slot = std::make_unique<TFontInstance>(Face(family, bold), height, bold, italic);
  return *slot;
}
