#include "diagram/model/objects/DrawRect.h"

#include <algorithm>

#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/SegmentHit.h"
#include "diagram/model/objects/ShapeTools.h"
#include "diagram/model/document/ViewLink.h"
#include "diagram/model/undo/URObject.h"
#include "diagram/model/undo/UndoRecordingScope.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Rgn.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

IMPLEMENT_SERIAL(CDrawRect, CDrawObj, 0)

namespace {

constexpr int kLineEndHandle = 5;
constexpr int kRoundnessHandle = 9;
// The roundness handle keeps this far from the right and top edges.
constexpr int kRoundnessMargin = 8;
// The smallest side of a rounded rectangle whose region is tested.
constexpr int kSmallestRoundSide = 3;

bool Covers(const CRect& outer, const CRect& inner) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

}  // namespace

CDrawRect::CDrawRect() : m_nShape(rectangle), m_roundness(16, 16) {}

CDrawRect::CDrawRect(const CRect& position, Shape shape)
    : CDrawObj(position), m_nShape(shape), m_roundness(16, 16) {
  // A line has no inside for its outline to keep within.
  if (shape == line) m_logpen.lopnStyle = PS_SOLID;
}

CDrawRect::CDrawRect(const CDrawRect& other)
    : CDrawObj(other), m_nShape(other.m_nShape), m_roundness(other.m_roundness) {}

CDrawRect::~CDrawRect() = default;

void CDrawRect::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(m_nShape);
    ar << m_roundness;
    return;
  }
  WORD shape = 0;
  ar >> shape;
  if (shape > line) AfxThrowArchiveException(CArchiveException::genericException);
  m_nShape = static_cast<Shape>(shape);
  ar >> m_roundness;
  // Older streams kept lines with the inside-frame pen, which a line cannot
  // have.
  if (GetArchiveStreamVersion(ar) < 13 && m_nShape == line && m_logpen.lopnStyle == PS_INSIDEFRAME) {
    m_logpen.lopnStyle = PS_SOLID;
  }
}

int CDrawRect::GetHandleCount() const {
  switch (m_nShape) {
    case line: return 2;
    case roundRectangle: return 9;
    default: return CDrawObj::GetHandleCount();
  }
}

CPoint CDrawRect::GetHandle(int handle) {
  if (m_nShape == line && handle == 2) handle = kLineEndHandle;
  if (m_nShape != roundRectangle || handle != kRoundnessHandle) return CDrawObj::GetHandle(handle);
  // Inside the corner at the top right, in the diagram's own direction.
  const CRect& r = m_position;
  const int x = std::max(r.left, r.right) - m_roundness.x / 2;
  const bool upward = !m_pDiagram || m_pDiagram->IsUpwardPositive();
  const int y = upward ? std::max(r.top, r.bottom) - m_roundness.y / 2 : std::min(r.top, r.bottom) + m_roundness.y / 2;
  return CPoint(x, y);
}

HCURSOR CDrawRect::GetHandleCursor(int handle) const {
  if (m_nShape == line || (m_nShape == roundRectangle && handle == kRoundnessHandle)) {
    return ::LoadCursor(nullptr, IDC_SIZEALL);
  }
  return CDrawObj::GetHandleCursor(handle);
}

SIZE CDrawRect::GetExtraSize4LineWidth() {
  // An inside-frame outline lies within the rectangle.
  if (m_nShape != line && m_logpen.lopnStyle == PS_INSIDEFRAME) return SIZE{0, 0};
  return SIZE{(m_logpen.lopnWidth.x + 1) / 2, (m_logpen.lopnWidth.y + 1) / 2};
}

CMenu* CDrawRect::GetPopupMenu(CDrawView* view, CPoint) { return view ? viewlink::PopupMenu(view, 1) : nullptr; }

