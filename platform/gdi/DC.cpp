// CDC: creation, handles, attributes, objects, mapping and clipping.
#include "platform/gdi/DC.h"

#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "platform/core/Charset.h"
#include "platform/gdi/BorrowedWrapper.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/PdfPrinter.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

// This thread's wrappers of DC handles: the permanent ones (attached to a CDC
// the program made) and the temporary ones FromHandle makes.
struct DcMaps {
  std::unordered_map<HDC, CDC*> permanent;
  std::unordered_map<HDC, CDC*> temporary;
  ~DcMaps();
  void Clear() {
    for (auto& [h, dc] : temporary) {
      dc->m_hDC = dc->m_hAttribDC = nullptr;
      delete dc;
    }
    temporary.clear();
  }
};

// Set when this thread's maps are gone: wrappers destroyed later (objects
// of static storage at exit) find no map instead of a destroyed one.
thread_local bool tMapsGone = false;

DcMaps::~DcMaps() {
  Clear();
  tMapsGone = true;
}

DcMaps* Maps() {
  if (tMapsGone) return nullptr;
  thread_local DcMaps maps;
  return &maps;
}

std::u16string Utf16(LPCWSTR s) { return s ? std::u16string(s) : std::u16string(); }
std::u16string Utf16(LPCSTR s) { return s ? platform::GbkToUtf16(s) : std::u16string(); }

DEVMODEW WidenDevMode(const DEVMODEA& a) {
  DEVMODEW w{};
  std::u16string name = platform::GbkToUtf16(std::string_view(reinterpret_cast<const char*>(a.dmDeviceName),
                                                              strnlen(reinterpret_cast<const char*>(a.dmDeviceName), CCHDEVICENAME)));
  for (size_t i = 0; i < name.size() && i + 1 < CCHDEVICENAME; ++i) w.dmDeviceName[i] = name[i];
  w.dmSpecVersion = a.dmSpecVersion;
  w.dmSize = sizeof(DEVMODEW);
  w.dmFields = a.dmFields;
  w.dmOrientation = a.dmOrientation;
  w.dmPaperSize = a.dmPaperSize;
  w.dmPaperLength = a.dmPaperLength;
  w.dmPaperWidth = a.dmPaperWidth;
  w.dmScale = a.dmScale;
  w.dmCopies = a.dmCopies;
  w.dmPrintQuality = a.dmPrintQuality;
  w.dmYResolution = a.dmYResolution;
  w.dmColor = a.dmColor;
  w.dmDuplex = a.dmDuplex;
  w.dmCollate = a.dmCollate;
  return w;
}

int RegionResult(const platform::Region& r) { return r.Kind(); }

}  // namespace

CDC::~CDC() {
  if (m_hDC) {
    HDC h = Detach();
    platform::UnregisterDc(h);
  }
}

std::shared_ptr<platform::DcState> CDC::State() const { return platform::FindDc(m_hDC); }

CDC* CDC::FromHandle(HDC hDC) {
  if (!hDC || !platform::FindDc(hDC)) return nullptr;
  DcMaps* maps = Maps();
  if (!maps) return nullptr;
  if (auto it = maps->permanent.find(hDC); it != maps->permanent.end()) return it->second;
  if (auto it = maps->temporary.find(hDC); it != maps->temporary.end()) return it->second;
  CDC* dc = new CDC;
  dc->m_hDC = dc->m_hAttribDC = hDC;
  maps->temporary.emplace(hDC, dc);
  return dc;
}

void CDC::DeleteTempMap() {
  if (auto* maps = Maps()) maps->Clear();
}

namespace platform {

CDC* ExistingDcWrapper(HDC dc) {
  DcMaps* maps = dc ? Maps() : nullptr;
  if (!maps) return nullptr;
  if (auto it = maps->permanent.find(dc); it != maps->permanent.end()) return it->second;
  if (auto it = maps->temporary.find(dc); it != maps->temporary.end()) return it->second;
  return nullptr;
}

size_t TemporaryDcCount() {
  DcMaps* maps = Maps();
  return maps ? maps->temporary.size() : 0;
}

}  // namespace platform

