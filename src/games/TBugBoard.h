#pragma once

// The rules of Training 1 without any drawing: nine places where bugs appear for a
// while, a game clock of ticks, the figures of the score panel and the level that
// carries over from game to game. The window asks the board what a tick or a press
// did and draws that.

#include <array>
#include <cstddef>

#include "games/Random.h"

constexpr int BugPlaces = 9;

// One place of the board.
struct TBugSlot {
  int Deadline = 0;  // clock tick after which the bug escapes; 0 when empty
  bool Hit = false;  // a dead bug lies here until the game ends
  bool Live() const { return Deadline != 0 && !Hit; }
  bool Empty() const { return Deadline == 0 && !Hit; }
};

// What one tick of the clock did.
struct TBugTick {
  int Spawned = -1;                       // the place a bug appeared at, -1 for none
  int Twitch = 0;                         // the JiggleOffsets entry all live bugs use on this tick
  std::array<bool, BugPlaces> Escaped{};  // places whose bug escaped on this tick
  bool TimeUp = false;                    // the tick reached the time limit and ended the game
};

// What one press on the board did.
struct TBugPress {
  std::array<bool, BugPlaces> Hit{};  // places whose live bug the press hit
  bool Missed = false;                // the press hit no live bug (2 points off)
  bool Completed = false;             // the ninth hit: ticks left added, level up, game over
};

class TBugBoard {
public:
  static constexpr int StartScore = 50;
  static constexpr int StartHitPoints = 5;
  static constexpr int HitPointsStep = 5;  // added for every completed board
  static constexpr int MissPenalty = 2;

  // The board draws its places and twitches from random; a game lasts timeLimit ticks.
  explicit TBugBoard(TRandomSource& random, int timeLimit = 200);

  // Starts a game at the current level: clock 0, score 50, no hits, misses or escapes,
  // every place empty, and the bugs' lifetime fixed from the level.
  void NewGame();
  // One tick while a game runs (none otherwise): the clock advances; a place is drawn
  // from 41 - 4 x hits and a twitch from 5, in that order; a drawn empty place gets a
  // bug; bugs past their deadline escape (1 point off); the time limit ends the game.
  TBugTick Tick();
  // A press at (x, y) on the board, the live bug's picture being width x height: it
  // hits every live bug strictly inside whose picture it lies (points per hit), or is
  // a miss. Nothing happens while no game runs.
  TBugPress Press(int x, int y, int width, int height);
  // A press on the page beside the board: a miss while a game runs. Returns whether it counted.
  bool PressBeside();
  // Ends the game (time up, completion, the page left); the clock stands at the time limit.
  void End();
  // Back to level 1; the points per hit keep their value.
  void ResetLevel();

  bool Running() const { return FRunning; }
  int Clock() const { return FClock; }
  int TimeLimit() const { return FTimeLimit; }
  int Score() const { return FScore; }
  int Hits() const { return FHits; }
  int Misses() const { return FMisses; }
  int Escaped() const { return FEscaped; }
  int Level() const { return FLevel; }
  int HitPoints() const { return FHitPoints; }
  int Lifetime() const { return FLifetime; }
  const TBugSlot& Slot(int place) const { return FSlots[size_t(place)]; }

private:
  TRandomSource& FRandom;
  int FTimeLimit;
  bool FRunning = false;
  int FClock = 0;
  int FScore = 0;
  int FHits = 0;
  int FMisses = 0;
  int FEscaped = 0;
  int FLevel = 1;
  int FHitPoints = StartHitPoints;
  int FLifetime = 0;
  std::array<TBugSlot, BugPlaces> FSlots{};
};
