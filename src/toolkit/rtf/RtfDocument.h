#pragma once

// The document model the RTF reader produces and the rich-text layout draws:
// paragraphs of styled runs, plus the decoded pictures they refer to. Lengths are
// in twips (1/20 point) as rich text writes them; font sizes in half-points.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/Types.h"

enum TRtfFontFamily : uint8_t { rffSans, rffSerif, rffMono };
enum TRtfVertical : uint8_t { rvBaseline, rvSuper, rvSub };

struct TRtfCharFormat {
  TRtfFontFamily Family = rffSans;
  uint8_t Charset = 0;  // the font's \fcharset (0 = ANSI)
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strike = false;
  TRtfVertical Vertical = rvBaseline;
  int Size = 24;              // half-points
  TColor Color = clDefault;   // clDefault: the control's text colour
  TColor Highlight = clNone;  // clNone: no background
  friend bool operator==(const TRtfCharFormat&, const TRtfCharFormat&) = default;
};

// A stretch of text in one format, or one picture.
struct TRtfRun {
  TRtfCharFormat Format;
  // UTF-8. A TAB is a tab, a LF a line break inside the paragraph.
  std::string Text;
  int Picture = -1;  // index into TRtfDocument::Pictures; Text is empty then
};

enum TRtfAlignment : uint8_t { raLeft, raCenter, raRight, raJustify };
enum TRtfTabKind : uint8_t { rtkLeft, rtkCenter, rtkRight, rtkDecimal };
enum TRtfTabLeader : uint8_t { rtlNone, rtlDots, rtlHyphens, rtlUnderline, rtlThick, rtlEquals };

struct TRtfTabStop {
  int Position = 0;  // from the left indent's origin (the page margin), twips
  TRtfTabKind Kind = rtkLeft;
  TRtfTabLeader Leader = rtlNone;
  friend bool operator==(const TRtfTabStop&, const TRtfTabStop&) = default;
};

struct TRtfParaFormat {
  TRtfAlignment Alignment = raLeft;
  int LeftIndent = 0;
  int RightIndent = 0;
  int FirstIndent = 0;  // first line, relative to LeftIndent (negative: hanging)
  int SpaceBefore = 0;
  int SpaceAfter = 0;
  // 0: single. With LineSpacingMultiple, LineSpacing / 240 lines; else at least
  // LineSpacing twips when positive, exactly -LineSpacing twips when negative.
  int LineSpacing = 0;
  bool LineSpacingMultiple = false;
  bool InTable = false;
  std::vector<TRtfTabStop> Tabs;  // ascending positions
};

struct TRtfParagraph {
  TRtfParaFormat Format;
  std::vector<TRtfRun> Runs;
  // In a table: the cell this paragraph ends (-1 when it does not end one), the
  // right edges of the row's cells (twips), and whether it ends the row.
  int Cell = -1;
  std::vector<int> CellEdges;
  bool RowEnd = false;
};

// A decoded picture: Width x Height pixels 0xAARRGGBB, row by row from the top,
// shown at GoalWidth x GoalHeight twips.
struct TRtfPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  int GoalWidth = 0;
  int GoalHeight = 0;
};

class TRtfDocument {
public:
  std::vector<TRtfParagraph> Paragraphs;
  std::vector<TRtfPicture> Pictures;
  int DefaultTab = 720;  // twips between default tab stops
  // Read from plain text rather than rich text: it carries no fonts of its own, and
  // a control shows it in its own font.
  bool PlainSource = false;

  // The text as UTF-8: each paragraph followed by a LF, line breaks as LF, tabs as
  // TAB; pictures give nothing.
  std::string PlainText() const;
};
