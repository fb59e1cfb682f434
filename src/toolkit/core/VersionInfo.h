#pragma once

// The version information of files, read as on the original platform: ask for the
// size, read the block, then query values in it by path (see platform/Version.h
// for the block layout and the paths).
//
// The running executable's block is the embedded resource "version" of kind "ver"
// (resources/version.ver); no other file carries one on this platform. Tests may
// replace where blocks come from with SetVersionBlockSource.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Version.h"

using TVersionValue = platform::TPVersionValue;

// Size in bytes of fileName's version information; 0 when it has none.
uint32_t GetFileVersionInfoSize(const std::string& fileName);
// Copies at most length bytes of fileName's version information into data (the
// rest of data is zeroed); false when the file has none.
bool GetFileVersionInfo(const std::string& fileName, uint32_t length, void* data);
// Looks a value up in a block of size bytes read by GetFileVersionInfo.
bool VerQueryValue(const void* block, size_t size, const std::string& subBlock, TVersionValue& value);

// Supplies the version block of a file; false when it has none.
using TVersionBlockSource = std::function<bool(const std::string& fileName, std::vector<uint8_t>& block)>;
// Replaces the source of version blocks; an empty function restores the embedded one.
void SetVersionBlockSource(TVersionBlockSource source);
