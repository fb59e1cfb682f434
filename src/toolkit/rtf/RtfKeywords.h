#pragma once

// The control words the RTF reader acts on. Every other word is unknown and is
// skipped (a destination group introduced by \* and an unknown word is skipped
// whole).

#include <cstdint>
#include <string_view>

enum TRtfKeyword : uint8_t {
  rkUnknown,
  // Document
  rkAnsi,
  rkMac,
  rkPc,
  rkPca,
  rkAnsiCpg,
  rkDeff,
  rkDefTab,
  rkUc,
  rkU,
  rkBin,
  // Destinations read specially
  rkFontTable,
  rkColorTable,
  rkPict,
  rkField,
  rkFieldInst,
  rkFieldResult,
  rkShapeInst,
  rkShapeName,
  rkShapeValue,
  rkShapeResult,
  rkUpr,
  rkUd,
  rkShapePict,
  // Destinations whose text is shown like body text
  rkShownDestination,
  // Destinations that are skipped whole (header, info, footnote, ...)
  rkSkippedDestination,
  // Font table entries
  rkFont,
  rkFontRoman,
  rkFontSwiss,
  rkFontModern,
  rkFontOther,
  rkFontCharset,
  rkFontCodePage,
  rkFontPitch,
  // Colour table
  rkRed,
  rkGreen,
  rkBlue,
  // Character format
  rkPlain,
  rkBold,
  rkItalic,
  rkUnderline,
  rkUnderlineNone,
  rkStrike,
  rkHidden,
  rkFontSize,
  rkColor,
  rkHighlight,
  rkSuper,
  rkSub,
  rkNoSuperSub,
  // Paragraph format
  rkPard,
  rkAlignLeft,
  rkAlignCenter,
  rkAlignRight,
  rkAlignJustify,
  rkLeftIndent,
  rkRightIndent,
  rkFirstIndent,
  rkSpaceBefore,
  rkSpaceAfter,
  rkLineSpacing,
  rkLineMultiple,
  rkTabPosition,
  rkBarTab,
  rkTabCenter,
  rkTabRight,
  rkTabDecimal,
  rkLeaderDots,
  rkLeaderHyphens,
  rkLeaderUnderline,
  rkLeaderThick,
  rkLeaderEquals,
  rkInTable,
  // Breaks and special characters
  rkPar,
  rkLine,
  rkTab,
  rkCell,
  rkRow,
  rkRowDefaults,
  rkCellEdge,
  rkSect,
  rkPage,
  rkFootnoteNumber,
  rkCharacter,
};

struct TRtfKeywordInfo {
  TRtfKeyword Keyword = rkUnknown;
  char32_t Character = 0;  // for rkCharacter: the character the word stands for
};

// Looks a control word (letters only, without the backslash) up.
TRtfKeywordInfo LookupRtfKeyword(std::string_view word);
