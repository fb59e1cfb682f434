#include "registry/RegistryFaultHook.h"

#include <algorithm>
#include <utility>

namespace {

std::function<void(platform::TRegWriteStep)>& CurrentHook() {
  static std::function<void(platform::TRegWriteStep)> hook;
  return hook;
}

}  // namespace

// The fault point the registry calls in test builds.
extern "C" void PointrixRegistryFaultPoint(int step) {
  if (CurrentHook()) CurrentHook()(platform::TRegWriteStep(step));
}

TRegistryFaultHook::TRegistryFaultHook(std::function<void(platform::TRegWriteStep)> hook) {
  CurrentHook() = std::move(hook);
}

TRegistryFaultHook::~TRegistryFaultHook() {
  CurrentHook() = nullptr;
}

TRegistryStepLog::TRegistryStepLog() : FHook([this](platform::TRegWriteStep step) { FSteps.push_back(step); }) {}

bool TRegistryStepLog::Reached(platform::TRegWriteStep step) const {
  return std::find(FSteps.begin(), FSteps.end(), step) != FSteps.end();
}
