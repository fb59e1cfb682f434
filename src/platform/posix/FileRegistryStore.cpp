#include "platform/posix/FileRegistryStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

namespace platform {

namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

TFileIdentity IdentityOf(const struct stat& st) {
  return TFileIdentity{true, st.st_dev, st.st_ino, st.st_size,
                       int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool WriteAll(int fd, std::string_view data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

std::string ResolveLink(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string target = resolved;
  free(resolved);
  return target;
}

}  // namespace

#ifdef POINTRIX_FAULT_POINTS
// Defined by the test programs that stop writers at chosen steps; absent (null) elsewhere.
extern "C" __attribute__((weak)) void PointrixRegistryFaultPoint(int step);

void RegistryFaultPoint(TRegWriteStep step) {
  if (PointrixRegistryFaultPoint) PointrixRegistryFaultPoint(int(step));
}
#else
void RegistryFaultPoint(TRegWriteStep) {}
#endif

TFileIdentity StatFileIdentity(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return {};
  return IdentityOf(st);
}

TFileReadResult ReadFileSnapshot(const std::string& path, size_t maxSize, std::string& data, TFileIdentity& identity,
                                 std::string& error) {
  data.clear();
  identity = {};
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return TFileReadResult::frMissing;  // no file, or no folder
    error = strerror(errno);
    return TFileReadResult::frError;
  }
  struct stat st;
  TFileReadResult result = TFileReadResult::frOk;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = "not a regular file";
    result = TFileReadResult::frError;
  } else if (uint64_t(st.st_size) > maxSize) {
    result = TFileReadResult::frTooLarge;
  } else {
    identity = IdentityOf(st);
    data.resize(size_t(st.st_size));
    size_t done = 0;
    while (result == TFileReadResult::frOk) {
      if (done == data.size()) data.resize(done + 4096);  // the file may have grown since fstat
      ssize_t n = read(fd, data.data() + done, data.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = strerror(errno);
        result = TFileReadResult::frError;
      } else if (n == 0) {
        break;
      } else if ((done += size_t(n)) > maxSize) {
        result = TFileReadResult::frTooLarge;
      }
    }
    data.resize(done);
  }
  close(fd);
  if (result != TFileReadResult::frOk) data.clear();
  return result;
}

TRegFileLock::~TRegFileLock() {
  if (FHandle >= 0) close(FHandle);  // closing the descriptor releases the lock
}

bool TRegFileLock::Acquire(const std::string& lockPath, int timeoutMs, std::string& error) {
  if (FHandle >= 0) return true;
  FBusy = false;
  int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = std::string("cannot open the lock file: ") + strerror(errno);
    return false;
  }
  int result;
  while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (result == 0) {
    FHandle = fd;
    return true;
  }
  if (errno != EWOULDBLOCK) {
    error = strerror(errno);
    close(fd);
    return false;
  }
  // Wait in the kernel's queue rather than by polling, so that a program writing often
  // cannot keep taking the lock ahead of this one. A helper thread does the waiting, so
  // that this wait can end after timeoutMs; a helper given up on releases the lock as soon
  // as it gets it. Locks belong to the open file, which the helper's copy of the
  // descriptor shares.
  struct TWait {
    std::mutex Mutex;
    std::condition_variable Finished;
    bool Done = false, Taken = false, Abandoned = false;
    int Handle = -1;
    int Error = 0;
  };
  auto wait = std::make_shared<TWait>();
  wait->Handle = fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (timeoutMs > 0 && wait->Handle >= 0) {
    std::thread([wait] {
      int taken;
      while ((taken = flock(wait->Handle, LOCK_EX)) != 0 && errno == EINTR) {
      }
      std::lock_guard<std::mutex> guard(wait->Mutex);
      wait->Done = true;
      wait->Taken = taken == 0;
      wait->Error = errno;
      if (wait->Abandoned) {
        close(wait->Handle);  // the last descriptor of the file: releases the lock
        return;
      }
      wait->Finished.notify_one();
    }).detach();
    std::unique_lock<std::mutex> guard(wait->Mutex);
    wait->Finished.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] { return wait->Done; });
    if (wait->Done) {
      close(wait->Handle);
      if (wait->Taken) {
        FHandle = fd;
        return true;
      }
      error = strerror(wait->Error);
      close(fd);
      return false;
    }
    wait->Abandoned = true;
  } else if (wait->Handle >= 0) {
    close(wait->Handle);
  }
  FBusy = true;
  error = "another program holds the lock";
  close(fd);
  return false;
}

bool MakeFolders(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  std::string parent = FolderOf(path);
  if (parent != path && !MakeFolders(parent)) return false;
  return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& data, std::string& error) {
  static std::atomic<unsigned> counter{0};
  const std::string target = ResolveLink(path);
  mode_t mode = 0600;
  struct stat st;
  if (stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
    // A file its owner made write-protected is not replaced behind their back.
    if (access(target.c_str(), W_OK) != 0) {
      error = "the file is write-protected";
      return false;
    }
  }
  const std::string temporary =
      target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter.fetch_add(1));
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = strerror(errno);
    return false;
  }
  RegistryFaultPoint(TRegWriteStep::rwTemporaryCreated);
  // Written in two halves so that a writer can be stopped with half a file written.
  const std::string_view all(data), firstHalf = all.substr(0, all.size() / 2);
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, firstHalf);
  if (ok) RegistryFaultPoint(TRegWriteStep::rwTemporaryHalfWritten);
  ok = ok && WriteAll(fd, all.substr(firstHalf.size()));
  if (ok) RegistryFaultPoint(TRegWriteStep::rwTemporaryWritten);
  ok = ok && fsync(fd) == 0;
  if (ok) RegistryFaultPoint(TRegWriteStep::rwTemporaryFlushed);
  if (!ok) error = strerror(errno);
  if (close(fd) != 0 && ok) {
    ok = false;
    error = strerror(errno);
  }
  if (ok) RegistryFaultPoint(TRegWriteStep::rwTemporaryClosed);
  if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = strerror(errno);
  }
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  RegistryFaultPoint(TRegWriteStep::rwRenamed);
  SyncFolder(FolderOf(target));
  RegistryFaultPoint(TRegWriteStep::rwFolderFlushed);
  return true;
}

void RemoveStaleTemporaries(const std::string& path) {
  const std::string target = ResolveLink(path);
  const std::string folder = FolderOf(target);
  const std::string prefix = NameOf(target) + ".tmp-";
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (dirent* entry = readdir(dir)) {
    if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) unlink((folder + "/" + entry->d_name).c_str());
  }
  closedir(dir);
}

std::string QuarantineFile(const std::string& path) {
  char stamp[32];
  time_t now = time(nullptr);
  struct tm utc;
  gmtime_r(&now, &utc);
  strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
  const std::string base = path + ".corrupt-" + stamp;
  for (int attempt = 1; attempt < 1000; ++attempt) {
    std::string candidate = attempt == 1 ? base : base + "-" + std::to_string(attempt);
    // A hard link never replaces an existing name; fall back to rename on file systems
    // without links (the caller holds the writers' lock, so the name cannot appear meanwhile).
    if (link(path.c_str(), candidate.c_str()) == 0) {
      unlink(path.c_str());
      return candidate;
    }
    if (errno == EEXIST) continue;
    if (errno != EPERM && errno != ENOTSUP && errno != EXDEV) return {};
    struct stat st;
    if (lstat(candidate.c_str(), &st) == 0) continue;
    return rename(path.c_str(), candidate.c_str()) == 0 ? candidate : std::string();
  }
  return {};
}

}  // namespace platform
