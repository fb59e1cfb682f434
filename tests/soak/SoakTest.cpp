// Random play on the real main window for a given number of virtual hours. A seeded
// driver sends plausible input (pointer moves, presses, releases, clicks, double-clicks,
// drags, the wheel, keys other than Esc, tab and language clicks, the game buttons) over
// all pages and the three games, advancing the virtual clock between steps, and checks
// after every step what must always hold:
//   - no exception reached the application's exception box;
//   - Training 1: hits + escaped bugs never exceed the bugs that appeared;
//   - Training 2: never more than sixteen hits;
//   - Training 3: the placed count equals the pieces standing on their places, and
//     after each drag the surface shows what a full repaint shows;
//   - the registry file parses and holds the language selected in the list.
//
// POINTRIX_SOAK_SEED and POINTRIX_SOAK_HOURS choose the run (defaults: a fixed seed,
// one virtual hour); the run is deterministic for a seed, so a failure replays exactly.
// The work per run is bounded by the virtual time, never by a wall clock.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/TMainForm.h"
#include "controls/TFancyButton.h"
#include "games/GameRules.h"
#include "games/Random.h"
#include "platform/Files.h"
#include "platform/posix/FileRegistryFormat.h"
#include "scenario/ShellHelpers.h"
#include "sprites/TSprite.h"
#include "sprites/TSprites.h"
#include "support/Scenario.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TPaintBox.h"
#include "toolkit/stdctrls/TTabSheet.h"

using platform::TPButton;
using testsupport::TScenario;

namespace {

namespace fs = std::filesystem;

constexpr uint64_t DefaultSeed = 20260119;
constexpr uint32_t MsPerHour = 3600u * 1000u;
// Keys a user may press; Esc (which ends the program) is left out on purpose.
constexpr uint32_t Keys[] = {13, 8, 'N', 'A', 'Z', '1', ' ', 9, 37, 38, 39, 40, 33, 34, 36, 35, 46, 112, 16, 17};

uint64_t EnvNumber(const char* name, uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

class TSoak {
public:
  TSoak(uint64_t seed) : FSeed(seed), FRng(seed) {}

  // Runs until hours of virtual time have passed; false (with Failure set) at the first
  // broken invariant.
  bool Run(double hours) {
    // Two more languages beside English, so that a language click changes something.
    for (const std::string name : {"Deutsch", "Nederlands"}) {
      const fs::path folder = fs::path(s.ProgramDir()) / name;
      fs::copy(fs::path(s.ProgramDir()) / "English", folder, fs::copy_options::recursive);
      fs::rename(folder / "English.txt", folder / (name + ".txt"));
    }
    Screen->SetCursor(crDefault);
    if (!s.Start()) return Fail("start-up failed: " + Messages());
    f = &s.Form();
    RandSeed = uint32_t(FSeed);
    const uint64_t budget = uint64_t(hours * MsPerHour);
    while (FElapsed < budget) {
      ++FSteps;
      s.Backend().ClearRecords();
      try {
        Step();
      } catch (const std::exception& error) {
        return Fail(std::string("exception escaped: ") + error.what());
      }
      if (!Check()) return false;
    }
    Screen->SetCursor(crDefault);
    return true;
  }

  uint64_t Steps() const { return FSteps; }
  uint64_t Drags() const { return FDrags; }
  uint64_t Elapsed() const { return FElapsed; }
  const std::string& Failure() const { return FFailure; }
  const std::vector<int>& PageVisits() const { return FPageVisits; }
  const std::vector<int>& Games() const { return FGames; }

private:
  int Pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(FRng)); }
  bool Chance(int percent) { return Pick(100) < percent; }
  TPoint Near(TPoint p, int spread) {
    return {p.X + Pick(2 * spread + 1) - spread, p.Y + Pick(2 * spread + 1) - spread};
  }

