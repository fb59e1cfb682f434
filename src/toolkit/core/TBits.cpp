#include "toolkit/core/TBits.h"

#include "toolkit/core/Types.h"

namespace {
void CheckIndex(int index) {
  if (index < 0) throw Exception("Bits index out of range");
}
}  // namespace

void TBits::SetSize(int size) {
  CheckIndex(size);
  FBits.resize(size_t(size), false);
}

bool TBits::Bits(int index) const {
  CheckIndex(index);
  return index < Size() && FBits[size_t(index)];
}

void TBits::SetBit(int index, bool value) {
  CheckIndex(index);
  if (index >= Size()) {
    if (!value) return;
    SetSize(index + 1);
  }
  FBits[size_t(index)] = value;
}

int TBits::OpenBit() const {
  for (int i = 0; i < Size(); ++i)
    if (!FBits[size_t(i)]) return i;
  return Size();
}
