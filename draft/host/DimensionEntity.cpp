#include "draft/host/DimensionEntity.h"

#include <memory>

#include "draft/host/TextEntity.h"

CDimensionEntity::CDimensionEntity(int layer, CDrawingGroup* group) : CBlockEntity(layer, group) {}

CEntity* CDimensionEntity::Clone(int) const { return new CDimensionEntity(*this); }

void CDimensionEntity::GetTextStyle(int& showCode, int& showDeviations, int& sameFormat) const {
  showCode = showCode_;
  showDeviations = showDeviations_;
  sameFormat = sameFormat_;
}

void CDimensionEntity::SetTextStyle(int showCode, int showDeviations, int sameFormat) {
  showCode_ = showCode;
  showDeviations_ = showDeviations;
  sameFormat_ = sameFormat;
}

BOOL CDimensionEntity::BeginTextEdit(const CEntity* text) {
  editedMember_ = FindMember(text);
  return editedMember_ >= 0 ? TRUE : FALSE;
}

BOOL CDimensionEntity::CopyTextAttributes(CEntity* text) {
  if (!text || !text->IsText()) return FALSE;
  const bool replacement = text->GetEntityOwner() == this && FindMember(text) < 0;
  if (replacement) {
    if (editedMember_ < 0 || editedMember_ >= GetMemberCount()) return FALSE;
    const int place = editedMember_;
    std::unique_ptr<CEntity> old(GetMember(place));
    DetachMember(old.get());
    InsertMember(text, place);
    editedMember_ = -1;
  }
  textAttrib_ = static_cast<const CTextEntity*>(text)->GetTextAttrib();
  return TRUE;
}

CDimensionEntity* ConstructDimensionEntity(int layer, CDrawingGroup* group) {
  return new CDimensionEntity(layer, group);
}
