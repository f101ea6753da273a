#include "draft/host/GroupServices.h"

#include <memory>
#include <unordered_map>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"

namespace {
// A prepared entity sits in a copy of its group as the group was; the copy
// lives while prepared entities use it.
struct Snapshot {
  CDrawingGroup* group;
  std::unique_ptr<CDrawingGroup> copy;
  int users = 0;
};

std::unordered_map<const CDrawingGroup*, Snapshot>& SnapshotsByCopy() {
  static std::unordered_map<const CDrawingGroup*, Snapshot> snapshots;
  return snapshots;
}

std::unordered_map<const CDrawingGroup*, const CDrawingGroup*>& CopyOfGroup() {
  static std::unordered_map<const CDrawingGroup*, const CDrawingGroup*> copies;
  return copies;
}
}  // namespace

int AssignGroup(CEntity* entity, CDrawingGroup* group) {
  if (!entity) return FALSE;
  entity->SetEntityGroup(group);
  return TRUE;
}

int CollectGroupMembers(CDraftView* view, const CDrawingGroup* group, CEntityList& list) {
  if (!view) return 0;
  int n = 0;
  for (CEntityList* source : {view->GetEntityList(), view->GetSelectionList()})
    for (CEntity* e : *source)
      if (e && e->GetEntityGroup() == group && !view->IsKeptApart(e)) {
        list.AddTail(e);
        ++n;
      }
  return n;
}

void PrepareGroupChange(CEntity* entity) {
  if (!entity || !entity->GetEntityGroup()) return;
  CDrawingGroup* group = entity->GetEntityGroup();
  if (SnapshotsByCopy().count(group)) return;  // prepared already
  const CDrawingGroup* copy;
  auto found = CopyOfGroup().find(group);
  if (found != CopyOfGroup().end()) {
    copy = found->second;
  } else {
    auto made = std::make_unique<CDrawingGroup>(group->GetGroupName().GetString(), group->GetGroupScale(),
                                                group->GetOriginX(), group->GetOriginY());
    copy = made.get();
    SnapshotsByCopy()[copy] = Snapshot{group, std::move(made), 0};
    CopyOfGroup()[group] = copy;
  }
  Snapshot& s = SnapshotsByCopy()[copy];
  ++s.users;
  entity->SetEntityGroup(s.copy.get());
}

void ApplyGroupChange(CEntity* entity) {
  if (!entity) return;
  auto found = SnapshotsByCopy().find(entity->GetEntityGroup());
  if (found == SnapshotsByCopy().end()) return;
  Snapshot& s = found->second;
  entity->SetEntityGroup(s.group);
  if (--s.users > 0) return;
  CopyOfGroup().erase(s.group);
  SnapshotsByCopy().erase(found);
}

int ChangeGroup(CEntity* entity, CDrawingGroup* group) {
  if (!entity) return FALSE;
  if (SnapshotsByCopy().count(entity->GetEntityGroup())) {
    ApplyGroupChange(entity);
    entity->SetEntityGroup(group);
    return TRUE;
  }
  // Keeping the group coordinates: the shown entity moves from where the
  // old group shows a point p to where the new one shows it, a similarity
  // of the scale ratio.
  const CDrawingGroup* from = entity->GetEntityGroup();
  const double s0 = GetGroupScale(from), s1 = GetGroupScale(group);
  const GPoint o0 = from ? GPoint{from->GetOriginX(), from->GetOriginY()} : GPoint{};
  const GPoint o1 = group ? GPoint{group->GetOriginX(), group->GetOriginY()} : GPoint{};
  entity->SetEntityGroup(group);
  const double k = s1 / s0;
  const double dx = o1.x + s1 * (o0.x - o1.x) - o0.x, dy = o1.y + s1 * (o0.y - o1.y) - o0.y;
  if (k != 1.0 || dx != 0.0 || dy != 0.0) entity->Transform(dx, dy, o0.x, o0.y, k, 0.0, 0);
  return TRUE;
}
