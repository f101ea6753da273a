#include "diagram/model/blocks/DrawGroup.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/lists/DrawListFilter.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/undo/URGroup.h"
#include "diagram/model/undo/URObject.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"

IMPLEMENT_SERIAL(CDrawGroup, CDrawObj, 0)

namespace {

// "Group consists of %1 direct members and %2 sub-members."
constexpr ULONG kGroupMemberCount = 25;
// The sub-menu of the view's pop-up menu for groups.
constexpr int kGroupPopupMenu = 3;
// Streams before this version may hold member lists that were never
// normalised.
constexpr WORD kNormalisedMembersVersion = 15;

// Holds a group's own move of its members (however it ends).
class MovingMembers {
 public:
  explicit MovingMembers(bool& flag) : flag_(flag) { flag_ = true; }
  ~MovingMembers() { flag_ = false; }
  MovingMembers(const MovingMembers&) = delete;
  MovingMembers& operator=(const MovingMembers&) = delete;

 private:
  bool& flag_;
};

// Passes what is no part of a block: a block's port or text moves with
// its block, so it joins a group only with its block (a group moving it on
// its own as well would move it twice).
class NoPartOfABlock : public IDrawListFilter {
 public:
  BOOL Passes(CDrawObj* object) override {
    if (!object) return FALSE;
    if (auto* port = DYNAMIC_DOWNCAST(CDrawPort, object)) return port->GetDrawBlock() == nullptr;
    if (auto* text = DYNAMIC_DOWNCAST(CDrawText, object)) return text->GetPointerToNullOnDelete() == nullptr;
    return TRUE;
  }
};

// Normalising a list of objects to be grouped: elements with their
// components (the ports of blocks, the members of groups), and the wires
// whose both ends are in the list. Grouping (`newGroup`) leaves out the
// parts of blocks that are not grouped; a stored group keeps the members it
// was read with.
void Normalize(CDrawList& list, bool newGroup) {
  list.ExcludeElementComponents();
  if (newGroup) {
    NoPartOfABlock noPart;
    list.ExcludeAllBut(noPart);
  }
  list.ExcludeArcs();
  list.IncludeElementComponents();
  list.IncludeContainedArcs();
}

// The groups whose members are being read, outermost first. A damaged
// stream may name one of them as a member of a group inside it, which would
// make a cycle of groups.
std::vector<const CDrawObj*>& GroupsBeingRead() {
  thread_local std::vector<const CDrawObj*> groups;
  return groups;
}

// A group on that list for the life of the object, with the member list it
// is reading in its slot, so that a member destroyed during the read (its
// owner's read failed) leaves that list.
class ReadingGroup {
 public:
  ReadingGroup(const CDrawObj* group, CDrawList*& slot, CDrawList& members) : slot_(slot) {
    GroupsBeingRead().push_back(group);
    slot_ = &members;
  }
  ~ReadingGroup() {
    slot_ = nullptr;
    GroupsBeingRead().pop_back();
  }
  ReadingGroup(const ReadingGroup&) = delete;
  ReadingGroup& operator=(const ReadingGroup&) = delete;

 private:
  CDrawList*& slot_;
};

}  // namespace

CDrawGroup::CDrawGroup() : m_members(10), m_dragRect(m_position), m_bMembershipChanged(FALSE) {}

CDrawGroup::CDrawGroup(const CDrawGroup& other)
    : CDrawObj(other), m_members(10), m_dragRect(other.m_dragRect), m_bMembershipChanged(other.m_bMembershipChanged) {
  // The top members are copied, each copy bringing copies of its own
  // components (a block's ports and texts), which join the group as the
  // originals' components do. Wires are not copied.
  CDrawList top = other.GetTopMembers();
  top.ExcludeArcs();
  try {
    for (POSITION pos = top.GetHeadPosition(); pos;) {
      CDrawObj* clone = top.GetNext(pos)->Clone();
      if (!clone) AfxThrowMemoryException();
      clone->m_pGroup = this;
      m_members.AddTail(clone);
      // A sub-group's members stay in the sub-group.
      if (clone->IsKindOf(RUNTIME_CLASS(CDrawGroup))) continue;
      CDrawList components;
      clone->IncludeComponentsInList(&components);
      for (POSITION part = components.GetHeadPosition(); part;) {
        CDrawObj* component = components.GetNext(part);
        if (m_members.AddTail(component)) component->m_pGroup = this;
      }
    }
  } catch (...) {
    // The copies made so far go with the copy that failed; components go
    // with their owners.
    const CDrawList doomed = GetTopMembers();
    for (POSITION pos = m_members.GetHeadPosition(); pos;) m_members.GetNext(pos)->m_pGroup = nullptr;
    m_members.RemoveAll();
    for (POSITION pos = doomed.GetHeadPosition(); pos;) delete doomed.GetNext(pos);
    throw;
  }
}

