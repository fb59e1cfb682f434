// Parses arbitrary bytes as a form layout: every outcome must be a tree or an
// Exception naming a line, never a crash, a hang or a read out of bounds.

#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/layout/LayoutParser.h"

namespace {

// Walks the tree so that every value is touched.
size_t Visit(const TLayoutObject& obj) {
  size_t n = obj.Properties.size();
  for (const auto& p : obj.Properties) {
    n += p.Value.Text.size() + p.Value.Bytes.size() + p.Value.Items.size() + p.Value.Collection.size();
    try {
      n += size_t(p.Value.AsInteger());
    } catch (const Exception&) {
    }
  }
  for (const auto& c : obj.Children) n += Visit(c);
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    volatile size_t n = Visit(ParseLayout(text));
    (void)n;
  } catch (const Exception& e) {
    if (e.Message().rfind("Layout line ", 0) != 0) __builtin_trap();
  }
  return 0;
}
