#include "diagram/model/blocks/DrawArc.h"

#include <algorithm>
#include <cstdlib>

#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/ShapeTools.h"
#include "diagram/model/objects/TextFont.h"
#include "diagram/model/undo/URArc.h"
#include "diagram/model/undo/URObject.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

IMPLEMENT_SERIAL(CDrawArc, CDrawPoly, 0)

namespace {

// The most page crossings a wire reports when it draws or measures itself.
constexpr int kMaxCrossPoints = 300;

bool IsVertical(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y != b.y; }
bool IsHorizontal(const CPoint& a, const CPoint& b) { return a.y == b.y && a.x != b.x; }
bool IsDegenerate(const CPoint& a, const CPoint& b) { return a == b; }

}  // namespace

CDrawArc::CDrawArc() : m_bComplete(FALSE), m_pSrcPort(nullptr), m_pDestPort(nullptr), m_bReopened(FALSE) {
  m_bPolyLine = TRUE;
}

CDrawArc::CDrawArc(const CDrawArc& other)
    : CDrawPoly(other),
      m_bComplete(other.m_bComplete),
      m_pSrcPort(other.m_pSrcPort),
      m_pDestPort(other.m_pDestPort),
      m_bReopened(other.m_bReopened) {}

CDrawArc::~CDrawArc() {
  if (m_drawState != drawStateDeleted) {
    if (m_pSrcPort) m_pSrcPort->RemoveArc(this, 0);
    if (m_pDestPort) m_pDestPort->RemoveArc(this, 0);
  }
  LeaveArcTool();
}

void CDrawArc::LeaveArcTool() { viewlink::ForgetArc(this); }

void CDrawArc::Serialize(CArchive& ar) {
  CDrawPoly::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteObject(m_pSrcPort);
    ar.WriteObject(m_pDestPort);
    return;
  }
  m_bComplete = FALSE;
  auto* document = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  // Every port belongs to a block; one that a damaged stream made on its
  // own goes to the load failures, which free it, at once, so that it is
  // freed even when the rest of the record cannot be read.
  bool owned = true;
  auto readPort = [&]() {
    auto* port = static_cast<CDrawPort*>(ar.ReadObject(RUNTIME_CLASS(CDrawPort)));
    if (port && !port->GetDrawBlock()) {
      owned = false;
      if (document) document->AddLoadFailure(port);
    }
    return port;
  };
  m_pSrcPort = nullptr;
  m_pDestPort = nullptr;
  CDrawPort* src = readPort();
  CDrawPort* dst = readPort();
  m_pSrcPort = src;
  m_pDestPort = dst;
  // A wire joins two different ports; one that cannot is left to the
  // document's load failures.
  if (owned && m_pSrcPort && m_pDestPort && m_pSrcPort != m_pDestPort && m_pSrcPort->AddArc(this, FALSE)) {
    m_bComplete = TRUE;
    m_pDestPort->AddArc(this, FALSE);
    return;
  }
  if (m_pSrcPort) m_pSrcPort->RemoveArc(this, TRUE);
  if (m_pDestPort) m_pDestPort->RemoveArc(this, TRUE);
  // The wire keeps no pointer to a port it is not attached to.
  m_pSrcPort = nullptr;
  m_pDestPort = nullptr;
  if (document) document->AddLoadFailure(this);
}

HCURSOR CDrawArc::GetHandleCursor(int handle) const {
  if (m_nPoints > 0 && (handle == 1 || handle == m_nPoints)) {
    const CPoint& end = m_points[handle - 1];
    if (m_pSrcPort && end == m_pSrcPort->ConnectionPoint()) return ::LoadCursor(nullptr, IDC_SIZENWSE);
    if (m_pDestPort && end == m_pDestPort->ConnectionPoint()) return ::LoadCursor(nullptr, IDC_SIZENESW);
  }
  return CDrawPoly::GetHandleCursor(handle);
}

