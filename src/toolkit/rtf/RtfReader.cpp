#include "toolkit/rtf/RtfReader.h"

#include "platform/Cp1252.h"
#include "platform/Utf8.h"
#include "toolkit/rtf/RtfCodePages.h"
#include "toolkit/rtf/RtfParser.h"

namespace {

using platform::AppendUtf8;
using platform::Utf8SequenceLength;

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
  for (size_t i = 0; i < line.size();) {
    auto b = uint8_t(line[i]);
    if (b < 0x80) {
      if (b >= 0x20 || b == '\t') text += char(b);
      ++i;
    } else if (!utf8) {
      // The code page's five undefined bytes show as the replacement character.
      const char32_t c = platform::Cp1252ToCodePoint(b);
      AppendUtf8(text, c < 0xA0 ? 0xFFFD : c);
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
  while (pos < data.size() && doc.Paragraphs.size() < TRtfParser::MaxParagraphs) {
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
