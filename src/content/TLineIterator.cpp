#include "content/TLineIterator.h"

#include <cstring>

#include "platform/Files.h"
#include "platform/Platform.h"

ELineError::ELineError(const char* text) {
  std::strncpy(message, text, sizeof message - 1);
  message[sizeof message - 1] = '\0';
}

TLineIterator::TLineIterator(const std::string& fileName) {
  FData[0] = '\0';
  std::string path = platform::NativePath(fileName);
  if (!platform::FileExists(path)) throw ELineError("No file");
  std::optional<uint64_t> size = platform::FileSize(path);
  if (!size) throw ELineError("Zero length");
  if (*size > uint64_t(BufferSize)) {
    if (platform::HasBackend())
      platform::Backend().Dialogs().MessageBox("File too large for buffer", "Error", platform::TPMessageIcon::Warning);
    FSize = 0;
  } else {
    std::string data;
    if (!platform::ReadWholeFile(path, data)) throw ELineError("No file");
    // The file may have changed since its size was taken; never overrun the buffer.
    FSize = int32_t(data.size() < size_t(BufferSize) ? data.size() : size_t(BufferSize));
    std::memcpy(FData, data.data(), size_t(FSize));
  }
  FData[FSize] = '\0';
  Position(FData);
}

void TLineIterator::Position(char* start) {
  char* end = FData + FSize;
  if (!start || start >= end) {
    FValid = false;
    FCurrent = nullptr;
    FNext = nullptr;
    return;
  }
  FCurrent = start;
  FValid = true;
  char* p = start;
  while (p < end && *p != '\r' && *p != '\n' && *p != '\0') ++p;
  if (p == end) {
    FNext = nullptr;
  } else {
    // CR LF is one line end; a lone CR, a lone LF or a zero byte is one too.
    char* after = p + 1;
    if (*p == '\r' && after < end && *after == '\n') ++after;
    FNext = after;
  }
  *p = '\0';  // p == end writes the terminator kept after the data
}
