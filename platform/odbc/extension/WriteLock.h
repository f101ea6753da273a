// The lock a writer holds on a dBase file while it changes it: an
// open-file-description lock (fcntl F_OFD_SETLK) over the whole file, so
// two connections of one process exclude each other as two processes do.
// A file renamed over while a writer waited is locked again by its path,
// so the lock always covers the file the path names. A writer that renames
// a new file over the locked one locks the new file first and keeps that
// lock (LockReplacement, then TakeReplacement once the rename is done): the
// file the path names is never free while the writer's transaction runs.
#pragma once

#include <string>

namespace platform::odbc {

class WriteLock {
 public:
  WriteLock() = default;
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;
  ~WriteLock() { Release(); }

  enum class Result { kLocked, kReadOnly, kTimedOut, kFailed };
  // Waits up to `timeoutMs` for the lock. kReadOnly: nobody may write the
  // file (the read-only attribute); kFailed: the file cannot be opened
  // (`error` tells why).
  Result Acquire(const std::string& path, int timeoutMs, std::string& error);
  void Release();
  bool Held() const { return fd_ >= 0; }

  // Locks `path`, a file written to take the locked file's place, which no
  // other writer can hold yet; false (with `error`) when it cannot be.
  bool LockReplacement(const std::string& path, std::string& error);
  // The replacement was renamed over the locked file: its lock is the one
  // held from now on, and the old file's ends.
  void TakeReplacement();
  // The replacement did not take the file's place: its lock ends.
  void DropReplacement();

 private:
  int fd_ = -1;
  int replacement_ = -1;
};

}  // namespace platform::odbc
