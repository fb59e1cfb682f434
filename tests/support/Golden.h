#pragma once

// Golden-image comparison for tests: exact pixel match against a PNG under
// tests/golden/. With POINTRIX_UPDATE_GOLDEN=1 in the environment the reference is
// (re)written instead. On a mismatch the actual image and a diff image (differing
// pixels in red over a faded copy) are written to the build folder, and the
// returned message names them and the first differing pixel.

#include <cstdint>
#include <string>

namespace testsupport {

struct TGoldenResult {
  bool Matched = false;
  std::string Message;
};

// Compares width x height pixels (0x00RRGGBB, row stride in pixels) with golden/<name>.png.
TGoldenResult CompareGolden(const std::string& name, const uint32_t* pixels, int width, int height, int stride);

// A fresh, empty temporary folder that is removed with the object.
class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
};

}  // namespace testsupport
