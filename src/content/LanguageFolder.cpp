#include "content/LanguageFolder.h"

#include <strings.h>

#include <algorithm>

#include "content/TDirEntryIterator.h"
#include "platform/Files.h"

std::string ProgramFolder() {
  std::string path = platform::ExecutablePath();
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  // An executable in the root folder lives in "/" (or "C:/"), which the empty string
  // (the current folder) or "C:" (the drive's current folder) would not name.
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

std::vector<std::string> ListLanguageFolders(const std::string& programFolder) {
  std::vector<std::string> names;
  TSubDirIterator it(programFolder);
  while (it.valid()) {
    std::string name = it.current()->cFileName;
    if (name != "Output") names.push_back(name);
    it.advance();
  }
  // By name, letter case ignored, so a teacher finds a language where they expect it;
  // names equal but for letter case keep a fixed order too.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int folded = strcasecmp(a.c_str(), b.c_str());
    return folded != 0 ? folded < 0 : a < b;
  });
  return names;
}

std::string PathIgnoringCase(const std::string& folder, const std::string& name) {
  const std::string prefix = folder.empty() ? std::string() : folder.back() == '/' ? folder : folder + "/";
  std::string exact = prefix + name;
  if (platform::FileExists(exact) || platform::FolderExists(exact)) return exact;
  for (const platform::TPDirEntry& entry : platform::ListFolder(folder.empty() ? "." : folder))
    if (strcasecmp(entry.Name.c_str(), name.c_str()) == 0) return prefix + entry.Name;
  return exact;
}

std::string PageFilePath(const std::string& languageFolder, int n, bool leftHanded) {
  std::string common = PathIgnoringCase(languageFolder, std::to_string(n) + ".rtf");
  if (platform::FileExists(common)) return common;
  return PathIgnoringCase(languageFolder, std::to_string(n) + (leftHanded ? "l.rtf" : "r.rtf"));
}
