#include <algorithm>
#include <cctype>
#include <string>

#include "toolkit/rtf/RtfCodePages.h"
#include "toolkit/rtf/RtfParser.h"

// The control words of TRtfParser: destinations, tables, formatting and breaks.

namespace {

// Lengths beyond a few pages are nonsense; keep them small enough that layout
// arithmetic in pixels cannot overflow.
int ClampTwips(int v) {
  return std::clamp(v, -100000, 100000);
}

bool Contains(const std::string& haystack, const char* needle) {
  return haystack.find(needle) != std::string::npos;
}

// The family a font name stands for, when the name is well known; else -1.
int FamilyFromName(std::string name) {
  for (char& c : name) c = char(std::tolower(uint8_t(c)));
  if (Contains(name, "mono") || Contains(name, "courier") || Contains(name, "consol") ||
      Contains(name, "lucida console") || Contains(name, "fixedsys") || Contains(name, "terminal"))
    return rffMono;
  if (Contains(name, "sans") || Contains(name, "arial") || Contains(name, "helv") || Contains(name, "tahoma") ||
      Contains(name, "verdana") || Contains(name, "calibri") || Contains(name, "segoe") || Contains(name, "geneva") ||
      Contains(name, "chicago") || Contains(name, "gothic"))
    return rffSans;
  if (Contains(name, "serif") || Contains(name, "times") || Contains(name, "tms rmn") || Contains(name, "roman") ||
      Contains(name, "georgia") || Contains(name, "garamond") || Contains(name, "cambria") ||
      Contains(name, "palatino") || Contains(name, "book") || Contains(name, "century") || Contains(name, "new york") ||
      Contains(name, "mincho") || Contains(name, "simsun"))
    return rffSerif;
  return -1;
}

std::string Trimmed(const std::string& s) {
  size_t begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  size_t end = s.find_last_not_of(" \t");
  return s.substr(begin, end - begin + 1);
}

}  // namespace

void TRtfParser::Word(std::string_view word, bool hasParam, int param) {
  bool ignorable = FIgnorableNext;
  FIgnorableNext = false;
  FLeadByte = -1;
  if (FState.Dest == dPicture && PictureWord(word, param)) return;
  TRtfKeywordInfo info = LookupRtfKeyword(word);
  if (info.Keyword == rkUnknown) {
    if (ignorable) SkipGroup();
    return;
  }
  if (Destination(info.Keyword) || DocumentWord(info.Keyword, hasParam, param)) return;
  if (FState.Dest == dFontTable && FontTableWord(info.Keyword, param)) return;
  if (FState.Dest == dColorTable) {
    int component = std::clamp(param, 0, 255);
    if (info.Keyword == rkRed) FRed = component;
    if (info.Keyword == rkGreen) FGreen = component;
    if (info.Keyword == rkBlue) FBlue = component;
    FColorSet = FColorSet || info.Keyword == rkRed || info.Keyword == rkGreen || info.Keyword == rkBlue;
    return;
  }
  if (CharWord(info.Keyword, hasParam, param) || ParaWord(info.Keyword, param) || TabWord(info.Keyword, param)) return;
  BreakWord(info.Keyword, info.Character);
}

bool TRtfParser::Destination(TRtfKeyword keyword) {
  auto begin = [this](TDest dest) {
    FState.Dest = dest;
    FState.OwnsDest = true;
  };
  switch (keyword) {
    case rkSkippedDestination:
    case rkShapeResult:
      SkipGroup();
      return true;
    case rkShownDestination:
    case rkFieldResult:
    case rkShapePict:
      return true;
    case rkFontTable:
      begin(dFontTable);
      return true;
    case rkColorTable:
      begin(dColorTable);
      FColors.clear();
      FRed = FGreen = FBlue = 0;
      FColorSet = false;
      return true;
    case rkPict:
      if ((FState.Dest != dText || FState.Hidden) && FState.Dest != dShapePicture) {
        SkipGroup();
        return true;
      }
      begin(dPicture);
      FPicture = TPictureData{};
      return true;
    case rkField:
      if (FFields.size() < 32 && !FState.OwnsField) {
        FFields.push_back(TField{{}, FEmitted});
        FState.OwnsField = true;
      }
      return true;
    case rkFieldInst:
      begin(dFieldInst);
      return true;
    case rkShapeInst:
    case rkUpr:
      begin(dNoText);
      return true;
    case rkUd:
      begin(dText);
      return true;
    case rkShapeName:
      begin(dShapeName);
      FShapeName.clear();
      return true;
    case rkShapeValue:
      if (FShapeName == "pib") {
        begin(dShapePicture);
      } else {
        SkipGroup();
      }
      return true;
    default:
      return false;
  }
}

