// The Win32 drawing functions that programs call on handles directly.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

typedef int (*FONTENUMPROCA)(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD fontType, LPARAM data);
typedef int (*FONTENUMPROCW)(const LOGFONTW* logFont, const TEXTMETRICW* metrics, DWORD fontType, LPARAM data);

HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
DWORD GetObjectType(HGDIOBJ object);
// Selects a pen, brush, font or bitmap and returns the previous one; for a
// region, sets the clip region and returns its kind. Null (HGDI_ERROR for a
// region) on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
int GetDeviceCaps(HDC dc, int index);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);
// Drawing is done when each call returns: there is nothing to flush.
BOOL GdiFlush();
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size);
// Calls `proc` for each scalable font family (TRUETYPE_FONTTYPE), or for
// the family named, until it returns 0; returns the last value it returned.
int EnumFontFamiliesA(HDC dc, LPCSTR family, FONTENUMPROCA proc, LPARAM data);
int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW proc, LPARAM data);

#if defined(UNICODE) || defined(_UNICODE)
#define GetTextExtentPoint32 GetTextExtentPoint32W
#define EnumFontFamilies EnumFontFamiliesW
typedef FONTENUMPROCW FONTENUMPROC;
#else
#define GetTextExtentPoint32 GetTextExtentPoint32A
#define EnumFontFamilies EnumFontFamiliesA
typedef FONTENUMPROCA FONTENUMPROC;
#endif
