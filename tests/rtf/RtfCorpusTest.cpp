#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "toolkit/rtf/RtfReader.h"

// Files written by real word processors (and awkward hand-written ones): each X.rtf
// must give the plain text in X.txt. The expected texts come from another word
// processor's text export, so both sides are normalised the way its conventions
// require: white space at both line ends, list labels it draws itself (bullets,
// "1.", "a.", "iv.") and trailing empty lines do not count.

namespace fs = std::filesystem;

namespace {

fs::path CorpusDir() {
  if (const char* dir = std::getenv("POINTRIX_RTF_CORPUS")) return dir;
  return fs::path(POINTRIX_SOURCE_DIR) / "tests" / "rtf" / "corpus";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Length of a list label at the start of line (followed by a space or TAB), or 0.
size_t LabelLength(const std::string& line) {
  for (const char* bullet : {"\xE2\x80\xA2", "\xE2\x97\xA6", "\xE2\x96\xAA", "\xE2\x80\x93"}) {
    size_t n = strlen(bullet);
    if (line.compare(0, n, bullet) == 0 && n < line.size() && (line[n] == ' ' || line[n] == '\t')) return n + 1;
  }
  size_t i = 0;
  while (i < line.size() && std::isdigit(uint8_t(line[i]))) ++i;
  if (i == 0) {
    while (i < line.size() && std::strchr("ivxlc", line[i])) ++i;
    if (i == 0 && !line.empty() && line[0] >= 'a' && line[0] <= 'z') i = 1;
  }
  if (i > 0 && i + 1 < line.size() && line[i] == '.' && (line[i + 1] == ' ' || line[i + 1] == '\t')) return i + 2;
  return 0;
}

std::vector<std::string> Normalised(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    lines.push_back(Trim(line.substr(LabelLength(line))));
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

TEST(RtfCorpus, NormalisationKeepsWhatMatters) {
  EXPECT_EQ(Normalised("    \xE2\x80\xA2 item  \n1.\tstep\nii. roman\nabc. word\n\n\n"),
            (std::vector<std::string>{"item", "step", "roman", "abc. word"}));
}

TEST(RtfCorpus, EveryFileGivesItsExpectedText) {
  fs::path dir = CorpusDir();
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".rtf") continue;
    ++files;
    SCOPED_TRACE(entry.path().filename().string());
    std::string rtf = ReadFile(entry.path());
    ASSERT_TRUE(TRtfReader::IsRtf(rtf));
    fs::path expectedPath = entry.path();
    expectedPath.replace_extension(".txt");
    std::vector<std::string> expected = Normalised(ReadFile(expectedPath));
    std::vector<std::string> actual = Normalised(TRtfReader::Read(rtf).PlainText());
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
  }
  EXPECT_GT(files, 0) << "no .rtf files in " << dir;
}

}  // namespace
