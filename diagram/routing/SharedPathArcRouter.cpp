#include "diagram/routing/SharedPathArcRouter.h"

#include <algorithm>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawPort.h"

IMPLEMENT_DYNAMIC(SharedPathArcRouter, CellArcRouter)

namespace {

int Sign(int v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

std::vector<CPoint> PointsOf(CDrawArc* arc) {
  std::vector<CPoint> points;
  const int count = arc->GetHandleCount();
  points.reserve(static_cast<size_t>(std::max(count, 0)));
  for (int i = 1; i <= count; ++i) points.push_back(arc->GetHandle(i));
  return points;
}

// The end takes the connection point; a neighbour that shared the end's y
// (or x) takes the connection point's y (or x).
void PinEnd(CPoint& end, CPoint& neighbour, const CPoint& connection) {
  if (end.y == neighbour.y) neighbour.y = connection.y;
  if (end.x == neighbour.x) neighbour.x = connection.x;
  end = connection;
}

}  // namespace

SharedPathArcRouter::SharedPathArcRouter(CDiagram* diagram, AutoRouteOption* options)
    : CellArcRouter(diagram, options) {
  m_bOneWave = 0;
}

SharedPathArcRouter::~SharedPathArcRouter() { m_laid.clear(); }

int SharedPathArcRouter::Route(const CDrawList& objects) {
  m_laid.clear();
  // Laying one wire lays every complete wire of its source, so the pass
  // takes those out of the model with the listed ones: no wire's old shape
  // blocks its own new way, and none is left marked once it has moved.
  CDrawList wires(objects);
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    auto* arc = DYNAMIC_DOWNCAST(CDrawArc, objects.GetNext(pos));
    CDrawPort* source = (arc && arc->IsComplete()) ? arc->GetSrcOutPort() : nullptr;
    if (!source) continue;
    CDrawList net(10);
    source->GetDirectedArcs(1, net);
    for (POSITION at = net.GetHeadPosition(); at;) {
      auto* wire = static_cast<CDrawArc*>(net.GetNext(at));
      if (wire->IsComplete() && wire->GetDestInPort()) wires += wire;
    }
  }
  return CellArcRouter::Route(wires);
}

void SharedPathArcRouter::RemoveObj(CDrawObj* object) {
  m_laid.erase(std::remove_if(m_laid.begin(), m_laid.end(),
                              [object](const std::unique_ptr<LaidArc>& laid) { return laid->arc == object; }),
               m_laid.end());
  CellArcRouter::RemoveObj(object);
}

SharedPathArcRouter::LaidArc* SharedPathArcRouter::FindLaid(const CDrawArc* arc) const {
  for (const auto& laid : m_laid) {
    if (laid->arc == arc) return laid.get();
  }
  return nullptr;
}

int SharedPathArcRouter::Route(CDrawArc* arc) {
  if (!arc) return 0;
  if (FindLaid(arc)) return 1;
  if (!arc->IsComplete()) return 0;
  CDrawPort* srcPort = arc->GetSrcOutPort();
  if (!srcPort || !arc->GetDestInPort() || Columns() == 0) return CArcRouter::Route(arc);
  const CPoint src = srcPort->ConnectionPoint();

  // The complete wires of this source: those laid in this pass and those
  // still to lay.
  CDrawList wires(10);
  srcPort->GetDirectedArcs(1, wires);
  std::vector<const LaidArc*> laid;
  std::vector<CDrawArc*> toLay;
  for (POSITION pos = wires.GetHeadPosition(); pos;) {
    auto* wire = static_cast<CDrawArc*>(wires.GetNext(pos));
    if (!wire->IsComplete() || !wire->GetDestInPort()) continue;
    if (const LaidArc* record = FindLaid(wire)) {
      laid.push_back(record);
    } else {
      toLay.push_back(wire);
    }
  }

  D_ARRAY<CPoint> pins(1 + static_cast<int>(toLay.size()));
  D_ARRAY<PreferredDirection> directions(1 + static_cast<int>(toLay.size()));
  pins[0] = DocToCell(src);
  directions[0] = PrefDir(srcPort);
  ClearPinBlocks();
  SetPinBlock(pins[0], srcPort->GetDrawBlock());
  int pin = 1;
  for (auto it = toLay.rbegin(); it != toLay.rend(); ++it, ++pin) {
    CDrawPort* dstPort = (*it)->GetDestInPort();
    pins[pin] = DocToCell(dstPort->ConnectionPoint());
    directions[pin] = PrefDir(dstPort);
    SetPinBlock(pins[pin], dstPort->GetDrawBlock());
  }

  // The ways already laid for this source are where the search starts.
  CPtrList paths(10);
  for (const LaidArc* record : laid) {
    auto* path = new CPointList(10);
    for (const CPoint& point : PointsOf(record->arc)) {
      CPoint cell = DocToCell(point);
      path->AddHead(cell);
    }
    paths.AddTail(path);
  }
  const INT_PTR before = paths.GetCount();
  addWire(pins, directions, &paths);
  ClearPinBlocks();

  bool given = false;
  INT_PTR index = 0;
  while (!paths.IsEmpty()) {
    std::unique_ptr<CPointList> path(static_cast<CPointList*>(paths.RemoveHead()));
    if (index++ < before || path->IsEmpty()) continue;
    const CPoint first = path->GetHead();
    auto match = std::find_if(toLay.begin(), toLay.end(), [&](CDrawArc* wire) {
      return DocToCell(wire->GetDestInPort()->ConnectionPoint()) == first;
    });
    if (match == toLay.end()) continue;
    CDrawArc* wire = *match;
    toLay.erase(match);
    const CPoint dst = wire->GetDestInPort()->ConnectionPoint();
    std::vector<CPoint> points = BuildPoints(*path, src, dst, laid, !toLay.empty());
    wire->ReRoute(points.data(), static_cast<int>(points.size()));
    m_addedObjects += wire;
    auto record = std::make_unique<LaidArc>();
    record->arc = wire;
    for (POSITION pos = path->GetHeadPosition(); pos;) {
      CPoint cell = path->GetNext(pos);
      record->path.AddTail(cell);
    }
    laid.push_back(record.get());
    m_laid.push_back(std::move(record));
    if (wire == arc) given = true;
  }
  if (given) return 1;
  return CArcRouter::Route(arc);
}

