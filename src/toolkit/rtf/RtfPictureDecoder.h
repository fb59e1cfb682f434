#pragma once

// Turns the data of an RTF \pict group into pixels. PNG, JPEG and device-
// independent bitmaps (\dibitmap, a BMP without its file header) are decoded with
// stb_image; metafiles and other formats are not drawn.

#include <cstdint>
#include <vector>

#include "toolkit/rtf/RtfDocument.h"

enum TRtfPictureKind : uint8_t { rpkNone, rpkPng, rpkJpeg, rpkDib, rpkUnsupported };

// Pictures larger than this (in pixels, width times height) are not decoded.
constexpr int64_t RtfMaxPicturePixels = 4096 * 4096;

// Decodes data of the given kind into picture.Pixels, Width and Height; the goal
// size is left alone. False (picture untouched) when the data cannot be decoded
// or is too large.
bool DecodeRtfPicture(TRtfPictureKind kind, const std::vector<uint8_t>& data, TRtfPicture& picture);
