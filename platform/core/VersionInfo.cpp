#include "platform/core/VersionInfo.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/core/Charset.h"

namespace {

OSVERSIONINFOEXW DefaultVersion();

struct VersionState {
  std::mutex mutex;
  OSVERSIONINFOEXW version = DefaultVersion();
  bool extendedAvailable = true;
};

OSVERSIONINFOEXW DefaultVersion() {
  OSVERSIONINFOEXW v{};
  v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
  v.dwMajorVersion = 5;
  v.dwMinorVersion = 0;
  v.dwBuildNumber = 2195;
  v.dwPlatformId = VER_PLATFORM_WIN32_NT;
  const std::u16string sp = u"Service Pack 4";
  std::copy(sp.begin(), sp.end(), v.szCSDVersion);
  v.wServicePackMajor = 4;
  v.wProductType = VER_NT_WORKSTATION;
  return v;
}

VersionState& State() {
  static VersionState state;
  return state;
}

// The version, and whether the caller's record is one this system fills.
bool Current(DWORD size, size_t plainSize, size_t extendedSize, OSVERSIONINFOEXW* out) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  if (size == extendedSize && !s.extendedAvailable) return false;
  if (size != plainSize && size != extendedSize) return false;
  *out = s.version;
  return true;
}

template <typename Plain, typename Extended>
void CopyNumbers(const OSVERSIONINFOEXW& v, Plain* info) {
  info->dwMajorVersion = v.dwMajorVersion;
  info->dwMinorVersion = v.dwMinorVersion;
  info->dwBuildNumber = v.dwBuildNumber;
  info->dwPlatformId = v.dwPlatformId;
  if (info->dwOSVersionInfoSize == sizeof(Extended)) {
    auto* ex = reinterpret_cast<Extended*>(info);
    ex->wServicePackMajor = v.wServicePackMajor;
    ex->wServicePackMinor = v.wServicePackMinor;
    ex->wSuiteMask = v.wSuiteMask;
    ex->wProductType = v.wProductType;
    ex->wReserved = 0;
  }
}

}  // namespace

BOOL GetVersionExW(OSVERSIONINFOW* info) {
  OSVERSIONINFOEXW v;
  if (!info || !Current(info->dwOSVersionInfoSize, sizeof(OSVERSIONINFOW), sizeof(OSVERSIONINFOEXW), &v)) return FALSE;
  CopyNumbers<OSVERSIONINFOW, OSVERSIONINFOEXW>(v, info);
  std::memcpy(info->szCSDVersion, v.szCSDVersion, sizeof(info->szCSDVersion));
  info->szCSDVersion[127] = 0;
  return TRUE;
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  OSVERSIONINFOEXW v;
  if (!info || !Current(info->dwOSVersionInfoSize, sizeof(OSVERSIONINFOA), sizeof(OSVERSIONINFOEXA), &v)) return FALSE;
  CopyNumbers<OSVERSIONINFOA, OSVERSIONINFOEXA>(v, info);
  std::string text = platform::Utf16ToGbk(std::u16string_view(v.szCSDVersion));
  // At most 127 bytes, cut between characters (a GBK lead byte starts two).
  size_t end = 0;
  while (end < text.size()) {
    const size_t next = end + (static_cast<unsigned char>(text[end]) >= 0x81 ? 2 : 1);
    if (next > 127) break;
    end = next;
  }
  text.resize(std::min(end, text.size()));
  std::memset(info->szCSDVersion, 0, sizeof(info->szCSDVersion));
  std::memcpy(info->szCSDVersion, text.data(), text.size());
  return TRUE;
}

namespace platform {

void SetOsVersion(const OSVERSIONINFOEXW& version, bool extendedAvailable) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.version = version;
  s.version.szCSDVersion[127] = 0;
  s.extendedAvailable = extendedAvailable;
}

void ResetOsVersion() { SetOsVersion(DefaultVersion(), true); }

}  // namespace platform
