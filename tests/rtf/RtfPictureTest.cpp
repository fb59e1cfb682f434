#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "toolkit/rtf/RtfReader.h"

namespace {

// 2 x 3 RGBA: red, with a half-transparent blue pixel top right and a green one bottom left.
const char* PngHex =
    "89504e470d0a1a0a0000000d4948445200000002000000030806000000b9eade810000001c4944415478da25c6a1010000080320e6e5"
    "7e3e832494d2cd87498103745c067f867c38610000000049454e44ae426082";
// 8 x 8 blue JPEG.
const char* JpegHex =
    "ffd8ffe000104a46494600010100000100010000ffdb0043000302020302020303030304030304050805050404050a070706080c0a0c0c"
    "0b0a0b0b0d0e12100d0e110e0b0b1016101113141515150c0f171816141812141514ffdb00430103040405040509050509140d0b0d1414"
    "141414141414141414141414141414141414141414141414141414141414141414141414141414141414141414141414ffc00011080008"
    "000803012200021101031101ffc4001f0000010501010101010100000000000000000102030405060708090a0bffc400b5100002010303"
    "020403050504040000017d01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a"
    "25262728292a3435363738393a434445464748494a535455565758595a636465666768696a737475767778797a838485868788898a9293"
    "9495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2"
    "f3f4f5f6f7f8f9faffc4001f0100030101010101010101010000000000000102030405060708090a0bffc400b511000201020404030407"
    "05040400010277000102031104052131061241510761711322328108144291a1b1c109233352f0156272d10a162434e125f11718191a26"
    "2728292a35363738393a434445464748494a535455565758595a636465666768696a737475767778797a82838485868788898a92939495"
    "969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5e6e7e8e9eaf2f3f4f5f6"
    "f7f8f9faffda000c03010002110311003f00fcf7a28a2bfd533e1cffd9";

std::string Bytes(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  char buf[3];
  for (char c : bytes) {
    snprintf(buf, sizeof buf, "%02x", uint8_t(c));
    hex += buf;
  }
  return hex;
}

// A device-independent bitmap: 2 x 2, 24 bits, bottom-up rows padded to 4 bytes.
std::string DibHex() {
  std::string dib(40, '\0');
  auto put32 = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) dib[size_t(at + i)] = char(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, 2);
  put32(8, 2);
  dib[12] = 1;
  dib[14] = 24;
  // bottom row: blue, green; top row: red, white (bytes are B, G, R)
  dib += std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8) + std::string("\x00\x00\xFF\xFF\xFF\xFF\x00\x00", 8);
  return Hex(dib);
}

bool StbDecodes(const std::string& data) {
  int w, h, n;
  return stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(data.data()), int(data.size()), &w, &h, &n);
}

TEST(RtfPictures, PngInHexWithGoalSize) {
  auto doc = TRtfReader::Read(std::string("{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop x}\\pngblip\\picw2\\pich3"
                                          "\\picwgoal600\\pichgoal900\\picscalex50 ") +
                              PngHex + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b\\par}");
  ASSERT_EQ(doc.Pictures.size(), 1u);
  const TRtfPicture& p = doc.Pictures[0];
  EXPECT_EQ(p.Width, 2);
  EXPECT_EQ(p.Height, 3);
  EXPECT_EQ(p.GoalWidth, 300);
  EXPECT_EQ(p.GoalHeight, 900);
  EXPECT_EQ(p.Pixels[0], 0xFFFF0000u);
  EXPECT_EQ(p.Pixels[1], 0x800000FFu);
  EXPECT_EQ(p.Pixels[4], 0xFF00FF00u);
  ASSERT_EQ(doc.Paragraphs.size(), 1u);
  ASSERT_EQ(doc.Paragraphs[0].Runs.size(), 3u);
  EXPECT_EQ(doc.Paragraphs[0].Runs[1].Picture, 0);
  EXPECT_EQ(doc.PlainText(), "ab\n");
}

TEST(RtfPictures, BinaryDataAndShapePictures) {
  std::string png = Bytes(PngHex);
  auto doc = TRtfReader::Read("{\\rtf1{\\pict\\pngblip\\bin" + std::to_string(png.size()) + " " + png +
                              "}{\\shp{\\*\\shpinst{\\sp{\\sn fillBlip}{\\sv {\\pict\\pngblip " + PngHex +
                              "}}}{\\sp{\\sn pib}{\\sv {\\pict\\pngblip " + PngHex + "}}}}{\\shprslt{\\pict\\pngblip " +
                              PngHex + "}}}x}");
  EXPECT_EQ(doc.Pictures.size(), 2u);        // the \bin one and the shape's own picture, nothing else
  EXPECT_EQ(doc.Pictures[0].GoalWidth, 30);  // no goal: pixels at 96 dpi
  EXPECT_EQ(doc.PlainText(), "x\n");
}