  bool Fail(const std::string& why) {
    std::ostringstream out;
    out << "step " << FSteps << " (virtual " << FElapsed / 1000 << " s, page " << PageIndex() << "): " << why
        << "\nlast actions:" << FTrace;
    FFailure = out.str();
    return false;
  }
  std::string Messages() {
    std::string text;
    for (const auto& m : s.Backend().Messages()) text += "[" + m.Caption + "] " + m.Text + " ";
    return text;
  }
  int PageIndex() const {
    if (!f) return -1;
    for (int i = 0; i < f->PageControl1->PageCount(); ++i)
      if (f->PageControl1->Pages(i) == f->PageControl1->ActivePage()) return i;
    return -1;
  }

  // A point of the window away from the Exit button (which would end the program).
  TPoint RandomPoint() {
    TPoint e = f->ExitBtn->OriginInForm();
    for (;;) {
      TPoint p{Pick(f->ClientWidth()), Pick(f->ClientHeight())};
      if (p.X < e.X - 2 || p.X > e.X + f->ExitBtn->Width() + 2 || p.Y < e.Y - 2 || p.Y > e.Y + f->ExitBtn->Height() + 2)
        return p;
    }
  }
  TPoint Centre(const TControl* c) { return shelltest::CentreInForm(c); }
  TPoint Within(const TControl* c) {
    TPoint o = c->OriginInForm();
    return {o.X + Pick(std::max(1, c->Width())), o.Y + Pick(std::max(1, c->Height()))};
  }

  // One action of the user, then some time passes.
  // Notes an action for the failure message (the last few steps' actions are kept).
  void Trace(const std::string& what) {
    FTrace += "\n  " + std::to_string(FSteps) + ": " + what;
    if (FTrace.size() > 4000) FTrace.erase(0, FTrace.find('\n', FTrace.size() - 3000));
  }
  static std::string At(TPoint p) { return " at " + std::to_string(p.X) + "," + std::to_string(p.Y); }

  void Step() {
    FT1Before = f->Timer1->Tag;
    TTabSheet* page = f->PageControl1->ActivePage();
    const int roll = Pick(100);
    if (roll < 6) {
      // A tab, with the game pages more often than the others.
      int index = Chance(40) ? (Pick(3) == 0 ? 6 : Pick(2) == 0 ? 8 : 10) : Pick(f->PageControl1->PageCount());
      Trace("tab " + std::to_string(index));
      shelltest::ClickTab(s, f->PageControl1, index);
    } else if (roll < 12) {
      static constexpr const char* Text[] = {"\r", "\b"};
      if (Chance(70)) {
        const char* text = Text[Pick(2)];
        Trace(text[0] == '\r' ? "Enter" : "Backspace");
        s.Type(text);
      } else {
        uint32_t key = Keys[size_t(Pick(int(std::size(Keys))))];
        Trace("key " + std::to_string(key));
        s.Key(key);
      }
    } else if (roll < 20) {
      TPoint p = RandomPoint();
      Trace("move" + At(p));
      s.MoveTo(p.X, p.Y);
    } else if (roll < 26) {
      TPoint p = RandomPoint();
      TPButton button = Chance(80) ? TPButton::Left : Chance(50) ? TPButton::Right : TPButton::Middle;
      Trace("button " + std::to_string(int(button)) + At(p));
      if (Chance(50)) {
        s.Click(p.X, p.Y, button);
      } else {
        // A press and a release apart, perhaps somewhere else.
        s.Press(p.X, p.Y, button);
        Advance(uint32_t(Pick(400)));
        TPoint q = Chance(50) ? p : RandomPoint();
        Trace("release" + At(q));
        s.Release(q.X, q.Y, button);
      }
    } else if (roll < 29) {
      TPoint p = RandomPoint();
      Trace("wheel" + At(p));
      s.Backend().Wheel(Pick(7) - 3, p.X, p.Y);
      s.Process();
    } else if (roll < 33) {
      TPoint p = RandomPoint();
      Trace("double-click" + At(p));
      s.DoubleClick(p.X, p.Y);
    } else if (roll < 40) {
      ClickButton();
    } else if (page == f->ConfigSheet && roll < 55) {
      Trace("language click");
      shelltest::ClickItem(s, f->LanguageList, Pick(f->LanguageList->Items()->Count()));
    } else if (page == f->Training1Sheet) {
      PlayTraining1();
    } else if (page == f->Training2Sheet) {
      PlayTraining2();
    } else if (page == f->Training3Sheet) {
      PlayTraining3();
    } else {
      s.Click(Within(f->NextBtn).X, Within(f->NextBtn).Y);
    }
    NoteGameStart();
    Advance(uint32_t(Chance(3) ? 1000 + Pick(20000) : 20 + Pick(600)));
  }

