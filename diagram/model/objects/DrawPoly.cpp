#include "diagram/model/objects/DrawPoly.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/SegmentHit.h"
#include "diagram/model/objects/ShapeTools.h"
#include "diagram/model/undo/URPoly.h"
#include "diagram/model/undo/UndoRecordingScope.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Region.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

IMPLEMENT_SERIAL(CDrawPoly, CDrawObj, 0)

namespace {

// How many slots a full point array grows by.
constexpr int kGrowBy = 10;
// Points lie within this distance of the origin, as every object of a
// diagram does (a canvas is at most 255 pages of hundredths of an inch); a
// stream with a point beyond it is damaged, and moving or flipping such a
// point would overflow.
constexpr LONG kMaxCoordinate = 0x3FFFFFFF;

struct PointsDeleter {
  void operator()(CPoint* points) const { CDrawPoly::DeletePoints(points); }
};
using OwnedPoints = std::unique_ptr<CPoint[], PointsDeleter>;

bool Covers(const CRect& outer, const CRect& inner) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

// A box without height or width gets a unit on either side, so that a flat
// or thin figure can still be met.
void GrowFlatBox(CRect& box) {
  if (box.Height() == 0) box.InflateRect(0, 1);
  if (box.Width() == 0) box.InflateRect(1, 0);
}

void Translate(CPoint* points, int count, CSize delta) {
  for (int i = 0; i < count; ++i) points[i] += delta;
}

}  // namespace

CPoint* CDrawPoly::NewPoints(int count) { return count > 0 ? new (std::nothrow) CPoint[count] : nullptr; }

void CDrawPoly::DeletePoints(CPoint* points) { delete[] points; }

CDrawPoly::CDrawPoly()
    : CDrawObj(CRect(0, 0, 0, 0)),
      m_bPolyLine(FALSE),
      m_nPoints(0),
      m_nAllocPoints(0),
      m_points(nullptr),
      m_nPointDownIndex(0) {
  m_logpen.lopnStyle = PS_SOLID;
  m_bBrush = FALSE;
}

CDrawPoly::CDrawPoly(const CDrawPoly& other)
    : CDrawObj(other),
      m_bPolyLine(other.m_bPolyLine),
      m_nPoints(other.m_nPoints),
      m_nAllocPoints(other.m_nAllocPoints),
      m_points(nullptr),
      m_nPointDownIndex(0) {
  if (m_nAllocPoints <= 0) return;
  m_points = NewPoints(m_nAllocPoints);
  if (!m_points) {
    m_nPoints = 0;
    m_nAllocPoints = 0;
    AfxThrowMemoryException();
  }
  std::copy(other.m_points, other.m_points + m_nPoints, m_points);
}

CDrawPoly::~CDrawPoly() {
  // A polygon destroyed while it is being drawn leaves its tool idle.
  viewlink::ForgetPoly(this);
  DeletePoints(m_points);
}

void CDrawPoly::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    // The count and the capacity travel as 16-bit words: a polygon they
    // cannot hold is refused before any of its record is written.
    if (m_nPoints < 0 || m_nPoints > kMaxPoints || m_nAllocPoints < m_nPoints || m_nAllocPoints > kMaxPoints) {
      AfxThrowArchiveException(CArchiveException::genericException);
    }
    CDrawObj::Serialize(ar);
    ar << static_cast<WORD>(m_bPolyLine ? 1 : 0);
    ar << static_cast<WORD>(m_nPoints);
    // The capacity written is the count: the room the array has grown to
    // is no part of the drawing, and a stream that held it would differ
    // after an undo that takes the added points away again.
    ar << static_cast<WORD>(m_nPoints);
    for (int i = 0; i < m_nPoints; ++i) ar << m_points[i];
    return;
  }
  CDrawObj::Serialize(ar);
  WORD polyLine = 0;
  WORD count = 0;
  WORD capacity = 0;
  ar >> polyLine >> count >> capacity;
  if (capacity < count) AfxThrowArchiveException(CArchiveException::genericException);
  OwnedPoints points(NewPoints(capacity));
  if (capacity > 0 && !points) AfxThrowMemoryException();
  for (int i = 0; i < count; ++i) {
    ar >> points[i];
    if (std::abs(int64_t{points[i].x}) > kMaxCoordinate || std::abs(int64_t{points[i].y}) > kMaxCoordinate) {
      AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName.GetString());
    }
  }
  DeletePoints(m_points);
  m_points = points.release();
  m_nPoints = count;
  m_nAllocPoints = capacity;
  m_bPolyLine = polyLine;
  // Older streams kept polygons with the inside-frame pen, which an outline
  // without an inside cannot have.
  if (GetArchiveStreamVersion(ar) < 13 && m_logpen.lopnStyle == PS_INSIDEFRAME) m_logpen.lopnStyle = PS_SOLID;
}

