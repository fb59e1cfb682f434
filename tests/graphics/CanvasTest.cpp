// Canvas drawing: origin and clip region, change reports, fills, rectangles, brushes.

#include <gtest/gtest.h>

#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"

namespace {

// A surface with a canvas on it that records the rectangles reported as changed.
struct TCanvasFixture : ::testing::Test {
  TSurface Surface{40, 30, 0xFFFFFF};
  TCanvas Canvas{&Surface};
  std::vector<TRect> Changed;
  TCanvasFixture() {
    Surface.OnChange = [this](const TRect& r) { Changed.push_back(r); };
  }
  TColor At(int x, int y) const { return PixelToColor(Surface.Pixel(x, y)); }
  // Number of surface pixels of this colour inside r.
  int Count(TColor c, TRect r) const {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += At(x, y) == c;
    return n;
  }
  TRect ChangedUnion() const {
    TRect u;
    for (const TRect& r : Changed) u = UnionRect(u, r);
    return u;
  }
};

using CanvasTest = TCanvasFixture;

TEST_F(CanvasTest, FillRectIsRightAndBottomExclusiveAndReadsBack) {
  Canvas.Brush().Color = clRed;
  Canvas.FillRect(Rect(2, 3, 6, 8));
  EXPECT_EQ(Count(clRed, Rect(0, 0, 40, 30)), 4 * 5);
  EXPECT_EQ(Count(clRed, Rect(2, 3, 6, 8)), 20);
  EXPECT_EQ(Canvas.GetPixel(5, 7), clRed);
  EXPECT_EQ(Canvas.GetPixel(6, 7), clWhite);
  EXPECT_EQ(Canvas.GetPixel(5, 8), clWhite);
  EXPECT_EQ(ChangedUnion(), Rect(2, 3, 6, 8));
  EXPECT_EQ(Canvas.GetPixel(-1, 0), clNone);
  EXPECT_EQ(Canvas.GetPixel(40, 0), clNone);
}

TEST_F(CanvasTest, OriginShiftsAndClipRegionLimitsDrawing) {
  Canvas.SetOrigin({10, 5});
  Canvas.SetClipRegion({Rect(10, 5, 20, 10), Rect(25, 5, 30, 10)});
  Canvas.Brush().Color = clBlue;
  Canvas.FillRect(Rect(-5, -5, 30, 30));  // covers everything the canvas can see
  EXPECT_EQ(Count(clBlue, Rect(0, 0, 40, 30)), 10 * 5 + 5 * 5);
  EXPECT_EQ(At(10, 5), clBlue);
  EXPECT_EQ(At(22, 7), clWhite);
  EXPECT_EQ(Canvas.GetPixel(0, 0), clBlue);         // surface (10, 5)
  EXPECT_EQ(Canvas.GetPixel(12, 2), clNone);        // surface (22, 7): outside the clip
  EXPECT_EQ(Canvas.ClipRect(), Rect(0, 0, 20, 5));  // bounding box in canvas coordinates
  ASSERT_EQ(Changed.size(), 2u);
  EXPECT_EQ(Changed[0], Rect(10, 5, 20, 10));
  EXPECT_EQ(Changed[1], Rect(25, 5, 30, 10));
  Canvas.ClearClipRegion();
  Canvas.SetPixel(12, 2, clBlue);
  EXPECT_EQ(At(22, 7), clBlue);
}

TEST_F(CanvasTest, OverlappingClipRectanglesAreDrawnOnce) {
  // Inverting the destination twice where the rectangles overlap would undo it.
  Canvas.SetClipRegion({Rect(0, 0, 10, 10), Rect(5, 5, 15, 15)});
  const uint32_t dstInvert = 0x00550009;
  Canvas.BitBlt(0, 0, 20, 20, Canvas, 0, 0, dstInvert);
  EXPECT_EQ(At(7, 7), clBlack);
  EXPECT_EQ(At(2, 2), clBlack);
  EXPECT_EQ(At(12, 12), clBlack);
  EXPECT_EQ(At(12, 2), clWhite);
  EXPECT_EQ(Count(clBlack, Rect(0, 0, 40, 30)), 100 + 100 - 25);
}

TEST_F(CanvasTest, RectangleHasPenOutlineAndBrushInside) {
  Canvas.Pen().Color = clBlack;
  Canvas.Brush().Color = clYellow;
  Canvas.Rectangle(1, 1, 6, 5);
  EXPECT_EQ(At(1, 1), clBlack);
  EXPECT_EQ(At(5, 4), clBlack);
  EXPECT_EQ(At(6, 4), clWhite);
  EXPECT_EQ(At(5, 5), clWhite);
  EXPECT_EQ(Count(clYellow, Rect(0, 0, 40, 30)), 3 * 2);
  EXPECT_EQ(Count(clBlack, Rect(0, 0, 40, 30)), 5 * 4 - 6);
  Canvas.Pen().Style = psClear;
  Canvas.Brush().Style = bsClear;
  Changed.clear();
  Canvas.Rectangle(10, 10, 20, 20);
  Canvas.FillRect(Rect(10, 10, 20, 20));
  EXPECT_EQ(Count(clWhite, Rect(10, 10, 20, 20)), 100);
  EXPECT_TRUE(Changed.empty());
}

TEST_F(CanvasTest, PatternBrushTilesFromTheSurfaceOrigin) {
  TBitmap checker;
  checker.SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) checker.SetPixel(x, y, (x + y) % 2 ? clBtnFace : clBtnHighlight);
  Canvas.Brush().SetBitmap(&checker);
  EXPECT_EQ(Canvas.Brush().Style, bsPattern);
  Canvas.SetOrigin({3, 0});  // the pattern does not move with the origin
  Canvas.FillRect(Rect(0, 0, 20, 10));
  for (int x = 3; x < 23; ++x) EXPECT_EQ(At(x, 4), (x + 4) % 2 ? ColorToRGB(clBtnFace) : ColorToRGB(clBtnHighlight));
  Canvas.Brush().SetBitmap(nullptr);
  EXPECT_EQ(Canvas.Brush().Style, bsSolid);
}

