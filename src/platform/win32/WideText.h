#pragma once

// Conversions between the program's 8-bit text and the UTF-16 of the wide-character
// Windows calls: UTF-8 for file paths, Windows-1252 for registry names and text.

#include <string>

namespace platform::win32 {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromCp1252(const std::string& text);
// Characters outside Windows-1252 become '?'.
std::string Cp1252FromWide(const std::wstring& text);

// A path for the wide file calls: UTF-8 decoded, '/' turned into '\'. Paths of 260
// characters or more get the "\\?\" prefix when they are absolute, so that they work
// whatever the system's path length setting.
std::wstring WidePath(const std::string& path);

}  // namespace platform::win32
