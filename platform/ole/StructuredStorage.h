// The Win32 calls that open compound files as root storages.
//
// Opens of one file in this process follow the sharing rules of their modes
// (see ShareTable.h). A file that cannot be written (permissions, a read-only
// file system, no write permission on the file or its folder) fails an open
// for writing with STG_E_ACCESSDENIED, so that a caller can fall back to
// reading it.
#pragma once

#include "platform/ole/Storage.h"

// S_OK when the file is a compound file, S_FALSE when it is not;
// STG_E_FILENOTFOUND, STG_E_PATHNOTFOUND, STG_E_ACCESSDENIED...
HRESULT StgIsStorageFile(const WCHAR* pwcsName);

// Creates a compound file. Without STGM_CREATE or STGM_CONVERT an existing
// file gives STG_E_FILEALREADYEXISTS. STGM_CREATE replaces it; STGM_CONVERT
// keeps its bytes as the stream "CONTENTS" of the new storage and returns
// STG_S_CONVERTED. A new file is written at once; an existing one is
// replaced at once in direct mode, and only by Commit in transacted mode.
// A transacted, read-only STGM_CONVERT reads a plain file as a storage
// without ever writing it. `pwcsName` may not be null.
HRESULT StgCreateDocfile(const WCHAR* pwcsName, DWORD grfMode, DWORD reserved, IStorage** ppstgOpen);

// Opens an existing compound file. A file that is not one gives
// STG_E_FILEALREADYEXISTS; a damaged one STG_E_INVALIDHEADER or
// STG_E_DOCFILECORRUPT. `pstgPriority` and `snbExclude` must be null; a
// direct open that writes must be STGM_SHARE_EXCLUSIVE.
HRESULT StgOpenStorage(const WCHAR* pwcsName, IStorage* pstgPriority, DWORD grfMode, SNB snbExclude, DWORD reserved,
                       IStorage** ppstgOpen);