  void ClickButton() {
    TFancyButton* buttons[] = {f->BackBtn, f->NextBtn, f->New1Btn, f->New2Btn, f->New3Btn, f->ResetBtn};
    TFancyButton* b = buttons[Pick(int(std::size(buttons)))];
    TPoint p = Within(b);
    Trace("click button " + b->Name() + At(p));
    s.Click(p.X, p.Y);
  }

  void PlayTraining1() {
    if (f->ActiveGame != 1 && Chance(30)) {
      TPoint p = Centre(f->New1Btn);
      s.Click(p.X, p.Y);
      return;
    }
    TPoint o = f->Training1PaintBox->OriginInForm();
    TPoint place = BugPositions[size_t(Pick(9))];
    TPoint p = Near({o.X + place.X + 36, o.Y + place.Y + 36}, 45);
    Trace("hit" + At(p));
    s.Click(p.X, p.Y, Chance(90) ? TPButton::Left : TPButton::Right);
  }

  void PlayTraining2() {
    if (f->ActiveGame != 2 && Chance(30)) {
      TPoint p = Centre(f->New2Btn);
      s.Click(p.X, p.Y);
      return;
    }
    TImage* box = f->DblClkImages[size_t(Pick(16))];
    TPoint p = Near(Centre(box), 12);
    const int how = Pick(10);
    Trace("box " + std::to_string(how) + At(p));
    if (how < 6) {
      s.DoubleClick(p.X, p.Y);
    } else if (how < 8) {
      s.Click(p.X, p.Y);
    } else {
      // Two presses too slow or too far apart for a double-click.
      s.Click(p.X, p.Y);
      Advance(uint32_t(300 + Pick(600)));
      TPoint q = Near(p, 6);
      s.Click(q.X, q.Y);
    }
  }

  void PlayTraining3() {
    if (f->ActiveGame != 3 && Chance(30)) {
      TPoint p = Centre(f->New3Btn);
      s.Click(p.X, p.Y);
      return;
    }
    const bool inGame = f->ActiveGame == 3;
    const int index = Pick(9);
    TSprite* piece = f->Sprites1->GetSprite(index);
    TPoint o = f->Sprites1->OriginInForm();
    TPoint from = Chance(85) ? Near(Centre(piece), 20) : Within(f->Sprites1);
    TPoint target = PieceTarget(index);
    TPoint to = Chance(60) ? Near({o.X + target.X + piece->Width() / 2, o.Y + target.Y + piece->Height() / 2}, 50)
                           : Within(f->Sprites1);
    Trace("drag piece " + std::to_string(index) + " from" + At(from) + " to" + At(to) +
          (inGame ? " in a game, placed " + std::to_string(f->PlacedCount) : ""));
    s.Press(from.X, from.Y);
    const int moves = 1 + Pick(6);
    for (int k = 1; k <= moves; ++k) {
      s.MoveTo(from.X + (to.X - from.X) * k / moves, from.Y + (to.Y - from.Y) * k / moves);
      if (Chance(20)) Advance(uint32_t(Pick(200)));
    }
    s.Release(to.X, to.Y);
    ++FDrags;
    if (inGame && f->PageControl1->ActivePage() == f->Training3Sheet) FCheckSurface = true;
  }

