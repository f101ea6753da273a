// Small helpers for the platform's own file code on Linux: a descriptor that
// is closed on every path out, a path split into its folder and name, and the
// read-only test.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/core/WriteCalls.h"

namespace platform {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and gives 0 or the error of close (a write error may show
  // only here).
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || CloseCall(fd) == 0 || errno == EINTR ? 0 : errno;
  }

 private:
  int fd_;
};

// A file that nobody may write carries the read-only attribute. Such a file
// is not written over, truncated or deleted, whatever the process's own
// rights (a process of the superuser would get through on Linux).
inline bool IsReadOnlyMode(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

struct PathParts {
  std::string folder;
  std::string name;
};

// "a/b/c" -> {"a/b", "c"}; a bare name lies in "."; "/c" in "/".
inline PathParts SplitPath(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

inline std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

}  // namespace platform
