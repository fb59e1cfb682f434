#pragma once

// UTF-8 encoding and decoding of code points, shared by every layer that turns text
// into UTF-8 or reads it.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Appends c to out as UTF-8 (one to four bytes).
inline void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// Whether encoded UTF-16 surrogates (U+D800..U+DFFF) count as characters: text
// converted from UTF-16 may hold lone ones and must come back unchanged.
enum class TSurrogates : uint8_t { Reject, Accept };

// Length of the well-formed UTF-8 sequence at s[i] (no overlongs or values above
// U+10FFFF; no surrogates unless accepted), or 0 when the bytes there are not one.
inline size_t Utf8SequenceLength(std::string_view s, size_t i, TSurrogates surrogates = TSurrogates::Reject) {
  const auto b = uint8_t(s[i]);
  if (b < 0x80) return 1;
  const size_t n = (b >= 0xC2 && b <= 0xDF) ? 2 : (b >= 0xE0 && b <= 0xEF) ? 3 : (b >= 0xF0 && b <= 0xF4) ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((uint8_t(s[i + k]) & 0xC0) != 0x80) return 0;
  const auto b1 = uint8_t(s[i + 1]);
  const bool surrogate = b == 0xED && b1 >= 0xA0;
  if ((b == 0xE0 && b1 < 0xA0) || (surrogate && surrogates == TSurrogates::Reject) || (b == 0xF0 && b1 < 0x90) ||
      (b == 0xF4 && b1 >= 0x90))
    return 0;
  return n;
}

// Decodes the code point at s[pos] and moves pos past it; a malformed sequence
// gives -1 and moves pos by one byte.
inline int32_t DecodeUtf8(std::string_view s, size_t& pos, TSurrogates surrogates = TSurrogates::Reject) {
  const size_t n = Utf8SequenceLength(s, pos, surrogates);
  if (n == 0) {
    ++pos;
    return -1;
  }
  static constexpr uint8_t LeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  int32_t c = uint8_t(s[pos]) & LeadMask[n];
  for (size_t k = 1; k < n; ++k) c = (c << 6) | (uint8_t(s[pos + k]) & 0x3F);
  pos += n;
  return c;
}

}  // namespace platform
