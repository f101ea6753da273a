// Small helpers for the platform's own file code on Linux: a descriptor that
// is closed on every path out, and a path split into its folder and name.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <string>

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
    return fd < 0 || ::close(fd) == 0 || errno == EINTR ? 0 : errno;
  }

 private:
  int fd_;
};

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
