// CDraftView: picking entities at a point and in a window.
#include <algorithm>
#include <cmath>

#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"

namespace {
DWORD KindBit(EntityKind kind) {
  switch (kind) {
    case EntityKind::kPoint: return kPickPoint;
    case EntityKind::kText: return kPickText;
    case EntityKind::kLine: return kPickLine;
    case EntityKind::kCircle: return kPickCircle;
    case EntityKind::kArc: return kPickArc;
    case EntityKind::kEllipse: return kPickEllipse;
    case EntityKind::kBlock: return kPickBlock;
    case EntityKind::kTwoPoint: return kPickTwoPoint;
    case EntityKind::kTable: return kPickTable;
  }
  return 0;
}

// The entity or, when members are offered (option o4 or mask bit 0x400000),
// the basic members of a compound, nested compounds opened too.
void Expand(CEntity* e, bool members, std::vector<CEntity*>& out) {
  if (members && e->IsBlock()) {
    auto* block = static_cast<CBlockEntity*>(e);
    for (int i = 0; i < block->GetMemberCount(); ++i) Expand(block->GetMember(i), true, out);
    return;
  }
  out.push_back(e);
}
}  // namespace

bool CDraftView::Pickable(const CEntity* e, DWORD mask, int filter) const {
  if (mask != 0 && !(mask & (kPickOrdinary | kPickEverything)) && !(mask & KindBit(e->GetKind()))) return false;
  if (filter == -1) return true;
  if (filter_.dimensionOnly) {
    // A dimension, or a member of one when members are offered.
    const CEntity* owner = e->GetEntityOwner();
    return e->IsDimension() || (owner && owner->IsDimension());
  }
  if (!filter_.groupName.IsEmpty()) {
    const CDrawingGroup* g = e->GetEntityGroup();
    return g && g->GetGroupName() == filter_.groupName;
  }
  return true;
}

void CDraftView::Candidates(int o1, int o3, std::vector<CEntity*>& out) const {
  if (o3) {
    for (CEntity* e : selection_)
      if (!IsRegistered(e)) out.push_back(e);
    return;
  }
  for (CEntity* e : entities_) out.push_back(e);
  if (o1)
    for (CEntity* e : selection_)
      if (!IsKeptApart(e)) out.push_back(e);  // a selected member comes with its block
}

BOOL CDraftView::PickEntitiesAtPoint(double x, double y, CEntityList& out, int o1, int o2, int o3, int o4, DWORD mask,
                                     int filter) {
  std::vector<CEntity*> pool, expanded;
  Candidates(o1, o3, pool);
  for (CEntity* e : pool) Expand(e, o4 != 0 || (mask & kPickEverything) != 0, expanded);
  const double aperture = GetPickAperture();
  std::vector<std::pair<double, CEntity*>> hits;
  for (CEntity* e : expanded) {
    if (!Pickable(e, mask, filter)) continue;
    const double d = e->DistanceTo({x, y});
    if (d <= aperture) hits.emplace_back(d, e);
  }
  if (o2) std::stable_sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& h : hits) out.AddTail(h.second);
  return hits.empty() ? FALSE : TRUE;
}

BOOL CDraftView::PickEntitiesInWindow(double x1, double y1, double x2, double y2, CEntityList& out, int o1, int,
                                      int o3, int o4, DWORD mask, int filter) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return FALSE;
  const int test = x1 <= x2 ? 0 : 1;  // window: wholly inside; crossing: touching
  std::vector<CEntity*> pool, expanded;
  Candidates(o1, o3, pool);
  for (CEntity* e : pool) Expand(e, o4 != 0 || (mask & kPickEverything) != 0, expanded);
  bool found = false;
  for (CEntity* e : expanded) {
    if (!Pickable(e, mask, filter)) continue;
    // A text counts by its whole box here, not by its insertion point.
    const BOOL in = e->IsText() ? e->CEntity::IsInRectangle(x1, y1, x2, y2, test) : e->IsInRectangle(x1, y1, x2, y2, test);
    if (in) {
      out.AddTail(e);
      found = true;
    }
  }
  return found ? TRUE : FALSE;
}
