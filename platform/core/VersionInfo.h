// The operating system's version, as GetVersionEx reports it. The values
// are the host's to set (SetOsVersion); until then the system is of the NT
// family: version 5.0, build 2195, "Service Pack 4", a workstation. The
// caller says which record it passes by dwOSVersionInfoSize: the plain one
// (OSVERSIONINFO) or the extended one (OSVERSIONINFOEX, with the service
// pack numbers, suite and product type), which a host may declare
// unavailable, as older systems of the family did not know it.
#pragma once

#include "platform/core/WinTypes.h"

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

#define VER_NT_WORKSTATION 0x0000001
#define VER_NT_DOMAIN_CONTROLLER 0x0000002
#define VER_NT_SERVER 0x0000003

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
};

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
};

struct OSVERSIONINFOEXA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};

struct OSVERSIONINFOEXW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};

#if defined(UNICODE) || defined(_UNICODE)
typedef OSVERSIONINFOW OSVERSIONINFO;
typedef OSVERSIONINFOEXW OSVERSIONINFOEX;
#else
typedef OSVERSIONINFOA OSVERSIONINFO;
typedef OSVERSIONINFOEXA OSVERSIONINFOEX;
#endif
typedef OSVERSIONINFO* LPOSVERSIONINFO;

// Fills the record whose size dwOSVersionInfoSize gives (plain or
// extended); FALSE for another size, or for the extended record when the
// host made it unavailable. The service-pack text is GBK in the A form.
BOOL GetVersionExA(OSVERSIONINFOA* info);
BOOL GetVersionExW(OSVERSIONINFOW* info);
static inline BOOL GetVersionEx(OSVERSIONINFOA* info) { return GetVersionExA(info); }
static inline BOOL GetVersionEx(OSVERSIONINFOW* info) { return GetVersionExW(info); }
static inline BOOL GetVersionEx(OSVERSIONINFOEXA* info) {
  return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(info));
}
static inline BOOL GetVersionEx(OSVERSIONINFOEXW* info) {
  return GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(info));
}

namespace platform {

// The version the system reports from now on (the size field is ignored);
// `extendedAvailable` false makes the extended record fail.
void SetOsVersion(const OSVERSIONINFOEXW& version, bool extendedAvailable = true);
// Back to the NT-family default.
void ResetOsVersion();

}  // namespace platform
