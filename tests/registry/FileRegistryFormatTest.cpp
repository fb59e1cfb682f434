// The hive file format: what the program writes is readable and parses back to the same
// tree, hand-written files are understood, and broken files are refused with a reason.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/FileRegistryFormat.h"

using namespace platform;

namespace {

const std::string RootName = "HKEY_CURRENT_USER";

std::string Sz(const std::string& text) {
  return text + '\0';
}

std::string Dword(uint32_t n) {
  return std::string{char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF), char(n >> 24)};
}

TRegKey Parse(const std::string& text) {
  TRegKey root;
  std::string error;
  EXPECT_TRUE(ParseRegFile(text, RootName, root, error)) << error;
  return root;
}

void ExpectRoundTrip(const TRegKey& root) {
  std::string text = FormatRegFile(root, RootName);
  TRegKey again;
  std::string error;
  ASSERT_TRUE(ParseRegFile(text, RootName, again, error)) << error << "\n" << text;
  EXPECT_TRUE(again.SameContent(root)) << text;
  EXPECT_EQ(FormatRegFile(again, RootName), text);
}

}  // namespace

TEST(FileRegistryFormat, WritesReadableTextThatParsesBack) {
  TRegKey root;
  TRegKey& key = root.Create({"Software", "Quillaby Software", "Pointrix"});
  key.SetValue("Language", REG_SZ, Sz("English"));
  key.SetValue("", REG_SZ, Sz("unnamed"));
  key.SetValue("Count", REG_DWORD, Dword(42));
  key.SetValue("Quote \"and\" back\\slash", REG_SZ, Sz("C:\\Program Files\\\"x\""));
  key.SetValue("Path", REG_EXPAND_SZ, Sz("%HOME%"));
  key.SetValue("Empty", REG_SZ, Sz(""));
  root.Create({"Control Panel", "Mouse"});

  std::string text = FormatRegFile(root, RootName);
  EXPECT_EQ(text.rfind("REGEDIT4\n", 0), 0u);
  EXPECT_NE(text.find("\n[HKEY_CURRENT_USER\\Software\\Quillaby Software\\Pointrix]\n"), std::string::npos);
  EXPECT_NE(text.find("\n\"Language\"=\"English\"\n"), std::string::npos);
  EXPECT_NE(text.find("\n@=\"unnamed\"\n"), std::string::npos);
  EXPECT_NE(text.find("\n\"Count\"=dword:0000002a\n"), std::string::npos);
  EXPECT_NE(text.find("\n\"Quote \\\"and\\\" back\\\\slash\"=\"C:\\\\Program Files\\\\\\\"x\\\"\"\n"),
            std::string::npos);
  EXPECT_NE(text.find("\n\"Path\"=hex(2):25,48,4f,4d,45,25,00\n"), std::string::npos);
  EXPECT_NE(text.find("\n\"Empty\"=\"\"\n"), std::string::npos);
  EXPECT_NE(text.find("\n[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n"), std::string::npos);
  ExpectRoundTrip(root);
}

TEST(FileRegistryFormat, EightBitTextAndOddValuesSurviveByteForByte) {
  std::string everyByte;
  for (int c = 1; c < 256; ++c) everyByte += char(c);
  std::string nameBytes;
  for (int c = 0x20; c < 256; ++c) nameBytes += char(c);
  std::string longBinary;
  for (int i = 0; i < 300; ++i) longBinary += char(i * 7);

  TRegKey root;
  TRegKey& key = root.Create({"K\xE9y \xFF]"});
  key.SetValue("text", REG_SZ, Sz(everyByte));
  key.SetValue(nameBytes + "\t", REG_SZ, Sz("caf\xE9 \x80\x9F"));
  key.SetValue("no terminator", REG_SZ, "abc");
  key.SetValue("inner zero", REG_SZ, std::string("a\0b\0", 4));
  key.SetValue("size zero", REG_SZ, "");
  key.SetValue("binary", REG_BINARY, longBinary);
  key.SetValue("short dword", REG_DWORD, "\x01\x02");
  key.SetValue("qword", REG_QWORD, Dword(1) + Dword(2));
  key.SetValue("type 1234", 0x1234, "x");
  root.SetValue("at the root", REG_SZ, Sz("r"));
  ExpectRoundTrip(root);

  // Long hex values are continued on further lines, none longer than 80 characters.
  std::istringstream lines(FormatRegFile(root, RootName));
  std::string line;
  int continued = 0;
  while (std::getline(lines, line)) {
    if (line.find("hex") != std::string::npos || line.rfind("  ", 0) == 0) {
      EXPECT_LE(line.size(), 80u) << line;
    }
    if (!line.empty() && line.back() == '\\' && line.rfind("  ", 0) == 0) ++continued;
  }
  EXPECT_GT(continued, 3);
}

