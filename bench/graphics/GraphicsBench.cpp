// Drawing speed of the operations the games lean on: caption text, the sprite
// engine's 300 x 136 rectangle copies and transparent picture draws.

#include <benchmark/benchmark.h>

#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"

namespace {

// A framebuffer the size of the main window's client area.
struct TScreen {
  TBitmap Frame;
  TScreen() {
    Frame.SetSize(632, 453);
    Frame.Canvas().Brush().Color = TColor(0xE1C8C8);
    Frame.Canvas().FillRect(Rect(0, 0, 632, 453));
  }
};

void BM_TextOut(benchmark::State& state) {
  TScreen screen;
  TCanvas& c = screen.Frame.Canvas();
  c.Font().SetHeight(int(-state.range(0)));
  c.Brush().Style = bsClear;
  for (auto _ : state) c.TextOut(10, 10, "Hit the bugs as fast as you can!");  // 32 characters
  state.SetItemsProcessed(state.iterations() * 32);
}
BENCHMARK(BM_TextOut)->Arg(11)->Arg(21);

void BM_DrawTextWordBreak(benchmark::State& state) {
  TScreen screen;
  TCanvas& c = screen.Frame.Canvas();
  c.Brush().Style = bsClear;
  const std::string text =
      "Move the mouse over the picture and press the left button when a bug shows up. "
      "Every bug you hit counts, and the faster you are the more points you get.";
  for (auto _ : state) {
    TRect r = Rect(20, 20, 320, 200);
    c.DrawText(text, r, DT_WORDBREAK | DT_CENTER);
  }
}
BENCHMARK(BM_DrawTextWordBreak);

void BM_CopyRectFromScreen(benchmark::State& state) {
  TScreen screen;
  TBitmap buffer;
  buffer.SetSize(300, 136);
  for (auto _ : state) {
    buffer.Canvas().CopyRect(Rect(0, 0, 300, 136), screen.Frame.Canvas(), Rect(150, 110, 450, 246));
    screen.Frame.Canvas().CopyRect(Rect(150, 110, 450, 246), buffer.Canvas(), Rect(0, 0, 300, 136));
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_CopyRectFromScreen);

void BM_CopyRectOverlapping(benchmark::State& state) {
  TScreen screen;
  TCanvas& c = screen.Frame.Canvas();
  for (auto _ : state) c.CopyRect(Rect(151, 111, 451, 247), c, Rect(150, 110, 450, 246));
}
BENCHMARK(BM_CopyRectOverlapping);

void BM_DrawTransparent(benchmark::State& state) {
  TScreen screen;
  TBitmap sprite;
  sprite.SetSize(300, 136);
  sprite.Canvas().Brush().Color = clRed;
  sprite.Canvas().FillRect(Rect(0, 0, 300, 136));
  sprite.Canvas().Brush().Color = clBlue;
  sprite.Canvas().Ellipse(Rect(0, 0, 300, 136));
  sprite.Transparent = true;
  for (auto _ : state) screen.Frame.Canvas().Draw(150, 110, sprite);
}
BENCHMARK(BM_DrawTransparent);

}  // namespace

BENCHMARK_MAIN();