void CDrawRect::Draw(CDC* dc) {
  const ShapeTools tools(dc, ShapeStyle{m_logpen, m_bPen, m_bBrush, m_logbrush.lbColor, m_bHatch, GetHatchStyle(),
                                        m_crHatch});
  if (!tools.Ready()) return;
  switch (m_nShape) {
    case rectangle: dc->Rectangle(&m_position); break;
    case roundRectangle: dc->RoundRect(&m_position, m_roundness); break;
    case ellipse: dc->Ellipse(&m_position); break;
    case line:
      dc->MoveTo(m_position.left, m_position.top);
      dc->LineTo(m_position.right, m_position.bottom);
      break;
  }
}

BOOL CDrawRect::Intersects(const CRect& rect) {
  CRect box = m_position;
  box.NormalizeRect();
  box.InflateRect(GetExtraSize4LineWidth());
  Shape shape = m_nShape;
  // A flat box gets a unit on either side and is tested as a rectangle.
  if (box.Height() == 0) {
    box.InflateRect(0, 1);
    shape = rectangle;
  }
  if (box.Width() == 0) {
    box.InflateRect(1, 0);
    shape = rectangle;
  }
  CRect meet;
  if (!meet.IntersectRect(&box, &rect)) return FALSE;
  if (Covers(rect, box)) return TRUE;
  CRgn region;
  switch (shape) {
    case roundRectangle:
      box.bottom = std::max(box.bottom, box.top + kSmallestRoundSide);
      box.right = std::max(box.right, box.left + kSmallestRoundSide);
      if (!region.CreateRoundRectRgn(box.left, box.top, box.right, box.bottom, m_roundness.x, m_roundness.y)) {
        return TRUE;  // too large for a region: the boxes meet
      }
      return region.RectInRegion(&rect);
    case ellipse:
      if (!region.CreateEllipticRgnIndirect(&box)) return TRUE;
      return region.RectInRegion(&rect);
    case line:
      return SegmentMeetsRect(CPoint(m_position.left, m_position.top), CPoint(m_position.right, m_position.bottom),
                              m_logpen.lopnWidth.x, rect);
    default:
      return TRUE;
  }
}

void CDrawRect::MoveHandleTo(int handle, CPoint point, CDrawView* view) {
  if (m_nShape == line && handle == 2) handle = kLineEndHandle;
  if (m_nShape != roundRectangle) {
    CDrawObj::MoveHandleTo(handle, point, view);
    return;
  }
  if (handle != kRoundnessHandle) {
    // The corners follow the rectangle: the roundness is limited anew by
    // the new size.
    CDrawObj::MoveHandleTo(handle, point, view);
    point = GetHandle(kRoundnessHandle);
  }
  CRect r = m_position;
  r.NormalizeRect();
  int x = std::min<int>(point.x, r.right - kRoundnessMargin);
  x = std::max<int>(x, r.left + (r.right - r.left) / 2);
  m_roundness.x = (r.right - x) * 2;
  int y = point.y;
  if (m_pDiagram && !m_pDiagram->IsUpwardPositive()) {
    y = std::max<int>(y, r.top + kRoundnessMargin);
    y = std::min<int>(y, r.bottom - (r.bottom - r.top) / 2);
    m_roundness.y = (y - r.top) * 2;
  } else {
    y = std::min<int>(y, r.bottom - kRoundnessMargin);
    y = std::max<int>(y, r.top + (r.bottom - r.top) / 2);
    m_roundness.y = (r.bottom - y) * 2;
  }
  SetDiagramModified();
  InvalidateIn(view);
}

CDrawObj* CDrawRect::Clone() { return CloneOrNull(*this); }

int CDrawRect::InitializeReshaping(int handle) {
  if (m_nShape != roundRectangle || handle < 1 || handle > 8) return CDrawObj::InitializeReshaping(handle);
  // A size handle of a rounded rectangle clamps the roundness to the new
  // size, which growing again does not undo: the roundness handle is
  // recorded first, so that an undo puts it back after the size.
  CUndoRecordingScope recording(GetDocument());
  if (!recording.Begin(u"CURReshaping")) return 0;
  if (!CURReshaping::RecordUndo(this, 9)) return 0;
  if (!CDrawObj::InitializeReshaping(handle)) return 0;
  recording.End();
  return 1;
}
