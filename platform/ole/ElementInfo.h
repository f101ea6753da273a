// What Stat and EnumElements tell about an element, taken from the tree, and
// the filling of the STATSTG record from it.
#pragma once

#include <string>

#include "platform/ole/StorageNode.h"

namespace platform {

struct ElementInfo {
  std::u16string name;
  DWORD type = STGTY_STREAM;
  ULONGLONG size = 0;
  CLSID clsid = CLSID_NULL;
  DWORD stateBits = 0;
  FILETIME ctime{};
  FILETIME mtime{};

  static ElementInfo Of(const StorageNode& node);
};

// Fills `stat`. With STATFLAG_NONAME the name is null, with STATFLAG_DEFAULT
// it is a copy from CoTaskMemAlloc; other flags give STG_E_INVALIDFLAG.
// E_OUTOFMEMORY leaves `stat` untouched.
HRESULT FillStatStg(const ElementInfo& info, DWORD mode, DWORD statFlag, STATSTG& stat);

}  // namespace platform
