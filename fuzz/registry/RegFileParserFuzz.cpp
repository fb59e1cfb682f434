// Feeds arbitrary bytes to the hive file parser. Whatever parses must be written back to
// a file that parses to the same tree and is written identically again.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/posix/FileRegistryFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform;
  const std::string text(reinterpret_cast<const char*>(data), size);
  TRegKey root;
  std::string error;
  if (!ParseRegFile(text, "HKEY_CURRENT_USER", root, error)) {
    if (!root.IsEmpty() || error.empty()) std::abort();
    return 0;
  }
  const std::string written = FormatRegFile(root, "HKEY_CURRENT_USER");
  TRegKey again;
  if (!ParseRegFile(written, "HKEY_CURRENT_USER", again, error)) std::abort();
  if (!again.SameContent(root)) std::abort();
  if (FormatRegFile(again, "HKEY_CURRENT_USER") != written) std::abort();
  return 0;
}
