#pragma once

// Sound output on SDL: one device, opened on first use, fed whole sounds through
// SDL's queue. Without a device the program stays silent and carries on.

#include <cstdint>

#include "platform/Platform.h"

namespace platform {

class TSdlAudio : public IAudio {
public:
  TSdlAudio() = default;
  TSdlAudio(const TSdlAudio&) = delete;
  TSdlAudio& operator=(const TSdlAudio&) = delete;
  ~TSdlAudio() override;

  void Play(const std::string& name, const TPSound& sound) override;
  void Stop() override;

private:
  // Every sound is converted to this one format, so the device never reopens.
  static constexpr int DeviceRate = 22050;

  bool EnsureDevice();

  uint32_t FDevice = 0;  // SDL_AudioDeviceID; 0 when none
  bool FTried = false;
};

}  // namespace platform