TEST(FileRegistryFormat, ReadsFilesWrittenByHand) {
  std::string text =
      "\xEF\xBB\xBF"
      "REGEDIT4\r\n"
      "\r\n"
      "; a comment\r\n"
      "[HKEY_CURRENT_USER\\Software\\App]\r\n"
      "\"Name\" = \"Value\"\r\n"
      "\"Number\"=DWORD:FF\r\n"
      "\"Bytes\"=hex:01, 02,\\\r\n"
      "    03,\\\n"
      "  04\r\n"
      "\"Gone\"=\"soon\"\r\n"
      "\"Gone\"=-\r\n"
      "[hkey_current_user\\SOFTWARE\\app]\n"
      "\"name\"=\"Second\"\n"
      "[HKEY_CURRENT_USER\\Software\\Old\\Sub]\n"
      "[-HKEY_CURRENT_USER\\Software\\Old]\n"
      "\"ignored\"=\"in a removed key\"\n";
  TRegKey root = Parse(text);
  TRegKey* app = root.Find({"software", "APP"});
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->Name(), "App");
  ASSERT_EQ(app->Values().size(), 3u);
  EXPECT_EQ(app->Values()[0], (TRegValue{"Name", REG_SZ, Sz("Second")}));
  EXPECT_EQ(app->Values()[1], (TRegValue{"Number", REG_DWORD, Dword(255)}));
  EXPECT_EQ(app->Values()[2], (TRegValue{"Bytes", REG_BINARY, "\x01\x02\x03\x04"}));
  EXPECT_EQ(root.Find({"Software", "Old"}), nullptr);

  EXPECT_TRUE(Parse("").IsEmpty());
  EXPECT_TRUE(Parse(" \n\r\n").IsEmpty());
}

TEST(FileRegistryFormat, RefusesOnlyFilesThatAreNotHiveFiles) {
  struct TCase {
    std::string Text;
    const char* Reason;
  } cases[] = {
      {"REGEDIT5\n", "line 1: the file does not begin with REGEDIT4"},
      {"\n\n[HKEY_CURRENT_USER\\K]\n", "line 3: the file does not begin with REGEDIT4"},
      {"\x7F"
       "ELF\x02\x01\x01",
       "line 1: the file does not begin with REGEDIT4"},
      {std::string("\xFF\xFER\0E\0G\0", 9), "line 1: the file is not whole UTF-16 text"},
  };
  for (const TCase& c : cases) {
    TRegKey root;
    root.Create({"left over"});
    std::string error;
    EXPECT_FALSE(ParseRegFile(c.Text, RootName, root, error)) << c.Text;
    EXPECT_EQ(error, c.Reason) << c.Text;
    EXPECT_TRUE(root.IsEmpty());
  }
}

