// CDiagram: the object list, the trash and the z-order.
#include "diagram/model/canvas/Diagram.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/canvas/ArcRouter.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/undo/URObject.h"
#include "diagram/model/undo/UndoRecordingScope.h"
#include "diagram/model/document/ViewLink.h"

namespace {

// The position of the element at `index` (0 <= index < count), walked to
// from the nearer end of the list.
POSITION PositionOfIndex(const CDrawList& list, INT_PTR index) {
  const INT_PTR count = list.GetCount();
  if (index < count / 2) return list.FindIndex(index);
  POSITION pos = list.GetTailPosition();
  for (INT_PTR i = count - 1; i > index; --i) list.GetPrev(pos);
  return pos;
}

// The place of the element at `position`, counted from the nearer end of
// the list: the walk costs the distance to that end.
int IndexOfPosition(const CDrawList& list, POSITION position) {
  POSITION back = position;
  POSITION front = position;
  list.GetPrev(back);
  list.GetNext(front);
  int before = 0;
  int after = 0;
  while (back && front) {
    list.GetPrev(back);
    ++before;
    list.GetNext(front);
    ++after;
  }
  if (!back) return before;
  // The walk toward the tail ended first: count from there.
  while (front) {
    list.GetNext(front);
    ++after;
  }
  return static_cast<int>(list.GetCount()) - 1 - after;
}

}  // namespace

int CDiagram::Add(CDrawObj* object) {
  if (!object) return 0;
  // The recording closes however the add ends, so that an add that throws
  // (memory for the list, the tree or the router) leaves no recording open
  // for every later command to fold into.
  CUndoRecordingScope recording(m_pDocument);
  if (!recording.Begin(u"Add Obj to Diagram")) return 0;
  CDiagram* previous = object->GetDiagram();
  object->SetDiagram(this);
  if (!CURAddToDoc::RecordUndo(object)) {
    object->SetDiagram(previous);
    recording.End();
    return 0;
  }
  Insert(object);
  if (m_pRouter) m_pRouter->AddObj(object);
  recording.End();
  return 1;
}

void CDiagram::Insert(CDrawObj* object) {
  // An object already on the canvas keeps its place; inserting it again
  // would corrupt the z-order.
  if (m_objects.Find(object)) return;
  const int count = static_cast<int>(m_objects.GetCount());
  const int index = object->GetZIndex();
  if (index >= 0 && index < count) {
    POSITION pos = PositionOfIndex(m_objects, index);
    m_objects.InsertBefore(pos, object);
    // Everything from the displaced object on moves one place to the front.
    for (; pos;) {
      CDrawObj* behind = m_objects.GetNext(pos);
      behind->SetZIndex(behind->GetZIndex() + 1);
    }
  } else {
    object->SetZIndex(count);
    m_objects.AddTail(object);
  }
  GrowExtentToBoundRect(m_rcExtent, object->GetBoundingRect());
  if (m_bUseQuadTree) m_quadTree.UpdateObject(object);
  SetModifiedFlag(TRUE);
}

void CDiagram::LoadFailAnythingInappropriate(CDrawList&) {}

int CDiagram::Remove(CDrawObj* object) {
  int index = -1;
  if (POSITION at = m_objects.Find(object)) {
    POSITION pos = at;
    m_objects.GetNext(pos);
    if (m_bDeletingContents) {
      // Nothing is renumbered while the contents go: the object's z-index
      // is still the place it had when they began to go.
      index = object->GetZIndex();
    } else {
      // Everything in front of it moves one place back; counting those
      // objects gives its place.
      int following = 0;
      for (; pos; ++following) {
        CDrawObj* next = m_objects.GetNext(pos);
        next->SetZIndex(next->GetZIndex() - 1);
      }
      index = static_cast<int>(m_objects.GetCount()) - 1 - following;
    }
    m_objects.RemoveAt(at);
    SetModifiedFlag(TRUE);
    if (m_bUseQuadTree || object->IsInQuadTree()) m_quadTree.RemoveObject(object);
  }
  if (m_objects.IsEmpty()) m_rcExtent.SetRectEmpty();
  if (m_pRouter) m_pRouter->RemoveObj(object);
  UpdateDiagramViews(nullptr, CDrawHint::objectRemoved, object);
  return index;
}

int CDiagram::DelObj(CDrawObj* object) {
  const int index = Remove(object);
  if (index != -1) m_trash.AddTail(object);
  return index;
}

int CDiagram::UnDelObj(CDrawObj* object) {
  if (!Add(object)) return 0;
  m_trash -= object;
  return 1;
}

void CDiagram::Expunge(CDrawObj* object) {
  Remove(object);
  if (m_pLoadingElements) *m_pLoadingElements -= object;
  if (m_pDocument) m_pDocument->RemoveLoadFailure(object);
  if (m_pDragList) {
    // A set keeps its index through its own members.
    if (auto* set = DYNAMIC_DOWNCAST(ObSetList, m_pDragList))
      *set -= object;
    else if (POSITION pos = m_pDragList->Find(object))
      m_pDragList->RemoveAt(pos);
  }
  m_trash -= object;
}

