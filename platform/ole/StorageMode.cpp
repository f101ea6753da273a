#include "platform/ole/StorageMode.h"

namespace platform {

HRESULT CheckModeFlags(DWORD mode, DWORD allowed) {
  if ((mode & kStgmAccessMask) == kStgmAccessMask) return STG_E_INVALIDFLAG;
  DWORD share = mode & kStgmShareMask;
  if (share != 0 && share != STGM_SHARE_EXCLUSIVE && share != STGM_SHARE_DENY_WRITE &&
      share != STGM_SHARE_DENY_READ && share != STGM_SHARE_DENY_NONE)
    return STG_E_INVALIDFLAG;
  if ((mode & STGM_CREATE) && (mode & STGM_CONVERT)) return STG_E_INVALIDFLAG;
  if (mode & ~(kStgmAccessMask | kStgmShareMask | allowed)) return STG_E_INVALIDFLAG;
  return S_OK;
}

}  // namespace platform