BOOL CDrawArc::Groupable() const { return FALSE; }
BOOL CDrawArc::Copyable() const { return FALSE; }

CRect CDrawArc::GetDraggingRect() {
  if (m_nPoints <= 0) return CRect(0, 0, 0, 0);
  // The ends stay on their ports, and so do the bends that only slide
  // along an orthogonal end segment.
  int first = 0;
  int last = m_nPoints - 1;
  if (m_nPoints >= 3) {
    const CPoint* p = m_points;
    const int n = m_nPoints;
    first = (IsVertical(p[0], p[1]) || IsHorizontal(p[0], p[1])) ? 2 : 1;
    last = (IsVertical(p[n - 2], p[n - 1]) || IsHorizontal(p[n - 2], p[n - 1])) ? n - 3 : n - 2;
  }
  // A wire whose bends all slide along its end segments has nothing that
  // moves freely: its rectangle is the point of its first bend.
  if (first > last) first = last = 1;
  CRect bounds(m_points[first], m_points[first]);
  for (int i = first + 1; i <= last; ++i) {
    bounds.left = std::min(bounds.left, m_points[i].x);
    bounds.top = std::min(bounds.top, m_points[i].y);
    bounds.right = std::max(bounds.right, m_points[i].x);
    bounds.bottom = std::max(bounds.bottom, m_points[i].y);
  }
  return bounds;
}

void CDrawArc::Draw(CDC* dc) {
  if (m_nPoints > 0) {
    const ShapeTools tools(dc, ShapeStyle{m_logpen, m_bPen, m_bBrush, m_logbrush.lbColor, m_bHatch, GetHatchStyle(),
                                          m_crHatch});
    if (tools.Ready()) {
      // A printer of a 16-bit drawing layer cannot take long lines: vertical
      // and horizontal segments go in steps of half the clip box.
      const bool inSteps = dc->IsPrinting() && viewlink::IsGdi16Bit();
      CRect clip;
      if (inSteps) {
        dc->GetClipBox(&clip);
        clip.NormalizeRect();
      }
      dc->MoveTo(m_points[0]);
      for (int i = 1; i < m_nPoints; ++i) {
        const CPoint& from = m_points[i - 1];
        const CPoint& to = m_points[i];
        if (!inSteps || !(IsVertical(from, to) || IsHorizontal(from, to))) {
          dc->LineTo(to);
          continue;
        }
        const bool vertical = IsVertical(from, to);
        const long long step = std::max(1, (vertical ? clip.Height() : clip.Width()) / 2);
        CPoint at = from;
        while (at != to) {
          if (vertical) {
            const long long left = static_cast<long long>(to.y) - at.y;
            at.y += static_cast<int>(std::clamp(left, -step, step));
          } else {
            const long long left = static_cast<long long>(to.x) - at.x;
            at.x += static_cast<int>(std::clamp(left, -step, step));
          }
          dc->LineTo(at);
        }
      }
    }
  }
  if (!m_pDiagram || !m_pDiagram->AreCrossLabelsOn()) return;
  CrossPoint crossings[kMaxCrossPoints];
  int count = GetCrossPoint(crossings, kMaxCrossPoints);
  // A wire with more crossings than the records hold labels those that fit.
  if (count < 0) count = kMaxCrossPoints;
  if (count == 0) return;
  if (dc->IsPrinting()) {
    // The diagram numbers the crossings of the printed pages and draws them
    // after every object.
    m_pDiagram->AddCrossPoint(crossings, count);
    return;
  }
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  CFont font;
  font.CreateFontIndirect(&defaultLogFont);
  CFont* oldFont = dc->SelectObject(&font);
  const BOOL upward = m_pDiagram->IsUpwardPositive();
  for (int i = count - 1; i >= 0; --i) ::DrawCrossLabel(dc, crossings[i], upward, -1, TRUE);
  dc->SelectObject(oldFont);
  dc->SetBkMode(oldMode);
}

void CDrawArc::MoveTo(const CRect& position, CDrawView*) {
  MoveBy(CPoint(position.left - m_position.left, position.top - m_position.top), TRUE);
}