BOOL CDC::Attach(HDC hDC) {
  if (!hDC || m_hDC || !platform::FindDc(hDC)) return FALSE;
  DcMaps* maps = Maps();
  if (!maps || maps->permanent.count(hDC)) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  maps->permanent.emplace(hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (auto* maps = h ? Maps() : nullptr) {
    auto& permanent = maps->permanent;
    if (auto it = permanent.find(h); it != permanent.end() && it->second == this) permanent.erase(it);
  }
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
  if (m_hDC) return FALSE;
  HDC h = platform::CreateMemoryDc(dc ? dc->m_hDC : nullptr);
  if (!h) return FALSE;
  return Attach(h);
}

BOOL CDC::CreateNamedDC(const std::u16string& driver, const std::u16string& device, const DEVMODEW* initData,
                        bool information) {
  if (m_hDC) return FALSE;
  auto isDisplay = [](std::u16string s) {
    for (auto& c : s) c = (c >= u'a' && c <= u'z') ? c - 32 : c;
    return s == u"DISPLAY";
  };
  std::shared_ptr<platform::DcState> state;
  HDC h = nullptr;
  if (isDisplay(driver) || isDisplay(device)) {
    if (information) {
      state = std::make_shared<platform::DcState>(platform::DcKind::Information, platform::ScreenCaps());
      h = platform::RegisterDc(state);
    } else {
      h = platform::CreateScreenDc();
    }
  } else {
    platform::PrinterSettings settings = platform::DefaultPrinterSettings();
    if (initData) settings = platform::ApplyDevMode(settings, *initData);
    if (!device.empty()) settings.deviceName = device;
    const platform::DeviceCaps caps = platform::PrinterCaps(settings);
    state = std::make_shared<platform::DcState>(
        information ? platform::DcKind::Information : platform::DcKind::Printer, caps);
    if (!information) {
      state->printer = std::make_shared<platform::PdfPrinter>(settings);
      state->surface = state->printer;
    }
    h = platform::RegisterDc(state);
  }
  return Attach(h);
}

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR, const DEVMODEA* initData) {
  DEVMODEW wide;
  if (initData) wide = WidenDevMode(*initData);
  return CreateNamedDC(Utf16(driver), Utf16(device), initData ? &wide : nullptr, false);
}

BOOL CDC::CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR, const DEVMODEW* initData) {
  return CreateNamedDC(Utf16(driver), Utf16(device), initData, false);
}

BOOL CDC::CreateIC(LPCSTR driver, LPCSTR device, LPCSTR, const DEVMODEA* initData) {
  DEVMODEW wide;
  if (initData) wide = WidenDevMode(*initData);
  return CreateNamedDC(Utf16(driver), Utf16(device), initData ? &wide : nullptr, true);
}

BOOL CDC::CreateIC(LPCWSTR driver, LPCWSTR device, LPCWSTR, const DEVMODEW* initData) {
  return CreateNamedDC(Utf16(driver), Utf16(device), initData, true);
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  if (auto s = State(); s && s->printer && s->printer->InDoc()) s->printer->AbortDoc();
  return platform::UnregisterDc(Detach()) ? TRUE : FALSE;
}

int CDC::GetDeviceCaps(int index) const {
  auto s = State();
  return s ? s->caps.Get(index) : 0;
}

int CDC::SaveDC() {
  auto s = State();
  return s ? s->Save() : 0;
}

BOOL CDC::RestoreDC(int savedDC) {
  auto s = State();
  return s && s->Restore(savedDC) ? TRUE : FALSE;
}

// --- Objects ---------------------------------------------------------------

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
  auto s = State();
  if (!s) return nullptr;
  return s->Select(platform::GdiHandleTable::Find(object));
}

