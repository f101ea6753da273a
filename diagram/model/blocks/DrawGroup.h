// CDrawGroup: binds drawing objects into one selectable, movable and
// deletable unit. The members stay objects of the diagram in their own
// right; the group holds them in a member list, gives each a back-pointer,
// keeps their common rectangle and forwards moves, deletion, copying and hit
// tests to them.
//
// The member list may also hold the components of its elements (the ports of
// a block) and the wires between its members; every member's group pointer
// names the group. An object belongs to at most one group, and a group never
// holds itself or a group that holds it.
#pragma once

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawObj.h"

class CDrawGroup : public CDrawObj {
  DECLARE_SERIAL(CDrawGroup)

 public:
  CDrawGroup();
  CDrawGroup(const CDrawGroup& other);
  // Destroys the members the group still holds.
  ~CDrawGroup() override;

  void Serialize(CArchive& ar) override;
  const CRect& GetPosition() const override;
  BOOL Draggable() const override;
  BOOL Deleteable() const override;
  BOOL Copyable() const override;
  BOOL UserMayReshape() const override;
  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  void Draw(CDC* dc) override;
  void MoveTo(const CRect& position, CDrawView* view) override;
  void MoveBy(CPoint delta, int bInvalidate) override;
  BOOL Intersects(const CRect& rect) override;
  void OnEditProperties(CWnd* parent) override;
  void IncludeComponentsInList(CDrawList* list) const override;
  void ExcludeComponentsFromList(CDrawList* list) const override;
  void FinalizeDrawing(CRect position, CDrawView* view, int flag) override;
  void InitializeDrawing(CDrawView* view) override;
  void SetDiagram(CDiagram* diagram) override;
  CDrawObj* Clone() override;
  void FlipAndOffset(int bFlip, CPoint offset) override;
  int Delete() override;

  using CDrawObj::GetBoundingRectIncludingComponents;
  // A group's extent is its own bounding rectangle.
  virtual CRect GetBoundingRectIncludingComponents();
  virtual int UnGroup(CDrawList& released);
  virtual int SetMembers(const CDrawList& objects, int bFlatten);

  const CDrawList& GetMembers() const { return m_members; }
  const CRect& GetDragRect() const { return m_dragRect; }
  // Adds a member at `index` of the member list (the head by default).
  void Add(CDrawObj* object, int index = 0);
  // The member's place in the member list; -1 for an object that is none.
  int IndexOfMember(const CDrawObj* object) const;
  int Remove(CDrawObj* object);
  // Takes the union of the members' bounding rectangles as the position
  // (and the drag rectangle); (0, 0, 0, 0) without members. The diagram
  // calls it whenever a member changes, and the group after its own moves,
  // so that the rectangle is always what the members make it, also after a
  // move that some members could follow only in part (a wire held by a port
  // outside the group). Inside an undo recording the rectangle it replaces
  // is recorded first, so that an undo of the move that follows in the
  // same entry moves from the rectangle that move left.
  void FitToMembers();
  // Takes `rect` as the position and drag rectangle (the undo of a refit),
  // recording the rectangle it replaces.
  void RestoreRectangle(const CRect& rect);

 protected:
  // Whether the object may join this group: it is not this group, not a
  // group that holds this one, and in no other group.
  BOOL CanHold(const CDrawObj* object) const;
  // Replaces the members by their normalised list (elements with their
  // components and the wires between them); objects of other groups stay
  // where they are.
  void NormalizeMembers();
  // The members that are not components of other members.
  CDrawList GetTopMembers() const;
  // Appends the members and all their components, nested groups' included.
  void CollectComponents(CDrawList& all) const;
  // Takes the objects that failed to load out of a member list being read
  // (the archive's document frees them) and clears their group pointer.
  void LeaveLoadFailures(CArchive& ar, CDrawList& loaded);
  // Inverts the outline of a rectangle in the view's client area.
  static void DrawOutline(CDrawView* view, const CRect& rect);
  // Takes `rect` as the position and drag rectangle; inside an undo
  // recording the present one is recorded first.
  void TakeRectangle(const CRect& rect);

  CDrawList m_members;
  // The rectangle shown while the group is dragged; the position at rest.
  CRect m_dragRect;
  BOOL m_bMembershipChanged;
  // Set while the group moves its members itself: it takes its new
  // rectangle once, at the end, rather than once per member.
  bool m_bMovingMembers = false;
  // The member list while Serialize reads it, else null.
  CDrawList* m_pMembersBeingRead = nullptr;
};
