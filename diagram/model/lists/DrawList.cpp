#include "diagram/model/lists/DrawList.h"

#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/undo/UndoRecordingScope.h"

IMPLEMENT_SERIAL(CDrawList, ObSetList, 0)

namespace {

// The elements of a list, taken before a walk that changes the list.
std::vector<CDrawObj*> Snapshot(const CDrawList& list) {
  std::vector<CDrawObj*> objects;
  objects.reserve(static_cast<size_t>(list.GetCount()));
  for (POSITION pos = list.GetHeadPosition(); pos;) objects.push_back(list.GetNext(pos));
  return objects;
}

}  // namespace

CDrawList& CDrawList::operator=(const CDrawList& other) {
  ObSetList::operator=(static_cast<const CObList&>(other));
  return *this;
}

CDrawList& CDrawList::operator=(const CObList& other) {
  ObSetList::operator=(other);
  return *this;
}

CDrawList& CDrawList::operator+=(CDrawObj* object) {
  ObSetList::operator+=(ToObject(object));
  return *this;
}

CDrawList& CDrawList::operator-=(CDrawObj* object) {
  ObSetList::operator-=(ToObject(object));
  return *this;
}

CDrawList& CDrawList::operator+=(const CObList& other) {
  ObSetList::operator+=(other);
  return *this;
}

CDrawList& CDrawList::operator-=(const CObList& other) {
  ObSetList::operator-=(other);
  return *this;
}

POSITION CDrawList::InsertAtIndex(int index, CDrawObj* object) {
  if (index < 1) return AddHead(object);
  if (POSITION pos = FindIndex(index)) return InsertBefore(pos, object);
  return AddTail(object);
}

void CDrawList::Sort(CompareFunc compare) {
  Sort(GetHeadPosition(), static_cast<int>(GetCount()), compare);
}

void CDrawList::Sort(POSITION position, int count, CompareFunc compare) {
  // Gather the elements and the nodes that hold them.
  std::vector<POSITION> nodes;
  std::vector<CDrawObj*> objects;
  for (POSITION pos = position; pos && static_cast<int>(nodes.size()) < count;) {
    nodes.push_back(pos);
    objects.push_back(GetNext(pos));
  }
  // Stable insertion sort: an element passes only the ones that must go
  // after it.
  for (size_t i = 1; i < objects.size(); ++i) {
    CDrawObj* x = objects[i];
    size_t j = i;
    while (j > 0 && compare(objects[j - 1], x, this) > 0) {
      objects[j] = objects[j - 1];
      --j;
    }
    objects[j] = x;
  }
  // The nodes stay; their elements move.
  for (size_t i = 0; i < nodes.size(); ++i) PlaceAt(nodes[i], objects[i]);
}

void CDrawList::IncludeElementComponents() {
  // Components are appended, and the next element is taken only after the
  // current one has added its own, so components of components join.
  for (POSITION pos = GetHeadPosition(); pos;) {
    POSITION current = pos;
    if (CDrawObj* object = GetAt(current)) {
      object->IncludeComponentsInList(this);
      object->IncludeAttachmentDrawPorts(this);
    }
    pos = current;
    GetNext(pos);
  }
}

void CDrawList::ExcludeElementComponents() {
  for (CDrawObj* object : Snapshot(*this)) {
    if (!object) continue;
    object->ExcludeComponentsFromList(this);
    object->ExcludeAttachmentDrawPorts(this);
  }
}

BOOL CDrawList::HoldsBothEndsOf(CDrawObj* arc) const {
  const auto* wire = static_cast<const CDrawArc*>(arc);
  return Find(wire->m_pSrcPort) && Find(wire->m_pDestPort);
}

void CDrawList::IncludeAttachedArcs() {
  for (CDrawObj* object : Snapshot(*this)) {
    if (object && object->IsKindOf(RUNTIME_CLASS(CDrawPort))) static_cast<CDrawPort*>(object)->IncludeArcsInList(this);
  }
}

