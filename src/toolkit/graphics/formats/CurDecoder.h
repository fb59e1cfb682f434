#pragma once

// Decoding of cursor (CUR) and icon (ICO) files: a directory of images, each a
// device-independent bitmap (XOR image plus 1-bit AND mask, 1/4/8/24/32 bits per
// pixel) or a PNG. Results are 32-bit ARGB with transparent pixels at alpha 0.
// Malformed data raises Exception; nothing outside the given bytes is read.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Platform.h"

// The cursor image closest to 32 x 32 (deepest colour among equals), with its hot spot.
platform::TPCursorImage DecodeCursor(const uint8_t* data, size_t size);

// Every image of an icon (or cursor) file, in directory order.
std::vector<platform::TPImage> DecodeIcons(const uint8_t* data, size_t size);
