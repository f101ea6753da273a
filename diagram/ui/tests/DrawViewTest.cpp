// The model through a view: handle hit tests of selected objects in both y
// directions, selection handles drawn on a recording device context, and the
// view's reaction to the diagram's hints.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/tests/DownDiagram.h"
#include "diagram/ui/DrawView.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowDC.h"

namespace {

using diagramtest::DownDiagram;

// A document with a view on its active diagram, in a window of 800 x 600.
class ViewOnDiagram : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (upward()) {
      diagram = doc.GetDiagram();
    } else {
      downDiagram = std::make_unique<DownDiagram>();
      diagram = downDiagram.get();
      doc.SetActiveDiagram(diagram);
    }
    diagram->SetDocument(&doc);
    ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
    doc.AddView(&view);
    ASSERT_TRUE(view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600),
                              nullptr, 0));
    view.OnInitialUpdate();
    ASSERT_EQ(view.GetDiagram(), diagram);
    view.SetActive(TRUE);
    // Upright in the diagram's own direction: top is the larger y when y
    // grows upward.
    object = new CDrawObj(upward() ? CRect(0, 20, 40, 0) : CRect(0, 0, 40, 20));
    ASSERT_TRUE(diagram->Add(object));
  }
  void TearDown() override {
    // Undo records may refer to objects in the diagram's trash: they go
    // before the diagram does.
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    view.DestroyWindow();
    if (downDiagram) {
      doc.SetActiveDiagram(doc.GetDiagram());
      downDiagram.reset();
    }
  }
  bool upward() const { return GetParam(); }

  CDrawDoc doc;
  std::unique_ptr<DownDiagram> downDiagram;
  CDiagram* diagram = nullptr;
  CDrawView view;
  CDrawObj* object = nullptr;
};

TEST_P(ViewOnDiagram, DocumentAndClientCoordinatesRoundTrip) {
  CPoint corner = diagram->GetRect().TopLeft();
  view.DocToClient(corner);
  EXPECT_EQ(corner, CPoint(0, 0));  // the canvas's top-left corner is the client origin
  CPoint lower(0, upward() ? -100 : 100);
  CPoint higher(0, upward() ? 100 : -100);
  view.DocToClient(lower);
  view.DocToClient(higher);
  EXPECT_GT(lower.y, higher.y);  // in pixels, the diagram's "down" is down
  CPoint back(123, 456);
  view.ClientToDoc(back);
  view.DocToClient(back);
  EXPECT_NEAR(back.x, 123, 1);
  EXPECT_NEAR(back.y, 456, 1);
}

TEST_P(ViewOnDiagram, SelectedObjectsAreHitOnlyOnTheirHandlesWithHalfOpenEdges) {
  for (int handle = 1; handle <= 8; ++handle) {
    const CRect r = object->GetHandleRect(handle, &view);
    ASSERT_EQ(r.top > r.bottom, upward()) << "handle rectangles follow the diagram's direction";
    const int yLow = std::min(r.top, r.bottom);
    const int yHigh = std::max(r.top, r.bottom);
    const int x = (r.left + r.right) / 2;
    const int y = (yLow + yHigh) / 2;
    // Left edge in, right edge out.
    EXPECT_EQ(object->HitTest(CPoint(r.left, y), &view, TRUE), handle);
    EXPECT_NE(object->HitTest(CPoint(r.right, y), &view, TRUE), handle);
    // In y the edge at `top` is in, the one at `bottom` is out, whichever
    // of them is larger.
    EXPECT_EQ(object->HitTest(CPoint(x, r.top), &view, TRUE), handle) << "handle " << handle;
    EXPECT_NE(object->HitTest(CPoint(x, r.bottom), &view, TRUE), handle) << "handle " << handle;
    // The handle point itself lies in its rectangle.
    EXPECT_EQ(object->HitTest(object->GetHandle(handle), &view, TRUE), handle);
  }
  // The body of a selected object is not a hit; unselected it is.
  const CPoint centre(20, 10);
  EXPECT_EQ(object->HitTest(centre, &view, TRUE), 0);
  EXPECT_EQ(object->HitTest(centre, &view, FALSE), 1);
}

TEST_P(ViewOnDiagram, HandlesKeepTheirPixelSize) {
  const CRect r = object->GetHandleRect(1, &view);
  CRect pixels = r;
  view.DocToClient(pixels);
  EXPECT_NEAR(pixels.Width(), 6, 1);
  EXPECT_NEAR(pixels.Height(), 6, 1);
}

TEST_P(ViewOnDiagram, ObjectAtFindsTheFrontmostSelectableObject) {
  auto* over = new CDrawObj(object->GetPosition());
  ASSERT_TRUE(diagram->Add(over));
  CPoint inside(10, 10);
  view.DocToClient(inside);
  EXPECT_EQ(diagram->ObjectAt(&view, inside, nullptr), over);
  CPoint outside(300, 300);
  view.DocToClient(outside);
  EXPECT_EQ(diagram->ObjectAt(&view, outside, nullptr), nullptr);
}

TEST_P(ViewOnDiagram, SelectedObjectsGetTheirHandlesAfterEveryObjectIsDrawn) {
  auto* other = new CDrawObj(CRect(100, 100, 140, 140));
  ASSERT_TRUE(diagram->Add(other));
  view.GetSelection().AddTail(object);
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  CDC dc;
  dc.Attach(platform::CreateRecordingDc(recorder));
  view.OnPrepareDC(&dc);
  diagram->Draw(&dc, diagram->GetRect(), &view);
  int inversions = 0;
  for (const platform::DrawOp& op : recorder->Ops()) {
    if (op.kind == platform::DrawKind::PatBlt && op.rop3 == DSTINVERT) ++inversions;
  }
  EXPECT_EQ(inversions, 8);  // the selected object's eight handles, none for the other
}

