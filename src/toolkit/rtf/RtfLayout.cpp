#include "toolkit/rtf/RtfLayout.h"

#include <algorithm>

#include "toolkit/graphics/FontEngine.h"
#include "toolkit/graphics/TCanvas.h"
#include "toolkit/graphics/TFont.h"

namespace {

constexpr int TwipsPerPixel = 15;  // 1440 twips per inch at 96 pixels per inch
constexpr int MaxFontPixels = 200;
constexpr int MaxPictureHeight = 4096;
// Pictures are kept at their shown size; beyond this many pixels in all, further
// pictures keep their place but are not drawn.
constexpr int64_t MaxScaledPixels = 32 << 20;

int Px(int twips) {
  return twips / TwipsPerPixel;
}

// Symbol fonts put their characters in the private-use area; the common list
// bullets are shown with their Unicode equivalents, which the embedded fonts have.
char32_t DisplayChar(char32_t c) {
  switch (c) {
    case 0xF0B7:
      return 0x2022;
    case 0xF0A7:
      return 0x25AA;
    case 0xF0D8:
      return 0x27A2;
    case 0xF0FC:
      return 0x2713;
    case 0xF06E:
      return 0x25A0;
    case 0xF06F:
      return 0x25A1;
    default:
      return c;
  }
}

// Ideographs and kana may break anywhere; each is a word of its own.
bool BreaksAnywhere(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF);
}

// Decodes the reader's UTF-8 (always well formed) and calls f for every character.
template <class F>
void ForEachChar(const std::string& s, F&& f) {
  for (size_t i = 0; i < s.size();) {
    auto b = uint8_t(s[i]);
    int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < n && i + k < s.size(); ++k) c = (c << 6) | (uint8_t(s[i + k]) & 0x3F);
    i += size_t(n);
    f(c);
  }
}

const char* FamilyFontName(TRtfFontFamily family) {
  switch (family) {
    case rffSerif:
      return "DejaVu Serif";
    case rffMono:
      return "DejaVu Sans Mono";
    default:
      return "Tahoma";
  }
}

}  // namespace

struct TRtfLayout::TAtom {
  enum TKind : uint8_t { akWord, akSpace, akTab, akBreak, akPicture };
  TKind Kind = akWord;
  size_t TextStart = 0, TextLength = 0;
  const TRtfCharFormat* Format = nullptr;
  TFontInstance* Font = nullptr;
  int Width = 0;
  int Shift = 0;
  int Picture = -1;
  int PictureHeight = 0;
};

struct TRtfLayout::TParagraphContext {
  const TRtfParaFormat* Format = nullptr;
  int Left = 0, Right = 0, FirstLeft = 0;
  int X = 0;
  int LineStart = 0;
  size_t LineFirst = 0;
  bool LineHasContent = false;
  bool HardBreak = false;
  TFontInstance* DefaultFont = nullptr;
};

void TRtfLayout::Layout(const TRtfDocument& doc, int width, const TFont* plainFont, bool wrap) {
  FDoc = &doc;
  FWrap = wrap;
  FPlainFont = doc.PlainSource ? plainFont : nullptr;
  FWidth = std::max(2, width);
  FLines.clear();
  FBoxes.clear();
  FText.clear();
  FPictures.assign(doc.Pictures.size(), TScaledPicture{});
  FY = 0;
  FLastFont = &FontFor(TRtfCharFormat{});
  FRows.clear();
  FScaledPixels = 0;
  for (size_t i = 0; i < doc.Paragraphs.size();) {
    size_t end = RowEnd(i);
    LayoutParagraph(end > i + 1 || doc.Paragraphs[i].Cell >= 0 ? MergeRow(i, end) : doc.Paragraphs[i]);
    i = end;
  }
  FHeight = FY;
}

size_t TRtfLayout::RowEnd(size_t first) const {
  const auto& paragraphs = FDoc->Paragraphs;
  size_t i = first;
  while (i < paragraphs.size() && i - first < 256 && (paragraphs[i].Format.InTable || paragraphs[i].Cell >= 0)) {
    if (paragraphs[i++].RowEnd) return i;
  }
  bool hasCell = false;
  for (size_t k = first; k < i; ++k) hasCell = hasCell || paragraphs[k].Cell >= 0;
  return hasCell ? i : first + 1;
}

