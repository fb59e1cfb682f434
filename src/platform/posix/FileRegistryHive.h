#pragma once

// One hive of the file-backed registry: the keys of one root, kept in one hive file.
//
// The hive shows the file's content with this program's pending changes on top. Reads
// first check (with one stat) whether another program replaced the file and reload it if
// so. Changes stay pending until Flush, which takes the hive's lock, reads the file again,
// applies the pending changes to what it finds and replaces the file only when the result
// differs from it. Two programs changing different values of one hive therefore keep both
// changes. Lines of the file that cannot be read are told once on standard error and kept
// in the file as they were; a file that is not a hive file at all is set aside under a
// name that says so and the hive starts empty; a file that exists but cannot be read makes
// the hive read-only, so it is never overwritten.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/posix/FileRegistryFormat.h"
#include "platform/posix/FileRegistryStore.h"
#include "platform/posix/FileRegistryTree.h"

namespace platform {

// Hive files larger than this are not read (and not written).
constexpr size_t RegMaxFileSize = 64u << 20;

class TRegHive {
public:
  // readOnly hives (the machine-wide roots) never change their file.
  TRegHive(std::string rootName, std::string path, bool readOnly);

  const std::string& Path() const { return FPath; }
  const std::string& RootName() const { return FRootName; }
  // False for a read-only root and for a file that exists but cannot be read.
  bool IsWritable() const { return !FReadOnly && !FUnreadable; }

  // Reloads the file when it changed since it was last read.
  void Refresh();
  // The key at path, including pending changes; null when absent. Valid until the next
  // call of a non-const member.
  const TRegKey* FindKey(const TRegPath& path);

  // Adds a key (and its missing parents) as a pending change. False when not writable.
  bool CreateKey(const TRegPath& path);
  // Sets a value as a pending change, creating its key when needed. False when not writable.
  bool SetValue(const TRegPath& path, const std::string& name, DWORD type, std::string data);

  bool HasPendingChanges() const { return !FPendingKeys.empty() || !FPendingValues.empty(); }
  // Writes the pending changes to the file. True when there was nothing to write or the
  // file now holds them. When another program holds the hive's lock for longer than about
  // a second the changes are kept (a note is printed once) and written by a later flush;
  // the final flush, when the program ends, waits only briefly. Any other failure drops
  // the pending changes (the writes are lost, as for a user without rights) and prints a
  // note once.
  bool Flush(bool final = false);
  // True while changes wait for a lock that another program holds.

private:
  struct TPendingValue {
    TRegPath Path;
    std::string Name;
    DWORD Type = REG_NONE;
    std::string Data;
  };

  // Takes newly read file content as the hive's base; a file that cannot be parsed is set
  // aside (when lockHeld or the lock can be taken) and counts as empty.
  void TakeFileContent(std::string data, const TFileIdentity& identity, bool lockHeld);
  void HandleUnparsable(const std::string& reason, bool lockHeld);
  void Rebuild(const std::string& data);
  void ApplyPending();
  void DropPending();
  void Note(const std::string& message);

  std::string FRootName;
  std::string FPath;
  bool FReadOnly;
  bool FUnreadable = false;
  bool FLoaded = false;
  bool FNoteShown = false;
  bool FBusyNoteShown = false;
  bool FHeldBack = false;
  std::string FBaseBytes;  // the file content the view is built on
  TRegFileFormat FFormat;  // how the file was written, kept when writing it back
  std::set<std::string> FReportedProblems;
  TFileIdentity FBaseIdentity;
  std::unique_ptr<TRegKey> FView;
  std::vector<TRegPath> FPendingKeys;
  std::vector<TPendingValue> FPendingValues;
};

}  // namespace platform
