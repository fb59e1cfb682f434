#include "content/LanguageTexts.h"

#include <cstring>

char LanguageTexts[LanguageTextCount][LanguageTextSize] = {};

void SetLanguageText(int index, const char* text) {
  if (index < 0 || index >= LanguageTextCount) return;
  std::strncpy(LanguageTexts[index], text, LanguageTextSize - 1);
  LanguageTexts[index][LanguageTextSize - 1] = '\0';
}
