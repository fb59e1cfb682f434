#include "toolkit/rtf/RtfParser.h"

#include <algorithm>
#include <utility>

#include "platform/Utf8.h"
#include "toolkit/rtf/RtfCodePages.h"

// Tokens, groups and text. The control words are interpreted in RtfParserWords.cpp.

namespace {

using platform::AppendUtf8;

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The Symbol font's letters are Greek, and a few of its other characters are
// common in lists and instructions; the rest go to the private-use area where the
// platform puts symbol fonts.
char32_t SymbolFontChar(uint8_t b) {
  static constexpr char16_t GreekLower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
  static constexpr char16_t GreekUpper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
  if (b >= 'a' && b <= 'z') return GreekLower[b - 'a'];
  if (b >= 'A' && b <= 'Z') return GreekUpper[b - 'A'];
  switch (b) {
    case 0xB7:
      return 0x2022;  // bullet
    case 0xA5:
      return 0x221E;
    case 0xAC:
      return 0x2190;
    case 0xAD:
      return 0x2191;
    case 0xAE:
      return 0x2192;
    case 0xAF:
      return 0x2193;
    case 0xB0:
      return 0x00B0;
    case 0xB1:
      return 0x00B1;
    case 0xB4:
      return 0x00D7;
    case 0xB8:
      return 0x00F7;
    case 0xD2:
      return 0x00AE;
    case 0xD3:
      return 0x00A9;
    case 0xD4:
      return 0x2122;
    default:
      break;
  }
  if (b >= 0x20 && b < 0x80) return b;
  return 0xF000 + b;
}

}  // namespace

TRtfParser::TRtfParser(std::string_view data) : FData(data) {}

TRtfDocument TRtfParser::Parse() {
  FStack.reserve(32);
  while (FPos < FData.size() && !FDone) {
    char c = FData[FPos++];
    switch (c) {
      case '{':
        OpenGroup();
        break;
      case '}':
        CloseGroup();
        break;
      case '\\':
        ReadControl();
        break;
      case '\r':
      case '\n':
        break;
      default:
        Byte(uint8_t(c));
        break;
    }
    if (FDoc.Paragraphs.size() >= MaxParagraphs || FTextBytes >= MaxTextBytes) break;
  }
  // A file that ends early (missing closing braces) keeps what it has shown.
  if (!FParagraph.Runs.empty()) EndParagraph();
  return std::move(FDoc);
}

// ---- Groups ----

void TRtfParser::OpenGroup() {
  FIgnorableNext = false;
  FLeadByte = -1;
  FFallbackLeft = 0;
  ++FDepth;
  if (Skipping() || FDepth > MaxDepth) return;
  FStack.push_back(FState);
  FState.OwnsDest = false;
  FState.OwnsField = false;
}

void TRtfParser::CloseGroup() {
  FIgnorableNext = false;
  FLeadByte = -1;
  FFallbackLeft = 0;
  if (FDepth == 0) return;
  bool completed = true;
  if (Skipping()) {
    if (FDepth > FSkipDepth) {
      --FDepth;
      return;
    }
    FSkipDepth = 0;  // the skipped group itself ends here
    completed = false;
  }
  if (FDepth <= MaxDepth && !FStack.empty()) {
    EndDestination(completed);
    bool fontTableEnded = completed && FState.OwnsDest && FState.Dest == dFontTable;
    FState = std::move(FStack.back());
    FStack.pop_back();
    FFormatDirty = true;
    if (fontTableEnded && FState.Font < 0) SelectFont(FDefaultFont);
  }
  if (--FDepth == 0) FDone = true;
}

void TRtfParser::SkipGroup() {
  if (FDepth > 0 && !Skipping()) FSkipDepth = FDepth;
  FFallbackLeft = 0;
}

void TRtfParser::EndDestination(bool completed) {
  if (FState.OwnsField) EndField(completed);
  if (!completed) return;
  if (FState.Dest == dFontTable && FFontPending) CommitFont();
  if (!FState.OwnsDest) return;
  if (FState.Dest == dPicture) EndPicture();
}

