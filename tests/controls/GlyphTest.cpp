// The glyph object and its image lists: the cell table, the disabled looks, sizes
// taken from a strip, list sharing and slot reuse, cache lifetime and face layout.

#include <memory>

#include "ControlsFixture.h"
#include "controls/TButtonGlyph.h"
#include "toolkit/core/Resources.h"
#include "toolkit/core/TBits.h"
#include "toolkit/graphics/TImageList.h"

namespace {

const std::vector<TColor> CellColors = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0, 0xC000C0};
constexpr TColor Corner = 0x123456;

// The colour at the centre of the image stored for state.
TColor StoredCentre(TButtonGlyph& glyph, TFancyButtonState state) {
  int slot = glyph.BuildStateImage(state, false);
  if (slot < 0) return clNone;
  TBitmap image;
  glyph.ImageList()->GetImage(slot, image);
  return image.GetPixel(image.Width() / 2, image.Height() / 2);
}

TEST(BitsTest, OpenBitGrowthAndRange) {
  TBits bits;
  EXPECT_EQ(bits.OpenBit(), 0);
  bits.SetBit(0, true);
  bits.SetBit(2, true);
  EXPECT_EQ(bits.Size(), 3);
  EXPECT_EQ(bits.OpenBit(), 1);
  bits.SetBit(1, true);
  EXPECT_EQ(bits.OpenBit(), 3);
  EXPECT_FALSE(bits.Bits(10));
  bits.SetBit(10, false);
  EXPECT_EQ(bits.Size(), 3);
  bits.SetBit(0, false);
  EXPECT_EQ(bits.OpenBit(), 0);
  EXPECT_THROW(bits.SetBit(-1, true), Exception);
  EXPECT_THROW(bits.Bits(-1), Exception);
}

TEST(ImageListTest, MasksFromKeyColourDrawTransparently) {
  TImageList list(4, 2);
  TBitmap image;
  MakeStrip(image, 4, 2, {clRed}, clLime);  // bottom-left lime: the automatic key
  image.SetPixel(3, 0, clLime);
  int a = list.AddMasked(image, clDefault);
  int b = list.AddMasked(image, clRed);
  int c = list.AddMasked(image, clNone);
  EXPECT_EQ(list.Count(), 3);

  TBitmap target;
  auto drawn = [&](int index) {
    MakeStrip(target, 4, 2, {clBlue}, clBlue);
    list.Draw(target.Canvas(), 0, 0, index);
    return std::vector<TColor>{target.GetPixel(0, 0), target.GetPixel(3, 0), target.GetPixel(0, 1)};
  };
  EXPECT_EQ(drawn(a), (std::vector<TColor>{clRed, clBlue, clBlue}));
  EXPECT_EQ(drawn(b), (std::vector<TColor>{clBlue, clLime, clLime}));
  EXPECT_EQ(drawn(c), (std::vector<TColor>{clRed, clLime, clLime}));

  // The stored colours are kept whole; replacing works in place; bad indexes raise or draw nothing.
  TBitmap stored;
  list.GetImage(a, stored);
  EXPECT_EQ(stored.GetPixel(3, 0), clLime);
  TBitmap small;
  MakeStrip(small, 2, 1, {clYellow}, clYellow);
  list.Replace(a, &small, nullptr);
  EXPECT_EQ(drawn(a), (std::vector<TColor>{clYellow, clBlue, clBlue}));  // missing pixels are transparent
  EXPECT_EQ(drawn(7), (std::vector<TColor>{clBlue, clBlue, clBlue}));
  EXPECT_THROW(list.Replace(3, &small, nullptr), Exception);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);
  list.SetSize(8, 8);
  EXPECT_EQ(list.Count(), 0);
}

class GlyphTest : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_EQ(SharedGlyphCache(), nullptr); }
};

