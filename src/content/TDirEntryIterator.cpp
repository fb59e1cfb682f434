#include "content/TDirEntryIterator.h"

#include <cctype>
#include <cstring>

namespace {

void CopyCut(char* dest, size_t size, const std::string& text) {
  size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(dest, text.data(), n);
  dest[n] = '\0';
}

bool MatchFrom(const char* name, const char* mask) {
  // Iterative wildcard match with one backtracking point for the last "*".
  const char* starMask = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask == '?' || std::tolower(uint8_t(*mask)) == std::tolower(uint8_t(*name))) {
      ++mask;
      ++name;
    } else if (starMask) {
      mask = starMask;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == '\0';
}

}  // namespace

bool MatchesMask(const std::string& name, const std::string& mask) {
  if (mask == "*.*" || mask == "*") return true;
  return MatchFrom(name.c_str(), mask.c_str());
}

TDirEntryIterator::TDirEntryIterator(const std::string& path, const std::string& mask) {
  CopyCut(FPath, sizeof FPath, path);
  CopyCut(FMask, sizeof FMask, mask);
  // An empty folder path means the current folder.
  FSearch = platform::ListFolder(FPath[0] ? std::string(FPath) : std::string("."));
  FEntry.emplace();
  FEntry->valid = true;
  if (!FindNext()) Finish();
}

TDirEntryIterator::~TDirEntryIterator() = default;

bool TDirEntryIterator::accept(const dir_entry&) const {
  return true;
}

void TDirEntryIterator::advance() {
  if (!valid()) return;
  if (!FindNext()) {
    Finish();
    return;
  }
  SkipUnaccepted();
}

void TDirEntryIterator::SkipUnaccepted() {
  while (FEntry && !accept(*FEntry))
    if (!FindNext()) Finish();
}

bool TDirEntryIterator::FindNext() {
  while (FSearchPos < FSearch.size()) {
    const platform::TPDirEntry& found = FSearch[FSearchPos++];
    if (MatchesMask(found.Name, FMask)) {
      Fill(found);
      return true;
    }
  }
  return false;
}

void TDirEntryIterator::Finish() {
  FSearch.clear();
  FSearchPos = 0;
  FEntry.reset();
}

void TDirEntryIterator::Fill(const platform::TPDirEntry& found) {
  bool valid = FEntry->valid;
  *FEntry = dir_entry{};
  FEntry->valid = valid;
  FEntry->dwFileAttributes = found.IsDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  FEntry->nFileSizeHigh = uint32_t(found.Size >> 32);
  FEntry->nFileSizeLow = uint32_t(found.Size);
  CopyCut(FEntry->cFileName, sizeof FEntry->cFileName, found.Name);
}

TSubDirIterator::TSubDirIterator(const std::string& path) : TDirEntryIterator(path, "*.*") {
  SkipUnaccepted();
}

bool TSubDirIterator::accept(const dir_entry& entry) const {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && entry.cFileName[0] != '.';
}
