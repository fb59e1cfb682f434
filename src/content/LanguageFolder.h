#pragma once

// Where language folders and their files are: beside the executable, with names
// matched as the original platform matches them (letter case ignored), so that a
// stored "english" finds the folder "English" and its "English.txt".

#include <string>
#include <vector>

// The executable's folder without a trailing separator ("" when unknown).
std::string ProgramFolder();

// The language folders beside the executable sorted by name, letter case ignored:
// sub-folders whose names do not begin with "." and are not exactly "Output".
std::vector<std::string> ListLanguageFolders(const std::string& programFolder);

// The path of name inside folder: the exact name when it exists, else an entry whose
// name matches it ignoring letter case, else the exact name (which then does not exist).
std::string PathIgnoringCase(const std::string& folder, const std::string& name);

// Page file n of a language folder: "<n>.rtf" when that file exists, else the variant
// "<n>l.rtf" (left-handed) or "<n>r.rtf" (right-handed).
std::string PageFilePath(const std::string& languageFolder, int n, bool leftHanded);
