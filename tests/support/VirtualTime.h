#pragma once

#include <cstdint>

// Moves the headless backend's virtual clock forward by ms, stopping at every timer
// deadline on the way to deliver the ticks in order; handles events and paints as
// the application loop would. Raises Exception when the backend is not the headless one.
void AdvanceTime(uint32_t ms);
