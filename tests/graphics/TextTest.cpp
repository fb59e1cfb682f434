// Fonts and text: sizes, families, opaque and transparent text, DrawText layout.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "toolkit/graphics/FontEngine.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

struct TextTest : ::testing::Test {
  TBitmap Bitmap;
  TCanvas& Canvas = Bitmap.Canvas();
  TextTest() {
    Bitmap.SetSize(200, 80);
    Canvas.Font().SetName("Tahoma");
    Canvas.Font().SetHeight(-11);
    Canvas.Font().SetColor(clBlack);
  }
  // Bounding box of the pixels that differ from the background colour.
  TRect Ink(TColor background = clWhite) const {
    TRect box;
    for (int y = 0; y < Bitmap.Height(); ++y)
      for (int x = 0; x < Bitmap.Width(); ++x)
        if (Bitmap.GetPixel(x, y) != background) box = UnionRect(box, {x, y, x + 1, y + 1});
    return box;
  }
  void Clear() {
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = clWhite;
    Canvas.FillRect(Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
  }
};

TEST_F(TextTest, HeightsFollowTheCharacterAndCellConventions) {
  EXPECT_EQ(Canvas.TextHeight("Xg"), 13);  // 11-pixel characters in a 13-pixel cell, as on the original platform
  Canvas.Font().SetHeight(24);             // a positive height is the cell height
  EXPECT_EQ(Canvas.TextHeight("Xg"), 24);
  Canvas.Font().SetSize(12);
  EXPECT_EQ(Canvas.Font().Height(), -16);
  EXPECT_EQ(Canvas.Font().Size(), 12);
  EXPECT_GT(Canvas.TextHeight("Xg"), 16);
  int regular = Canvas.TextWidth("Pointrix tutor");
  Canvas.Font().SetStyle(fsBold);
  EXPECT_GT(Canvas.TextWidth("Pointrix tutor"), regular);
  EXPECT_EQ(Canvas.TextWidth(""), 0);
}

TEST_F(TextTest, FamiliesAreChosenByName) {
  EXPECT_EQ(FontFamilyOf("Tahoma"), ffSans);
  EXPECT_EQ(FontFamilyOf("MS Sans Serif"), ffSans);
  EXPECT_EQ(FontFamilyOf("Arial"), ffSans);
  EXPECT_EQ(FontFamilyOf("No Such Font"), ffSans);
  EXPECT_EQ(FontFamilyOf("Times New Roman"), ffSerif);
  EXPECT_EQ(FontFamilyOf("DejaVu Serif"), ffSerif);
  EXPECT_EQ(FontFamilyOf("Courier New"), ffMono);
  Canvas.Font().SetName("Courier New");
  EXPECT_EQ(Canvas.TextWidth("iii"), Canvas.TextWidth("WWW"));
  Canvas.Font().SetName("Tahoma");
  EXPECT_LT(Canvas.TextWidth("iii"), Canvas.TextWidth("WWW"));
}

TEST_F(TextTest, Windows1252TextFindsItsGlyphs) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(Cp1252ToUnicode(0x93), U'\u201C');
  EXPECT_EQ(Cp1252ToUnicode(0xE9), U'\u00E9');
  TFontInstance& font = TFontEngine::Instance().Get("Tahoma", -11, 0);
  EXPECT_NE(font.Glyph(U'\u20AC').Coverage, nullptr);
  EXPECT_EQ(Canvas.TextWidth("\x80"), font.CharWidth(U'\u20AC'));
}

