#pragma once

// A random source for the boards that gives the values a test queues, and records
// the range of every draw so a test can check what the board asked for.

#include <deque>
#include <vector>

#include "games/Random.h"

class TScriptedRandom final : public TRandomSource {
public:
  // Queued values come first; once they are used up every draw gives range - 1.
  std::deque<int> Values;
  std::vector<int> Ranges;

  int Next(int range) override {
    Ranges.push_back(range);
    if (Values.empty()) return range - 1;
    int value = Values.front();
    Values.pop_front();
    return value;
  }
};