CDrawGroup::~CDrawGroup() {
  // Components go with their elements and wires with the diagram; no member
  // that outlives the group may keep pointing to it.
  CDrawList doomed = GetTopMembers();
  doomed.ExcludeArcs();
  for (POSITION pos = m_members.GetHeadPosition(); pos;) {
    CDrawObj* member = m_members.GetNext(pos);
    if (member->m_pGroup == this) member->m_pGroup = nullptr;
  }
  m_members.RemoveAll();
  for (POSITION pos = doomed.GetHeadPosition(); pos;) delete doomed.GetNext(pos);
}

BOOL CDrawGroup::CanHold(const CDrawObj* object) const {
  if (!object || object == this) return FALSE;
  const std::vector<const CDrawObj*>& reading = GroupsBeingRead();
  if (std::find(reading.begin(), reading.end(), object) != reading.end()) return FALSE;
  if (object->m_pGroup && object->m_pGroup != this) return FALSE;
  for (const CDrawGroup* holder = m_pGroup; holder; holder = holder->m_pGroup) {
    if (holder == object) return FALSE;
  }
  return TRUE;
}

CDrawList CDrawGroup::GetTopMembers() const {
  CDrawList top(m_members);
  top.ExcludeElementComponents();
  return top;
}

void CDrawGroup::NormalizeMembers() {
  CDrawList normalized(m_members);
  Normalize(normalized, false);
  const CDrawList before(m_members);
  m_members.RemoveAll();
  for (POSITION pos = normalized.GetHeadPosition(); pos;) {
    CDrawObj* object = normalized.GetNext(pos);
    if (!CanHold(object)) continue;
    m_members.AddTail(object);
    object->m_pGroup = this;
  }
  // A wire that lost one of its ends leaves the group.
  for (POSITION pos = before.GetHeadPosition(); pos;) {
    CDrawObj* object = before.GetNext(pos);
    if (object->m_pGroup == this && !m_members.Find(object)) object->m_pGroup = nullptr;
  }
}

void CDrawGroup::LeaveLoadFailures(CArchive& ar, CDrawList& loaded) {
  auto* document = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  if (!document) return;
  const CDrawList read = loaded;
  document->ExcludeLoadFailuresFrom(loaded);
  for (POSITION pos = read.GetHeadPosition(); pos;) {
    CDrawObj* member = read.GetNext(pos);
    if (!loaded.Find(member) && member->m_pGroup == this) member->m_pGroup = nullptr;
  }
}

void CDrawGroup::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    if (m_bMembershipChanged) {
      NormalizeMembers();
      m_bMembershipChanged = FALSE;
    }
    CDrawObj::Serialize(ar);
    // The members go in drawing order, whatever order grouping, undeleting
    // and undo left the list in: a group stores alike however its members
    // came back.
    std::vector<CDrawObj*> members;
    members.reserve(static_cast<size_t>(m_members.GetCount()));
    for (POSITION pos = m_members.GetHeadPosition(); pos;) members.push_back(m_members.GetNext(pos));
    std::stable_sort(members.begin(), members.end(),
                     [](const CDrawObj* a, const CDrawObj* b) { return a->GetZIndex() < b->GetZIndex(); });
    ar.WriteCount(static_cast<DWORD_PTR>(members.size()));
    for (CDrawObj* member : members) ar.WriteObject(member);
    return;
  }
  CDrawObj::Serialize(ar);
  CDrawList loaded;
  try {
    const ReadingGroup reading(this, m_pMembersBeingRead, loaded);
    for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
      auto* member = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
      // A damaged stream may name a member twice, the group itself, a group
      // that holds it, one being read around it or a member of another
      // group: each object stays where it belongs. A member is the group's
      // at once, so that no group read later takes it too.
      if (CanHold(member) && loaded.AddTail(member)) member->m_pGroup = this;
    }
  } catch (...) {
    // The members read so far belong to nobody else: the group keeps them,
    // as a complete read would, and they go with it when the failed read
    // deletes it. Those that failed to load are the document's to free.
    LeaveLoadFailures(ar, loaded);
    m_members.RemoveAll();
    m_members.AddTail(loaded);
    throw;
  }
  // Members whose own read failed stay out of the group: the document
  // deletes them when the load ends.
  LeaveLoadFailures(ar, loaded);
  m_members.RemoveAll();
  m_members.AddTail(loaded);
  m_dragRect = m_position;
  m_bMembershipChanged = GetArchiveStreamVersion(ar) < kNormalisedMembersVersion;
  m_drawState = drawStateNormal;
  for (POSITION pos = m_members.GetHeadPosition(); pos;) m_members.GetNext(pos)->m_pGroup = this;
}