void CDrawArc::MoveBy(CPoint delta, int bInvalidate) {
  if ((delta.x == 0 && delta.y == 0) || m_nPoints <= 2) return;
  CPoint* p = m_points;
  const int n = m_nPoints;
  const int dx = delta.x;
  const int dy = delta.y;
  if (n == 3) {
    // One bend between two fixed ends: it moves only where both of its
    // segments stay orthogonal.
    int dxMoved = IsVertical(p[0], p[1]) ? 0 : dx;
    int dyMoved = IsHorizontal(p[0], p[1]) ? 0 : dy;
    if (IsVertical(p[1], p[2])) {
      p[1].y += dyMoved;
    } else {
      if (IsHorizontal(p[1], p[2])) dyMoved = 0;
      p[1].x += dxMoved;
      p[1].y += dyMoved;
    }
  } else {
    // The bends next to the ends slide along the end segments; the inner
    // points move freely.
    auto slide = [dx, dy](const CPoint& end, CPoint& bend, const CPoint& beyond) {
      if (IsVertical(end, bend)) {
        bend.y += dy;
      } else if (IsHorizontal(end, bend)) {
        bend.x += dx;
      } else if (IsDegenerate(end, bend)) {
        if (IsHorizontal(bend, beyond)) {
          bend.y += dy;
        } else if (IsVertical(bend, beyond)) {
          bend.x += dx;
        } else if (IsDegenerate(bend, beyond)) {
          bend.x += dx;
          bend.y += dy;
        }
      }
    };
    const CPoint firstBeyond = p[2];
    const CPoint lastBeyond = p[n - 3];
    slide(p[0], p[1], firstBeyond);
    slide(p[n - 1], p[n - 2], lastBeyond);
    for (int i = 2; i <= n - 3; ++i) {
      p[i].x += dx;
      p[i].y += dy;
    }
  }
  RecalcBounds(nullptr, bInvalidate);
  if (bInvalidate && m_pDiagram) {
    m_pDiagram->UpdateObject(this, 1);
    m_oldPosition = m_position;
  }
}

void CDrawArc::MoveHandleTo(int handle, CPoint point, CDrawView* view) {
  if (handle < 1 || handle > m_nPoints || m_points[handle - 1] == point) return;
  m_points[handle - 1] = point;
  RecalcBounds(view, TRUE);
}

void CDrawArc::ForcePointOnCanvas(CPoint& point) const {
  if (!m_pDiagram) return;
  m_pDiagram->ForcePointOnDiagram(point);
  const CSize extra((m_logpen.lopnWidth.x + 1) / 2, (m_logpen.lopnWidth.y + 1) / 2);
  CRect inside = m_pDiagram->GetRect();
  inside.NormalizeRect();
  inside.DeflateRect(extra);
  point.x = std::clamp(point.x, inside.left, std::max(inside.left, inside.right));
  point.y = std::clamp(point.y, inside.top, std::max(inside.top, inside.bottom));
}

