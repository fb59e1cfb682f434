// Reading and laying out page-sized rich text: the cost of showing one page file.

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "toolkit/rtf/RtfLayout.h"
#include "toolkit/rtf/RtfReader.h"

namespace {

std::string Corpus(const char* name) {
  std::ifstream in(std::string(POINTRIX_SOURCE_DIR) + "/tests/rtf/corpus/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A 20 KB page as WordPad writes it: paragraphs of mixed formatting, bullets and
// accented text in the font's code page.
std::string WordPadPage() {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}{\\f1\\fnil\\fcharset2 "
      "Symbol;}}{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green112\\blue192;}\\viewkind4\\uc1 ";
  for (int i = 0; rtf.size() < 20000; ++i) {
    rtf += "\\pard\\sa200\\sl276\\slmult1\\b\\fs28 Lesson " + std::to_string(i) + "\\b0\\fs22\\par ";
    rtf +=
        "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 Point at "
        "the \\cf1 red\\cf0  circle and click \\i once\\i0 .\\par ";
    rtf +=
        "\\pard\\qj The mouse lets you work without remembering keyboard commands. Each program runs in its own "
        "window, and you move between windows by clicking them. Don\\rquote t worry \\endash  caf\\'e9 "
        "\\u8364\\'80 it\\rquote s new for everyone.\\par ";
  }
  return rtf + "}";
}

void ReadAndLayout(benchmark::State& state, const std::string& rtf) {
  const int width = 600;
  {  // Warm the font engine's faces and glyph caches, as a running program has them.
    TRtfDocument doc = TRtfReader::Read(rtf);
    TRtfLayout layout;
    layout.Layout(doc, width);
  }
  for (auto _ : state) {
    TRtfDocument doc = TRtfReader::Read(rtf);
    TRtfLayout layout;
    layout.Layout(doc, width);
    benchmark::DoNotOptimize(layout.Height());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtf.size()));
  state.counters["bytes"] = double(rtf.size());
}

void BM_WordPadPage(benchmark::State& state) {
  ReadAndLayout(state, WordPadPage());
}
void BM_LibreOfficePage(benchmark::State& state) {
  ReadAndLayout(state, Corpus("lodocx-04-the-pointer.rtf"));
}
void BM_PandocCourse65K(benchmark::State& state) {
  ReadAndLayout(state, Corpus("pandoc-22-full-course.rtf"));
}

void BM_ReadOnly(benchmark::State& state) {
  std::string rtf = WordPadPage();
  for (auto _ : state) benchmark::DoNotOptimize(TRtfReader::Read(rtf).Paragraphs.size());
}

}  // namespace

BENCHMARK(BM_WordPadPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibreOfficePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PandocCourse65K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
