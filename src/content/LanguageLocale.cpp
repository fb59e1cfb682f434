#include "content/LanguageLocale.h"

#include <algorithm>
#include <cctype>

#include "platform/Files.h"
#include "platform/UserEnvironment.h"

namespace {

bool AllLetters(const std::string& s, size_t min, size_t max) {
  return s.size() >= min && s.size() <= max &&
         std::all_of(s.begin(), s.end(), [](char c) { return std::isalpha(uint8_t(c)) != 0; });
}

}  // namespace

std::string LocaleCode(const std::string& name) {
  std::string code = name.substr(0, name.find_first_of(".@"));
  if (code == "C" || code == "POSIX") return {};
  std::string language = code, territory;
  if (size_t sep = code.find_first_of("_-"); sep != std::string::npos) {
    language = code.substr(0, sep);
    territory = code.substr(sep + 1);
    if (!AllLetters(territory, 2, 3) &&
        !(territory.size() == 3 &&
          std::all_of(territory.begin(), territory.end(), [](char c) { return std::isdigit(uint8_t(c)) != 0; })))
      return {};
  }
  if (!AllLetters(language, 2, 3)) return {};
  for (char& c : language) c = char(std::tolower(uint8_t(c)));
  for (char& c : territory) c = char(std::toupper(uint8_t(c)));
  return territory.empty() ? language : language + "_" + territory;
}

std::vector<std::string> ParseLocaleCodes(const std::string& text) {
  std::vector<std::string> codes;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    line = line.substr(0, line.find('#'));
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    if (std::string code = LocaleCode(line); !code.empty()) codes.push_back(code);
  }
  return codes;
}

std::vector<std::string> ReadLocaleCodes(const std::string& folder) {
  std::string text;
  const std::string path = PathIgnoringCase(folder, "locale.txt");
  if (!platform::FileExists(path) || !platform::ReadWholeFile(path, text)) return {};
  return ParseLocaleCodes(text);
}

int MatchLocale(const std::vector<std::vector<std::string>>& codesPerLanguage,
                const std::vector<std::string>& userLocaleNames) {
  auto find = [&codesPerLanguage](const std::string& code) {
    for (size_t i = 0; i < codesPerLanguage.size(); ++i)
      if (std::find(codesPerLanguage[i].begin(), codesPerLanguage[i].end(), code) != codesPerLanguage[i].end())
        return int(i);
    return -1;
  };
  for (const std::string& name : userLocaleNames) {
    const std::string code = LocaleCode(name);
    if (code.empty()) continue;
    if (int exact = find(code); exact >= 0) return exact;
    if (size_t sep = code.find('_'); sep != std::string::npos)
      if (int bare = find(code.substr(0, sep)); bare >= 0) return bare;
  }
  return -1;
}

int LanguageForUserLocale(const std::vector<TLanguageFolder>& languages) {
  const std::vector<std::string> names = platform::UserLanguageNames();
  if (names.empty()) return -1;
  std::vector<std::vector<std::string>> codes;
  codes.reserve(languages.size());
  for (const TLanguageFolder& language : languages) codes.push_back(ReadLocaleCodes(language.Path));
  return MatchLocale(codes, names);
}