bool TRtfParser::DocumentWord(TRtfKeyword keyword, bool hasParam, int param) {
  auto setCodePage = [this](int number) {
    FDocCodePage = number;
    if (FState.Font < 0) FState.CodePage = number;
  };
  switch (keyword) {
    case rkAnsi:
      setCodePage(1252);
      return true;
    case rkMac:
      setCodePage(10000);
      return true;
    case rkPc:
      setCodePage(437);
      return true;
    case rkPca:
      setCodePage(850);
      return true;
    case rkAnsiCpg:
      if (FindCodePageTable(param)) setCodePage(param);
      return true;
    case rkDeff:
      FDefaultFont = param;
      return true;
    case rkDefTab:
      if (param > 0) FDoc.DefaultTab = std::clamp(param, 20, 20000);
      return true;
    case rkUc:
      FState.UnicodeSkip = std::clamp(param, 0, 16);
      return true;
    case rkU:
      if (FState.Dest == dText && !FState.Hidden) Emit(char32_t(param < 0 ? (param + 65536) & 0xFFFF : param & 0xFFFF));
      FFallbackLeft = FState.UnicodeSkip;
      return true;
    default:
      return false;
  }
}

bool TRtfParser::FontTableWord(TRtfKeyword keyword, int param) {
  switch (keyword) {
    case rkFont:
      if (FFontPending) CommitFont();
      FFontEntry = TFontEntry{};
      FFontEntry.Number = param;
      FFontPending = true;
      return true;
    case rkFontRoman:
      FFontEntry.Family = rffSerif;
      break;
    case rkFontModern:
      FFontEntry.Family = rffMono;
      break;
    case rkFontSwiss:
    case rkFontOther:
      FFontEntry.Family = rffSans;
      break;
    case rkFontCharset:
      FFontEntry.Charset = std::clamp(param, 0, 255);
      return true;
    case rkFontCodePage:
      FFontEntry.CodePage = param;
      return true;
    case rkFontPitch:
      FFontEntry.FixedPitch = param == 1;
      return true;
    default:
      return false;
  }
  FFontEntry.HasFamily = true;
  return true;
}

void TRtfParser::CommitFont() {
  FFontPending = false;
  TFontEntry entry = std::move(FFontEntry);
  FFontEntry = TFontEntry{};
  entry.Name = Trimmed(entry.Name);
  int byName = FamilyFromName(entry.Name);
  if (byName >= 0) {
    entry.Family = TRtfFontFamily(byName);
  } else if (entry.FixedPitch || !entry.HasFamily) {
    entry.Family = entry.FixedPitch ? rffMono : rffSans;
  }
  for (TFontEntry& existing : FFonts) {
    if (existing.Number == entry.Number) {
      existing = std::move(entry);
      return;
    }
  }
  if (FFonts.size() < 256) FFonts.push_back(std::move(entry));
}

void TRtfParser::SelectFont(int number) {
  FState.Font = number;
  FFormatDirty = true;
  for (const TFontEntry& entry : FFonts) {
    if (entry.Number != number) continue;
    FState.Char.Family = entry.Family;
    FState.Char.Charset = uint8_t(entry.Charset < 0 ? 1 : entry.Charset);
    FState.CodePage =
        entry.CodePage && FindCodePageTable(entry.CodePage) ? entry.CodePage : CodePageForCharset(entry.Charset);
    FState.SymbolFont = entry.Charset == 2 ? (entry.Name.rfind("Symbol", 0) == 0 ? 1 : 2) : 0;
    return;
  }
  FState.Char.Charset = 0;
  FState.CodePage = FDocCodePage;
  FState.SymbolFont = 0;
}

int TRtfParser::CodePageForCharset(int charset) const {
  switch (charset) {
    case 0:
      return 1252;
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 437;
    default:
      return FDocCodePage;
  }
}

TColor TRtfParser::TableColor(int index) const {
  if (index < 0 || size_t(index) >= FColors.size()) return clDefault;
  return FColors[size_t(index)];
}

