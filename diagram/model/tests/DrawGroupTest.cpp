// Groups: forming them with and without flattening, releasing and removing
// members, dragging by outline, deleting through the document with undo, the
// member count message, copying, and the stream from version 14 on.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/model/tests/FixtureBytes.h"
#include "diagram/testsupport/DocumentView.h"
#include "platform/core/Archive.h"
#include "platform/core/Charset.h"
#include "platform/core/MemFile.h"
#include "platform/core/MessageBox.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/WindowDC.h"

namespace grouptest {

// An element with one component, as a block has its ports: the part is
// listed with it, moves with it and is stored by it.
class PartOwner : public CDrawObj {
  DECLARE_SERIAL(PartOwner)

 public:
  PartOwner() = default;
  PartOwner(const PartOwner&) = delete;
  PartOwner& operator=(const PartOwner&) = delete;
  ~PartOwner() override { delete m_part; }
  void Serialize(CArchive& ar) override {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteObject(m_part);
    } else {
      m_part = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
    }
  }
  void IncludeComponentsInList(CDrawList* list) const override {
    if (m_part) list->AddTail(m_part);
  }
  void ExcludeComponentsFromList(CDrawList* list) const override {
    if (m_part) *list -= m_part;
  }
  CDrawObj* m_part = nullptr;
};

IMPLEMENT_SERIAL(PartOwner, CDrawObj, 0)

// An object that cannot be placed once read, as a block of an unknown kind:
// it reports itself to the document as a load failure.
class Unplaceable : public CDrawObj {
  DECLARE_SERIAL(Unplaceable)

 public:
  void Serialize(CArchive& ar) override {
    CDrawObj::Serialize(ar);
    if (ar.IsLoading()) static_cast<CDrawDoc*>(ar.m_pDocument)->AddLoadFailure(this);
  }
};

IMPLEMENT_SERIAL(Unplaceable, CDrawObj, 0)

}  // namespace grouptest

namespace {

using grouptest::PartOwner;
using grouptest::Unplaceable;

std::vector<CDrawObj*> Members(const CDrawGroup* group) {
  std::vector<CDrawObj*> out;
  const CDrawList& members = group->GetMembers();
  for (POSITION pos = members.GetHeadPosition(); pos;) out.push_back(members.GetNext(pos));
  return out;
}

// An object that counts how often a drag of it is finished.
class Counted : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  void FinalizeDrawing(CRect position, CDrawView* view, int flag) override {
    ++finalized;
    CDrawObj::FinalizeDrawing(position, view, flag);
  }
  int finalized = 0;
};

// A member that follows a move only half way, as a wire held by a port
// outside its group follows the group only in part.
class HalfFollower : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  void FinalizeDrawing(CRect position, CDrawView* view, int flag) override {
    const CPoint half((position.left - m_position.left) / 2, (position.top - m_position.top) / 2);
    CDrawObj::FinalizeDrawing(m_position + half, view, flag);
  }
};

// Plain objects and groups on the document's diagram.
class GroupOnDiagram : public DocumentView {
 protected:
  CDrawObj* AddObject(CRect rect) {
    auto* object = new Counted(rect);
    EXPECT_TRUE(diagram->Add(object));
    return object;
  }
  CDrawGroup* AddGroup(std::initializer_list<CDrawObj*> members, int flatten = FALSE) {
    CDrawGroup* group = diagram->MakeDrawGroup();
    EXPECT_TRUE(diagram->Add(group));
    CDrawList list;
    for (CDrawObj* member : members) list.AddTail(member);
    EXPECT_TRUE(group->SetMembers(list, flatten));
    return group;
  }
};