TEST_F(GlyphTest, CellTableForOneToFiveCells) {
  // Rows: fbsUp, fbsDown, fbsMouseOut, fbsExclusive; columns N = 1..5.
  const int expected[4][5] = {{0, 0, 0, 0, 0}, {0, 0, 1, 1, 1}, {0, 0, 2, 2, 2}, {0, 0, 0, 1, 1}};
  for (int n = 1; n <= 5; ++n) {
    TButtonGlyph glyph;
    TBitmap strip;
    MakeStrip(strip, 10, 10, std::vector<TColor>(CellColors.begin(), CellColors.begin() + n), Corner);
    glyph.AssignSource(&strip);
    ASSERT_EQ(glyph.ImageCount(), n);
    for (int s = fbsUp; s <= fbsExclusive; ++s) {
      auto state = TFancyButtonState(s);
      EXPECT_EQ(TButtonGlyph::CellForState(state, n), expected[s][n - 1]) << "state " << s << " N " << n;
      EXPECT_EQ(StoredCentre(glyph, state), CellColors[size_t(expected[s][n - 1])]) << "state " << s << " N " << n;
    }
    // The disabled image comes from cell 4 with five cells, else from cell 0.
    if (n >= 2) {
      EXPECT_EQ(StoredCentre(glyph, fbsDisabled), CellColors[n == 5 ? 4 : 0]) << "N " << n;
    }
    // With fewer than three cells a press shares the hot image's slot.
    if (n < 3) {
      EXPECT_EQ(glyph.BuildStateImage(fbsDown, false), glyph.Slot(fbsUp));
    }
  }
  // Cell 3 of a four- or five-cell strip is never shown.
  for (int n = 4; n <= 5; ++n)
    for (int s = fbsUp; s <= fbsDisabled; ++s) EXPECT_NE(TButtonGlyph::CellForState(TFancyButtonState(s), n), 3);
}