bool TRtfParser::CharWord(TRtfKeyword keyword, bool hasParam, int param) {
  TRtfCharFormat& f = FState.Char;
  bool on = !hasParam || param != 0;
  switch (keyword) {
    case rkPlain:
      f = TRtfCharFormat{};
      FState.Hidden = false;
      SelectFont(FDefaultFont);
      break;
    case rkFont:
      SelectFont(param);
      break;
    case rkBold:
      f.Bold = on;
      break;
    case rkItalic:
      f.Italic = on;
      break;
    case rkUnderline:
      f.Underline = on;
      break;
    case rkUnderlineNone:
      f.Underline = false;
      break;
    case rkStrike:
      f.Strike = on;
      break;
    case rkHidden:
      FState.Hidden = on;
      break;
    case rkFontSize:
      f.Size = hasParam ? std::clamp(param, 2, 3276) : 24;
      break;
    case rkColor:
      f.Color = TableColor(param);
      break;
    case rkHighlight: {
      TColor c = TableColor(param);
      f.Highlight = (param <= 0 || c == clDefault) ? clNone : c;
      break;
    }
    case rkSuper:
      f.Vertical = on ? rvSuper : rvBaseline;
      break;
    case rkSub:
      f.Vertical = on ? rvSub : rvBaseline;
      break;
    case rkNoSuperSub:
      f.Vertical = rvBaseline;
      break;
    default:
      return false;
  }
  FFormatDirty = true;
  return true;
}

bool TRtfParser::ParaWord(TRtfKeyword keyword, int param) {
  TRtfParaFormat& p = FState.Para;
  switch (keyword) {
    case rkPard:
      p = TRtfParaFormat{};
      FTabKind = rtkLeft;
      FTabLeader = rtlNone;
      return true;
    case rkAlignLeft:
      p.Alignment = raLeft;
      return true;
    case rkAlignCenter:
      p.Alignment = raCenter;
      return true;
    case rkAlignRight:
      p.Alignment = raRight;
      return true;
    case rkAlignJustify:
      p.Alignment = raJustify;
      return true;
    case rkLeftIndent:
      p.LeftIndent = ClampTwips(param);
      return true;
    case rkRightIndent:
      p.RightIndent = ClampTwips(param);
      return true;
    case rkFirstIndent:
      p.FirstIndent = ClampTwips(param);
      return true;
    case rkSpaceBefore:
      p.SpaceBefore = std::clamp(param, 0, 100000);
      return true;
    case rkSpaceAfter:
      p.SpaceAfter = std::clamp(param, 0, 100000);
      return true;
    case rkLineSpacing:
      p.LineSpacing = ClampTwips(param);
      return true;
    case rkLineMultiple:
      p.LineSpacingMultiple = param != 0;
      return true;
    case rkInTable:
      p.InTable = true;
      return true;
    case rkRowDefaults:
      FCellEdges.clear();
      FCellIndex = 0;
      return true;
    case rkCellEdge:
      if (FCellEdges.size() < 64) FCellEdges.push_back(std::clamp(param, 0, 100000));
      return true;
    default:
      return false;
  }
}

bool TRtfParser::TabWord(TRtfKeyword keyword, int param) {
  TRtfParaFormat& p = FState.Para;
  switch (keyword) {
    case rkTabCenter:
      FTabKind = rtkCenter;
      return true;
    case rkTabRight:
      FTabKind = rtkRight;
      return true;
    case rkTabDecimal:
      FTabKind = rtkDecimal;
      return true;
    case rkLeaderDots:
      FTabLeader = rtlDots;
      return true;
    case rkLeaderHyphens:
      FTabLeader = rtlHyphens;
      return true;
    case rkLeaderUnderline:
      FTabLeader = rtlUnderline;
      return true;
    case rkLeaderThick:
      FTabLeader = rtlThick;
      return true;
    case rkLeaderEquals:
      FTabLeader = rtlEquals;
      return true;
    case rkBarTab:
      FTabKind = rtkLeft;
      FTabLeader = rtlNone;
      return true;
    case rkTabPosition: {
      TRtfTabStop stop{std::clamp(param, 0, 100000), FTabKind, FTabLeader};
      FTabKind = rtkLeft;
      FTabLeader = rtlNone;
      auto at = std::lower_bound(p.Tabs.begin(), p.Tabs.end(), stop.Position,
                                 [](const TRtfTabStop& t, int pos) { return t.Position < pos; });
      if (at != p.Tabs.end() && at->Position == stop.Position) {
        *at = stop;
      } else if (p.Tabs.size() < 64) {
        p.Tabs.insert(at, stop);
      }
      return true;
    }
    default:
      return false;
  }
}

