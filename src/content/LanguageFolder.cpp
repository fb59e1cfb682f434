#include "content/LanguageFolder.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "content/TDirEntryIterator.h"
#include "content/TLineIterator.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "platform/UserEnvironment.h"
#include "platform/Utf8.h"

namespace {

// By name, letter case ignored, so a teacher finds a language where they expect it;
// names equal but for letter case keep a fixed order too.
bool NameBefore(const std::string& a, const std::string& b) {
  const int folded = strcasecmp(a.c_str(), b.c_str());
  return folded != 0 ? folded < 0 : a < b;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The folder that holds path ("" for a bare name, "/" for the root).
std::string ParentOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  // An executable in the root folder lives in "/" (or "C:/"), which the empty string
  // (the current folder) or "C:" (the drive's current folder) would not name.
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

// True when data looks like binary data rather than text in an 8-bit code page: it
// holds a zero byte, or control characters other than tab and line ends make up more
// than a twentieth of it.
bool LooksBinary(const std::string& data) {
  size_t controls = 0;
  for (char c : data) {
    const auto b = uint8_t(c);
    if (b == 0) return true;
    if (b < 0x20 && b != '\t' && b != '\r' && b != '\n' && b != 0x1A) ++controls;
  }
  return controls * 20 > data.size();
}

}  // namespace

std::string ProgramFolder() {
  // An executable in the root folder lives in "/", which the empty string (the current
  // folder) would not name.
  return ParentOf(platform::ExecutablePath());
}

std::vector<std::string> LanguagePlaces(const std::string& programFolder, const std::string& userDataFolder) {
  std::vector<std::string> places;
  auto add = [&places](const std::string& place) {
    if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(place);
  };
  if (!userDataFolder.empty()) add(Join(userDataFolder, "pointrix/languages"));
  add(programFolder);
  // <prefix>/bin/pointrix reads <prefix>/share/pointrix/languages.
  if (!programFolder.empty()) {
    std::string prefix = programFolder == "/" ? std::string("/") : ParentOf(programFolder);
    if (prefix.empty()) prefix = "..";  // a program folder given as a bare name
    add(Join(prefix, "share/pointrix/languages"));
  }
  return places;
}

std::vector<std::string> LanguagePlaces() {
  return LanguagePlaces(ProgramFolder(), platform::UserDataFolder());
}

std::vector<std::string> ListLanguageFolders(const std::string& place) {
  std::vector<std::string> names;
  TSubDirIterator it(place);
  while (it.valid()) {
    std::string name = it.current()->cFileName;
    if (name != "Output") names.push_back(name);
    it.advance();
  }
  std::sort(names.begin(), names.end(), NameBefore);
  return names;
}

std::vector<TLanguageFolder> ListLanguages(const std::vector<std::string>& places) {
  std::vector<TLanguageFolder> languages;
  for (const std::string& place : places) {
    // Names of this place may repeat one another (they differ on disk); only names of
    // earlier places hide them.
    const size_t earlier = languages.size();
    for (const std::string& folder : ListLanguageFolders(place)) {
      TLanguageFolder language{ShownName(folder), Join(place, folder)};
      const bool hidden = std::any_of(languages.begin(), languages.begin() + ptrdiff_t(earlier),
                                      [&language](const TLanguageFolder& taken) {
                                        return strcasecmp(taken.Name.c_str(), language.Name.c_str()) == 0;
                                      });
      if (!hidden) languages.push_back(std::move(language));
    }
  }
  std::stable_sort(languages.begin(), languages.end(),
                   [](const TLanguageFolder& a, const TLanguageFolder& b) { return NameBefore(a.Name, b.Name); });
  return languages;
}

std::string ShownName(const std::string& nameOnDisk) {
  std::string shown;
  size_t pos = 0;
  while (pos < nameOnDisk.size()) {
    const int32_t c = platform::DecodeUtf8(nameOnDisk, pos);
    if (c < 0) return nameOnDisk;  // not UTF-8: Windows-1252 bytes as they are
    const int byte = platform::CodePointToCp1252(char32_t(c));
    shown += byte < 0 ? '?' : char(byte);
  }
  return shown;
}

std::string ShownPath(const std::string& path) {
  // Each part on its own: a folder named in UTF-8 may hold a file named in Windows-1252.
  std::string shown;
  size_t start = 0;
  for (size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1)
    shown += ShownName(path.substr(start, slash - start)) + '/';
  return shown + ShownName(path.substr(start));
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string PathIgnoringCase(const std::string& folder, const std::string& name) {
  std::string exact = Join(folder, name);
  if (platform::FileExists(exact) || platform::FolderExists(exact)) return exact;
  for (const std::string& entry : platform::ListFolderNames(folder.empty() ? "." : folder))
    if (strcasecmp(entry.c_str(), name.c_str()) == 0) return Join(folder, entry);
  return exact;
}

std::string PageFilePath(const std::string& languageFolder, int n, bool leftHanded) {
  std::string common = PathIgnoringCase(languageFolder, std::to_string(n) + ".rtf");
  if (platform::FileExists(common)) return common;
  return PathIgnoringCase(languageFolder, std::to_string(n) + (leftHanded ? "l.rtf" : "r.rtf"));
}

std::vector<std::string> TextFileCandidates(const TLanguageFolder& language) {
  std::vector<std::string> candidates{PathIgnoringCase(language.Path, BaseName(language.Path) + ".txt")};
  std::string shown = PathIgnoringCase(language.Path, language.Name + ".txt");
  if (shown != candidates[0]) candidates.push_back(shown);
  return candidates;
}

std::string FindTextFile(const TLanguageFolder& language, std::string& problem) {
  problem.clear();
  const std::vector<std::string> candidates = TextFileCandidates(language);
  std::string path;
  for (const std::string& candidate : candidates) {
    std::error_code error;
    const auto status = std::filesystem::status(platform::FileSystemPath(candidate), error);
    // Anything there, even a broken one, is the file meant; only absent names move on.
    if (status.type() != std::filesystem::file_type::not_found ||
        (error && error != std::errc::no_such_file_or_directory)) {
      path = candidate;
      break;
    }
  }
  if (path.empty()) {
    if (candidates.size() == 1)
      problem = ShownPath(candidates[0]) + " does not exist";
    else if (ShownPath(candidates[0]) == ShownPath(candidates[1]))
      problem =
          ShownPath(candidates[0]) + " does not exist (neither under its UTF-8 name nor under its Windows-1252 name)";
    else
      problem = "neither " + ShownPath(candidates[0]) + " nor " + ShownPath(candidates[1]) + " exists";
    return {};
  }
  const std::string shown = ShownPath(path);
  std::error_code error;
  const auto status = std::filesystem::status(platform::FileSystemPath(path), error);
  std::string data;
  if (error)
    problem = shown + " cannot be opened (" + error.message() + ")";
  else if (status.type() == std::filesystem::file_type::directory)
    problem = shown + " is a folder, not a file";
  else if (status.type() != std::filesystem::file_type::regular)
    problem = shown + " is not a regular file";
  else if (auto size = platform::FileSize(path); size && *size > uint64_t(TLineIterator::BufferSize))
    problem = shown + " is larger than " + std::to_string(TLineIterator::BufferSize) + " bytes";
  else if (!platform::ReadWholeFile(path, data))
    problem = shown + " cannot be read";
  else if (data.size() > size_t(TLineIterator::BufferSize))
    problem = shown + " is larger than " + std::to_string(TLineIterator::BufferSize) + " bytes";
  else if (LooksBinary(data))
    problem = shown + " is not a text file";
  return problem.empty() ? path : std::string();
}