const TRtfParagraph& TRtfLayout::MergeRow(size_t first, size_t end) {
  const auto& paragraphs = FDoc->Paragraphs;
  TRtfParagraph& row = FRows.emplace_back();
  row.Format = paragraphs[first].Format;
  row.Format.FirstIndent = 0;
  row.Format.Tabs.clear();
  bool cellHasText = false;
  for (size_t k = first; k < end; ++k) {
    const TRtfParagraph& p = paragraphs[k];
    if (!p.Runs.empty()) {
      // Paragraphs within one cell follow each other on the cell's line.
      if (cellHasText) row.Runs.push_back(TRtfRun{p.Runs.front().Format, " ", -1});
      row.Runs.insert(row.Runs.end(), p.Runs.begin(), p.Runs.end());
      cellHasText = true;
    }
    if (p.Cell >= 0 && k + 1 < end) {
      TRtfCharFormat format = row.Runs.empty() ? TRtfCharFormat{} : row.Runs.back().Format;
      row.Runs.push_back(TRtfRun{format, "\t", -1});
      cellHasText = false;
    }
    if (!p.CellEdges.empty() && row.Format.Tabs.empty()) {
      for (size_t c = 0; c + 1 < p.CellEdges.size(); ++c)
        row.Format.Tabs.push_back(TRtfTabStop{p.CellEdges[c] + 108, rtkLeft, rtlNone});
      std::sort(row.Format.Tabs.begin(), row.Format.Tabs.end(),
                [](const TRtfTabStop& a, const TRtfTabStop& b) { return a.Position < b.Position; });
    }
  }
  return row;
}

void TRtfLayout::LayoutParagraph(const TRtfParagraph& paragraph) {
  const TRtfParaFormat& f = paragraph.Format;
  TParagraphContext c;
  c.Format = &f;
  c.Left = std::clamp(Px(f.LeftIndent), 0, FWidth - 1);
  c.Right = std::max(c.Left + 1, FWidth - std::max(0, Px(f.RightIndent)));
  c.FirstLeft = std::clamp(c.Left + Px(f.FirstIndent), 0, c.Right - 1);
  c.X = c.LineStart = c.FirstLeft;
  c.LineFirst = FBoxes.size();
  FY += Px(f.SpaceBefore);
  std::vector<TAtom> atoms;
  BuildAtoms(paragraph, atoms);
  c.DefaultFont = FLastFont;
  for (const TAtom& atom : atoms) {
    if (atom.Font) {
      c.DefaultFont = atom.Font;
      break;
    }
  }
  PlaceAtoms(atoms, c);
  FinishLine(c, true);
  FLastFont = c.DefaultFont;
  FY += Px(f.SpaceAfter);
}

void TRtfLayout::BuildAtoms(const TRtfParagraph& paragraph, std::vector<TAtom>& atoms) {
  int available = std::max(
      1, FWidth - std::max(0, Px(paragraph.Format.LeftIndent)) - std::max(0, Px(paragraph.Format.RightIndent)));
  for (const TRtfRun& run : paragraph.Runs) {
    if (run.Picture >= 0) {
      const TRtfPicture& picture = FDoc->Pictures[size_t(run.Picture)];
      int w = std::max(1, Px(picture.GoalWidth)), h = std::max(1, Px(picture.GoalHeight));
      if (w > available) {
        h = std::max(1, int(int64_t(h) * available / w));
        w = available;
      }
      h = std::min(h, MaxPictureHeight);
      Scaled(run.Picture, w, h);
      atoms.push_back(TAtom{TAtom::akPicture, 0, 0, &run.Format, nullptr, w, 0, run.Picture, h});
      continue;
    }
    TFontInstance& font = FontFor(run.Format);
    int shift = run.Format.Vertical == rvSuper ? -font.Ascent() / 2
                : run.Format.Vertical == rvSub ? font.Ascent() / 3
                                               : 0;
    ForEachChar(run.Text, [&](char32_t c) {
      if (c == 0xAD || c == 0x200B || c == 0x200E || c == 0x200F || c == 0xFEFF) return;  // invisible
      TAtom::TKind kind = c == '\n'   ? TAtom::akBreak
                          : c == '\t' ? TAtom::akTab
                          : c == ' '  ? TAtom::akSpace
                                      : TAtom::akWord;
      bool joins = !atoms.empty() && atoms.back().Kind == kind && atoms.back().Font == &font &&
                   atoms.back().Format == &run.Format && (kind == TAtom::akWord || kind == TAtom::akSpace) &&
                   !BreaksAnywhere(c) && !(kind == TAtom::akWord && BreaksAnywhere(FText.back()));
      if (!joins) atoms.push_back(TAtom{kind, FText.size(), 0, &run.Format, &font, 0, shift, -1, 0});
      FText += DisplayChar(c);
      ++atoms.back().TextLength;
    });
  }
  for (TAtom& atom : atoms) {
    if (atom.Kind == TAtom::akWord || atom.Kind == TAtom::akSpace)
      atom.Width = atom.Font->TextWidth(std::u32string_view(FText).substr(atom.TextStart, atom.TextLength));
  }
}