TEST_F(GroupOnDiagram, GroupingWithAndWithoutFlattening) {
  struct Case {
    int flatten;
    const char* name;
  };
  for (const Case c : {Case{FALSE, "sub-group kept"}, Case{TRUE, "flattened"}}) {
    SCOPED_TRACE(c.name);
    CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
    CDrawObj* b = AddObject(CRect(30, 50, 40, 40));
    CDrawObj* x = AddObject(CRect(60, 10, 70, 0));
    CDrawObj* y = AddObject(CRect(80, 30, 90, 25));
    CDrawGroup* sub = AddGroup({x, y});
    doc.ClearUndoStack();
    CDrawGroup* group = AddGroup({a, b, sub}, c.flatten);
    EXPECT_EQ(group->GetPosition(), CRect(0, 0, 90, 50));
    EXPECT_EQ(group->GetDragRect(), group->GetPosition());
    if (c.flatten) {
      EXPECT_EQ(Members(group), (std::vector<CDrawObj*>{a, b, x, y}));
      EXPECT_EQ(x->GetGroup(), group);
      EXPECT_EQ(sub->GetDrawState(), drawStateDeleted);  // dissolved into the trash
      EXPECT_TRUE(sub->GetMembers().IsEmpty());
    } else {
      EXPECT_EQ(Members(group), (std::vector<CDrawObj*>{a, b, sub}));
      EXPECT_EQ(Members(sub), (std::vector<CDrawObj*>{x, y}));
      EXPECT_EQ(x->GetGroup(), sub);
      EXPECT_EQ(sub->GetGroup(), group);
    }
    EXPECT_FALSE(a->Selectable());
    // Undoing the grouping and the adding puts everything back as it was.
    while (doc.GetNumberUndosOnStack() > 0) ASSERT_TRUE(doc.UndoLast());
    EXPECT_EQ(a->GetGroup(), nullptr);
    EXPECT_EQ(sub->GetGroup(), nullptr);
    EXPECT_EQ(sub->GetDrawState(), drawStateNormal);
    EXPECT_EQ(Members(sub), (std::vector<CDrawObj*>{x, y}));
    EXPECT_EQ(x->GetGroup(), sub);
    EXPECT_EQ(group->GetDrawState(), drawStateDeleted);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
  }
}

// Groups nested 40 deep, each holding the next and one object of its own:
// every group's components are the groups and objects inside it, found in
// one walk per level (walking them again at every level above doubled the
// work per level), and a save finds the outermost group as the only element.
TEST_F(GroupOnDiagram, DeeplyNestedGroupsListTheirComponentsOnce) {
  constexpr int kDepth = 40;
  std::vector<CDrawObj*> objects;
  std::vector<CDrawGroup*> groups;
  CDrawGroup* inner = AddGroup({AddObject(CRect(0, 10, 10, 0))});
  groups.push_back(inner);
  for (int i = 1; i < kDepth; ++i) {
    CDrawObj* own = AddObject(CRect(i * 20, 10, i * 20 + 10, 0));
    objects.push_back(own);
    groups.push_back(AddGroup({groups.back(), own}));
  }
  CDrawList components;
  groups.back()->IncludeComponentsInList(&components);
  EXPECT_EQ(components.GetCount(), 2 * kDepth - 1);
  for (CDrawObj* object : objects) EXPECT_TRUE(components.Find(object));
  for (size_t i = 0; i + 1 < groups.size(); ++i) EXPECT_TRUE(components.Find(groups[i]));
  // The first entries are the outermost group's own members, in order.
  EXPECT_EQ(components.GetHead(), groups[groups.size() - 2]);
  CDrawList top(diagram->GetObjects());
  top.ExcludeElementComponents();
  EXPECT_EQ(top.GetCount(), 1);
  EXPECT_EQ(top.GetHead(), groups.back());
}

TEST_F(GroupOnDiagram, AGroupNeverTakesItselfOrMembersOfAnotherGroup) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  CDrawObj* x = AddObject(CRect(60, 10, 70, 0));
  CDrawGroup* other = AddGroup({x});
  CDrawGroup* group = AddGroup({a});
  CDrawGroup* outer = AddGroup({group});
  CDrawList list;
  for (CDrawObj* object : {static_cast<CDrawObj*>(group), static_cast<CDrawObj*>(outer), x, a}) list.AddTail(object);
  for (int flatten : {FALSE, TRUE}) {
    ASSERT_TRUE(group->SetMembers(list, flatten));
    EXPECT_EQ(Members(group), (std::vector<CDrawObj*>{a}));
    EXPECT_EQ(x->GetGroup(), other);
    EXPECT_EQ(outer->GetDrawState(), drawStateNormal);
  }
}

// A member deleted on its own and undeleted goes back to its place among
// the members, so the group stores as it did before.
TEST_F(GroupOnDiagram, AnUndeletedMemberReturnsToItsPlaceInTheGroup) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  CDrawObj* b = AddObject(CRect(30, 50, 40, 40));
  CDrawObj* c = AddObject(CRect(60, 50, 70, 40));
  CDrawGroup* group = AddGroup({a, b, c});
  const std::vector<CDrawObj*> before = Members(group);
  for (CDrawObj* member : before) {
    ASSERT_EQ(member->Delete(), 1);
    EXPECT_EQ(group->IndexOfMember(member), -1);
    ASSERT_TRUE(doc.UndoLast());
    EXPECT_EQ(Members(group), before);
    EXPECT_EQ(member->GetGroup(), group);
  }
}

