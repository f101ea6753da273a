// A drawing's entities read back as plain values, for tests to compare.
#pragma once

#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"

namespace drafttest {

// The geometry values of `e` (GetGeometry), as many as it gives.
inline std::vector<double> Geometry(const CEntity* e) {
  double v[kMaxGeometryValues];
  const int n = e->GetGeometry(v);
  return std::vector<double>(v, v + n);
}

// The entities of `list`, in its order.
inline std::vector<CEntity*> Items(const CEntityList& list) {
  std::vector<CEntity*> out;
  for (CEntity* e : list) out.push_back(e);
  return out;
}

}  // namespace drafttest
