// Bitmap drawing and block transfers: transparency, copies between views of one
// surface, stretching, raster operations and mask painting.

#include <gtest/gtest.h>

#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"

namespace {

// A bitmap whose pixel (x, y) is a colour unique to that position.
TColor Unique(int x, int y) {
  return TColor(0x010000 * (x + 1) + 0x000100 * (y + 1) + 0x40);
}

void Paint(TBitmap& b, int w, int h) {
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Unique(x, y));
}

TEST(BlitTest, TransparentDrawSkipsTheBottomLeftColourInAutoMode) {
  TBitmap screen;
  screen.SetSize(10, 10);
  screen.Canvas().Brush().Color = clBlue;
  screen.Canvas().FillRect(Rect(0, 0, 10, 10));
  TBitmap sprite;
  sprite.SetSize(3, 3);
  sprite.Canvas().Brush().Color = clFuchsia;
  sprite.Canvas().FillRect(Rect(0, 0, 3, 3));
  sprite.SetPixel(1, 1, clRed);
  sprite.SetPixel(2, 0, clLime);
  sprite.Transparent = true;
  EXPECT_EQ(sprite.TransparentMode(), tmAuto);
  EXPECT_EQ(sprite.TransparentColor(), clFuchsia);
  screen.Canvas().Draw(4, 4, sprite);
  EXPECT_EQ(screen.GetPixel(5, 5), clRed);
  EXPECT_EQ(screen.GetPixel(6, 4), clLime);
  EXPECT_EQ(screen.GetPixel(4, 4), clBlue);
  EXPECT_EQ(screen.GetPixel(4, 6), clBlue);

  // The bottom-left pixel decides, wherever else that colour appears.
  sprite.SetPixel(0, 2, clRed);
  screen.Canvas().Draw(0, 0, sprite);
  EXPECT_EQ(screen.GetPixel(1, 1), clBlue);
  EXPECT_EQ(screen.GetPixel(0, 0), clFuchsia);

  sprite.SetTransparentColor(clLime);  // fixed mode
  EXPECT_EQ(sprite.TransparentMode(), tmFixed);
  screen.Canvas().Draw(6, 0, sprite);
  EXPECT_EQ(screen.GetPixel(8, 0), clBlue);
  EXPECT_EQ(screen.GetPixel(6, 2), clRed);

  sprite.Transparent = false;
  screen.Canvas().Draw(6, 0, sprite);
  EXPECT_EQ(screen.GetPixel(8, 0), clLime);
}

TEST(BlitTest, CopyRectReadsAViewOfTheSameSurfaceAndHandlesOverlap) {
  TBitmap frame;
  Paint(frame, 12, 12);
  // Two views of one framebuffer, like two controls on one form.
  TCanvas left(&frame.Surface()), right(&frame.Surface());
  right.SetOrigin({2, 1});
  left.CopyRect(Rect(0, 0, 8, 8), right, Rect(0, 0, 8, 8));  // moves the picture up-left by (2, 1)
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(frame.GetPixel(x, y), Unique(x + 2, y + 1)) << x << "," << y;

  Paint(frame, 12, 12);
  right.CopyRect(Rect(0, 0, 8, 8), left, Rect(0, 0, 8, 8));  // and down-right
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(frame.GetPixel(x + 2, y + 1), Unique(x, y)) << x << "," << y;
}