// A member moved on its own takes the group's rectangle with it, and a
// member sent back in the drawing order changes the order the group stores
// its members in: ungrouping, deleting a member and undoing each give the
// stream from before.
TEST_F(GroupOnDiagram, TheGroupFollowsItsMembersAndUndoGivesItBackAlike) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  CDrawObj* b = AddObject(CRect(30, 50, 40, 40));
  CDrawObj* c = AddObject(CRect(60, 50, 70, 40));
  CDrawGroup* group = AddGroup({a, b, c});
  ASSERT_TRUE(doc.BeginUndoRecording(u"Move", 255));
  ASSERT_TRUE(b->InitializeRepositioning());
  b->FinalizeDrawing(CRect(30, 150, 40, 140), nullptr, 1);
  doc.EndUndoRecording();
  EXPECT_EQ(group->GetPosition(), CRect(0, 10, 70, 150));
  ASSERT_TRUE(diagram->MoveToBack(c));
  const std::vector<BYTE> before = doctest::StoreDocument(doc);

  ASSERT_TRUE(doc.BeginUndoRecording(u"Ungroup", 255));
  CDrawList released;
  ASSERT_TRUE(group->UnGroup(released));
  ASSERT_TRUE(group->Delete());
  doc.EndUndoRecording();
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), before);

  ASSERT_TRUE(b->Delete());
  EXPECT_EQ(group->GetPosition(), CRect(0, 10, 70, 50));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), before);
  ASSERT_TRUE(doc.UndoLast());  // the move to the back
  ASSERT_TRUE(doc.UndoLast());  // the move
  EXPECT_EQ(group->GetPosition(), CRect(0, 10, 70, 50));
}

// A group moved with a member that follows only in part takes the union of
// where its members went, in the move's own undo step; undoing the move
// (also after a later step that changed a member) moves every member back
// by what it moved.
TEST_F(GroupOnDiagram, AMoveThatAMemberFollowsInPartIsUndoneByWhatTheMembersMoved) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  auto* half = new HalfFollower(CRect(100, 20, 120, 10));
  ASSERT_TRUE(diagram->Add(half));
  CDrawGroup* group = AddGroup({a, half});
  doc.ClearUndoStack();
  const std::vector<BYTE> before = doctest::StoreDocument(doc);
  const CRect start = group->GetPosition();

  ASSERT_TRUE(doc.BeginUndoRecording(u"Move", 255));
  ASSERT_TRUE(group->InitializeRepositioning());
  group->FinalizeDrawing(start + CPoint(40, 0), nullptr, 1);
  doc.EndUndoRecording();
  EXPECT_EQ(a->GetPosition(), CRect(40, 20, 50, 10));
  EXPECT_EQ(half->GetPosition(), CRect(120, 20, 140, 10));
  EXPECT_EQ(group->GetPosition(), CRect(40, 10, 140, 20));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  const std::vector<BYTE> moved = doctest::StoreDocument(doc);

  ASSERT_TRUE(doc.BeginUndoRecording(u"Move Member", 255));
  ASSERT_TRUE(a->InitializeRepositioning());
  a->FinalizeDrawing(CRect(40, 60, 50, 50), nullptr, 1);
  doc.EndUndoRecording();
  EXPECT_EQ(group->GetPosition(), CRect(40, 10, 140, 60));

  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), moved);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), before);
  EXPECT_EQ(half->GetPosition(), CRect(100, 20, 120, 10));
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), moved);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), before);
}

// A group without members lies nowhere: it neither stretches the group
// that holds it to the origin nor moves with it.
TEST_F(GroupOnDiagram, AnEmptySubGroupStaysOutOfTheRectangles) {
  CDrawObj* a = AddObject(CRect(100, 120, 110, 110));
  CDrawGroup* empty = AddGroup({});
  ASSERT_EQ(empty->GetPosition(), CRect(0, 0, 0, 0));
  CDrawGroup* outer = AddGroup({a, empty});
  ASSERT_EQ(empty->GetGroup(), outer);
  EXPECT_EQ(outer->GetPosition(), CRect(100, 110, 110, 120));
  outer->MoveBy(CPoint(10, 10), TRUE);
  EXPECT_EQ(empty->GetPosition(), CRect(0, 0, 0, 0));
  EXPECT_EQ(outer->GetPosition(), CRect(110, 120, 120, 130));
}

