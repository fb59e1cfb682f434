#pragma once

// The RTF tokenizer and interpreter behind TRtfReader. It runs in one loop over
// the bytes (no recursion), keeps the group states on a bounded stack and caps
// everything that grows with the input, so any byte sequence ends in a document.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/rtf/RtfDocument.h"
#include "toolkit/rtf/RtfKeywords.h"
#include "toolkit/rtf/RtfPictureDecoder.h"

struct TCodePageTable;

class TRtfParser {
public:
  // Group states kept on the stack; deeper groups share the deepest state.
  static constexpr int MaxDepth = 512;
  static constexpr size_t MaxParagraphs = 200000;
  static constexpr size_t MaxTextBytes = 32u << 20;
  static constexpr size_t MaxPictureBytes = 32u << 20;
  static constexpr int64_t MaxTotalPicturePixels = 48ll << 20;

  explicit TRtfParser(std::string_view data);
  // Reads the whole input; call once.
  TRtfDocument Parse();

private:
  enum TDest : uint8_t {
    dText,    // body text
    dNoText,  // text is dropped, groups inside are still read (shapes, \upr)
    dFontTable,
    dColorTable,
    dPicture,
    dFieldInst,
    dShapeName,
    dShapePicture,  // the value of a shape's "pib" property: its picture
  };
  struct TState {
    TRtfCharFormat Char;
    TRtfParaFormat Para;
    int CodePage = 1252;
    int Font = -1;  // the \f number selected, -1 before any
    // Bytes in a symbol-charset font are symbols, not a code page: 1 the Symbol
    // font (Greek letters, bullets), 2 another symbol font (private-use area).
    uint8_t SymbolFont = 0;
    int UnicodeSkip = 1;
    TDest Dest = dText;
    bool Hidden = false;
    bool OwnsDest = false;   // this group began Dest; its end completes it
    bool OwnsField = false;  // this group is a \field
  };
  struct TFontEntry {
    int Number = 0;
    TRtfFontFamily Family = rffSans;
    int Charset = -1;
    int CodePage = 0;  // from \cpg, 0 when absent
    bool FixedPitch = false;
    bool HasFamily = false;
    std::string Name;
  };
  struct TField {
    std::string Instruction;
    uint64_t EmittedAtStart = 0;
  };
  struct TPictureData {
    TRtfPictureKind Kind = rpkNone;
    std::vector<uint8_t> Bytes;
    int HighNibble = -1;
    int PixelWidth = 0, PixelHeight = 0, GoalWidth = 0, GoalHeight = 0;
    int ScaleX = 100, ScaleY = 100;
  };

  // Tokens.
  void OpenGroup();
  void CloseGroup();
  void EndDestination(bool completed);
  void ReadControl();
  void ReadControlWord();
  void ReadControlSymbol(char c);
  void SkipBinary(int64_t count);
  void Word(std::string_view word, bool hasParam, int param);
  bool Destination(TRtfKeyword keyword);
  bool DocumentWord(TRtfKeyword keyword, bool hasParam, int param);
  bool FontTableWord(TRtfKeyword keyword, int param);
  bool CharWord(TRtfKeyword keyword, bool hasParam, int param);
  bool ParaWord(TRtfKeyword keyword, int param);
  bool TabWord(TRtfKeyword keyword, int param);
  bool BreakWord(TRtfKeyword keyword, char32_t character);
  bool PictureWord(std::string_view word, int param);
  void SkipGroup();
  bool Skipping() const { return FSkipDepth > 0; }
  // A character that is part of a \u fallback is dropped here; true when it was.
  bool ConsumeFallback();

  // Text.
  void Byte(uint8_t b);
  void TextByte(uint8_t b);
  void BodyTextByte(uint8_t b);
  void Emit(char32_t c);
  void EmitText(char32_t c);
  void EndParagraph();
  TRtfRun& CurrentRun();

  // Tables and fields.
  void CommitFont();
  void SelectFont(int number);
  int CodePageForCharset(int charset) const;
  TColor TableColor(int index) const;
  void EndField(bool completed);
  void EndPicture();

  std::string_view FData;
  size_t FPos = 0;
  int FDepth = 0;
  int FSkipDepth = 0;
  bool FDone = false;
  bool FIgnorableNext = false;  // \* seen: an unknown destination word skips its group
  int FFallbackLeft = 0;        // characters of a \u fallback still to drop
  int FLeadByte = -1;           // pending lead byte of a double-byte character
  char32_t FHighSurrogate = 0;

  TState FState;
  std::vector<TState> FStack;
  int FDocCodePage = 1252;
  int FDefaultFont = 0;

  std::vector<TFontEntry> FFonts;
  TFontEntry FFontEntry;
  bool FFontPending = false;
  std::vector<TColor> FColors;
  int FRed = 0, FGreen = 0, FBlue = 0;
  bool FColorSet = false;
  std::vector<TField> FFields;
  std::string FShapeName;
  TPictureData FPicture;
  int64_t FPicturePixels = 0;
  std::vector<int> FCellEdges;  // of the table row being read
  int FCellIndex = 0;
  TRtfTabKind FTabKind = rtkLeft;
  TRtfTabLeader FTabLeader = rtlNone;

  TRtfDocument FDoc;
  TRtfParagraph FParagraph;
  bool FFormatDirty = true;
  size_t FTextBytes = 0;
  uint64_t FEmitted = 0;
  int FFootnotes = 0;
};
