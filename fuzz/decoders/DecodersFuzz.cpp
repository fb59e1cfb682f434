// Feeds arbitrary bytes to the BMP, cursor/icon and WAV decoders: each must either
// decode or raise Exception, never read outside the input or crash.

#include <cstddef>
#include <cstdint>

#include "toolkit/core/Types.h"
#include "toolkit/graphics/formats/BmpDecoder.h"
#include "toolkit/graphics/formats/CurDecoder.h"
#include "toolkit/graphics/formats/WavDecoder.h"

namespace {

template <class F>
void Try(F&& decode) {
  try {
    decode();
  } catch (const Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Try([&] { DecodeBmp(data, size); });
  Try([&] { DecodeDib(data, size, 0, false); });
  Try([&] { DecodeIcons(data, size); });
  Try([&] { DecodeCursor(data, size); });
  Try([&] { DecodeWav(data, size); });
  return 0;
}
