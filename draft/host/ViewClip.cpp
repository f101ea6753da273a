// The view's clip operations: the drawing walked once, each entity cut by
// the clipping core.
#include <algorithm>
#include <cmath>
#include <vector>

#include "draft/host/ClipRegion.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"

int CDraftView::ClipByRegion(const CClipRegion& region, CEntityList& made, CEntityList& replaced, int state,
                             int copies) {
  const bool keepInside = state == 1;
  bool any = false;
  for (CEntity* e : entities_) {
    if (IsKeptApart(e)) continue;
    std::vector<CEntity*> pieces;
    const ClipOutcome outcome = ClipEntity(*e, region, keepInside, pieces);
    if (copies) {
      if (outcome == ClipOutcome::kUnchanged) pieces.push_back(e->Clone());
    } else if (outcome != ClipOutcome::kUnchanged) {
      replaced.AddTail(e);
      any = true;
    }
    for (CEntity* p : pieces) made.AddTail(p);
    any = any || !pieces.empty();
  }
  return any ? 1 : 0;
}

int CDraftView::ClipByCircle(CEntityList& made, CEntityList& replaced, int state, double cx, double cy, double r,
                             int copies) {
  if (!(r > tressil::kGeomTolerance)) return 0;
  return ClipByRegion(CCircleClipRegion({cx, cy}, r), made, replaced, state, copies);
}

int CDraftView::ClipByRectangle(CEntityList& made, CEntityList& replaced, int state, double x0, double y0, double x1,
                                double y1) {
  if (std::fabs(x1 - x0) <= tressil::kGeomTolerance || std::fabs(y1 - y0) <= tressil::kGeomTolerance) return 0;
  return ClipByRegion(CRectClipRegion({x0, y0}, {x1, y1}), made, replaced, state, 0);
}

void CDraftView::SetClipRect(double x0, double y0, double x1, double y1) {
  clipRect_[0] = std::min(x0, x1);
  clipRect_[1] = std::min(y0, y1);
  clipRect_[2] = std::max(x0, x1);
  clipRect_[3] = std::max(y0, y1);
}