TEST_F(GroupOnDiagram, UnGroupReleasesTheMembersUndoably) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  CDrawObj* b = AddObject(CRect(30, 50, 40, 40));
  CDrawGroup* group = AddGroup({a, b});
  doc.ClearUndoStack();
  CDrawList released;
  ASSERT_TRUE(group->UnGroup(released));
  EXPECT_EQ(released.GetCount(), 2);
  EXPECT_TRUE(group->GetMembers().IsEmpty());
  EXPECT_EQ(a->GetGroup(), nullptr);
  EXPECT_TRUE(a->Selectable());
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Members(group), (std::vector<CDrawObj*>{a, b}));
  EXPECT_EQ(b->GetGroup(), group);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_TRUE(group->GetMembers().IsEmpty());
  EXPECT_EQ(b->GetGroup(), nullptr);
}

TEST_F(GroupOnDiagram, RemovingMembersShrinksTheGroupToNothing) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  CDrawObj* b = AddObject(CRect(30, 50, 40, 40));
  CDrawGroup* group = AddGroup({a, b});
  EXPECT_EQ(group->Remove(b), 1);
  EXPECT_EQ(group->GetPosition(), CRect(0, 10, 10, 20));
  EXPECT_EQ(b->GetGroup(), nullptr);
  EXPECT_EQ(group->Remove(b), 0);  // not a member any more
  EXPECT_EQ(group->Remove(a), 1);
  EXPECT_EQ(group->GetPosition(), CRect(0, 0, 0, 0));
  EXPECT_EQ(group->GetDragRect(), CRect(0, 0, 0, 0));
}

TEST_F(GroupOnDiagram, ARectangleHitsTheGroupWhereItHitsAMember) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  CDrawObj* b = AddObject(CRect(30, 50, 40, 40));
  CDrawGroup* group = AddGroup({a, b});  // (0, 10) to (40, 50)
  struct Case {
    CRect rect;
    BOOL hit;
  };
  const Case cases[] = {
      {CRect(100, 100, 110, 110), FALSE},  // misses the group
      {CRect(-1, 60, 41, 0), TRUE},        // covers it wholly
      {CRect(5, 18, 8, 15), TRUE},         // within member a
      {CRect(15, 35, 20, 30), FALSE},      // within the group, between the members
  };
  for (const Case& c : cases) EXPECT_EQ(group->Intersects(c.rect), c.hit) << c.rect.left << "," << c.rect.top;
}

TEST_F(GroupOnDiagram, DraggingShowsOnlyAnOutlineAndMovesTheMembersOnceAtTheEnd) {
  auto* a = static_cast<Counted*>(AddObject(CRect(0, 20, 10, 10)));
  auto* b = static_cast<Counted*>(AddObject(CRect(30, 50, 40, 40)));
  CDrawGroup* group = AddGroup({a, b});
  doc.ClearUndoStack();
  view.UpdateWindow();
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  platform::WindowSurfaceOf(view.m_hWnd)->SetRecorder(recorder);
  const CRect start = group->GetPosition();
  const CRect r1 = start + CSize(10, 0);
  const CRect r2 = start + CSize(20, -10);
  ASSERT_TRUE(group->InitializeRepositioning());
  group->MoveTo(r1, &view);
  group->MoveTo(r2, &view);
  EXPECT_EQ(group->GetPosition(), r2);  // the outline's rectangle while moved
  EXPECT_EQ(a->GetPosition(), CRect(0, 20, 10, 10));
  EXPECT_EQ(a->finalized, 0);
  group->FinalizeDrawing(r2, &view, 1);
  platform::WindowSurfaceOf(view.m_hWnd)->SetRecorder(nullptr);
  // Each outline drawn is inverted once more: nothing of it stays.
  std::vector<CRect> outlines;
  for (const platform::DrawOp& op : recorder->Ops()) {
    if (op.kind == platform::DrawKind::FocusRect) outlines.emplace_back(op.logical[0], op.logical[1]);
  }
  auto client = [&](CRect r) {
    view.DocToClient(r);
    return r;
  };
  EXPECT_EQ(outlines, (std::vector<CRect>{client(r1), client(r1), client(r2), client(r2)}));
  EXPECT_EQ(a->finalized, 1);
  EXPECT_EQ(b->finalized, 1);
  EXPECT_EQ(a->GetPosition(), CRect(20, 10, 30, 0));
  EXPECT_EQ(b->GetPosition(), CRect(50, 40, 60, 30));
  EXPECT_EQ(group->GetPosition(), r2);
  EXPECT_EQ(group->GetDrawState(), drawStateNormal);
  // One undo step moves it all back.
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(group->GetPosition(), start);
  EXPECT_EQ(a->GetPosition(), CRect(0, 20, 10, 10));
}