  void Advance(uint32_t ms) {
    if (ms > 0) Trace("wait " + std::to_string(ms) + " ms");
    s.Advance(ms);
    FElapsed += ms;
  }

  // A game that started in this step: its counters start afresh. The action comes
  // before the time of a step, so a new Training 1 game has not ticked yet.
  void NoteGameStart() {
    if (f->ActiveGame == 1 && f->Timer1->Tag == 0) {
      if (FLastGame != 1 || FT1Before != 0) ++FGames[0];
      FLastGame = 1;
      FSpawned = 0;
    }
    if (f->ActiveGame == 2 && f->Timer2->Tag == 0) {
      if (FLastGame != 2) ++FGames[1];
      FLastGame = 2;
    }
    if (f->ActiveGame == 3 && FLastGame != 3) {
      FLastGame = 3;
      ++FGames[2];
    }
  }

  bool Check() {
    if (!s.Backend().Messages().empty()) return Fail("the program showed a message: " + Messages());
    if (!s.Backend().IsOpen()) return Fail("the window closed");
    const int page = PageIndex();
    if (page >= 0) ++FPageVisits[size_t(page)];

    for (const std::string& sound : s.Backend().Sounds())
      if (sound == "bugsound") ++FSpawned;
    if (FLastGame == 1 && f->Hits + f->Escaped > FSpawned)
      return Fail("Training 1: " + std::to_string(f->Hits) + " hits + " + std::to_string(f->Escaped) +
                  " escaped, but only " + std::to_string(FSpawned) + " bugs appeared");
    if (FLastGame == 2 && (f->Hits > 16 || f->Hits < 0))
      return Fail("Training 2: " + std::to_string(f->Hits) + " hits of 16 boxes");
    if (f->ActiveGame == 3) {
      int placed = 0;
      for (int i = 0; i < 9; ++i) {
        TSprite* piece = f->Sprites1->GetSprite(i);
        TPoint t = PieceTarget(i);
        if (piece->Shown() && piece->Left() == t.X && piece->Top() == t.Y) ++placed;
      }
      if (placed != f->PlacedCount) {
        std::string where;
        for (int i = 0; i < 9; ++i) {
          TSprite* piece = f->Sprites1->GetSprite(i);
          where += " " + std::to_string(i) + (piece->Shown() ? "" : "(hidden)") + "@" + std::to_string(piece->Left()) +
                   "," + std::to_string(piece->Top());
        }
        return Fail("Training 3: placed count " + std::to_string(f->PlacedCount) + " but " + std::to_string(placed) +
                    " pieces on their places; pieces:" + where);
      }
    }
    if (FCheckSurface && !SurfaceIsRepaint()) return false;
    FCheckSurface = false;
    return CheckRegistry();
  }

  std::vector<uint32_t> SurfacePixels() {
    TPoint o = f->Sprites1->OriginInForm();
    std::vector<uint32_t> pixels;
    pixels.reserve(size_t(f->Sprites1->Width() * f->Sprites1->Height()));
    for (int y = 0; y < f->Sprites1->Height(); ++y)
      for (int x = 0; x < f->Sprites1->Width(); ++x) pixels.push_back(s.Backend().PixelAt(o.X + x, o.Y + y));
    return pixels;
  }
  // While a game runs no timer draws on the surface, so the time of the step changes
  // nothing on it; once the picture is complete its flashing band (drawn by a timer
  // only) is no part of a repaint, and the check ends with the game.
  bool SurfaceIsRepaint() {
    if (f->ActiveGame != 3) return true;
    s.Process();
    std::vector<uint32_t> before = SurfacePixels();
    f->Sprites1->Invalidate();
    s.Process();
    std::vector<uint32_t> after = SurfacePixels();
    const int w = f->Sprites1->Width();
    for (size_t k = 0; k < before.size(); ++k)
      if (before[k] != after[k]) {
        std::ostringstream out;
        out << "Training 3: after a drag, surface pixel (" << int(k) % w << ", " << int(k) / w << ") is " << std::hex
            << before[k] << ", a full repaint draws " << after[k];
        return Fail(out.str());
      }
    return true;
  }

