#include "platform/core/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/core/PosixFile.h"
#include "platform/core/WriteCalls.h"

namespace platform {

namespace {

std::string TemporaryName(const PathParts& parts) {
  static std::random_device device;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", device(), device());
  // Long names are cut so that the temporary name fits the system's limit.
  return JoinPath(parts.folder, "." + parts.name.substr(0, 200) + suffix);
}

// The file a write replaces: the target of a symbolic link, so that the
// link stays.
std::string WriteTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

int ReplaceFileBytes(const std::string& utf8Path, std::span<const BYTE> bytes, bool flush) {
  const std::string path = WriteTarget(utf8Path);
  PathParts parts = SplitPath(path);
  struct stat old;
  bool hadFile = ::stat(path.c_str(), &old) == 0;
  if (hadFile && S_ISDIR(old.st_mode)) return EISDIR;
  if (hadFile && IsReadOnlyMode(old.st_mode)) return EACCES;  // a read-only file is not written over
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = TemporaryName(parts);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return errno;
  FileDescriptor file(fd);
  auto fail = [&temporary](int error) {
    ::unlink(temporary.c_str());
    return error;
  };
  if (hadFile) {
    // The new file takes the old one's permissions and, where allowed, owner.
    if (::fchmod(file.get(), old.st_mode & 07777) != 0) return fail(errno);
    if (::geteuid() == 0 && ::fchown(file.get(), old.st_uid, old.st_gid) != 0) {
      // A file system without owners keeps the new file's.
    }
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = WriteCall(file.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<size_t>(n);
  }
  if (flush && SyncCall(file.get()) != 0) return fail(errno);
  if (int error = file.Close()) return fail(error);
  if (RenameCall(temporary.c_str(), path.c_str()) != 0) return fail(errno);
  if (flush) {
    FileDescriptor folder(::open(parts.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
  }
  return 0;
}

}  // namespace platform