TEST_F(GroupOnDiagram, DeletingAGroupDeletesItsMembersAsOneUndoableCommand) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  CDrawObj* b = AddObject(CRect(30, 50, 40, 40));
  CDrawGroup* group = AddGroup({a, b});
  doc.ClearUndoStack();
  ASSERT_EQ(group->Delete(), 1);
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Delete Group"));
  for (CDrawObj* object : {static_cast<CDrawObj*>(group), a, b}) {
    EXPECT_TRUE(diagram->DoesTrashInclude(object));
    EXPECT_EQ(object->GetDrawState(), drawStateDeleted);
  }
  EXPECT_TRUE(group->GetMembers().IsEmpty());
  EXPECT_EQ(a->GetGroup(), group);  // kept, so that undelete puts it back
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Members(group), (std::vector<CDrawObj*>{a, b}));
  for (CDrawObj* object : {static_cast<CDrawObj*>(group), a, b}) {
    EXPECT_FALSE(diagram->DoesTrashInclude(object));
    EXPECT_EQ(object->GetDrawState(), drawStateNormal);
  }
  EXPECT_EQ(group->GetPosition(), CRect(0, 10, 40, 50));
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_TRUE(diagram->DoesTrashInclude(a));
}

TEST_F(GroupOnDiagram, PropertiesTellTheDirectAndSubMemberCounts) {
  CDrawObj* a = AddObject(CRect(0, 20, 10, 10));
  CDrawObj* x = AddObject(CRect(60, 10, 70, 0));
  CDrawObj* y = AddObject(CRect(80, 30, 90, 25));
  CDrawGroup* sub = AddGroup({x, y});
  CDrawGroup* group = AddGroup({a, sub});
  std::vector<std::string> shown;
  platform::ScopedMessageBoxHandler handler([&](const platform::MessageBoxRequest& r) {
    shown.push_back(platform::Utf16ToUtf8(r.text.str()));
    return IDOK;
  });
  group->OnEditProperties(&view);
  EXPECT_EQ(shown, (std::vector<std::string>{"Group consists of 2 direct members and 2 sub-members."}));
}

TEST(DrawGroupTest, WithoutADocumentDeleteDestroysTheGroupAndItsMembers) {
  auto* group = new CDrawGroup;
  CDrawList list;
  list.AddTail(new CDrawObj(CRect(0, 10, 10, 0)));
  list.AddTail(new CDrawObj(CRect(20, 10, 30, 0)));
  ASSERT_TRUE(group->SetMembers(list, FALSE));
  EXPECT_EQ(group->Delete(), 1);  // the leak checker sees that all three went
}

TEST(DrawGroupTest, ACopyHoldsCopiesOfTheMembers) {
  CDrawGroup group;
  CDrawList list;
  list.AddTail(new CDrawObj(CRect(0, 10, 10, 0)));
  list.AddTail(new CDrawObj(CRect(20, 10, 30, 0)));
  ASSERT_TRUE(group.SetMembers(list, FALSE));
  std::unique_ptr<CDrawObj> copy(group.Clone());
  auto* clone = dynamic_cast<CDrawGroup*>(copy.get());
  ASSERT_NE(clone, nullptr);
  const std::vector<CDrawObj*> originals = Members(&group);
  const std::vector<CDrawObj*> copies = Members(clone);
  ASSERT_EQ(copies.size(), 2u);
  for (size_t i = 0; i < copies.size(); ++i) {
    EXPECT_NE(copies[i], originals[i]);
    EXPECT_EQ(copies[i]->GetPosition(), originals[i]->GetPosition());
    EXPECT_EQ(copies[i]->GetGroup(), clone);
    EXPECT_EQ(originals[i]->GetGroup(), &group);
  }
  EXPECT_EQ(clone->GetPosition(), group.GetPosition());
}

