#include "platform/core/FileAttributes.h"

#include <sys/stat.h>

#include <string>

#include "platform/core/PathResolve.h"
#include "platform/core/PosixFile.h"

namespace {

DWORD Attributes(const std::string& path) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  DWORD a = FILE_ATTRIBUTE_ARCHIVE;
  if (platform::IsReadOnlyMode(st.st_mode)) a |= FILE_ATTRIBUTE_READONLY;
  return a;
}

}  // namespace

DWORD GetFileAttributesA(LPCSTR path) { return path ? Attributes(platform::ResolvePath(path)) : INVALID_FILE_ATTRIBUTES; }

DWORD GetFileAttributesW(LPCWSTR path) {
  return path ? Attributes(platform::ResolvePath(path)) : INVALID_FILE_ATTRIBUTES;
}
