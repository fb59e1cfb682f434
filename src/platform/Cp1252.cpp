#include "platform/Cp1252.h"

#include <cstdint>

#include "platform/Utf8.h"

namespace platform {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr char32_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char32_t Cp1252ToCodePoint(uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? HighControls[byte - 0x80] : char32_t(byte);
}

int CodePointToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
  for (int i = 0; i < 32; ++i)
    if (HighControls[i] == c) return 0x80 + i;
  return -1;
}

std::string Cp1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) AppendUtf8(out, Cp1252ToCodePoint(uint8_t(ch)));
  return out;
}

std::string Utf8ToCp1252(const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    const int32_t c = DecodeUtf8(text, pos);
    const int byte = c < 0 ? -1 : CodePointToCp1252(char32_t(c));
    if (byte >= 0) out += char(byte);
  }
  return out;
}

}  // namespace platform
