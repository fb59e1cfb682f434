#include "games/Random.h"

#include <ctime>

uint32_t RandSeed = 0;

void Randomize() {
  RandSeed = uint32_t(std::time(nullptr));
}

int Random(int range) {
  RandSeed = RandSeed * 134775813u + 1u;
  if (range <= 0) return 0;
  return int((uint64_t(RandSeed) * uint64_t(uint32_t(range))) >> 32);
}

namespace {

class TProgramRandom final : public TRandomSource {
public:
  int Next(int range) override { return Random(range); }
};

}  // namespace

TRandomSource& ProgramRandom() {
  static TProgramRandom source;
  return source;
}
