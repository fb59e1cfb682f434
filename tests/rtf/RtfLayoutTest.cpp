#include <gtest/gtest.h>

#include "toolkit/graphics/FontEngine.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/rtf/RtfLayout.h"
#include "toolkit/rtf/RtfReader.h"

namespace {

struct TLaidOut {
  TRtfDocument Doc;
  TRtfLayout Layout;
};

std::unique_ptr<TLaidOut> Lay(const std::string& rtf, int width) {
  auto r = std::make_unique<TLaidOut>();
  r->Doc = TRtfReader::Read(rtf);
  r->Layout.Layout(r->Doc, width);
  return r;
}

// The text of line i, boxes joined; a tab's gap shows as a TAB.
std::u32string LineText(const TRtfLayout& layout, size_t i) {
  std::u32string text;
  const TRtfLayoutLine& line = layout.Lines()[i];
  for (size_t b = line.First; b < line.First + line.Count; ++b) {
    const TRtfLayoutBox& box = layout.Boxes()[b];
    text += box.TextLength == 0 && box.Picture < 0 ? std::u32string(U"\t")
                                                   : layout.Text().substr(box.TextStart, box.TextLength);
  }
  return text;
}

// Right edge of the last non-space box of line i.
int ContentRight(const TRtfLayout& layout, size_t i) {
  const TRtfLayoutLine& line = layout.Lines()[i];
  int right = 0;
  for (size_t b = line.First; b < line.First + line.Count; ++b)
    if (!layout.Boxes()[b].Space) right = layout.Boxes()[b].X + layout.Boxes()[b].Width;
  return right;
}

const std::string SampleWords =
    "{\\rtf1 Click once and keep the mouse still while the button goes down and comes back up again.\\par}";

TEST(RtfLayout, WrapsWordsIntoTheWidthWithoutLosingText) {
  auto wide = Lay(SampleWords, 2000);
  auto narrow = Lay(SampleWords, 150);
  ASSERT_EQ(wide->Layout.Lines().size(), 1u);
  ASSERT_GT(narrow->Layout.Lines().size(), 2u);
  std::u32string all;
  for (size_t i = 0; i < narrow->Layout.Lines().size(); ++i) {
    EXPECT_LE(ContentRight(narrow->Layout, i), 150) << "line " << i;
    all += LineText(narrow->Layout, i);
  }
  EXPECT_EQ(all, LineText(wide->Layout, 0));
  TRtfLayout unwrapped;
  unwrapped.Layout(narrow->Doc, 150, nullptr, false);
  EXPECT_EQ(unwrapped.Lines().size(), 1u);
  EXPECT_EQ(narrow->Layout.Height(), int(narrow->Layout.Lines().size()) * narrow->Layout.Lines()[0].Height);
  // A word longer than the line is broken between characters.
  auto longWord = Lay("{\\rtf1 Supercalifragilisticexpialidocious}", 60);
  EXPECT_GT(longWord->Layout.Lines().size(), 2u);
  for (size_t i = 0; i < longWord->Layout.Lines().size(); ++i) EXPECT_LE(ContentRight(longWord->Layout, i), 60);
}

TEST(RtfLayout, AlignmentAndIndents) {
  auto right = Lay("{\\rtf1\\qr right\\par}", 300);
  EXPECT_EQ(ContentRight(right->Layout, 0), 300);
  auto centre = Lay("{\\rtf1\\qc centre\\par}", 300);
  const TRtfLayoutBox& c = centre->Layout.Boxes()[0];
  EXPECT_NEAR(c.X, 300 - (c.X + c.Width), 1);
  auto justified = Lay("{\\rtf1\\qj " + SampleWords.substr(7), 200);
  size_t lines = justified->Layout.Lines().size();
  ASSERT_GT(lines, 1u);
  EXPECT_EQ(ContentRight(justified->Layout, 0), 200);
  EXPECT_LT(ContentRight(justified->Layout, lines - 1), 200);  // the last line is not stretched
  auto indented = Lay("{\\rtf1\\li600\\ri300\\fi300 " + SampleWords.substr(7), 300);
  EXPECT_EQ(indented->Layout.Boxes()[indented->Layout.Lines()[0].First].X, 60);  // (600 + 300) / 15
  EXPECT_EQ(indented->Layout.Boxes()[indented->Layout.Lines()[1].First].X, 40);
  for (size_t i = 0; i < indented->Layout.Lines().size(); ++i) EXPECT_LE(ContentRight(indented->Layout, i), 280);
}

TEST(RtfLayout, TabStops) {
  // Default stops every \deftab; a hanging indent is a stop of its own; a right stop
  // ends the following text at it.
  auto defaults = Lay("{\\rtf1\\deftab600 a\\tab b\\par}", 400);
  EXPECT_EQ(defaults->Layout.Boxes()[2].X, 40);
  auto hanging = Lay("{\\rtf1\\li900\\fi-450 \\bullet\\tab item\\par}", 400);
  EXPECT_EQ(hanging->Layout.Boxes()[2].X, 60);
  auto rightTab = Lay("{\\rtf1\\tqr\\tldot\\tx3000 Page one\\tab 12\\par}", 400);
  const auto& boxes = rightTab->Layout.Boxes();
  EXPECT_EQ(boxes.back().X + boxes.back().Width, 200);
  bool leader = false;
  for (const auto& b : boxes) leader = leader || b.Leader == rtlDots;
  EXPECT_TRUE(leader);
}

TEST(RtfLayout, TableRowsShowTheirCellsSideBySide) {
  auto laid =
      Lay("{\\rtf1\\trowd\\cellx1500\\cellx3000\\cellx4500\\pard\\intbl A\\cell\\pard\\intbl B1\\par B2\\cell C"
          "\\cell\\row\\trowd\\cellx1500\\cellx3000\\pard\\intbl D\\cell E\\cell\\row\\pard after\\par}",
          400);
  ASSERT_EQ(laid->Layout.Lines().size(), 3u);
  EXPECT_EQ(LineText(laid->Layout, 0), U"A\tB1 B2\tC");
  EXPECT_EQ(LineText(laid->Layout, 1), U"D\tE");
  EXPECT_EQ(LineText(laid->Layout, 2), U"after");
  const auto& boxes = laid->Layout.Boxes();
  EXPECT_EQ(boxes[2].X, (1500 + 108) / 15);                 // B1 starts at the second cell's left edge
  EXPECT_EQ(boxes[boxes.size() - 2].X, (1500 + 108) / 15);  // so does E
}

TEST(RtfLayout, LineSpacingAndParagraphSpace) {
  auto single = Lay("{\\rtf1 a\\par b\\par}", 300);
  int natural = single->Layout.Lines()[0].Height;
  auto exact = Lay("{\\rtf1\\sl-600 a\\par b\\par}", 300);
  EXPECT_EQ(exact->Layout.Lines()[0].Height, 40);
  auto doubled = Lay("{\\rtf1\\sl480\\slmult1 a\\par b\\par}", 300);
  EXPECT_EQ(doubled->Layout.Lines()[0].Height, natural * 2);
  auto spaced = Lay("{\\rtf1\\sb150\\sa300 a\\par b\\par}", 300);
  EXPECT_EQ(spaced->Layout.Lines()[1].Top, 10 + natural + 20 + 10);
  EXPECT_EQ(spaced->Layout.Height(), 2 * (10 + natural + 20));
  auto big = Lay("{\\rtf1\\fs48 a\\par}", 300);
  EXPECT_GT(big->Layout.Lines()[0].Height, natural * 3 / 2);
}

TEST(RtfLayout, PaintsTextHighlightAndPictures) {
  // A 2 x 3 red PNG shown at 600 x 900 twips: 40 x 60 pixels.
  std::string png =
      "89504e470d0a1a0a0000000d4948445200000002000000030806000000b9eade810000001c4944415478da25c6a1010000080320e6e5"
      "7e3e832494d2cd87498103745c067f867c38610000000049454e44ae426082";
  auto laid =
      Lay("{\\rtf1{\\colortbl;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}"
          "{\\highlight2 WWW}{\\cf1 WWW}{\\pict\\pngblip\\picwgoal600\\pichgoal900 " +
              png + "}\\par}",
          300);
  ASSERT_EQ(laid->Layout.Lines().size(), 1u);
  EXPECT_EQ(laid->Layout.Lines()[0].Height, 60 + laid->Layout.Boxes()[0].Font->Descent());
  TBitmap bmp;
  bmp.SetSize(320, 100);
  bmp.Canvas().Brush().Color = clWhite;
  bmp.Canvas().FillRect(Rect(0, 0, 320, 100));
  laid->Layout.Paint(bmp.Canvas(), 10, 10, clBlack);
  const auto& boxes = laid->Layout.Boxes();
  int baseline = 10 + laid->Layout.Lines()[0].Baseline;
  EXPECT_EQ(bmp.GetPixel(10 + boxes[0].X + 1, 11), clYellow);  // highlight fills the whole line height
  bool blueText = false, blackText = false;
  for (int x = 10; x < 10 + boxes[1].X + boxes[1].Width; ++x)
    for (int y = 10; y < baseline; ++y) {
      blueText = blueText || bmp.GetPixel(x, y) == clBlue;
      blackText = blackText || bmp.GetPixel(x, y) == clBlack;
    }
  EXPECT_TRUE(blueText);
  EXPECT_TRUE(blackText);
  const TRtfLayoutBox& picture = boxes[2];
  EXPECT_EQ(picture.Width, 40);
  EXPECT_EQ(bmp.GetPixel(10 + picture.X + 5, baseline - 1), clLime);  // bottom-left pixel is green
  EXPECT_EQ(bmp.GetPixel(10 + picture.X + 5, baseline - 59), clRed);
  EXPECT_EQ(bmp.GetPixel(10 + picture.X + 5, baseline - 61), clWhite);
}

}  // namespace
