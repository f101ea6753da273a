#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"

namespace {
class RegisteredTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drawn = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
    view.AddEntityToView(drawn);
  }
  CDraftView view;
  CEntity* drawn = nullptr;
};
}  // namespace

// A command's boundary entity is registered and selected; whichever way it
// leaves (the list emptied, the selection cleared, the entity deleted or
// removed), the view keeps no trace of it and the drawing is untouched.
TEST_F(RegisteredTest, ARegisteredEntityLeavesNoTraceInTheView) {
  struct Case {
    const char* name;
    // Ends the registration; returns true when the entity was deleted.
    std::function<bool(CDraftView&, CEntity*)> leave;
  };
  const Case cases[] = {
      {"the registered list emptied", [](CDraftView& v, CEntity*) { v.ClearRegisteredEntities(); return false; }},
      {"the entity deleted first", [](CDraftView&, CEntity* e) { delete e; return true; }},
      {"unregistered alone", [](CDraftView& v, CEntity* e) { return !v.UnregisterEntity(e); }},
      {"removed from the view", [](CDraftView& v, CEntity* e) { v.RemoveEntity(e); return false; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CEntity* loop = ConstructCircleEntity(0, nullptr, 5, 5, 2);
    CEntityList list;
    list.AddTail(loop);
    view.RegisterInsertedEntities(list);
    view.SelectEntities(list, 1, 0, 1, 1);
    EXPECT_TRUE(view.IsRegistered(loop));
    EXPECT_FALSE(view.IsInDrawing(loop));
    EXPECT_EQ(view.GetSelectionCount(), 1);
    const bool deleted = c.leave(view, loop);
    EXPECT_EQ(view.GetSelectionCount(), 0);
    EXPECT_TRUE(view.GetSecondList()->IsEmpty());
    ASSERT_EQ(view.GetEntityList()->GetCount(), 1);
    EXPECT_EQ(view.GetEntityList()->GetHead(), drawn);
    if (!deleted) {
      EXPECT_FALSE(view.IsRegistered(loop));
      delete loop;  // always the command's
    }
  }
}

// Clearing the selection drops registered entities instead of moving them
// into the drawing; picking, snapping and the drawing file pass them over.
TEST_F(RegisteredTest, RegisteredEntitiesAreNotPartOfTheDrawing) {
  auto loop = std::unique_ptr<CEntity>(ConstructLineEntity(0, nullptr, 0, 5, 10, 5));
  CEntityList list;
  list.AddTail(loop.get());
  view.RegisterInsertedEntities(list);
  view.SelectEntities(list);
  CEntityList picked;
  EXPECT_FALSE(view.PickEntitiesAtPoint(5, 5, picked, 1, 1, 0, 0, kPickEverything, -1));
  EXPECT_FALSE(view.PickEntitiesAtPoint(5, 5, picked, 0, 1, 1, 0, kPickEverything, -1));
  PointRec cursor{0, 0, 10, 5.2, 1, 1};
  DWORD wx = 0, wy = 0, state = 0;
  EXPECT_EQ(view.SnapCursorPoint(SnapOptions{}, 0, {}, cursor, 1, wx, wy, 0, &state), 0);
  EXPECT_EQ(FormatDrawingFile(view).find("line 0 - 0 5"), std::string::npos);
  view.ClearSelection();
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
  EXPECT_TRUE(view.IsRegistered(loop.get()));
  // An undo record naming it changes nothing in the drawing.
  view.PushUndoRecord(ConstructUndoAddEntity(loop.get()));
  view.Undo();
  view.Redo();
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
  view.ClearRegisteredEntities();
}

// The view dies before the command: the entity is no longer watched.
TEST(RegisteredLifetimeTest, AnEntityOutlivingItsViewIsLeftAlone) {
  std::unique_ptr<CEntity> loop(ConstructLineEntity(0, nullptr, 0, 0, 1, 1));
  {
    CDraftView view;
    CEntityList list;
    list.AddTail(loop.get());
    view.RegisterInsertedEntities(list);
    view.SelectEntities(list);
  }
  EXPECT_EQ(loop->GetWatcher(), nullptr);
}
