// The jigsaw's rules: start places, the snap distance and the count of placed pieces.

#include <gtest/gtest.h>

#include "ScriptedRandom.h"
#include "games/GameRules.h"
#include "games/TJigsaw.h"

namespace {

class Jigsaw : public ::testing::Test {
protected:
  void NewGame(int draw = 0) {
    random.Values = {draw};
    jigsaw.NewGame();
  }
  // Lifts the piece and lets it go at offset (dx, dy) from its place.
  TJigsawDrop Move(int piece, int dx, int dy) {
    jigsaw.PickUp(piece);
    TPoint t = TJigsaw::Target(piece);
    return jigsaw.Drop(piece, {t.X + dx, t.Y + dy});
  }

  TScriptedRandom random;
  TJigsaw jigsaw{random};
};

TEST_F(Jigsaw, TheStartPlacesRotateByOneDraw) {
  NewGame(20);
  EXPECT_EQ(random.Ranges, std::vector<int>{9});
  EXPECT_EQ(jigsaw.Rotation(), 2) << "the draw is taken mod 9";
  for (int i = 0; i < JigsawPieces; ++i) EXPECT_EQ(jigsaw.Start(i), PieceStarts[size_t((i + 2) % 9)]) << i;
  EXPECT_EQ(TJigsaw::Target(0), (TPoint{150, 110}));
  EXPECT_EQ(TJigsaw::Target(8), (TPoint{150 + 235, 110 + 39}));
  EXPECT_EQ(jigsaw.PlacedCount(), 0);
}

TEST_F(Jigsaw, APieceSnapsWithin39PixelsAndGoesBackFrom40) {
  NewGame(4);
  struct TCase {
    int Piece, Dx, Dy;
    bool Snaps;
  };
  const TCase cases[] = {{0, 39, 39, true},   {1, -39, -39, true}, {2, 39, -39, true}, {3, 40, 0, false},
                         {3, -40, 0, false},  {4, 0, 40, false},   {4, 0, -40, false}, {5, 39, 40, false},
                         {5, -40, 39, false}, {6, 0, 0, true}};
  int placed = 0;
  for (const TCase& c : cases) {
    TJigsawDrop drop = Move(c.Piece, c.Dx, c.Dy);
    placed += c.Snaps;
    EXPECT_EQ(drop.Snapped, c.Snaps) << c.Piece << " at " << c.Dx << ", " << c.Dy;
    EXPECT_EQ(drop.To, c.Snaps ? TJigsaw::Target(c.Piece) : jigsaw.Start(c.Piece)) << c.Piece;
    EXPECT_EQ(jigsaw.PlacedCount(), placed);
    EXPECT_FALSE(drop.Complete);
  }
}

TEST_F(Jigsaw, APlacedPieceTakenOutNoLongerCounts) {
  NewGame();
  Move(3, 0, 0);
  ASSERT_EQ(jigsaw.PlacedCount(), 1);
  jigsaw.PickUp(3);
  EXPECT_EQ(jigsaw.PlacedCount(), 0) << "lifted off its place";
  EXPECT_TRUE(jigsaw.Drop(3, TJigsaw::Target(3)).Snapped);
  EXPECT_EQ(jigsaw.PlacedCount(), 1) << "put back";
  EXPECT_FALSE(Move(3, 200, 0).Snapped);
  EXPECT_EQ(jigsaw.PlacedCount(), 0) << "taken out and dropped far away";

  // Lifting a piece that is not on its place changes nothing, however often.
  Move(7, 0, 0);
  jigsaw.PickUp(0);
  jigsaw.PickUp(0);
  EXPECT_EQ(jigsaw.PlacedCount(), 1);
  EXPECT_FALSE(jigsaw.Placed(0));
  EXPECT_TRUE(jigsaw.Placed(7));

  // No piece picked: nothing happens.
  jigsaw.PickUp(-1);
  EXPECT_FALSE(jigsaw.Drop(-1, {150, 110}).Snapped);
  EXPECT_EQ(jigsaw.PlacedCount(), 1);
}

TEST_F(Jigsaw, ThePuzzleCompletesWhenTheNinthPieceIsInPlace) {
  NewGame();
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(Move(i, 1, -1).Complete) << i;
  // Taking one out and putting it back does not complete the puzzle early.
  EXPECT_FALSE(Move(2, 0, 0).Complete);
  EXPECT_EQ(jigsaw.PlacedCount(), 8);
  TJigsawDrop last = Move(8, -5, 5);
  EXPECT_TRUE(last.Complete);
  EXPECT_EQ(jigsaw.PlacedCount(), 9);

  // A new game starts with nothing placed.
  NewGame();
  EXPECT_EQ(jigsaw.PlacedCount(), 0);
  for (int i = 0; i < JigsawPieces; ++i) EXPECT_FALSE(jigsaw.Placed(i));
}

}  // namespace
