// DeleteFile: removes a file. Paths resolve as CFile's do; a folder is not
// removed.
#pragma once

#include "platform/core/WinTypes.h"

// TRUE when the file was there and is gone; FALSE for a missing path, a
// folder, a read-only file, or a file the process may not remove.
BOOL DeleteFileA(LPCSTR path);
BOOL DeleteFileW(LPCWSTR path);

#if defined(UNICODE) || defined(_UNICODE)
#define DeleteFile DeleteFileW
#else
#define DeleteFile DeleteFileA
#endif
