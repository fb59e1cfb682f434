// The line reader of language text files: line ends of every platform, the
// 50000-byte buffer, empty files and files that are not there.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/TLineIterator.h"
#include "platform/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/Golden.h"

namespace {

class LineIteratorTest : public ::testing::Test {
protected:
  void SetUp() override { platform::SetBackend(&FBackend); }
  void TearDown() override { platform::SetBackend(nullptr); }

  std::string Write(const std::string& data, const std::string& name = "text.txt") {
    std::string path = FTemp.Path() + "/" + name;
    EXPECT_TRUE(platform::WriteWholeFile(path, data));
    return path;
  }

  // Every line the iterator hands out, in order.
  static std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    TLineIterator it(path);
    for (; it.valid(); it.advance()) lines.emplace_back(it.current());
    return lines;
  }

  std::vector<std::string> LinesOf(const std::string& data) { return Lines(Write(data)); }

  testsupport::TTempDir FTemp;
  platform::THeadlessBackend FBackend;
};

using Strings = std::vector<std::string>;

TEST_F(LineIteratorTest, ThirteenCrLfLinesComeOutInOrderWithoutAnEmptyLastLine) {
  std::string data;
  Strings expected;
  for (int i = 1; i <= 13; ++i) {
    expected.push_back("Line " + std::to_string(i));
    data += expected.back() + "\r\n";
  }
  EXPECT_EQ(LinesOf(data), expected);
}

TEST_F(LineIteratorTest, EveryLineEndOfEveryPlatformEndsALine) {
  EXPECT_EQ(LinesOf("one\ntwo\nthree\n"), (Strings{"one", "two", "three"})) << "LF only";
  EXPECT_EQ(LinesOf("one\rtwo\rthree\r"), (Strings{"one", "two", "three"})) << "CR only: nothing swallowed";
  EXPECT_EQ(LinesOf("a\r\nb\nc\rd"), (Strings{"a", "b", "c", "d"})) << "mixed";
  EXPECT_EQ(LinesOf("a\r\n\r\nb\r\n"), (Strings{"a", "", "b"})) << "empty line in the middle";
  EXPECT_EQ(LinesOf("a\n\rb"), (Strings{"a", "", "b"})) << "LF CR is two line ends";
}

TEST_F(LineIteratorTest, LastLineWithoutLineEndIsStillALine) {
  EXPECT_EQ(LinesOf("first\r\nlast"), (Strings{"first", "last"}));
  EXPECT_EQ(LinesOf("x"), (Strings{"x"}));
}

TEST_F(LineIteratorTest, ZeroByteEndsALineAndSwallowsNothing) {
  EXPECT_EQ(LinesOf(std::string("ab\0cd\r\nef", 9)), (Strings{"ab", "cd", "ef"}));
  EXPECT_EQ(LinesOf(std::string("\0\0x", 3)), (Strings{"", "", "x"}));
}

TEST_F(LineIteratorTest, LongLinesAreHandedOutWhole) {
  std::string longLine(120, 'w');
  EXPECT_EQ(LinesOf(longLine + "\r\n" + longLine), (Strings{longLine, longLine}));
}

TEST_F(LineIteratorTest, EmptyFileYieldsNoLinesAndNoMessage) {
  EXPECT_TRUE(LinesOf("").empty());
  EXPECT_TRUE(FBackend.Messages().empty());
}

TEST_F(LineIteratorTest, FileOfExactlyTheBufferSizeIsReadWhole) {
  // 4999 lines of 8 characters + CR LF, then one line of 8 characters without a line end.
  std::string data;
  for (int i = 0; i < 4999; ++i) data += "abcdefgh\r\n";
  data += "lastline";
  data += "\r\n";
  ASSERT_EQ(data.size(), 50000u);
  Strings lines = LinesOf(data);
  ASSERT_EQ(lines.size(), 5000u);
  EXPECT_EQ(lines.back(), "lastline");
  EXPECT_TRUE(FBackend.Messages().empty());

  // The last byte of a full buffer that is not a line end is kept.
  std::string full(49999, 'q');
  full += 'Z';
  lines = LinesOf(full);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), 50000u);
  EXPECT_EQ(lines[0].back(), 'Z');
}

TEST_F(LineIteratorTest, OneByteMoreShowsTheWarningAndReadsAsEmpty) {
  std::string data(50001, 'a');
  data[10] = '\n';
  EXPECT_TRUE(LinesOf(data).empty());
  ASSERT_EQ(FBackend.Messages().size(), 1u);
  EXPECT_EQ(FBackend.Messages()[0].Text, "File too large for buffer");
  EXPECT_EQ(FBackend.Messages()[0].Caption, "Error");
  EXPECT_EQ(FBackend.Messages()[0].Icon, platform::TPMessageIcon::Warning);
}

TEST_F(LineIteratorTest, MissingFileOrFolderRaisesNoFile) {
  for (const std::string& path : {FTemp.Path() + "/absent.txt", FTemp.Path()}) {
    try {
      TLineIterator it(path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const ELineError& error) {
      EXPECT_STREQ(error.what(), "No file");
    }
  }
}

TEST_F(LineIteratorTest, BackslashPathsAreOpened) {
  std::string path = Write("hello\r\n", "back.txt");
  std::string windowsStyle = FTemp.Path() + "\\back.txt";
  EXPECT_EQ(Lines(windowsStyle), (Strings{"hello"}));
  (void)path;
}

TEST(LineError, MessageIsCutTo199Characters) {
  std::string text(300, 'm');
  ELineError error(text.c_str());
  EXPECT_EQ(std::string(error.what()), std::string(199, 'm'));
}

}  // namespace
