#include "platform/gdi/Gdi32.h"

#include <cstring>

#include "platform/core/Charset.h"
#include "platform/core/PathResolve.h"
#include "platform/gdi/BorrowedWrapper.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/FontEngine.h"

HGDIOBJ GetStockObject(int index) { return platform::StockObject(index); }

BOOL DeleteObject(HGDIOBJ object) {
  // A wrapper that still names the handle keeps a dead handle, which every
  // later call refuses, as on Windows.
  return object && platform::GdiHandleTable::Erase(object) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ object) {
  if (auto data = platform::GdiHandleTable::Find(object)) return static_cast<DWORD>(data->kind);
  if (auto dc = platform::FindDc(static_cast<HDC>(object))) {
    return dc->kind == platform::DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
  }
  return 0;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  auto state = platform::FindDc(dc);
  auto data = platform::GdiHandleTable::Find(object);
  if (!state || !data) return nullptr;
  HGDIOBJ result = state->Select(data);
  if (data->kind == platform::GdiKind::Region && !result) return HGDI_ERROR;
  return result;
}

int GetDeviceCaps(HDC dc, int index) {
  auto state = platform::FindDc(dc);
  return state ? state->caps.Get(index) : 0;
}

HDC CreateCompatibleDC(HDC dc) { return platform::CreateMemoryDc(dc); }

BOOL DeleteDC(HDC dc) {
  // A wrapper the program holds lets go of the handle; none is made for it.
  if (CDC* wrapper = platform::ExistingDcWrapper(dc); wrapper && wrapper->m_hDC == dc) {
    wrapper->Detach();
  }
  return platform::UnregisterDc(dc) ? TRUE : FALSE;
}

int SaveDC(HDC dc) {
  auto state = platform::FindDc(dc);
  return state ? state->Save() : 0;
}

BOOL RestoreDC(HDC dc, int savedDC) {
  auto state = platform::FindDc(dc);
  return state && state->Restore(savedDC) ? TRUE : FALSE;
}

BOOL GdiFlush() { return TRUE; }

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
  platform::BorrowedDc borrowed(dc);
  CDC* wrapper = borrowed.get();
  if (!wrapper || !size || count < 0 || (!text && count > 0)) return FALSE;
  *size = wrapper->GetTextExtent(text ? text : "", count);
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size) {
  platform::BorrowedDc borrowed(dc);
  CDC* wrapper = borrowed.get();
  if (!wrapper || !size || count < 0 || (!text && count > 0)) return FALSE;
  *size = wrapper->GetTextExtent(text ? text : u"", count);
  return TRUE;
}

namespace {

// Hands one scalable family (its face name set in `lf`) to an enumeration
// procedure: the rest of `lf` as the enumeration describes every family,
// with the metrics of the font selected into the DC.
template <class TextMetric, class LogFont, class Proc>
int ReportFontFamily(CDC& dc, LogFont& lf, Proc proc, LPARAM data) {
  lf.lfHeight = 16;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfPitchAndFamily = VARIABLE_PITCH;
  CFont font;
  font.CreateFontIndirect(&lf);
  HGDIOBJ old = dc.SelectObject(font.m_hObject);
  TextMetric tm{};
  dc.GetTextMetrics(&tm);
  dc.SelectObject(old);
  return proc(&lf, &tm, TRUETYPE_FONTTYPE, data);
}

}  // namespace

int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW proc, LPARAM data) {
  platform::BorrowedDc borrowed(dc);
  CDC* wrapper = borrowed.get();
  if (!wrapper || !proc) return 0;
  int result = 1;
  for (const std::u16string& name : platform::ScalableFontFamilies()) {
    if (family && name != family) continue;
    LOGFONTW lf{};
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    result = ReportFontFamily<TEXTMETRICW>(*wrapper, lf, proc, data);
    if (result == 0) break;
  }
  return result;
}

