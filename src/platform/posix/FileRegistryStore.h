#pragma once

// File operations behind the file-backed registry: reading a hive file, an exclusive lock
// shared by every program that writes the same hive, replacing a file so that a crash
// leaves either the old or the new one, and setting a broken file aside.

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace platform {

// What stat says about a file; it changes whenever the file is replaced or written.
struct TFileIdentity {
  bool Exists = false;
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  int64_t ModifiedNs = 0;
  friend bool operator==(const TFileIdentity&, const TFileIdentity&) = default;
};

TFileIdentity StatFileIdentity(const std::string& path);

enum class TFileReadResult : uint8_t { frOk, frMissing, frTooLarge, frError };

// Reads a whole file of at most maxSize bytes, with the identity of what was read.
// frError means the file exists but cannot be read (a folder, no permission); the reason
// is put in error.
TFileReadResult ReadFileSnapshot(const std::string& path, size_t maxSize, std::string& data, TFileIdentity& identity,
                                 std::string& error);

// An exclusive advisory lock on a lock file (created when absent, never removed).
// Released by the destructor.
class TRegFileLock {
public:
  TRegFileLock() = default;
  ~TRegFileLock();
  TRegFileLock(const TRegFileLock&) = delete;
  TRegFileLock& operator=(const TRegFileLock&) = delete;
  // Waits at most timeoutMs for the lock; false (with error set) when it was not taken.
  bool Acquire(const std::string& lockPath, int timeoutMs, std::string& error);
  // After a failed Acquire: true when another program held the lock for the whole wait
  // (rather than the lock file being unusable).
  bool WasBusy() const { return FBusy; }

private:
  int FHandle = -1;
  bool FBusy = false;
};

// Creates a folder and its missing parents (mode 0700). True when it exists afterwards.
bool MakeFolders(const std::string& path);

// The steps of ReplaceFileAtomically, in order. Builds with fault points (the test builds)
// call PointrixRegistryFaultPoint with each step as it is reached, so that tests can stop
// a writer at every one of them.
enum class TRegWriteStep : int {
  rwLockWanted,  // the hive is about to wait for its lock (reported by the hive)
  rwLocked,      // the hive's lock is held (reported by the hive before writing)
  rwTemporaryCreated,
  rwTemporaryHalfWritten,
  rwTemporaryWritten,
  rwTemporaryFlushed,
  rwTemporaryClosed,
  rwRenamed,
  rwFolderFlushed,
  rwCount
};
// Reports a step to the fault point when the build has one; does nothing otherwise.
void RegistryFaultPoint(TRegWriteStep step);

// Writes data to a new temporary file beside path, flushes it to disk and renames it over
// path, so that path holds either the old or the new content at every moment. A symbolic
// link at path is followed. The file keeps the old file's permissions (0600 when new);
// a write-protected file is not replaced.
bool ReplaceFileAtomically(const std::string& path, const std::string& data, std::string& error);

// Removes the temporary files that writers killed during ReplaceFileAtomically left beside
// path. Only safe while holding the lock that every writer of path takes.
void RemoveStaleTemporaries(const std::string& path);

// Renames path to "<path>.corrupt-<UTC time>" (with a number added when that name is taken;
// an existing file is never replaced). Returns the new name, or empty text on failure.
std::string QuarantineFile(const std::string& path);

}  // namespace platform
