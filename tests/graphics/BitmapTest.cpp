// TBitmap: size changes, copies, change notification, loading from resources.

#include <gtest/gtest.h>

#include "FileBuilders.h"
#include "toolkit/core/Resources.h"
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

// Embedded pictures are decoded on first use; until then copies share the bytes.
TEST(BitmapTest, ResourcePicturesDecodeOnFirstUseAndCopiesStayApart) {
  for (const char* name : {"Sprite10", "Panel", "Dead"}) {  // 16, 8 and 4 bits a pixel
    SCOPED_TRACE(name);
    TResourceData bytes = ResourceBytes("bmp", name);
    TBitmap eager;
    eager.LoadFromBmpData(bytes.Data, bytes.Size);
    TBitmap lazy;
    int changes = 0;
    lazy.OnChange = [&](TObject*) { ++changes; };
    lazy.LoadFromResourceName(name);
    EXPECT_EQ(changes, 1);
    ASSERT_TRUE(lazy.Deferred());
    EXPECT_EQ(lazy.Width(), eager.Width());
    EXPECT_EQ(lazy.Height(), eager.Height());
    EXPECT_EQ(lazy.PixelFormat, eager.PixelFormat);
    EXPECT_EQ(lazy.Palette(), eager.Palette());

    TBitmap drawnOn, grown;
    drawnOn.Assign(&lazy);
    grown.Assign(&lazy);
    EXPECT_TRUE(drawnOn.Deferred());
    drawnOn.Canvas().Brush().Color = clFuchsia;
    drawnOn.Canvas().FillRect(Rect(0, 0, 2, 2));
    EXPECT_FALSE(drawnOn.Deferred());
    EXPECT_TRUE(lazy.Deferred());  // drawing on a copy leaves the original undecoded and unchanged
    EXPECT_EQ(drawnOn.GetPixel(1, 1), clFuchsia);
    EXPECT_EQ(drawnOn.GetPixel(2, 2), eager.GetPixel(2, 2));

    grown.SetSize(lazy.Width() + 1, lazy.Height());
    EXPECT_EQ(grown.GetPixel(lazy.Width(), 0), clWhite);

    const TBitmap& reader = lazy;
    EXPECT_EQ(reader.TransparentColor(), eager.TransparentColor());
    EXPECT_FALSE(lazy.Deferred());
    for (int y = 0; y < eager.Height(); ++y)
      for (int x = 0; x < eager.Width(); ++x) {
        ASSERT_EQ(reader.Surface().Pixel(x, y), eager.Surface().Pixel(x, y)) << x << "," << y;
        ASSERT_EQ(grown.GetPixel(x, y), eager.GetPixel(x, y)) << x << "," << y;
      }
    EXPECT_EQ(changes, 1);  // decoding is not a change
  }
}

}  // namespace
