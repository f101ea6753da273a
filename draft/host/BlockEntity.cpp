#include "draft/host/BlockEntity.h"

#include <algorithm>
#include <memory>

#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"

CBlockEntity::CBlockEntity(int layer, CDrawingGroup* group) : CEntity(layer, group) {}

CBlockEntity::CBlockEntity(const CBlockEntity& other) : CEntity(other) {
  for (const auto& m : other.members_) {
    CEntity* copy = m->Clone(1);
    if (copy) AddMember(copy);
  }
}

CBlockEntity::~CBlockEntity() = default;

CEntity* CBlockEntity::Clone(int) const { return new CBlockEntity(*this); }

namespace {
// Remakes the text members of `block` (nested blocks too) in place with the
// attributes; whether it held any.
bool RemakeTexts(CBlockEntity& block, const CTextAttrib& attr) {
  bool any = false;
  for (int i = 0; i < block.GetMemberCount(); ++i) {
    CEntity* member = block.GetMember(i);
    if (member->IsBlock()) {
      any = RemakeTexts(static_cast<CBlockEntity&>(*member), attr) || any;
      continue;
    }
    if (!member->IsText()) continue;
    std::unique_ptr<CEntity> remade(member->CloneWithTextAttrib(attr));
    if (!remade) continue;
    block.RemoveBlockMember(member);
    delete member;
    block.InsertMember(remade.release(), i);
    any = true;
  }
  return any;
}
}  // namespace

CEntity* CBlockEntity::CloneWithTextAttrib(const CTextAttrib& attr) const {
  std::unique_ptr<CEntity> copy(Clone(1));
  if (!copy || !copy->IsBlock() || !RemakeTexts(static_cast<CBlockEntity&>(*copy), attr)) return nullptr;
  return copy.release();
}

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

void CBlockEntity::GetShownShape(ShapePieces& out, ShownTexts& texts) const {
  for (const auto& m : members_) m->GetShownShape(out, texts);
}

void CBlockEntity::ListInto(CEntityList& out) const {
  CEntity::ListInto(out);
  for (const auto& m : members_) m->ListInto(out);
}

BOOL CBlockEntity::AddCurveSegment(double x1, double y1, double x2, double y2, int) {
  auto line = std::make_unique<CLineEntity>(GetEntityLayer(), GetEntityGroup(), x1, y1, x2, y2);
  if (!AddMember(line.get())) return FALSE;
  line.release();
  return TRUE;
}

int CBlockEntity::ExplodeInto(int, CEntityList& out, int, int, int) const {
  for (const auto& m : members_) out.AddTail(m.get());
  return static_cast<int>(members_.size());
}

BOOL CBlockEntity::IsOnLayer(int layer) const {
  if (CEntity::IsOnLayer(layer)) return TRUE;
  for (const auto& m : members_)
    if (m->IsOnLayer(layer)) return TRUE;
  return FALSE;
}

void CBlockEntity::ReplaceLayer(int oldLayer, int newLayer) {
  CEntity::ReplaceLayer(oldLayer, newLayer);
  for (const auto& m : members_) m->ReplaceLayer(oldLayer, newLayer);
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

int CBlockEntity::FindMember(const CEntity* member) const {
  for (size_t i = 0; i < members_.size(); ++i)
    if (members_[i].get() == member) return static_cast<int>(i);
  return -1;
}

int CBlockEntity::DetachMember(CEntity* member) {
  const int place = FindMember(member);
  if (place >= 0) {
    members_[static_cast<size_t>(place)].release();
    members_.erase(members_.begin() + place);
  }
  return place;
}

BOOL CBlockEntity::InsertMember(CEntity* member, int place) {
  if (!member || member == this || (member->GetEntityOwner() && member->GetEntityOwner() != this) ||
      FindMember(member) >= 0)
    return FALSE;
  member->SetEntityOwner(this);
  const size_t at = place < 0 ? members_.size() : std::min(static_cast<size_t>(place), members_.size());
  members_.emplace(members_.begin() + static_cast<std::ptrdiff_t>(at), member);
  return TRUE;
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
