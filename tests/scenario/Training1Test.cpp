// Training 1, the bug-hitting game, played on the real window under the virtual
// clock. The generator is seeded right after start-up; before each tick the test
// peeks at the two draws the tick will make (place, then twitch) and keeps its
// own book of the board by the game's rules, which every tick is checked against.

#include <array>
#include <string>
#include <utility>

#include "controls/TFancyButton.h"
#include "games/Random.h"
#include "support/Scenario.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TPaintBox.h"
#include "toolkit/stdctrls/TTabSheet.h"

using platform::TPButton;
using testsupport::TScenario;

namespace {

// Top-left corners of the nine places on the board, and how live bugs twitch.
constexpr std::array<TPoint, 9> Places = {
    {{10, 10}, {200, 10}, {105, 95}, {10, 180}, {200, 180}, {105, 10}, {105, 180}, {10, 95}, {200, 95}}};
constexpr std::array<TPoint, 5> Twitch = {{{2, 0}, {0, 2}, {0, -2}, {-2, 0}, {0, 0}}};

// The game by its rules: what the panel must show after every tick and press.
struct TBook {
  int Clock = 0, Lifetime = 30, Score = 50, Hits = 0, Misses = 0, Escaped = 0, Level = 1, HitPoints = 5;
  bool Over = true;
  std::array<int, 9> Deadline{};
  std::array<bool, 9> Dead{};
  bool Live(int i) const { return Deadline[size_t(i)] != 0 && !Dead[size_t(i)]; }
  bool Empty(int i) const { return Deadline[size_t(i)] == 0 && !Dead[size_t(i)]; }
  void NewGame() {
    Clock = 0;
    Score = 50;
    Hits = Misses = Escaped = 0;
    Lifetime = 34 - 4 * Level < 4 ? 4 : 34 - 4 * Level;
    Deadline.fill(0);
    Dead.fill(false);
    Over = false;
  }
};

class Training1 : public ::testing::Test {
protected:
  void SetUp() override {
    Screen->SetCursor(crDefault);
    ASSERT_TRUE(s.Start());
    f = &s.Form();
    GoToPage(f->Training1Sheet);
    ASSERT_EQ(f->PageControl1->ActivePage(), f->Training1Sheet);
    RandSeed = 20261208;
    Background = s.Backend().PixelAt(BoardAt({1, 1}).X, BoardAt({1, 1}).Y);
  }
  void TearDown() override { Screen->SetCursor(crDefault); }

  // Walks to a page with Enter, as a user would.
  void GoToPage(TTabSheet* page) {
    for (int i = 0; i < 13 && f->PageControl1->ActivePage() != page; ++i) s.Type("\r");
  }
  // Board and page coordinates to window coordinates.
  TPoint BoardAt(TPoint p) const {
    TPoint o = f->Training1PaintBox->OriginInForm();
    return {o.X + p.X, o.Y + p.Y};
  }
  TPoint PageAt(TPoint p) const {
    TPoint o = f->Training1Sheet->OriginInForm();
    return {o.X + p.X, o.Y + p.Y};
  }
  void PressBoard(TPoint p, TPButton button = TPButton::Left) {
    TPoint w = BoardAt(p);
    s.Press(w.X, w.Y, button);
    s.Release(w.X, w.Y, button);
    RecordPress(p);
  }
  // What the press at p does to the book.
  void RecordPress(TPoint p) {
    if (B.Over) return;
    bool any = false;
    for (int i = 0; i < 9; ++i) {
      TPoint q = Places[size_t(i)];
      if (B.Live(i) && q.X < p.X && p.X < q.X + 72 && q.Y < p.Y && p.Y < q.Y + 72) {
        B.Score += B.HitPoints;
        B.Dead[size_t(i)] = true;
        ++B.Hits;
        any = true;
      }
    }
    if (!any) {
      B.Score -= 2;
      ++B.Misses;
    }
    if (B.Hits == 9) {
      B.Score += 200 - B.Clock;
      ++B.Level;
      B.HitPoints += 5;
      B.Clock = 200;
      B.Over = true;
    }
  }

