#include "platform/core/MoveFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/core/PathResolve.h"
#include "platform/core/WriteCalls.h"

namespace {

// A regular file copied whole to a new file, which goes again on failure.
bool CopyAcross(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  if (!in || !out) return false;
  out << in.rdbuf();
  out.close();
  if (!out || in.bad()) {
    std::remove(to.c_str());
    return false;
  }
  return std::remove(from.c_str()) == 0;
}

BOOL Move(const std::string& from, const std::string& to) {
  struct stat st;
  if (from.empty() || to.empty() || ::lstat(from.c_str(), &st) != 0) return FALSE;
  struct stat target;
  if (::lstat(to.c_str(), &target) == 0) return FALSE;
  if (platform::RenameCall(from.c_str(), to.c_str()) == 0) return TRUE;
  if (errno == EXDEV && S_ISREG(st.st_mode)) return CopyAcross(from, to) ? TRUE : FALSE;
  return FALSE;
}

}  // namespace

BOOL MoveFileA(LPCSTR existing, LPCSTR destination) {
  return existing && destination ? Move(platform::ResolvePath(existing), platform::ResolvePath(destination)) : FALSE;
}

BOOL MoveFileW(LPCWSTR existing, LPCWSTR destination) {
  return existing && destination ? Move(platform::ResolvePath(existing), platform::ResolvePath(destination)) : FALSE;
}
