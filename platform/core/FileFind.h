// FindFirstFile, FindNextFile and FindClose: the files of a folder whose
// names match a wildcard ("Font\*.shx"). The folder part resolves as every
// platform path does (both separators, letter case ignored); names match
// without regard to case, '*' standing for any run of characters and '?' for
// one character ("*.*" matches every name). The matches come in the order of
// their folded names, "." and ".." included when the pattern matches them,
// as the system the libraries come from lists them.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/core/WinTypes.h"

#ifndef INVALID_HANDLE_VALUE
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))
#endif

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
};

struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  WCHAR cFileName[MAX_PATH];
  WCHAR cAlternateFileName[14];
};

// The first match, or INVALID_HANDLE_VALUE when nothing matches (or the
// folder cannot be read). The handle lists the matches as they were at this
// call; FindClose releases it.
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data);
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
// The next match; FALSE when there is none left or the handle is not one of
// FindFirstFile's (of the same character kind).
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);
BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data);
// FALSE for a handle that is not open.
BOOL FindClose(HANDLE find);

// True when `name` matches the wildcard `pattern` (both UTF-8) as
// FindFirstFile matches them.
namespace platform {
bool FileNameMatches(std::string_view utf8Pattern, std::string_view utf8Name);
}

#if defined(UNICODE) || defined(_UNICODE)
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;
#define FindFirstFile FindFirstFileW
#define FindNextFile FindNextFileW
#else
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
#define FindFirstFile FindFirstFileA
#define FindNextFile FindNextFileA
#endif