  // The two draws the next tick will make, without using them up.
  std::pair<int, int> NextDraws() const {
    uint32_t saved = RandSeed;
    int r = Random(41 - 4 * B.Hits);
    int d = Random(5);
    RandSeed = saved;
    return {r, d};
  }
  // Seeds the generator so that the next tick spawns a bug at place.
  void SeedSpawnAt(int place) {
    for (uint32_t seed = 1;; ++seed) {
      RandSeed = seed;
      auto [r, d] = NextDraws();
      if (r == place) return;
    }
  }
  // One tick of the clock; returns the twitch it used. Checks the panel against the book.
  int Tick() {
    auto [r, d] = NextDraws();
    ++B.Clock;
    if (r < 9 && B.Empty(r)) B.Deadline[size_t(r)] = B.Clock + B.Lifetime;
    for (int i = 0; i < 9; ++i) {
      if (B.Deadline[size_t(i)] != 0 && B.Clock > B.Deadline[size_t(i)]) {
        B.Deadline[size_t(i)] = 0;
        if (!B.Dead[size_t(i)]) {
          --B.Score;
          ++B.Escaped;
        }
      }
    }
    if (B.Clock >= 200) B.Over = true;
    s.Advance(100);
    ExpectPanel();
    return d;
  }
  void ExpectPanel() {
    EXPECT_EQ(f->TimeValue1Label->Caption(), std::to_string(200 - B.Clock)) << "tick " << B.Clock;
    EXPECT_EQ(f->ScoreValue1Label->Caption(), std::to_string(B.Score)) << "tick " << B.Clock;
    EXPECT_EQ(f->HitsValue1Label->Caption(), std::to_string(B.Hits));
    EXPECT_EQ(f->MissValue1Label->Caption(), std::to_string(B.Misses));
    EXPECT_EQ(f->EscapedValue1Label->Caption(), std::to_string(B.Escaped)) << "tick " << B.Clock;
    EXPECT_EQ(f->LevelValue1Label->Caption(), std::to_string(B.Level));
  }
  void NewGame() {
    s.Type("n");
    B.NewGame();
  }

  // Every opaque pixel of picture drawn with its top-left corner at board point p.
  bool PictureAt(const TBitmap& picture, TPoint p) const {
    const TColor transparent = picture.TransparentColor();
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) {
        TColor c = picture.GetPixel(x, y);
        if (c == transparent) continue;
        TPoint w = BoardAt({p.X + x, p.Y + y});
        if (s.Backend().PixelAt(w.X, w.Y) != ColorToPixel(c)) return false;
      }
    return true;
  }
  bool LiveAt(int place, int twitch) const {
    TPoint p = Places[size_t(place)];
    return PictureAt(*f->LiveBitmap, {p.X + Twitch[size_t(twitch)].X, p.Y + Twitch[size_t(twitch)].Y});
  }
  bool DeadAt(int place) const { return PictureAt(*f->DeadBitmap, Places[size_t(place)]); }
  // The place's 72 x 72 square shows only the board's background.
  bool Erased(int place) const {
    TPoint p = Places[size_t(place)];
    for (int y = 0; y < 72; ++y)
      for (int x = 0; x < 72; ++x) {
        TPoint w = BoardAt({p.X + x, p.Y + y});
        if (s.Backend().PixelAt(w.X, w.Y) != Background) return false;
      }
    return true;
  }
  bool CursorIs(TCursor slot) {
    const platform::TPCursorImage* image = Screen->CursorImage(slot);
    const auto& shown = s.Backend().CurrentCursor();
    return image && shown.Custom && shown.HotX == image->HotX && shown.HotY == image->HotY &&
           shown.Pixels == image->Pixels;
  }
  size_t CountSound(const std::string& name) const {
    size_t n = 0;
    for (const std::string& played : s.Backend().Sounds()) n += played == name;
    return n;
  }
  // Ticks until place is live on the board, hitting nothing; false at the end of the game.
  bool TickUntilLive(int place) {
    while (B.Clock < 200 && !B.Live(place)) Tick();
    return B.Live(place);
  }
  // Hits every bug as soon as it shows until the board is complete; false when time ran out.
  bool PlayToCompletion() {
    while (!B.Over) {
      Tick();
      for (int i = 0; i < 9 && !B.Over; ++i)
        if (B.Live(i)) PressBoard(Middle(i));
    }
    return B.Hits == 9;
  }
  TPoint Middle(int place) const { return {Places[size_t(place)].X + 36, Places[size_t(place)].Y + 36}; }

  mutable TScenario s;
  TMainForm* f = nullptr;
  TBook B;
  uint32_t Background = 0;
};

