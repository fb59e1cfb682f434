#include "games/TBugBoard.h"

#include "games/GameRules.h"

TBugBoard::TBugBoard(TRandomSource& random, int timeLimit) : FRandom(random), FTimeLimit(timeLimit) {}

void TBugBoard::NewGame() {
  FRunning = true;
  FClock = 0;
  FScore = StartScore;
  FHits = 0;
  FMisses = 0;
  FEscaped = 0;
  FLifetime = BugLifetimeForLevel(FLevel);
  FSlots.fill(TBugSlot{});
}

TBugTick TBugBoard::Tick() {
  TBugTick tick;
  if (!FRunning) return tick;
  ++FClock;
  const int place = FRandom.Next(41 - 4 * FHits);
  tick.Twitch = FRandom.Next(5);
  if (place >= 0 && place < BugPlaces && FSlots[size_t(place)].Empty()) {
    FSlots[size_t(place)] = {FClock + FLifetime, false};
    tick.Spawned = place;
  }
  for (int i = 0; i < BugPlaces; ++i) {
    TBugSlot& slot = FSlots[size_t(i)];
    if (slot.Deadline == 0 || FClock <= slot.Deadline) continue;
    slot.Deadline = 0;
    if (slot.Hit) continue;
    --FScore;
    ++FEscaped;
    tick.Escaped[size_t(i)] = true;
  }
  if (FClock >= FTimeLimit) {
    tick.TimeUp = true;
    End();
  }
  return tick;
}

TBugPress TBugBoard::Press(int x, int y, int width, int height) {
  TBugPress press;
  if (!FRunning) return press;
  bool anyHit = false;
  for (int i = 0; i < BugPlaces; ++i) {
    TBugSlot& slot = FSlots[size_t(i)];
    if (!slot.Live() || !PressHitsPicture(BugPositions[size_t(i)], width, height, x, y)) continue;
    FScore += FHitPoints;
    slot.Hit = true;
    ++FHits;
    press.Hit[size_t(i)] = true;
    anyHit = true;
  }
  if (!anyHit) {
    FScore -= MissPenalty;
    ++FMisses;
    press.Missed = true;
  }
  if (FHits == BugPlaces) {
    FScore += FTimeLimit - FClock;
    ++FLevel;
    FHitPoints += HitPointsStep;
    End();
    press.Completed = true;
  }
  return press;
}

bool TBugBoard::PressBeside() {
  if (!FRunning) return false;
  FScore -= MissPenalty;
  ++FMisses;
  return true;
}

void TBugBoard::End() {
  FRunning = false;
  FClock = FTimeLimit;
}

void TBugBoard::ResetLevel() {
  FLevel = 1;
}
