// CBitmap: pixels a memory DC draws on. Monochrome (1 bit per pixel) and
// colour (32 bits) bitmaps; a bitmap compatible with a DC has the format of
// that DC (a memory DC that still holds its default 1 x 1 bitmap is
// monochrome, as on Windows).
#pragma once

#include "platform/gdi/GdiObject.h"

struct BITMAP;
class CDC;

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)

 public:
  static CBitmap* FromHandle(HBITMAP h);
  operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }

  // A bitmap of `bitsPerPixel` 1 or 32 with one plane; `bits` (optional) are
  // rows of whole WORDs for 1 bit per pixel (bit 1 white), BGRA words for 32.
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  // A bitmap resource found along the resource chain (a number made with
  // MAKEINTRESOURCE); a colour bitmap of the image's pixels.
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(LPCSTR resource);
  BOOL LoadBitmap(LPCWSTR resource);
  BOOL CreateBitmapIndirect(const BITMAP* bitmap);
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  BOOL CreateDiscardableBitmap(CDC* dc, int width, int height) { return CreateCompatibleBitmap(dc, width, height); }
  int GetBitmap(BITMAP* bitmap) const;
  // Copies out up to `count` bytes of the pixels in the CreateBitmap layout.
  DWORD GetBitmapBits(DWORD count, LPVOID bits) const;
  DWORD SetBitmapBits(DWORD count, const void* bits);
  SIZE SetBitmapDimension(int width, int height);
  SIZE GetBitmapDimension() const;
};
