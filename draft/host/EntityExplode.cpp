// CEntity: breaking compound entities into their parts by the explode type.
#include "draft/host/BlockEntity.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"

namespace {
// Whether the type lets this compound break.
bool BreaksUnder(const CEntity& e, int type) {
  if (!e.IsBlock()) return false;
  if (e.IsKeptWhole()) return (type & kExplodeKeptWhole) != 0;
  if (e.IsCompoundCurve()) return (type & kExplodeCurves) != 0;
  return (type & kExplodeBlocks) != 0;
}
}  // namespace

BOOL CEntity::HasExplodeOptions1() const {
  if (!IsBlock() || IsKeptWhole() || IsCompoundCurve()) return FALSE;
  const auto* block = static_cast<const CBlockEntity*>(this);
  for (int i = 0; i < block->GetMemberCount(); ++i)
    if (block->GetMember(i)->IsBlock()) return TRUE;
  return FALSE;
}

BOOL CEntity::HasExplodeOptions2() const { return IsBlock() && IsKeptWhole() ? TRUE : FALSE; }

BOOL CEntity::ExplodeByType(CEntityList& parts, int type) const {
  if (!BreaksUnder(*this, type)) return FALSE;
  CEntityList members;
  ExplodeInto(1, members, 0, 0, 0);
  CEntityList made;
  try {
    for (CEntity* m : members) {
      if ((type & kExplodeNested) && m->IsBlock() && m->ExplodeByType(made, type)) continue;
      if (CEntity* copy = m->Clone(1)) made.AddTail(copy);
    }
  } catch (...) {
    for (CEntity* e : made) delete e;
    throw;
  }
  parts.AddTail(made);
  return TRUE;
}
