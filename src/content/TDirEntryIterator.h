#pragma once

// Walks the entries of one folder that match a mask ("*" and "?" wildcards,
// letter case ignored; "*.*" matches every name), in the order the file system
// returns them. TSubDirIterator yields only sub-folders whose names do not begin
// with ".".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Files.h"

// One entry found by the walk: the classic find-data record followed by a valid flag.
struct dir_entry {
  struct TFileTime {
    uint32_t LowDateTime = 0;
    uint32_t HighDateTime = 0;
  };
  uint32_t dwFileAttributes = 0;
  TFileTime ftCreationTime;
  TFileTime ftLastAccessTime;
  TFileTime ftLastWriteTime;
  uint32_t nFileSizeHigh = 0;
  uint32_t nFileSizeLow = 0;
  uint32_t dwReserved0 = 0;
  uint32_t dwReserved1 = 0;
  char cFileName[260] = {};
  char cAlternateFileName[14] = {};
  bool valid = false;
};

constexpr uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;

class TDirEntryIterator {
public:
  // Starts the walk on path's entries that match mask; the walk is over at once when none does.
  TDirEntryIterator(const std::string& path, const std::string& mask);
  virtual ~TDirEntryIterator();
  TDirEntryIterator(const TDirEntryIterator&) = delete;
  TDirEntryIterator& operator=(const TDirEntryIterator&) = delete;

  // Decides whether an entry is yielded; every entry here.
  virtual bool accept(const dir_entry& entry) const;

  // The current entry, or null when the walk is over.
  const dir_entry* current() const { return FEntry ? &*FEntry : nullptr; }
  // True while there is a current entry that is accepted.
  bool valid() const { return FEntry && accept(*FEntry); }
  // Moves to the next accepted entry; ends the walk when there is none.
  void advance();

protected:
  // Moves on until the current entry is accepted (used by constructors of subclasses).
  void SkipUnaccepted();

private:
  bool FindNext();
  // Ends the walk: no current entry, the search released.
  void Finish();
  void Fill(const platform::TPDirEntry& found);

  char FPath[260] = {};
  char FMask[256] = {};
  // The search: the folder's matching entries and the position of the next one.
  std::vector<platform::TPDirEntry> FSearch;
  size_t FSearchPos = 0;
  // The current entry; empty once the walk is over.
  std::optional<dir_entry> FEntry;
};

class TSubDirIterator : public TDirEntryIterator {
public:
  explicit TSubDirIterator(const std::string& path);
  bool accept(const dir_entry& entry) const override;
};

// Matches name against a mask with "*" and "?" wildcards, ignoring letter case.
bool MatchesMask(const std::string& name, const std::string& mask);
