// The box board's rules: looks, the blinking spiral, double-clicks, misses and scoring.

#include <gtest/gtest.h>

#include "ScriptedRandom.h"
#include "games/GameRules.h"
#include "games/TBoxBoard.h"

namespace {

class BoxBoard : public ::testing::Test {
protected:
  void NewGame() {
    random.Values.assign(16, 0);
    random.Values[3] = 1;
    random.Values[10] = 7;
    board.NewGame();
  }
  void TickTo(int clock) {
    while (board.Clock() < clock) board.Tick();
  }

  TScriptedRandom random;
  TBoxBoard board{random};
};

TEST_F(BoxBoard, ANewGameGivesEveryBoxALookFromOneDraw) {
  NewGame();
  EXPECT_EQ(random.Ranges, std::vector<int>(16, 2));
  for (int i = 0; i < BoxCount; ++i) {
    EXPECT_EQ(board.Look(i), i == 3 || i == 10 ? blBox : blBox2) << "odd draws show BOX, box " << i;
    EXPECT_FALSE(board.IsFlower(i));
  }
  EXPECT_TRUE(board.Running());
  EXPECT_EQ(board.Score(), 100);
  EXPECT_EQ(board.Clock(), 0);
}

TEST_F(BoxBoard, TheBoxesChangeAlongTheSpiralLapByLap) {
  NewGame();
  TBoxTick tick = board.Tick();
  EXPECT_EQ(tick.Box, 1);
  EXPECT_EQ(tick.Look, blBox2) << "ticks 1 to 15 turn boxes to BOX2";
  TickTo(15);
  tick = board.Tick();  // tick 16: the second lap starts at the first box of the spiral
  EXPECT_EQ(tick.Box, 0);
  EXPECT_EQ(tick.Look, blBox);
  EXPECT_EQ(board.Look(0), blBox);
  tick = board.Tick();
  EXPECT_EQ(tick.Box, 1);
  EXPECT_EQ(tick.Look, blBox);

  // A flower is passed over.
  board.DoubleClick(2);
  tick = board.Tick();  // tick 18: BlinkOrder[2] is box 2
  EXPECT_EQ(tick.Box, -1);
  EXPECT_EQ(board.Clock(), 18);
  TickTo(32);
  EXPECT_EQ(board.Look(0), blBox2) << "tick 32 starts a BOX2 lap again";
}

TEST_F(BoxBoard, AFlowerIsWorthLessTheLaterItComes) {
  NewGame();
  EXPECT_EQ(board.DoubleClick(5), bdcFlower);
  EXPECT_EQ(board.Score(), 2100) << "before the first tick the count is taken as 1";
  TickTo(7);
  board.DoubleClick(6);
  EXPECT_EQ(board.Score(), 2100 + 285);
  TickTo(2000);
  board.DoubleClick(7);
  EXPECT_EQ(board.Score(), 2100 + 285 + 1);
  board.Tick();
  board.DoubleClick(8);
  EXPECT_EQ(board.Score(), 2100 + 285 + 1) << "after tick 2000 a flower is worth nothing";
  EXPECT_EQ(board.Hits(), 4);
  EXPECT_EQ(board.Misses(), 0);
}

TEST_F(BoxBoard, PressesPairWithADoubleClickOrTimeOutAsAMiss) {
  NewGame();
  // A single press arms the miss timer; its time-out is a miss that costs nothing.
  EXPECT_TRUE(board.Press());
  EXPECT_TRUE(board.PressTimedOut());
  EXPECT_EQ(board.Misses(), 1);
  EXPECT_EQ(board.Score(), 100);

  // A double-click: press, double-click, then the second press, which arms nothing.
  EXPECT_TRUE(board.Press());
  EXPECT_EQ(board.DoubleClick(4), bdcFlower);
  EXPECT_FALSE(board.Press());
  EXPECT_TRUE(board.Press()) << "the next single press arms the timer again";

  // A double-click on a flower changes nothing but still pairs its second press.
  EXPECT_EQ(board.DoubleClick(4), bdcOnFlower);
  EXPECT_EQ(board.Hits(), 1);
  EXPECT_FALSE(board.Press());

  // A pairing left over from the last game is forgotten by a new one.
  board.DoubleClick(4);
  NewGame();
  EXPECT_TRUE(board.Press());
}

TEST_F(BoxBoard, TheSixteenthFlowerEndsTheGame) {
  NewGame();
  for (int i = 0; i < 15; ++i) {
    board.Tick();
    EXPECT_EQ(board.DoubleClick(i), bdcFlower) << i;
  }
  EXPECT_TRUE(board.Running());
  EXPECT_EQ(board.DoubleClick(15), bdcLastFlower);
  EXPECT_FALSE(board.Running());
  EXPECT_EQ(board.Hits(), 16);
  const int score = board.Score();
  const int clock = board.Clock();

  // After the end: the clock stands, double-clicks and time-outs do nothing.
  EXPECT_EQ(board.Tick().Box, -1);
  EXPECT_EQ(board.Clock(), clock);
  EXPECT_FALSE(board.Press()) << "the second press of the last double-click";
  EXPECT_EQ(board.DoubleClick(3), bdcIgnored);
  EXPECT_TRUE(board.Press()) << "an ignored double-click pairs nothing";
  EXPECT_FALSE(board.PressTimedOut());
  EXPECT_EQ(board.Misses(), 0);
  EXPECT_EQ(board.Score(), score);
}

TEST_F(BoxBoard, NothingScoresBeforeTheFirstGameOrAfterItEnds) {
  EXPECT_EQ(board.DoubleClick(0), bdcIgnored);
  EXPECT_TRUE(board.Press()) << "presses arm the timer with or without a game";
  EXPECT_FALSE(board.PressTimedOut());
  NewGame();
  board.DoubleClick(0);
  board.End();
  EXPECT_EQ(board.DoubleClick(1), bdcIgnored);
  EXPECT_FALSE(board.IsFlower(1));
  EXPECT_TRUE(board.IsFlower(0)) << "the flowers stay";
}

}  // namespace
