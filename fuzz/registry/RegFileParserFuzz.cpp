// Feeds arbitrary bytes to the hive file parser. Whatever parses (lines it cannot read
// included, which it keeps) must be written back, in the format it was read with, to a
// file that parses to the same tree and format and is written identically again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/FileRegistryFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform;
  const std::string text(reinterpret_cast<const char*>(data), size);
  TRegKey root;
  std::string error;
  TRegFileFormat format;
  std::vector<std::string> problems;
  if (!ParseRegFile(text, "HKEY_CURRENT_USER", root, error, &format, &problems)) {
    if (!root.IsEmpty() || error.empty()) std::abort();
    return 0;
  }
  const std::string written = FormatRegFile(root, "HKEY_CURRENT_USER", format);
  TRegKey again;
  TRegFileFormat formatAgain;
  if (!ParseRegFile(written, "HKEY_CURRENT_USER", again, error, &formatAgain)) std::abort();
  if (!again.SameContent(root) || !(formatAgain == format)) std::abort();
  if (FormatRegFile(again, "HKEY_CURRENT_USER", formatAgain) != written) std::abort();
  return 0;
}
