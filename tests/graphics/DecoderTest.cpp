// BMP, CUR and WAV decoding, including malformed files, and resource lookup.

#include <gtest/gtest.h>

#include "FileBuilders.h"
#include "toolkit/core/ResourceTable.h"
#include "toolkit/core/Resources.h"
#include "toolkit/core/Types.h"
#include "toolkit/graphics/formats/BmpDecoder.h"
#include "toolkit/graphics/formats/CurDecoder.h"
#include "toolkit/graphics/formats/WavDecoder.h"

namespace {

TBmpImage Decode(const TBytes& b) {
  return DecodeBmp(b.data(), b.size());
}

// Expects a decoder error whose message mentions the given words.
template <class F>
void ExpectRejected(F&& decode, const char* words) {
  try {
    decode();
    ADD_FAILURE() << "accepted; expected: " << words;
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(words), std::string::npos) << e.Message();
  }
}

TEST(BmpDecoderTest, DecodesEveryDepth) {
  // 1 bit, 3 x 2, bottom-up: bottom row 1 0 1, top row 0 1 1.
  TBmpImage one = Decode(MakeBmp(3, 2, 1, {0x000000, 0xFFFFFF}, {0xA0, 0, 0, 0, 0x60, 0, 0, 0}));
  EXPECT_EQ(one.BitsPerPixel, 1);
  EXPECT_EQ(one.Pixels[0] & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(one.Pixels[1] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(one.Pixels[3] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(one.Pixels[4] & 0xFFFFFF, 0x000000u);

  TBmpImage four = Decode(MakeBmp(3, 1, 4, {0x111111, 0x222222, 0x333333}, {0x12, 0x00, 0, 0}));
  EXPECT_EQ(four.Pixels[0] & 0xFFFFFF, 0x222222u);
  EXPECT_EQ(four.Pixels[1] & 0xFFFFFF, 0x333333u);
  EXPECT_EQ(four.Pixels[2] & 0xFFFFFF, 0x111111u);

  // 8 bits, 2 x 2, bottom-up with padded rows: bottom row 1 0, top row 0 1.
  TBmpImage eight = Decode(MakeBmp(2, 2, 8, {0x102030, 0x405060}, {1, 0, 0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(eight.Pixels, (std::vector<uint32_t>{0xFF102030u, 0xFF405060u, 0xFF405060u, 0xFF102030u}));

  // 16 bits 5-5-5: pure red must come out as 0xFF0000 (the sprites key on it).
  TBmpImage rgb555 = Decode(MakeBmp(2, 1, 16, {}, {0x00, 0x7C, 0xE0, 0x03}));
  EXPECT_EQ(rgb555.Pixels[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(rgb555.Pixels[1] & 0xFFFFFF, 0x00FF00u);
  TBmpImage rgb565 = Decode(MakeBmp(2, 1, 16, {}, {0x00, 0xF8, 0x1F, 0x00}, 3, {0xF800, 0x07E0, 0x001F}));
  EXPECT_EQ(rgb565.Pixels[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(rgb565.Pixels[1] & 0xFFFFFF, 0x0000FFu);

  TBmpImage bgr = Decode(MakeBmp(1, 2, 24, {}, {0x01, 0x02, 0x03, 0, 0x04, 0x05, 0x06, 0}));
  EXPECT_EQ(bgr.Pixels[0] & 0xFFFFFF, 0x060504u);  // the top row is stored last
  EXPECT_EQ(bgr.Pixels[1] & 0xFFFFFF, 0x030201u);

  TBmpImage topDown = Decode(MakeBmp(1, -2, 32, {}, {1, 2, 3, 0, 4, 5, 6, 0}));
  EXPECT_EQ(topDown.Height, 2);
  EXPECT_EQ(topDown.Pixels[0], 0xFF030201u);
  EXPECT_FALSE(topDown.HasAlpha);
  TBmpImage masked = Decode(MakeBmp(1, 1, 32, {}, {1, 2, 3, 0x80}, 3, {0xFF0000, 0xFF00, 0xFF}));
  EXPECT_EQ(masked.Pixels[0], 0xFF030201u) << "without an alpha mask the fourth byte is padding";
  TBmpImage alpha = Decode(MakeBmp(2, 1, 32, {}, {1, 2, 3, 0x80, 4, 5, 6, 0}));
  EXPECT_TRUE(alpha.HasAlpha);
  EXPECT_EQ(alpha.Pixels[0], 0x80030201u);
  EXPECT_EQ(alpha.Pixels[1], 0x00060504u) << "a used alpha channel keeps its transparent pixels";
}

TEST(BmpDecoderTest, RejectsMalformedFiles) {
  TBytes good = MakeBmp(2, 2, 8, {0, 0xFFFFFF}, {0, 1, 0, 0, 1, 0, 0, 0});
  ASSERT_NO_THROW(Decode(good));
  ExpectRejected([&] { Decode(TBytes(good.begin(), good.begin() + 20)); }, "header");
  ExpectRejected([&] { Decode(TBytes(good.begin(), good.end() - 1)); }, "truncated pixel data");
  ExpectRejected([] { Decode({'X', 'Y', 0, 0}); }, "not a BMP");
  ExpectRejected([] { Decode(MakeBmp(2, 1, 8, {0, 0xFFFFFF}, {0, 2, 0, 0})); }, "index out of range");
  ExpectRejected([] { Decode(MakeBmp(100000, 1, 1, {0, 1}, TBytes(12500, 0))); }, "too large");
  ExpectRejected([] { Decode(MakeBmp(0x7FFFFFFF, 0x7FFFFFFF, 24, {}, {0, 0, 0, 0})); }, "too large");
  ExpectRejected([] { Decode(MakeBmp(1, 1, 7, {}, {0, 0, 0, 0})); }, "bit depth");
  ExpectRejected([] { Decode(MakeBmp(1, 1, 8, {}, {0, 0, 0, 0}, 1)); }, "compression");
  TBytes palette = MakeBmp(1, 1, 1, {0, 1}, {0, 0, 0, 0});
  Set32(palette, 14 + 32, 3);  // three colours claimed for one bit per pixel
  ExpectRejected([&] { Decode(palette); }, "colour table");
  TBytes offset = good;
  Set32(offset, 10, uint32_t(offset.size() + 100));
  ExpectRejected([&] { Decode(offset); }, "offset");
  TBytes header = good;
  Set32(header, 14, 0xFFFFFFF0u);
  ExpectRejected([&] { Decode(header); }, "header");
}

TEST(CurDecoderTest, DecodesMaskAndHotSpot) {
  // 2 x 2, 24 bits; AND mask makes the top-right pixel transparent.
  TBytes xorRows{0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0};
  TBytes andRows{0x00, 0, 0, 0, 0x40, 0, 0, 0};  // bottom row opaque, top row: second pixel set
  TBytes cur = MakeCur(2, 2, 24, {}, xorRows, andRows, 1, 0);
  platform::TPCursorImage c = DecodeCursor(cur.data(), cur.size());
  EXPECT_EQ(c.Width, 2);
  EXPECT_EQ(c.Height, 2);
  EXPECT_EQ(c.HotX, 1);
  EXPECT_EQ(c.HotY, 0);
  EXPECT_EQ(c.Pixels[0], 0xFF0000FFu);  // top-left: blue, opaque
  EXPECT_EQ(c.Pixels[1], 0u);           // top-right: transparent
  EXPECT_EQ(c.Pixels[2], 0xFFFF0000u);  // bottom-left: red
  EXPECT_EQ(DecodeIcons(cur.data(), cur.size()).size(), 1u);
}

TEST(CurDecoderTest, RejectsMalformedFiles) {
  TBytes xorRows(4, 0), andRows(4, 0);
  TBytes cur = MakeCur(1, 1, 8, {0, 0xFFFFFF}, xorRows, andRows, 0, 0);
  ASSERT_NO_THROW(DecodeCursor(cur.data(), cur.size()));
  ExpectRejected([&] { DecodeCursor(cur.data(), 4); }, "not an icon");
  TBytes count = cur;
  count[4] = 200;  // more directory entries than the file holds
  ExpectRejected([&] { DecodeCursor(count.data(), count.size()); }, "directory");
  TBytes offset = cur;
  Set32(offset, 6 + 12, 0xFFFFFFF0u);
  ExpectRejected([&] { DecodeCursor(offset.data(), offset.size()); }, "outside the file");
  TBytes noMask(cur.begin(), cur.end() - 2);
  Set32(noMask, 6 + 8, uint32_t(noMask.size() - 22));
  ExpectRejected([&] { DecodeCursor(noMask.data(), noMask.size()); }, "AND mask");
  TBytes badIndex = MakeCur(1, 1, 8, {0, 0xFFFFFF}, {5, 0, 0, 0}, andRows, 0, 0);
  ExpectRejected([&] { DecodeCursor(badIndex.data(), badIndex.size()); }, "out of range");
  TBytes png = cur;
  const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::copy(sig, sig + 8, png.begin() + 22);
  ExpectRejected([&] { DecodeCursor(png.data(), png.size()); }, "PNG");
}

TEST(WavDecoderTest, DecodesPcmAndRejectsMalformedFiles) {
  TBytes wav = MakeWav(1, 8, 11025, {0x80, 0x90, 0xA0});
  platform::TPSound s = DecodeWav(wav.data(), wav.size());
  EXPECT_EQ(s.SampleRate, 11025);
  EXPECT_EQ(s.Channels, 1);
  EXPECT_EQ(s.BitsPerSample, 8);
  EXPECT_EQ(s.Data, (TBytes{0x80, 0x90, 0xA0}));
  TBytes stereo = MakeWav(2, 16, 22050, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(DecodeWav(stereo.data(), stereo.size()).Data.size(), 4u);  // whole frames only
  TBytes cut(wav.begin(), wav.end() - 1);                              // a cut-off recording keeps what is there
  EXPECT_EQ(DecodeWav(cut.data(), cut.size()).Data.size(), 2u);

  auto decode = [](const TBytes& b) { return [b] { DecodeWav(b.data(), b.size()); }; };
  ExpectRejected(decode(TBytes(wav.begin(), wav.begin() + 10)), "not a RIFF");
  ExpectRejected(decode(TBytes(wav.begin(), wav.begin() + 30)), "past the end");
  TBytes fmt = wav;
  fmt[20] = 2;  // ADPCM
  ExpectRejected(decode(fmt), "not PCM");
  TBytes bits = wav;
  bits[34] = 12;
  ExpectRejected(decode(bits), "sample size");
  TBytes chunk = wav;
  Set32(chunk, 16, 0xFFFFFFF0u);
  ExpectRejected(decode(chunk), "past the end");
  ExpectRejected(decode(TBytes(wav.begin(), wav.begin() + 36)), "no data");
}

TEST(ResourcesTest, LookupIgnoresLetterCase) {
  EXPECT_TRUE(ResourceExists("ttf", "TAHOMA"));
  EXPECT_TRUE(ResourceExists("TTF", "dejavuserif-bold"));
  EXPECT_FALSE(ResourceExists("bmp", "tahoma"));
  TResourceData font = ResourceBytes("ttf", "Tahoma");
  EXPECT_GT(font.Size, 10000u);
  EXPECT_THROW(ResourceBytes("wav", "nothing"), Exception);
  // Every embedded bitmap, cursor and sound decodes.
  for (const TResourceEntry* e = PointrixResourceEntries; e->Name; ++e) {
    size_t size = size_t(e->End - e->Begin);
    std::string kind = e->Kind;
    if (kind == "bmp") {
      EXPECT_NO_THROW(DecodeBmp(e->Begin, size)) << e->Name;
    } else if (kind == "cur" || kind == "ico") {
      EXPECT_NO_THROW(DecodeIcons(e->Begin, size)) << e->Name;
    } else if (kind == "wav") {
      EXPECT_NO_THROW(DecodeWav(e->Begin, size)) << e->Name;
    }
  }
}

}  // namespace
