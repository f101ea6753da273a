// A diagram draws the objects that meet the damaged rectangle, back to
// front, on any device context; here on a recording one.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/testsupport/DocumentView.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"

namespace {

// An object that draws its rectangle.
class Box : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  void Draw(CDC* dc) override { dc->Rectangle(&m_position); }
};

struct RecordingDc {
  RecordingDc() : recorder(std::make_shared<platform::DrawingRecorder>()) {
    dc.Attach(platform::CreateRecordingDc(recorder));
  }
  // The logical rectangles of the Rectangle calls, in drawing order.
  std::vector<CRect> Rectangles() const {
    std::vector<CRect> out;
    for (const platform::DrawOp& op : recorder->Ops()) {
      if (op.kind == platform::DrawKind::Rectangle) out.emplace_back(op.logical[0], op.logical[1]);
    }
    return out;
  }
  std::shared_ptr<platform::DrawingRecorder> recorder;
  CDC dc;
};

class DiagramDraw : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    // Both ways of finding the objects: the quad tree (a canvas of four
    // pages, queried in a small area) and the scan (no canvas yet).
    if (GetParam()) {
      ASSERT_TRUE(diagram.SetCanvasSize(2, 2));
    }
    back = Add(CRect(0, 100, 100, 0));
    middle = Add(CRect(50, 150, 150, 50));
    away = Add(CRect(400, 500, 500, 400));
    front = Add(CRect(80, 120, 120, 80));
  }
  Box* Add(const CRect& r) {
    auto* box = new Box(r);
    EXPECT_TRUE(diagram.Add(box));
    return box;
  }

  CDiagram diagram;
  Box* back = nullptr;
  Box* middle = nullptr;
  Box* away = nullptr;
  Box* front = nullptr;
};

TEST_P(DiagramDraw, DrawsTheObjectsInTheRectangleBackToFront) {
  RecordingDc recording;
  diagram.Draw(&recording.dc, CRect(0, 200, 200, 0), nullptr);
  EXPECT_EQ(recording.Rectangles(),
            (std::vector<CRect>{back->GetPosition(), middle->GetPosition(), front->GetPosition()}));
}

TEST_P(DiagramDraw, DrawsInTheNewOrderAfterAZOrderChange) {
  ASSERT_TRUE(diagram.MoveToBack(front));
  ASSERT_TRUE(diagram.MoveToFront(back));
  RecordingDc recording;
  diagram.Draw(&recording.dc, CRect(0, 200, 200, 0), nullptr);
  EXPECT_EQ(recording.Rectangles(),
            (std::vector<CRect>{front->GetPosition(), middle->GetPosition(), back->GetPosition()}));
}

TEST_P(DiagramDraw, DrawsNothingOutsideTheObjects) {
  RecordingDc recording;
  diagram.Draw(&recording.dc, CRect(250, 350, 350, 250), nullptr);
  EXPECT_TRUE(recording.Rectangles().empty());
  diagram.Draw(&recording.dc, CRect(450, 450, 460, 440), nullptr);
  EXPECT_EQ(recording.Rectangles(), (std::vector<CRect>{away->GetPosition()}));
}

TEST_P(DiagramDraw, ADeletedObjectIsNotDrawn) {
  ASSERT_EQ(diagram.DelObj(middle), 1);
  RecordingDc recording;
  diagram.Draw(&recording.dc, CRect(0, 200, 200, 0), nullptr);
  EXPECT_EQ(recording.Rectangles(), (std::vector<CRect>{back->GetPosition(), front->GetPosition()}));
}

INSTANTIATE_TEST_SUITE_P(TreeOrScan, DiagramDraw, ::testing::Bool());

// While the select tool drags an object it moves it without filing it again
// in the quad tree: the active view's selected objects are drawn wherever
// they meet the damaged rectangle now.
class DragRepaint : public DocumentView {};

TEST_F(DragRepaint, ASelectedObjectIsDrawnWhereADragHasMovedIt) {
  Box* boxes[4] = {};
  for (int i = 0; i < 4; ++i) {
    boxes[i] = new Box(CRect(i * 50, 50, i * 50 + 40, 10));
    ASSERT_TRUE(diagram->Add(boxes[i]));
  }
  Box* dragged = boxes[1];
  view.Select(dragged, FALSE);
  ASSERT_TRUE(view.IsSelected(dragged));
  const CRect moved(200, 400, 240, 360);
  dragged->MoveTo(moved, nullptr);

  RecordingDc recording;
  diagram->Draw(&recording.dc, CRect(150, 450, 300, 300), &view);
  EXPECT_EQ(recording.Rectangles(), (std::vector<CRect>{moved}));
  // Where it was, only the objects still there are drawn.
  RecordingDc before;
  diagram->Draw(&before.dc, CRect(0, 60, 200, 0), &view);
  EXPECT_EQ(before.Rectangles(), (std::vector<CRect>{boxes[0]->GetPosition(), boxes[2]->GetPosition(),
                                                     boxes[3]->GetPosition()}));
}

// An object that cannot draw.
class FailingBox : public Box {
 public:
  using Box::Box;
  void Draw(CDC*) override { AfxThrowMemoryException(); }
};

// A paint that fails leaves the diagram as it was: the quad tree, switched
// off for a paint with much of the diagram selected, answers again.
TEST_F(DragRepaint, APaintThatThrowsLeavesTheQuadTreeInUse) {
  auto* box = new Box(CRect(0, 50, 40, 10));
  auto* failing = new FailingBox(CRect(50, 50, 90, 10));
  ASSERT_TRUE(diagram->Add(box));
  ASSERT_TRUE(diagram->Add(failing));
  view.Select(box, FALSE);
  view.Select(failing, TRUE);
  RecordingDc recording;
  EXPECT_THROW(diagram->Draw(&recording.dc, CRect(0, 100, 100, 0), &view), CMemoryException);
  CDrawList found;
  EXPECT_EQ(diagram->GetObjectsInRect(CRect(0, 100, 100, 0), found), 1);
}

}  // namespace
