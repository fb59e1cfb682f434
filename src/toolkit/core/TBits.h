#pragma once

// A growable set of bits addressed by index. Reading beyond Size gives false;
// setting a bit beyond Size grows the set to hold it (clearing one there changes nothing). Negative indexes raise
// Exception("Bits index out of range").

#include <vector>

class TBits {
public:
  int Size() const { return int(FBits.size()); }
  // Grows (new bits clear) or shrinks the set.
  void SetSize(int size);
  bool Bits(int index) const;
  void SetBit(int index, bool value);
  // The lowest clear bit, or Size when every bit is set.
  int OpenBit() const;

private:
  std::vector<bool> FBits;
};
