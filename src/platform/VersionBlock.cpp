#include <algorithm>

#include "platform/Version.h"

namespace platform {

namespace {

// One block of the tree, as offsets into the data.
struct TNode {
  size_t Begin = 0, End = 0;  // the whole block
  std::u16string Key;
  uint16_t Type = 0;
  size_t ValueBegin = 0, ValueSize = 0;  // in bytes
  size_t ChildrenBegin = 0;
};

class TReader {
public:
  TReader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

  uint16_t Word(size_t at) const { return uint16_t(FData[at] | (FData[at + 1] << 8)); }

  // Reads the block starting at begin, which must end by limit.
  bool Node(size_t begin, size_t limit, TNode& node) const {
    if (begin + 6 > limit) return false;
    const size_t length = Word(begin);
    if (length < 6 || begin + length > limit) return false;
    node = TNode{};
    node.Begin = begin;
    node.End = begin + length;
    const uint16_t valueLength = Word(begin + 2);
    node.Type = Word(begin + 4);
    size_t p = begin + 6;
    for (;; p += 2) {
      if (p + 2 > node.End) return false;
      const char16_t c = char16_t(Word(p));
      if (c == 0) break;
      node.Key.push_back(c);
    }
    p = Align(p + 2);
    const size_t bytes = node.Type == 1 ? size_t(valueLength) * 2 : valueLength;
    node.ValueBegin = std::min(p, node.End);
    // Some writers count text values in bytes: never read past the block.
    node.ValueSize = std::min(bytes, node.End - node.ValueBegin);
    node.ChildrenBegin = std::min(Align(node.ValueBegin + node.ValueSize), node.End);
    return true;
  }

  // The child of parent named key, compared without regard to letter case.
  bool Child(const TNode& parent, const std::string& key, TNode& child) const {
    for (size_t at = parent.ChildrenBegin; at + 6 <= parent.End; at = Align(child.End)) {
      if (!Node(at, parent.End, child)) return false;
      if (SameKey(child.Key, key)) return true;
    }
    return false;
  }

  TPVersionValue Value(const TNode& node) const {
    TPVersionValue value;
    const uint8_t* p = FData + node.ValueBegin;
    if (node.Type != 1) {
      value.Bytes.assign(p, p + node.ValueSize);
      return value;
    }
    value.IsText = true;
    for (size_t i = 0; i + 1 < node.ValueSize; i += 2) {
      const char16_t c = char16_t(p[i] | (p[i + 1] << 8));
      if (c == 0) break;
      value.Text.push_back(c < 0x100 ? char(c) : '?');
    }
    return value;
  }

  size_t Size() const { return FSize; }

private:
  static size_t Align(size_t at) { return (at + 3) & ~size_t(3); }

  static bool SameKey(const std::u16string& key, const std::string& name) {
    if (key.size() != name.size()) return false;
    for (size_t i = 0; i < key.size(); ++i) {
      char16_t a = key[i], b = char16_t(uint8_t(name[i]));
      if (a >= 'A' && a <= 'Z') a = char16_t(a + 32);
      if (b >= 'A' && b <= 'Z') b = char16_t(b + 32);
      if (a != b) return false;
    }
    return true;
  }

  const uint8_t* FData;
  size_t FSize;
};

}  // namespace

bool QueryVersionValue(const void* block, size_t size, const std::string& subBlock, TPVersionValue& value) {
  if (!block) return false;
  TReader reader(static_cast<const uint8_t*>(block), size);
  TNode node;
  if (!reader.Node(0, size, node)) return false;
  size_t start = 0;
  while (start <= subBlock.size()) {
    size_t end = subBlock.find('\\', start);
    if (end == std::string::npos) end = subBlock.size();
    if (end > start) {
      TNode child;
      if (!reader.Child(node, subBlock.substr(start, end - start), child)) return false;
      node = child;
    }
    start = end + 1;
  }
  value = reader.Value(node);
  return true;
}

}  // namespace platform
