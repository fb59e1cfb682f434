#include "platform/posix/FileRegistryHive.h"

#include <cstdio>

#include "platform/posix/FileRegistryFormat.h"

namespace platform {

namespace {

// How long a write waits for another program to finish its write. A change that could not
// wait longer is kept and written at a later flush; those later attempts, and the last one
// when the program ends, wait less so that the program keeps answering its user.
constexpr int LockTimeoutMs = 1000;
constexpr int RetryLockTimeoutMs = 250;

bool SamePath(const TRegPath& a, const TRegPath& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!SameRegName(a[i], b[i])) return false;
  return true;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

TRegHive::TRegHive(std::string rootName, std::string path, bool readOnly)
    : FRootName(std::move(rootName)), FPath(std::move(path)), FReadOnly(readOnly), FView(std::make_unique<TRegKey>()) {}

void TRegHive::Refresh() {
  if (FLoaded && StatFileIdentity(FPath) == FBaseIdentity) return;
  FLoaded = true;
  std::string data, error;
  TFileIdentity identity;
  switch (ReadFileSnapshot(FPath, RegMaxFileSize, data, identity, error)) {
    case TFileReadResult::frOk:
      TakeFileContent(std::move(data), identity, false);
      break;
    case TFileReadResult::frMissing:
      FUnreadable = false;
      FBaseIdentity = {};
      Rebuild("");
      break;
    case TFileReadResult::frTooLarge:
      HandleUnparsable("it is larger than 64 MB", false);
      break;
    case TFileReadResult::frError:
      if (!FUnreadable) Note("cannot read the registry file " + FPath + " (" + error + "); it is left unchanged.");
      FUnreadable = true;
      FBaseIdentity = StatFileIdentity(FPath);
      Rebuild("");
      break;
  }
}

const TRegKey* TRegHive::FindKey(const TRegPath& path) {
  return FView->Find(path);
}

bool TRegHive::CreateKey(const TRegPath& path) {
  if (!IsWritable()) return false;
  if (FView->Find(path)) return true;
  FPendingKeys.push_back(path);
  FView->Create(path);
  return true;
}

bool TRegHive::SetValue(const TRegPath& path, const std::string& name, DWORD type, std::string data) {
  if (!IsWritable()) return false;
  FView->Create(path).SetValue(name, type, data);
  for (TPendingValue& pending : FPendingValues)
    if (SameRegName(pending.Name, name) && SamePath(pending.Path, path)) {
      pending.Type = type;
      pending.Data = std::move(data);
      return true;
    }
  FPendingValues.push_back(TPendingValue{path, name, type, std::move(data)});
  return true;
}

bool TRegHive::Flush(bool final) {
  if (!HasPendingChanges()) return true;
  std::string error = "the registry is read-only";
  bool written = false, busy = false;
  if (IsWritable()) {
    TRegFileLock lock;
    RegistryFaultPoint(TRegWriteStep::rwLockWanted);
    if (!MakeFolders(FolderOf(FPath))) {
      error = "its folder cannot be created";
    } else if (lock.Acquire(FPath + ".lock", FHeldBack || final ? RetryLockTimeoutMs : LockTimeoutMs, error)) {
      RegistryFaultPoint(TRegWriteStep::rwLocked);
      RemoveStaleTemporaries(FPath);
      std::string data;
      TFileIdentity identity;
      switch (ReadFileSnapshot(FPath, RegMaxFileSize, data, identity, error)) {
        case TFileReadResult::frOk:
          if (data != FBaseBytes || !FBaseIdentity.Exists) TakeFileContent(std::move(data), identity, true);
          break;
        case TFileReadResult::frMissing:
          if (FBaseIdentity.Exists) {
            FBaseIdentity = {};
            Rebuild("");
          }
          break;
        case TFileReadResult::frTooLarge:
          HandleUnparsable("it is larger than 64 MB", true);
          break;
        case TFileReadResult::frError:
          FUnreadable = true;
          break;
      }
      if (IsWritable()) {
        std::string text = FormatRegFile(*FView, FRootName, FFormat);
        if (FBaseIdentity.Exists && text == FBaseBytes) {
          written = true;  // the file already holds every change
        } else if (text.size() > RegMaxFileSize) {
          error = "the registry would grow beyond 64 MB";
        } else if (ReplaceFileAtomically(FPath, text, error)) {
          FBaseBytes = std::move(text);
          FBaseIdentity = StatFileIdentity(FPath);
          written = true;
        }
      }
    } else {
      busy = lock.WasBusy();
    }
  }
  if (written) {
    FPendingKeys.clear();
    FPendingValues.clear();
    FHeldBack = false;
    return true;
  }
  if (busy && !final) {
    // Another program is writing (or stuck while holding the lock): keep the changes and
    // try again at the next flush and when the program ends, without waiting long again.
    if (!FHeldBack && !FBusyNoteShown)
      Note("the registry file " + FPath + " is locked by another program; changes are kept and saved later.");
    FHeldBack = FBusyNoteShown = true;
    return false;
  }
  if (!FNoteShown) Note("cannot write the registry file " + FPath + " (" + error + "); changes are not saved.");
  FNoteShown = true;
  FHeldBack = false;
  DropPending();
  return false;
}

void TRegHive::TakeFileContent(std::string data, const TFileIdentity& identity, bool lockHeld) {
  auto parsed = std::make_unique<TRegKey>();
  std::string error;
  TRegFileFormat format;
  std::vector<std::string> problems;
  if (!ParseRegFile(data, FRootName, *parsed, error, &format, &problems)) {
    HandleUnparsable(error, lockHeld);
    return;
  }
  // Each line that cannot be read is told once; it stays in the file as it was.
  for (const std::string& problem : problems)
    if (FReportedProblems.insert(problem).second)
      Note("the registry file " + FPath + ", " + problem + "; the line is kept as it is and the rest is read.");
  FFormat = format;
  FUnreadable = false;
  FBaseBytes = std::move(data);
  FBaseIdentity = identity;
  FView = std::move(parsed);
  ApplyPending();
}

void TRegHive::HandleUnparsable(const std::string& reason, bool lockHeld) {
  FBaseBytes.clear();
  FFormat = {};
  FBaseIdentity = {};
  FView = std::make_unique<TRegKey>();
  ApplyPending();
  if (FReadOnly) {
    FBaseIdentity = StatFileIdentity(FPath);
    Note("the registry file " + FPath + " cannot be read (" + reason + "); it is ignored.");
    return;
  }
  TRegFileLock lock;
  std::string error;
  if (!lockHeld) {
    // Another program may have replaced the file meanwhile: look again under the lock. A
    // read never waits for it: while a writer holds it the file is set aside by the next
    // flush, which looks at the file under the lock anyway.
    if (!lock.Acquire(FPath + ".lock", 0, error)) {
      if (lock.WasBusy()) {
        FBaseIdentity = StatFileIdentity(FPath);
        Note("the registry file " + FPath + " cannot be read (" + reason + "); it is ignored for now.");
        return;
      }
      FUnreadable = true;
      FBaseIdentity = StatFileIdentity(FPath);
      Note("the registry file " + FPath + " cannot be read (" + reason + ") nor set aside (" + error + ").");
      return;
    }
    std::string data;
    TFileIdentity identity;
    TFileReadResult result = ReadFileSnapshot(FPath, RegMaxFileSize, data, identity, error);
    if (result == TFileReadResult::frMissing) return;
    if (result == TFileReadResult::frOk) {
      TakeFileContent(std::move(data), identity, true);
      return;
    }
  }
  std::string aside = QuarantineFile(FPath);
  if (aside.empty()) {
    FUnreadable = true;
    FBaseIdentity = StatFileIdentity(FPath);
    Note("the registry file " + FPath + " cannot be read (" + reason + ") nor set aside; it is left unchanged.");
    return;
  }
  Note("the registry file " + FPath + " cannot be read (" + reason + "); it was kept as " + aside +
       " and an empty registry is used.");
}

void TRegHive::Rebuild(const std::string& data) {
  auto parsed = std::make_unique<TRegKey>();
  std::string error;
  TRegFileFormat format;
  if (ParseRegFile(data, FRootName, *parsed, error, &format))
    FFormat = format;
  else
    parsed = std::make_unique<TRegKey>();
  FBaseBytes = data;
  FView = std::move(parsed);
  ApplyPending();
}

void TRegHive::ApplyPending() {
  for (const TRegPath& path : FPendingKeys) FView->Create(path);
  for (const TPendingValue& pending : FPendingValues)
    FView->Create(pending.Path).SetValue(pending.Name, pending.Type, pending.Data);
}

void TRegHive::DropPending() {
  FPendingKeys.clear();
  FPendingValues.clear();
  Rebuild(FBaseBytes);
}

void TRegHive::Note(const std::string& message) {
  std::fprintf(stderr, "Pointrix: %s\n", message.c_str());
}

}  // namespace platform
