#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include "TempFolder.h"
#include "platform/Files.h"
#include "platform/Png.h"

using namespace platform;

TEST(Png, RoundTripKeepsColoursAndHonoursStride) {
  TTempFolder folder;
  // Three pixels wide in rows of five; the high byte is not part of the colour.
  const std::vector<uint32_t> rows = {0x00FF0000, 0xFF00FF00, 0x000000FF, 7, 7,
                                      0x00123456, 0x00FFFFFF, 0x00000000, 7, 7};
  ASSERT_TRUE(WritePng(folder / "a.png", rows.data(), 3, 2, 5));
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = ReadPng(folder / "a.png", width, height);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 2);
  EXPECT_EQ(pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000}));
}

TEST(Png, AlphaIsKeptOnlyWhenAskedFor) {
  TTempFolder folder;
  const uint8_t rgba[] = {10, 20, 30, 0x80, 40, 50, 60, 0xFF};
  ASSERT_TRUE(stbi_write_png((folder / "alpha.png").c_str(), 2, 1, 4, rgba, 8));
  int width = 0, height = 0;
  EXPECT_EQ(ReadPng(folder / "alpha.png", width, height, TPngAlpha::pngaKeep),
            (std::vector<uint32_t>{0x800A141E, 0xFF28323C}));
  EXPECT_EQ(ReadPng(folder / "alpha.png", width, height), (std::vector<uint32_t>{0x0A141E, 0x28323C}));
}

TEST(Png, BadInputGivesAnEmptyImage) {
  TTempFolder folder;
  int width = 5, height = 5;
  EXPECT_TRUE(ReadPng(folder / "missing.png", width, height).empty());
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);

  ASSERT_TRUE(WriteWholeFile(folder / "garbage.png", "\x89PNG\r\n\x1a\nnot really"));
  EXPECT_TRUE(ReadPng(folder / "garbage.png", width, height).empty());

  const uint32_t pixel = 0x102030;
  ASSERT_TRUE(WritePng(folder / "one.png", &pixel, 1, 1, 1));
  std::string data;
  ASSERT_TRUE(ReadWholeFile(folder / "one.png", data));
  EXPECT_TRUE(DecodePng(data.data(), data.size() / 2, width, height).empty());
  EXPECT_EQ(DecodePng(data.data(), data.size(), width, height), std::vector<uint32_t>{pixel});

  EXPECT_FALSE(WritePng(folder / "no-such-folder/x.png", &pixel, 1, 1, 1));
  EXPECT_FALSE(WritePng(folder / "bad.png", &pixel, 0, 1, 1));
  EXPECT_FALSE(WritePng(folder / "bad.png", &pixel, 2, 1, 1));  // stride shorter than a row
}
