#pragma once

// Lets a test watch, or stop, registry writers at each step of a write: the test builds of
// the registry call the fault point that this file's source defines.

#include <functional>
#include <vector>

#include "platform/posix/FileRegistryStore.h"

// Runs hook at every step until the returned guard is destroyed.
class TRegistryFaultHook {
public:
  explicit TRegistryFaultHook(std::function<void(platform::TRegWriteStep)> hook);
  ~TRegistryFaultHook();
  TRegistryFaultHook(const TRegistryFaultHook&) = delete;
  TRegistryFaultHook& operator=(const TRegistryFaultHook&) = delete;
};

// Records the steps reached while it lives.
class TRegistryStepLog {
public:
  TRegistryStepLog();
  const std::vector<platform::TRegWriteStep>& Steps() const { return FSteps; }
  bool Reached(platform::TRegWriteStep step) const;
  void Clear() { FSteps.clear(); }

private:
  std::vector<platform::TRegWriteStep> FSteps;
  TRegistryFaultHook FHook;
};