// Grouping two wired blocks takes their ports and texts and the wire
// between them, not the wire to a block outside.
TEST_F(GroupOnDiagram, GroupingBlocksTakesTheirPortsAndTheWiresBetweenThem) {
  auto* a = new CDrawBlock;
  auto* b = new CDrawBlock;
  auto* c = new CDrawBlock;
  ASSERT_TRUE(a->InitializeAs(2, CPoint(0, 0), &view) && a->AddBlockAndComponentsToDiagram(diagram));
  ASSERT_TRUE(b->InitializeAs(100, CPoint(200, 0), &view) && b->AddBlockAndComponentsToDiagram(diagram));
  ASSERT_TRUE(c->InitializeAs(100, CPoint(200, -200), &view) && c->AddBlockAndComponentsToDiagram(diagram));
  auto port = [](CDrawBlock* block, int index) {
    return static_cast<CDrawPort*>(block->GetPorts().GetAt(block->GetPorts().FindIndex(index)));
  };
  auto* inside = new CDrawArc;
  auto* leaving = new CDrawArc;
  ASSERT_TRUE(inside->Initialize(port(a, 0), port(b, 0), TRUE) && diagram->Add(inside));
  ASSERT_TRUE(leaving->Initialize(port(a, 1), port(c, 0), TRUE) && diagram->Add(leaving));
  CDrawGroup* group = AddGroup({a, b});
  CDrawList expected;
  expected.AddTail(a);
  expected.AddTail(b);
  expected.IncludeElementComponents();
  expected.AddTail(inside);
  EXPECT_EQ(group->GetMembers().GetCount(), expected.GetCount());
  for (POSITION pos = expected.GetHeadPosition(); pos;) {
    CDrawObj* member = expected.GetNext(pos);
    EXPECT_TRUE(group->GetMembers().Find(member));
    EXPECT_EQ(member->GetGroup(), group);
  }
  EXPECT_EQ(leaving->GetGroup(), nullptr);
  EXPECT_EQ(c->GetGroup(), nullptr);
}

// A block's ports and texts move with the block: taken without it they
// stay the block's, so that no move of a group carries them a second time.
TEST_F(GroupOnDiagram, PartsOfABlockJoinAGroupOnlyWithTheirBlock) {
  auto* block = new CDrawBlock;
  ASSERT_TRUE(block->InitializeAs(2, CPoint(0, 0), &view) && block->AddBlockAndComponentsToDiagram(diagram));
  CDrawList parts;
  block->IncludeComponentsInList(&parts);
  ASSERT_GE(parts.GetCount(), 3);
  CDrawObj* other = AddObject(CRect(200, 20, 210, 10));
  std::initializer_list<CDrawObj*> chosen = {parts.GetHead(), parts.GetTail(), other};
  CDrawGroup* group = AddGroup(chosen);
  EXPECT_EQ(Members(group), std::vector<CDrawObj*>{other});
  EXPECT_EQ(parts.GetHead()->GetGroup(), nullptr);
}

// A copy of a group of wired blocks holds copies of the blocks, each with
// its own ports and texts, and no wire: the originals keep theirs.
TEST_F(GroupOnDiagram, ACopyOfAGroupOfBlocksHoldsEachBlockWithItsOwnPorts) {
  auto* a = new CDrawBlock;
  auto* b = new CDrawBlock;
  ASSERT_TRUE(a->InitializeAs(1, CPoint(0, 0), &view) && a->AddBlockAndComponentsToDiagram(diagram));
  ASSERT_TRUE(b->InitializeAs(100, CPoint(200, 0), &view) && b->AddBlockAndComponentsToDiagram(diagram));
  auto* wire = new CDrawArc;
  ASSERT_TRUE(wire->Initialize(static_cast<CDrawPort*>(a->GetPorts().GetHead()),
                               static_cast<CDrawPort*>(b->GetPorts().GetHead()), TRUE));
  ASSERT_TRUE(diagram->Add(wire));
  CDrawGroup* group = AddGroup({a, b});
  ASSERT_TRUE(group->GetMembers().Find(wire));
  const std::vector<CDrawObj*> originals = Members(group);

  std::unique_ptr<CDrawObj> copy(group->Clone());
  auto* clone = dynamic_cast<CDrawGroup*>(copy.get());
  ASSERT_NE(clone, nullptr);
  int blocks = 0;
  for (CDrawObj* member : Members(clone)) {
    EXPECT_EQ(std::find(originals.begin(), originals.end(), member), originals.end());
    EXPECT_EQ(member->GetGroup(), clone);
    EXPECT_FALSE(member->IsKindOf(RUNTIME_CLASS(CDrawArc)));
    if (auto* port = DYNAMIC_DOWNCAST(CDrawPort, member)) {
      ASSERT_NE(port->GetDrawBlock(), nullptr);
      EXPECT_TRUE(port->GetDrawBlock()->GetPorts().Find(port));
      EXPECT_TRUE(clone->GetMembers().Find(port->GetDrawBlock()));
    }
    if (auto* block = DYNAMIC_DOWNCAST(CDrawBlock, member)) {
      ++blocks;
      CDrawList components;
      block->IncludeComponentsInList(&components);
      for (POSITION pos = components.GetHeadPosition(); pos;) EXPECT_TRUE(clone->GetMembers().Find(components.GetNext(pos)));
    }
  }
  EXPECT_EQ(blocks, 2);
  // Each copied component is listed once, with its copied owner.
  CDrawList expected;
  for (CDrawObj* member : Members(clone)) {
    if (member->IsKindOf(RUNTIME_CLASS(CDrawBlock))) {
      expected.AddTail(member);
      member->IncludeComponentsInList(&expected);
    }
  }
  EXPECT_EQ(clone->GetMembers().GetCount(), expected.GetCount());
  for (CDrawObj* member : originals) EXPECT_EQ(member->GetGroup(), group);
}