TEST_P(ViewOnDiagram, ARemovedObjectLeavesTheSelection) {
  view.GetSelection().AddTail(object);
  ASSERT_EQ(object->Delete(), 1);
  EXPECT_TRUE(view.GetSelection().IsEmpty());
}

TEST_P(ViewOnDiagram, HintsOfAnotherDiagramAreIgnored) {
  CDiagram other;
  auto* foreign = new CDrawObj(CRect(0, 10, 10, 0));
  ASSERT_TRUE(other.Add(foreign));
  view.GetSelection().AddTail(object);
  // The view is not registered with the other diagram; a hint that names
  // it, sent directly, must not touch this view's selection.
  CDrawHint hint(&other, object);
  view.OnUpdate(nullptr, CDrawHint::objectRemoved, &hint);
  EXPECT_EQ(view.GetSelection().GetCount(), 1);
}

// An object that notes each time it is drawn.
class Box : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  void Draw(CDC* dc) override {
    drawn.push_back(m_position);
    dc->Rectangle(&m_position);
  }
  static std::vector<CRect> drawn;
};

std::vector<CRect> Box::drawn;

TEST_P(ViewOnDiagram, AChangedObjectIsRepaintedThroughTheViewsPaint) {
  // Both in the visible part of the 800 x 600 window.
  Box* box = new Box(upward() ? CRect(100, 100, 140, 60) : CRect(100, -100, 140, -60));
  Box* far = new Box(upward() ? CRect(-300, -300, -260, -340) : CRect(-300, 300, -260, 340));
  ASSERT_TRUE(diagram->Add(box));
  ASSERT_TRUE(diagram->Add(far));
  view.UpdateWindow();  // paint everything pending first
  Box::drawn.clear();
  ASSERT_TRUE(box->SetFillColor(RGB(0, 128, 0)));
  view.UpdateWindow();
  EXPECT_EQ(Box::drawn, (std::vector<CRect>{box->GetPosition()}));
}

// A view that notes every hint its diagram sends.
class HintLog : public CDrawView {
 public:
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override {
    hints.push_back(static_cast<int>(hint));
    CDrawView::OnUpdate(sender, hint, hintObject);
  }
  std::vector<int> hints;
};

class DiagramHints : public ::testing::Test {
 protected:
  void SetUp() override {
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    doc.AddView(&view);
    ASSERT_TRUE(view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
    view.OnInitialUpdate();
    view.hints.clear();
  }
  void TearDown() override { view.DestroyWindow(); }

  CDrawDoc doc;
  CDiagram* diagram = nullptr;
  HintLog view;
};

TEST_F(DiagramHints, TheGridHintComesOnlyWhenTheLineSpacingChanges) {
  ASSERT_TRUE(diagram->SetGrid(CSize(5, 5), CSize(20, 20)));  // still a line every 100 units
  EXPECT_TRUE(view.hints.empty());
  ASSERT_TRUE(diagram->SetGrid(CSize(5, 5), CSize(10, 10)));
  EXPECT_EQ(view.hints, (std::vector<int>{CDrawHint::gridChanged}));
}

TEST_F(DiagramHints, PaperColourCanvasSizeAndContents) {
  ASSERT_TRUE(diagram->SetPaperColor(RGB(255, 255, 255)));  // unchanged: no hint
  ASSERT_TRUE(diagram->SetPaperColor(RGB(250, 250, 200)));
  ASSERT_TRUE(diagram->SetCanvasSize(2, 1));
  EXPECT_EQ(view.hints, (std::vector<int>{CDrawHint::paperColorChanged, CDrawHint::canvasSizeChanged}));
  ASSERT_TRUE(doc.UndoLast());
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(diagram->GetPaperColor(), RGB(255, 255, 255));

  auto* object = new CDrawObj(CRect(0, 10, 10, 0));
  ASSERT_TRUE(diagram->Add(object));
  view.GetSelection().AddTail(object);
  view.hints.clear();
  diagram->DeleteContents();
  ASSERT_FALSE(view.hints.empty());
  EXPECT_EQ(view.hints.front(), CDrawHint::contentsCleared);
  EXPECT_TRUE(view.GetSelection().IsEmpty());
}

TEST_F(DiagramHints, ARepaintedObjectAndAnObjectTakenOffTheCanvas) {
  auto* object = new CDrawObj(CRect(0, 10, 10, 0));
  ASSERT_TRUE(diagram->Add(object));
  view.hints.clear();
  ASSERT_TRUE(object->SetFillColor(RGB(1, 1, 1)));
  EXPECT_EQ(view.hints, (std::vector<int>{CDrawHint::objectChanged}));
  view.hints.clear();
  diagram->Expunge(object);
  EXPECT_EQ(view.hints, (std::vector<int>{CDrawHint::objectRemoved}));
  doc.ClearUndoStack();
  delete object;
}

TEST_F(DiagramHints, AViewLetsGoOfADiagramThatIsDestroyed) {
  {
    CDiagram other;
    view.SwitchToDiagram(&other);
    ASSERT_EQ(view.GetDiagram(), &other);
  }
  EXPECT_EQ(view.GetDiagram(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(UpAndDown, ViewOnDiagram, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "YUp" : "YDown"; });

}  // namespace
