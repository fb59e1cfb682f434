#include "toolkit/forms/Sound.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "platform/Platform.h"
#include "toolkit/core/ResourceTable.h"
#include "toolkit/core/Resources.h"
#include "toolkit/core/Types.h"
#include "toolkit/graphics/formats/WavDecoder.h"

namespace {

// Decoded sounds by lower-case name; an empty entry remembers a sound that failed to decode.
std::map<std::string, std::optional<platform::TPSound>>& Cache() {
  static std::map<std::string, std::optional<platform::TPSound>> cache;
  return cache;
}

const platform::TPSound* Lookup(const std::string& name) {
  std::string key = name;
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  auto it = Cache().find(key);
  if (it != Cache().end()) return it->second ? &*it->second : nullptr;
  const TResourceEntry* entry = FindResourceEntry("wav", name);
  if (!entry) return nullptr;  // not cached: resources do not appear later, but the lookup is cheap
  std::optional<platform::TPSound> sound;
  try {
    sound = DecodeWav(entry->Begin, size_t(entry->End - entry->Begin));
  } catch (const Exception&) {
  }
  auto& slot = Cache()[key];
  slot = std::move(sound);
  return slot ? &*slot : nullptr;
}

}  // namespace

void PlaySoundResource(const std::string& name) {
  if (!platform::HasBackend()) return;
  const platform::TPSound* sound = Lookup(name);
  if (!sound) return;
  try {
    platform::Backend().Audio().Play(name, *sound);
  } catch (...) {
    // A sound that cannot be played is not worth an error.
  }
}

void ClearSoundCache() {
  Cache().clear();
}