  bool CheckRegistry() {
    std::string text;
    const std::string path = s.RegistryDir() + "/HKEY_CURRENT_USER.reg";
    if (!platform::ReadWholeFile(path, text)) return Fail("the registry file cannot be read");
    platform::TRegKey root;
    std::string error;
    if (!platform::ParseRegFile(text, "HKEY_CURRENT_USER", root, error))
      return Fail("the registry file does not parse: " + error);
    platform::TRegKey* key = root.Find(platform::TRegPath{"Software", "Quillaby Software", "Pointrix"});
    const platform::TRegValue* value = key ? key->FindValue("Language") : nullptr;
    const int index = f->LanguageList->ItemIndex();
    if (index < 0) return true;
    const std::string selected = f->LanguageList->Items()->Strings(index);
    std::string stored = value ? value->Data : "<none>";
    while (!stored.empty() && stored.back() == '\0') stored.pop_back();
    if (stored != selected)
      return Fail("the registry holds language '" + stored + "', the list shows '" + selected + "'");
    return true;
  }

  uint64_t FSeed;
  std::mt19937_64 FRng;
  TScenario s;
  TMainForm* f = nullptr;
  uint64_t FSteps = 0, FDrags = 0, FElapsed = 0;
  std::string FFailure, FTrace;
  intptr_t FT1Before = 0;
  int FLastGame = 0;
  int FSpawned = 0;
  bool FCheckSurface = false;
  std::vector<int> FPageVisits = std::vector<int>(13);
  std::vector<int> FGames = std::vector<int>(3);
};

TEST(Soak, RandomPlayKeepsEveryInvariant) {
  const uint64_t seed = EnvNumber("POINTRIX_SOAK_SEED", DefaultSeed);
  const char* hoursText = std::getenv("POINTRIX_SOAK_HOURS");
  const double hours = hoursText && *hoursText ? std::strtod(hoursText, nullptr) : 1.0;
  TSoak soak(seed);
  const auto started = std::chrono::steady_clock::now();
  const bool ok = soak.Run(hours);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("soak: seed %llu, %.2f virtual hours, %llu steps, %llu drags, %.1f s wall, %.0f steps/s\n",
              (unsigned long long)seed, double(soak.Elapsed()) / MsPerHour, (unsigned long long)soak.Steps(),
              (unsigned long long)soak.Drags(), wall, wall > 0 ? double(soak.Steps()) / wall : 0.0);
  std::printf("soak: games started: Training 1 %d, Training 2 %d, Training 3 %d; steps per page:", soak.Games()[0],
              soak.Games()[1], soak.Games()[2]);
  for (int n : soak.PageVisits()) std::printf(" %d", n);
  std::printf("\n");
  ASSERT_TRUE(ok) << "seed " << seed << ": " << soak.Failure() << "\nreplay: POINTRIX_SOAK_SEED=" << seed
                  << " POINTRIX_SOAK_HOURS=" << hours << " " << POINTRIX_BINARY_DIR
                  << "/tests/soak/test_soak --gtest_filter=Soak.*";
  // Random play that never reached a page or a game has proved nothing about it.
  for (int i = 0; i < 13; ++i) EXPECT_GT(soak.PageVisits()[size_t(i)], 0) << "page " << i << " never visited";
  if (hours >= 1.0) {
    for (int g = 0; g < 3; ++g) EXPECT_GT(soak.Games()[size_t(g)], 0) << "Training " << g + 1 << " never played";
  }
}

}  // namespace
