// CSysInfo: what the library needs to know about the operating system: its
// version, whether its drawing layer is limited to 16-bit coordinates (a
// system outside the NT family), and a line naming it for reports.
#pragma once

#include "platform/core/String.h"
#include "platform/core/VersionInfo.h"

class CSysInfo {
 public:
  CSysInfo() = delete;

  // Reads the extended version record, or the plain one when that fails;
  // remembers which (2 extended, 1 plain, 0 none). False when neither could
  // be read.
  static BOOL GetOsVersionInfo();
  // True outside the NT family, and when no version can be read.
  static BOOL IsGdi16Bit();
  // The system's name, edition, version, service pack and build, made on
  // the first call and kept.
  static const CString& GetOsSysVerName();

 protected:
  // The name as the current version makes it.
  static CString ComposeOsSysVerName();

  static OSVERSIONINFOEX c_osvi;
  static int c_nOsVersionInfo;  // 2 extended, 1 plain, 0 none
  static CString c_csOsSysVerName;
  static bool c_bOsSysVerNameBuilt;
};