void TRtfLayout::PlaceAtoms(const std::vector<TAtom>& atoms, TParagraphContext& c) {
  auto addBox = [&](const TAtom& a, size_t start, size_t length, int width) {
    TRtfLayoutBox box{c.X, width, start, length, a.Format, a.Font, a.Shift, a.Picture, a.PictureHeight};
    box.Space = a.Kind == TAtom::akSpace;
    FBoxes.push_back(box);
    c.X += width;
  };
  auto wrap = [&] {
    FinishLine(c, false);
    c.X = c.LineStart = c.Left;
  };
  for (size_t i = 0; i < atoms.size(); ++i) {
    const TAtom& a = atoms[i];
    switch (a.Kind) {
      case TAtom::akBreak:
        c.HardBreak = true;
        wrap();
        break;
      case TAtom::akSpace:
        addBox(a, a.TextStart, a.TextLength, a.Width);
        break;
      case TAtom::akTab:
        PlaceTab(atoms, i, c);
        break;
      default: {
        if (FWrap && c.X + a.Width > c.Right && c.LineHasContent) wrap();
        if (FWrap && a.Kind == TAtom::akWord && c.X + a.Width > c.Right) {
          // A word wider than the line is broken between characters.
          size_t start = a.TextStart, end = a.TextStart + a.TextLength;
          while (start < end) {
            size_t n = 1;
            int width = a.Font->CharWidth(FText[start]);
            while (start + n < end && c.X + width + a.Font->CharWidth(FText[start + n]) <= c.Right)
              width += a.Font->CharWidth(FText[start + n++]);
            addBox(a, start, n, width);
            c.LineHasContent = true;
            start += n;
            if (start < end) wrap();
          }
          break;
        }
        addBox(a, a.TextStart, a.TextLength, a.Width);
        c.LineHasContent = true;
        break;
      }
    }
  }
}

// A tab's gap: to the next stop, less the following text for right and centred stops.
void TRtfLayout::PlaceTab(const std::vector<TAtom>& atoms, size_t i, TParagraphContext& c) {
  const TAtom& a = atoms[i];
  TRtfTabKind kind = rtkLeft;
  TRtfTabLeader leader = rtlNone;
  int stop = TabStop(c, c.X, kind, leader);
  if (kind != rtkLeft) {
    int following = 0;
    for (size_t k = i + 1; k < atoms.size() && atoms[k].Kind != TAtom::akTab && atoms[k].Kind != TAtom::akBreak; ++k)
      following += atoms[k].Width;
    stop -= kind == rtkCenter ? following / 2 : following;
  }
  int target = std::max(c.X, FWrap ? std::min(stop, c.Right) : stop);
  TRtfLayoutBox box{c.X, target - c.X, 0, 0, a.Format, a.Font, a.Shift};
  box.Leader = leader;
  FBoxes.push_back(box);
  c.X = target;
  c.LineHasContent = true;
}

// The next tab stop after x: an explicit stop, the hanging indent (an implicit
// stop, as word processors put the text of a list item there), or a default stop.
int TRtfLayout::TabStop(const TParagraphContext& c, int x, TRtfTabKind& kind, TRtfTabLeader& leader) const {
  int explicitStop = -1;
  for (const TRtfTabStop& t : c.Format->Tabs) {
    if (Px(t.Position) > x) {
      explicitStop = Px(t.Position);
      kind = t.Kind;
      leader = t.Leader;
      break;
    }
  }
  if (c.Format->FirstIndent < 0 && x < c.Left && (explicitStop < 0 || c.Left < explicitStop)) {
    kind = rtkLeft;
    leader = rtlNone;
    return c.Left;
  }
  if (explicitStop >= 0) return explicitStop;
  kind = rtkLeft;
  leader = rtlNone;
  int step = std::max(1, Px(FDoc->DefaultTab));
  return (x / step + 1) * step;
}