int EnumFontFamiliesA(HDC dc, LPCSTR family, FONTENUMPROCA proc, LPARAM data) {
  platform::BorrowedDc borrowed(dc);
  CDC* wrapper = borrowed.get();
  if (!wrapper || !proc) return 0;
  const std::u16string wanted = family ? platform::GbkToUtf16(family) : std::u16string();
  int result = 1;
  for (const std::u16string& name : platform::ScalableFontFamilies()) {
    if (family && name != wanted) continue;
    const std::string gbk = platform::Utf16ToGbk(name);
    if (gbk.size() >= LF_FACESIZE) continue;
    LOGFONTA lf{};
    std::memcpy(lf.lfFaceName, gbk.data(), gbk.size());
    result = ReportFontFamily<TEXTMETRICA>(*wrapper, lf, proc, data);
    if (result == 0) break;
  }
  return result;
}

DWORD GetGlyphOutlineW(HDC dc, UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD bufferSize, LPVOID buffer,
                       const MAT2* matrix) {
  platform::BorrowedDc borrowed(dc);
  CDC* wrapper = borrowed.get();
  return wrapper ? wrapper->GetGlyphOutline(ch, format, metrics, bufferSize, buffer, matrix) : GDI_ERROR;
}

DWORD GetGlyphOutlineA(HDC dc, UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD bufferSize, LPVOID buffer,
                       const MAT2* matrix) {
  // A double-byte character comes as lead byte * 256 + trail byte.
  if (ch > 0xFF) {
    const char bytes[2] = {static_cast<char>(ch >> 8), static_cast<char>(ch & 0xFF)};
    const std::u16string wide = platform::GbkToUtf16(std::string_view(bytes, 2));
    ch = wide.size() == 1 ? wide[0] : 0;
  } else if (ch >= 0x80) {
    const char byte = static_cast<char>(ch);
    const std::u16string wide = platform::GbkToUtf16(std::string_view(&byte, 1));
    ch = wide.size() == 1 ? wide[0] : 0;
  }
  return GetGlyphOutlineW(dc, ch, format, metrics, bufferSize, buffer, matrix);
}

namespace {
bool PrivateFontFlags(DWORD flags, const void* reserved) {
  return reserved == nullptr && flags != 0 && (flags & ~DWORD(FR_PRIVATE | FR_NOT_ENUM)) == 0;
}
}  // namespace

int AddFontResourceExW(LPCWSTR file, DWORD flags, void* reserved) {
  if (!file || !PrivateFontFlags(flags, reserved)) return 0;
  return platform::AddPrivateFontFile(platform::ResolvePath(file));
}

int AddFontResourceExA(LPCSTR file, DWORD flags, void* reserved) {
  if (!file || !PrivateFontFlags(flags, reserved)) return 0;
  return platform::AddPrivateFontFile(platform::ResolvePath(file));
}

BOOL RemoveFontResourceExW(LPCWSTR file, DWORD flags, void* reserved) {
  if (!file || !PrivateFontFlags(flags, reserved)) return FALSE;
  return platform::RemovePrivateFontFile(platform::ResolvePath(file)) ? TRUE : FALSE;
}

BOOL RemoveFontResourceExA(LPCSTR file, DWORD flags, void* reserved) {
  if (!file || !PrivateFontFlags(flags, reserved)) return FALSE;
  return platform::RemovePrivateFontFile(platform::ResolvePath(file)) ? TRUE : FALSE;
}

HPEN CreatePen(int style, int width, COLORREF color) {
  const LOGPEN lp{static_cast<UINT>(style), {width, 0}, color};
  return CreatePenIndirect(&lp);
}

HPEN CreatePenIndirect(const LOGPEN* logPen) {
  CPen pen;
  return pen.CreatePenIndirect(logPen) ? static_cast<HPEN>(pen.Detach()) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  CBrush brush;
  return brush.CreateSolidBrush(color) ? static_cast<HBRUSH>(brush.Detach()) : nullptr;
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  CBrush brush;
  return brush.CreateHatchBrush(hatch, color) ? static_cast<HBRUSH>(brush.Detach()) : nullptr;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush) {
  CBrush brush;
  return brush.CreateBrushIndirect(logBrush) ? static_cast<HBRUSH>(brush.Detach()) : nullptr;
}

HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
  CFont font;
  return font.CreateFontIndirect(logFont) ? static_cast<HFONT>(font.Detach()) : nullptr;
}

