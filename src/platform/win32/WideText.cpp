#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform::win32 {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return {};
  const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
  const int n = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr, 0, fallback, nullptr);
  if (n <= 0) return {};
  std::string bytes(size_t(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), bytes.data(), n, fallback, nullptr);
  return bytes;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) {
  return ToWide(CP_UTF8, text);
}

std::string Utf8FromWide(const std::wstring& text) {
  return FromWide(CP_UTF8, text);
}

std::wstring WideFromCp1252(const std::string& text) {
  return ToWide(1252, text);
}

std::string Cp1252FromWide(const std::wstring& text) {
  return FromWide(1252, text);
}

std::wstring WidePath(const std::string& path) {
  std::wstring wide = WideFromUtf8(path);
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  const bool absolute = wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\';
  if (wide.size() >= MAX_PATH && absolute) wide = L"\\\\?\\" + wide;
  return wide;
}

}  // namespace platform::win32
