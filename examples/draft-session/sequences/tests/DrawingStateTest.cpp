#include <gtest/gtest.h>

#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "examples/draft-session/sequences/DrawingState.h"

namespace {

// What is selected is listed where it stands in drawing order, and the
// selection is the same after the state is read.
TEST(DrawingStateTest, TheSelectionIsNoPartOfTheStateAndStaysAsItWas) {
  CDraftView view;
  CEntity* first = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
  CEntity* second = ConstructLineEntity(1, nullptr, 0, 5, 10, 5);
  CEntity* third = ConstructLineEntity(2, nullptr, 0, 9, 10, 9);
  for (CEntity* e : {first, second, third}) view.AddEntityToView(e);
  const draftsequence::DrawingState none = draftsequence::CaptureState(view);
  EXPECT_EQ(none.entities, "line 0 - 0 0 10 0\nline 1 - 0 5 10 5\nline 2 - 0 9 10 9\n");
  view.SelectEntity(third);
  view.SelectEntity(first);
  EXPECT_EQ(draftsequence::CaptureState(view), none);
  ASSERT_EQ(view.GetSelectionCount(), 2);
  EXPECT_EQ(view.GetSelectionList()->GetHead(), third);
  EXPECT_EQ(view.GetSelectionList()->GetTail(), first);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
}

TEST(DrawingStateTest, TheFirstDifferenceNamesItsLine) {
  EXPECT_EQ(draftsequence::FirstDifference("a\nb\n", "a\nc\n"), "line 2: expected \"b\", found \"c\"");
  EXPECT_EQ(draftsequence::FirstDifference("a\n", "a\nb\n"), "line 2: expected \"(end)\", found \"b\"");
  EXPECT_EQ(draftsequence::FirstDifference("a\n", "a\n"), "no difference");
}

}  // namespace
