#pragma once

// Builders of small BMP, CUR and WAV files for the decoder tests.

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

inline void Put16(TBytes& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
inline void Put32(TBytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void Set32(TBytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// A device-independent bitmap: info header, optional masks, palette and rows as given
// (rows are bottom-up unless height is negative; each row padded to 4 bytes by the caller).
inline TBytes MakeDib(int width, int height, int bpp, const std::vector<uint32_t>& palette, const TBytes& rows,
                      uint32_t compression = 0, const std::vector<uint32_t>& masks = {}) {
  TBytes b;
  Put32(b, 40);
  Put32(b, uint32_t(width));
  Put32(b, uint32_t(height));
  Put16(b, 1);
  Put16(b, uint32_t(bpp));
  Put32(b, compression);
  Put32(b, uint32_t(rows.size()));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, uint32_t(palette.size()));
  Put32(b, 0);
  for (uint32_t m : masks) Put32(b, m);
  for (uint32_t c : palette) Put32(b, c);  // 0x00RRGGBB is stored as B, G, R, 0
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

// A BMP file around a DIB; the pixel offset points just past the palette and masks.
inline TBytes MakeBmp(int width, int height, int bpp, const std::vector<uint32_t>& palette, const TBytes& rows,
                      uint32_t compression = 0, const std::vector<uint32_t>& masks = {}) {
  TBytes dib = MakeDib(width, height, bpp, palette, rows, compression, masks);
  TBytes b{'B', 'M'};
  Put32(b, uint32_t(14 + dib.size()));
  Put32(b, 0);
  Put32(b, uint32_t(14 + dib.size() - rows.size()));
  b.insert(b.end(), dib.begin(), dib.end());
  return b;
}

// A cursor file with one bitmap image: the DIB's height counts the AND mask too.
inline TBytes MakeCur(int width, int height, int bpp, const std::vector<uint32_t>& palette, const TBytes& xorRows,
                      const TBytes& andRows, int hotX, int hotY) {
  TBytes rows = xorRows;
  rows.insert(rows.end(), andRows.begin(), andRows.end());
  TBytes dib = MakeDib(width, height * 2, bpp, palette, rows);
  TBytes b;
  Put16(b, 0);
  Put16(b, 2);
  Put16(b, 1);
  b.push_back(uint8_t(width));
  b.push_back(uint8_t(height));
  b.push_back(0);
  b.push_back(0);
  Put16(b, uint32_t(hotX));
  Put16(b, uint32_t(hotY));
  Put32(b, uint32_t(dib.size()));
  Put32(b, 22);
  b.insert(b.end(), dib.begin(), dib.end());
  return b;
}

inline TBytes MakeWav(int channels, int bits, int rate, const TBytes& samples) {
  TBytes b{'R', 'I', 'F', 'F'};
  Put32(b, uint32_t(4 + 24 + 8 + samples.size()));
  for (char c : std::string("WAVEfmt ")) b.push_back(uint8_t(c));
  Put32(b, 16);
  Put16(b, 1);
  Put16(b, uint32_t(channels));
  Put32(b, uint32_t(rate));
  Put32(b, uint32_t(rate * channels * bits / 8));
  Put16(b, uint32_t(channels * bits / 8));
  Put16(b, uint32_t(bits));
  for (char c : std::string("data")) b.push_back(uint8_t(c));
  Put32(b, uint32_t(samples.size()));
  b.insert(b.end(), samples.begin(), samples.end());
  return b;
}
