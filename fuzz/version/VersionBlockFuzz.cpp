// Feeds arbitrary bytes to the version block reader: it must never read outside
// the block, whatever the lengths inside claim.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Version.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly size bytes, so that any read past the end is caught.
  std::vector<uint8_t> block(data, data + size);
  static const char* const QueryPaths[] = {"\\", "\\VarFileInfo\\Translation",
                                           "\\StringFileInfo\\040904e4\\FileVersion",
                                           "\\StringFileInfo\\040904E4\\ProductVersion", "\\\\x\\\\"};
  for (const char* path : QueryPaths) {
    platform::TPVersionValue value;
    platform::QueryVersionValue(block.data(), block.size(), path, value);
  }
  return 0;
}
