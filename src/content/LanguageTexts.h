#pragma once

// The program-wide table of short texts read from lines 14 to 30 of a language's
// text file: idle prompts, the two lines of the jigsaw frame, button and label
// captions. Each entry holds at most 99 characters and a terminating zero; the
// table is empty at program start.

constexpr int LanguageTextCount = 17;
constexpr int LanguageTextSize = 100;

extern char LanguageTexts[LanguageTextCount][LanguageTextSize];

// Copies text into entry index, cut to 99 characters.
void SetLanguageText(int index, const char* text);