TEST(BlitTest, CopyRectStretchesAndIgnoresSourceOutsideItsSurface) {
  TBitmap src, dst;
  Paint(src, 4, 4);
  dst.SetSize(8, 8);
  dst.Canvas().CopyRect(Rect(0, 0, 8, 8), src.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(dst.GetPixel(0, 0), Unique(0, 0));
  EXPECT_EQ(dst.GetPixel(1, 1), Unique(0, 0));
  EXPECT_EQ(dst.GetPixel(7, 6), Unique(3, 3));
  EXPECT_EQ(dst.GetPixel(2, 5), Unique(1, 2));

  dst.Canvas().Brush().Color = clWhite;
  dst.Canvas().FillRect(Rect(0, 0, 8, 8));
  dst.Canvas().CopyRect(Rect(0, 0, 4, 4), src.Canvas(), Rect(2, 2, 6, 6));
  EXPECT_EQ(dst.GetPixel(1, 1), Unique(3, 3));
  EXPECT_EQ(dst.GetPixel(2, 2), clWhite);
}

TEST(BlitTest, RasterOperationsCombineSourceAndDestination) {
  TBitmap src, dst;
  src.SetSize(1, 1);
  dst.SetSize(1, 1);
  auto run = [&](uint32_t rop) {
    src.SetPixel(0, 0, 0x0F0F0F);
    dst.SetPixel(0, 0, 0x3355FF);
    dst.Canvas().BitBlt(0, 0, 1, 1, src.Canvas(), 0, 0, rop);
    return dst.GetPixel(0, 0);
  };
  EXPECT_EQ(run(SRCCOPY), 0x0F0F0F);
  EXPECT_EQ(run(SRCAND), 0x3355FF & 0x0F0F0F);
  EXPECT_EQ(run(SRCPAINT), 0x3355FF | 0x0F0F0F);
  EXPECT_EQ(run(SRCINVERT), 0x3355FF ^ 0x0F0F0F);
  EXPECT_EQ(run(NOTSRCCOPY), 0xF0F0F0);
  EXPECT_EQ(run(BLACKNESS), 0);
  dst.Canvas().Brush().Color = 0x123456;
  EXPECT_EQ(run(PATCOPY), 0x123456);
  dst.Canvas().CopyMode = SRCINVERT;
  dst.Canvas().CopyRect(Rect(0, 0, 1, 1), src.Canvas(), Rect(0, 0, 1, 1));
  EXPECT_EQ(dst.GetPixel(0, 0), 0x123456 ^ 0x0F0F0F);
}

TEST(BlitTest, MaskPaintingRecoloursTheKeyedPixels) {
  // The disabled-glyph recipe: mask of the white pixels, then paint a colour through it.
  TBitmap image;
  image.SetSize(4, 1);
  image.SetPixel(0, 0, clWhite);
  image.SetPixel(1, 0, clGray);
  image.SetPixel(2, 0, clWhite);
  image.SetPixel(3, 0, clRed);
  TBitmap mask;
  mask.Assign(&image);
  mask.Mask(clWhite);
  EXPECT_EQ(mask.PixelFormat, pf1bit);
  EXPECT_EQ(mask.GetPixel(0, 0), clWhite);
  EXPECT_EQ(mask.GetPixel(1, 0), clBlack);
  image.Canvas().Brush().Color = clBtnHighlight;
  image.Canvas().BitBlt(0, 0, 4, 1, mask.Canvas(), 0, 0, ROP_DSPDxax);
  EXPECT_EQ(image.GetPixel(0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(image.GetPixel(1, 0), clGray);
  EXPECT_EQ(image.GetPixel(2, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(image.GetPixel(3, 0), clRed);
}

TEST(BlitTest, DrawingOnAViewReportsOnlyVisibleChanges) {
  TSurface frame(20, 20, 0);
  std::vector<TRect> changed;
  frame.OnChange = [&](const TRect& r) { changed.push_back(r); };
  TCanvas view(&frame);
  view.SetOrigin({5, 5});
  view.SetClipRegion({Bounds(5, 5, 6, 6)});
  TBitmap pic;
  Paint(pic, 10, 10);
  view.Draw(2, 2, pic);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], Rect(7, 7, 11, 11));
  EXPECT_EQ(PixelToColor(frame.Pixel(7, 7)), Unique(0, 0));
  EXPECT_EQ(frame.Pixel(11, 11), 0u);
}

}  // namespace