TEST_F(CanvasTest, SystemColoursResolve) {
  Canvas.Brush().Color = clBtnFace;
  Canvas.FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(At(0, 0), ColorToRGB(clBtnFace));
  EXPECT_NE(ColorToRGB(clBtnFace), clBtnFace & 0xFFFFFF);
}

TEST_F(CanvasTest, LinesExcludeTheEndPointAndFollowThePenMode) {
  Canvas.Pen().Color = clRed;
  Canvas.MoveTo(0, 0);
  Canvas.LineTo(5, 0);
  EXPECT_EQ(Count(clRed, Rect(0, 0, 40, 1)), 5);
  EXPECT_EQ(Canvas.PenPos(), (TPoint{5, 0}));
  Canvas.LineTo(5, 5);
  EXPECT_EQ(At(5, 0), clRed);
  EXPECT_EQ(At(5, 5), clWhite);
  Canvas.Pen().Mode = pmXor;
  Canvas.Pen().Color = clWhite;
  Canvas.MoveTo(0, 0);
  Canvas.LineTo(2, 0);
  EXPECT_EQ(At(0, 0), TColor(0xFFFF00));  // red ^ white
}

TEST_F(CanvasTest, EllipseAndPolygonStayInsideTheirBounds) {
  Canvas.Pen().Color = clBlack;
  Canvas.Brush().Color = clLime;
  Canvas.Ellipse(Rect(2, 2, 22, 12));
  EXPECT_EQ(At(12, 7), clLime);
  EXPECT_EQ(At(2, 2), clWhite);
  EXPECT_EQ(Count(clWhite, Rect(0, 0, 40, 30)) + Count(clLime, Rect(2, 2, 22, 12)) + Count(clBlack, Rect(2, 2, 22, 12)),
            40 * 30);
  Canvas.Polygon({{25, 2}, {35, 2}, {30, 12}});
  EXPECT_EQ(At(30, 5), clLime);
  EXPECT_EQ(At(25, 10), clWhite);
}

TEST_F(CanvasTest, HugeShapesDrawOnlyTheVisiblePartQuickly) {
  Canvas.Pen().Color = clRed;
  Canvas.MoveTo(-2000000000, 10);
  Canvas.LineTo(2000000000, 10);
  EXPECT_EQ(Count(clRed, Rect(0, 10, 40, 11)), 40);
  Canvas.Brush().Color = clBlue;
  Canvas.Pen().Style = psClear;
  Canvas.Ellipse(Rect(-1000000000, -1000000000, 1000000000, 1000000000));
  EXPECT_EQ(Count(clBlue, Rect(0, 0, 40, 30)), 40 * 30);
  TBitmap pic;
  pic.SetSize(2, 2);
  pic.SetPixel(1, 1, clLime);
  Canvas.StretchDraw(Rect(-1000000000, -1000000000, 1000000000, 1000000000), pic);
  EXPECT_EQ(At(0, 0), clLime);
}

}  // namespace
