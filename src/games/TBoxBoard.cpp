#include "games/TBoxBoard.h"

#include "games/GameRules.h"

TBoxBoard::TBoxBoard(TRandomSource& random) : FRandom(random) {}

void TBoxBoard::NewGame() {
  FRunning = true;
  FPaired = false;
  FClock = 0;
  FScore = StartScore;
  FHits = 0;
  FMisses = 0;
  FFlower.fill(false);
  for (TBoxLook& look : FLook) look = FRandom.Next(2) % 2 == 1 ? blBox : blBox2;
}

TBoxTick TBoxBoard::Tick() {
  TBoxTick tick;
  if (!FRunning) return tick;
  ++FClock;
  const int box = BlinkOrder[size_t(FClock % BoxCount)];
  if (FFlower[size_t(box)]) return tick;
  tick.Box = box;
  tick.Look = (FClock / BoxCount) % 2 == 1 ? blBox : blBox2;
  FLook[size_t(box)] = tick.Look;
  return tick;
}

bool TBoxBoard::Press() {
  if (!FPaired) return true;
  FPaired = false;
  return false;
}

TBoxDoubleClick TBoxBoard::DoubleClick(int box) {
  if (!FRunning || box < 0 || box >= BoxCount) return bdcIgnored;
  FPaired = true;
  if (FFlower[size_t(box)]) return bdcOnFlower;
  FFlower[size_t(box)] = true;
  ++FHits;
  FScore += FlowerPoints(FClock);
  if (FHits < BoxCount) return bdcFlower;
  End();
  return bdcLastFlower;
}

bool TBoxBoard::PressTimedOut() {
  if (!FRunning) return false;
  ++FMisses;
  return true;
}

void TBoxBoard::End() {
  FRunning = false;
}