TEST_F(TextTest, TextOutStaysInItsExtentOpaqueOrTransparent) {
  Canvas.Brush().Color = clYellow;
  Canvas.TextOut(10, 20, "Hello, world");
  TPoint extent = Canvas.TextExtent("Hello, world");
  EXPECT_EQ(Ink(), Rect(10, 20, 10 + extent.X, 20 + extent.Y));  // the opaque background is the extent
  EXPECT_EQ(Bitmap.GetPixel(10, 20), clYellow);
  EXPECT_EQ(Canvas.PenPos(), (TPoint{10 + extent.X, 20}));

  Clear();
  Canvas.Brush().Style = bsClear;
  Canvas.Font().SetColor(clRed);
  Canvas.TextOut(10, 20, "Hello, world");
  TRect ink = Ink();
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_EQ(IntersectRect(ink, Rect(10, 20, 10 + extent.X, 20 + extent.Y)), ink);
  EXPECT_EQ(Bitmap.GetPixel(10, 20), clWhite);
  int red = 0;  // pixels at least 80 % covered: the stems are solid, not a grey blur
  for (int y = ink.Top; y < ink.Bottom; ++y)
    for (int x = ink.Left; x < ink.Right; ++x) {
      TColor c = Bitmap.GetPixel(x, y);
      red += (c & 0xFF) == 0xFF && ((c >> 8) & 0xFF) <= 51 && ((c >> 16) & 0xFF) <= 51;
    }
  EXPECT_GT(red, 10);
}

TEST_F(TextTest, UnderlineAndItalicChangeTheDrawing) {
  Canvas.Brush().Style = bsClear;
  Canvas.TextOut(5, 5, "abc");
  TRect plain = Ink();
  Clear();
  Canvas.Brush().Style = bsClear;
  Canvas.Font().SetStyle(fsUnderline);
  Canvas.TextOut(5, 5, "abc");
  TRect underlined = Ink();
  EXPECT_GT(underlined.Bottom, plain.Bottom);
  EXPECT_LE(underlined.Bottom, 5 + Canvas.TextHeight("abc"));
  EXPECT_EQ(underlined.Width(), Canvas.TextWidth("abc"));
  Clear();
  Canvas.Brush().Style = bsClear;
  Canvas.Font().SetStyle(fsItalic);
  Canvas.TextOut(5, 5, "lll");
  TRect italic = Ink();
  EXPECT_EQ(Canvas.TextWidth("lll"), [&] {
    Canvas.Font().SetStyle(0);
    return Canvas.TextWidth("lll");
  }());
  EXPECT_FALSE(italic.IsEmpty());
}

TEST_F(TextTest, DrawTextCalcRectOnlyMeasures) {
  std::vector<TRect> changed;
  Bitmap.Surface().OnChange = [&](const TRect& r) { changed.push_back(r); };
  TRect r = Rect(10, 10, 60, 10);
  int h = Canvas.DrawText("one two three four five", r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_TRUE(changed.empty());
  EXPECT_TRUE(Ink().IsEmpty());
  EXPECT_EQ(r.Top, 10);
  EXPECT_EQ(r.Left, 10);
  EXPECT_GT(h, Canvas.TextHeight("x"));  // wrapped onto several lines
  EXPECT_EQ(h % Canvas.TextHeight("x"), 0);
  EXPECT_EQ(r.Bottom, 10 + h);
  EXPECT_LE(r.Width(), 50);

  TRect one = Rect(0, 0, 0, 0);
  EXPECT_EQ(Canvas.DrawText("Next", one, DT_CALCRECT | DT_SINGLELINE), Canvas.TextHeight("Next"));
  EXPECT_EQ(one.Right, Canvas.TextWidth("Next"));
  TRect empty = Rect(5, 5, 50, 50);
  EXPECT_EQ(Canvas.DrawText("", empty, DT_CALCRECT), 0);
  EXPECT_EQ(empty, Rect(5, 5, 5, 5));
  TRect lines = Rect(0, 0, 100, 0);
  EXPECT_EQ(Canvas.DrawText("a\r\nb\n", lines, DT_CALCRECT), 2 * Canvas.TextHeight("x"));
}

TEST_F(TextTest, DrawTextAlignsAndClipsToTheRectangle) {
  Canvas.Brush().Style = bsClear;
  TRect box = Rect(20, 10, 180, 70);
  TRect r = box;
  Canvas.DrawText("Centre", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  TRect ink = Ink();
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100, 3);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 40, 3);

  Clear();
  Canvas.Brush().Style = bsClear;
  r = box;
  Canvas.DrawText("Right", r, DT_RIGHT | DT_SINGLELINE | DT_BOTTOM);
  ink = Ink();
  EXPECT_NEAR(ink.Right, 180, 2);
  EXPECT_LE(ink.Bottom, 70);
  EXPECT_GT(ink.Bottom, 70 - Canvas.TextHeight("x"));

  Clear();
  Canvas.Brush().Style = bsClear;
  r = Rect(20, 10, 40, 20);
  Canvas.DrawText("A long text that does not fit", r, DT_SINGLELINE);
  EXPECT_EQ(IntersectRect(Ink(), r), Ink());

  Clear();
  Canvas.Brush().Style = bsClear;
  r = Rect(20, 10, 80, 70);
  Canvas.DrawText("several words wrapped into lines", r, DT_WORDBREAK);
  ink = Ink();
  EXPECT_LE(ink.Right, 80);
  EXPECT_GT(ink.Height(), 2 * Canvas.TextHeight("x"));
}

