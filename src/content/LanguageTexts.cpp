#include "content/LanguageTexts.h"

#include <cstring>

const char* const BuiltInEnglishLines[LanguageLineCount] = {
    "Configure",
    "Intro",
    "Overview",
    "Holding",
    "Usage",
    "Selecting",
    "Training 1",
    "Activating",
    "Training 2",
    "Moving",
    "Training 3",
    "Outro",
    "About",
    "Press the Enter key to continue.",
    "Hit the bugs! Click on them quickly.",
    "Double-click the boxes to make flowers.",
    "Drag the pieces into the frame.",
    "Drop each piece where it fits.",
    "Back",
    "Next",
    "Exit",
    "New game",
    "Reset",
    "Time:",
    "Level:",
    "Hits:",
    "Misses:",
    "Escaped:",
    "Score:",
    "Well done!",
};

namespace {

constexpr int FirstTableLine = LanguageLineCount - LanguageTextCount;

struct TBuiltInTable {
  TBuiltInTable() { ResetLanguageTexts(); }
};

}  // namespace

char LanguageTexts[LanguageTextCount][LanguageTextSize] = {};

void SetLanguageText(int index, const char* text) {
  if (index < 0 || index >= LanguageTextCount) return;
  std::strncpy(LanguageTexts[index], text, LanguageTextSize - 1);
  LanguageTexts[index][LanguageTextSize - 1] = '\0';
}

void ResetLanguageTexts() {
  for (int i = 0; i < LanguageTextCount; ++i) SetLanguageText(i, BuiltInEnglishLines[FirstTableLine + i]);
}

// Fills the table before main runs; LanguageTexts is zero-initialised before any
// dynamic initialisation, so the order of initialisation does not matter.
static TBuiltInTable gBuiltInTable;
