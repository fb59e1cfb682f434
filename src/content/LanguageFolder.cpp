#include "content/LanguageFolder.h"

#include <strings.h>

#include "content/TDirEntryIterator.h"
#include "platform/Files.h"

std::string ProgramFolder() {
  std::string path = platform::ExecutablePath();
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::vector<std::string> ListLanguageFolders(const std::string& programFolder) {
  std::vector<std::string> names;
  TSubDirIterator it(programFolder);
  while (it.valid()) {
    std::string name = it.current()->cFileName;
    if (name != "Output") names.push_back(name);
    it.advance();
  }
  return names;
}

std::string PathIgnoringCase(const std::string& folder, const std::string& name) {
  std::string exact = folder.empty() ? name : folder + "/" + name;
  if (platform::FileExists(exact) || platform::FolderExists(exact)) return exact;
  for (const platform::TPDirEntry& entry : platform::ListFolder(folder.empty() ? "." : folder))
    if (strcasecmp(entry.Name.c_str(), name.c_str()) == 0) return folder.empty() ? entry.Name : folder + "/" + entry.Name;
  return exact;
}

std::string PageFilePath(const std::string& languageFolder, int n, bool leftHanded) {
  std::string common = PathIgnoringCase(languageFolder, std::to_string(n) + ".rtf");
  if (platform::FileExists(common)) return common;
  return PathIgnoringCase(languageFolder, std::to_string(n) + (leftHanded ? "l.rtf" : "r.rtf"));
}