void CDrawArc::FlagsMoveHandleTo(int handle, CPoint point, CDrawView* view, UINT flags) {
  if (handle < 1 || handle > m_nPoints) return;
  ForcePointOnCanvas(point);
  const int i = handle - 1;
  const int n = m_nPoints;
  CPoint* p = m_points;
  if (p[i] == point) return;

  if (m_bComplete && (i == 0 || i == n - 1)) {
    // An end pulled off its port: the wire tool takes the loose end.
    CDrawPort* port = nullptr;
    if (m_pSrcPort && p[i] == m_pSrcPort->ConnectionPoint()) {
      port = m_pSrcPort;
    } else if (m_pDestPort && p[i] == m_pDestPort->ConnectionPoint()) {
      port = m_pDestPort;
    }
    if (port) {
      if (!viewlink::UnFinishArc(this, port)) return;
      m_bReopened = TRUE;
      CDiagram* diagram = m_pDiagram;
      if (diagram) {
        diagram->UpdateObject(this, 1);
        diagram->EndDynamicRouteChanges();
      }
      if (!CDiagram::m_bCaptureArcCreation) {
        if (view) viewlink::ReleaseCapture(view);
        if (CDrawDoc* document = GetDocument()) document->EndUndoRecording();
      }
      return;
    }
  }

  if (static_cast<int>(flags & 0xC) == CDiagram::m_nArcFlags4OrthogonalLines) {
    if (!m_bComplete) {
      // The segment being drawn snaps to horizontal or vertical.
      if (i > 0) {
        const CPoint& previous = p[i - 1];
        if (std::abs(point.y - previous.y) < std::abs(point.x - previous.x)) {
          point.y = previous.y;
        } else {
          point.x = previous.x;
        }
      }
    } else {
      // The directions of the moved point's segments before the move; the
      // end segments may decide them instead.
      enum Direction { unknown, vertical, horizontal };
      Direction next = unknown;
      if (i == 1) {
        if (std::abs(point.y - p[0].y) < std::abs(point.x - p[0].x)) {
          point.y = p[0].y;
          if (n == 3) point.x = p[2].x;
          next = vertical;
        } else {
          point.x = p[0].x;
          if (n == 3) point.y = p[2].y;
          next = horizontal;
        }
      } else {
        if (i == n - 2) {
          if (std::abs(point.y - p[n - 1].y) < std::abs(point.x - p[n - 1].x)) {
            point.y = p[n - 1].y;
            next = horizontal;
          } else {
            point.x = p[n - 1].x;
            next = vertical;
          }
        }
        if (i > 1) {
          CPoint& previous = p[i - 1];
          if (IsVertical(previous, p[i])) {
            previous.x = point.x;
          } else if (IsHorizontal(previous, p[i])) {
            previous.y = point.y;
          } else if (IsDegenerate(previous, p[i])) {
            const CPoint& before = p[i - 2];
            if (IsVertical(before, previous)) {
              previous.y = point.y;
            } else if (IsHorizontal(before, previous)) {
              previous.x = point.x;
            }
          }
        }
      }
      if (i >= 1 && i < n - 2) {
        CPoint& following = p[i + 1];
        if (next == unknown) {
          if (IsVertical(p[i], following)) {
            next = vertical;
          } else if (IsHorizontal(p[i], following)) {
            next = horizontal;
          }
        }
        if (next == vertical) {
          following.x = point.x;
        } else if (next == horizontal) {
          following.y = point.y;
        } else if (IsDegenerate(p[i], following)) {
          const CPoint& after = p[i + 2];
          if (IsVertical(following, after)) {
            following.y = point.y;
          } else if (IsHorizontal(following, after)) {
            following.x = point.x;
          }
        }
      }
    }
  }
  p[i] = point;
  RecalcBounds(view, TRUE);
}

void CDrawArc::FinalizeDrawing(CRect position, CDrawView* view, int flag) {
  MoveTo(position, view);
  CDrawPoly::FinalizeDrawing(m_position, view, flag);
}

CDrawObj* CDrawArc::Clone() { return nullptr; }

int CDrawArc::Delete() {
  if (!m_pDiagram) {
    delete this;
    return 1;
  }
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"Delete Arc", 255)) return 0;
  if (document && document->IsDeleteContentsInProgress()) {
    document->EndUndoRecording();
    delete this;
    return 1;
  }
  CDrawPort* src = m_pSrcPort;
  CDrawPort* dst = m_pDestPort;
  // When nothing is kept for undo the base destroys the wire, whose
  // destructor then leaves the ports itself.
  const bool destroyed = IsUndoBeingDiscarded() && !CURDeleteObj::IsReferenced(this);
  // A refused delete record leaves the wire on the canvas, on its ports and
  // in the arc tool, and the caller is told. A destroyed wire leaves the
  // tool in its destructor.
  const int deleted = CDrawObj::Delete();
  if (deleted && !destroyed) {
    if (!m_bComplete) LeaveArcTool();
    if (src) src->RemoveArc(this, TRUE);
    if (dst) dst->RemoveArc(this, TRUE);
  }
  if (document) document->EndUndoRecording();
  return deleted ? 1 : 0;
}

