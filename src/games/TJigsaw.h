#pragma once

// The rules of Training 3 without any drawing: where each of the nine pieces starts
// in a game, whether a dropped piece snaps into its place, and how many pieces stand
// on their places. The window moves the sprites as the jigsaw says.

#include <array>
#include <cstddef>

#include "games/Random.h"
#include "toolkit/core/Types.h"

constexpr int JigsawPieces = 9;

// Where a dropped piece goes.
struct TJigsawDrop {
  bool Snapped = false;   // into its place ("ok"), or back to its start place ("oh")
  TPoint To;              // the top-left corner the piece moves to
  bool Complete = false;  // this drop put the last piece in place
};

class TJigsaw {
public:
  // The jigsaw draws the rotation of the start places from random.
  explicit TJigsaw(TRandomSource& random);

  // Starts a game: one draw (mod 9) rotates the start places; no piece is placed.
  void NewGame();
  // The top-left corner piece starts at in this game, and the one of its place.
  TPoint Start(int piece) const;
  static TPoint Target(int piece);
  // The piece is lifted: if it stood on its place it no longer does. Only a piece that
  // really stood there counts, wherever it was grabbed.
  void PickUp(int piece);
  // The lifted piece is let go with its top-left corner at topLeft: less than 40 pixels
  // off its place in each direction, it snaps in; otherwise it goes back to its start.
  TJigsawDrop Drop(int piece, TPoint topLeft);

  int Rotation() const { return FRotation; }
  int PlacedCount() const { return FPlacedCount; }
  bool Placed(int piece) const { return FPlaced[size_t(piece)]; }

private:
  TRandomSource& FRandom;
  int FRotation = 0;
  int FPlacedCount = 0;
  std::array<bool, JigsawPieces> FPlaced{};
};