HFONT CreateFontIndirectW(const LOGFONTW* logFont) {
  CFont font;
  return font.CreateFontIndirect(logFont) ? static_cast<HFONT>(font.Detach()) : nullptr;
}

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
  CRgn rgn;
  return rgn.CreateRectRgn(x1, y1, x2, y2) ? static_cast<HRGN>(rgn.Detach()) : nullptr;
}

int SetBkMode(HDC dc, int mode) {
  platform::BorrowedDc d(dc);
  return d ? d->SetBkMode(mode) : 0;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  platform::BorrowedDc d(dc);
  return d ? d->SetBkColor(color) : CLR_INVALID;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  platform::BorrowedDc d(dc);
  return d ? d->SetTextColor(color) : CLR_INVALID;
}

int SetROP2(HDC dc, int mode) {
  platform::BorrowedDc d(dc);
  return d ? d->SetROP2(mode) : 0;
}

int SetMapMode(HDC dc, int mode) {
  platform::BorrowedDc d(dc);
  return d ? d->SetMapMode(mode) : 0;
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  platform::BorrowedDc d(dc);
  if (!d) return FALSE;
  const CPoint old = d->MoveTo(x, y);
  if (previous) *previous = old;
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  platform::BorrowedDc d(dc);
  return d ? d->LineTo(x, y) : FALSE;
}

BOOL Rectangle(HDC dc, int x1, int y1, int x2, int y2) {
  platform::BorrowedDc d(dc);
  return d ? d->Rectangle(x1, y1, x2, y2) : FALSE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  platform::BorrowedDc d(dc);
  return d ? d->PatBlt(x, y, width, height, rop) : FALSE;
}

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop) {
  platform::BorrowedDc d(dc);
  platform::BorrowedDc s(source);
  return d ? d->BitBlt(x, y, width, height, s.get(), xSrc, ySrc, rop) : FALSE;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  platform::BorrowedDc d(dc);
  return d && count >= 0 ? d->TextOut(x, y, text, count) : FALSE;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  platform::BorrowedDc d(dc);
  return d && count >= 0 ? d->TextOut(x, y, text, count) : FALSE;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  platform::BorrowedDc d(dc);
  return d ? d->GetTextMetrics(metrics) : FALSE;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  platform::BorrowedDc d(dc);
  return d ? d->GetTextMetrics(metrics) : FALSE;
}

int SelectClipRgn(HDC dc, HRGN rgn) {
  platform::BorrowedDc d(dc);
  if (!d) return ERROR;
  platform::BorrowedObject<CRgn> region(rgn);
  return d->SelectClipRgn(region.get());
}

int GetClipBox(HDC dc, LPRECT rect) {
  platform::BorrowedDc d(dc);
  return d ? d->GetClipBox(rect) : ERROR;
}

int FillRect(HDC dc, LPCRECT rect, HBRUSH brush) {
  platform::BorrowedDc d(dc);
  platform::BorrowedObject<CBrush> b(brush);
  if (!d || !b.get() || !rect) return 0;
  d->FillRect(rect, b.get());
  return 1;
}

int FrameRect(HDC dc, LPCRECT rect, HBRUSH brush) {
  platform::BorrowedDc d(dc);
  platform::BorrowedObject<CBrush> b(brush);
  if (!d || !b.get() || !rect) return 0;
  d->FrameRect(rect, b.get());
  return 1;
}

BOOL InvertRect(HDC dc, LPCRECT rect) {
  platform::BorrowedDc d(dc);
  if (!d || !rect) return FALSE;
  d->InvertRect(rect);
  return TRUE;
}

BOOL DrawFocusRect(HDC dc, LPCRECT rect) {
  platform::BorrowedDc d(dc);
  if (!d || !rect) return FALSE;
  d->DrawFocusRect(rect);
  return TRUE;
}

int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
  platform::BorrowedDc d(dc);
  return d ? d->DrawText(text, count, rect, format) : 0;
}

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  platform::BorrowedDc d(dc);
  return d ? d->DrawText(text, count, rect, format) : 0;
}