// The stream of a group.
class GroupStream : public ::testing::Test {
 protected:
  void SetUp() override { LinkDiagramLibrary(); }

  // Reads the group at the start of `bytes` as a stream of `version`.
  std::unique_ptr<CDrawGroup> Read(FixtureBytes& bytes, WORD version) {
    doc.StartLoad(version);
    CMemFile file(bytes.Data(), bytes.Size());
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    std::unique_ptr<CDrawGroup> group(static_cast<CDrawGroup*>(ar.ReadObject(RUNTIME_CLASS(CDrawGroup))));
    BYTE beyond = 0;
    EXPECT_THROW(ar >> beyond, CArchiveException);  // every byte was read
    return group;
  }
  // Stores the group and gives the number of members the stream holds.
  int StoredMemberCount(CDrawGroup* group) {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ar.m_pDocument = &doc;
      ar.WriteObject(group);
      ar.Close();
    }
    file.SeekToBegin();
    doc.StartLoad(CDrawDoc::kCurrentVersion);
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    std::unique_ptr<CDrawGroup> read(static_cast<CDrawGroup*>(ar.ReadObject(RUNTIME_CLASS(CDrawGroup))));
    return static_cast<int>(read->GetMembers().GetCount());
  }

  CDrawDoc doc;
};

// A group of one element whose component is not in the member list, as
// versions before 15 could store it.
FixtureBytes ElementGroupFixture() {
  FixtureBytes b;
  b.NewClass("CDrawGroup").DrawObj(14, 0, 0, 40, 30).Word(1);
  b.NewClass("PartOwner").DrawObj(14, 0, 20, 30, 0);
  b.NewClass("CDrawObj").DrawObj(14, 30, 30, 40, 20);
  return b;
}

TEST_F(GroupStream, AGroupFromBeforeVersion15IsNormalisedAtTheNextSave) {
  struct Case {
    WORD version;
    int storedMembers;
  };
  const Case cases[] = {{14, 2}, {15, 1}, {18, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    FixtureBytes bytes = ElementGroupFixture();
    std::unique_ptr<CDrawGroup> group = Read(bytes, c.version);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->GetMembers().GetCount(), 1);
    auto* owner = static_cast<PartOwner*>(group->GetMembers().GetHead());
    EXPECT_EQ(owner->GetGroup(), group.get());
    EXPECT_EQ(group->GetPosition(), CRect(0, 0, 40, 30));
    EXPECT_EQ(group->GetDragRect(), group->GetPosition());
    EXPECT_EQ(StoredMemberCount(group.get()), c.storedMembers);
    EXPECT_EQ(owner->m_part->GetGroup(), c.storedMembers == 2 ? group.get() : nullptr);
  }
}

TEST_F(GroupStream, GroupsAndSubGroupsComeBackAsTheyWere) {
  CDrawGroup outer;
  CDrawList list;
  list.AddTail(new CDrawObj(CRect(0, 10, 10, 0)));
  auto* sub = new CDrawGroup;
  CDrawList subList;
  subList.AddTail(new CDrawObj(CRect(20, 10, 30, 0)));
  subList.AddTail(new CDrawObj(CRect(40, 10, 50, 0)));
  ASSERT_TRUE(sub->SetMembers(subList, FALSE));
  list.AddTail(sub);
  ASSERT_TRUE(outer.SetMembers(list, FALSE));
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    ar.WriteObject(&outer);
    ar.Close();
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  std::unique_ptr<CDrawGroup> read(static_cast<CDrawGroup*>(ar.ReadObject(RUNTIME_CLASS(CDrawGroup))));
  const std::vector<CDrawObj*> members = Members(read.get());
  ASSERT_EQ(members.size(), 2u);
  auto* readSub = dynamic_cast<CDrawGroup*>(members[1]);
  ASSERT_NE(readSub, nullptr);
  EXPECT_EQ(readSub->GetGroup(), read.get());
  EXPECT_EQ(readSub->GetMembers().GetCount(), 2);
  EXPECT_EQ(readSub->GetMembers().GetHead()->GetGroup(), readSub);
  EXPECT_EQ(read->GetPosition(), outer.GetPosition());
}