void TRtfLayout::FinishLine(TParagraphContext& c, bool lastOfParagraph) {
  size_t first = c.LineFirst, count = FBoxes.size() - first;
  int ascent = 0, descent = 0, contentRight = c.LineStart;
  for (size_t i = first; i < FBoxes.size(); ++i) {
    const TRtfLayoutBox& b = FBoxes[i];
    if (b.Picture >= 0) {
      ascent = std::max(ascent, b.PictureHeight);
    } else if (b.Font) {
      ascent = std::max(ascent, b.Font->Ascent() - b.Shift);
      descent = std::max(descent, b.Font->Descent() + b.Shift);
    }
    if (!b.Space) contentRight = b.X + b.Width;
  }
  if (ascent + descent == 0) {
    ascent = c.DefaultFont->Ascent();
    descent = c.DefaultFont->Descent();
  }
  int natural = ascent + descent, height = natural, baseline = ascent;
  int spacing = c.Format->LineSpacing;
  if (spacing != 0 && c.Format->LineSpacingMultiple) {
    height = std::max(1, natural * std::abs(spacing) / 240);
  } else if (spacing > 0) {
    height = std::max(natural, Px(spacing));
    baseline = height - descent;
  } else if (spacing < 0) {
    height = std::max(1, Px(-spacing));
    baseline = std::max(0, height - descent);
  }
  int extra = c.Right - contentRight;
  TRtfAlignment align = c.Format->Alignment;
  if (extra > 0 && (align == raCenter || align == raRight)) {
    int offset = align == raCenter ? extra / 2 : extra;
    for (size_t i = first; i < FBoxes.size(); ++i) FBoxes[i].X += offset;
  } else if (extra > 0 && align == raJustify && !lastOfParagraph && !c.HardBreak) {
    size_t lastContent = first, spaces = 0;
    for (size_t i = first; i < FBoxes.size(); ++i)
      if (!FBoxes[i].Space) lastContent = i;
    for (size_t i = first; i < lastContent; ++i) spaces += FBoxes[i].Space;
    int shift = 0, given = 0;
    for (size_t i = first; i <= lastContent && spaces > 0; ++i) {
      FBoxes[i].X += shift;
      if (!FBoxes[i].Space) continue;
      ++given;
      int add = int(extra * int64_t(given) / int64_t(spaces)) - int(extra * int64_t(given - 1) / int64_t(spaces));
      FBoxes[i].Width += add;
      shift += add;
    }
  }
  FLines.push_back(TRtfLayoutLine{FY, height, baseline, first, count});
  FY += height;
  c.LineFirst = FBoxes.size();
  c.LineHasContent = false;
  c.HardBreak = false;
}

TFontInstance& TRtfLayout::FontFor(const TRtfCharFormat& format) {
  if (FPlainFont) return TFontEngine::Instance().Get(*FPlainFont);
  int pixels = std::clamp((format.Size * 2 + 1) / 3, 1, MaxFontPixels);
  if (format.Vertical != rvBaseline) pixels = std::max(1, pixels * 2 / 3);
  TFontStyles style = (format.Bold ? fsBold : 0) | (format.Italic ? fsItalic : 0);
  return TFontEngine::Instance().Get(FamilyFontName(format.Family), -pixels, style);
}

const TRtfLayout::TScaledPicture& TRtfLayout::Scaled(int index, int width, int height) {
  TScaledPicture& scaled = FPictures[size_t(index)];
  if (scaled.Width == width && scaled.Height == height) return scaled;
  int64_t pixels = int64_t(width) * height;
  if (FScaledPixels + pixels > MaxScaledPixels) return scaled;
  FScaledPixels += pixels;
  const TRtfPicture& picture = FDoc->Pictures[size_t(index)];
  scaled.Width = width;
  scaled.Height = height;
  scaled.Pixels.resize(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    int sy = int(int64_t(y) * picture.Height / height);
    for (int x = 0; x < width; ++x) {
      int sx = int(int64_t(x) * picture.Width / width);
      scaled.Pixels[size_t(y) * size_t(width) + size_t(x)] =
          picture.Pixels[size_t(sy) * size_t(picture.Width) + size_t(sx)];
    }
  }
  return scaled;
}

// ---- Painting ----

