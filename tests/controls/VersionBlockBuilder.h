#pragma once

// Builds version blocks in the layout platform/Version.h describes, for tests.

#include <cstdint>
#include <string>
#include <vector>

namespace versiontest {

using TBytes = std::vector<uint8_t>;

inline void Pad4(TBytes& b) {
  while (b.size() % 4) b.push_back(0);
}

inline void PutWord(TBytes& b, uint16_t w) {
  b.push_back(uint8_t(w & 0xFF));
  b.push_back(uint8_t(w >> 8));
}

inline TBytes Block(const std::string& key, const TBytes& value, uint16_t valueLength, bool text,
                    const std::vector<TBytes>& children = {}) {
  TBytes b;
  PutWord(b, 0);
  PutWord(b, valueLength);
  PutWord(b, text ? 1 : 0);
  for (char c : key) PutWord(b, uint8_t(c));
  PutWord(b, 0);
  Pad4(b);
  b.insert(b.end(), value.begin(), value.end());
  for (const TBytes& child : children) {
    Pad4(b);
    b.insert(b.end(), child.begin(), child.end());
  }
  b[0] = uint8_t(b.size() & 0xFF);
  b[1] = uint8_t(b.size() >> 8);
  return b;
}

inline TBytes Text(const std::string& key, const std::string& value) {
  TBytes v;
  for (char c : value) PutWord(v, uint8_t(c));
  PutWord(v, 0);
  return Block(key, v, uint16_t(value.size() + 1), true);
}

// A root with the given translation and string tables (name -> FileVersion).
inline TBytes VersionBlock(uint16_t language, uint16_t codePage,
                           const std::vector<std::pair<std::string, std::string>>& tables) {
  std::vector<TBytes> tableBlocks;
  for (const auto& [name, version] : tables)
    tableBlocks.push_back(Block(name, {}, 0, true, {Text("FileVersion", version)}));
  TBytes translation;
  PutWord(translation, language);
  PutWord(translation, codePage);
  TBytes fixed(52, 0);
  return Block("VS_VERSION_INFO", fixed, 52, false,
               {Block("StringFileInfo", {}, 0, true, tableBlocks),
                Block("VarFileInfo", {}, 0, true, {Block("Translation", translation, 4, false)})});
}

}  // namespace versiontest
