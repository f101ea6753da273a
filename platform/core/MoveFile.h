// MoveFile: renames a file or a folder. Paths resolve as CFile's do. The
// destination must not exist; a file moved to another file system is
// copied and the source then removed.
#pragma once

#include "platform/core/WinTypes.h"

// TRUE when the source is now at the destination; FALSE for a missing
// source, an existing destination, or a move the system refuses.
BOOL MoveFileA(LPCSTR existing, LPCSTR destination);
BOOL MoveFileW(LPCWSTR existing, LPCWSTR destination);

#if defined(UNICODE) || defined(_UNICODE)
#define MoveFile MoveFileW
#else
#define MoveFile MoveFileA
#endif
