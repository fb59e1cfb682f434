#pragma once

// Decoding of RIFF WAVE files holding PCM samples (8 or 16 bits, mono or stereo).
// Malformed data raises Exception; nothing outside the given bytes is read.

#include <cstddef>
#include <cstdint>

#include "platform/Platform.h"

platform::TPSound DecodeWav(const uint8_t* data, size_t size);