void TRtfLayout::Paint(TCanvas& canvas, int x, int y, TColor textColor, const TRect* limit) const {
  TRect clip = canvas.ClipRect();
  if (limit) clip = IntersectRect(clip, *limit);
  if (clip.IsEmpty() || !canvas.Surface() || !FDoc) return;
  auto firstVisible = std::lower_bound(FLines.begin(), FLines.end(), clip.Top - y,
                                       [](const TRtfLayoutLine& l, int top) { return l.Top + l.Height <= top; });
  TColor brushColor = canvas.Brush().Color;
  TBrushStyle brushStyle = canvas.Brush().Style;
  for (auto line = firstVisible; line != FLines.end() && y + line->Top < clip.Bottom; ++line) {
    for (size_t i = line->First; i < line->First + line->Count; ++i)
      PaintBox(canvas, FBoxes[i], *line, x, y, clip, textColor);
  }
  canvas.Brush().Color = brushColor;
  canvas.Brush().Style = brushStyle;
  TPoint origin = canvas.Origin();
  TRect painted = IntersectRect(clip, Rect(x, y, x + FWidth, y + FHeight));
  canvas.Surface()->Changed(painted.Offset(origin.X, origin.Y));
}

void TRtfLayout::PaintBox(TCanvas& canvas, const TRtfLayoutBox& box, const TRtfLayoutLine& line, int x, int y,
                          const TRect& clip, TColor textColor) const {
  int left = x + box.X, top = y + line.Top;
  if (left >= clip.Right || left + box.Width <= clip.Left) return;
  TSurface& surface = *canvas.Surface();
  TPoint origin = canvas.Origin();
  TRect surfaceClip = clip.Offset(origin.X, origin.Y);
  const TRtfCharFormat& format = *box.Format;
  if (format.Highlight != clNone && box.Width > 0) {
    canvas.Brush().Color = format.Highlight;
    canvas.Brush().Style = bsSolid;
    TRect r = IntersectRect(clip, Rect(left, top, left + box.Width, top + line.Height));
    if (!r.IsEmpty()) canvas.FillRect(r);
  }
  if (box.Picture >= 0) {
    const TScaledPicture& p = FPictures[size_t(box.Picture)];
    if (p.Pixels.empty()) return;
    int px = left + origin.X, py = top + line.Baseline - p.Height + origin.Y;
    TRect area = IntersectRect(surfaceClip, Rect(px, py, px + p.Width, py + p.Height));
    for (int sy = area.Top; sy < area.Bottom; ++sy) {
      uint32_t* row = surface.Row(sy);
      const uint32_t* src = p.Pixels.data() + size_t(sy - py) * size_t(p.Width);
      for (int sx = area.Left; sx < area.Right; ++sx) {
        uint32_t s = src[sx - px], a = s >> 24, d = row[sx];
        if (a == 0) continue;
        uint32_t rb = ((s & 0xFF00FF) * a + (d & 0xFF00FF) * (255 - a)) / 255 & 0xFF00FF;
        uint32_t g = ((s & 0xFF00) * a + (d & 0xFF00) * (255 - a)) / 255 & 0xFF00;
        row[sx] = a == 255 ? (s & 0xFFFFFF) : (rb | g);
      }
    }
    return;
  }
  if (!box.Font) return;
  TColor color = format.Color == clDefault ? textColor : format.Color;
  uint32_t pixel = ColorToPixel(ColorToRGB(color));
  TFontStyles decorations = (format.Underline ? fsUnderline : 0) | (format.Strike ? fsStrikeOut : 0);
  int cellTop = top + line.Baseline - box.Font->Ascent() + box.Shift + origin.Y;
  if (box.TextLength > 0 && (!box.Space || decorations)) {
    std::u32string_view text = std::u32string_view(FText).substr(box.TextStart, box.TextLength);
    box.Font->Draw(surface, surfaceClip, left + origin.X, cellTop, text, pixel, decorations);
  } else if (box.Leader == rtlDots || box.Leader == rtlHyphens || box.Leader == rtlEquals) {
    std::u32string mark(1, box.Leader == rtlDots ? U'.' : box.Leader == rtlHyphens ? U'-' : U'=');
    int step = std::max(1, box.Font->CharWidth(mark[0]) * 2);
    for (int dx = (left / step + 1) * step; dx + step <= left + box.Width; dx += step)
      box.Font->Draw(surface, surfaceClip, dx + origin.X, cellTop, mark, pixel, 0);
  } else if (box.Leader == rtlUnderline || box.Leader == rtlThick) {
    box.Font->DrawUnderline(surface, surfaceClip, left + origin.X, cellTop, box.Width, pixel);
  }
}
