#pragma once

// The games' pseudo-random generator: a 32-bit linear congruential generator with
// a visible seed, so a test can fix the sequence and the program can seed it from
// the clock once at start-up.

#include <cstdint>

extern uint32_t RandSeed;

// Seeds the generator with the current calendar time in seconds.
void Randomize();
// A uniformly drawn integer in 0 .. range - 1 (0 when range <= 0).
int Random(int range);

// Where a game board takes its draws from; a test gives a board a scripted source.
class TRandomSource {
public:
  virtual ~TRandomSource() = default;
  // A uniformly drawn integer in 0 .. range - 1 (0 when range <= 0).
  virtual int Next(int range) = 0;
};

// The program's generator above, as a source for the boards.
TRandomSource& ProgramRandom();
