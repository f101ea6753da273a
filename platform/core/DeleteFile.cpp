#include "platform/core/DeleteFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/core/PathResolve.h"
#include "platform/core/PosixFile.h"

namespace {

BOOL Remove(const std::string& path) {
  struct stat st;
  if (path.empty() || ::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return FALSE;
  if (S_ISREG(st.st_mode) && platform::IsReadOnlyMode(st.st_mode)) return FALSE;  // a read-only file stays
  return ::unlink(path.c_str()) == 0 ? TRUE : FALSE;
}

}  // namespace

BOOL DeleteFileA(LPCSTR path) { return path ? Remove(platform::ResolvePath(path)) : FALSE; }

BOOL DeleteFileW(LPCWSTR path) { return path ? Remove(platform::ResolvePath(path)) : FALSE; }
