#pragma once

// Where language folders and their files are. Languages are gathered from several
// places: the user's own folder ($XDG_DATA_HOME/pointrix/languages), the folder of the
// executable (a portable copy or a build folder) and <prefix>/share/pointrix/languages
// of an installation. Names are matched as the original platform matches them (letter
// case ignored), so that a stored "english" finds the folder "English" and its
// "English.txt".

#include <string>
#include <vector>

// The executable's folder without a trailing separator ("" when unknown).
std::string ProgramFolder();

// The places searched for language folders, the one that wins first: the user's folder,
// the program's folder, then <program folder>/../share/pointrix/languages (written
// without the ".."). Each place appears once.
std::vector<std::string> LanguagePlaces(const std::string& programFolder, const std::string& userDataFolder);
// The same for the running program and the user's data folder of the platform.
std::vector<std::string> LanguagePlaces();

// One language of the list: the name shown (and stored in the Language setting) and
// the folder on disk that holds its files.
struct TLanguageFolder {
  std::string Name;
  std::string Path;
};

// Every language folder of the places, sorted by shown name with letter case ignored:
// sub-folders whose names do not begin with "." and are not exactly "Output". A name
// found in an earlier place hides the same name (letter case ignored) in later ones.
std::vector<TLanguageFolder> ListLanguages(const std::vector<std::string>& places);

// The language folders of one place by name, sorted as above (folder names as on disk).
std::vector<std::string> ListLanguageFolders(const std::string& place);

// The name shown for a folder name as the file system holds it: a name that is valid
// UTF-8 is decoded into the program's 8-bit text (Windows-1252), characters the code
// page lacks becoming '?'; any other name is taken as Windows-1252 bytes already.
std::string ShownName(const std::string& nameOnDisk);

// The last part of a path (after the last '/').
std::string BaseName(const std::string& path);

// The path of name inside folder: the exact name when it exists, else an entry whose
// name matches it ignoring letter case, else the exact name (which then does not exist).
std::string PathIgnoringCase(const std::string& folder, const std::string& name);

// Page file n of a language folder: "<n>.rtf" when that file exists, else the variant
// "<n>l.rtf" (left-handed) or "<n>r.rtf" (right-handed).
std::string PageFilePath(const std::string& languageFolder, int n, bool leftHanded);

// The candidates for a language's text file, in the order they are tried: the folder's
// name on disk + ".txt", then (when it differs) its shown name + ".txt".
std::vector<std::string> TextFileCandidates(const TLanguageFolder& language);

// Finds a language's text file and checks that it can be used. Returns its path, or ""
// with problem set to why not, naming every path tried: missing, not a regular file (a
// folder, a link loop), unreadable, larger than the line reader's buffer, or not text.
std::string FindTextFile(const TLanguageFolder& language, std::string& problem);

// A path as the program shows it: ShownName of the whole path.
std::string ShownPath(const std::string& path);
