#include "support/Golden.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

#include "platform/Png.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

// The 32-bit Windows build's font rasteriser rounds a few anti-aliased glyph edge pixels
// one step differently from the 64-bit Linux one; there a channel may differ by one.
#ifdef _WIN32
constexpr int ChannelTolerance = 1;
#else
constexpr int ChannelTolerance = 0;
#endif

bool SamePixel(uint32_t a, uint32_t e) {
  for (int shift = 0; shift <= 16; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((e >> shift) & 0xFF)) > ChannelTolerance) return false;
  return true;
}

}  // namespace

TGoldenResult CompareGolden(const std::string& name, const uint32_t* pixels, int width, int height, int stride) {
  const fs::path golden = fs::path(POINTRIX_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
  const fs::path outDir = fs::path(POINTRIX_BINARY_DIR) / "golden-actual";
  const char* update = std::getenv("POINTRIX_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    fs::create_directories(golden.parent_path());
    if (!platform::WritePng(golden.string(), pixels, width, height, stride))
      return {false, "cannot write " + golden.string()};
    return {true, "rewritten " + golden.string()};
  }

  int gw = 0, gh = 0;
  std::vector<uint32_t> expected = platform::ReadPng(golden.string(), gw, gh);
  fs::create_directories(outDir);
  const fs::path actualPath = outDir / (name + ".png");
  const fs::path diffPath = outDir / (name + ".diff.png");
  if (expected.empty()) {
    platform::WritePng(actualPath.string(), pixels, width, height, stride);
    return {false, "no golden image " + golden.string() + " (actual written to " + actualPath.string() +
                       "; set POINTRIX_UPDATE_GOLDEN=1 to accept it)"};
  }
  if (gw != width || gh != height) {
    platform::WritePng(actualPath.string(), pixels, width, height, stride);
    return {false, "size " + std::to_string(width) + "x" + std::to_string(height) + " differs from golden " +
                       std::to_string(gw) + "x" + std::to_string(gh) + "; actual: " + actualPath.string()};
  }

  std::vector<uint32_t> diff(size_t(width) * size_t(height));
  long differing = 0;
  int firstX = -1, firstY = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t a = pixels[size_t(y) * size_t(stride) + size_t(x)] & 0xFFFFFF;
      uint32_t e = expected[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF;
      if (!SamePixel(a, e)) {
        if (differing++ == 0) {
          firstX = x;
          firstY = y;
        }
        diff[size_t(y) * size_t(width) + size_t(x)] = 0xFF0000;
      } else {
        // Faded copy of the picture so the differences stand out.
        uint32_t r = ((a >> 16) & 0xFF) / 4 + 191, g = ((a >> 8) & 0xFF) / 4 + 191, b = (a & 0xFF) / 4 + 191;
        diff[size_t(y) * size_t(width) + size_t(x)] = (r << 16) | (g << 8) | b;
      }
    }
  if (differing == 0) return {true, ""};
  platform::WritePng(actualPath.string(), pixels, width, height, stride);
  platform::WritePng(diffPath.string(), diff.data(), width, height, width);
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%ld pixels differ from %s, first at (%d, %d); actual: %s, diff: %s", differing,
                golden.string().c_str(), firstX, firstY, actualPath.string().c_str(), diffPath.string().c_str());
  return {false, buffer};
}

TTempDir::TTempDir() {
#ifdef _WIN32
  // No mkdtemp here: random names until one can be created (creating is atomic).
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = fs::temp_directory_path() / ("pointrix-test-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      FPath = candidate.generic_string();
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
#else
  std::string pattern = (fs::temp_directory_path() / "pointrix-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot create a temporary folder");
  FPath = buffer.data();
#endif
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  fs::remove_all(FPath, ignored);
}

}  // namespace testsupport