TEST_F(TextTest, AcceleratorPrefixIsUnderlinedNotShown) {
  TRect r = Rect(0, 0, 200, 0);
  Canvas.DrawText("&File", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.Width(), Canvas.TextWidth("File"));
  r = Rect(0, 0, 200, 0);
  Canvas.DrawText("A && B", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.Width(), Canvas.TextWidth("A & B"));
  r = Rect(0, 0, 200, 0);
  Canvas.DrawText("&File", r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(r.Width(), Canvas.TextWidth("&File"));

  Canvas.Brush().Style = bsClear;
  r = Rect(0, 0, 200, 40);
  Canvas.DrawText("File", r, DT_SINGLELINE);
  TRect plain = Ink();
  Clear();
  Canvas.Brush().Style = bsClear;
  Canvas.DrawText("&File", r, DT_SINGLELINE);
  EXPECT_GT(Ink().Bottom, plain.Bottom);
}

// Writes a sample sheet for looking at the rendering by eye when
// POINTRIX_TEXT_SAMPLE names a PNG file to write.
TEST_F(TextTest, SampleSheet) {
  const char* path = std::getenv("POINTRIX_TEXT_SAMPLE");
  if (!path) GTEST_SKIP() << "set POINTRIX_TEXT_SAMPLE=<file.png> to write the sample";
  Bitmap.SetSize(640, 300);
  Canvas.Brush().Color = TColor(0xE1C8C8);
  Canvas.FillRect(Rect(0, 0, 640, 300));
  Canvas.Brush().Style = bsClear;
  Canvas.Font().SetColor(TColor(0x906030));
  struct TLine {
    const char* Name;
    int Height;
    TFontStyles Style;
  } lines[] = {{"Tahoma", -11, 0},          {"Tahoma", -11, fsBold},      {"Tahoma", -13, 0},
               {"Tahoma", -16, fsItalic},   {"Tahoma", -19, fsUnderline}, {"Tahoma", -21, fsBold},
               {"Times New Roman", -16, 0}, {"Courier New", -13, fsBold}, {"Tahoma", -32, 0}};
  int y = 4;
  for (const TLine& line : lines) {
    Canvas.Font().SetName(line.Name);
    Canvas.Font().SetHeight(line.Height);
    Canvas.Font().SetStyle(line.Style);
    Canvas.TextOut(6, y, "Training 1: hit the bugs! Score 120 \x80 caf\xE9 \x93quoted\x94 & more");
    y += Canvas.TextHeight("x") + 2;
  }
  std::vector<uint8_t> rgb;
  for (int py = 0; py < Bitmap.Height(); ++py)
    for (int px = 0; px < Bitmap.Width(); ++px) {
      uint32_t p = Bitmap.Surface().Pixel(px, py);
      rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    }
  ASSERT_TRUE(stbi_write_png(path, Bitmap.Width(), Bitmap.Height(), 3, rgb.data(), Bitmap.Width() * 3));
}

}  // namespace
