#include "support/VirtualTime.h"

#include "platform/headless/HeadlessBackend.h"
#include "toolkit/forms/TApplication.h"

void AdvanceTime(uint32_t ms) {
  auto* headless = platform::HasBackend() ? dynamic_cast<platform::THeadlessBackend*>(&platform::Backend()) : nullptr;
  if (!headless) throw Exception("AdvanceTime needs the headless backend");
  Application->ProcessMessages();
  uint32_t remaining = ms;
  while (remaining > 0) {
    uint32_t step = remaining;
    uint32_t toTimer = 0;
    if (Application->TimeToNextTimer(toTimer) && toTimer < step) step = toTimer;
    // Due timers have just fired; a zero step could only repeat forever.
    if (step == 0) step = 1;
    headless->Advance(step);
    remaining -= step;
    Application->ProcessMessages();
  }
}
