#include "toolkit/graphics/formats/WavDecoder.h"

#include <cstring>
#include <string>

#include "toolkit/core/Types.h"

namespace {

[[noreturn]] void Fail(const std::string& why) {
  throw Exception("Invalid sound: " + why);
}

uint16_t Read16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}
uint32_t Read32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

}  // namespace

platform::TPSound DecodeWav(const uint8_t* data, size_t size) {
  if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
    Fail("not a RIFF WAVE file");
  // A RIFF size that overstates the file is common in the wild; read what is there.
  size_t end = size;
  uint32_t riffSize = Read32(data + 4);
  if (riffSize >= 4 && size_t(riffSize) + 8 < end) end = size_t(riffSize) + 8;
  platform::TPSound sound;
  bool haveFormat = false, haveData = false;
  size_t pos = 12;
  while (pos + 8 <= end && !haveData) {
    const uint8_t* chunk = data + pos;
    uint32_t chunkSize = Read32(chunk + 4);
    size_t body = pos + 8;
    if (chunkSize > end - body) {
      // Only the data chunk may be cut short (a truncated recording); take what is there.
      if (std::memcmp(chunk, "data", 4) != 0) Fail("chunk runs past the end of the file");
      chunkSize = uint32_t(end - body);
    }
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (chunkSize < 16) Fail("format chunk too short");
      uint16_t tag = Read16(data + body);
      sound.Channels = Read16(data + body + 2);
      uint32_t rate = Read32(data + body + 4);
      sound.BitsPerSample = Read16(data + body + 14);
      if (tag != 1) Fail("not PCM (format " + std::to_string(tag) + ")");
      if (sound.Channels != 1 && sound.Channels != 2) Fail("unsupported channel count");
      if (sound.BitsPerSample != 8 && sound.BitsPerSample != 16) Fail("unsupported sample size");
      if (rate < 1000 || rate > 192000) Fail("unsupported sample rate");
      sound.SampleRate = int(rate);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) Fail("data before format");
      size_t frame = size_t(sound.Channels) * size_t(sound.BitsPerSample / 8);
      size_t usable = chunkSize - chunkSize % frame;
      sound.Data.assign(data + body, data + body + usable);
      haveData = true;
    }
    pos = body + chunkSize + (chunkSize & 1);
  }
  if (!haveFormat) Fail("no format chunk");
  if (!haveData) Fail("no data chunk");
  return sound;
}
