#include "diagram/routing/CellArcRouter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/AutoRouteOption.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/MsgBox.h"

IMPLEMENT_DYNAMIC(CellArcRouter, CArcRouter)

namespace {

// Above this estimate the user is asked before the grid is built.
constexpr int64_t kAskAbove = 0xA00000;

}  // namespace

CellArcRouter::CellArcRouter(CDiagram* diagram, AutoRouteOption* options) : CArcRouter(diagram, options) {}

CellArcRouter::~CellArcRouter() { Reset(); }

int64_t CellArcRouter::MemoryEstimate(int columns, int rows) {
  return (static_cast<int64_t>(columns) + 2) * rows * 2 + 20;
}

int CellArcRouter::Init(const CDrawList& objects) {
  if (m_bInitialised) Clear();
  const int step = std::max(1, m_pOptions ? m_pOptions->m_nMinDistance : 10);
  const int upward = m_pDiagram->IsUpwardPositive() ? 1 : 0;
  const CRect r = m_pDiagram->GetRect();

  CPoint origin(r.left, r.top);
  CDiagram::SnapPointToGrid(origin, CSize(step, step));
  if (origin.x > r.left) origin.x -= step;
  if (upward) {
    if (origin.y < r.top) origin.y += step;
  } else if (origin.y > r.top) {
    origin.y -= step;
  }
  CPoint corner(r.right, r.bottom);
  CDiagram::SnapPointToGrid(corner, CSize(step, step));
  if (corner.x < r.right) corner.x += step;
  if (upward) {
    if (corner.y > r.bottom) corner.y -= step;
  } else if (corner.y < r.bottom) {
    corner.y += step;
  }

  const int64_t columns = (static_cast<int64_t>(corner.x) - origin.x) / step + 1;
  const int64_t rows = std::llabs(static_cast<int64_t>(origin.y) - corner.y) / step + 1;
  const int64_t estimate = MemoryEstimate(static_cast<int>(std::min<int64_t>(columns, INT32_MAX - 2)),
                                          static_cast<int>(std::min<int64_t>(rows, INT32_MAX)));
  if (estimate > kAskAbove) {
    char16_t megabytes[32];
    const long long mb = static_cast<long long>(estimate / 1024 / 1024);
    char narrow[32];
    std::snprintf(narrow, sizeof narrow, "%lld", mb);
    int i = 0;
    for (; narrow[i]; ++i) megabytes[i] = static_cast<char16_t>(narrow[i]);
    megabytes[i] = 0;
    if (!CMsgBox::Confirm(3, megabytes)) {
      CMsgBox::Notify(7);
      ROUTE::Reset();
      m_bInitialised = 0;
      return 0;
    }
  }
  if (columns > INT32_MAX || rows > INT32_MAX || !ROUTE::Init(static_cast<int>(columns), static_cast<int>(rows))) {
    m_bInitialised = 0;
    return 0;
  }
  m_nNegOriginX = -origin.x;
  m_nOriginY = origin.y;
  m_nStep = step;
  m_bUpward = upward;
  return CArcRouter::Init(objects);
}

void CellArcRouter::Clear() {
  ROUTE::Reset();
  CArcRouter::Clear();
}

CPoint CellArcRouter::DocToCell(const CPoint& point) const {
  // A point before the first row or column comes out negative, outside
  // the grid, on either side of the origin.
  const int64_t dx = static_cast<int64_t>(point.x) + m_nNegOriginX;
  const int64_t dy =
      m_bUpward ? static_cast<int64_t>(m_nOriginY) - point.y : static_cast<int64_t>(point.y) - m_nOriginY;
  const int64_t half = m_nStep / 2;
  const int64_t column = (dx + half) / m_nStep;
  const int64_t row = (dy + half) / m_nStep;
  return CPoint(static_cast<int>(std::clamp<int64_t>(column, INT32_MIN / 2, INT32_MAX / 2)),
                static_cast<int>(std::clamp<int64_t>(row, INT32_MIN / 2, INT32_MAX / 2)));
}

CRect CellArcRouter::DocToCell(CRect& rect) const {
  const CPoint a = DocToCell(rect.TopLeft());
  const CPoint b = DocToCell(rect.BottomRight());
  CRect cells(a, b);
  cells.NormalizeRect();
  return cells;
}

CPoint CellArcRouter::CellToDoc(const CPoint& cell) const {
  const int x = -m_nNegOriginX + cell.x * m_nStep;
  const int y = m_bUpward ? m_nOriginY - cell.y * m_nStep : m_nOriginY + cell.y * m_nStep;
  return CPoint(x, y);
}

PreferredDirection CellArcRouter::PrefDir(CDrawPort* port) {
  switch (static_cast<int>(port->PreferredArcDirection())) {
    case 2:
      return kPrefRight;
    case 4:
      return kPrefUp;
    case 8:
      return kPrefDown;
    default:
      return kPrefLeft;
  }
}

void CellArcRouter::MarkRectAsUsed(CRect rect, int bCollectAffected) {
  if (Columns() > 0) {
    const CRect cells = DocToCell(rect);
    addBadRect(cells.left, cells.top, cells.right, cells.bottom);
  }
  CArcRouter::MarkRectAsUsed(rect, bCollectAffected);
}

void CellArcRouter::MarkAsFree(CRect rect) {
  if (Columns() > 0) {
    const CRect cells = DocToCell(rect);
    addGoodRect(cells.left, cells.top, cells.right, cells.bottom);
  }
  CArcRouter::MarkAsFree(rect);
}