std::vector<CPoint> SharedPathArcRouter::BuildPoints(CPointList& path, const CPoint& src, const CPoint& dst,
                                                     const std::vector<const LaidArc*>& laid,
                                                     bool moreToLay) const {
  // Corner cells from the source end (index 0) to the destination end.
  std::vector<CPoint> cells;
  cells.reserve(static_cast<size_t>(path.GetCount()));
  for (POSITION pos = path.GetTailPosition(); pos;) cells.push_back(path.GetPrev(pos));

  std::vector<CPoint> points;
  if (cells.size() <= 2) {
    points.push_back(src);
    if (cells.size() == 2 && src.x != dst.x && src.y != dst.y) {
      // A dog-leg one cell from the destination cell toward the source.
      const CPoint srcCell = cells.front();
      const CPoint dstCell = cells.back();
      CPoint a;
      CPoint b;
      if (srcCell.x == dstCell.x) {
        const CPoint near(dstCell.x, dstCell.y + Sign(srcCell.y - dstCell.y));
        const int y = CellToDoc(near).y;
        a = CPoint(src.x, y);
        b = CPoint(dst.x, y);
      } else {
        const CPoint near(dstCell.x + Sign(srcCell.x - dstCell.x), dstCell.y);
        const int x = CellToDoc(near).x;
        a = CPoint(x, src.y);
        b = CPoint(x, dst.y);
      }
      points.push_back(a);
      points.push_back(b);
      if (moreToLay) {
        // Just before the source end: the tail of the list.
        // From the destination end: b, then a, then the source end.
        CPoint cellB = DocToCell(b);
        CPoint cellA = DocToCell(a);
        path.InsertBefore(path.GetTailPosition(), cellB);
        path.InsertBefore(path.GetTailPosition(), cellA);
      }
    }
    points.push_back(dst);
    return points;
  }

  // Each laid wire's points, from its source end.
  std::vector<std::vector<CPoint>> laidPoints;
  laidPoints.reserve(laid.size());
  for (const LaidArc* record : laid) laidPoints.push_back(PointsOf(record->arc));

  bool matching = !laidPoints.empty();
  points.push_back(CellToDoc(cells[0]));
  for (size_t i = 1; i < cells.size(); ++i) {
    if (matching) {
      bool found = false;
      for (const std::vector<CPoint>& other : laidPoints) {
        if (i < other.size() && DocToCell(other[i]) == cells[i]) {
          points.push_back(other[i]);
          found = true;
          break;
        }
      }
      if (found) continue;
      // The junction: the branch leaves the shared stretch from a point on
      // the earlier wire's segment.
      matching = false;
      CPoint junction = CellToDoc(cells[i]);
      if (cells[i].x == cells[i - 1].x) {
        junction.x = points.back().x;
      } else if (cells[i].y == cells[i - 1].y) {
        junction.y = points.back().y;
      }
      points.push_back(junction);
      continue;
    }
    points.push_back(CellToDoc(cells[i]));
  }

  if (matching && points.back() != dst) {
    // The shared way runs right up to the destination: reach it orthogonally.
    const CPoint last = cells.back();
    const CPoint previous = cells[cells.size() - 2];
    CPoint inserted;
    if (last.x == previous.x) {
      const int y = CellToDoc(CPoint(last.x, last.y + Sign(previous.y - last.y))).y;
      points.back().y = y;
      inserted = CPoint(dst.x, y);
    } else {
      const int x = CellToDoc(CPoint(last.x + Sign(previous.x - last.x), last.y)).x;
      points.back().x = x;
      inserted = CPoint(x, dst.y);
    }
    points.push_back(inserted);
    points.push_back(dst);
    if (moreToLay) {
      CPoint insertedCell = DocToCell(inserted);
      CPoint dstCell = DocToCell(dst);
      path.AddHead(insertedCell);
      path.AddHead(dstCell);
    }
  }

  PinEnd(points.front(), points[1], src);
  PinEnd(points.back(), points[points.size() - 2], dst);
  return points;
}
