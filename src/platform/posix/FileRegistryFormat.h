#pragma once

// The text form of a hive file: the REGEDIT4 export format.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Quillaby Software\Pointrix]
//   "Language"="English"
//   @="the unnamed value"
//   "Count"=dword:00000003
//   "Path"=hex(2):25,48,4f,4d,45,25,00
//
// Text is 8-bit and written as it is, with '"' and '\' escaped by a '\'. Text values that
// would not survive a line-based reading (line breaks and other control characters,
// zero bytes, a missing terminating zero) are written as hex(1). Long hex values are
// continued on the next line after a trailing '\'. Lines starting with ';' are comments;
// "[-path]" removes a key and "name"=- a value, as in files a person may write by hand.

#include <string>

#include "platform/posix/FileRegistryTree.h"

namespace platform {

// Reads a whole hive file of the root named rootName (such as "HKEY_CURRENT_USER") into
// root, which is emptied first. An empty or blank file is an empty hive. On failure root
// is left empty and error says where and why ("line 3: unterminated text").
bool ParseRegFile(const std::string& text, const std::string& rootName, TRegKey& root, std::string& error);

// Writes the hive below root as a hive file. Parsing the result gives the same tree.
std::string FormatRegFile(const TRegKey& root, const std::string& rootName);

}  // namespace platform
