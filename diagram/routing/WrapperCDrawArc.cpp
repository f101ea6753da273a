#include "diagram/routing/WrapperCDrawArc.h"

#include <cmath>
#include <memory>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawPort.h"

WrapperCDrawArc::WrapperCDrawArc(CDrawArc* arc) : m_pArc(arc) {
  if (CDrawPort* port = arc ? arc->GetSrcOutPort() : nullptr) {
    const CPoint point = port->ConnectionPoint();
    m_nSrcX = point.x;
    m_nSrcY = point.y;
  }
  if (CDrawPort* port = arc ? arc->GetDestInPort() : nullptr) {
    const CPoint point = port->ConnectionPoint();
    m_nDestX = point.x;
    m_nDestY = point.y;
  }
  const double dx = static_cast<double>(m_nDestX) - m_nSrcX;
  const double dy = static_cast<double>(m_nDestY) - m_nSrcY;
  m_nDistance = static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

WrapperCDrawArc::~WrapperCDrawArc() { RemoveAllPoints(); }

void WrapperCDrawArc::GetArrayOfPoints(CPoint* out) const {
  for (int i = 0; i < GetNumberOfPoints(); ++i) out[i] = PointAt(i);
}

void WrapperCDrawArc::AddPoint(const CPoint& point) { InsertPoint(GetNumberOfPoints(), point); }

void WrapperCDrawArc::InsertPoint(int index, const CPoint& point) {
  auto owned = std::make_unique<CPoint>(point);
  m_points.InsertAt(index, owned.get());
  owned.release();
}

void WrapperCDrawArc::RemoveAllPoints() {
  for (INT_PTR i = 0; i < m_points.GetSize(); ++i) delete static_cast<CPoint*>(m_points[i]);
  m_points.RemoveAll();
}
