#include "diagram/ui/SysInfo.h"

#include <cstring>

#include "platform/core/Registry.h"

OSVERSIONINFOEX CSysInfo::c_osvi{};
int CSysInfo::c_nOsVersionInfo = 0;
CString CSysInfo::c_csOsSysVerName;
bool CSysInfo::c_bOsSysVerNameBuilt = false;

BOOL CSysInfo::GetOsVersionInfo() {
  std::memset(&c_osvi, 0, sizeof(c_osvi));
  c_osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEX);
  if (GetVersionEx(&c_osvi)) {
    c_nOsVersionInfo = 2;
    return TRUE;
  }
  c_osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
  if (GetVersionEx(reinterpret_cast<OSVERSIONINFO*>(&c_osvi))) {
    c_nOsVersionInfo = 1;
    return TRUE;
  }
  c_nOsVersionInfo = 0;
  return FALSE;
}

BOOL CSysInfo::IsGdi16Bit() {
  if (!GetOsVersionInfo()) return TRUE;
  return c_osvi.dwPlatformId < VER_PLATFORM_WIN32_NT;
}

const CString& CSysInfo::GetOsSysVerName() {
  if (!c_bOsSysVerNameBuilt) {
    c_csOsSysVerName = ComposeOsSysVerName();
    c_bOsSysVerNameBuilt = true;
  }
  return c_csOsSysVerName;
}

namespace {

// The edition from the registry, for systems without the extended record:
// "WINNT" is a workstation, "SERVERNT" a server.
CString ProductTypeFromRegistry() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, _T("SYSTEM\\CurrentControlSet\\Control\\ProductOptions"), 0, KEY_QUERY_VALUE,
                   &key) != ERROR_SUCCESS)
    return CString();
  TCHAR type[80] = {};
  DWORD size = sizeof(type);
  const LSTATUS status =
      RegQueryValueEx(key, _T("ProductType"), nullptr, nullptr, reinterpret_cast<BYTE*>(type), &size);
  RegCloseKey(key);
  // A value too long for the buffer is no product type this code knows.
  if (status != ERROR_SUCCESS) return CString();
  type[sizeof(type) / sizeof(TCHAR) - 1] = 0;
  const CString product(type);
  if (product.CompareNoCase(_T("WINNT")) == 0) return _T("Workstation ");
  if (product.CompareNoCase(_T("SERVERNT")) == 0) return _T("Server ");
  return CString();
}

}  // namespace

CString CSysInfo::ComposeOsSysVerName() {
  if (!GetOsVersionInfo()) return _T("Unknown platform ");
  CString name;
  switch (c_osvi.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
      name = _T("Microsoft Win32s ");
      break;
    case VER_PLATFORM_WIN32_WINDOWS:
      if (c_osvi.dwMajorVersion >= 5 || (c_osvi.dwMajorVersion == 4 && c_osvi.dwMinorVersion != 0))
        name = _T("Microsoft Windows 98 ");
      else
        name = _T("Microsoft Windows 95 ");
      break;
    case VER_PLATFORM_WIN32_NT: {
      if (c_osvi.dwMajorVersion < 5)
        name = _T("Microsoft Windows NT ");
      else if (c_osvi.dwMajorVersion == 5)
        name = _T("Microsoft Windows 2000 ");
      if (c_nOsVersionInfo == 2) {
        if (c_osvi.wProductType == VER_NT_WORKSTATION)
          name += _T("Professional ");
        else if (c_osvi.wProductType == VER_NT_SERVER)
          name += _T("Server ");
      } else {
        name += ProductTypeFromRegistry();
      }
      CString version;
      version.Format(_T("version %d.%d %s (Build %d)\n"), static_cast<int>(c_osvi.dwMajorVersion),
                     static_cast<int>(c_osvi.dwMinorVersion), static_cast<LPCTSTR>(c_osvi.szCSDVersion),
                     static_cast<int>(c_osvi.dwBuildNumber & 0xFFFF));
      name += version;
      break;
    }
    default:
      name = _T("Unknown platform ");
      break;
  }
  return name;
}
