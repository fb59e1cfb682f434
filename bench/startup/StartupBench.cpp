// LoadLanguage for the English folder (target: under 20 ms) and the whole start-up
// of the main window up to its first presented frame, on the headless backend.

#include <benchmark/benchmark.h>

#include <memory>

#include "support/Scenario.h"

namespace {

using testsupport::TScenario;

// Loads every page file and the text file of the English folder into a running window.
void BM_LoadLanguageEnglish(benchmark::State& state) {
  TScenario s;
  if (!s.Start()) {
    state.SkipWithError("start-up failed");
    return;
  }
  for (auto _ : state) s.Form().LoadLanguage("English");
}
BENCHMARK(BM_LoadLanguageEnglish)->Unit(benchmark::kMillisecond);

// From creating the window (layout, FormCreate, language list, both language loads)
// to the first frame presented. Preparing the program folder and closing the window
// are not timed.
void BM_StartupToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<TScenario>();
    state.ResumeTiming();
    bool started = s->Start();
    state.PauseTiming();
    if (!started || s->Backend().PresentCount() == 0) {
      state.SkipWithError("no first frame");
      break;
    }
    s.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
