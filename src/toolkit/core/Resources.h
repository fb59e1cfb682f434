#pragma once

// Lookup of the resources embedded in the executable (see ResourceTable.h).

#include <cstddef>
#include <cstdint>
#include <string>

struct TResourceEntry;

// The bytes of one embedded resource; valid for the life of the program.
struct TResourceData {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
};

// The resource of this kind ("bmp", "cur", "wav", ...) and name, both compared
// without regard to letter case; nullptr when there is none.
const TResourceEntry* FindResourceEntry(const std::string& kind, const std::string& name);
bool ResourceExists(const std::string& kind, const std::string& name);
// The bytes of a resource; raises Exception "Resource <name> not found" when it is missing.
TResourceData ResourceBytes(const std::string& kind, const std::string& name);