TEST_F(Training1, NewGameHidesTheInstructionsAndWaitsForTheFirstTick) {
  EXPECT_TRUE(f->SelectingGameRE->Visible());
  NewGame();
  EXPECT_FALSE(f->SelectingGameRE->Visible());
  EXPECT_FALSE(f->GameOverImage->Visible());
  EXPECT_TRUE(f->Timer1->Enabled());
  EXPECT_EQ(f->New1Btn->State(), fbsDisabled);
  EXPECT_EQ(f->ResetBtn->State(), fbsDisabled);
  EXPECT_FALSE(f->Training1Sheet->ShowHint()) << "the panel's hints are silent during play";
  EXPECT_EQ(f->ActiveGame, 1);
  EXPECT_EQ(f->IdleTimer->Interval(), 5000u);
  EXPECT_EQ(f->TimeValue1Label->Caption(), "00") << "the panel waits for the first tick";
  s.Advance(99);
  EXPECT_EQ(f->TimeValue1Label->Caption(), "00");
  Tick();
  EXPECT_EQ(f->TimeValue1Label->Caption(), "199");
}

TEST_F(Training1, ASpawnedBugLivesItsLifetimeAndThenEscapes) {
  NewGame();
  SeedSpawnAt(2);
  s.Backend().ClearRecords();
  int twitch = Tick();
  ASSERT_TRUE(B.Live(2));
  EXPECT_EQ(CountSound("bugsound"), 1u);
  EXPECT_TRUE(LiveAt(2, twitch)) << "drawn on the tick it is spawned";
  for (int t = 2; t <= 31; ++t) {
    twitch = Tick();
    EXPECT_TRUE(LiveAt(2, twitch)) << "tick " << t;
    EXPECT_EQ(B.Escaped, 0);
  }
  Tick();  // tick 32 = 1 + lifetime + 1
  EXPECT_EQ(f->EscapedValue1Label->Caption(), "1");
  EXPECT_EQ(B.Score, 49);
  EXPECT_TRUE(Erased(2)) << "the escaped bug's square is filled with the board's background";
  EXPECT_EQ(CountSound("whoosh"), 0u);
}

TEST_F(Training1, PressesHitOnlyStrictlyInsideALiveBug) {
  NewGame();
  SeedSpawnAt(7);  // left column, middle row: (10, 95)
  Tick();
  ASSERT_TRUE(B.Live(7));
  s.Backend().ClearRecords();
  const TPoint p = Places[7];
  PressBoard({p.X, p.Y + 36});       // on the left edge
  PressBoard({p.X + 36, p.Y});       // on the top edge
  PressBoard({p.X + 72, p.Y + 36});  // one past the right edge
  ExpectPanel();
  EXPECT_EQ(f->MissValue1Label->Caption(), "3");
  EXPECT_EQ(f->ScoreValue1Label->Caption(), "44");
  EXPECT_EQ(f->HitsValue1Label->Caption(), "0");

  PressBoard({p.X + 71, p.Y + 1});  // the last pixel inside on the right, the first below the top
  ExpectPanel();
  EXPECT_EQ(f->HitsValue1Label->Caption(), "1");
  EXPECT_EQ(f->ScoreValue1Label->Caption(), "49");
  EXPECT_TRUE(DeadAt(7)) << "a hit bug is drawn dead in its place";
  PressBoard(Middle(7));  // on the dead bug
  PressBoard({95, 131});  // between two places
  ExpectPanel();
  EXPECT_EQ(f->MissValue1Label->Caption(), "5");
  EXPECT_EQ(f->ScoreValue1Label->Caption(), "45");
  EXPECT_EQ(CountSound("whoosh"), 6u) << "every press during a game whooshes";
  EXPECT_EQ(f->IdleTimer->Interval(), 5000u);

  // The dead bug stays dead: ticks neither redraw it alive nor count it as escaped.
  for (int t = 0; t < 40; ++t) Tick();
  EXPECT_TRUE(DeadAt(7));
  EXPECT_EQ(B.Escaped, B.Escaped);
}

TEST_F(Training1, TheButtonIsNotExamined) {
  NewGame();
  SeedSpawnAt(4);
  Tick();
  PressBoard(Middle(4), TPButton::Right);
  EXPECT_EQ(f->HitsValue1Label->Caption(), "1") << "a right-button press hits";
  SeedSpawnAt(0);
  Tick();
  ASSERT_TRUE(B.Live(0));
  PressBoard(Middle(0), TPButton::Middle);
  PressBoard({190, 270}, TPButton::Middle);  // below and between the bottom places
  TPoint w = PageAt({20, 340});              // the page, outside the board and other controls
  s.Click(w.X, w.Y, TPButton::Right);
  B.Score -= 2;
  ++B.Misses;
  ExpectPanel();
  EXPECT_EQ(f->HitsValue1Label->Caption(), "2");
  EXPECT_EQ(f->MissValue1Label->Caption(), "2");
  EXPECT_EQ(f->ScoreValue1Label->Caption(), std::to_string(50 + 5 + 5 - 2 - 2 - B.Escaped));
}

