// The groups of an STGM_ open mode: access, sharing, transaction and
// creation, and the checks that a mode is well formed.
#pragma once

#include "platform/ole/StorageTypes.h"

namespace platform {

constexpr DWORD kStgmAccessMask = 0x00000003;
constexpr DWORD kStgmShareMask = 0x00000070;

// Access a mode grants: STGM_READ reads, STGM_WRITE writes, STGM_READWRITE both.
constexpr bool ModeCanRead(DWORD mode) { return (mode & kStgmAccessMask) != STGM_WRITE; }
constexpr bool ModeCanWrite(DWORD mode) { return (mode & kStgmAccessMask) != STGM_READ; }
constexpr bool ModeIsTransacted(DWORD mode) { return (mode & STGM_TRANSACTED) != 0; }
// The share group; a mode without one shares everything.
constexpr DWORD ModeShare(DWORD mode) {
  DWORD share = mode & kStgmShareMask;
  return share ? share : static_cast<DWORD>(STGM_SHARE_DENY_NONE);
}

// S_OK when each group holds one known value, STGM_CREATE and STGM_CONVERT
// are not both given, and no flag outside `allowed` (a set of the single
// flags beyond access and share) is set; else STG_E_INVALIDFLAG.
HRESULT CheckModeFlags(DWORD mode, DWORD allowed);

}  // namespace platform