TEST(RtfPictures, JpegAndDeviceIndependentBitmaps) {
  if (!StbDecodes(Bytes(JpegHex))) GTEST_SKIP() << "stb_image was built without JPEG and BMP support";
  auto doc =
      TRtfReader::Read(std::string("{\\rtf1{\\pict\\jpegblip ") + JpegHex + "}{\\pict\\dibitmap0 " + DibHex() + "}}");
  ASSERT_EQ(doc.Pictures.size(), 2u);
  EXPECT_EQ(doc.Pictures[0].Width, 8);
  EXPECT_NEAR(int(doc.Pictures[0].Pixels[0] & 0xFF), 255, 8);  // blue
  const TRtfPicture& dib = doc.Pictures[1];
  ASSERT_EQ(dib.Width, 2);
  EXPECT_EQ(dib.Pixels[0], 0xFFFF0000u);  // top left red
  EXPECT_EQ(dib.Pixels[2], 0xFF0000FFu);  // bottom left blue
}

TEST(RtfPictures, BrokenOrUnsupportedPicturesAreLeftOut) {
  auto doc = TRtfReader::Read(std::string("{\\rtf1{\\pict\\pngblip 89504e470d0a1a0a00}{\\pict\\emfblip 0102}"
                                          "{\\pict\\dibitmap0 28000000ffffff7f}{\\pict ") +
                              PngHex + "}ok}");
  EXPECT_TRUE(doc.Pictures.empty());
  EXPECT_EQ(doc.PlainText(), "ok\n");
}

TEST(RtfPictures, APngWhoseChunkClaimsMoreThanItHoldsIsLeftOut) {
  // The picture above with its image data chunk claiming 2 GB: left out, the text kept.
  std::string png = Bytes(PngHex);
  const size_t data = png.find("IDAT") - 4;
  png.replace(data, 4, std::string("\x7F\xFF\xFF\xF0", 4));
  const TRtfDocument doc = TRtfReader::Read("{\\rtf1{\\pict\\pngblip " + Hex(png) + "}ok}");
  EXPECT_TRUE(doc.Pictures.empty());
  EXPECT_EQ(doc.PlainText(), "ok\n");
  EXPECT_EQ(TRtfReader::Read(std::string("{\\rtf1{\\pict\\pngblip ") + PngHex + "}ok}").Pictures.size(), 1u)
      << "the intact picture is still shown";
}

TEST(RtfPictures, APngWithAnEmptyImageDataChunkIsShown) {
  // An empty image data chunk before the real one is valid PNG; reading it once handed a
  // null buffer to memcpy (reported by UndefinedBehaviorSanitizer while fuzzing).
  std::string png = Bytes(PngHex);
  png.insert(png.find("IDAT") - 4, std::string("\0\0\0\0IDAT\x35\xAF\x06\x1E", 12));
  const TRtfDocument doc = TRtfReader::Read("{\\rtf1{\\pict\\pngblip " + Hex(png) + "}ok}");
  EXPECT_EQ(doc.Pictures.size(), 1u);
  EXPECT_EQ(doc.PlainText(), "ok\n");
}

TEST(RtfPictures, AJpegWithCorruptHuffmanTablesIsLeftOutWithoutReachingPastThem) {
  // Pages found by fuzzing: a JPEG whose Huffman codes point past the table's 256 symbols,
  // one with more than 256 code sizes, and one that uses a table it never defined; the
  // decoder once read or wrote beyond its tables (crashes under AddressSanitizer).
  for (const char* name : {"jpeg-huffman-table.rtf", "jpeg-huffman-sizes.rtf", "jpeg-huffman-missing.rtf"}) {
    std::ifstream file(std::filesystem::path(POINTRIX_SOURCE_DIR) / "tests/rtf/damaged" / name, std::ios::binary);
    ASSERT_TRUE(file) << name << " missing";
    const std::string page{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const TRtfDocument doc = TRtfReader::Read(page);
    EXPECT_TRUE(doc.Pictures.empty()) << name;
    EXPECT_FALSE(doc.PlainText().empty()) << name;
  }
}

}  // namespace
