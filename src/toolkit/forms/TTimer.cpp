#include "toolkit/forms/TTimer.h"

#include "platform/Platform.h"
#include "toolkit/forms/TApplication.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  if (Application) Application->RegisterTimer(this);
  Restart();
}

TTimer::~TTimer() {
  if (FDestroyedFlag) *FDestroyedFlag = true;
  if (Application) Application->UnregisterTimer(this);
}

void TTimer::SetInterval(uint32_t interval) {
  if (interval == FInterval) return;
  FInterval = interval;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Restart();
}

void TTimer::Restart() {
  const uint32_t now = platform::HasBackend() ? platform::Backend().Clock().TickCount() : 0;
  FDeadline = now + Period();
}

void TTimer::Fire(uint32_t now) {
  // The next tick is due one period after this one; ticks missed while the program
  // was busy are dropped, not delivered in a burst.
  FDeadline += Period();
  if (int32_t(FDeadline - now) <= 0) FDeadline = now + Period();
  bool destroyed = false;
  FDestroyedFlag = &destroyed;
  FInHandler = true;
  try {
    Timer();
  } catch (...) {
    if (destroyed) throw;
    FDestroyedFlag = nullptr;
    FInHandler = false;
    throw;
  }
  if (destroyed) return;
  FDestroyedFlag = nullptr;
  FInHandler = false;
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}
