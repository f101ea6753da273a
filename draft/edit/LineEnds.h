// The two ends of a line entity as points, for the commands that work on
// lines' geometry (undercuts, end chamfers).
#pragma once

#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"

namespace edit {

struct LineEnds {
  GPoint a, b;
};

inline LineEnds EndsOf(const CEntity* line) {
  double v[kMaxGeometryValues] = {};
  line->GetGeometry(v);
  return {{v[0], v[1]}, {v[2], v[3]}};
}

}  // namespace edit
