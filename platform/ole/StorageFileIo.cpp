#include "platform/ole/StorageFileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/core/FileReplace.h"
#include "platform/core/PosixFile.h"
#include "platform/core/PathResolve.h"

namespace platform {

namespace {

HRESULT CheckWritableEntry(const std::string& path, int accessMode) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return StorageErrorFromErrno(errno, false);
  if ((st.st_mode & 0222) == 0) return STG_E_ACCESSDENIED;
  if (::faccessat(AT_FDCWD, path.c_str(), accessMode, AT_EACCESS) != 0) return StorageErrorFromErrno(errno, true);
  return S_OK;
}

}  // namespace

std::string StorageFilePath(LPCWSTR name) { return ResolvePath(name); }

HRESULT CanonicalStoragePath(const std::string& path, std::string& canonical, bool& exists) {
  if (path.empty()) return STG_E_INVALIDNAME;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved)) {
    struct stat st;
    if (::stat(resolved, &st) != 0) return StorageErrorFromErrno(errno, false);
    if (S_ISDIR(st.st_mode)) return STG_E_ACCESSDENIED;
    canonical = resolved;
    exists = true;
    return S_OK;
  }
  if (errno != ENOENT) return errno == ENOTDIR ? STG_E_PATHNOTFOUND : StorageErrorFromErrno(errno, false);
  PathParts parts = SplitPath(path);
  if (parts.name.empty()) return STG_E_INVALIDNAME;
  if (!::realpath(parts.folder.c_str(), resolved))
    return errno == ENOENT || errno == ENOTDIR ? STG_E_PATHNOTFOUND : StorageErrorFromErrno(errno, false);
  struct stat st;
  if (::stat(resolved, &st) != 0 || !S_ISDIR(st.st_mode)) return STG_E_PATHNOTFOUND;
  canonical = JoinPath(resolved, parts.name);
  exists = false;
  return S_OK;
}

HRESULT ReadFileBytes(const std::string& path, std::vector<BYTE>& bytes, size_t limit) {
  // Not blocking: a named pipe must not hang the open; only regular files
  // are read.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return StorageErrorFromErrno(errno, false);
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return StorageErrorFromErrno(errno, false);
  if (!S_ISREG(st.st_mode)) return STG_E_ACCESSDENIED;
  bytes.clear();
  bytes.reserve(std::min(static_cast<size_t>(st.st_size), limit));
  BYTE chunk[65536];
  while (bytes.size() < limit) {
    ssize_t n = ::read(fd.get(), chunk, std::min(sizeof chunk, limit - bytes.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      return StorageErrorFromErrno(errno, false);
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  return S_OK;
}

HRESULT CheckWriteAccess(const std::string& path, bool exists) {
  if (exists) {
    HRESULT hr = CheckWritableEntry(path, W_OK);
    if (FAILED(hr)) return hr;
  }
  // Saving writes a new file in the folder.
  return CheckWritableEntry(SplitPath(path).folder, W_OK | X_OK);
}

HRESULT ReplaceFileContents(const std::string& path, std::span<const BYTE> bytes, bool flush) {
  int error = ReplaceFileBytes(path, bytes, flush);
  return error ? StorageErrorFromErrno(error, true) : S_OK;
}

HRESULT StorageErrorFromErrno(int error, bool writing) {
  switch (error) {
    case ENOENT:
      return STG_E_FILENOTFOUND;
    case ENOTDIR:
    case ELOOP:
      return STG_E_PATHNOTFOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return STG_E_ACCESSDENIED;
    case EMFILE:
    case ENFILE:
      return STG_E_TOOMANYOPENFILES;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return STG_E_MEDIUMFULL;
    case ENOMEM:
      return E_OUTOFMEMORY;
    case ENAMETOOLONG:
      return STG_E_INVALIDNAME;
    default:
      return writing ? STG_E_WRITEFAULT : STG_E_READFAULT;
  }
}

}  // namespace platform
