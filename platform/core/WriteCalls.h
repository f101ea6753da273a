// The system calls through which the platform's file code changes files:
// writing data, flushing it to the disk, closing and renaming. They are the
// system's own calls, except while a ScopedWriteFailure lives: then they
// fail as a disk that fills up or goes bad makes them fail, so that a test
// can see what every writer does when its file cannot be written.
//
// Reading, opening and removing are not failed: a writer's own clean-up
// (removing its temporary file, closing after an error) runs as it would.
#pragma once

#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <vector>

namespace platform {

// ::write: the count written, or -1 with errno.
ssize_t WriteCall(int fd, const void* data, size_t size);
// ::fsync: 0, or -1 with errno.
int SyncCall(int fd);
// ::close: 0, or -1 with errno; the descriptor is closed either way.
int CloseCall(int fd);
// ::rename: 0, or -1 with errno.
int RenameCall(const char* from, const char* to);

// What the calls above did while a ScopedWriteFailure lived.
struct WriteCallCounts {
  size_t bytes = 0;  // bytes written
  int steps = 0;     // calls made: writes, flushes, closes and renames
  // For each write call, the count of bytes written before it.
  std::vector<size_t> writeStarts;
};

// While it lives, the calls above fail on a plan (one at a time in a
// process; a second one replaces the first until it goes):
// - None(): nothing fails; the counts tell how many bytes and steps a
//   writer needs, from which a test takes its cut points.
// - AfterBytes(n, error): the device holds n more bytes. The write that
//   reaches the limit writes what still fits and returns that count, as a
//   full disk does; every later write fails with `error` (ENOSPC for a full
//   disk, EFBIG for a file-size limit).
// - AtStep(k, error): call number k (from 0) fails with `error` (EIO) and
//   changes nothing; the calls before and after it work.
class ScopedWriteFailure {
 public:
  static ScopedWriteFailure None() { return ScopedWriteFailure(static_cast<size_t>(-1), -1, 0); }
  static ScopedWriteFailure AfterBytes(size_t bytes, int error = ENOSPC) {
    return ScopedWriteFailure(bytes, -1, error);
  }
  static ScopedWriteFailure AtStep(int step, int error = EIO) {
    return ScopedWriteFailure(static_cast<size_t>(-1), step, error);
  }
  ~ScopedWriteFailure();
  ScopedWriteFailure(const ScopedWriteFailure&) = delete;
  ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;

  WriteCallCounts Counts() const;
  // Whether a call has failed on the plan.
  bool Failed() const;

  struct Plan {
    size_t budget;
    int failStep;
    int error;
    WriteCallCounts counts;
    bool failed = false;
    Plan* previous = nullptr;
  };

 private:
  ScopedWriteFailure(size_t budget, int failStep, int error);
  Plan plan_;
};

}  // namespace platform