void CellArcRouter::MarkLineAsUsed(CPoint p1, CPoint p2, CSize extent, int bCollectAffected) {
  const int64_t dx = std::llabs(static_cast<int64_t>(p1.x) - p2.x);
  const int64_t dy = std::llabs(static_cast<int64_t>(p1.y) - p2.y);
  const int64_t two = 2 * static_cast<int64_t>(m_nStep);
  CRect rect(p1, p2);
  rect.NormalizeRect();
  if (extent.cx > 0) {
    rect.left -= extent.cx - 1;
    rect.right += extent.cx;
  }
  if (extent.cy > 0) {
    if (m_bUpward) {
      rect.top -= extent.cy;
      rect.bottom += extent.cy - 1;
    } else {
      rect.top -= extent.cy - 1;
      rect.bottom += extent.cy;
    }
  }
  if (dx < two && dy < two) {
    MarkRectAsUsed(rect, bCollectAffected);
    return;
  }
  if (Columns() > 0) {
    const CRect cells = DocToCell(rect);
    const int64_t m = std::max(m_nStep, 4);
    if (dx >= two && dy <= m * dx) {
      // A slanted line blocks nothing in the grid.
      if (dy >= two && dx <= m * dy) return;
      for (int row = std::max(cells.top, 0); row <= std::min(cells.bottom, Rows() - 1); ++row)
        addBadHLine(row, cells.left, cells.right);
    }
    if (dx < two || dy > m * dx) {
      for (int column = std::max(cells.left, 0); column <= std::min(cells.right, Columns() - 1); ++column)
        addBadVLine(column, cells.top, cells.bottom);
    }
  }
  CArcRouter::MarkRectAsUsed(rect, bCollectAffected);
}

bool CellArcRouter::MayTunnelThrough(const CPoint& cell, const CPoint& pin) {
  const CPoint at = CellToDoc(cell);
  const CDrawBlock* own = nullptr;
  for (const auto& [pinCell, block] : m_pinBlocks) {
    if (pinCell == pin) own = block;
  }
  CDrawList found(10);
  m_pDiagram->GetObjectsInRect(CRect(at.x - 1, at.y - 1, at.x + 1, at.y + 1), found);
  for (POSITION pos = found.GetHeadPosition(); pos;) {
    auto* block = DYNAMIC_DOWNCAST(CDrawBlock, found.GetNext(pos));
    if (!block || block == own) continue;
    CRect r = block->GetPosition();
    r.NormalizeRect();
    if (at.x > r.left && at.x < r.right && at.y > r.top && at.y < r.bottom) return false;
  }
  return true;
}

int CellArcRouter::Route(CDrawArc* arc) {
  if (!arc || !arc->IsComplete()) return 0;
  CDrawPort* srcPort = arc->GetSrcOutPort();
  CDrawPort* dstPort = arc->GetDestInPort();
  if (!srcPort || !dstPort || Columns() == 0) return CArcRouter::Route(arc);
  const CPoint src = srcPort->ConnectionPoint();
  const CPoint dst = dstPort->ConnectionPoint();
  const CPoint srcCell = DocToCell(src);
  const CPoint dstCell = DocToCell(dst);

  D_ARRAY<CPoint> pins(2);
  D_ARRAY<PreferredDirection> directions(2);
  pins[0] = srcCell;
  pins[1] = dstCell;
  directions[0] = PrefDir(srcPort);
  directions[1] = PrefDir(dstPort);
  CPtrList paths(10);
  ClearPinBlocks();
  SetPinBlock(srcCell, srcPort->GetDrawBlock());
  SetPinBlock(dstCell, dstPort->GetDrawBlock());
  const int found = addWire(pins, directions, &paths);
  ClearPinBlocks();
  auto deletePaths = [&paths]() {
    while (!paths.IsEmpty()) delete static_cast<CPointList*>(paths.RemoveHead());
  };
  if (found != 1 || paths.GetCount() != 1) {
    deletePaths();
    return CArcRouter::Route(arc);
  }

  CPointList* path = static_cast<CPointList*>(paths.GetHead());
  std::vector<CPoint> points;
  if (path->GetCount() == 2) {
    points.push_back(src);
    if (src.x != dst.x && src.y != dst.y) {
      if (srcCell.x != dstCell.x) {
        const int midX = (src.x + dst.x) / 2;
        points.emplace_back(midX, src.y);
        points.emplace_back(midX, dst.y);
      } else {
        const int midY = (src.y + dst.y) / 2;
        points.emplace_back(src.x, midY);
        points.emplace_back(dst.x, midY);
      }
    }
    points.push_back(dst);
  } else {
    // The path runs from the target to the source; the wire from source to
    // destination.
    std::vector<CPoint> cells;
    for (POSITION pos = path->GetTailPosition(); pos;) cells.push_back(path->GetPrev(pos));
    if (cells.front() != srcCell) std::reverse(cells.begin(), cells.end());
    for (const CPoint& cell : cells) points.push_back(CellToDoc(cell));
    auto pinEnd = [](CPoint& end, CPoint& neighbour, const CPoint& connection) {
      if (end.y == neighbour.y) neighbour.y = connection.y;
      if (end.x == neighbour.x) neighbour.x = connection.x;
      end = connection;
    };
    pinEnd(points.front(), points[1], src);
    pinEnd(points.back(), points[points.size() - 2], dst);
  }
  deletePaths();
  arc->ReRoute(points.data(), static_cast<int>(points.size()));
  m_addedObjects += arc;
  return 1;
}
