// The two edges a corner command (chamfer, fillet, oblique undercut) takes
// from its clicks: of the entities found at a click, the first acceptable one
// becomes the first edge, and another one the second. One click may give
// both (the corner where two edges meet) when `bothAtOnce` is set and the
// first edge lies in the command's group; otherwise the click stops at the
// first edge it takes.
#pragma once

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Geometry2D.h"

namespace edit {

template <class Accepts>
void TakeClickedEdges(const CEntityList& found, const GPoint& at, bool bothAtOnce, const CDrawingGroup* group,
                      Accepts accepts, CEntity*& first, GPoint& pick1, CEntity*& second, GPoint& pick2) {
  for (CEntity* e : found) {
    if (!accepts(e)) continue;
    if (!first) {
      first = e;
      pick1 = at;
      if (!bothAtOnce || e->GetEntityGroup() != group) break;
    } else if (e != first) {
      if (second) break;
      second = e;
      pick2 = at;
      break;
    }
  }
}

}  // namespace edit