int CDrawPoly::GetHandleCount() const { return m_nPoints; }

CPoint CDrawPoly::GetHandle(int handle) {
  if (handle < 1 || handle > m_nPoints) return CDrawObj::GetHandle(handle);
  return m_points[handle - 1];
}

HCURSOR CDrawPoly::GetHandleCursor(int) const { return ::LoadCursor(nullptr, IDC_SIZEALL); }

SIZE CDrawPoly::GetExtraSize4LineWidth() {
  return SIZE{(m_logpen.lopnWidth.x + 1) / 2, (m_logpen.lopnWidth.y + 1) / 2};
}

CMenu* CDrawPoly::GetPopupMenu(CDrawView* view, CPoint point) {
  m_nPointDownIndex = 0;
  if (view) m_nPointDownIndex = static_cast<UINT>(IntersectsLineSegment(viewlink::SensitivityRect(view, point)));
  if (m_nPointDownIndex != 0) return viewlink::PopupMenu(view, 2);
  return CDrawObj::GetPopupMenu(view, point);
}

void CDrawPoly::Draw(CDC* dc) {
  if (m_nPoints <= 0) return;
  const ShapeTools tools(dc, ShapeStyle{m_logpen, m_bPen, m_bBrush, m_logbrush.lbColor, m_bHatch, GetHatchStyle(),
                                        m_crHatch});
  if (!tools.Ready()) return;
  if (m_bPolyLine) {
    dc->Polyline(m_points, m_nPoints);
  } else {
    dc->Polygon(m_points, m_nPoints);
  }
}

void CDrawPoly::MoveTo(const CRect& position, CDrawView* view) {
  if (position == m_position) return;
  InvalidateIn(view);
  // The points follow the top-left corner; they are never scaled.
  Translate(m_points, m_nPoints, CSize(position.left - m_position.left, position.top - m_position.top));
  m_position = position;
  InvalidateIn(view);
  SetDiagramModified();
}

void CDrawPoly::MoveBy(CPoint delta, int bInvalidate) {
  if (delta.x == 0 && delta.y == 0) return;
  Translate(m_points, m_nPoints, CSize(delta.x, delta.y));
  CDrawObj::MoveBy(delta, bInvalidate);
}

BOOL CDrawPoly::Intersects(const CRect& rect) {
  CRect area = rect;
  area.NormalizeRect();
  if (m_nPoints <= 0) return FALSE;
  if (m_nPoints == 1) return area.PtInRect(m_points[0]);
  CRect box = m_position;
  box.NormalizeRect();
  box.InflateRect(GetExtraSize4LineWidth());
  GrowFlatBox(box);
  CRect meet;
  if (!meet.IntersectRect(&box, &area)) return FALSE;
  if (Covers(area, box)) return TRUE;
  if (!m_bPolyLine && m_nPoints >= 3) {
    // The inside is built for the rows of the area only.
    if (platform::Region::PolyPolygonMeetsRect(m_points, &m_nPoints, 1, ALTERNATE, area)) return TRUE;
  }
  return IntersectsLineSegment(area) > 0;
}

int CDrawPoly::IntersectsLineSegment(const CRect& rect) {
  CRect area = rect;
  area.NormalizeRect();
  const SIZE extra = GetExtraSize4LineWidth();
  // A polygon closes with a segment from its last point back to the first.
  const int segments = m_bPolyLine ? m_nPoints - 1 : m_nPoints;
  for (int i = 1; i <= segments; ++i) {
    const CPoint& from = m_points[i - 1];
    const CPoint& to = i == m_nPoints ? m_points[0] : m_points[i];
    CRect box(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y));
    box.InflateRect(extra);
    CRect meet;
    if (box.Height() == 0 || box.Width() == 0) {
      GrowFlatBox(box);
      if (meet.IntersectRect(&box, &area)) return i;
    } else if (meet.IntersectRect(&box, &area) && SegmentMeetsRect(from, to, m_logpen.lopnWidth.x, area)) {
      return i;
    }
  }
  return 0;
}

