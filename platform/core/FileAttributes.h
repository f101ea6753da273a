// GetFileAttributes: whether a path names a file or a folder, for the
// existence checks the libraries make. Paths resolve as CFile's do.
#pragma once

#include "platform/core/WinTypes.h"

#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(0xFFFFFFFFu))
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u

// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_ARCHIVE for a file
// (with FILE_ATTRIBUTE_READONLY when nobody may write it), or
// INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD GetFileAttributesA(LPCSTR path);
DWORD GetFileAttributesW(LPCWSTR path);

#if defined(UNICODE) || defined(_UNICODE)
#define GetFileAttributes GetFileAttributesW
#else
#define GetFileAttributes GetFileAttributesA
#endif
