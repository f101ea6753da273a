#include "draft/host/GroupTable.h"

std::vector<CDrawingGroup*> CGroupTable::GetGroupList() const {
  std::vector<CDrawingGroup*> out;
  for (const auto& g : groups_) out.push_back(g.get());
  return out;
}

CDrawingGroup* CGroupTable::FindGroup(const char* name) const {
  if (!name) return nullptr;
  for (const auto& g : groups_)
    if (g->GetGroupName() == name) return g.get();
  return nullptr;
}

CDrawingGroup* CGroupTable::AddGroup(const char* name, double scale, double originX, double originY) {
  if (!name || !*name) return nullptr;
  if (CDrawingGroup* existing = FindGroup(name)) return existing;
  groups_.push_back(std::make_unique<CDrawingGroup>(name, scale, originX, originY));
  return groups_.back().get();
}

CDrawingGroup* CGroupTable::AddGroup(const char* name, double scale, int pickedWhole, double originX, double originY,
                                     const CDrawingGroup* after) {
  if (!name || !*name) return nullptr;
  if (CDrawingGroup* existing = FindGroup(name)) return existing;
  auto group = std::make_unique<CDrawingGroup>(name, scale, originX, originY);
  group->SetGroupPickedWhole(pickedWhole ? TRUE : FALSE);
  auto at = groups_.end();
  for (auto it = groups_.begin(); it != groups_.end(); ++it)
    if (it->get() == after) at = it + 1;
  return groups_.insert(at, std::move(group))->get();
}

BOOL CGroupTable::SetActiveGroup(CDrawingGroup* group) {
  if (group) {
    bool known = false;
    for (const auto& g : groups_) known = known || g.get() == group;
    if (!known) return FALSE;
  }
  active_ = group;
  return TRUE;
}

BOOL CGroupTable::SetActiveGroupByName(const char* name) {
  CDrawingGroup* g = FindGroup(name);
  return g ? SetActiveGroup(g) : FALSE;
}
