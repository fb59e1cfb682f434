#pragma once

// A timer component: while Enabled, OnTimer runs every Interval milliseconds,
// delivered by the application loop. Intervals below 16 ms are served at 16 ms
// (the tick rate of the desktop timer the program was designed for). A tick is
// never delivered while the same timer's handler is still running.

#include <cstdint>

#include "toolkit/core/TComponent.h"

class TTimer : public TComponent {
public:
  static constexpr uint32_t MinimumPeriod = 16;

  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  const char* ClassName() const override { return "TTimer"; }

  // Setting Interval or Enabled restarts the wait for the next tick.
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t interval);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  TNotifyEvent OnTimer;

  // --- Used by the application loop.
  // Running: enabled with a non-zero interval.
  bool Running() const { return FEnabled && FInterval > 0 && !IsDesigning(); }
  // The time between ticks (the interval, at least MinimumPeriod).
  uint32_t Period() const { return FInterval < MinimumPeriod ? MinimumPeriod : FInterval; }
  uint32_t Deadline() const { return FDeadline; }
  bool InHandler() const { return FInHandler; }
  // Runs OnTimer once and schedules the next tick after now.
  void Fire(uint32_t now);

protected:
  // Runs OnTimer.
  virtual void Timer();

private:
  void Restart();

  uint32_t FInterval = 1000;
  bool FEnabled = true;
  uint32_t FDeadline = 0;
  bool FInHandler = false;
  bool* FDestroyedFlag = nullptr;  // set while OnTimer runs; tells Fire the timer is gone
  uint64_t FFiredPass = 0;         // the application loop pass that last fired this timer
  friend class TApplication;
};