void CDrawList::ExcludeDanglingArcs() {
  RemoveIf([this](CDrawObj* object) {
    return object && object->IsKindOf(RUNTIME_CLASS(CDrawArc)) && !HoldsBothEndsOf(object);
  });
}

void CDrawList::IncludeContainedArcs() {
  IncludeAttachedArcs();
  ExcludeDanglingArcs();
}

void CDrawList::Exclude(const CRuntimeClass* cls) {
  RemoveIf([cls](CDrawObj* object) { return object && object->IsKindOf(cls); });
}

void CDrawList::ExcludeArcs() { Exclude(RUNTIME_CLASS(CDrawArc)); }

void CDrawList::ExcludeAllBut(const CRuntimeClass* cls) {
  RemoveIf([cls](CDrawObj* object) { return !object || !object->IsKindOf(cls); });
}

void CDrawList::ExcludeAllBut(IDrawListFilter& filter) {
  RemoveIf([&filter](CDrawObj* object) { return !filter.Passes(object); });
}

void CDrawList::ExcludeNonSelectables() {
  RemoveIf([](CDrawObj* object) { return !object || !object->Selectable(); });
}

void CDrawList::ExcludeNonDraggables() {
  RemoveIf([](CDrawObj* object) { return !object || !object->Draggable(); });
}

void CDrawList::ExcludeNonDeleteables() {
  RemoveIf([](CDrawObj* object) { return !object || !object->Deleteable(); });
}

void CDrawList::ExcludeNonGroupables() {
  RemoveIf([](CDrawObj* object) { return !object || !object->Groupable(); });
}

void CDrawList::ExcludeNonCopyables() {
  RemoveIf([](CDrawObj* object) { return !object || !object->Copyable(); });
}

int CDrawList::CopyFromFilter(const CDrawList& source, const CRuntimeClass* cls) {
  int passed = 0;
  for (CDrawObj* object : Snapshot(source)) {
    if (object && object->IsKindOf(cls)) {
      ++passed;
      AddTail(object);
    }
  }
  return passed;
}

int CDrawList::CopyFromFilter(const CDrawList& source, IDrawListFilter& filter) {
  int passed = 0;
  for (CDrawObj* object : Snapshot(source)) {
    if (filter.Passes(object)) {
      ++passed;
      AddTail(object);
    }
  }
  return passed;
}

CDrawObj* CDrawList::GetLastSelectedClassType(const CRuntimeClass* cls) const {
  for (POSITION pos = GetTailPosition(); pos;) {
    CDrawObj* object = GetPrev(pos);
    if (object && object->IsKindOf(cls)) return object;
  }
  return nullptr;
}

BOOL CDrawList::HasA(const CRuntimeClass* cls) const {
  for (POSITION pos = GetHeadPosition(); pos;) {
    CDrawObj* object = GetNext(pos);
    if (object && object->IsKindOf(cls)) return TRUE;
  }
  return FALSE;
}

BOOL CDrawList::HasSomethingOtherThan(const CRuntimeClass* cls) const {
  for (POSITION pos = GetHeadPosition(); pos;) {
    CDrawObj* object = GetNext(pos);
    if (!object || !object->IsKindOf(cls)) return TRUE;
  }
  return FALSE;
}

int CDrawList::DeleteElements(CDrawDoc* document) {
  CUndoRecordingScope recording(document);
  if (!recording.Begin(u"Delete Elements")) return 0;
  std::vector<CDrawObj*> objects = Snapshot(*this);
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    if (*it) (*it)->Delete();
  }
  recording.End();
  return 1;
}

void CDrawList::UnDeleteElements() {
  for (CDrawObj* object : Snapshot(*this)) {
    if (object) object->UnDelete();
  }
}

template <typename Pred>
void CDrawList::RemoveIf(Pred remove) {
  for (POSITION pos = GetHeadPosition(); pos;) {
    POSITION current = pos;
    CDrawObj* object = GetNext(pos);
    if (remove(object)) RemoveAt(current);
  }
}
