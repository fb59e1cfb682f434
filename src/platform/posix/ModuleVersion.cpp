#include "platform/Version.h"

namespace platform {

// Executables here have no version resource: the program embeds resources/version.ver.
bool RunningModuleVersionBlock(std::vector<uint8_t>& block) {
  block.clear();
  return false;
}

}  // namespace platform
