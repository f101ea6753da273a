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
// The character's glyph metrics in the font selected into `dc`, as
// CDC::GetGlyphOutline gives them (no TCHAR macro: it is CDC's member too).
DWORD GetGlyphOutlineA(HDC dc, UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD bufferSize, LPVOID buffer,
                       const MAT2* matrix);
DWORD GetGlyphOutlineW(HDC dc, UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD bufferSize, LPVOID buffer,
                       const MAT2* matrix);
// Makes the faces of a font file this process's own (FR_PRIVATE, or
// FR_NOT_ENUM, which is kept private too): fonts made afterwards find them
// by family name and EnumFontFamilies lists them. Returns the number of
// faces added, 0 when the file is missing or no font or the flags are
// neither. Each add is taken back by one remove with the same flags.
int AddFontResourceExA(LPCSTR file, DWORD flags, void* reserved);
int AddFontResourceExW(LPCWSTR file, DWORD flags, void* reserved);
BOOL RemoveFontResourceExA(LPCSTR file, DWORD flags, void* reserved);
BOOL RemoveFontResourceExW(LPCWSTR file, DWORD flags, void* reserved);

// Objects made on handles; the caller deletes them with DeleteObject.
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* logPen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush);
HFONT CreateFontIndirectA(const LOGFONTA* logFont);
HFONT CreateFontIndirectW(const LOGFONTW* logFont);
HRGN CreateRectRgn(int x1, int y1, int x2, int y2);

// Drawing on handles, as CDC does. (The A and W names have no TCHAR macro:
// TextOut, DrawText and GetTextMetrics are also CDC's members.)
int SetBkMode(HDC dc, int mode);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF SetTextColor(HDC dc, COLORREF color);
int SetROP2(HDC dc, int mode);
int SetMapMode(HDC dc, int mode);
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL LineTo(HDC dc, int x, int y);
BOOL Rectangle(HDC dc, int x1, int y1, int x2, int y2);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop);
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
int SelectClipRgn(HDC dc, HRGN rgn);
int GetClipBox(HDC dc, LPRECT rect);
int FillRect(HDC dc, LPCRECT rect, HBRUSH brush);
int FrameRect(HDC dc, LPCRECT rect, HBRUSH brush);
BOOL InvertRect(HDC dc, LPCRECT rect);
BOOL DrawFocusRect(HDC dc, LPCRECT rect);
int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);

#if defined(UNICODE) || defined(_UNICODE)
#define GetTextExtentPoint32 GetTextExtentPoint32W
#define EnumFontFamilies EnumFontFamiliesW
#define AddFontResourceEx AddFontResourceExW
#define RemoveFontResourceEx RemoveFontResourceExW
typedef FONTENUMPROCW FONTENUMPROC;
#else
#define GetTextExtentPoint32 GetTextExtentPoint32A
#define EnumFontFamilies EnumFontFamiliesA
#define AddFontResourceEx AddFontResourceExA
#define RemoveFontResourceEx RemoveFontResourceExA
typedef FONTENUMPROCA FONTENUMPROC;
#endif
