// The cost of one clock tick of Training 1 and of Training 2 on the real main
// window over the headless backend: the timer's handler, the painting it causes
// and presenting the changed areas, as the message loop does them.

#include <benchmark/benchmark.h>

#include "games/Random.h"
#include "support/Scenario.h"
#include "support/VirtualTime.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

namespace {

// Walks to a page with Enter and starts its game with N.
void StartGame(testsupport::TScenario& s, TTabSheet* page) {
  for (int i = 0; i < 13 && s.Form().PageControl1->ActivePage() != page; ++i) s.Type("\r");
  RandSeed = 1234;
  s.Type("n");
}

void BM_Training1Tick(benchmark::State& state) {
  testsupport::TScenario s;
  if (!s.Start()) {
    state.SkipWithError("start-up failed");
    return;
  }
  TMainForm& f = s.Form();
  StartGame(s, f.Training1Sheet);
  for (auto _ : state) {
    AdvanceTime(f.Timer1->Interval());                  // exactly one tick
    if (!f.Timer1->Enabled()) f.New1BtnClick(nullptr);  // time out after 200 ticks: play on
  }
  state.counters["presents"] = s.Backend().PresentCount();
}
BENCHMARK(BM_Training1Tick)->Unit(benchmark::kMicrosecond);

void BM_Training2Tick(benchmark::State& state) {
  testsupport::TScenario s;
  if (!s.Start()) {
    state.SkipWithError("start-up failed");
    return;
  }
  TMainForm& f = s.Form();
  StartGame(s, f.Training2Sheet);
  for (auto _ : state) AdvanceTime(f.Timer2->Period());  // exactly one tick
  state.counters["ticks"] = double(f.Timer2->Tag);
}
BENCHMARK(BM_Training2Tick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