void CDrawPoly::MoveHandleTo(int handle, CPoint point, CDrawView* view) {
  if (handle < 1 || handle > m_nPoints || m_points[handle - 1] == point) return;
  m_points[handle - 1] = point;
  RecalcBounds(view, 1);
}

CDrawObj* CDrawPoly::Clone() { return CloneOrNull(*this); }

void CDrawPoly::FlipAndOffset(int bFlip, CPoint offset) {
  for (int i = 0; i < m_nPoints; ++i) {
    if (bFlip) m_points[i].y = -m_points[i].y;
    m_points[i] += offset;
  }
  CDrawObj::FlipAndOffset(bFlip, offset);
}

BOOL CDrawPoly::UserMayAddPoints() const { return TRUE; }

BOOL CDrawPoly::UserMayRemovePoints() const { return m_nPoints > 2; }

void CDrawPoly::AddPoint(const CPoint& point, CDrawView* view) {
  if (m_nPoints > 0 && m_points[m_nPoints - 1] == point) return;
  InsertPoint(m_nPoints, point, view);
}

int CDrawPoly::RecalcBounds(CDrawView* view, int bInvalidate) {
  if (m_nPoints <= 0) return 0;
  CRect bounds(m_points[0], m_points[0]);
  for (int i = 1; i < m_nPoints; ++i) {
    bounds.left = std::min(bounds.left, m_points[i].x);
    bounds.top = std::min(bounds.top, m_points[i].y);
    bounds.right = std::max(bounds.right, m_points[i].x);
    bounds.bottom = std::max(bounds.bottom, m_points[i].y);
  }
  if (bInvalidate) InvalidateIn(view);
  if (bounds == m_position) return 0;
  m_position = bounds;
  if (bInvalidate) InvalidateIn(view);
  return 1;
}

int CDrawPoly::InsertPoint(int index, const CPoint& point, CDrawView* view) {
  if (index < 0 || index > m_nPoints || m_nPoints >= kMaxPoints) return 0;
  // The larger array is had before anything is recorded, so that a failure
  // leaves neither the points nor the undo history changed.
  OwnedPoints grown;
  int capacity = m_nAllocPoints;
  if (m_nPoints >= m_nAllocPoints) {
    capacity = std::min(m_nAllocPoints + kGrowBy, kMaxPoints);
    grown.reset(NewPoints(capacity));
    if (!grown) return 0;
    std::copy(m_points, m_points + m_nPoints, grown.get());
  }
  // The point, and what a dynamic router lays again for the new outline,
  // are one undo step.
  CUndoRecordingScope recording(GetDocument());
  if (!recording.Begin(u"CURAddPolyPoint")) return 0;
  recording.BeginRouteChanges(m_pDiagram);
  if (!CURAddPolyPoint::RecordUndo(this, index)) return 0;
  if (grown) {
    DeletePoints(m_points);
    m_points = grown.release();
    m_nAllocPoints = capacity;
  }
  std::copy_backward(m_points + index, m_points + m_nPoints, m_points + m_nPoints + 1);
  m_points[index] = point;
  ++m_nPoints;
  RecalcBounds(view, 1);
  if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
  m_oldPosition = m_position;
  recording.End();
  return 1;
}

int CDrawPoly::RemovePoint(int index, CDrawView* view) {
  if (index < 0 || index >= m_nPoints) return 0;
  CUndoRecordingScope recording(GetDocument());
  if (!recording.Begin(u"CURRemovePolyPoint")) return 0;
  recording.BeginRouteChanges(m_pDiagram);
  if (!CURRemovePolyPoint::RecordUndo(this, index)) return 0;
  std::copy(m_points + index + 1, m_points + m_nPoints, m_points + index);
  --m_nPoints;
  RecalcBounds(view, 1);
  if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
  m_oldPosition = m_position;
  recording.End();
  return 1;
}
