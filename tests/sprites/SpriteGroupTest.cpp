// Membership of a group: registration order and stacking, the capacity, removal,
// destruction on either side, and the messages of misuse.

#include "SpritesFixture.h"

namespace {

TEST_F(SpritesTest, RegistrationOrderIsTheInitialStackingOrder) {
  EXPECT_EQ(Surface->Width(), SurfaceW);
  TSprites fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 105);
  EXPECT_EQ(fresh.Height(), 105);
  EXPECT_TRUE(fresh.ControlStyle & csAcceptsControls);
  EXPECT_EQ(fresh.SelIndex(), -1);
  EXPECT_EQ(fresh.ZOrder(999), 999);

  TSprite* a = AddSprite(10, 10, clBlue, 0, 0);
  TSprite* b = AddSprite(10, 10, clBlue, 0, 0);
  TSprite* c = AddSprite(10, 10, clBlue, 0, 0);
  EXPECT_EQ(Surface->SpriteCount(), 3);
  EXPECT_EQ(Surface->GetSprite(0), a);
  EXPECT_EQ(Surface->GetSprite(2), c);
  EXPECT_EQ(Surface->GetSprite(3), nullptr);
  EXPECT_EQ(Surface->GetSprite(-1), nullptr);
  for (int z = 0; z < 3; ++z) EXPECT_EQ(Surface->ZOrder(z), z);
  // Setting the same group again registers nothing twice.
  b->SetSpriteGroup(Surface);
  EXPECT_EQ(Surface->SpriteCount(), 3);
  EXPECT_EQ(b->SpriteGroup(), Surface);
  EXPECT_TRUE(Backend.Messages().empty());
}

TEST_F(SpritesTest, ASpriteGroupThatIsNotASpritesSurfaceIsRefusedWithAMessage) {
  Application->Title = "Pointrix";
  TSprite* s = AddSprite(10, 10, clBlue, 0, 0);
  s->SetSpriteGroup(Form);
  s->SetSpriteGroup(nullptr);
  ASSERT_EQ(Backend.Messages().size(), 2u);
  for (const auto& m : Backend.Messages()) {
    EXPECT_EQ(m.Text, "SpriteGroup should be a TSprites component");
    EXPECT_EQ(m.Caption, "Pointrix");
  }
  EXPECT_EQ(s->SpriteGroup(), Surface);
  EXPECT_EQ(Surface->SpriteCount(), 1);

  auto* loose = new TSprite(Form);
  loose->SetSpriteGroup(Form);
  EXPECT_EQ(loose->SpriteGroup(), nullptr);
  loose->SetVisible(true);  // no group: nothing to draw on
  EXPECT_FALSE(loose->Shown());
}

TEST_F(SpritesTest, AFailedMoveDuringADragShowsMoveToFailedAndTheDragGoesOn) {
  TSprite* s = AddSprite(30, 30, clBlue, 10, 10);
  s->SetVisible(true);
  Press(20, 20);
  std::vector<uint32_t> before = WindowPixels();
  Surface->SpriteMouseMove(Surface, 0, 2000000000, 20);
  ASSERT_EQ(Backend.Messages().size(), 1u);
  EXPECT_EQ(Backend.Messages()[0].Text, "moveto failed");
  EXPECT_EQ(Backend.Messages()[0].Caption, "Error");
  EXPECT_EQ(WindowPixels(), before);
  EXPECT_EQ(s->Left(), 10);
  EXPECT_TRUE(Surface->SpriteDragging());
  Move(50, 40);
  EXPECT_EQ(s->Left(), 40);
  Release(50, 40);
  EXPECT_EQ(Backend.Messages().size(), 1u);
  EXPECT_EQ(DifferenceFromRepaint(), "");
}

TEST_F(SpritesTest, AddBeyondTheCapacityIsRefusedCleanly) {
  std::vector<TSprite*> sprites;
  for (int i = 0; i < TSprites::Capacity; ++i) {
    auto* s = new TSprite(Form);
    s->SetSpriteGroup(Surface);
    sprites.push_back(s);
  }
  EXPECT_EQ(Surface->SpriteCount(), TSprites::Capacity);
  EXPECT_TRUE(Backend.Messages().empty());
  auto* extra = new TSprite(Form);
  extra->SetSpriteGroup(Surface);
  EXPECT_EQ(Surface->SpriteCount(), TSprites::Capacity);
  EXPECT_EQ(extra->SpriteGroup(), nullptr);
  ASSERT_EQ(Backend.Messages().size(), 1u);
  EXPECT_EQ(Backend.Messages()[0].Text, "A TSprites component holds at most 1000 sprites");
  EXPECT_FALSE(Surface->Add(extra));
  EXPECT_FALSE(Surface->Add(nullptr));
  EXPECT_TRUE(ZOrderIsPermutation());
  // Room again after a removal.
  EXPECT_TRUE(Surface->RemoveSprite(sprites[500]));
  EXPECT_TRUE(Surface->Add(extra));
  EXPECT_EQ(Surface->ZOrder(TSprites::Capacity - 1), TSprites::Capacity - 1);
  EXPECT_TRUE(ZOrderIsPermutation());
}

