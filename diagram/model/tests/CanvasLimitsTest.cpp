// Objects beyond the edge of the canvas: the two questions, the forced move
// with and without undo, and the index that must follow the move.
#include <gtest/gtest.h>

#include <deque>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "platform/core/MessageBox.h"

namespace {

// Answers the questions in order and counts them.
class Answers {
 public:
  explicit Answers(std::deque<int> answers)
      : answers_(std::move(answers)), scope_([this](const platform::MessageBoxRequest&) {
          ++asked;
          if (answers_.empty()) return IDNO;
          const int answer = answers_.front();
          answers_.pop_front();
          return answer;
        }) {}
  int asked = 0;

 private:
  std::deque<int> answers_;
  platform::ScopedMessageBoxHandler scope_;
};

class BeyondCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    diagram.SetDocument(&doc);
    diagram.ToggleSnapToGrid();
    ASSERT_TRUE(diagram.SetCanvasSize(1, 1));  // x -425..425, y -550..550
    inside = new CDrawObj(CRect(0, 10, 10, 0));
    beyond = new CDrawObj(CRect(500, 10, 520, 0));
    ASSERT_TRUE(diagram.Add(inside));
    // Added without growing the canvas, as a load would leave it.
    ASSERT_TRUE(diagram.Add(beyond));
    doc.ClearUndoStack();
  }
  bool FoundAt(const CRect& rect, CDrawObj* object) {
    CDrawList found;
    diagram.GetObjectsInRect(rect, found);
    return found.Find(object) != nullptr;
  }

  CDrawDoc doc;
  CDiagram& diagram = *doc.GetDiagram();
  CDrawObj* inside = nullptr;
  CDrawObj* beyond = nullptr;
};

TEST_F(BeyondCanvas, NoToTheSecondQuestionLeavesEverythingWhereItWas) {
  Answers answers({IDYES, IDNO});
  EXPECT_EQ(diagram.HandleObjectsBeyondCanvas(1, 0), 0);
  EXPECT_EQ(answers.asked, 2);
  EXPECT_EQ(beyond->GetPosition(), CRect(500, 10, 520, 0));
}

TEST_F(BeyondCanvas, WithoutUndoTheObjectsMoveAndTheTreeFollows) {
  Answers answers({IDYES, IDYES});
  EXPECT_EQ(diagram.HandleObjectsBeyondCanvas(1, 0), 1);
  EXPECT_EQ(beyond->GetPosition(), CRect(405, 10, 425, 0));
  EXPECT_EQ(inside->GetPosition(), CRect(0, 10, 10, 0));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  EXPECT_TRUE(FoundAt(CRect(400, 20, 420, -10), beyond));
  EXPECT_FALSE(FoundAt(CRect(500, 20, 520, -10), beyond));
}

TEST_F(BeyondCanvas, WithUndoTheMoveIsOneCommand) {
  Answers answers({IDYES});
  EXPECT_EQ(diagram.HandleObjectsBeyondCanvas(1, 1), 1);
  EXPECT_EQ(answers.asked, 1);  // no warning that it cannot be undone
  EXPECT_EQ(beyond->GetPosition(), CRect(405, 10, 425, 0));
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Force Objects Onto Canvas"));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(beyond->GetPosition(), CRect(500, 10, 520, 0));
  EXPECT_TRUE(FoundAt(CRect(500, 20, 520, -10), beyond));
}

}  // namespace
