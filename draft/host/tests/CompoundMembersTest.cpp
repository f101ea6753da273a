#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"

namespace {
// A block of two lines and a nested block holding a third line.
class MembersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    block = ConstructBlockEntity(0, nullptr);
    first = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
    second = ConstructLineEntity(0, nullptr, 10, 0, 10, 10);
    nested = ConstructBlockEntity(0, nullptr);
    deep = ConstructLineEntity(0, nullptr, 20, 20, 30, 20);
    block->AddMember(first);
    block->AddMember(second);
    nested->AddMember(deep);
    block->AddMember(nested);
    view.AddEntityToView(block);
  }
  std::vector<CEntity*> Members() const {
    std::vector<CEntity*> out;
    for (int i = 0; i < block->GetMemberCount(); ++i) out.push_back(block->GetMember(i));
    return out;
  }
  CDraftView view;
  CBlockEntity* block = nullptr;
  CEntity* first = nullptr;
  CEntity* second = nullptr;
  CBlockEntity* nested = nullptr;
  CEntity* deep = nullptr;
};
}  // namespace

// Mask bit 0x400000 and option o4 offer members, nested ones included;
// other masks pick the compound whole.
TEST_F(MembersTest, PickingOffersMembersOnlyWhenAsked) {
  struct Row {
    const char* name;
    int o4;
    DWORD mask;
    GPoint at;
    CEntity* expected;
  };
  const Row rows[] = {
      {"0x400000 gives the line", 0, 0x402000, {5, 0}, first},
      {"0x400000 opens nested blocks", 0, 0x7FFEFE, {25, 20}, deep},
      {"o4 with a line mask", 1, kPickLine, {5, 0}, first},
      {"0x2000 keeps the block whole", 0, 0x2000, {25, 20}, block},
      {"0x22040 keeps the block whole", 0, 0x22040, {5, 0}, block},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    CEntityList out;
    ASSERT_TRUE(view.PickEntitiesAtPoint(r.at.x, r.at.y, out, 0, 1, 0, r.o4, r.mask, -1));
    EXPECT_EQ(out.GetHead(), r.expected);
    EXPECT_EQ(out.GetHead()->GetEntityOwner() != nullptr, r.expected != block);
  }
}

// A member replaced the way the commands replace one entity: it leaves its
// block, the new entity (naming the block as its owner) takes its place;
// undo and redo restore membership and place.
TEST_F(MembersTest, ReplacingAMemberKeepsItsPlaceThroughUndoAndRedo) {
  CEntity* circle = ConstructCircleEntity(0, nullptr, 5, 5, 1);
  circle->SetEntityOwner(first->GetEntityOwner());
  CUndoRecord* record = ConstructUndoReplaceEntity(first, circle);
  EXPECT_TRUE(view.RemoveEntity(first));
  EXPECT_EQ(first->GetEntityOwner(), block);  // still names its block
  EXPECT_FALSE(view.IsInDrawing(first));
  view.AddEntityToView(circle, nullptr, first);
  view.PushUndoRecord(record);
  EXPECT_EQ(Members(), (std::vector<CEntity*>{circle, second, nested}));
  EXPECT_TRUE(view.IsInDrawing(circle));
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Members(), (std::vector<CEntity*>{first, second, nested}));
  ASSERT_TRUE(view.Redo());
  EXPECT_EQ(Members(), (std::vector<CEntity*>{circle, second, nested}));
  ASSERT_TRUE(view.Undo());
  // A new step cuts the redo history: the circle goes, the block keeps the line.
  view.PushUndoRecord(ConstructUndoAddEntity(ConstructLineEntity(0, nullptr, 0, 0, 1, 1)));
  EXPECT_EQ(Members(), (std::vector<CEntity*>{first, second, nested}));
}

// A block made by one step and a member replaced by the next, both undone:
// cutting the redo history frees the block, and the replaced member, which
// the later step still names, goes after it without being read once freed.
TEST(MemberRecordsTest, ABlockAndAReplacedMemberGoTogetherWhenTheRedoHistoryIsCut) {
  CDraftView view;
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  CEntity* side = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
  block->AddMember(side);
  block->AddMember(ConstructLineEntity(0, nullptr, 10, 0, 10, 10));
  CUndoRecord* made = ConstructUndoAddEntity(block);
  view.AddEntityToView(block);
  view.PushUndoRecord(made);
  CEntity* piece = ConstructLineEntity(0, nullptr, 2, 0, 10, 0);
  piece->SetEntityOwner(block);
  CUndoRecord* replaced = ConstructUndoReplaceEntity(side, piece);
  view.RemoveEntity(side);
  view.AddEntityToView(piece, nullptr, side);
  view.PushUndoRecord(replaced);
  ASSERT_TRUE(view.Undo());
  ASSERT_TRUE(view.Undo());
  CEntity* line = ConstructLineEntity(0, nullptr, 5, 5, 6, 6);
  view.AddEntityToView(line);
  view.PushUndoRecord(ConstructUndoAddEntity(line));
  EXPECT_EQ(view.GetRedoCount(), 0);
  EXPECT_EQ(FormatDrawingFile(view), "scrivel-drawing 1\nline 0 - 5 5 6 6\n");
}