// One line that cannot be read costs only that line: it is reported with its number,
// the values around it are read, and writing the tree back gives the line unchanged.
TEST(FileRegistryFormat, KeepsLinesItCannotReadAndReadsTheRest) {
  const std::string before = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"first\"=\"1\"\n";
  const std::string after = "\"second\"=\"2\"\n[HKEY_CURRENT_USER\\L]\n\"third\"=\"3\"\n";
  struct TCase {
    std::string Lines;
    const char* Reason;
  } cases[] = {
      {"\"Path\"=\"C:\\temp\\new\"", "line 4: an unknown escape in text"},
      {"\"Language\"=Deutsch", "line 4: an unknown kind of value"},
      {"\"a\"=\"unterminated", "line 4: unterminated text"},
      {"\"a=\"b\"", "line 4: a value name without '='"},
      {"\"a\"=\"b\" c", "line 4: text after a value"},
      {"\"a\"=dword:123456789", "line 4: an invalid dword"},
      {"\"a\"=dword:", "line 4: an invalid dword"},
      {"\"a\"=hex:01,", "line 4: a hex value ending in ','"},
      {"\"a\"=hex:01,zz", "line 4: an invalid hex byte"},
      {"\"a\"=hex:123", "line 4: an invalid hex byte"},
      {"\"a\"=hex(:01", "line 4: an invalid hex type"},
      {"\"a\"=hex:01,\\\n  02,\\\n  03,,04", "line 4: an invalid hex byte"},
      {"\"a\"=hex:01,\\", "line 4: a hex value continued by a line that is not hex"},
      {"garbage", "line 4: a line that is neither a key nor a value"},
      {"[HKEY_LOCAL_MACHINE\\K]\n\"x\"=\"in another root\"", "line 4: a key of another root"},
      {"[HKEY_CURRENT_USER\\K", "line 4: a key line without ']'"},
      {"[HKEY_CURRENT_USER\\\\K]", "line 4: an invalid key name"},
      {"[HKEY_CURRENT_USER\\K] x", "line 4: text after a key's ']'"},
      {"[-HKEY_CURRENT_USER]", "line 4: a root cannot be removed"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Lines);
    const std::string text = before + c.Lines + "\n" + after;
    TRegKey root;
    std::string error;
    std::vector<std::string> problems;
    ASSERT_TRUE(ParseRegFile(text, RootName, root, error, nullptr, &problems));
    EXPECT_EQ(problems, std::vector<std::string>{c.Reason});
    ASSERT_NE(root.Find({"K"}), nullptr);
    EXPECT_EQ(root.Find({"K"})->FindValue("first")->Data, Sz("1"));
    EXPECT_EQ(root.Find({"L"})->FindValue("third")->Data, Sz("3"));
    // After a value line, the key's values go on; after a key line, its own lines follow it.
    if (c.Lines[0] != '[') {
      EXPECT_EQ(root.Find({"K"})->FindValue("second")->Data, Sz("2"));
    }

    const std::string written = FormatRegFile(root, RootName);
    EXPECT_NE(written.find("\n" + c.Lines + "\n"), std::string::npos) << written;
    TRegKey again;
    std::vector<std::string> problemsAgain;
    ASSERT_TRUE(ParseRegFile(written, RootName, again, error, nullptr, &problemsAgain));
    EXPECT_EQ(problemsAgain.size(), 1u);
    EXPECT_TRUE(again.SameContent(root)) << written;
    EXPECT_EQ(FormatRegFile(again, RootName), written);
  }

  // Lines before the first key, and a hex value cut off by the end of the file.
  TRegKey root;
  std::string error;
  std::vector<std::string> problems;
  const std::string text = "REGEDIT4\n\"a\"=\"b\"\n[HKEY_CURRENT_USER\\K]\n\"c\"=\"d\"\n\"e\"=hex:01,\\\n";
  ASSERT_TRUE(ParseRegFile(text, RootName, root, error, nullptr, &problems));
  EXPECT_EQ(problems, (std::vector<std::string>{"line 2: a value before the first key",
                                                "line 5: a hex value continued past the end of the file"}));
  EXPECT_EQ(root.Find({"K"})->FindValue("c")->Data, Sz("d"));
  EXPECT_EQ(FormatRegFile(root, RootName),
            "REGEDIT4\n\"a\"=\"b\"\n\n[HKEY_CURRENT_USER\\K]\n\"c\"=\"d\"\n\"e\"=hex:01,\\\n\n");
  ExpectRoundTrip(root);
}

