#include "toolkit/RtfReader.h"

#include "platform/Utf8.h"
#include "toolkit/RtfCodePages.h"
#include "toolkit/RtfParser.h"

namespace {

using platform::AppendUtf8;

// Length of the well-formed UTF-8 sequence at s[i] (no overlongs, surrogates or
// values above U+10FFFF), or 0.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  auto b = uint8_t(s[i]);
  if (b < 0x80) return 1;
  size_t n = (b >= 0xC2 && b <= 0xDF) ? 2 : (b >= 0xE0 && b <= 0xEF) ? 3 : (b >= 0xF0 && b <= 0xF4) ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((uint8_t(s[i + k]) & 0xC0) != 0x80) return 0;
  auto b1 = uint8_t(s[i + 1]);
  if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 >= 0xA0) || (b == 0xF0 && b1 < 0x90) || (b == 0xF4 && b1 >= 0x90))
    return 0;
  return n;
}

// Valid UTF-8 with at least one character beyond ASCII.
bool LooksLikeUtf8(std::string_view s) {
  bool multiByte = false;
  for (size_t i = 0; i < s.size();) {
    size_t n = Utf8SequenceLength(s, i);
    if (n == 0) return false;
    multiByte = multiByte || n > 1;
    i += n;
  }
  return multiByte;
}

// One line of plain text as UTF-8: Windows-1252 bytes converted, or UTF-8 passed
// through with malformed bytes replaced by U+FFFD. Control characters other than
// TAB are dropped.
std::string LineText(std::string_view line, bool utf8) {
  std::string text;
  text.reserve(line.size());
  const TCodePageTable* table = FindCodePageTable(1252);
  for (size_t i = 0; i < line.size();) {
    auto b = uint8_t(line[i]);
    if (b < 0x80) {
      if (b >= 0x20 || b == '\t') text += char(b);
      ++i;
    } else if (!utf8) {
      AppendUtf8(text, table->High[b - 0x80]);
      ++i;
    } else if (size_t n = Utf8SequenceLength(line, i)) {
      text.append(line.substr(i, n));
      i += n;
    } else {
      AppendUtf8(text, 0xFFFD);
      ++i;
    }
  }
  return text;
}

}  // namespace

bool TRtfReader::IsRtf(std::string_view data) {
  return data.substr(0, 5) == "{\\rtf";
}

TRtfDocument TRtfReader::Read(std::string_view data) {
  if (!IsRtf(data)) return ReadPlainText(data);
  return TRtfParser(data).Parse();
}

TRtfDocument TRtfReader::ReadPlainText(std::string_view data) {
  TRtfDocument doc;
  doc.PlainSource = true;
  bool utf8 = data.substr(0, 3) == "\xEF\xBB\xBF";
  if (utf8) {
    data.remove_prefix(3);
  } else {
    utf8 = LooksLikeUtf8(data);
  }
  size_t pos = 0;
  while (pos < data.size() && doc.Paragraphs.size() < TRtfParser::kMaxParagraphs) {
    size_t end = data.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = data.size();
    TRtfParagraph paragraph;
    std::string text = LineText(data.substr(pos, end - pos), utf8);
    if (!text.empty()) paragraph.Runs.push_back(TRtfRun{TRtfCharFormat{}, std::move(text), -1});
    doc.Paragraphs.push_back(std::move(paragraph));
    pos = end;
    if (pos < data.size()) pos += data.substr(pos, 2) == "\r\n" ? 2 : 1;
  }
  return doc;
}
