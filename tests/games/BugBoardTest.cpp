// The bug board's rules, played tick by tick with scripted draws.

#include <gtest/gtest.h>

#include "ScriptedRandom.h"
#include "games/GameRules.h"
#include "games/TBugBoard.h"

namespace {

constexpr int Picture = 72;  // the live bug's picture is 72 x 72
constexpr int NoPlace = 40;  // a place draw that spawns nothing

class BugBoard : public ::testing::Test {
protected:
  // One tick whose draws are place, then twitch.
  TBugTick Tick(int place = NoPlace, int twitch = 4) {
    random.Values = {place, twitch};
    return board.Tick();
  }
  TBugPress PressAt(int x, int y) { return board.Press(x, y, Picture, Picture); }
  TBugPress PressMiddle(int place) {
    TPoint p = BugPositions[size_t(place)];
    return PressAt(p.X + 36, p.Y + 36);
  }
  // Spawns a bug at every place in turn and hits it at once: a completed board.
  void CompleteBoard() {
    for (int place = 0; place < BugPlaces; ++place) {
      Tick(place);
      ASSERT_TRUE(board.Slot(place).Live()) << place;
      ASSERT_TRUE(PressMiddle(place).Hit[size_t(place)]) << place;
    }
    ASSERT_FALSE(board.Running());
  }

