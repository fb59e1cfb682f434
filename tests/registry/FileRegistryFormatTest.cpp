// The hive file format: what the program writes is readable and parses back to the same
// tree, hand-written files are understood, and broken files are refused with a reason.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/FileRegistryFormat.h"

using namespace platform;

namespace {

const std::string kRoot = "HKEY_CURRENT_USER";

std::string Sz(const std::string& text) {
  return text + '\0';
}

std::string Dword(uint32_t n) {
  return std::string{char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF), char(n >> 24)};
}

TRegKey Parse(const std::string& text) {
  TRegKey root;
  std::string error;
  EXPECT_TRUE(ParseRegFile(text, kRoot, root, error)) << error;
  return root;
}

void ExpectRoundTrip(const TRegKey& root) {
  std::string text = FormatRegFile(root, kRoot);
  TRegKey again;
  std::string error;
  ASSERT_TRUE(ParseRegFile(text, kRoot, again, error)) << error << "\n" << text;
  EXPECT_TRUE(again.SameContent(root)) << text;
  EXPECT_EQ(FormatRegFile(again, kRoot), text);
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

  std::string text = FormatRegFile(root, kRoot);
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
  std::istringstream lines(FormatRegFile(root, kRoot));
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

TEST(FileRegistryFormat, RefusesBrokenFilesWithTheLineAndReason) {
  const std::string header = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n";
  struct TCase {
    std::string Text;
    const char* Reason;
  } cases[] = {
      {"REGEDIT5\n", "line 1: the file does not begin with REGEDIT4"},
      {"\x7F"
       "ELF\x02\x01\x01",
       "line 1: the file does not begin with REGEDIT4"},
      {"REGEDIT4\n\"a\"=\"b\"\n", "line 2: a value before the first key"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n", "line 2: a key of another root"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\K\n", "line 2: a key line without ']'"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\\\K]\n", "line 2: an invalid key name"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\K] x\n", "line 2: text after a key's ']'"},
      {"REGEDIT4\n[-HKEY_CURRENT_USER]\n", "line 2: a root cannot be removed"},
      {header + "\"a\"=\"unterminated\n", "line 3: unterminated text"},
      {header + "\"a=\"b\"\n", "line 3: a value name without '='"},
      {header + "\"a\"=\"b\\n\"\n", "line 3: an unknown escape in text"},
      {header + "\"a\"=\"b\" c\n", "line 3: text after a value"},
      {header + "\"a\"=dword:123456789\n", "line 3: an invalid dword"},
      {header + "\"a\"=dword:\n", "line 3: an invalid dword"},
      {header + "\"a\"=hex:01,\n", "line 3: a hex value ending in ','"},
      {header + "\"a\"=hex:01,zz\n", "line 3: an invalid hex byte"},
      {header + "\"a\"=hex:123\n", "line 3: an invalid hex byte"},
      {header + "\"a\"=hex(:01\n", "line 3: an invalid hex type"},
      {header + "\"a\"=hex:01,\\\n", "line 3: a hex value continued past the end of the file"},
      {header + "\"a\"=text\n", "line 3: an unknown kind of value"},
      {header + "garbage\n", "line 3: a line that is neither a key nor a value"},
  };
  for (const TCase& c : cases) {
    TRegKey root;
    root.Create({"left over"});
    std::string error;
    EXPECT_FALSE(ParseRegFile(c.Text, kRoot, root, error)) << c.Text;
    EXPECT_EQ(error, c.Reason) << c.Text;
    EXPECT_TRUE(root.IsEmpty());
  }
}

TEST(FileRegistryFormat, RefusesPathsBeyondTheRegistryLimits) {
  std::string deep = "REGEDIT4\n[HKEY_CURRENT_USER";
  for (int i = 0; i < 100000; ++i) deep += "\\k";
  deep += "]\n";
  TRegKey root;
  std::string error;
  EXPECT_FALSE(ParseRegFile(deep, kRoot, root, error));
  EXPECT_FALSE(ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(256, 'n') + "]\n", kRoot, root, error));
  EXPECT_TRUE(ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(255, 'n') + "]\n", kRoot, root, error));
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
    if (ParseRegFile(text, kRoot, root, error)) {
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
