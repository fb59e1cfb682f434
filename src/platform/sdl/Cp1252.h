#pragma once

// Conversions between the program's 8-bit text (Windows-1252) and the UTF-8 that
// SDL and the desktop speak.

#include <string>

namespace platform {

// Every byte has a code point: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same value.
std::string Cp1252ToUtf8(const std::string& text);

// Characters without a Windows-1252 byte and malformed UTF-8 are dropped.
std::string Utf8ToCp1252(const std::string& text);

}  // namespace platform
