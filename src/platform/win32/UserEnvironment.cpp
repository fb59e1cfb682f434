#include "platform/UserEnvironment.h"

#include <shlobj.h>
#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

std::string UserDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  std::string folder = win32::Utf8FromWide(path);
  for (char& c : folder)
    if (c == '\\') c = '/';
  return folder;
}

std::vector<std::string> UserLanguageNames() {
  // LCIDToLocaleName needs Vista; the display language's LCID names the same locale on
  // every Windows this program runs on.
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) <= 0)
    return {};
  return {win32::Utf8FromWide(name)};
}

}  // namespace platform
