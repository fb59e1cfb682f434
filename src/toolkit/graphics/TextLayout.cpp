#include "toolkit/graphics/TextLayout.h"

#include "toolkit/graphics/FontEngine.h"
#include "toolkit/graphics/TCanvas.h"

namespace {

// Converts to Unicode, removing accelerator prefixes; accel receives the index of
// the (first) underlined character.
std::u32string Prepare(const std::string& text, uint32_t flags, int& accel) {
  std::u32string out;
  out.reserve(text.size());
  bool prefix = !(flags & DT_NOPREFIX);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (prefix && c == '&' && i + 1 < text.size()) {
      c = text[++i];
      if (c != '&' && accel < 0) accel = int(out.size());
    }
    if (c == '\t' && (flags & DT_EXPANDTABS)) {
      // Tab stops every eight characters from the start of the line.
      size_t lineStart = out.rfind(U'\n');
      size_t column = out.size() - (lineStart == std::u32string::npos ? 0 : lineStart + 1);
      out.append(8 - column % 8, U' ');
      continue;
    }
    out.push_back(Cp1252ToUnicode(uint8_t(c)));
  }
  return out;
}

void AddLine(std::vector<TTextLine>& lines, const std::u32string& all, size_t begin, size_t end, int accel,
             TFontInstance& font) {
  TTextLine line;
  line.Text = all.substr(begin, end - begin);
  line.Width = font.TextWidth(line.Text);
  if (accel >= int(begin) && accel < int(end)) line.Accel = accel - int(begin);
  lines.push_back(std::move(line));
}

// Greedy word wrap of one paragraph [begin, end) of all.
void WrapParagraph(std::vector<TTextLine>& lines, const std::u32string& all, size_t begin, size_t end, int accel,
                   int maxWidth, TFontInstance& font) {
  size_t lineStart = begin;
  while (true) {
    size_t lineEnd = lineStart;  // end of the last whole word that fits
    size_t pos = lineStart;
    int width = 0;
    while (pos < end) {
      size_t wordEnd = pos;
      while (wordEnd < end && all[wordEnd] == U' ') ++wordEnd;
      while (wordEnd < end && all[wordEnd] != U' ') ++wordEnd;
      int w = width + font.TextWidth(std::u32string_view(all).substr(pos, wordEnd - pos));
      if (w > maxWidth && lineEnd > lineStart) break;
      width = w;
      pos = lineEnd = wordEnd;
    }
    if (pos >= end) lineEnd = end;
    size_t trimmed = lineEnd;
    while (trimmed > lineStart && all[trimmed - 1] == U' ') --trimmed;
    AddLine(lines, all, lineStart, lineEnd == end ? end : trimmed, accel, font);
    if (lineEnd >= end) break;
    lineStart = lineEnd;
    while (lineStart < end && all[lineStart] == U' ') ++lineStart;  // spaces at a break vanish
    if (lineStart >= end) break;
  }
}

}  // namespace

std::vector<TTextLine> BreakText(const std::string& text, uint32_t flags, int maxWidth, TFontInstance& font) {
  int accel = -1;
  std::u32string all = Prepare(text, flags, accel);
  std::vector<TTextLine> lines;
  if (flags & DT_SINGLELINE) {
    // Line breaks do not break a single line; they take no room.
    std::u32string one;
    int oneAccel = -1;
    for (size_t i = 0; i < all.size(); ++i) {
      if (int(i) == accel) oneAccel = int(one.size());
      if (all[i] != U'\r' && all[i] != U'\n') one.push_back(all[i]);
    }
    AddLine(lines, one, 0, one.size(), oneAccel, font);
    return lines;
  }
  size_t begin = 0;
  while (begin <= all.size()) {
    size_t nl = all.find(U'\n', begin);
    size_t end = nl == std::u32string::npos ? all.size() : nl;
    size_t contentEnd = (end > begin && all[end - 1] == U'\r') ? end - 1 : end;
    if (flags & DT_WORDBREAK)
      WrapParagraph(lines, all, begin, contentEnd, accel, maxWidth, font);
    else
      AddLine(lines, all, begin, contentEnd, accel, font);
    if (nl == std::u32string::npos || nl + 1 == all.size()) break;  // a final line break adds no line
    begin = nl + 1;
  }
  return lines;
}
