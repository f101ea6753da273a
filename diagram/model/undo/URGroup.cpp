#include "diagram/model/undo/URGroup.h"

#include <memory>

#include "diagram/model/blocks/DrawGroup.h"

IMPLEMENT_DYNAMIC(CURUnGroup, CUndoRedo)
IMPLEMENT_DYNAMIC(CURGroup, CUndoRedo)
IMPLEMENT_DYNAMIC(CURGroupRect, CUndoRedo)

CURUnGroup::~CURUnGroup() = default;

void CURUnGroup::DoUndo() { m_pGroup->SetMembers(m_members, FALSE); }

int CURUnGroup::RecordUndo(CDrawGroup* group) {
  return Record(group->GetDocument(), RUNTIME_CLASS(CURUnGroup), [group] {
    std::unique_ptr<CURUnGroup> record(new CURUnGroup);
    record->m_pGroup = group;
    record->m_members = group->GetMembers();
    return record;
  });
}

CURGroup::~CURGroup() = default;

void CURGroup::DoUndo() {
  CDrawList released;
  m_pGroup->UnGroup(released);
}

int CURGroup::RecordUndo(CDrawGroup* group) {
  return Record(group->GetDocument(), RUNTIME_CLASS(CURGroup), [group] {
    std::unique_ptr<CURGroup> record(new CURGroup);
    record->m_pGroup = group;
    return record;
  });
}

CURGroupRect::~CURGroupRect() = default;

void CURGroupRect::DoUndo() { m_pGroup->RestoreRectangle(m_rect); }

int CURGroupRect::RecordUndo(CDrawGroup* group) {
  return Record(group->GetDocument(), RUNTIME_CLASS(CURGroupRect), [group] {
    std::unique_ptr<CURGroupRect> record(new CURGroupRect);
    record->m_pGroup = group;
    record->m_rect = group->GetPosition();
    return record;
  });
}
