#include "platform/UserEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string UserDataFolder() {
  std::string data = Environment("XDG_DATA_HOME");
  if (!data.empty() && data[0] == '/') {
    while (data.size() > 1 && data.back() == '/') data.pop_back();
    return data;
  }
  std::string home = Environment("HOME");
  if (home.empty())
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) home = entry->pw_dir;
  while (!home.empty() && home.back() == '/') home.pop_back();
  return home + "/.local/share";
}

std::vector<std::string> UserLanguageNames() {
  std::vector<std::string> names;
  const std::string list = Environment("LANGUAGE");
  size_t start = 0;
  while (start <= list.size()) {
    size_t colon = list.find(':', start);
    if (colon == std::string::npos) colon = list.size();
    if (colon > start) names.push_back(list.substr(start, colon - start));
    start = colon + 1;
  }
  // The locale that decides the language of messages: the first of these that is set.
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    std::string value = Environment(variable);
    if (!value.empty()) {
      names.push_back(value);
      break;
    }
  }
  return names;
}

}  // namespace platform
