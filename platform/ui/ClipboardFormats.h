// Registered clipboard formats: a name gets a format number of the process
// (0xC000 and up), the same one every time it is registered again; names
// compare without regard to case, as Windows does.
#pragma once

#include "platform/core/WinTypes.h"

// 0 for a null or empty name, or when the 16 384 numbers are used up.
UINT RegisterClipboardFormatA(LPCSTR name);
UINT RegisterClipboardFormatW(LPCWSTR name);
// Copies the registered name of `format` into `buffer` (at most size - 1
// characters and a terminating zero); the number of characters copied, 0
// when the format is not a registered one.
int GetClipboardFormatNameA(UINT format, LPSTR buffer, int size);
int GetClipboardFormatNameW(UINT format, LPWSTR buffer, int size);

#if defined(UNICODE) || defined(_UNICODE)
#define RegisterClipboardFormat RegisterClipboardFormatW
#define GetClipboardFormatName GetClipboardFormatNameW
#else
#define RegisterClipboardFormat RegisterClipboardFormatA
#define GetClipboardFormatName GetClipboardFormatNameA
#endif