TEST_F(Training1, NinthHitCompletesTheBoardAndTheNextGameIsShorterAndRicher) {
  NewGame();
  s.Backend().ClearRecords();
  ASSERT_TRUE(PlayToCompletion()) << "seeded board not completed in time";
  const int finishedAt = int(CountSound("whoosh"));
  EXPECT_EQ(finishedAt, 9);
  ExpectPanel();  // the ticks left added, level 2, time 0
  EXPECT_EQ(f->TimeValue1Label->Caption(), "0");
  EXPECT_EQ(f->LevelValue1Label->Caption(), "2");
  EXPECT_FALSE(f->Timer1->Enabled());
  EXPECT_TRUE(f->GameOver);
  EXPECT_EQ(f->ActiveGame, 0);
  EXPECT_EQ(f->IdleTimer->Interval(), 20000u) << "the press resets the prompt again after the end";
  EXPECT_EQ(f->New1Btn->State(), fbsMouseOut);
  EXPECT_EQ(f->ResetBtn->State(), fbsMouseOut);
  EXPECT_TRUE(f->GameOverImage->Visible());
  EXPECT_EQ(f->GameOverImage->Parent(), f->Training1Sheet);
  EXPECT_TRUE(f->Training1Sheet->ShowHint());
  for (int i : {0, 1, 5, 3, 4, 6}) EXPECT_TRUE(Erased(i)) << "place " << i;
  const std::string scoreAtEnd = f->ScoreValue1Label->Caption();
  s.Advance(1000);
  EXPECT_EQ(f->ScoreValue1Label->Caption(), scoreAtEnd) << "the clock has stopped";

  // Level 2: bugs live 26 ticks and a hit is worth 10.
  NewGame();
  EXPECT_EQ(B.Lifetime, 26);
  SeedSpawnAt(8);
  Tick();
  PressBoard(Middle(8));
  ExpectPanel();
  EXPECT_EQ(f->ScoreValue1Label->Caption(), "60");
  SeedSpawnAt(1);
  int twitch = Tick();
  for (int t = 0; t < 26; ++t) twitch = Tick();
  EXPECT_TRUE(LiveAt(1, twitch)) << "still drawn on its last tick";
  Tick();
  EXPECT_TRUE(Erased(1));
  EXPECT_EQ(f->EscapedValue1Label->Caption(), std::to_string(B.Escaped));
}

TEST_F(Training1, TimeRunsOutAfterTwoHundredTicks) {
  NewGame();
  for (int t = 1; t < 200; ++t) Tick();
  EXPECT_TRUE(f->Timer1->Enabled());
  EXPECT_EQ(f->TimeValue1Label->Caption(), "1");
  Tick();
  EXPECT_EQ(f->TimeValue1Label->Caption(), "0");
  EXPECT_FALSE(f->Timer1->Enabled());
  EXPECT_TRUE(f->GameOver);
  EXPECT_EQ(f->ActiveGame, 0);
  EXPECT_EQ(f->IdleTimer->Interval(), 5000u) << "the end resets the prompt while the game still counts as running";
  EXPECT_EQ(f->LevelValue1Label->Caption(), "1");
  EXPECT_TRUE(f->GameOverImage->Visible());
  EXPECT_GT(B.Escaped, 0);
  for (int i : {0, 1, 5, 3, 4, 6}) EXPECT_TRUE(Erased(i)) << "place " << i;

  // Presses after the end change nothing and make no sound.
  s.Backend().ClearRecords();
  PressBoard(Middle(0));
  EXPECT_EQ(f->MissValue1Label->Caption(), std::to_string(B.Misses));
  EXPECT_TRUE(s.Backend().Sounds().empty());
}

