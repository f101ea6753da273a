#include "draft/host/BlockEntity.h"

#include "draft/host/EntityList.h"

CBlockEntity::CBlockEntity(int layer, CDrawingGroup* group) : CEntity(layer, group) {}

CBlockEntity::CBlockEntity(const CBlockEntity& other) : CEntity(other) {
  for (const auto& m : other.members_) {
    CEntity* copy = m->Clone(1);
    if (copy) AddMember(copy);
  }
}

CBlockEntity::~CBlockEntity() = default;

CEntity* CBlockEntity::Clone(int) const { return new CBlockEntity(*this); }

int CBlockEntity::GetGeometry(double*) const { return 0; }

BOOL CBlockEntity::AddMember(CEntity* member) {
  if (!member || member == this || member->GetEntityOwner()) return FALSE;
  member->SetEntityOwner(this);
  members_.emplace_back(member);
  return TRUE;
}

void CBlockEntity::GetPieces(ShapePieces& out) const {
  for (const auto& m : members_) m->GetPieces(out);
}

void CBlockEntity::ListInto(CEntityList& out) const {
  CEntity::ListInto(out);
  for (const auto& m : members_) m->ListInto(out);
}

BOOL CBlockEntity::RemoveBlockMember(CEntity* member) {
  for (auto it = members_.begin(); it != members_.end(); ++it) {
    if (it->get() == member) {
      it->release();
      members_.erase(it);
      member->SetEntityOwner(nullptr);
      return TRUE;
    }
  }
  return FALSE;
}

CEntity* CBlockEntity::FindFirstTextMember() const {
  for (const auto& m : members_) {
    if (m->IsText()) return m.get();
    if (m->IsBlock())
      if (CEntity* t = static_cast<const CBlockEntity*>(m.get())->FindFirstTextMember()) return t;
  }
  return nullptr;
}

void CBlockEntity::ApplyTransform(const EntityTransform& t) {
  for (const auto& m : members_) m->ApplyTransform(t);
}

void CBlockEntity::RebaseGroup(CDrawingGroup*, CDrawingGroup* to) {
  for (const auto& m : members_) m->SetEntityGroup(to);
}

CBlockEntity* ConstructBlockEntity(int layer, CDrawingGroup* group) { return new CBlockEntity(layer, group); }
