#pragma once

// Version information blocks in the classic VS_VERSIONINFO layout: a tree of
// blocks, each
//
//   uint16 wLength       bytes of the block, its value and its children
//   uint16 wValueLength  length of the value: characters for text, bytes for binary
//   uint16 wType         1 = text (UTF-16LE, zero-terminated), 0 = binary
//   char16 szKey[]       UTF-16LE name, zero-terminated
//   padding to a 32-bit boundary (measured from the start of the block data)
//   value                (wValueLength units)
//   padding to a 32-bit boundary
//   children             blocks, each starting on a 32-bit boundary
//
// All numbers are little-endian. The root block is "VS_VERSION_INFO" with the
// 52-byte fixed file information as its value; below it "StringFileInfo" holds
// one table per translation (named by language and code page as 8 hexadecimal
// digits, e.g. "040904E4") of text values such as "FileVersion", and
// "VarFileInfo" holds "Translation", a list of 32-bit entries whose low 16 bits
// are the language and high 16 bits the code page.
//
// On Windows this is the executable's own version resource; elsewhere the program
// carries the same bytes as an embedded resource (resources/version.ver).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct TPVersionValue {
  bool IsText = false;
  std::string Text;            // a text value in Windows-1252 (characters outside it become '?')
  std::vector<uint8_t> Bytes;  // a binary value as stored
};

// Looks up a value by its path of block names separated by '\' ("\" is the root's
// own value, the fixed file information); names compare without regard to letter
// case. False when the path does not exist or the block is malformed; a malformed
// block is never read beyond size bytes.
bool QueryVersionValue(const void* block, size_t size, const std::string& subBlock, TPVersionValue& value);

// The running executable's version block as the system keeps it with the module (the
// Windows VERSIONINFO resource); false where there is none and the program carries
// its own copy instead.
bool RunningModuleVersionBlock(std::vector<uint8_t>& block);

}  // namespace platform
