#include "draft/host/GroupTable.h"

std::vector<CDrawingGroup*> CGroupTable::GetGroupList() const {
  std::vector<CDrawingGroup*> out;
  for (const auto& g : groups_) out.push_back(g.get());
  return out;
}

CDrawingGroup* CGroupTable::FindGroup(const char* name) const {
  if (!name) return nullptr;
  const auto found = byName_.find(name);
  return found == byName_.end() ? nullptr : found->second;
}

CDrawingGroup* CGroupTable::AddGroup(const char* name, double scale, double originX, double originY) {
  if (!name || !*name) return nullptr;
  if (CDrawingGroup* existing = FindGroup(name)) return existing;
  groups_.push_back(std::make_unique<CDrawingGroup>(name, scale, originX, originY));
  byName_[name] = groups_.back().get();
  return groups_.back().get();
}

CDrawingGroup* CGroupTable::AddGroup(const char* name, double scale, int pickedWhole, double originX, double originY,
                                     const CDrawingGroup* after) {
  if (!name || !*name) return nullptr;
  if (CDrawingGroup* existing = FindGroup(name)) return existing;
  auto group = std::make_unique<CDrawingGroup>(name, scale, originX, originY);
  group->SetGroupPickedWhole(pickedWhole ? TRUE : FALSE);
  auto at = groups_.end();
  if (after)
    for (auto it = groups_.begin(); it != groups_.end(); ++it)
      if (it->get() == after) at = it + 1;
  CDrawingGroup* added = groups_.insert(at, std::move(group))->get();
  byName_[name] = added;
  return added;
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

CDrawingGroup* AddGroup(CGroupTable* table, const char* name, double scale, int flagA, int pickedWhole, int flagC,
                        const CDrawingGroup* after) {
  if (!table || !name || !*name) return nullptr;
  if (CDrawingGroup* known = table->FindGroup(name)) return known;
  CDrawingGroup* group = table->AddGroup(name, scale, pickedWhole, 0.0, 0.0, after);
  if (group) {
    group->SetFlagA(flagA);
    group->SetFlagC(flagC);
  }
  return group;
}

BOOL SetActiveGroup(CGroupTable* table, CDrawingGroup* group) { return table ? table->SetActiveGroup(group) : FALSE; }