TEST_F(Training1, ResetKeepsThePointsPerHitAndPutsTheWindowBack) {
  // Before any game no place is pinned: the window stays where it is.
  s.Backend().SetWindowPos(120, 90);
  TPoint reset = {f->ResetBtn->OriginInForm().X + 20, f->ResetBtn->OriginInForm().Y + 20};
  s.Click(reset.X, reset.Y);
  int x = -1, y = -1;
  s.Backend().GetWindowPos(x, y);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 90);
  EXPECT_EQ(f->LevelValue1Label->Caption(), "1");

  s.Backend().SetWindowPos(150, 130);
  NewGame();
  Tick();
  // The window cannot be dragged away during a game: the next tick puts it back.
  s.Backend().SetWindowPos(400, 300);
  Tick();
  s.Backend().GetWindowPos(x, y);
  EXPECT_EQ(x, 150);
  EXPECT_EQ(y, 130);
  ASSERT_TRUE(PlayToCompletion());
  EXPECT_EQ(f->LevelValue1Label->Caption(), "2");

  s.Backend().SetWindowPos(500, 400);
  s.Click(reset.X, reset.Y);
  EXPECT_EQ(f->LevelValue1Label->Caption(), "1");
  s.Backend().GetWindowPos(x, y);
  EXPECT_EQ(x, 150);
  EXPECT_EQ(y, 130);

  B.Level = 1;
  NewGame();
  EXPECT_EQ(B.Lifetime, 30);
  SeedSpawnAt(6);
  Tick();
  PressBoard(Middle(6));
  EXPECT_EQ(f->ScoreValue1Label->Caption(), "60") << "a hit is still worth 10";
}

TEST_F(Training1, BugLifetimeShrinksToAFloorOfFourTicks) {
  while (B.Level < 7) {
    NewGame();
    ASSERT_TRUE(PlayToCompletion()) << "level " << B.Level;
  }
  for (int level : {7, 8, 9}) {
    ASSERT_EQ(f->LevelValue1Label->Caption(), std::to_string(level));
    NewGame();
    const int lifetime = level == 7 ? 6 : 4;
    EXPECT_EQ(B.Lifetime, lifetime);
    SeedSpawnAt(3);
    int twitch = Tick();
    for (int t = 0; t <= lifetime; ++t) {  // drawn on the spawn tick and lifetime ticks more
      EXPECT_TRUE(LiveAt(3, twitch)) << "level " << level << " tick " << t;
      twitch = Tick();
    }
    EXPECT_TRUE(Erased(3)) << "level " << level;
    EXPECT_EQ(B.Escaped, 1);
    ASSERT_TRUE(PlayToCompletion()) << "level " << level;
  }
}

TEST_F(Training1, TheNKeyRestartsARunningGame) {
  NewGame();
  SeedSpawnAt(5);
  for (int t = 0; t < 10; ++t) Tick();
  PressBoard(Middle(5));
  ASSERT_EQ(f->HitsValue1Label->Caption(), "1");
  NewGame();
  EXPECT_TRUE(f->Timer1->Enabled());
  EXPECT_EQ(f->Timer1->Tag, 0);
  EXPECT_TRUE(DeadAt(5)) << "pictures of the interrupted game stay until overdrawn";
  Tick();
  EXPECT_EQ(f->TimeValue1Label->Caption(), "199");
  EXPECT_EQ(f->HitsValue1Label->Caption(), "0");
  EXPECT_EQ(f->ScoreValue1Label->Caption(), std::to_string(B.Score));
  // The place is free again in the new game.
  SeedSpawnAt(5);
  int twitch = Tick();
  EXPECT_TRUE(B.Live(5));
  EXPECT_TRUE(LiveAt(5, twitch));
}

TEST_F(Training1, PagesCannotBeChangedDuringAGame) {
  NewGame();
  Tick();
  TTabSheet* before = f->PageControl1->ActivePage();
  TRect tab = f->PageControl1->TabRect(f->Training2Sheet->TabIndex());
  TPoint o = f->PageControl1->OriginInForm();
  if (!tab.IsEmpty()) s.Click(o.X + tab.Left + 4, o.Y + tab.Top + 4);
  TPoint next = {f->NextBtn->OriginInForm().X + 50, f->NextBtn->OriginInForm().Y + 24};
  s.Click(next.X, next.Y);
  s.Type("\r");
  s.Type("\b");
  EXPECT_EQ(f->PageControl1->ActivePage(), before);
  EXPECT_TRUE(f->Timer1->Enabled());
  for (int t = B.Clock; t < 200; ++t) Tick();
  s.Click(next.X, next.Y);
  EXPECT_EQ(f->PageControl1->ActivePage(), f->ActivatingSheet);
  s.Type("\b");
  EXPECT_EQ(f->PageControl1->ActivePage(), f->Training1Sheet);
  EXPECT_TRUE(f->SelectingGameRE->Visible()) << "coming back shows the instructions";
  EXPECT_FALSE(f->GameOverImage->Visible());
}