  TScriptedRandom random;
  TBugBoard board{random};
};

TEST_F(BugBoard, NothingRunsBeforeTheFirstGame) {
  EXPECT_FALSE(board.Running());
  EXPECT_EQ(Tick(0).Spawned, -1);
  EXPECT_TRUE(random.Ranges.empty()) << "no draw is taken without a game";
  EXPECT_FALSE(PressMiddle(0).Missed);
  EXPECT_FALSE(board.PressBeside());
  EXPECT_EQ(board.Misses(), 0);

  board.NewGame();
  EXPECT_TRUE(board.Running());
  EXPECT_EQ(board.Clock(), 0);
  EXPECT_EQ(board.Score(), 50);
  EXPECT_EQ(board.Lifetime(), 30);
  EXPECT_EQ(board.Level(), 1);
  EXPECT_EQ(board.HitPoints(), 5);
  for (int i = 0; i < BugPlaces; ++i) EXPECT_TRUE(board.Slot(i).Empty()) << i;
}

TEST_F(BugBoard, ABugLivesItsLifetimeAndEscapesOnTheTickAfter) {
  board.NewGame();
  TBugTick tick = Tick(2, 3);
  EXPECT_EQ(random.Ranges, (std::vector<int>{41, 5})) << "place first, then twitch";
  EXPECT_EQ(tick.Spawned, 2);
  EXPECT_EQ(tick.Twitch, 3);
  EXPECT_EQ(board.Slot(2).Deadline, 31);
  for (int t = 2; t <= 31; ++t) {
    tick = Tick();
    EXPECT_TRUE(board.Slot(2).Live()) << "tick " << t;
    EXPECT_FALSE(tick.Escaped[2]) << "tick " << t;
  }
  tick = Tick();  // 1 + lifetime + 1
  EXPECT_TRUE(tick.Escaped[2]);
  EXPECT_TRUE(board.Slot(2).Empty());
  EXPECT_EQ(board.Escaped(), 1);
  EXPECT_EQ(board.Score(), 49);

  // The freed place takes a bug again; a drawn place that is live keeps its bug.
  EXPECT_EQ(Tick(2).Spawned, 2);
  const int deadline = board.Slot(2).Deadline;
  EXPECT_EQ(Tick(2).Spawned, -1);
  EXPECT_EQ(board.Slot(2).Deadline, deadline);
  EXPECT_EQ(Tick(9).Spawned, -1) << "draws from 9 up spawn nothing";
}

TEST_F(BugBoard, APressHitsOnlyStrictlyInsideALiveBug) {
  board.NewGame();
  Tick(7);  // left column, middle row: (10, 95)
  const TPoint p = BugPositions[7];
  EXPECT_TRUE(PressAt(p.X, p.Y + 36).Missed) << "left edge";
  EXPECT_TRUE(PressAt(p.X + 36, p.Y).Missed) << "top edge";
  EXPECT_TRUE(PressAt(p.X + 72, p.Y + 36).Missed) << "one past the right edge";
  EXPECT_TRUE(PressAt(p.X + 36, p.Y + 72).Missed) << "one past the bottom edge";
  EXPECT_EQ(board.Score(), 42);
  EXPECT_EQ(board.Misses(), 4);

  TBugPress press = PressAt(p.X + 71, p.Y + 1);
  EXPECT_TRUE(press.Hit[7]);
  EXPECT_FALSE(press.Missed);
  EXPECT_TRUE(board.Slot(7).Hit);
  EXPECT_EQ(board.Score(), 47);
  EXPECT_EQ(board.Hits(), 1);

  EXPECT_TRUE(PressMiddle(7).Missed) << "on the dead bug";
  EXPECT_TRUE(PressAt(95, 131).Missed) << "between places";
  EXPECT_TRUE(board.PressBeside());
  EXPECT_EQ(board.Score(), 41);
  EXPECT_EQ(board.Misses(), 7);

  // A dead bug neither escapes nor takes a new bug in this game.
  for (int t = 0; t < 40; ++t) EXPECT_FALSE(Tick(7).Escaped[7]);
  EXPECT_TRUE(board.Slot(7).Hit);
  EXPECT_FALSE(board.Slot(7).Live());
  EXPECT_EQ(board.Escaped(), 0);
}

TEST_F(BugBoard, EveryHitMakesBugsLikelier) {
  board.NewGame();
  for (int place = 0; place < 8; ++place) {
    random.Ranges.clear();
    Tick(place);
    EXPECT_EQ(random.Ranges.front(), 41 - 4 * place);
    PressMiddle(place);
  }
  random.Ranges.clear();
  Tick(NoPlace);
  EXPECT_EQ(random.Ranges.front(), 9) << "one in nine with eight hits";
}

TEST_F(BugBoard, TheNinthHitCompletesTheBoardAndRaisesTheLevel) {
  board.NewGame();
  for (int t = 0; t < 20; ++t) Tick();
  for (int place = 0; place < 8; ++place) {
    Tick(place);
    EXPECT_FALSE(PressMiddle(place).Completed);
  }
  Tick(8);
  const int before = board.Score();
  ASSERT_EQ(board.Clock(), 29);
  TBugPress last = PressMiddle(8);
  EXPECT_TRUE(last.Completed);
  EXPECT_EQ(board.Score(), before + 5 + (200 - 29)) << "the hit, then the ticks left";
  EXPECT_EQ(board.Level(), 2);
  EXPECT_EQ(board.HitPoints(), 10);
  EXPECT_FALSE(board.Running());
  EXPECT_EQ(board.Clock(), 200);
  random.Ranges.clear();
  Tick(0);
  EXPECT_TRUE(random.Ranges.empty()) << "the clock has stopped";

  board.NewGame();
  EXPECT_EQ(board.Lifetime(), 26);
  EXPECT_EQ(board.Score(), 50);
  Tick(4);
  PressMiddle(4);
  EXPECT_EQ(board.Score(), 60) << "a hit is worth 10 now";
}

TEST_F(BugBoard, TimeRunsOutOnTheTwoHundredthTick) {
  board.NewGame();
  for (int t = 1; t < 200; ++t) EXPECT_FALSE(Tick(t == 195 ? 3 : NoPlace).TimeUp) << t;
  EXPECT_TRUE(board.Running());
  EXPECT_TRUE(Tick().TimeUp);
  EXPECT_FALSE(board.Running());
  EXPECT_EQ(board.Clock(), 200);
  EXPECT_TRUE(board.Slot(3).Live()) << "a bug alive at the end stays for the window to erase";
  EXPECT_EQ(board.Level(), 1);

  random.Ranges.clear();
  EXPECT_FALSE(Tick().TimeUp);
  EXPECT_TRUE(random.Ranges.empty()) << "no tick 201";
  EXPECT_FALSE(PressMiddle(3).Hit[3]) << "presses after the end change nothing";
  EXPECT_EQ(board.Hits(), 0);
  EXPECT_EQ(board.Misses(), 0);
}

TEST_F(BugBoard, LifetimeShrinksWithTheLevelToAFloorOfFour) {
  const int lifetimes[] = {30, 26, 22, 18, 14, 10, 6, 4, 4};
  for (int level = 1; level <= 9; ++level) {
    board.NewGame();
    EXPECT_EQ(board.Level(), level);
    EXPECT_EQ(board.Lifetime(), lifetimes[level - 1]) << "level " << level;
    CompleteBoard();
  }
  // At level 10 a bug spawned on tick 1 is alive through tick 5 and escapes on tick 6.
  board.NewGame();
  Tick(5);
  for (int t = 2; t <= 5; ++t) EXPECT_FALSE(Tick().Escaped[5]) << t;
  EXPECT_TRUE(Tick().Escaped[5]);
}

TEST_F(BugBoard, ResetGoesBackToLevelOneAndKeepsThePointsPerHit) {
  board.NewGame();
  CompleteBoard();
  board.NewGame();
  CompleteBoard();
  ASSERT_EQ(board.Level(), 3);
  board.ResetLevel();
  EXPECT_EQ(board.Level(), 1);
  EXPECT_EQ(board.HitPoints(), 15);
  board.NewGame();
  EXPECT_EQ(board.Lifetime(), 30);
}

TEST_F(BugBoard, EndingMidGameStopsTheClockAtTheLimit) {
  board.NewGame();
  Tick(0);
  board.End();
  EXPECT_FALSE(board.Running());
  EXPECT_EQ(board.Clock(), 200);
  EXPECT_FALSE(board.PressBeside());
  EXPECT_FALSE(PressMiddle(0).Hit[0]);

  // A new game clears the board and the clock.
  board.NewGame();
  EXPECT_EQ(board.Clock(), 0);
  EXPECT_TRUE(board.Slot(0).Empty());
}

TEST(ProgramRandom, DrawsFromTheProgramsSeededGenerator) {
  RandSeed = 12345;
  const int a = Random(41), b = Random(5);
  RandSeed = 12345;
  EXPECT_EQ(ProgramRandom().Next(41), a);
  EXPECT_EQ(ProgramRandom().Next(5), b);
}

}  // namespace
