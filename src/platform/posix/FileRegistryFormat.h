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
// Text is 8-bit (Windows-1252) and written as it is, with '"' and '\' escaped by a '\'.
// Text values that would not survive a line-based reading (line breaks and other control
// characters, zero bytes, a missing terminating zero) are written as hex(1). Long hex
// values are continued on the next line after a trailing '\'. Lines starting with ';' are
// comments; "[-path]" removes a key and "name"=- a value, as in files a person may write
// by hand.
//
// Files the registry editor exports are read too: the "Windows Registry Editor Version
// 5.00" header, UTF-16 LE or UTF-8 text after a byte order mark (converted to and from the
// 8-bit text; a line with characters outside it cannot be read) and, in such files, text
// types written as hex (hex(1), hex(2), hex(7)) holding UTF-16 LE. A file is written back
// with the header, encoding and line ends it was read with.
//
// A line that cannot be read (an unknown escape, a value without quotes...) does not stop
// the reading: it is listed as a problem and kept verbatim in its key, to be written back
// as it was; the lines of a key line that cannot be read are kept with it. Only a file
// that does not start with one of the two headers is refused as a whole.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/FileRegistryTree.h"

namespace platform {

// How a hive file is written: what it was read with, REGEDIT4 in 8-bit text with '\n'
// line ends for a new file.
struct TRegFileFormat {
  enum TEncoding : uint8_t { reEightBit, reUtf8, reUtf16 };  // the last two with a byte order mark
  TEncoding Encoding = reEightBit;
  bool Version5 = false;  // "Windows Registry Editor Version 5.00" rather than "REGEDIT4"
  bool CrLf = false;
  friend bool operator==(const TRegFileFormat&, const TRegFileFormat&) = default;
};

// Reads a whole hive file of the root named rootName (such as "HKEY_CURRENT_USER") into
// root, which is emptied first. An empty or blank file is an empty hive. Lines that cannot
// be read are kept in root and described in problems ("line 3: unterminated text"). False
// only for a file that is not a hive file at all: root is then left empty and error says
// why ("line 1: the file does not begin with REGEDIT4").
bool ParseRegFile(const std::string& bytes, const std::string& rootName, TRegKey& root, std::string& error,
                  TRegFileFormat* format = nullptr, std::vector<std::string>* problems = nullptr);

// Writes the hive below root as a hive file. Parsing the result gives the same tree.
std::string FormatRegFile(const TRegKey& root, const std::string& rootName, const TRegFileFormat& format = {});

}  // namespace platform
