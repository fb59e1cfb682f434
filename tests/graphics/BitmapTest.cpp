// TBitmap: size changes, copies, change notification, loading from resources.

#include <gtest/gtest.h>

#include "FileBuilders.h"
#include "toolkit/graphics/TBitmap.h"

namespace {

TEST(BitmapTest, ResizingKeepsPixelsAndFillsNewOnesWhite) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetSize(2, 2);
  b.SetPixel(1, 1, clRed);
  b.SetWidth(4);
  EXPECT_EQ(b.GetPixel(1, 1), clRed);
  EXPECT_EQ(b.GetPixel(3, 1), clWhite);
  b.SetHeight(1);
  EXPECT_EQ(b.Height(), 1);
  EXPECT_EQ(b.GetPixel(1, 1), clNone);
  b.SetSize(-3, 5);
  EXPECT_TRUE(b.Empty());
}

TEST(BitmapTest, AssignCopiesDeeplyAndNotifies) {
  TBitmap a, b;
  a.SetSize(3, 3);
  a.SetPixel(0, 2, clLime);
  a.Transparent = true;
  a.SetTransparentColor(clRed);
  int changes = 0;
  b.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &b);
    ++changes;
  };
  b.Assign(&a);
  EXPECT_EQ(changes, 1);
  a.SetPixel(0, 2, clBlue);
  EXPECT_EQ(b.GetPixel(0, 2), clLime);
  EXPECT_TRUE(b.Transparent);
  EXPECT_EQ(b.TransparentColor(), clRed);
  b.SetTransparentColor(clDefault);
  EXPECT_EQ(b.TransparentMode(), tmAuto);
  EXPECT_EQ(b.TransparentColor(), clLime);
  b.Canvas().Brush().Color = clBlack;
  b.Canvas().FillRect(Rect(0, 0, 1, 1));  // drawing on the canvas changes the bitmap too
  EXPECT_GT(changes, 1);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
  TPen pen;
  EXPECT_THROW(b.Assign(&pen), Exception);
}

TEST(BitmapTest, FailedLoadLeavesThePictureAlone) {
  TBitmap b;
  b.SetSize(2, 2);
  b.SetPixel(0, 0, clRed);
  TBytes bad = MakeBmp(2, 2, 24, {}, TBytes(8, 0));
  bad.resize(bad.size() - 3);
  EXPECT_THROW(b.LoadFromBmpData(bad.data(), bad.size()), Exception);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.GetPixel(0, 0), clRed);
  TBytes good = MakeBmp(1, 1, 8, {0x112233, 0xA0B0C0}, {1, 0, 0, 0});
  b.LoadFromBmpData(good.data(), good.size());
  EXPECT_EQ(b.PixelFormat, pf8bit);
  EXPECT_EQ(b.GetPixel(0, 0), TColor(0xC0B0A0));
  ASSERT_EQ(b.Palette().size(), 2u);
  EXPECT_EQ(b.Palette()[0], TColor(0x332211));
}

TEST(BitmapTest, ResourcesAreFoundIgnoringCase) {
  TBitmap b;
  try {
    b.LoadFromResourceName("NoSuchPicture");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Resource NoSuchPicture not found");
  }
  EXPECT_THROW(b.LoadFromFile("/nonexistent/picture.bmp"), Exception);
}

}  // namespace