TEST_F(SpritesTest, RemoveSpriteKeepsTheStackingOrderOfTheOthers) {
  std::vector<TSprite*> s;
  for (int i = 0; i < 5; ++i) {
    s.push_back(AddSprite(20, 20, TColor(0x303030 * (i + 1)), 10 + 30 * i, 20 + 5 * i));
    s.back()->SetVisible(true);
  }
  // Stacking, front first: 3, 1, 0, 2, 4.
  for (int i : {1, 3}) {
    Press(s[size_t(i)]->Left() + 15, s[size_t(i)]->Top() + 15);
    Release(s[size_t(i)]->Left() + 15, s[size_t(i)]->Top() + 15);
  }
  ASSERT_EQ(Surface->ZOrder(0), 3);
  ASSERT_EQ(Surface->ZOrder(1), 1);
  EXPECT_TRUE(Surface->RemoveSprite(s[1]));
  EXPECT_FALSE(s[1]->Shown());
  EXPECT_EQ(s[1]->SpriteGroup(), nullptr);
  EXPECT_FALSE(Surface->RemoveSprite(s[1]));
  // Registration indices above the removed one move down: 3 -> 2, 2 -> 1, 4 -> 3.
  ASSERT_EQ(Surface->SpriteCount(), 4);
  std::vector<int> order;
  for (int z = 0; z < 4; ++z) order.push_back(Surface->ZOrder(z));
  EXPECT_EQ(order, (std::vector<int>{2, 0, 1, 3}));
  EXPECT_EQ(Surface->GetSprite(2), s[3]);
  EXPECT_EQ(DifferenceFromRepaint(), "");
  // A sprite registered now goes to the back; one that leaves a drag ends the drag.
  s[1]->SetSpriteGroup(Surface);
  EXPECT_EQ(Surface->ZOrder(4), 4);
  EXPECT_TRUE(ZOrderIsPermutation());
  Press(s[3]->Left() + 15, s[3]->Top() + 15);
  ASSERT_TRUE(Surface->SpriteDragging());
  EXPECT_TRUE(Surface->RemoveSprite(s[3]));
  EXPECT_FALSE(Surface->SpriteDragging());
  EXPECT_EQ(Surface->SelIndex(), -1);
  EXPECT_EQ(GetCaptureControl(), nullptr);
  Release(0, 0);
  EXPECT_EQ(DifferenceFromRepaint(), "");
}

TEST_F(SpritesTest, ASpriteMovesToAnotherGroupAndEitherSideMayBeDestroyedFirst) {
  auto* other = new TSprites(Form);
  other->SetBounds(0, 0, 10, 10);
  other->SetParent(Form);
  TSprite* a = AddSprite(20, 20, clBlue, 30, 30);
  TSprite* b = AddSprite(20, 20, clGreen, 80, 30);
  a->SetVisible(true);
  b->SetVisible(true);
  std::vector<uint32_t> withBoth = SurfacePixels();
  a->SetSpriteGroup(other);
  EXPECT_EQ(Surface->SpriteCount(), 1);
  EXPECT_EQ(other->SpriteCount(), 1);
  EXPECT_FALSE(a->Shown());
  EXPECT_EQ(DifferenceFromRepaint(), "");

  // A shown sprite that is destroyed leaves its group and the surface.
  delete b;
  EXPECT_EQ(Surface->SpriteCount(), 0);
  EXPECT_EQ(DifferenceFromRepaint(), "");
  EXPECT_NE(SurfacePixels(), withBoth);

  // A group that is destroyed first lets its sprites go.
  delete other;
  EXPECT_EQ(a->SpriteGroup(), nullptr);
  a->SetVisible(true);
  EXPECT_FALSE(a->Shown());
}

TEST_F(SpritesTest, APictureOrColourChangeOfAShownSpriteShowsAtOnce) {
  TSprite* s = AddSprite(20, 20, clBlue, 30, 30);
  TSprite* front = AddSprite(20, 20, clGreen, 45, 45);
  Surface->BringToFront(1);
  s->SetVisible(true);
  front->SetVisible(true);
  TBitmap bigger;
  MakeSpriteBitmap(bigger, 40, 30, clYellow);
  TPicture picture;
  picture.SetBitmap(&bigger);
  s->SetPicture(&picture);
  EXPECT_EQ(s->Width(), 40);
  EXPECT_EQ(s->GetBounds(), Bounds(30, 30, 40, 30));
  EXPECT_EQ(SurfacePixel(65, 55), clYellow);
  EXPECT_EQ(SurfacePixel(55, 55), clGreen);  // still behind the front one
  EXPECT_EQ(DifferenceFromRepaint(), "");
  s->SetTransparentColor(clYellow);
  EXPECT_NE(SurfacePixel(65, 55), clYellow);
  EXPECT_EQ(DifferenceFromRepaint(), "");
}

}  // namespace
