// libFuzzer entry point for the RTF reader: any bytes must give a document, and the
// document's text must be valid UTF-8 (the layout and the tests rely on it).

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "toolkit/rtf/RtfReader.h"

namespace {

bool ValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    auto b = uint8_t(s[i]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((uint8_t(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  TRtfDocument doc = TRtfReader::Read(input);
  if (!ValidUtf8(doc.PlainText())) std::abort();
  for (const TRtfParagraph& p : doc.Paragraphs)
    for (const TRtfRun& r : p.Runs)
      if (r.Picture >= int(doc.Pictures.size())) std::abort();
  for (const TRtfPicture& picture : doc.Pictures)
    if (picture.Pixels.size() != size_t(picture.Width) * size_t(picture.Height)) std::abort();
  return 0;
}
