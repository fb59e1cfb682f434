#include "toolkit/core/VersionInfo.h"

#include <algorithm>
#include <cstring>

#include "platform/Files.h"
#include "platform/Version.h"
#include "toolkit/core/Resources.h"

namespace {

TVersionBlockSource gSource;

// The running executable's block comes from the module itself where the system keeps
// one (Windows), else from the embedded resource.
bool EmbeddedBlock(const std::string& fileName, std::vector<uint8_t>& block) {
  if (platform::NativePath(fileName) != platform::NativePath(platform::ExecutablePath())) return false;
  if (platform::RunningModuleVersionBlock(block)) return true;
  if (!ResourceExists("ver", "version")) return false;
  TResourceData data = ResourceBytes("ver", "version");
  block.assign(data.Data, data.Data + data.Size);
  return true;
}

bool ReadBlock(const std::string& fileName, std::vector<uint8_t>& block) {
  block.clear();
  return gSource ? gSource(fileName, block) : EmbeddedBlock(fileName, block);
}

}  // namespace

void SetVersionBlockSource(TVersionBlockSource source) {
  gSource = std::move(source);
}

uint32_t GetFileVersionInfoSize(const std::string& fileName) {
  std::vector<uint8_t> block;
  if (!ReadBlock(fileName, block)) return 0;
  return uint32_t(std::min<size_t>(block.size(), UINT32_MAX));
}

bool GetFileVersionInfo(const std::string& fileName, uint32_t length, void* data) {
  std::vector<uint8_t> block;
  if (!data || !ReadBlock(fileName, block)) return false;
  const size_t n = std::min<size_t>(length, block.size());
  std::memcpy(data, block.data(), n);
  std::memset(static_cast<uint8_t*>(data) + n, 0, length - n);
  return true;
}

bool VerQueryValue(const void* block, size_t size, const std::string& subBlock, TVersionValue& value) {
  return platform::QueryVersionValue(block, size, subBlock, value);
}