const CRect& CDrawGroup::GetPosition() const { return m_drawState == drawStateMoved ? m_dragRect : m_position; }

BOOL CDrawGroup::Draggable() const {
  const CDrawList top = GetTopMembers();
  for (POSITION pos = top.GetHeadPosition(); pos;) {
    if (!top.GetNext(pos)->Draggable()) return FALSE;
  }
  return TRUE;
}

BOOL CDrawGroup::Deleteable() const {
  const CDrawList top = GetTopMembers();
  for (POSITION pos = top.GetHeadPosition(); pos;) {
    if (!top.GetNext(pos)->Deleteable()) return FALSE;
  }
  return TRUE;
}

BOOL CDrawGroup::Copyable() const {
  CDrawList top = GetTopMembers();
  top.ExcludeArcs();
  for (POSITION pos = top.GetHeadPosition(); pos;) {
    if (!top.GetNext(pos)->Copyable()) return FALSE;
  }
  return TRUE;
}

BOOL CDrawGroup::UserMayReshape() const { return FALSE; }

CMenu* CDrawGroup::GetPopupMenu(CDrawView* view, CPoint) {
  return view ? viewlink::PopupMenu(view, kGroupPopupMenu) : nullptr;
}

void CDrawGroup::Draw(CDC*) {}

void CDrawGroup::DrawOutline(CDrawView* view, const CRect& rect) {
  viewlink::DrawFocusRect(view, rect);
}

void CDrawGroup::MoveTo(const CRect& position, CDrawView* view) {
  if (m_drawState == drawStateNormal) InitializeDrawing(view);
  const bool outlined = m_drawState == drawStateMoved;
  if (m_drawState == drawStateDragInitialized) m_drawState = drawStateMoved;
  if (view) {
    // The outline is inverted: drawing the last one again erases it, so
    // that one outline follows the mouse.
    if (outlined) DrawOutline(view, m_dragRect);
    DrawOutline(view, position);
  }
  m_dragRect = position;
}

void CDrawGroup::FinalizeDrawing(CRect position, CDrawView* view, int flag) {
  if (m_drawState == drawStateMoved && view) DrawOutline(view, m_dragRect);
  m_drawState = drawStateNormal;
  // A group without members has no place to move to: it stays at
  // (0, 0, 0, 0).
  if (position == m_position || m_members.IsEmpty()) {
    m_dragRect = m_position;
    return;
  }
  Invalidate();
  const CPoint delta(position.left - m_position.left, position.top - m_position.top);
  const CDrawList top = GetTopMembers();
  {
    const MovingMembers moving(m_bMovingMembers);
    for (POSITION pos = top.GetHeadPosition(); pos;) {
      CDrawObj* member = top.GetNext(pos);
      member->InitializeDrawing(view);
      member->FinalizeDrawing(member->GetPosition() + delta, view, flag);
    }
  }
  m_position = position;
  Invalidate();
  m_dragRect = m_position;
  if (m_pDiagram) m_pDiagram->UpdateObject(this, flag);
  // Members that followed only in part (a wire held by a port outside the
  // group) leave the rectangle other than the one moved to.
  FitToMembers();
}

void CDrawGroup::InitializeDrawing(CDrawView*) {
  m_dragRect = m_position;
  m_drawState = drawStateDragInitialized;
  m_oldPosition = m_position;
}

