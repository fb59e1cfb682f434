#include "games/TJigsaw.h"

#include "games/GameRules.h"

namespace {

bool IsPiece(int piece) {
  return piece >= 0 && piece < JigsawPieces;
}

}  // namespace

TJigsaw::TJigsaw(TRandomSource& random) : FRandom(random) {}

void TJigsaw::NewGame() {
  FRotation = FRandom.Next(JigsawPieces) % JigsawPieces;
  FPlacedCount = 0;
  FPlaced.fill(false);
}

TPoint TJigsaw::Start(int piece) const {
  return PieceStart(piece, FRotation);
}

TPoint TJigsaw::Target(int piece) {
  return PieceTarget(piece);
}

void TJigsaw::PickUp(int piece) {
  if (!IsPiece(piece) || !FPlaced[size_t(piece)]) return;
  FPlaced[size_t(piece)] = false;
  --FPlacedCount;
}

TJigsawDrop TJigsaw::Drop(int piece, TPoint topLeft) {
  TJigsawDrop drop;
  if (!IsPiece(piece)) return drop;
  const TPoint target = Target(piece);
  if (!SnapsInto(topLeft.X, topLeft.Y, target)) {
    drop.To = Start(piece);
    return drop;
  }
  drop.Snapped = true;
  drop.To = target;
  if (!FPlaced[size_t(piece)]) {
    FPlaced[size_t(piece)] = true;
    drop.Complete = ++FPlacedCount == JigsawPieces;
  }
  return drop;
}
