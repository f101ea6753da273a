// Records of the Windows drawing interface with the 32-bit Windows layout:
// text metrics, bitmap descriptions, print jobs and printer device modes.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiConstants.h"

struct TEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

// A 16.16 fixed-point number, and the 2 x 2 matrix of GetGlyphOutline.
struct FIXED {
  WORD fract;
  short value;
};

struct MAT2 {
  FIXED eM11;
  FIXED eM12;
  FIXED eM21;
  FIXED eM22;
};

// A glyph's ink box and advance (GetGlyphOutline): the box's size, its
// upper left corner from the pen position (y grows upwards), and the
// advance to the next pen position.
struct GLYPHMETRICS {
  UINT gmBlackBoxX;
  UINT gmBlackBoxY;
  POINT gmptGlyphOrigin;
  short gmCellIncX;
  short gmCellIncY;
};
typedef GLYPHMETRICS* LPGLYPHMETRICS;

// A glyph's outline as GetGlyphOutline(GGO_NATIVE) writes it: for each
// closed contour a header (its size in bytes, header included, its type and
// its start point) followed by curve records (a kind and cpfx points; a
// spline's points are its control points and its end, the start being the
// end of what comes before). Points are 16.16 numbers in logical units, y
// growing upwards from the base line.
struct POINTFX {
  FIXED x;
  FIXED y;
};
struct TTPOLYGONHEADER {
  DWORD cb;
  DWORD dwType;
  POINTFX pfxStart;
};
struct TTPOLYCURVE {
  WORD wType;
  WORD cpfx;
  POINTFX apfx[1];
};

// A bitmap's description (GetObject on a bitmap). bmBits is null: pixels are
// read with CBitmap::GetBitmapBits.
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

struct DOCINFOA {
  int cbSize;
  LPCSTR lpszDocName;
  LPCSTR lpszOutput;  // the file the job is written to (a PDF file here)
  LPCSTR lpszDatatype;
  DWORD fwType;
};

struct DOCINFOW {
  int cbSize;
  LPCWSTR lpszDocName;
  LPCWSTR lpszOutput;
  LPCWSTR lpszDatatype;
  DWORD fwType;
};

// Printer device modes. The display-only members that share storage with the
// printer members in the Windows headers are left out: the printer members
// fill the same bytes, so the size and the offsets of every later member are
// those of the Windows records.
struct DEVMODEA {
  BYTE dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  SHORT dmOrientation;
  SHORT dmPaperSize;
  SHORT dmPaperLength;  // tenths of a millimetre
  SHORT dmPaperWidth;   // tenths of a millimetre
  SHORT dmScale;
  SHORT dmCopies;
  SHORT dmDefaultSource;
  SHORT dmPrintQuality;  // dots per inch across when positive
  SHORT dmColor;
  SHORT dmDuplex;
  SHORT dmYResolution;  // dots per inch down
  SHORT dmTTOption;
  SHORT dmCollate;
  BYTE dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmNup;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
  DWORD dmPanningWidth;
  DWORD dmPanningHeight;
};

struct DEVMODEW {
  WCHAR dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  SHORT dmOrientation;
  SHORT dmPaperSize;
  SHORT dmPaperLength;
  SHORT dmPaperWidth;
  SHORT dmScale;
  SHORT dmCopies;
  SHORT dmDefaultSource;
  SHORT dmPrintQuality;
  SHORT dmColor;
  SHORT dmDuplex;
  SHORT dmYResolution;
  SHORT dmTTOption;
  SHORT dmCollate;
  WCHAR dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmNup;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
  DWORD dmPanningWidth;
  DWORD dmPanningHeight;
};

#if defined(UNICODE) || defined(_UNICODE)
typedef TEXTMETRICW TEXTMETRIC;
typedef DOCINFOW DOCINFO;
typedef DEVMODEW DEVMODE;
#else
typedef TEXTMETRICA TEXTMETRIC;
typedef DOCINFOA DOCINFO;
typedef DEVMODEA DEVMODE;
#endif
typedef TEXTMETRIC* LPTEXTMETRIC;

static_assert(sizeof(TEXTMETRICA) == 56 && sizeof(TEXTMETRICW) == 60);
static_assert(sizeof(DEVMODEA) == 156 && sizeof(DEVMODEW) == 220);
