#include "platform/posix/FileRegistryTree.h"

#include <algorithm>

namespace platform {

namespace {

unsigned char FoldCase(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

}  // namespace

bool SameRegName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

bool TRegNameLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return FoldCase(static_cast<unsigned char>(x)) < FoldCase(static_cast<unsigned char>(y));
  });
}

bool IsValidRegKeyName(const std::string& name) {
  if (name.empty() || name.size() > RegMaxKeyNameLength) return false;
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return c == '\\' || static_cast<unsigned char>(c) < 0x20; });
}

bool IsValidRegValueName(const std::string& name) {
  if (name.size() > RegMaxValueNameLength) return false;
  return name.find_first_of(std::string("\0\r\n", 3)) == std::string::npos;
}

bool SplitRegPath(const std::string& text, TRegPath& path) {
  path.clear();
  size_t begin = (!text.empty() && text[0] == '\\') ? 1 : 0;
  size_t end = text.size();
  if (end > begin && text[end - 1] == '\\') --end;
  if (begin >= end) return true;
  while (true) {
    size_t sep = text.find('\\', begin);
    if (sep == std::string::npos || sep > end) sep = end;
    std::string name = text.substr(begin, sep - begin);
    if (!IsValidRegKeyName(name) || path.size() >= RegMaxKeyDepth) return false;
    path.push_back(std::move(name));
    if (sep >= end) return true;
    begin = sep + 1;
  }
}

TRegKey* TRegKey::FindSubKey(const std::string& name) const {
  auto it = FSubKeys.find(name);
  return it == FSubKeys.end() ? nullptr : it->second.get();
}

TRegKey& TRegKey::AddSubKey(const std::string& name) {
  auto it = FSubKeys.find(name);
  if (it == FSubKeys.end()) it = FSubKeys.emplace(name, std::make_unique<TRegKey>(name)).first;
  return *it->second;
}

void TRegKey::DeleteSubKey(const std::string& name) {
  FSubKeys.erase(name);
}

TRegKey* TRegKey::Find(const TRegPath& path) {
  TRegKey* key = this;
  for (const std::string& name : path) {
    key = key->FindSubKey(name);
    if (!key) return nullptr;
  }
  return key;
}

TRegKey& TRegKey::Create(const TRegPath& path) {
  TRegKey* key = this;
  for (const std::string& name : path) key = &key->AddSubKey(name);
  return *key;
}

const TRegValue* TRegKey::FindValue(const std::string& name) const {
  for (const TRegValue& value : FValues)
    if (SameRegName(value.Name, name)) return &value;
  return nullptr;
}

void TRegKey::SetValue(const std::string& name, DWORD type, std::string data) {
  for (TRegValue& value : FValues)
    if (SameRegName(value.Name, name)) {
      value.Type = type;
      value.Data = std::move(data);
      return;
    }
  FValues.push_back(TRegValue{name, type, std::move(data)});
}

void TRegKey::DeleteValue(const std::string& name) {
  for (size_t i = 0; i < FValues.size(); ++i) {
    if (!SameRegName(FValues[i].Name, name)) continue;
    FValues.erase(FValues.begin() + std::ptrdiff_t(i));
    // Kept lines stay where they were among the remaining values.
    for (TRegVerbatim& line : FVerbatim)
      if (line.After > i && line.After < TRegVerbatim::BeforeEverything) --line.After;
    return;
  }
}

void TRegKey::AddVerbatim(size_t after, std::string text) {
  auto place = std::upper_bound(FVerbatim.begin(), FVerbatim.end(), after,
                                [](size_t value, const TRegVerbatim& line) { return value < line.After; });
  FVerbatim.insert(place, TRegVerbatim{after, std::move(text)});
}

std::unique_ptr<TRegKey> TRegKey::Clone() const {
  auto copy = std::make_unique<TRegKey>(FName);
  copy->FValues = FValues;
  copy->FVerbatim = FVerbatim;
  for (const auto& [name, sub] : FSubKeys) copy->FSubKeys.emplace(name, sub->Clone());
  return copy;
}

bool TRegKey::SameContent(const TRegKey& other) const {
  if (FName != other.FName || FValues != other.FValues || FVerbatim != other.FVerbatim ||
      FSubKeys.size() != other.FSubKeys.size())
    return false;
  auto a = FSubKeys.begin();
  for (auto b = other.FSubKeys.begin(); b != other.FSubKeys.end(); ++a, ++b)
    if (!a->second->SameContent(*b->second)) return false;
  return true;
}

}  // namespace platform
