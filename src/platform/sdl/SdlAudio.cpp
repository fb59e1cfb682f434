#include "platform/sdl/SdlAudio.h"

#include <SDL.h>

#include <vector>

namespace platform {

namespace {

// The sound as signed 16-bit mono samples at the device rate; empty when the sound
// is not 8- or 16-bit PCM with one or two channels.
std::vector<uint8_t> ConvertSound(const TPSound& sound, int deviceRate) {
  if ((sound.BitsPerSample != 8 && sound.BitsPerSample != 16) || sound.Channels < 1 || sound.Channels > 2 ||
      sound.SampleRate < 1000 || sound.SampleRate > 384000)
    return {};
  // Wave files hold unsigned 8-bit or little-endian signed 16-bit samples.
  const SDL_AudioFormat format = sound.BitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  const size_t frame = size_t(sound.Channels) * (sound.BitsPerSample / 8);
  const size_t length = sound.Data.size() / frame * frame;  // a torn last frame is dropped
  std::vector<uint8_t> out;
  if (length == 0 || length > size_t(INT32_MAX)) return out;
  SDL_AudioStream* stream =
      SDL_NewAudioStream(format, uint8_t(sound.Channels), sound.SampleRate, AUDIO_S16SYS, 1, deviceRate);
  if (!stream) return out;
  if (SDL_AudioStreamPut(stream, sound.Data.data(), int(length)) == 0 && SDL_AudioStreamFlush(stream) == 0) {
    out.resize(size_t(SDL_AudioStreamAvailable(stream)));
    const int got = SDL_AudioStreamGet(stream, out.data(), int(out.size()));
    out.resize(got > 0 ? size_t(got) : 0);
  }
  SDL_FreeAudioStream(stream);
  return out;
}

}  // namespace

TSdlAudio::~TSdlAudio() {
  if (!FDevice) return;
  SDL_CloseAudioDevice(FDevice);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TSdlAudio::EnsureDevice() {
  if (FTried) return FDevice != 0;
  FTried = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = DeviceRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = 512;  // short, so that a new sound cuts in quickly
  FDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (!FDevice) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(FDevice, 0);
  return true;
}

void TSdlAudio::Play(const std::string& name, const TPSound& sound) {
  if (!EnsureDevice()) return;
  const std::vector<uint8_t> samples = ConvertSound(sound, DeviceRate);
  SDL_ClearQueuedAudio(FDevice);
  if (!samples.empty()) SDL_QueueAudio(FDevice, samples.data(), uint32_t(samples.size()));
}

void TSdlAudio::Stop() {
  if (FDevice) SDL_ClearQueuedAudio(FDevice);
}

}  // namespace platform
