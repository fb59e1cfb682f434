#pragma once

// Conversions between the program's 8-bit text (Windows-1252) and the UTF-8 that
// SDL and the desktop speak.

#include <cstdint>
#include <string>

namespace platform {

// The code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are the C1 controls of the same value,
// so every byte survives a round trip.
char32_t Cp1252ToCodePoint(uint8_t byte);

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int CodePointToCp1252(char32_t c);

// Every byte has a code point (see Cp1252ToCodePoint).
std::string Cp1252ToUtf8(const std::string& text);

// Characters without a Windows-1252 byte and malformed UTF-8 are dropped.
std::string Utf8ToCp1252(const std::string& text);

}  // namespace platform