TEST_F(GlyphTest, DisabledRecolourKeepsOtherPixelsAndMasksTheNewBackground) {
  TButtonGlyph glyph;
  TBitmap strip;
  MakeStrip(strip, 4, 3, {clRed, clRed}, clLime);  // two cells; lime is the transparent colour
  strip.SetPixel(1, 0, clWhite);
  strip.SetPixel(2, 0, clGray);
  strip.SetPixel(3, 0, clBlack);
  strip.SetPixel(1, 1, 0x7F7F7F);  // near grey stays
  glyph.AssignSource(&strip);
  glyph.SetImageCount(2);
  ASSERT_EQ(glyph.ImageCount(), 2);
  EXPECT_EQ(glyph.TransparentColor(), clLime);

  const int slot = glyph.BuildStateImage(fbsDisabled, false);
  TBitmap image;
  glyph.ImageList()->GetImage(slot, image);
  EXPECT_EQ(image.GetPixel(1, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(image.GetPixel(2, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(image.GetPixel(0, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(image.GetPixel(3, 0), clBlack);
  EXPECT_EQ(image.GetPixel(1, 1), 0x7F7F7F);
  EXPECT_EQ(image.GetPixel(2, 2), clRed);

  // Drawn, the pixels of the stored image's bottom-left colour let the background through.
  TBitmap target;
  MakeStrip(target, 4, 3, {clBlue}, clBlue);
  glyph.ImageList()->Draw(target.Canvas(), 0, 0, glyph.Slot(fbsDisabled));
  EXPECT_EQ(target.GetPixel(0, 2), clBlue);
  EXPECT_EQ(target.GetPixel(2, 2), clRed);
  EXPECT_EQ(target.GetPixel(3, 0), clBlack);
}

TEST_F(GlyphTest, SingleCellDisabledLookIsEtchedFromBlackPixels) {
  TButtonGlyph glyph;
  TBitmap strip;
  MakeStrip(strip, 6, 6, {clYellow}, clYellow);
  strip.SetPixel(2, 2, clBlack);
  strip.SetPixel(3, 2, clBlack);
  glyph.AssignSource(&strip);
  ASSERT_EQ(glyph.ImageCount(), 1);
  const int slot = glyph.BuildStateImage(fbsDisabled, false);
  TBitmap image;
  glyph.ImageList()->GetImage(slot, image);
  EXPECT_EQ(image.GetPixel(2, 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(image.GetPixel(3, 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(image.GetPixel(4, 3), ColorToRGB(clBtnHighlight));  // the light edge, one down and right
  EXPECT_EQ(image.GetPixel(3, 3), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(image.GetPixel(0, 0), ColorToRGB(clBtnFace));  // yellow is gone
  EXPECT_EQ(image.GetPixel(5, 5), ColorToRGB(clBtnFace));
}

TEST_F(GlyphTest, AssignSourceTakesTheCellCountFromSquareCells) {
  TButtonGlyph glyph;
  int changes = 0;
  glyph.OnChange = [&](TObject*) { ++changes; };
  TBitmap strip;
  strip.SetSize(96, 24);
  glyph.AssignSource(&strip);
  EXPECT_EQ(glyph.ImageCount(), 4);
  EXPECT_GT(changes, 0);
  strip.SetSize(144, 24);  // six square cells: too many, one cell
  glyph.AssignSource(&strip);
  EXPECT_EQ(glyph.ImageCount(), 1);
  glyph.SetImageCount(5);
  strip.SetSize(500, 48);  // not a multiple: N is kept
  glyph.AssignSource(&strip);
  EXPECT_EQ(glyph.ImageCount(), 5);
  EXPECT_EQ(glyph.CellWidth(), 100);
  glyph.SetImageCount(0);
  EXPECT_EQ(glyph.ImageCount(), 5);
  glyph.AssignSource(nullptr);
  EXPECT_EQ(glyph.ImageCount(), 5);
  EXPECT_EQ(glyph.BuildStateImage(fbsUp, false), -1);  // an empty source builds nothing
  EXPECT_EQ(glyph.ImageList(), nullptr);
}

// A strip from the embedded resources is decoded only when an image is built from it,
// and then gives the same transparent colour and images as a strip decoded at once.
TEST_F(GlyphTest, AnUndecodedStripWaitsForItsFirstImageAndBuildsTheSameOnes) {
  TResourceData bytes = ResourceBytes("bmp", "NextBtn");
  TBitmap eagerStrip, lazyStrip;
  eagerStrip.LoadFromBmpData(bytes.Data, bytes.Size);
  lazyStrip.LoadFromResourceName("NextBtn");
  TButtonGlyph eager, lazy;
  eager.AssignSource(&eagerStrip);
  lazy.AssignSource(&lazyStrip);
  eager.SetImageCount(2);
  lazy.SetImageCount(2);
  EXPECT_TRUE(lazy.Source().Deferred());
  EXPECT_EQ(lazy.TransparentColor(), eager.TransparentColor());
  for (TFancyButtonState state : {fbsUp, fbsDisabled}) {
    TBitmap want, got;
    const int eagerSlot = eager.BuildStateImage(state, false), lazySlot = lazy.BuildStateImage(state, false);
    eager.ImageList()->GetImage(eagerSlot, want);
    lazy.ImageList()->GetImage(lazySlot, got);
    ASSERT_EQ(got.Width(), want.Width());
    for (int y = 0; y < want.Height(); ++y)
      for (int x = 0; x < want.Width(); ++x) ASSERT_EQ(got.GetPixel(x, y), want.GetPixel(x, y)) << x << "," << y;
  }
  EXPECT_FALSE(lazy.Source().Deferred());
}

TEST_F(GlyphTest, FixedTransparentColourOfTheSourceMasksTheStateImages) {
  TButtonGlyph glyph;
  TBitmap strip;
  MakeStrip(strip, 4, 4, {clRed}, clLime);
  strip.SetPixel(1, 1, clAqua);
  strip.SetTransparentColor(clAqua);
  glyph.AssignSource(&strip);
  EXPECT_EQ(glyph.TransparentColor(), clAqua);
  TBitmap target;
  MakeStrip(target, 4, 4, {clBlue}, clBlue);
  const int slot = glyph.BuildStateImage(fbsUp, false);
  glyph.ImageList()->Draw(target.Canvas(), 0, 0, slot);
  EXPECT_EQ(target.GetPixel(1, 1), clBlue);
  EXPECT_EQ(target.GetPixel(0, 3), clLime);  // the bottom-left pixel is ordinary here
}

TEST_F(GlyphTest, EqualCellSizesShareOneListAndReuseReleasedSlots) {
  TBitmap strip;
  MakeStrip(strip, 10, 10, {clRed, clGreen, clBlue, clYellow, clAqua}, Corner);
  auto first = std::make_unique<TButtonGlyph>();
  auto second = std::make_unique<TButtonGlyph>();
  first->AssignSource(&strip);
  second->AssignSource(&strip);
  for (int s = fbsUp; s <= fbsDisabled; ++s) {
    first->BuildStateImage(TFancyButtonState(s), false);
    second->BuildStateImage(TFancyButtonState(s), false);
  }
  TGlyphList* list = first->ImageList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(second->ImageList(), list);
  EXPECT_EQ(SharedGlyphCache()->ListCount(), 1);
  EXPECT_EQ(list->UsedCount(), 10);
  EXPECT_EQ(list->Count(), 10);

  // Another cell size gets its own list.
  {
    TButtonGlyph other;
    TBitmap big;
    MakeStrip(big, 20, 10, {clRed}, Corner);
    other.AssignSource(&big);
    other.SetImageCount(1);
    other.BuildStateImage(fbsUp, false);
    EXPECT_NE(other.ImageList(), list);
    EXPECT_EQ(SharedGlyphCache()->ListCount(), 2);
  }
  EXPECT_EQ(SharedGlyphCache()->ListCount(), 1);  // released with its last user

  std::array<int, 5> freed;
  for (int s = 0; s < 5; ++s) freed[size_t(s)] = first->Slot(TFancyButtonState(s));
  first.reset();
  EXPECT_EQ(list->UsedCount(), 5);
  for (int slot : freed) EXPECT_FALSE(list->SlotUsed(slot));

  // A new glyph fills the freed slots before the list grows.
  TButtonGlyph third;
  third.AssignSource(&strip);
  third.BuildStateImage(fbsUp, false);
  EXPECT_EQ(third.ImageList(), list);
  EXPECT_EQ(third.Slot(fbsUp), *std::min_element(freed.begin(), freed.end()));
  for (int s = fbsDown; s <= fbsDisabled; ++s) third.BuildStateImage(TFancyButtonState(s), false);
  EXPECT_EQ(list->Count(), 10);
  EXPECT_EQ(list->UsedCount(), 10);

  // Changing the source gives the images back at once.
  third.Source().SetPixel(0, 0, clWhite);
  EXPECT_EQ(third.Slot(fbsUp), -1);
  EXPECT_EQ(list->UsedCount(), 5);
  // The last user of the list dies: the list goes, and with it the now empty cache.
  second.reset();
  EXPECT_EQ(SharedGlyphCache(), nullptr);
  // A live glyph builds again: the cache and a list come back on demand.
  EXPECT_EQ(third.BuildStateImage(fbsUp, false), 0);
  ASSERT_NE(SharedGlyphCache(), nullptr);
  EXPECT_EQ(SharedGlyphCache()->ListCount(), 1);
}

TEST_F(GlyphTest, RebuildReplacesTheDisabledImageInItsSlot) {
  TButtonGlyph glyph;
  TBitmap strip;
  MakeStrip(strip, 4, 4, {clRed, clRed}, clLime);
  glyph.AssignSource(&strip);
  int slot = glyph.BuildStateImage(fbsDisabled, false);
  int count = glyph.ImageList()->Count();
  EXPECT_EQ(glyph.BuildStateImage(fbsDisabled, true), slot);
  EXPECT_EQ(glyph.ImageList()->Count(), count);
  EXPECT_EQ(glyph.ImageList()->UsedCount(), 1);
}

class FaceTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Target.SetSize(100, 48);
    Canvas().Font().SetName("Tahoma");
    Canvas().Font().SetHeight(-16);
    Canvas().Font().SetColor(clWhite);
  }
  TCanvas& Canvas() { return Target.Canvas(); }
  void Clear() {
    Canvas().Brush().Style = bsSolid;
    Canvas().Brush().Color = clBlue;
    Canvas().FillRect({0, 0, 100, 48});
  }
  // Bounding box of the pixels of exactly this colour.
  TRect BoxOf(TColor color) {
    TRect r{1000, 1000, -1, -1};
    for (int y = 0; y < Target.Height(); ++y)
      for (int x = 0; x < Target.Width(); ++x)
        if (Target.GetPixel(x, y) == color)
          r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return r;
  }
  TBitmap Target;
};

TEST_F(FaceTest, CaptionOffsetMovesOnlyTheCaption) {
  TButtonGlyph glyph;
  TBitmap strip;
  MakeStrip(strip, 100, 48, {clRed, clRed, clRed, clRed, clRed}, Corner);
  glyph.AssignSource(&strip);
  glyph.SetImageCount(5);
  const TRect face{0, 0, 100, 48};
  TGlyphLayout centred = glyph.CalcLayout(Canvas(), face, {0, 0}, "Back", 0);
  TGlyphLayout moved = glyph.CalcLayout(Canvas(), face, {17, -2}, "Back", 0);
  EXPECT_EQ(moved.ImagePos, (TPoint{0, 0}));
  EXPECT_EQ(moved.CaptionRect, centred.CaptionRect.Offset(17, -2));
  // The measured caption is widened by 5 pixels and centred with rounding up.
  TRect measured{0, 0, 100, 0};
  Canvas().DrawText("Back", measured, DT_CALCRECT);
  const int w = measured.Width() + 5, h = measured.Height();
  EXPECT_EQ(centred.CaptionRect, Bounds((100 - w + 1) / 2, (48 - h + 1) / 2, w, h));
  // A face moved away from the origin moves image and caption with it.
  TGlyphLayout shifted = glyph.CalcLayout(Canvas(), face.Offset(2, 2), {0, 0}, "Back", 0);
  EXPECT_EQ(shifted.ImagePos, (TPoint{2, 2}));
  EXPECT_EQ(shifted.CaptionRect, centred.CaptionRect.Offset(2, 2));
  EXPECT_EQ(glyph.CalcLayout(Canvas(), face, {3, 4}, "", 0).CaptionRect, (TRect{0, 0, 0, 0}.Offset(53, 28)));
}

TEST_F(FaceTest, ShadowLiesTwoPixelsRightAndBelowTheCaption) {
  TButtonGlyph glyph;  // empty: only the caption is drawn
  Clear();
  glyph.DrawFace(Canvas(), {0, 0, 100, 48}, {0, 0}, "Exit", fbsMouseOut, clNone, 0);
  TRect plain = BoxOf(clWhite);
  ASSERT_LT(plain.Left, plain.Right);
  Clear();
  glyph.DrawFace(Canvas(), {0, 0, 100, 48}, {0, 0}, "Exit", fbsMouseOut, clBlack, 0);
  EXPECT_EQ(BoxOf(clWhite), plain.Offset(-2, -2));
  TRect shadow = BoxOf(clBlack);
  EXPECT_EQ(shadow.Right, plain.Right);
  EXPECT_EQ(shadow.Bottom, plain.Bottom);

  // Disabled: shadow-coloured text with a highlight copy one pixel right and down.
  Clear();
  glyph.DrawFace(Canvas(), {0, 0, 100, 48}, {0, 0}, "Exit", fbsDisabled, clBlack, 0);
  EXPECT_EQ(BoxOf(ColorToRGB(clBtnShadow)), plain);
  EXPECT_EQ(BoxOf(ColorToRGB(clBtnHighlight)).Right, plain.Right + 1);
  EXPECT_EQ(BoxOf(clBlack).Right, -1);  // no shadow when disabled
}

}  // namespace