int CDrawArc::UnDelete() {
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"UnDelete Arc", 255)) return 0;
  if (!CDrawObj::UnDelete()) {
    if (document) document->EndUndoRecording();
    return 0;
  }
  if (!m_bComplete) viewlink::ResumeArc(this);
  m_bComplete = FALSE;
  if (m_pSrcPort) m_pSrcPort->AddArc(this, TRUE);
  if (m_pDestPort) {
    if (m_pSrcPort) m_bComplete = TRUE;
    m_pDestPort->AddArc(this, TRUE);
  }
  if (document) document->EndUndoRecording();
  return 1;
}

int CDrawArc::InitializeRepositioning() {
  if (!CURArcReroute::RecordUndo(this)) return 0;
  InitializeDrawing(nullptr);
  return 1;
}

int CDrawArc::InitializeReshaping(int handle) {
  if (m_nPoints > 0 && (handle == 1 || handle == m_nPoints)) {
    // Detaching an end is recorded by the wire tool.
    const CPoint& end = m_points[handle - 1];
    if ((m_pSrcPort && end == m_pSrcPort->ConnectionPoint()) || (m_pDestPort && end == m_pDestPort->ConnectionPoint()))
      return 1;
  }
  return InitializeRepositioning();
}

int CDrawArc::RecalcBounds(CDrawView* view, int bInvalidate) {
  if (m_nPoints <= 0) return 0;
  CRect bounds(m_points[0], m_points[0]);
  for (int i = 1; i < m_nPoints; ++i) {
    bounds.left = std::min(bounds.left, m_points[i].x);
    bounds.top = std::min(bounds.top, m_points[i].y);
    bounds.right = std::max(bounds.right, m_points[i].x);
    bounds.bottom = std::max(bounds.bottom, m_points[i].y);
  }
  if (m_pDiagram && m_pDiagram->AreCrossLabelsOn()) {
    CrossPoint crossings[kMaxCrossPoints];
    int count = GetCrossPoint(crossings, kMaxCrossPoints);
    if (count < 0) count = kMaxCrossPoints;
    // Each crossing's labels stand beside it.
    for (int k = 0; k < count; ++k) {
      const CrossPoint& c = crossings[k];
      const CRect box = c.nKind == 1 ? CRect(c.x - 40, c.y - 10, c.x + 40, c.y + 20)
                                     : CRect(c.x - 40, c.y - 20, c.x + 10, c.y + 20);
      bounds.left = std::min(bounds.left, box.left);
      bounds.top = std::min(bounds.top, box.top);
      bounds.right = std::max(bounds.right, box.right);
      bounds.bottom = std::max(bounds.bottom, box.bottom);
    }
  }
  if (bInvalidate) InvalidateIn(view);
  if (bounds == m_position) return 0;
  m_position = bounds;
  if (bInvalidate) InvalidateIn(view);
  return 1;
}

int CDrawArc::RemovePoint(int index, CDrawView* view) {
  if (!m_bComplete) return CDrawPoly::RemovePoint(index, view);
  // A complete wire keeps both ends on their ports: the bend next to an end
  // goes instead.
  if (m_nPoints < 3) return 0;
  if (index <= 0) {
    index = 1;
  } else if (index > m_nPoints - 2) {
    index = m_nPoints - 2;
  }
  return CDrawPoly::RemovePoint(index, view);
}