CPen* CDC::SelectObject(CPen* pen) {
  if (!pen) return nullptr;
  return static_cast<CPen*>(CGdiObject::FromHandle(SelectObject(pen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
  if (!brush) return nullptr;
  return static_cast<CBrush*>(CGdiObject::FromHandle(SelectObject(brush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* font) {
  if (!font) return nullptr;
  return static_cast<CFont*>(CGdiObject::FromHandle(SelectObject(font->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (!bitmap) return nullptr;
  return static_cast<CBitmap*>(CGdiObject::FromHandle(SelectObject(bitmap->m_hObject)));
}

int CDC::SelectObject(CRgn* rgn) { return SelectClipRgn(rgn); }

CGdiObject* CDC::SelectObject(CGdiObject* object) {
  if (!object) return nullptr;
  if (object->GetObjectType() == OBJ_REGION) {
    SelectClipRgn(static_cast<CRgn*>(object));
    return nullptr;
  }
  return CGdiObject::FromHandle(SelectObject(object->m_hObject));
}

CGdiObject* CDC::SelectStockObject(int index) { return CGdiObject::FromHandle(SelectObject(platform::StockObject(index))); }

CPen* CDC::GetCurrentPen() const {
  auto s = State();
  return s ? static_cast<CPen*>(CGdiObject::FromHandle(s->attr.pen->handle)) : nullptr;
}

CBrush* CDC::GetCurrentBrush() const {
  auto s = State();
  return s ? static_cast<CBrush*>(CGdiObject::FromHandle(s->attr.brush->handle)) : nullptr;
}

CFont* CDC::GetCurrentFont() const {
  auto s = State();
  return s ? static_cast<CFont*>(CGdiObject::FromHandle(s->attr.font->handle)) : nullptr;
}

CBitmap* CDC::GetCurrentBitmap() const {
  auto s = State();
  return s && s->attr.bitmap ? static_cast<CBitmap*>(CGdiObject::FromHandle(s->attr.bitmap->handle)) : nullptr;
}

// --- Colours and modes -------------------------------------------------------

#define PLATFORM_DC_ATTRIBUTE(Type, Get, Set, field, invalid, valid)  \
  Type CDC::Get() const {                                            \
    auto s = State();                                                \
    return s ? s->attr.field : (invalid);                            \
  }                                                                  \
  Type CDC::Set(Type value) {                                        \
    auto s = State();                                                \
    if (!s || !(valid)) return (invalid);                            \
    const Type old = s->attr.field;                                  \
    s->attr.field = value;                                           \
    return old;                                                      \
  }

PLATFORM_DC_ATTRIBUTE(COLORREF, GetBkColor, SetBkColor, bkColor, CLR_INVALID, true)
PLATFORM_DC_ATTRIBUTE(COLORREF, GetTextColor, SetTextColor, textColor, CLR_INVALID, true)
PLATFORM_DC_ATTRIBUTE(int, GetBkMode, SetBkMode, bkMode, 0, value == OPAQUE || value == TRANSPARENT)
PLATFORM_DC_ATTRIBUTE(UINT, GetTextAlign, SetTextAlign, textAlign, GDI_ERROR, true)
PLATFORM_DC_ATTRIBUTE(int, GetROP2, SetROP2, rop2, 0, value >= R2_BLACK && value <= R2_WHITE)
PLATFORM_DC_ATTRIBUTE(int, GetPolyFillMode, SetPolyFillMode, polyFillMode, 0, value == ALTERNATE || value == WINDING)
PLATFORM_DC_ATTRIBUTE(int, GetArcDirection, SetArcDirection, arcDirection, 0,
                      value == AD_COUNTERCLOCKWISE || value == AD_CLOCKWISE)
PLATFORM_DC_ATTRIBUTE(int, GetStretchBltMode, SetStretchBltMode, stretchMode, 0, value >= 1 && value <= 4)

#undef PLATFORM_DC_ATTRIBUTE

CPoint CDC::GetBrushOrg() const {
  auto s = State();
  return s ? CPoint(s->attr.brushOrg) : CPoint();
}

CPoint CDC::SetBrushOrg(int x, int y) {
  auto s = State();
  if (!s) return CPoint();
  const CPoint old(s->attr.brushOrg);
  s->attr.brushOrg = POINT{x, y};
  return old;
}

// --- Mapping -------------------------------------------------------------------

int CDC::GetMapMode() const {
  auto s = State();
  return s ? s->attr.mapping.Mode() : 0;
}

int CDC::SetMapMode(int mode) {
  auto s = State();
  return s ? s->attr.mapping.SetMode(mode) : 0;
}

CPoint CDC::GetViewportOrg() const {
  auto s = State();
  return s ? CPoint(s->attr.mapping.ViewportOrg()) : CPoint();
}

CPoint CDC::SetViewportOrg(int x, int y) {
  auto s = State();
  if (!s) return CPoint();
  const CPoint old(s->attr.mapping.ViewportOrg());
  s->attr.mapping.SetViewportOrg(x, y);
  return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  const CPoint old = GetViewportOrg();
  SetViewportOrg(old.x + dx, old.y + dy);
  return old;
}

CSize CDC::GetViewportExt() const {
  auto s = State();
  return s ? CSize(s->attr.mapping.ViewportExt()) : CSize();
}

CSize CDC::SetViewportExt(int cx, int cy) {
  auto s = State();
  if (!s) return CSize();
  const CSize old(s->attr.mapping.ViewportExt());
  return s->attr.mapping.SetViewportExt(cx, cy) ? old : CSize();
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
  auto s = State();
  if (!s) return CSize();
  const CSize old(s->attr.mapping.ViewportExt());
  return s->attr.mapping.ScaleViewportExt(xNum, xDenom, yNum, yDenom) ? old : CSize();
}

CPoint CDC::GetWindowOrg() const {
  auto s = State();
  return s ? CPoint(s->attr.mapping.WindowOrg()) : CPoint();
}

CPoint CDC::SetWindowOrg(int x, int y) {
  auto s = State();
  if (!s) return CPoint();
  const CPoint old(s->attr.mapping.WindowOrg());
  s->attr.mapping.SetWindowOrg(x, y);
  return old;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  const CPoint old = GetWindowOrg();
  SetWindowOrg(old.x + dx, old.y + dy);
  return old;
}

CSize CDC::GetWindowExt() const {
  auto s = State();
  return s ? CSize(s->attr.mapping.WindowExt()) : CSize();
}

CSize CDC::SetWindowExt(int cx, int cy) {
  auto s = State();
  if (!s) return CSize();
  const CSize old(s->attr.mapping.WindowExt());
  return s->attr.mapping.SetWindowExt(cx, cy) ? old : CSize();
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
  auto s = State();
  if (!s) return CSize();
  const CSize old(s->attr.mapping.WindowExt());
  return s->attr.mapping.ScaleWindowExt(xNum, xDenom, yNum, yDenom) ? old : CSize();
}

void CDC::DPtoLP(LPPOINT points, int count) const {
  auto s = State();
  if (!s || !points) return;
  for (int i = 0; i < count; ++i) points[i] = s->attr.mapping.DPtoLP(points[i]);
}

void CDC::DPtoLP(LPRECT rect) const { DPtoLP(reinterpret_cast<LPPOINT>(rect), 2); }

void CDC::DPtoLP(LPSIZE size) const {
  auto s = State();
  if (!s || !size) return;
  // A size scales by the extents' magnitudes, as the framework computes it:
  // it keeps its sign whichever way the axes point.
  const SIZE w = s->attr.mapping.WindowExt(), v = s->attr.mapping.ViewportExt();
  size->cx = ::MulDiv(size->cx, std::abs(w.cx), std::abs(v.cx));
  size->cy = ::MulDiv(size->cy, std::abs(w.cy), std::abs(v.cy));
}

void CDC::LPtoDP(LPPOINT points, int count) const {
  auto s = State();
  if (!s || !points) return;
  for (int i = 0; i < count; ++i) points[i] = s->attr.mapping.LPtoDP(points[i]);
}

void CDC::LPtoDP(LPRECT rect) const { LPtoDP(reinterpret_cast<LPPOINT>(rect), 2); }

void CDC::LPtoDP(LPSIZE size) const {
  auto s = State();
  if (!s || !size) return;
  const SIZE w = s->attr.mapping.WindowExt(), v = s->attr.mapping.ViewportExt();
  size->cx = ::MulDiv(size->cx, std::abs(v.cx), std::abs(w.cx));
  size->cy = ::MulDiv(size->cy, std::abs(v.cy), std::abs(w.cy));
}

// --- Clipping --------------------------------------------------------------------

int CDC::GetClipBox(LPRECT rect) const {
  auto s = State();
  if (!s || !rect) return ERROR;
  const platform::Region clip = s->EffectiveClip();
  const RECT box = clip.Bounds();
  POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
  for (auto& p : corners) p = s->attr.mapping.DPtoLP(p);
  *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  return RegionResult(clip);
}

BOOL CDC::PtVisible(int x, int y) const {
  auto s = State();
  if (!s) return FALSE;
  const POINT d = s->ToDevice(x, y);
  return s->EffectiveClip().Contains(d.x, d.y) ? TRUE : FALSE;
}

BOOL CDC::RectVisible(LPCRECT rect) const {
  auto s = State();
  if (!s || !rect) return FALSE;
  return s->EffectiveClip().Intersects(s->ToDeviceRect(*rect)) ? TRUE : FALSE;
}

int CDC::SelectClipRgn(CRgn* rgn) { return SelectClipRgn(rgn, RGN_COPY); }

int CDC::SelectClipRgn(CRgn* rgn, int mode) {
  auto s = State();
  if (!s) return ERROR;
  if (!rgn || !rgn->m_hObject) {
    // Only RGN_COPY takes a null region: the clip is removed.
    if (mode != RGN_COPY) return ERROR;
    s->attr.clip.reset();
    return RegionResult(s->EffectiveClip());
  }
  auto data = platform::GdiHandleTable::FindAs<platform::RegionData>(rgn->m_hObject, platform::GdiKind::Region);
  if (!data) return ERROR;
  if (mode == RGN_COPY) {
    s->attr.clip = data->region;
    return RegionResult(s->EffectiveClip());
  }
  if (mode < RGN_AND || mode > RGN_DIFF) return ERROR;
  // Without a clip region the DC's whole surface is combined.
  const SIZE size = s->SurfaceSize();
  const platform::Region current =
      s->attr.clip ? *s->attr.clip : platform::Region::FromRect(RECT{0, 0, size.cx, size.cy});
  s->attr.clip = platform::Region::Combine(current, data->region, mode);
  return RegionResult(s->EffectiveClip());
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
  auto s = State();
  if (!s) return ERROR;
  const SIZE size = s->SurfaceSize();
  const platform::Region current =
      s->attr.clip ? *s->attr.clip : platform::Region::FromRect(RECT{0, 0, size.cx, size.cy});
  s->attr.clip = platform::Region::Combine(current, platform::Region::FromRect(s->ToDeviceRect(RECT{x1, y1, x2, y2})),
                                           RGN_DIFF);
  return RegionResult(s->EffectiveClip());
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
  auto s = State();
  if (!s) return ERROR;
  const platform::Region r = platform::Region::FromRect(s->ToDeviceRect(RECT{x1, y1, x2, y2}));
  s->attr.clip = s->attr.clip ? s->attr.clip->Intersect(r) : r;
  return RegionResult(s->EffectiveClip());
}

int CDC::OffsetClipRgn(int dx, int dy) {
  auto s = State();
  if (!s) return ERROR;
  if (s->attr.clip) {
    // The offset is logical: its device length moves the region.
    const POINT a = s->ToDevice(0, 0), b = s->ToDevice(dx, dy);
    s->attr.clip->Offset(b.x - a.x, b.y - a.y);
  }
  return RegionResult(s->EffectiveClip());
}
