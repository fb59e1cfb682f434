// Picking sprites up with the mouse: hit testing by rectangle, front to back, on
// enabled sprites; bringing the picked one to the front; the drag and the drop.

#include "SpritesFixture.h"

namespace {

TEST_F(SpritesTest, APressOnTransparentPixelsInsideTheRectanglePicksTheSprite) {
  TSprite* s = AddSprite(40, 30, clBlue, 50, 40);
  s->SetVisible(true);
  // The top-left quarter is transparent: the surface shows through there.
  ASSERT_NE(SurfacePixel(52, 42), clBlue);
  ASSERT_NE(SurfacePixel(52, 42), clRed);
  Press(52, 42);
  EXPECT_EQ(Surface->SelIndex(), 0);
  EXPECT_EQ(Surface->GetSelSprite(), s);
  EXPECT_TRUE(Surface->SpriteDragging());
  EXPECT_EQ(Surface->GrabOffset(), (TPoint{2, 2}));
  // The pointer disappears and the surface holds the mouse until the release.
  EXPECT_EQ(Backend.CurrentCursor().Shape, platform::TPStdCursor::None);
  EXPECT_EQ(GetCaptureControl(), Surface);
  Move(72, 62);
  EXPECT_EQ(s->Left(), 70);
  EXPECT_EQ(s->Top(), 60);
  Release(72, 62);
  EXPECT_FALSE(Surface->SpriteDragging());
  EXPECT_EQ(Surface->SelIndex(), 0);  // the host can still read what was dropped
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_EQ(Backend.CurrentCursor().Shape, platform::TPStdCursor::Arrow);
  EXPECT_EQ(DifferenceFromRepaint(), "");

  // The right and bottom edges are outside the rectangle.
  Press(70 + 40, 60 + 10);
  EXPECT_EQ(Surface->SelIndex(), -1);
  EXPECT_FALSE(Surface->SpriteDragging());
  EXPECT_EQ(Surface->GetSelSprite(), nullptr);
  Release(70 + 40, 60 + 10);
}

TEST_F(SpritesTest, TheFrontOneOfTwoOverlappingSpritesIsPickedAndComesToTheFront) {
  TSprite* a = AddSprite(40, 30, clBlue, 20, 20);  // registered first: in front
  TSprite* b = AddSprite(40, 30, clGreen, 40, 30);
  a->SetVisible(true);
  b->SetVisible(true);  // started later, yet drawn under a, which is in front
  EXPECT_EQ(SurfacePixel(55, 45), clBlue);
  EXPECT_EQ(DifferenceFromRepaint(), "");

  Press(55, 45);  // inside both: the front one
  EXPECT_EQ(Surface->SelIndex(), 0);
  Release(55, 45);

  Press(75, 55);  // only b: it comes to the front and covers a where they overlap
  EXPECT_EQ(Surface->SelIndex(), 1);
  EXPECT_EQ(Surface->ZOrder(0), 1);
  EXPECT_EQ(Surface->ZOrder(1), 0);
  EXPECT_EQ(SurfacePixel(55, 45), clGreen);
  EXPECT_EQ(DifferenceFromRepaint(), "");
  Release(75, 55);

  Press(55, 45);  // now b is the front one there
  EXPECT_EQ(Surface->SelIndex(), 1);
  Release(55, 45);
}

TEST_F(SpritesTest, PickingTheFrontMostSpriteRecomposesNothing) {
  TSprite* a = AddSprite(40, 30, clBlue, 20, 20);
  TSprite* b = AddSprite(40, 30, clGreen, 40, 30);
  a->SetVisible(true);
  b->SetVisible(true);
  {
    TChangeRecorder changes(Form);
    Press(25, 45);
    EXPECT_EQ(Surface->SelIndex(), 0);
    EXPECT_TRUE(changes.Rects.empty());
    Release(25, 45);
  }
  {
    // Picking the one behind recomposes the touched sprites' area, from the surface origin.
    TChangeRecorder changes(Form);
    Press(75, 55);
    ASSERT_FALSE(changes.Rects.empty());
    TRect area = Rect(SurfaceX, SurfaceY, SurfaceX + 80, SurfaceY + 60);
    for (const TRect& r : changes.Rects) EXPECT_EQ(UnionRect(r, area), area);
    Release(75, 55);
  }
}

TEST_F(SpritesTest, ADisabledSpriteIsNeverPicked) {
  TSprite* front = AddSprite(40, 30, clBlue, 20, 20);
  TSprite* back = AddSprite(40, 30, clGreen, 40, 30);
  front->SetVisible(true);
  back->SetVisible(true);
  front->SetEnabled(false);
  Press(55, 45);  // in the overlap: the disabled front one is skipped
  EXPECT_EQ(Surface->SelIndex(), 1);
  Release(55, 45);
  EXPECT_EQ(Surface->ZOrder(0), 1);

  Press(25, 25);  // only the disabled one
  EXPECT_EQ(Surface->SelIndex(), -1);
  EXPECT_FALSE(Surface->SpriteDragging());
  Move(90, 90);
  EXPECT_EQ(front->Left(), 20);
  Release(90, 90);
  EXPECT_EQ(DifferenceFromRepaint(), "");
}

TEST_F(SpritesTest, AHiddenButEnabledSpriteCanBePicked) {
  TSprite* front = AddSprite(30, 30, clBlue, 10, 10);
  TSprite* hidden = AddSprite(40, 30, clGreen, 100, 60);
  front->SetVisible(true);
  ASSERT_FALSE(hidden->Shown());
  Press(120, 80);
  EXPECT_EQ(Surface->SelIndex(), 1);
  // Coming to the front shows it again.
  EXPECT_TRUE(hidden->Shown());
  EXPECT_EQ(SurfacePixel(120, 80), clGreen);
  Move(130, 85);
  Release(130, 85);
  EXPECT_EQ(hidden->Left(), 110);
  EXPECT_EQ(DifferenceFromRepaint(), "");

  // A hidden sprite that already is in front stays hidden and moves without
  // touching the surface.
  hidden->SetVisible(false);
  std::vector<uint32_t> before = WindowPixels();
  Press(120, 70);
  EXPECT_EQ(Surface->SelIndex(), 1);
  EXPECT_FALSE(hidden->Shown());
  Move(20, 20);
  Release(20, 20);
  EXPECT_EQ(hidden->Left(), 10);
  EXPECT_EQ(hidden->Top(), 15);
  EXPECT_EQ(WindowPixels(), before);
}

TEST_F(SpritesTest, APressDuringADragIsIgnored) {
  AddSprite(30, 30, clBlue, 10, 10)->SetVisible(true);
  AddSprite(30, 30, clGreen, 100, 10)->SetVisible(true);
  Surface->SpriteMouseDown(Surface, mbLeft, 0, 15, 15);
  Surface->SpriteMouseDown(Surface, mbLeft, 0, 105, 15);
  EXPECT_EQ(Surface->SelIndex(), 0);
  EXPECT_EQ(Surface->ZOrder(0), 0);
  Surface->SpriteMouseUp(Surface, mbLeft, 0, 15, 15);
}

TEST_F(SpritesTest, InAutomaticDragModeTheHostFeedsThePickUp) {
  TSprite* s = AddSprite(30, 30, clBlue, 10, 10);
  s->SetVisible(true);
  Surface->SetDragMode(dmAutomatic);
  std::vector<std::string> log;
  Surface->OnStartDrag = [&](TObject*, TDragObject*&) {
    log.push_back("start");
    TPoint p = Surface->ScreenToClient(Screen->CursorPos());
    Surface->SpriteMouseDown(Surface, mbLeft, 0, p.X, p.Y);
  };
  Surface->OnDragOver = [&](TObject*, TObject*, int x, int y, TDragState, bool& accept) {
    Surface->SpriteMouseMove(Surface, 0, x, y);
    accept = true;
  };
  Surface->OnEndDrag = [&](TObject*, TObject*, int x, int y) {
    log.push_back("end");
    Surface->SpriteMouseUp(Surface, mbLeft, 0, x, y);
  };
  Press(20, 20);
  EXPECT_EQ(Surface->SelIndex(), 0);
  Move(60, 50);
  Release(60, 50);
  EXPECT_EQ(log, (std::vector<std::string>{"start", "end"}));
  EXPECT_EQ(s->Left(), 50);
  EXPECT_EQ(s->Top(), 40);
  EXPECT_FALSE(Surface->SpriteDragging());
  EXPECT_EQ(DifferenceFromRepaint(), "");
}

}  // namespace