int CDrawArc::Initialize(CDrawPort* src, CDrawPort* dst, int bInvalidate) {
  if (!IsArcAllowedBetween(src, dst)) return 0;
  CPoint* points = NewPoints(2);
  if (!points) return 0;
  points[0] = src->ConnectionPoint();
  points[1] = dst->ConnectionPoint();
  DeletePoints(m_points);
  m_points = points;
  m_nPoints = 2;
  m_nAllocPoints = 2;
  // The bounds of the points, as every later change of the points gives
  // them, so that an undo or redo of a change stores the same rectangle.
  m_position = CRect(points[0], points[1]);
  m_position.NormalizeRect();
  m_bPolyLine = TRUE;
  m_bReopened = FALSE;
  m_bComplete = FALSE;
  m_pSrcPort = src;
  if (!src->AddArc(this, bInvalidate)) {
    m_pSrcPort = nullptr;
    return 0;
  }
  if (!dst->CanCompleteArc(this)) {
    src->RemoveArc(this, bInvalidate);
    m_pSrcPort = nullptr;
    return 0;
  }
  m_bComplete = TRUE;
  m_pDestPort = dst;
  if (!dst->AddArc(this, bInvalidate)) {
    m_bComplete = FALSE;
    m_pDestPort = nullptr;
    src->RemoveArc(this, bInvalidate);
    m_pSrcPort = nullptr;
    return 0;
  }
  CDrawGroup* group = src->GetGroup();
  if (group && group == dst->GetGroup()) group->Add(this);
  return 1;
}

int CDrawArc::GetCrossPoint(CrossPoint* out, int max) {
  if (!m_pDiagram) return 0;
  const CSize page = m_pDiagram->GetPageSize();
  const CSize pages = m_pDiagram->GetCanvasSize();
  const CRect canvas = m_pDiagram->GetRect();
  const int across = pages.cx;
  const int down = pages.cy;
  const long long cx = page.cx;
  // Row boundaries lie at top - k * cy in either y direction.
  const long long cy = m_pDiagram->IsUpwardPositive() ? page.cy : -static_cast<long long>(page.cy);
  if ((across <= 1 && down <= 1) || cx == 0 || cy == 0) return 0;
  const long long left = canvas.left;
  const long long top = canvas.top;

  int count = 0;
  auto add = [&](int kind, long long x, long long y, long long first, long long second) {
    if (!out) {
      ++count;
      return true;
    }
    if (count >= max) return false;
    out[count++] = CrossPoint{kind, static_cast<int>(x), static_cast<int>(y), static_cast<int>(first),
                              static_cast<int>(second)};
    return true;
  };
  for (int k = 1; k < m_nPoints; ++k) {
    const CPoint& a = m_points[k - 1];
    const CPoint& b = m_points[k];
    if (a.x != b.x) {
      const CPoint& l = a.x < b.x ? a : b;
      const CPoint& r = a.x < b.x ? b : a;
      for (int j = 1; j < across; ++j) {
        const long long x = left + j * cx;
        if (x < l.x || x > r.x) continue;
        const double slope = static_cast<double>(r.y - l.y) / static_cast<double>(r.x - l.x);
        const long long y = l.y + static_cast<long long>(slope * static_cast<double>(x - l.x));
        const long long row = std::llabs((y - top) / cy);
        if (!add(1, x, y, row * across + j + 1, row * across + j)) return -1;
      }
    }
    if (a.y != b.y) {
      const CPoint& hi = a.y > b.y ? a : b;
      const CPoint& lo = a.y > b.y ? b : a;
      for (int i = 1; i < down; ++i) {
        const long long y = top - i * cy;
        if (y < lo.y || y > hi.y) continue;
        const double slope = static_cast<double>(lo.x - hi.x) / static_cast<double>(lo.y - hi.y);
        const long long x = hi.x + static_cast<long long>(slope * static_cast<double>(y - hi.y));
        const long long column = (x - left) / cx;
        if (!add(0, x, y, i * across + column + 1, (i - 1) * across + column + 1)) return -1;
      }
    }
  }
  return count;
}