bool TRtfParser::BreakWord(TRtfKeyword keyword, char32_t character) {
  if (FState.Dest != dText) return keyword == rkPar;
  bool shown = !FState.Hidden;
  switch (keyword) {
    case rkPar:
    case rkSect:
      EndParagraph();
      return true;
    case rkCell:
      FParagraph.Cell = FCellIndex++;
      FParagraph.CellEdges = FCellEdges;
      EndParagraph();
      return true;
    case rkRow:
      if (!FDoc.Paragraphs.empty() && FDoc.Paragraphs.back().Cell >= 0) FDoc.Paragraphs.back().RowEnd = true;
      FCellIndex = 0;
      return true;
    case rkLine:
      if (shown) Emit('\n');
      return true;
    case rkTab:
      if (shown) Emit('\t');
      return true;
    case rkCharacter:
      if (shown) Emit(character);
      return true;
    case rkFootnoteNumber:
      if (shown) {
        for (char c : std::to_string(++FFootnotes)) Emit(char32_t(c));
      }
      return true;
    default:
      return false;
  }
}

bool TRtfParser::PictureWord(std::string_view word, int param) {
  TPictureData& p = FPicture;
  if (word == "pngblip") {
    p.Kind = rpkPng;
  } else if (word == "jpegblip") {
    p.Kind = rpkJpeg;
  } else if (word == "dibitmap") {
    p.Kind = rpkDib;
  } else if (word == "wbitmap" || word == "emfblip" || word == "wmetafile" || word == "macpict" ||
             word == "pmmetafile") {
    p.Kind = rpkUnsupported;
  } else if (word == "picwgoal") {
    p.GoalWidth = std::clamp(param, 0, 100000);
  } else if (word == "pichgoal") {
    p.GoalHeight = std::clamp(param, 0, 100000);
  } else if (word == "picscalex") {
    p.ScaleX = std::clamp(param, 1, 1000);
  } else if (word == "picscaley") {
    p.ScaleY = std::clamp(param, 1, 1000);
  } else {
    return false;
  }
  return true;
}

void TRtfParser::EndPicture() {
  TRtfPicture picture;
  bool decoded = DecodeRtfPicture(FPicture.Kind, FPicture.Bytes, picture);
  std::vector<uint8_t>().swap(FPicture.Bytes);
  if (!decoded) return;
  int64_t pixels = int64_t(picture.Width) * picture.Height;
  if (FPicturePixels + pixels > MaxTotalPicturePixels) return;
  FPicturePixels += pixels;
  int64_t goalWidth = FPicture.GoalWidth > 0 ? FPicture.GoalWidth : int64_t(picture.Width) * 15;
  int64_t goalHeight = FPicture.GoalHeight > 0 ? FPicture.GoalHeight : int64_t(picture.Height) * 15;
  picture.GoalWidth = int(std::clamp<int64_t>(goalWidth * FPicture.ScaleX / 100, 1, 100000));
  picture.GoalHeight = int(std::clamp<int64_t>(goalHeight * FPicture.ScaleY / 100, 1, 100000));
  FDoc.Pictures.push_back(std::move(picture));
  FParagraph.Runs.push_back(TRtfRun{FState.Char, {}, int(FDoc.Pictures.size() - 1)});
  FFormatDirty = true;
}

// A SYMBOL field whose result is empty shows the character its instruction names,
// as word processors do when they update the field.
void TRtfParser::EndField(bool completed) {
  if (FFields.empty()) return;
  TField field = std::move(FFields.back());
  FFields.pop_back();
  if (!completed || FEmitted != field.EmittedAtStart || FState.Dest != dText || FState.Hidden) return;
  std::string instruction = Trimmed(field.Instruction);
  if (instruction.rfind("SYMBOL", 0) != 0) return;
  const char* digits = instruction.c_str() + 6;
  while (*digits == ' ') ++digits;
  char* end = nullptr;
  long code = std::strtol(digits, &end, 0);
  if (end != digits && code > 0 && code < 0x110000) Emit(char32_t(code));
}
