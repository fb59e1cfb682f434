#include "platform/Platform.h"

namespace platform {

namespace {
IBackend* gBackend = nullptr;
}

IBackend& Backend() {
  return *gBackend;
}
void SetBackend(IBackend* backend) {
  gBackend = backend;
}
bool HasBackend() {
  return gBackend != nullptr;
}

}  // namespace platform
