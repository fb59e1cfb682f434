#pragma once

// Another process holding a hive's lock, as a second copy of the program stuck in a write
// or a backup tool would: taken before the constructor returns, released by Release or
// the destructor.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

class TLockHolder {
public:
  explicit TLockHolder(const std::string& lockPath) {
    int ready[2], release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) ADD_FAILURE() << "pipe";
    FChild = fork();
    if (FChild == 0) {
      alarm(60);  // never outlive a test that went wrong
      close(ready[0]);
      close(release[1]);
      int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
      if (fd < 0 || flock(fd, LOCK_EX) != 0) _exit(2);
      if (write(ready[1], "r", 1) != 1) _exit(3);
      char ignored;
      // A byte (not the end of the pipe, which other children may keep open) releases it.
      if (read(release[0], &ignored, 1) < 0) _exit(4);
      _exit(0);  // ending the process releases the lock
    }
    close(ready[1]);
    close(release[0]);
    FRelease = release[1];
    char signal = 0;
    if (FChild < 0 || read(ready[0], &signal, 1) != 1) ADD_FAILURE() << "the lock holder did not start";
    close(ready[0]);
  }
  ~TLockHolder() { Release(); }
  TLockHolder(const TLockHolder&) = delete;
  TLockHolder& operator=(const TLockHolder&) = delete;

  // Returns once the lock is free again.
  void Release() {
    if (FChild <= 0) return;
    if (write(FRelease, "x", 1) != 1) ADD_FAILURE() << "cannot release the lock holder";
    close(FRelease);
    int status = 0;
    waitpid(FChild, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the lock holder failed";
    FChild = -1;
  }

private:
  pid_t FChild = -1;
  int FRelease = -1;
};
