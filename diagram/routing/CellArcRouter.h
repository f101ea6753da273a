// CellArcRouter: lays wires by a breadth-first maze search over a grid of
// square cells (ROUTE) whose pitch is the minimum distance between wires. It
// maps document coordinates to cells and back, turns obstacles into blocked
// cells (a horizontal line blocks only sideways travel, a vertical one only
// up-and-down travel, so wires may cross at right angles) and turns a found
// cell path into the wire's points.
#pragma once

#include <utility>
#include <vector>

#include "diagram/model/canvas/ArcRouter.h"
#include "diagram/routing/Route.h"

class CDrawBlock;
class CDrawPort;

class CellArcRouter : public CArcRouter, public ROUTE {
  DECLARE_DYNAMIC(CellArcRouter)

 public:
  CellArcRouter(CDiagram* diagram, AutoRouteOption* options);
  ~CellArcRouter() override;

  // Builds the grid over the canvas (asking first when it needs more than
  // 10 MB), then marks the objects. 0 when the grid is refused or cannot be
  // allocated.
  int Init(const CDrawList& objects) override;
  void Clear() override;
  int Route(CDrawArc* arc) override;
  using CArcRouter::Route;
  void MarkAsFree(CRect rect) override;
  void MarkRectAsUsed(CRect rect, int bCollectAffected) override;
  void MarkLineAsUsed(CPoint p1, CPoint p2, CSize extent, int bCollectAffected) override;

  // The bytes the grid of columns x rows cells is estimated to need.
  static int64_t MemoryEstimate(int columns, int rows);

  CPoint DocToCell(const CPoint& point) const;
  CRect DocToCell(CRect& rect) const;
  CPoint CellToDoc(const CPoint& cell) const;
  static PreferredDirection PrefDir(CDrawPort* port);

 protected:
  // A wire must not cross the interior of a block other than its pins' own:
  // a tunnel or corridor through one is refused, so a pin whose only way out
  // or in runs through another block fails like any wire without a way.
  bool MayTunnelThrough(const CPoint& cell, const CPoint& pin) override;
  // The blocks of the pins of the search about to run (by pin cell), whose
  // own interiors their tunnels may cross; ClearPinBlocks forgets them.
  void SetPinBlock(const CPoint& pin, const CDrawBlock* block) { m_pinBlocks.emplace_back(pin, block); }
  void ClearPinBlocks() { m_pinBlocks.clear(); }

  int m_nNegOriginX = 0;
  int m_nOriginY = 0;
  int m_nStep = 0;
  int m_bUpward = 1;

 private:
  std::vector<std::pair<CPoint, const CDrawBlock*>> m_pinBlocks;
};
