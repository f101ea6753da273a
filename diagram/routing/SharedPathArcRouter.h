// SharedPathArcRouter: the cell router run in its shared-path mode. All
// wires that leave one source port are laid together as one tree: each new
// wire branches off the ways already laid for that source, so the wires of
// one net share their common stretches instead of running side by side.
#pragma once

#include <memory>
#include <vector>

#include "diagram/routing/CellArcRouter.h"

class SharedPathArcRouter : public CellArcRouter {
  DECLARE_DYNAMIC(SharedPathArcRouter)

 public:
  SharedPathArcRouter(CDiagram* diagram, AutoRouteOption* options);
  ~SharedPathArcRouter() override;

  // A routing pass that starts with no wire laid, over the listed wires and
  // the other complete wires of their sources.
  int Route(const CDrawList& objects) override;
  // Lays the wire together with every other complete wire of its source
  // port; 1 when the wire was laid now or earlier in this pass.
  int Route(CDrawArc* arc) override;
  // A removed wire also leaves the list of wires laid in this pass.
  void RemoveObj(CDrawObj* object) override;

  // Whether the wire was laid in the current pass.
  bool IsLaid(const CDrawArc* arc) const { return FindLaid(arc) != nullptr; }
  int LaidCount() const { return static_cast<int>(m_laid.size()); }

 private:
  // A wire laid in the current pass and its way as corner cells, from the
  // destination end to the source end.
  struct LaidArc {
    CDrawArc* arc = nullptr;
    CPointList path{10};
    int bLaid = 1;
  };

  LaidArc* FindLaid(const CDrawArc* arc) const;
  // The wire's points built from a found path (destination end first),
  // reusing the exact points of the wires of this source laid before.
  // `moreToLay` says whether cells added to the path still matter.
  std::vector<CPoint> BuildPoints(CPointList& path, const CPoint& src, const CPoint& dst,
                                  const std::vector<const LaidArc*>& laid, bool moreToLay) const;

  std::vector<std::unique_ptr<LaidArc>> m_laid;
};