// Deleting a nested member and undoing it.
TEST_F(MembersTest, ADeletedMemberComesBackIntoItsBlock) {
  CUndoRecord* record = ConstructUndoDeleteEntity(deep);
  view.RemoveEntity(deep);
  view.PushUndoRecord(record);
  EXPECT_EQ(nested->GetMemberCount(), 0);
  view.Undo();
  ASSERT_EQ(nested->GetMemberCount(), 1);
  EXPECT_EQ(nested->GetMember(0), deep);
  view.Redo();
  EXPECT_EQ(nested->GetMemberCount(), 0);
}

// A member removed without a record is the caller's.
TEST_F(MembersTest, AMemberRemovedWithoutARecordIsTheCallers) {
  view.RemoveEntity(second);
  EXPECT_EQ(Members(), (std::vector<CEntity*>{first, nested}));
  delete second;
}

// A new member that the allocator puts at the address of a freed member
// never had a place in the block: it goes last, not into the freed one's.
TEST_F(MembersTest, ANewMemberAtAFreedMembersAddressGoesLast) {
  alignas(CLineEntity) unsigned char storage[sizeof(CLineEntity)];
  auto* gone = new (storage) CLineEntity(0, nullptr, 0, 5, 5, 5);
  ASSERT_TRUE(block->InsertMember(gone, 0));
  view.RemoveEntity(gone);  // out of its block, the caller's
  gone->~CLineEntity();
  auto* made = new (storage) CLineEntity(0, nullptr, 0, 6, 6, 6);
  made->SetEntityOwner(block);
  view.AddEntityToView(made);
  EXPECT_EQ(Members(), (std::vector<CEntity*>{first, second, nested, made}));
  view.RemoveEntity(made);
  made->~CLineEntity();
}

TEST_F(MembersTest, ExplodeIntoGivesACompoundsMembersAndAnythingElseItself) {
  CEntityList parts;
  block->ExplodeInto(1, parts, 0, 0, 0);
  std::vector<CEntity*> got;
  for (CEntity* e : parts) got.push_back(e);
  EXPECT_EQ(got, (std::vector<CEntity*>{first, second, nested}));
  CEntityList alone;
  first->ExplodeInto(1, alone, 0, 0, 0);
  ASSERT_EQ(alone.GetCount(), 1);
  EXPECT_EQ(alone.GetHead(), first);
}

// A picked member shown highlighted: clearing the selection leaves it in
// its block, the drawing file lists it once.
TEST_F(MembersTest, ASelectedMemberStaysInItsBlock) {
  view.SelectEntity(first);
  EXPECT_EQ(view.GetSelectionCount(), 1);
  view.ClearSelection();
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);  // the block alone
  EXPECT_EQ(Members(), (std::vector<CEntity*>{first, second, nested}));
  view.SelectEntity(first);
  const std::string file = FormatDrawingFile(view);
  EXPECT_EQ(file.find("line 0 - 0 0 10 0"), file.rfind("line 0 - 0 0 10 0"));
}

// Two members of one block deleted in one step: each comes back in its own
// place, however often the step is undone and redone.
TEST_F(MembersTest, MembersDeletedTogetherComeBackInTheirPlaces) {
  CEntityList both;
  both.AddTail(first);
  both.AddTail(nested);
  CUndoRecord* record = ConstructUndoDeleteEntities();
  record->AddOldList(both);
  view.RemoveEntities(both);
  view.PushUndoRecord(record);
  EXPECT_EQ(Members(), (std::vector<CEntity*>{second}));
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(view.Undo());
    EXPECT_EQ(Members(), (std::vector<CEntity*>{first, second, nested}));
    ASSERT_TRUE(view.Redo());
    EXPECT_EQ(Members(), (std::vector<CEntity*>{second}));
  }
}