void CDrawGroup::MoveBy(CPoint delta, int bInvalidate) {
  if ((delta.x == 0 && delta.y == 0) || m_members.IsEmpty()) return;
  if (bInvalidate) Invalidate();
  const CDrawList top = GetTopMembers();
  {
    const MovingMembers moving(m_bMovingMembers);
    for (POSITION pos = top.GetHeadPosition(); pos;) top.GetNext(pos)->MoveBy(delta, bInvalidate);
  }
  m_position.OffsetRect(delta);
  m_dragRect.OffsetRect(delta);
  if (!bInvalidate) return;
  Invalidate();
  if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
  FitToMembers();
}

BOOL CDrawGroup::Intersects(const CRect& rect) {
  CRect own = m_position;
  own.NormalizeRect();
  if (!own.IsRectEmpty()) {
    CRect other = rect;
    other.NormalizeRect();
    CRect meet;
    if (!meet.IntersectRect(&own, &other)) return FALSE;
    if (other.left <= own.left && other.right >= own.right && other.top <= own.top && other.bottom >= own.bottom) {
      return TRUE;
    }
  }
  for (POSITION pos = m_members.GetHeadPosition(); pos;) {
    if (m_members.GetNext(pos)->Intersects(rect)) return TRUE;
  }
  return FALSE;
}

void CDrawGroup::OnEditProperties(CWnd*) {
  CDrawList all;
  IncludeComponentsInList(&all);
  const int direct = static_cast<int>(m_members.GetCount());
  CStringW members;
  CStringW subMembers;
  members.Format(u"%d", direct);
  subMembers.Format(u"%d", static_cast<int>(all.GetCount()) - direct);
  CMsgBox::Notify(kGroupMemberCount, members, subMembers);
}

void CDrawGroup::IncludeComponentsInList(CDrawList* list) const {
  CDrawList all;
  CollectComponents(all);
  list->AddTail(all);
}

void CDrawGroup::ExcludeComponentsFromList(CDrawList* list) const {
  CDrawList all;
  CollectComponents(all);
  *list -= all;
}

void CDrawGroup::CollectComponents(CDrawList& all) const {
  // The members, then each one's components behind them, so components of
  // components join. A nested group brings its own components whole: what
  // it brings in is not expanded again, which would repeat the nested
  // group's walk for every level of nesting above it.
  all.AddTail(m_members);
  std::unordered_set<const CDrawObj*> broughtWhole;
  for (POSITION pos = all.GetHeadPosition(); pos;) {
    POSITION current = pos;
    CDrawObj* object = all.GetAt(current);
    if (object && !broughtWhole.count(object)) {
      if (const auto* nested = DYNAMIC_DOWNCAST(CDrawGroup, object)) {
        CDrawList inner;
        nested->CollectComponents(inner);
        for (POSITION part = inner.GetHeadPosition(); part;) {
          CDrawObj* component = inner.GetNext(part);
          if (all.AddTail(component)) broughtWhole.insert(component);
        }
      } else {
        object->IncludeComponentsInList(&all);
      }
      object->IncludeAttachmentDrawPorts(&all);
    }
    pos = current;
    all.GetNext(pos);
  }
}

void CDrawGroup::SetDiagram(CDiagram* diagram) {
  CDrawObj::SetDiagram(diagram);
  for (POSITION pos = m_members.GetHeadPosition(); pos;) m_members.GetNext(pos)->SetDiagram(diagram);
}

CDrawObj* CDrawGroup::Clone() { return CloneOrNull(*this); }

void CDrawGroup::FlipAndOffset(int bFlip, CPoint offset) {
  FlipAndOffsetRect(m_dragRect, bFlip, offset);
  CDrawObj::FlipAndOffset(bFlip, offset);
}

int CDrawGroup::Delete() {
  CDrawDoc* document = GetDocument();
  if (!document) {
    delete this;
    return 1;
  }
  if (!document->BeginUndoRecording(u"Delete Group", 255)) return 0;
  if (IsUndoBeingDiscarded() && !CURDeleteObj::IsReferenced(this)) {
    document->EndUndoRecording();
    delete this;
    return 1;
  }
  if (!CDrawObj::Delete()) {
    document->EndUndoRecording();
    return 0;
  }
  // The members keep their group pointer, so that undeleting each puts it
  // back into the group.
  const CDrawList doomed = GetTopMembers();
  m_members.RemoveAll();
  for (POSITION pos = doomed.GetHeadPosition(); pos;) doomed.GetNext(pos)->Delete();
  document->EndUndoRecording();
  return 1;
}

