// CFont: a logical font (LOGFONTA with a GBK face name, or LOGFONTW). The
// font is realised for a device when a DC draws or measures with it.
#pragma once

#include "platform/gdi/GdiObject.h"

class CDC;

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)

 public:
  static CFont* FromHandle(HFONT h);
  operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }

  BOOL CreateFontIndirect(const LOGFONTA* logFont);
  BOOL CreateFontIndirect(const LOGFONTW* logFont);
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, LPCSTR faceName);
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, LPCWSTR faceName);
  // A font of `pointSize` tenths of a point for the DC (the screen when null).
  BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc = nullptr);
  BOOL CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc = nullptr);
  int GetLogFont(LOGFONTA* logFont) const;
  int GetLogFont(LOGFONTW* logFont) const;
};