TEST_F(Training1, TheLoweredMalletShowsWhileAButtonIsHeldOverThePage) {
  // The instructions lie over the board until a game starts; play one out.
  NewGame();
  for (int t = 0; t < 200; ++t) Tick();
  const TPoint board = BoardAt({140, 40});  // clear of the "GameOver" picture
  const TPoint page = PageAt({20, 340});
  const TPoint exit = {f->ExitBtn->OriginInForm().X + 50, f->ExitBtn->OriginInForm().Y + 24};
  s.MoveTo(board.X, board.Y);
  EXPECT_TRUE(CursorIs(crMalet)) << "the board's own cursor";
  s.Backend().ClearRecords();
  const std::string score = f->ScoreValue1Label->Caption();

  s.Press(board.X, board.Y);
  EXPECT_EQ(Screen->Cursor(), crMaletDown);
  EXPECT_TRUE(CursorIs(crMaletDown)) << "even with no game";
  s.MoveTo(exit.X, exit.Y);
  EXPECT_TRUE(CursorIs(crMaletDown)) << "screen-wide while held";
  s.Release(exit.X, exit.Y);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_FALSE(CursorIs(crMaletDown));
  s.MoveTo(board.X, board.Y);
  EXPECT_TRUE(CursorIs(crMalet));

  s.Press(page.X, page.Y, TPButton::Right);
  EXPECT_TRUE(CursorIs(crMaletDown)) << "a press on the page lowers it too";
  s.Release(page.X, page.Y, TPButton::Right);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(f->ScoreValue1Label->Caption(), score) << "nothing else changes without a game";
  EXPECT_TRUE(s.Backend().Sounds().empty());

  // During a game too, and the release lifts it.
  NewGame();
  Tick();
  s.Press(board.X, board.Y, TPButton::Middle);
  EXPECT_TRUE(CursorIs(crMaletDown));
  s.Release(board.X, board.Y, TPButton::Middle);
  EXPECT_TRUE(CursorIs(crMalet));
}

TEST_F(Training1, ARepaintOfTheBoardRestoresTheDeadBugsOnly) {
  NewGame();
  SeedSpawnAt(0);
  Tick();
  PressBoard(Middle(0));
  SeedSpawnAt(1);
  int twitch = Tick();
  ASSERT_TRUE(LiveAt(1, twitch));
  f->Training1PaintBox->Invalidate();
  s.Process();
  EXPECT_TRUE(DeadAt(0));
  EXPECT_TRUE(Erased(1)) << "live bugs wait for the next tick";
  twitch = Tick();
  EXPECT_TRUE(LiveAt(1, twitch));
}

TEST_F(Training1, LooksRightInPlayAndAfterTheGame) {
  NewGame();
  for (int t = 0; t < 40; ++t) Tick();
  for (int i = 0; i < 9; ++i)
    if (B.Live(i)) {
      PressBoard(Middle(i));
      break;
    }
  EXPECT_GT(B.Hits, 0);
  Tick();
  EXPECT_GOLDEN(s, "training1-in-play");
  for (int t = B.Clock; t < 200; ++t) Tick();
  EXPECT_GOLDEN(s, "training1-game-over");
}

}  // namespace

// Zoomed, the board is hit at the zoomed pixels of a bug, and the window pinned during
// a game stays pinned at its place on the screen.
TEST_F(Training1, AtZoomTwoBugsAreHitWhereTheyShowAndTheWindowStaysPinned) {
  s.ZoomTo(2);
  s.Backend().SetWindowPos(150, 130);
  NewGame();
  SeedSpawnAt(7);
  Tick();
  ASSERT_TRUE(B.Live(7));
  const TPoint p = Places[7];
  PressBoard({p.X + 72, p.Y + 36});  // one past the right edge: a miss
  PressBoard({p.X + 71, p.Y + 1});   // the last pixel inside: a hit
  ExpectPanel();
  EXPECT_EQ(f->HitsValue1Label->Caption(), "1");
  EXPECT_EQ(f->MissValue1Label->Caption(), "1");
  s.Backend().SetWindowPos(400, 300);
  Tick();
  int x = -1, y = -1;
  s.Backend().GetWindowPos(x, y);
  EXPECT_EQ(x, 150);
  EXPECT_EQ(y, 130);
}
