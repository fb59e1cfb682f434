#pragma once

// The rules of Training 2 without any drawing: sixteen boxes that a double-click
// turns into flowers, a press that no double-click follows counts as a miss, and a
// clock whose tick count sets what a flower is worth. The window asks the board
// what a tick, a press or a double-click did and shows that.

#include <array>
#include <cstddef>

#include "games/Random.h"

constexpr int BoxCount = 16;

// The two looks of a box that is not yet a flower (the BOX and BOX2 pictures).
enum TBoxLook { blBox, blBox2 };

// What one tick of the clock changed: box Box now shows Look; Box is -1 when the box
// in turn is a flower (or no game runs).
struct TBoxTick {
  int Box = -1;
  TBoxLook Look = blBox;
};

// What a double-click on a box did.
enum TBoxDoubleClick {
  bdcIgnored,     // no game runs: nothing at all
  bdcOnFlower,    // the box is a flower already: it neither scores nor misses
  bdcFlower,      // the box became a flower and scored
  bdcLastFlower,  // the sixteenth flower: the game is over
};

class TBoxBoard {
public:
  static constexpr int StartScore = 100;

  // The board draws the boxes' first looks from random.
  explicit TBoxBoard(TRandomSource& random);

  // Starts a game: clock 0, score 100, no hits or misses, a press pending from before
  // forgotten, and each box, in order, given a look by one draw (odd: BOX, even: BOX2).
  void NewGame();
  // One tick while a game runs: the clock advances and the box in turn along the
  // spiral takes BOX on odd laps of sixteen ticks, BOX2 on even ones, unless it is a flower.
  TBoxTick Tick();
  // A press on a box, in a game or not. Returns true when it should arm the miss
  // timer, false when it is the second press of a double-click already handled.
  bool Press();
  // The double-click on box; it comes between the two presses of a double-click.
  TBoxDoubleClick DoubleClick(int box);
  // The miss timer ran out after a press that no double-click followed: a miss while a
  // game runs (the score is unchanged). Returns whether it counted.
  bool PressTimedOut();
  // Ends the game; the flowers stay.
  void End();

  bool Running() const { return FRunning; }
  int Clock() const { return FClock; }
  int Score() const { return FScore; }
  int Hits() const { return FHits; }
  int Misses() const { return FMisses; }
  bool IsFlower(int box) const { return FFlower[size_t(box)]; }
  TBoxLook Look(int box) const { return FLook[size_t(box)]; }

private:
  TRandomSource& FRandom;
  bool FRunning = false;
  bool FPaired = false;  // a double-click was handled and its second press is still to come
  int FClock = 0;
  int FScore = 0;
  int FHits = 0;
  int FMisses = 0;
  std::array<bool, BoxCount> FFlower{};
  std::array<TBoxLook, BoxCount> FLook{};
};