void CDiagram::UpdateObject(CDrawObj* object, int updateQuadTree) {
  GrowExtentToBoundRect(m_rcExtent, object->GetBoundingRect());
  if (updateQuadTree && m_bUseQuadTree) UpdateQuadTree(object);
  if (m_pRouter) m_pRouter->UpdateObj(object);
  SetModifiedFlag(TRUE);
  // The group's rectangle follows its members.
  if (CDrawGroup* group = object->GetGroup(); group && group->GetMembers().Find(object)) group->FitToMembers();
}

void CDiagram::UpdateQuadTree(CDrawObj* object) {
  // Only an object the tree holds is filed again: one in the trash or not
  // yet inserted must not enter the index by being moved.
  if (object->IsInQuadTree()) m_quadTree.UpdateObject(object);
}

BOOL CDiagram::DoesTrashInclude(CDrawObj* object) const { return m_trash.Find(object) != nullptr; }

int CDiagram::GetObjectsInRect(CRect rect, CDrawList& out) {
  rect.NormalizeRect();
  if (rect.IsRectEmpty()) return 0;
  const int64_t area = static_cast<int64_t>(rect.Width()) * rect.Height();
  const int64_t canvas = static_cast<int64_t>(m_size.cx) * m_size.cy;
  if (m_bUseQuadTree && area < canvas / 2) {
    m_quadTree.GetObjectsInRect(rect, out, 0);
    return 1;
  }
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    if (object->Intersects(rect)) out.AddTail(object);
  }
  return 0;
}

CDrawObj* CDiagram::ObjectAt(CDrawView* view, const CPoint& point, const CRuntimeClass* kind) {
  const CRect rect = viewlink::SensitivityRect(view, point);
  const bool fromTree = m_bUseQuadTree != 0;
  CDrawList treeCandidates;
  if (fromTree) {
    m_quadTree.GetObjectsInRect(rect, treeCandidates, 0);
    SortInDrawOrder(treeCandidates);
  }
  const CDrawList& candidates = fromTree ? treeCandidates : m_objects;
  for (POSITION pos = candidates.GetTailPosition(); pos;) {
    CDrawObj* object = candidates.GetPrev(pos);
    if (!object->Selectable()) continue;
    if (!fromTree && !object->Intersects(rect)) continue;
    if (!kind || object->IsKindOf(kind)) return object;
  }
  return nullptr;
}

void CDiagram::SortInDrawOrder(CDrawList& objects) {
  const int count = static_cast<int>(objects.GetCount());
  if (count < 2) return;
  if (static_cast<INT_PTR>(count) * 16 < m_objects.GetCount()) {
    // A few objects of a large diagram: each object on the canvas has its
    // place as its z-index (and while the contents are being deleted,
    // z-indexes still rise with the place), so sorting by them gives the
    // drawing order without a walk over the canvas.
    std::vector<CDrawObj*> listed;
    listed.reserve(static_cast<size_t>(count));
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CDrawObj* object = objects.GetNext(pos);
      if (m_objects.Find(object)) listed.push_back(object);
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [](const CDrawObj* a, const CDrawObj* b) { return a->GetZIndex() < b->GetZIndex(); });
    objects.RemoveAll();
    for (CDrawObj* object : listed) objects.AddTail(object);
    return;
  }
  std::vector<CDrawObj*> listed;
  listed.reserve(static_cast<size_t>(count));
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->SetMark(1);
    listed.push_back(object);
  }
  objects.RemoveAll();
  int taken = 0;
  for (POSITION pos = m_objects.GetHeadPosition(); pos && taken < count;) {
    CDrawObj* object = m_objects.GetNext(pos);
    if (!object->GetMark()) continue;
    objects.AddTail(object);
    object->SetMark(0);
    ++taken;
  }
  // Listed objects that are not on the canvas drop out; their marks must not
  // linger.
  if (taken < count) {
    for (CDrawObj* object : listed) object->SetMark(0);
  }
}

CRect CDiagram::ComputeDrawingExtent(const CDrawList* objects) {
  const CDrawList& list = objects ? *objects : m_objects;
  m_rcExtent.SetRectEmpty();
  bool first = true;
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    CDrawObj* object = list.GetNext(pos);
    if (!object) continue;
    const CRect r = object->GetBoundingRect();
    if (first) {
      m_rcExtent = r;
      first = false;
    } else {
      GrowExtentToBoundRect(m_rcExtent, r);
    }
  }
  return m_rcExtent;
}

// Z-order.