// What the registry editor exports by default: the version 5 header, UTF-16 LE with a
// byte order mark, CR LF line ends, text types in hex as UTF-16. Written back unchanged.
TEST(FileRegistryFormat, ReadsAndWritesBackVersion5FilesInUtf16) {
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software]\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Caf\u00e9]\r\n"
      "\"Language\"=\"Fran\u00e7ais \u20ac\"\r\n"
      "\"Home\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,00,00\r\n"
      "\"Name\"=\"\u65e5\u672c\"\r\n"
      "\"Count\"=dword:00000003\r\n";
  std::string utf16 = "\xFF\xFE";
  for (size_t pos = 0; pos < utf8.size();) {
    // The test text is ASCII apart from characters of the Basic Multilingual Plane.
    char32_t c = static_cast<unsigned char>(utf8[pos]);
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : 2;
    c &= extra == 0 ? 0x7F : extra == 1 ? 0x1F : 0x0F;
    for (int i = 1; i <= extra; ++i) c = (c << 6) | (static_cast<unsigned char>(utf8[pos + size_t(i)]) & 0x3F);
    pos += size_t(extra) + 1;
    utf16 += char(c & 0xFF);
    utf16 += char(c >> 8);
  }
  TRegKey root;
  std::string error;
  TRegFileFormat format;
  std::vector<std::string> problems;
  ASSERT_TRUE(ParseRegFile(utf16, RootName, root, error, &format, &problems)) << error;
  EXPECT_EQ(format, (TRegFileFormat{TRegFileFormat::reUtf16, true, true}));
  EXPECT_EQ(problems, std::vector<std::string>{"line 8: characters that 8-bit text cannot hold"});
  const TRegKey* key = root.Find({"Software", "Caf\xE9"});
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->FindValue("Language")->Data, Sz("Fran\xE7"
                                                 "ais \x80"));
  EXPECT_EQ(*key->FindValue("Home"), (TRegValue{"Home", REG_EXPAND_SZ, Sz("%HOME%")}));
  EXPECT_EQ(key->FindValue("Count")->Data, Dword(3));
  EXPECT_EQ(FormatRegFile(root, RootName, format), utf16);

  // The same in UTF-8 with a byte order mark.
  ASSERT_TRUE(ParseRegFile("\xEF\xBB\xBF" + utf8, RootName, root, error, &format, &problems));
  EXPECT_EQ(format, (TRegFileFormat{TRegFileFormat::reUtf8, true, true}));
  EXPECT_EQ(root.Find({"Software", "Caf\xE9"})->FindValue("Language")->Data, Sz("Fran\xE7"
                                                                                "ais \x80"));
  EXPECT_EQ(FormatRegFile(root, RootName, format), "\xEF\xBB\xBF" + utf8);
}

TEST(FileRegistryFormat, RefusesPathsBeyondTheRegistryLimits) {
  std::string deep = "REGEDIT4\n[HKEY_CURRENT_USER";
  for (int i = 0; i < 100000; ++i) deep += "\\k";
  deep += "]\n";
  TRegKey root;
  std::string error;
  std::vector<std::string> problems;
  EXPECT_TRUE(ParseRegFile(deep, RootName, root, error, nullptr, &problems));
  EXPECT_TRUE(root.SubKeys().empty());
  EXPECT_EQ(problems, std::vector<std::string>{"line 2: an invalid key name"});
  EXPECT_TRUE(ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(256, 'n') + "]\n", RootName, root, error,
                           nullptr, &problems));
  EXPECT_TRUE(root.SubKeys().empty());
  EXPECT_TRUE(ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(255, 'n') + "]\n", RootName, root, error));
  EXPECT_EQ(root.SubKeys().size(), 1u);
}

// The fuzzer's seed files (valid hives, truncated ones, garbage and binary noise) never
// crash the parser, and whatever parses is written back to an equivalent file.
TEST(FileRegistryFormat, CorpusFilesParseOrFailCleanly) {
  std::filesystem::path corpus = std::filesystem::path(POINTRIX_SOURCE_DIR) / "fuzz/registry/corpus";
  int files = 0, parsed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ++files;
    TRegKey root;
    std::string error;
    if (ParseRegFile(text, RootName, root, error)) {
      ++parsed;
      ExpectRoundTrip(root);
    } else {
      EXPECT_EQ(error.rfind("line ", 0), 0u) << entry.path();
      EXPECT_TRUE(root.IsEmpty());
    }
  }
  EXPECT_GE(files, 6);
  EXPECT_GT(parsed, 0);
  EXPECT_LT(parsed, files);
}
