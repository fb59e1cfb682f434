#include <windows.h>

#include "platform/Version.h"

namespace platform {

// The VERSIONINFO resource linked into the running executable (resource id 1).
bool RunningModuleVersionBlock(std::vector<uint8_t>& block) {
  block.clear();
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
  if (!found) return false;
  const DWORD size = SizeofResource(nullptr, found);
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data || size == 0) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  block.assign(bytes, bytes + size);
  return true;
}

}  // namespace platform