// ---- Control words and symbols ----

void TRtfParser::ReadControl() {
  if (FPos >= FData.size()) return;
  char c = FData[FPos];
  if (IsLetter(c)) {
    ReadControlWord();
  } else {
    ++FPos;
    ReadControlSymbol(c);
  }
}

void TRtfParser::ReadControlWord() {
  size_t start = FPos;
  while (FPos < FData.size() && IsLetter(FData[FPos])) ++FPos;
  std::string_view word = FData.substr(start, FPos - start);
  bool negative = false;
  if (FPos + 1 < FData.size() && FData[FPos] == '-' && IsDigit(FData[FPos + 1])) {
    negative = true;
    ++FPos;
  }
  bool hasParam = false;
  int64_t value = 0;
  while (FPos < FData.size() && IsDigit(FData[FPos])) {
    hasParam = true;
    if (value < 100000000000ll) value = value * 10 + (FData[FPos] - '0');
    ++FPos;
  }
  if (FPos < FData.size() && FData[FPos] == ' ') ++FPos;  // the delimiter belongs to the word
  if (negative) value = -value;
  int param = int(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
  if (word == "bin") {
    // The data is never markup, even when the word itself is part of a \u fallback.
    bool fallback = !Skipping() && ConsumeFallback();
    if (hasParam && param > 0) {
      if (fallback) {
        FPos += size_t(std::min<int64_t>(param, int64_t(FData.size() - FPos)));
      } else {
        SkipBinary(param);
      }
    }
    return;
  }
  if (Skipping() || ConsumeFallback()) return;
  Word(word, hasParam, param);
}

void TRtfParser::ReadControlSymbol(char c) {
  if (c == '\'') {
    int value = -1;
    if (FPos + 1 < FData.size()) {
      int high = HexValue(FData[FPos]), low = HexValue(FData[FPos + 1]);
      if (high >= 0 && low >= 0) {
        value = high * 16 + low;
        FPos += 2;
      }
    }
    if (Skipping() || value < 0) return;
    FIgnorableNext = false;
    if (!ConsumeFallback()) TextByte(uint8_t(value));
    return;
  }
  switch (c) {
    case '{':
    case '}':
    case '\\':
      Byte(uint8_t(c));
      return;
    case '*':
      if (!Skipping()) FIgnorableNext = true;
      return;
    case '\r':
    case '\n':
      Word("par", false, 0);
      return;
    default:
      break;
  }
  if (Skipping() || ConsumeFallback()) return;
  FIgnorableNext = false;
  FLeadByte = -1;
  bool shown = FState.Dest == dText && !FState.Hidden;
  if (c == '~' && shown) Emit(0xA0);
  if (c == '-' && shown) Emit(0xAD);
  if (c == '_' && shown) Emit(0x2011);
  if (c == '\t' && shown) Emit('\t');
}

void TRtfParser::SkipBinary(int64_t count) {
  size_t n = size_t(std::min<int64_t>(count, int64_t(FData.size() - FPos)));
  if (!Skipping() && FState.Dest == dPicture) {
    size_t room = MaxPictureBytes - std::min(MaxPictureBytes, FPicture.Bytes.size());
    const auto* begin = reinterpret_cast<const uint8_t*>(FData.data() + FPos);
    FPicture.Bytes.insert(FPicture.Bytes.end(), begin, begin + std::min(n, room));
  }
  FPos += n;
}

bool TRtfParser::ConsumeFallback() {
  if (FFallbackLeft <= 0) return false;
  --FFallbackLeft;
  return true;
}

// ---- Text ----

void TRtfParser::Byte(uint8_t b) {
  if (Skipping()) return;
  FIgnorableNext = false;
  if (ConsumeFallback()) return;
  TextByte(b);
}

void TRtfParser::TextByte(uint8_t b) {
  switch (FState.Dest) {
    case dText:
      break;
    case dFontTable:
      if (b == ';') {
        CommitFont();
      } else if (FFontPending && FFontEntry.Name.size() < 128) {
        FFontEntry.Name += char(b);
      }
      return;
    case dColorTable:
      if (b == ';') {
        if (FColors.size() < 4096)
          FColors.push_back(FColorSet ? TColor(FRed | (FGreen << 8) | (FBlue << 16)) : clDefault);
        FRed = FGreen = FBlue = 0;
        FColorSet = false;
      }
      return;
    case dPicture: {
      int nibble = HexValue(char(b));
      if (nibble < 0) return;
      if (FPicture.HighNibble < 0) {
        FPicture.HighNibble = nibble;
      } else {
        if (FPicture.Bytes.size() < MaxPictureBytes)
          FPicture.Bytes.push_back(uint8_t(FPicture.HighNibble * 16 + nibble));
        FPicture.HighNibble = -1;
      }
      return;
    }
    case dFieldInst:
      if (!FFields.empty() && FFields.back().Instruction.size() < 256) FFields.back().Instruction += char(b);
      return;
    case dShapeName:
      if (FShapeName.size() < 32) FShapeName += char(b);
      return;
    default:
      return;
  }
  if (!FState.Hidden) BodyTextByte(b);
}

// A byte of body text in the current font's code page (or symbol font).
void TRtfParser::BodyTextByte(uint8_t b) {
  if (FLeadByte >= 0) {
    int lead = FLeadByte;
    FLeadByte = -1;
    const TCodePageTable* table = FindCodePageTable(FState.CodePage);
    char16_t c = 0;
    if (table && table->Pairs && b >= CodePageTrailFirst && b <= CodePageTrailLast)
      c = table->Pairs[(lead - CodePageLeadFirst) * (CodePageTrailLast - CodePageTrailFirst + 1) + b -
                       CodePageTrailFirst];
    Emit(c ? c : 0xFFFD);
    return;
  }
  if (FState.SymbolFont) {
    if (b >= 0x20) Emit(FState.SymbolFont == 1 ? SymbolFontChar(b) : 0xF000 + b);
    return;
  }
  if (b < 0x80) {
    if (b >= 0x20 || b == '\t') Emit(b);
    return;
  }
  const TCodePageTable* table = FindCodePageTable(FState.CodePage);
  if (!table) table = FindCodePageTable(1252);
  char16_t c = table->High[b - 0x80];
  if (c == 0 && table->Pairs) {
    FLeadByte = b;
    return;
  }
  Emit(c ? c : 0xFFFD);
}

// Joins surrogate pairs written as two \u words; a lone surrogate becomes U+FFFD.
void TRtfParser::Emit(char32_t c) {
  if (FHighSurrogate) {
    char32_t high = FHighSurrogate;
    FHighSurrogate = 0;
    if (c >= 0xDC00 && c <= 0xDFFF) {
      EmitText(0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00));
      return;
    }
    EmitText(0xFFFD);
  }
  if (c >= 0xD800 && c <= 0xDBFF) {
    FHighSurrogate = c;
    return;
  }
  if (c >= 0xDC00 && c <= 0xDFFF) c = 0xFFFD;
  if (c == 0) return;
  EmitText(c);
}

void TRtfParser::EmitText(char32_t c) {
  std::string& text = CurrentRun().Text;
  size_t before = text.size();
  AppendUtf8(text, c);
  FTextBytes += text.size() - before;
  ++FEmitted;
}

TRtfRun& TRtfParser::CurrentRun() {
  if (!FParagraph.Runs.empty()) {
    TRtfRun& last = FParagraph.Runs.back();
    if (last.Picture < 0 && (!FFormatDirty || last.Format == FState.Char)) {
      FFormatDirty = false;
      return last;
    }
  }
  FFormatDirty = false;
  FParagraph.Runs.push_back(TRtfRun{FState.Char, {}, -1});
  return FParagraph.Runs.back();
}

void TRtfParser::EndParagraph() {
  if (FHighSurrogate) {
    FHighSurrogate = 0;
    EmitText(0xFFFD);
  }
  FLeadByte = -1;
  FParagraph.Format = FState.Para;
  FDoc.Paragraphs.push_back(std::move(FParagraph));
  FParagraph = TRtfParagraph{};
  FFormatDirty = true;
}
