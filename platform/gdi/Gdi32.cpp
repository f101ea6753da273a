#include "platform/gdi/Gdi32.h"

#include <cstring>

#include "platform/core/Charset.h"
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
  if (CDC* wrapper = CDC::FromHandle(dc); wrapper && wrapper->m_hDC == dc) {
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
  CDC* wrapper = CDC::FromHandle(dc);
  if (!wrapper || !size || count < 0 || (!text && count > 0)) return FALSE;
  *size = wrapper->GetTextExtent(text ? text : "", count);
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size) {
  CDC* wrapper = CDC::FromHandle(dc);
  if (!wrapper || !size || count < 0 || (!text && count > 0)) return FALSE;
  *size = wrapper->GetTextExtent(text ? text : u"", count);
  return TRUE;
}

int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW proc, LPARAM data) {
  CDC* wrapper = CDC::FromHandle(dc);
  if (!wrapper || !proc) return 0;
  int result = 1;
  for (const std::u16string& name : platform::ScalableFontFamilies()) {
    if (family && name != family) continue;
    LOGFONTW lf{};
    lf.lfHeight = 16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfPitchAndFamily = VARIABLE_PITCH;
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = wrapper->SelectObject(&font);
    TEXTMETRICW tm{};
    wrapper->GetTextMetrics(&tm);
    wrapper->SelectObject(old);
    result = proc(&lf, &tm, TRUETYPE_FONTTYPE, data);
    if (result == 0) break;
  }
  return result;
}

int EnumFontFamiliesA(HDC dc, LPCSTR family, FONTENUMPROCA proc, LPARAM data) {
  CDC* wrapper = CDC::FromHandle(dc);
  if (!wrapper || !proc) return 0;
  const std::u16string wanted = family ? platform::GbkToUtf16(family) : std::u16string();
  int result = 1;
  for (const std::u16string& name : platform::ScalableFontFamilies()) {
    if (family && name != wanted) continue;
    const std::string gbk = platform::Utf16ToGbk(name);
    if (gbk.size() >= LF_FACESIZE) continue;
    LOGFONTA lf{};
    lf.lfHeight = 16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfPitchAndFamily = VARIABLE_PITCH;
    std::memcpy(lf.lfFaceName, gbk.data(), gbk.size());
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = wrapper->SelectObject(&font);
    TEXTMETRICA tm{};
    wrapper->GetTextMetrics(&tm);
    wrapper->SelectObject(old);
    result = proc(&lf, &tm, TRUETYPE_FONTTYPE, data);
    if (result == 0) break;
  }
  return result;
}
