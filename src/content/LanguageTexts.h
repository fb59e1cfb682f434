#pragma once

// The program-wide table of short texts read from lines 14 to 30 of a language's
// text file: idle prompts, the two lines of the jigsaw frame, button and label
// captions. Each entry holds at most 99 characters and a terminating zero. The table
// starts with the built-in English texts, so that a language whose text file lacks
// lines still has every caption.

constexpr int LanguageTextCount = 17;
constexpr int LanguageTextSize = 100;
// Lines of a complete language text file: 13 tab captions, then the table's entries.
constexpr int LanguageLineCount = 30;

extern char LanguageTexts[LanguageTextCount][LanguageTextSize];

// Copies text into entry index, cut to 99 characters.
void SetLanguageText(int index, const char* text);

// The built-in English text file, line 1 to 30 (index 0 to 29).
extern const char* const BuiltInEnglishLines[LanguageLineCount];

// Puts the built-in English texts into every entry, as at program start.
void ResetLanguageTexts();
