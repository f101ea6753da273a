// CDC: the framework's device context. One implementation serves every
// device: a window's client area (through WindowSurface.h), a memory DC on a
// bitmap, the screen, a printer whose pages go to a PDF file, and a recording
// DC for tests. The mapping arithmetic, clipping and object selection are
// the same for all; only the back end that receives the resolved calls
// differs.
#pragma once

#include <memory>

#include "platform/core/Geometry.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Rgn.h"

namespace platform {
class DcState;
}

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)

 public:
  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;
  BOOL m_bPrinting = FALSE;

  CDC() = default;
  // Deletes the DC it holds.
  ~CDC() override;

  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }
  // The permanent CDC of `hDC`, else a temporary one until DeleteTempMap.
  static CDC* FromHandle(HDC hDC);
  static void DeleteTempMap();
  BOOL Attach(HDC hDC);
  HDC Detach();

  // A memory DC like `dc` (the screen when null), holding a 1 x 1
  // monochrome bitmap until a bitmap is selected.
  BOOL CreateCompatibleDC(CDC* dc);
  // "DISPLAY" gives a screen DC; any other device name a printer DC set up by
  // the device mode (the default printer settings when null).
  BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* initData);
  BOOL CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const DEVMODEW* initData);
  // An information context: it measures and reports but does not draw.
  BOOL CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* initData);
  BOOL CreateIC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const DEVMODEW* initData);
  BOOL DeleteDC();

  BOOL IsPrinting() const { return m_bPrinting; }
  int GetDeviceCaps(int index) const;
  int SaveDC();
  BOOL RestoreDC(int savedDC);

  // Objects. Each returns the previous object (a temporary wrapper when the
  // program holds none), or null on failure.
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  // Sets the clip region; returns its kind (NULLREGION...) or ERROR.
  int SelectObject(CRgn* rgn);
  CGdiObject* SelectObject(CGdiObject* object);
  HGDIOBJ SelectObject(HGDIOBJ object);
  CGdiObject* SelectStockObject(int index);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  // Colours and modes.
  COLORREF GetBkColor() const;
  COLORREF SetBkColor(COLORREF color);
  int GetBkMode() const;
  int SetBkMode(int mode);
  COLORREF GetTextColor() const;
  COLORREF SetTextColor(COLORREF color);
  UINT GetTextAlign() const;
  UINT SetTextAlign(UINT flags);
  int GetROP2() const;
  int SetROP2(int mode);
  int GetPolyFillMode() const;
  int SetPolyFillMode(int mode);
  int GetArcDirection() const;
  int SetArcDirection(int direction);
  int GetStretchBltMode() const;
  int SetStretchBltMode(int mode);
  // The brush origin in device pixels: where hatch and pattern cells start.
  CPoint GetBrushOrg() const;
  CPoint SetBrushOrg(int x, int y);
  CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

  // Mapping.
  int GetMapMode() const;
  int SetMapMode(int mode);
  CPoint GetViewportOrg() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
  CPoint OffsetViewportOrg(int dx, int dy);
  CSize GetViewportExt() const;
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
  CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
  CPoint GetWindowOrg() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
  CPoint OffsetWindowOrg(int dx, int dy);
  CSize GetWindowExt() const;
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
  CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
  // Sizes convert by the magnitudes of the extents (MulDiv), so they keep
  // their sign in a y-up mapping.
  void DPtoLP(LPPOINT points, int count = 1) const;
  void DPtoLP(LPRECT rect) const;
  void DPtoLP(LPSIZE size) const;
  void LPtoDP(LPPOINT points, int count = 1) const;
  void LPtoDP(LPRECT rect) const;
  void LPtoDP(LPSIZE size) const;

  // Clipping. Regions are in device pixels, rectangles in logical units.
  // GetClipBox gives the logical box of what may be drawn.
  int GetClipBox(LPRECT rect) const;
  BOOL PtVisible(int x, int y) const;
  BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
  BOOL RectVisible(LPCRECT rect) const;
  int SelectClipRgn(CRgn* rgn);
  int SelectClipRgn(CRgn* rgn, int mode);
  int ExcludeClipRect(int x1, int y1, int x2, int y2);
  int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
  int IntersectClipRect(int x1, int y1, int x2, int y2);
  int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
  int OffsetClipRgn(int dx, int dy);
  int OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }

  // Lines and figures.
  CPoint GetCurrentPosition() const;
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  BOOL Polyline(const POINT* points, int count);
  BOOL Polygon(const POINT* points, int count);
  BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons);
  BOOL Rectangle(int x1, int y1, int x2, int y2);
  BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
  BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL RoundRect(LPCRECT rect, POINT point) {
    return RoundRect(rect->left, rect->top, rect->right, rect->bottom, point.x, point.y);
  }
  BOOL Ellipse(int x1, int y1, int x2, int y2);
  BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Arc(LPCRECT rect, POINT start, POINT end) {
    return Arc(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
  }
  BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Pie(LPCRECT rect, POINT start, POINT end) {
    return Pie(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
  }
  BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Chord(LPCRECT rect, POINT start, POINT end) {
    return Chord(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
  }
  void FillRect(LPCRECT rect, CBrush* brush);
  void FrameRect(LPCRECT rect, CBrush* brush);
  void InvertRect(LPCRECT rect);
  // A dotted rectangle drawn by XOR: drawing it again removes it.
  void DrawFocusRect(LPCRECT rect);
  // Fills with a colour; like the framework, it leaves the background colour
  // set to that colour.
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }
  BOOL SetPixelV(int x, int y, COLORREF color) { return SetPixel(x, y, color) != CLR_INVALID; }
  COLORREF GetPixel(int x, int y) const;
  COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

  // Blits.
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);

  // Text. Texts come as GBK bytes or UTF-16; a count of -1 means up to the
  // terminating zero.
  BOOL TextOut(int x, int y, LPCSTR text, int count = -1);
  BOOL TextOut(int x, int y, LPCWSTR text, int count = -1);
  BOOL TextOut(int x, int y, const CStringA& text) { return TextOut(x, y, text.GetString(), text.GetLength()); }
  BOOL TextOut(int x, int y, const CStringW& text) { return TextOut(x, y, text.GetString(), text.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const INT* dx);
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCWSTR text, UINT count, const INT* dx);
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CStringA& text, const INT* dx) {
    return ExtTextOut(x, y, options, rect, text.GetString(), text.GetLength(), dx);
  }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CStringW& text, const INT* dx) {
    return ExtTextOut(x, y, options, rect, text.GetString(), text.GetLength(), dx);
  }
  // Returns the height of the text in logical units (with DT_VCENTER or
  // DT_BOTTOM, the offset from the rectangle's top to the text's bottom);
  // DT_CALCRECT measures into `rect` without drawing.
  int DrawText(LPCSTR text, int count, LPRECT rect, UINT format);
  int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format);
  // A literal or other character pointer (the framework's CString form, here
  // without the ambiguity between the two string classes).
  int DrawText(LPCSTR text, LPRECT rect, UINT format) { return DrawText(text, -1, rect, format); }
  int DrawText(LPCWSTR text, LPRECT rect, UINT format) { return DrawText(text, -1, rect, format); }
  int DrawText(const CStringA& text, LPRECT rect, UINT format) {
    return DrawText(text.GetString(), text.GetLength(), rect, format);
  }
  int DrawText(const CStringW& text, LPRECT rect, UINT format) {
    return DrawText(text.GetString(), text.GetLength(), rect, format);
  }
  CSize GetTextExtent(LPCSTR text, int count) const;
  CSize GetTextExtent(LPCWSTR text, int count) const;
  CSize GetTextExtent(LPCSTR text) const { return GetTextExtent(text, -1); }
  CSize GetTextExtent(LPCWSTR text) const { return GetTextExtent(text, -1); }
  CSize GetTextExtent(const CStringA& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }
  CSize GetTextExtent(const CStringW& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }
  CSize GetOutputTextExtent(LPCSTR text, int count) const { return GetTextExtent(text, count); }
  CSize GetOutputTextExtent(LPCWSTR text, int count) const { return GetTextExtent(text, count); }
  CSize GetOutputTextExtent(const CStringA& text) const { return GetTextExtent(text); }
  CSize GetOutputTextExtent(const CStringW& text) const { return GetTextExtent(text); }
  BOOL GetTextMetrics(TEXTMETRICA* metrics) const;
  BOOL GetTextMetrics(TEXTMETRICW* metrics) const;
  int GetTextFace(int count, LPSTR faceName) const;
  int GetTextFace(int count, LPWSTR faceName) const;
  // A character's glyph in the selected font. GGO_METRICS (with
  // GGO_GLYPH_INDEX clear and the identity matrix) fills `metrics` in
  // logical units and returns 0; GDI_ERROR without metrics or matrix.
  // GGO_NATIVE also writes the glyph's outline into `buffer` (GdiTypes.h:
  // TTPOLYGONHEADER records, lines and quadratic splines, cubic ones for a
  // face that has them) and returns its size in bytes, or only the size
  // when no buffer is given; GDI_ERROR when the buffer is too small. The
  // bitmap formats and GGO_BEZIER are not built (CNotSupportedException).
  DWORD GetGlyphOutline(UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD bufferSize, LPVOID buffer,
                        const MAT2* matrix) const;

  // Printing: a job opened by StartDoc writes its pages to the PDF file that
  // DOCINFO's lpszOutput names (or to the printer's output folder). Each
  // returns a positive number on success, SP_ERROR (or 0) on failure.
  int StartDoc(const DOCINFOA* docInfo);
  int StartDoc(const DOCINFOW* docInfo);
  int StartDoc(LPCSTR docName);
  int StartDoc(LPCWSTR docName);
  int StartPage();
  int EndPage();
  int EndDoc();
  int AbortDoc();

 protected:
  std::shared_ptr<platform::DcState> State() const;

 private:
  BOOL CreateNamedDC(const std::u16string& driver, const std::u16string& device, const DEVMODEW* initData,
                     bool information);
  BOOL OutputText(int x, int y, const std::u16string& text, UINT options, LPCRECT rect, const INT* dx);
  int DrawTextUtf16(std::u16string text, LPRECT rect, UINT format);
  CSize MeasureText(const std::u16string& text) const;
  int BeginDoc(const std::u16string& docName, const std::u16string& output);
};
