// What the surface shows: after any sequence of moves, hides, shows and pick-ups it
// equals a full repaint of the same scene; a move changes nothing outside the union
// of the sprite's old and new rectangles; a sprite's background is captured once.

#include <random>

#include "SpritesFixture.h"

namespace {

TEST_F(SpritesTest, SetVisibleTwiceCapturesTheBackgroundOnce) {
  std::vector<uint32_t> empty = SurfacePixels();
  TSprite* s = AddSprite(40, 30, clBlue, 30, 30);
  s->SetVisible(true);
  std::vector<uint32_t> shown = SurfacePixels();
  s->SetVisible(true);
  EXPECT_EQ(SurfacePixels(), shown);
  // The background still holds the surface under the sprite, not the sprite itself.
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(ColorToPixel(s->Background()->GetPixel(x, y)), empty[size_t((30 + y) * SurfaceW + 30 + x)])
          << x << ", " << y;
  s->SetVisible(false);
  EXPECT_EQ(SurfacePixels(), empty);
  s->SetVisible(false);
  EXPECT_EQ(SurfacePixels(), empty);
  // Start and Hide on a sprite already in that state report it and change nothing.
  EXPECT_FALSE(s->Hide(Surface->Canvas()));
  EXPECT_TRUE(s->Start(Surface->Canvas()));
  EXPECT_FALSE(s->Start(Surface->Canvas()));
  EXPECT_EQ(SurfacePixels(), shown);
}

TEST_F(SpritesTest, AMoveChangesNothingOutsideTheUnionRectangle) {
  TSprite* mover = AddSprite(40, 30, clBlue, 30, 30);
  TSprite* other = AddSprite(50, 40, clGreen, 50, 40);
  TSprite* far = AddSprite(20, 20, clYellow, 150, 100);
  for (TSprite* s : {far, other, mover}) s->SetVisible(true);

  auto checkMove = [&](TSprite* s, int x, int y) {
    TRect unionRect = UnionRect(s->GetBounds(), Bounds(x, y, s->GetBounds().Width(), s->GetBounds().Height()))
                          .Offset(SurfaceX, SurfaceY);
    std::vector<uint32_t> before = WindowPixels();
    TChangeRecorder changes(Form);
    ASSERT_TRUE(s->MoveTo(Surface->Canvas(), x, y));
    for (const TRect& r : changes.Rects) EXPECT_EQ(UnionRect(r, unionRect), unionRect);
    std::vector<uint32_t> after = WindowPixels();
    for (int py = 0; py < Backend.Height(); ++py)
      for (int px = 0; px < Backend.Width(); ++px)
        if (!unionRect.Contains(px, py)) {
          size_t i = size_t(py * Backend.Width() + px);
          ASSERT_EQ(before[i], after[i]) << "pixel (" << px << ", " << py << ") changed";
        }
    EXPECT_EQ(s->Left(), x);
    EXPECT_EQ(s->Top(), y);
  };
  checkMove(mover, 35, 38);   // overlapping its old place
  checkMove(mover, 120, 90);  // far away, over another sprite
  checkMove(other, 60, 10);   // a sprite behind the others stays behind them
  EXPECT_EQ(DifferenceFromRepaint(), "");
  // Partly off the surface, and back.
  checkMove(mover, -15, 130);
  checkMove(mover, 10, 10);
  EXPECT_EQ(DifferenceFromRepaint(), "");
}

TEST_F(SpritesTest, TheSurfaceEqualsAFullRepaintAfterRandomSequences) {
  for (unsigned seed = 1; seed <= 16; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    auto below = [&](int n) { return int(rng() % unsigned(n)); };
    while (Surface->SpriteCount() > 0) Surface->RemoveSprite(Surface->GetSprite(0));
    Surface->Repaint();
    std::vector<uint32_t> bare = SurfacePixels();
    // Crowded: large sprites on a small area, so that most of them overlap.
    std::vector<TSprite*> sprites;
    for (int i = 0; i < 7; ++i) {
      TSprite* s = AddSprite(20 + below(50), 15 + below(40), TColor(0x101010 * (i + 3) + 0x00A000 * (i % 2)),
                             below(SurfaceW / 2) - 10, below(SurfaceH / 2) - 10);
      s->SetEnabled(below(6) != 0);
      if (below(4) != 0) s->SetVisible(true);
      sprites.push_back(s);
    }
    for (int step = 0; step < 60; ++step) {
      TSprite* s = sprites[size_t(below(int(sprites.size())))];
      int kind = below(10);
      std::string what;
      if (kind < 2) {
        what = "SetVisible";
        s->SetVisible(!s->Shown());
      } else if (kind < 4) {
        what = "MoveTo";
        s->MoveTo(Surface->Canvas(), below(SurfaceW / 2 + 20) - 20, below(SurfaceH / 2 + 20) - 20);
      } else if (kind < 9) {
        what = "drag";
        int x = below(SurfaceW / 2 + 40), y = below(SurfaceH / 2 + 30);
        Press(x, y);
        for (int m = 0; m < 2; ++m) Move(x += below(41) - 20, y += below(41) - 20);
        Release(x, y);
      } else {
        what = "HideSprites";
        Surface->HideSprites();
      }
      ASSERT_EQ(DifferenceFromRepaint(), "") << "after step " << step << " (" << what << ")";
      ASSERT_TRUE(ZOrderIsPermutation());
    }
    // Taking every sprite off again leaves the bare surface: no background kept a
    // piece of another sprite.
    Surface->HideSprites();
    EXPECT_EQ(SurfacePixels(), bare);
  }
}

TEST_F(SpritesTest, PaintRedrawsTheShownSpritesBackToFrontOverTheHostsPainting) {
  TSprite* front = AddSprite(40, 30, clBlue, 20, 20);
  TSprite* back = AddSprite(40, 30, clGreen, 40, 30);
  TSprite* hidden = AddSprite(40, 30, clYellow, 100, 100);
  back->SetVisible(true);
  front->SetVisible(true);
  Surface->SetColor(clAqua);
  Surface->Font().SetHeight(-19);
  TColor brushInPaint = clNone;
  int fontInPaint = 0;
  Surface->OnPaint = [&](TObject* sender) {
    EXPECT_EQ(sender, Surface);
    brushInPaint = Surface->Canvas().Brush().Color;
    fontInPaint = Surface->Canvas().Font().Height();
    PaintBase(Surface->Canvas());
  };
  Surface->Repaint();
  EXPECT_EQ(brushInPaint, clAqua);
  EXPECT_EQ(fontInPaint, -19);
  EXPECT_EQ(SurfacePixel(55, 45), clBlue);
  EXPECT_EQ(SurfacePixel(75, 55), clGreen);
  EXPECT_NE(SurfacePixel(130, 125), clYellow);
  EXPECT_FALSE(hidden->Shown());
}

}  // namespace

namespace {

TEST_F(SpritesTest, PickingASpriteBehindTwoOverlappingOnesLeavesTheirBackgroundsTrue) {
  TSprite* x = AddSprite(40, 30, clBlue, 20, 20);     // front
  TSprite* y = AddSprite(40, 30, clGreen, 40, 30);    // behind x, overlapping it
  TSprite* p = AddSprite(30, 30, clYellow, 120, 90);  // at the back, elsewhere
  std::vector<uint32_t> bare = SurfacePixels();
  for (TSprite* s : {p, y, x}) s->SetVisible(true);
  Press(135, 105);
  Release(135, 105);
  ASSERT_EQ(Surface->ZOrder(0), 2);
  EXPECT_EQ(DifferenceFromRepaint(), "");
  // Taking the others off, front first, must leave the bare surface: no sprite may
  // have kept a piece of another (or of itself) as its background.
  Surface->HideSprites();
  EXPECT_EQ(SurfacePixels(), bare);
}

}  // namespace