CRect CDrawGroup::GetBoundingRectIncludingComponents() { return GetBoundingRect(); }

int CDrawGroup::UnGroup(CDrawList& released) {
  if (!CURUnGroup::RecordUndo(this)) return 0;
  while (!m_members.IsEmpty()) {
    CDrawObj* member = m_members.RemoveHead();
    if (member->m_pGroup == this) member->m_pGroup = nullptr;
    released.AddTail(member);
  }
  return 1;
}

int CDrawGroup::SetMembers(const CDrawList& objects, int bFlatten) {
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"Group::SetMembers", 255)) return 0;
  if (!m_members.IsEmpty()) {
    CDrawList released;
    if (!UnGroup(released)) {
      if (document) document->EndUndoRecording();
      return 0;
    }
  }
  CDrawList candidates(objects);
  Normalize(candidates, true);
  CRect extent;
  bool first = true;
  for (POSITION pos = candidates.GetHeadPosition(); pos;) {
    CDrawObj* object = candidates.GetNext(pos);
    // Members of sub-groups stay in them; so does anything of another group.
    if (!CanHold(object)) continue;
    if (bFlatten && object->IsKindOf(RUNTIME_CLASS(CDrawGroup))) {
      // Its members follow in the list, released.
      auto* group = static_cast<CDrawGroup*>(object);
      CDrawList released;
      group->UnGroup(released);
      group->Delete();
      continue;
    }
    // An empty sub-group lies nowhere (as FitToMembers has it).
    const CRect r = object->GetBoundingRect();
    if (!r.IsRectNull()) {
      if (first) {
        extent = r;
        first = false;
      } else {
        GrowExtentToBoundRect(extent, r);
      }
    }
    m_members.AddTail(object);
    object->m_pGroup = this;
  }
  m_bMembershipChanged = FALSE;
  extent.NormalizeRect();
  m_position = extent;
  m_dragRect = extent;
  CURGroup::RecordUndo(this);
  if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
  if (document) document->EndUndoRecording();
  return 1;
}

int CDrawGroup::IndexOfMember(const CDrawObj* object) const {
  int index = 0;
  for (POSITION pos = m_members.GetHeadPosition(); pos; ++index) {
    if (m_members.GetNext(pos) == object) return index;
  }
  return -1;
}

void CDrawGroup::Add(CDrawObj* object, int index) {
  m_members.InsertAtIndex(index, object);
  object->m_pGroup = this;
  m_bMembershipChanged = TRUE;
  FitToMembers();
  Invalidate();
}

void CDrawGroup::FitToMembers() {
  // A group being dragged keeps its rectangles until the drag ends.
  if (m_drawState == drawStateMoved || m_bMovingMembers) return;
  CRect bounds(0, 0, 0, 0);
  bool first = true;
  for (POSITION pos = m_members.GetHeadPosition(); pos;) {
    const CRect r = m_members.GetNext(pos)->GetBoundingRect();
    // An empty sub-group lies nowhere.
    if (r.IsRectNull()) continue;
    if (first) {
      bounds = r;
      first = false;
    } else {
      GrowExtentToBoundRect(bounds, r);
    }
  }
  bounds.NormalizeRect();
  TakeRectangle(bounds);
}

void CDrawGroup::RestoreRectangle(const CRect& rect) { TakeRectangle(rect); }

void CDrawGroup::TakeRectangle(const CRect& rect) {
  if (rect == m_position) {
    m_dragRect = rect;
    return;
  }
  // Only inside a recording: a refit outside any command (a load, a
  // member read) is no step of its own. A refused record leaves the
  // rectangle as it is.
  if (CDrawDoc* document = GetDocument(); document && document->GetUndoLevel() > 0) {
    if (!CURGroupRect::RecordUndo(this)) return;
  }
  Invalidate();
  m_position = rect;
  m_dragRect = rect;
  Invalidate();
  if (m_pDiagram) m_pDiagram->UpdateObject(this, IsInQuadTree());
}

int CDrawGroup::Remove(CDrawObj* object) {
  if (object->m_pGroup == this) object->m_pGroup = nullptr;
  if (m_pMembersBeingRead) *m_pMembersBeingRead -= object;
  POSITION pos = m_members.Find(object);
  if (!pos) return 0;
  m_members.RemoveAt(pos);
  Invalidate();
  m_bMembershipChanged = TRUE;
  FitToMembers();
  return 1;
}
