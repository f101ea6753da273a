#include "platform/odbc/extension/WriteLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace platform::odbc {

namespace {

bool LockWhole(int fd) {
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

bool IsReadOnly(const struct stat& st) { return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

}  // namespace

WriteLock::Result WriteLock::Acquire(const std::string& path, int timeoutMs, std::string& error) {
  Release();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      error = "cannot open " + path + ": " + std::strerror(errno ? errno : ENOENT);
      return Result::kFailed;
    }
    if (IsReadOnly(st)) return Result::kReadOnly;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
      const int e = errno;
      if (e == EACCES || e == EROFS) return Result::kReadOnly;
      error = "cannot open " + path + ": " + std::strerror(e);
      return Result::kFailed;
    }
    if (LockWhole(fd)) {
      // The path may name another file by now (a writer before renamed its
      // new file over it): the lock must be on the file the path names.
      struct stat locked, now;
      if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &now) == 0 && locked.st_dev == now.st_dev &&
          locked.st_ino == now.st_ino) {
        fd_ = fd;
        return Result::kLocked;
      }
      ::close(fd);
      continue;
    }
    const int e = errno;
    ::close(fd);
    if (e != EAGAIN && e != EACCES) {
      error = "cannot lock " + path + ": " + std::strerror(e);
      return Result::kFailed;
    }
    if (std::chrono::steady_clock::now() >= deadline) return Result::kTimedOut;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void WriteLock::Release() {
  DropReplacement();
  if (fd_ >= 0) ::close(fd_);  // closing the description ends its lock
  fd_ = -1;
}

bool WriteLock::LockReplacement(const std::string& path, std::string& error) {
  DropReplacement();
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!LockWhole(fd)) {
    error = "cannot lock " + path + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  replacement_ = fd;
  return true;
}

void WriteLock::TakeReplacement() {
  if (replacement_ < 0) return;
  if (fd_ >= 0) ::close(fd_);
  fd_ = replacement_;
  replacement_ = -1;
}

void WriteLock::DropReplacement() {
  if (replacement_ >= 0) ::close(replacement_);
  replacement_ = -1;
}

}  // namespace platform::odbc