int CDiagram::ChangeZorder(CDrawObj* object, UINT index) {
  POSITION at = m_objects.Find(object);
  if (!at) return 0;
  // The object's z-index is its place; one out of range is counted.
  int current = object->GetZIndex();
  if (current < 0 || current >= m_objects.GetCount()) current = IndexOfPosition(m_objects, at);
  if (!CURChangeZorder::RecordUndo(object)) return 0;
  const int64_t target = index;
  // The walks start at the object and go as far as it moves.
  POSITION insertBefore = nullptr;
  int64_t place = target;
  if (target <= current) {
    // Moving back: the objects from the target place up to the old one move
    // one place to the front; the object goes in before the one at the
    // target place (or stays where it is).
    insertBefore = at;
    m_objects.GetNext(insertBefore);
    POSITION pos = at;
    m_objects.GetPrev(pos);
    for (int64_t i = current; i > target && pos; --i) {
      insertBefore = pos;
      CDrawObj* other = m_objects.GetPrev(pos);
      other->SetZIndex(other->GetZIndex() + 1);
    }
  } else {
    // Moving forward: as many following objects as the distance move one
    // place to the back; the object goes in after the last of them, at the
    // end when the walk reaches it.
    POSITION pos = at;
    m_objects.GetNext(pos);
    for (int64_t i = current; i < target && pos; ++i) {
      CDrawObj* other = m_objects.GetNext(pos);
      other->SetZIndex(other->GetZIndex() - 1);
    }
    insertBefore = pos;
  }
  m_objects.RemoveAt(at);
  if (!insertBefore) {
    place = m_objects.GetCount();
    m_objects.AddTail(object);
  } else {
    m_objects.InsertBefore(insertBefore, object);
  }
  object->SetZIndex(static_cast<int>(place));
  object->Invalidate();
  SetModifiedFlag(TRUE);
  return 1;
}

int CDiagram::MoveToFront(CDrawObj* object) { return ChangeZorder(object, 0xFFFFFFFFu); }

int CDiagram::MoveToBack(CDrawObj* object) { return ChangeZorder(object, 0); }

namespace {

// The objects that overlap a rectangle, in drawing order.
CDrawList OverlappingInDrawOrder(CDiagram& diagram, const CRect& rect) {
  CDrawList objects;
  if (diagram.GetObjectsInRect(rect, objects)) diagram.SortInDrawOrder(objects);
  return objects;
}

}  // namespace

int CDiagram::MoveFoward(CDrawObj* object, int withComponents) {
  if (!object) return 0;
  if (!withComponents) {
    const CDrawList overlapping = OverlappingInDrawOrder(*this, object->GetBoundingRect());
    for (POSITION pos = overlapping.GetHeadPosition(); pos;) {
      CDrawObj* other = overlapping.GetNext(pos);
      if (other->GetZIndex() > object->GetZIndex()) return ChangeZorder(object, static_cast<UINT>(other->GetZIndex()));
    }
    return 0;
  }
  CUndoRecordingScope recording(m_pDocument);
  if (!recording.Begin(u"MoveToFront")) return 0;
  CDrawList group;
  group.AddTail(object);
  object->IncludeComponentsInList(&group);
  CDrawList candidates = OverlappingInDrawOrder(*this, object->GetBoundingRectIncludingComponents());
  candidates -= group;
  CDrawObj* inFront = nullptr;
  for (POSITION pos = candidates.GetHeadPosition(); pos && !inFront;) {
    CDrawObj* other = candidates.GetNext(pos);
    if (other->GetZIndex() > object->GetZIndex()) inFront = other;
  }
  if (inFront) {
    const int target = inFront->GetZIndex();
    SortInDrawOrder(group);
    for (POSITION pos = group.GetHeadPosition(); pos;) {
      CDrawObj* member = group.GetNext(pos);
      if (member->GetZIndex() < target) ChangeZorder(member, static_cast<UINT>(target));
    }
  }
  recording.End();
  return 1;
}

int CDiagram::MoveBack(CDrawObj* object, int withComponents) {
  if (!object) return 0;
  if (!withComponents) {
    const CDrawList overlapping = OverlappingInDrawOrder(*this, object->GetBoundingRect());
    for (POSITION pos = overlapping.GetTailPosition(); pos;) {
      CDrawObj* other = overlapping.GetPrev(pos);
      if (other->GetZIndex() < object->GetZIndex()) return ChangeZorder(object, static_cast<UINT>(other->GetZIndex()));
    }
    return 0;
  }
  CUndoRecordingScope recording(m_pDocument);
  if (!recording.Begin(u"MoveToBack")) return 0;
  CDrawList group;
  group.AddTail(object);
  object->IncludeComponentsInList(&group);
  CDrawList candidates = OverlappingInDrawOrder(*this, object->GetBoundingRectIncludingComponents());
  candidates -= group;
  CDrawObj* behind = nullptr;
  for (POSITION pos = candidates.GetTailPosition(); pos && !behind;) {
    CDrawObj* other = candidates.GetPrev(pos);
    if (other->GetZIndex() < object->GetZIndex()) behind = other;
  }
  if (behind) {
    const int target = behind->GetZIndex();
    SortInDrawOrder(group);
    for (POSITION pos = group.GetTailPosition(); pos;) {
      CDrawObj* member = group.GetPrev(pos);
      if (member->GetZIndex() > target) ChangeZorder(member, static_cast<UINT>(target));
    }
  }
  recording.End();
  return 1;
}