void CDrawArc::MovePortConnectionBy(CDrawPort* port, CPoint delta, CDrawView* view, int bInvalidate) {
  if (!port || (port != m_pSrcPort && port != m_pDestPort) || m_nPoints <= 0) return;
  CPoint* p = m_points;
  const int n = m_nPoints;
  const CPoint old = port->ConnectionPoint() - CSize(delta.x, delta.y);
  // The moving end, its neighbour and the point beyond (indices).
  int end;
  int step;
  if (old == p[0]) {
    end = 0;
    step = 1;
  } else if (old == p[n - 1]) {
    end = n - 1;
    step = -1;
  } else {
    // The port changed its size rather than its place: when it still spans
    // its starting extent across, the last end follows half the change of
    // its bottom edge.
    const CRect& now = port->GetPosition();
    const CRect& start = port->GetStartPosition();
    const bool nested = (now.left > start.left && now.right < start.right) ||
                        (start.left > now.left && start.right < now.right);
    if (!nested) return;
    end = n - 1;
    step = -1;
    delta = CPoint(0, (now.bottom - start.bottom) / 2);
  }
  if (n > 2) {
    const CPoint& e = p[end];
    CPoint& neighbour = p[end + step];
    const CPoint& beyond = p[end + 2 * step];
    if (IsVertical(e, neighbour)) {
      neighbour.x += delta.x;
    } else if (IsHorizontal(e, neighbour)) {
      neighbour.y += delta.y;
    } else if (IsDegenerate(e, neighbour)) {
      if (IsHorizontal(neighbour, beyond)) {
        neighbour.x += delta.x;
      } else if (IsVertical(neighbour, beyond)) {
        neighbour.y += delta.y;
      }
    }
  }
  p[end] += CSize(delta.x, delta.y);
  RecalcBounds(view, bInvalidate);
  if (bInvalidate && m_pDiagram) {
    m_pDiagram->UpdateObject(this, 1);
    m_oldPosition = m_position;
  }
}

BOOL CDrawArc::IsArcAllowedBetween(const CDrawPort* src, const CDrawPort* dst) {
  if (!src || !dst || src == dst) return FALSE;
  const ArcConnectionType from = src->CanConnectArc();
  if (from == arcConnectNone || from == arcConnectDestination) return FALSE;
  const ArcConnectionType to = dst->CanConnectArc();
  if (to == arcConnectNone || to == arcConnectSource) return FALSE;
  return TRUE;
}

bool CDrawArc::CarryWhole(const std::vector<CPoint>& points, CPoint delta) {
  if (static_cast<size_t>(m_nPoints) != points.size()) return false;
  for (int i = 0; i < m_nPoints; ++i) m_points[i] = points[static_cast<size_t>(i)] + delta;
  RecalcBounds(nullptr, FALSE);
  return true;
}

int CDrawArc::ReRoute(const CPoint* points, int count) {
  if (!m_pSrcPort || !m_pDestPort || !points || count < 2 || count > kMaxPoints) return 0;
  const CPoint src = m_pSrcPort->ConnectionPoint();
  const CPoint dst = m_pDestPort->ConnectionPoint();
  const CPoint& first = points[0];
  const CPoint& last = points[count - 1];
  // The path joins the two ports in either direction.
  if (first == src) {
    if (last != dst) return 0;
  } else if (first != dst || last != src) {
    return 0;
  }
  CPoint* copy = NewPoints(count);
  if (!copy) return 0;
  if (!CURArcReroute::RecordUndo(this)) {
    DeletePoints(copy);
    return 0;
  }
  std::copy(points, points + count, copy);
  DeletePoints(m_points);
  m_points = copy;
  m_nPoints = count;
  m_nAllocPoints = count;
  m_oldPosition = m_position;
  RecalcBounds(nullptr, TRUE);
  if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
  m_oldPosition = m_position;
  return 1;
}

int CDrawArc::EndPointsAreInList(const CDrawList* list) const {
  return list && list->Find(m_pSrcPort) && list->Find(m_pDestPort);
}

void CDrawArc::ReversePointOrder() { std::reverse(m_points, m_points + m_nPoints); }
