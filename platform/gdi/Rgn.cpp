#include "platform/gdi/Rgn.h"

#include <cstdlib>

#include "platform/gdi/GdiObjectData.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

std::shared_ptr<platform::RegionData> Data(HGDIOBJ h) {
  return platform::GdiHandleTable::FindAs<platform::RegionData>(h, platform::GdiKind::Region);
}

// Regions take coordinates within 27 bits, as the Windows GDI does.
bool CoordinatesAllowed(std::initializer_list<long long> values) {
  for (long long v : values) {
    if (v < -(1LL << 27) || v > (1LL << 27)) return false;
  }
  return true;
}

}  // namespace

CRgn* CRgn::FromHandle(HRGN h) { return static_cast<CRgn*>(CGdiObject::FromHandle(h)); }

BOOL CRgn::Create(platform::Region region) {
  if (m_hObject) return FALSE;
  return Attach(platform::GdiHandleTable::Insert(std::make_shared<platform::RegionData>(std::move(region))));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Create(platform::Region::FromRect(RECT{x1, y1, x2, y2})); }

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  if (!CoordinatesAllowed({x1, y1, x2, y2}) || !platform::Region::FigureWorkAllowed(std::llabs(int64_t(y2) - y1), 1)) {
    return FALSE;
  }
  return Create(platform::Region::FromEllipse(RECT{x1, y1, x2, y2}));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rect) {
  return rect ? CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight) {
  if (!CoordinatesAllowed({x1, y1, x2, y2}) || !platform::Region::FigureWorkAllowed(std::llabs(int64_t(y2) - y1), 1)) {
    return FALSE;
  }
  return Create(platform::Region::FromRoundRect(RECT{x1, y1, x2, y2}, ellipseWidth, ellipseHeight));
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  return CreatePolyPolygonRgn(points, &count, 1, fillMode);
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons, int fillMode) {
  if (!points || !counts || polygons < 1 || (fillMode != ALTERNATE && fillMode != WINDING)) return FALSE;
  long long total = 0;
  LONG top = 0, bottom = 0;
  bool any = false;
  for (int k = 0; k < polygons; ++k) {
    if (counts[k] < 2) return FALSE;
    for (int i = 0; i < counts[k]; ++i) {
      const POINT& p = points[total + i];
      if (!CoordinatesAllowed({p.x, p.y})) return FALSE;
      top = any ? std::min(top, p.y) : p.y;
      bottom = any ? std::max(bottom, p.y) : p.y;
      any = true;
    }
    total += counts[k];
  }
  if (!platform::Region::FigureWorkAllowed(int64_t(bottom) - top, total)) return FALSE;
  return Create(platform::Region::FromPolyPolygon(points, counts, polygons, fillMode));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) {
  if (auto data = Data(m_hObject)) data->region = platform::Region::FromRect(RECT{x1, y1, x2, y2});
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
  auto self = Data(m_hObject);
  auto first = a ? Data(a->m_hObject) : nullptr;
  if (!self || !first || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    self->region = first->region;
    return self->region.Kind();
  }
  auto second = b ? Data(b->m_hObject) : nullptr;
  if (!second) return ERROR;
  self->region = platform::Region::Combine(first->region, second->region, mode);
  return self->region.Kind();
}

int CRgn::CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }

BOOL CRgn::EqualRgn(const CRgn* other) const {
  auto self = Data(m_hObject);
  auto that = other ? Data(other->m_hObject) : nullptr;
  if (!self || !that) return FALSE;
  return self->region == that->region ? TRUE : FALSE;
}

int CRgn::OffsetRgn(int dx, int dy) {
  auto data = Data(m_hObject);
  if (!data) return ERROR;
  data->region.Offset(dx, dy);
  return data->region.Kind();
}

int CRgn::GetRgnBox(LPRECT rect) const {
  auto data = Data(m_hObject);
  if (!data || !rect) return ERROR;
  *rect = data->region.Bounds();
  return data->region.Kind();
}

BOOL CRgn::PtInRegion(int x, int y) const {
  auto data = Data(m_hObject);
  return data && data->region.Contains(x, y) ? TRUE : FALSE;
}

BOOL CRgn::RectInRegion(LPCRECT rect) const {
  auto data = Data(m_hObject);
  return data && rect && data->region.Intersects(*rect) ? TRUE : FALSE;
}

platform::Region CRgn::GetRegion() const {
  auto data = Data(m_hObject);
  return data ? data->region : platform::Region();
}