TEST_F(GroupStream, ADamagedMemberListKeepsEachObjectInOnePlace) {
  // The group (object 2) lists a new object, itself, and the object again.
  FixtureBytes bytes;
  bytes.NewClass("CDrawGroup").DrawObj(18, 0, 10, 10, 0).Word(3);
  bytes.NewClass("CDrawObj").DrawObj(18, 0, 10, 10, 0);
  bytes.ObjectRef(2).ObjectRef(4);
  std::unique_ptr<CDrawGroup> group = Read(bytes, 18);
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->GetMembers().GetCount(), 1);
  EXPECT_NE(group->GetMembers().GetHead(), group.get());
}

TEST_F(GroupStream, AMemberThatFailedToLoadStaysOutAndGoesAtTheEndOfTheLoad) {
  FixtureBytes bytes;
  bytes.NewClass("CDrawGroup").DrawObj(18, 0, 10, 40, 0).Word(2);
  bytes.NewClass("Unplaceable").DrawObj(18, 0, 10, 10, 0);
  bytes.NewClass("CDrawObj").DrawObj(18, 30, 10, 40, 0);
  std::unique_ptr<CDrawGroup> group = Read(bytes, 18);
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->GetMembers().GetCount(), 1);
  EXPECT_FALSE(group->GetMembers().GetHead()->IsKindOf(RUNTIME_CLASS(Unplaceable)));
  EXPECT_TRUE(doc.LoadFailuresDidOccur());
  doc.EndLoad(0);  // deletes the failure (the sanitizer sees a leak or a double free)
}

TEST_F(GroupStream, AGroupWhoseReadFailsLeavesItsFailedMembersToTheDocument) {
  // The stream ends after a member that failed to load: the failed group
  // goes without it, and the document frees it once.
  FixtureBytes bytes;
  bytes.NewClass("CDrawGroup").DrawObj(18, 0, 10, 40, 0).Word(2);
  bytes.NewClass("Unplaceable").DrawObj(18, 0, 10, 10, 0);
  doc.StartLoad(18);
  CMemFile file(bytes.Data(), bytes.Size());
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  EXPECT_THROW(ar.ReadObject(RUNTIME_CLASS(CDrawGroup)), CArchiveException);
  EXPECT_TRUE(doc.LoadFailuresDidOccur());
  doc.EndLoad(0);
}

TEST_F(GroupStream, AMemberThatIsNoDrawingObjectIsRefused) {
  FixtureBytes bytes;
  bytes.NewClass("CDrawGroup").DrawObj(18, 0, 10, 10, 0).Word(1);
  bytes.NewClass("CTextFont").LogFont(18, -13, 400, "Arial");
  doc.StartLoad(18);
  CMemFile file(bytes.Data(), bytes.Size());
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  EXPECT_THROW(ar.ReadObject(RUNTIME_CLASS(CDrawGroup)), CArchiveException);
}

}  // namespace

namespace {

// An object that counts the live ones.
class Live : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  Live(const Live&) = delete;
  Live& operator=(const Live&) = delete;
  explicit Live(const CRect& rect) : CDrawObj(rect) { ++count; }
  ~Live() override { --count; }
  static inline int count = 0;
};

// A long list (one that keeps an index) in which groups and their members
// lie among plain objects: deleting the contents destroys every object
// once, owners taking their members as they go.
TEST_F(GroupOnDiagram, DeletingTheContentsOfALongListWithGroupsDestroysEachObjectOnce) {
  std::vector<CDrawObj*> loose;
  for (int i = 0; i < 120; ++i) {
    auto* object = new Live(CRect(i * 3, 20, i * 3 + 2, 10));
    ASSERT_TRUE(diagram->Add(object));
    loose.push_back(object);
  }
  for (size_t i = 0; i + 5 < loose.size(); i += 6) {
    AddGroup({loose[i + 1], loose[i + 4]});
    if (i % 12 == 0) AddGroup({loose[i + 2], loose[i + 3]});
  }
  ASSERT_GT(diagram->GetObjects().GetCount(), 32);
  ASSERT_EQ(Live::count, 120);
  diagram->DeleteContents();
  EXPECT_TRUE(diagram->GetObjects().IsEmpty());
  EXPECT_EQ(Live::count, 0);
}

}  // namespace
