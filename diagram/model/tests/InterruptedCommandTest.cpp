// Commands interrupted by an object that throws part way: the error goes on
// to the caller, and the document's recording and the live router's batch
// are closed, so the next edit still gets its own undo entry.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/canvas/ArcRouter.h"
#include "platform/core/String.h"

namespace {

// An object whose move, delete and component walk throw once armed.
class FailingObj : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  void MoveBy(CPoint delta, int bInvalidate) override {
    if (armed) throw std::runtime_error("move failed");
    CDrawObj::MoveBy(delta, bInvalidate);
  }
  int Delete() override {
    if (armed) throw std::runtime_error("delete failed");
    return CDrawObj::Delete();
  }
  void IncludeComponentsInList(CDrawList* list) const override {
    if (armed) throw std::runtime_error("walk failed");
    CDrawObj::IncludeComponentsInList(list);
  }
  bool armed = false;
};

// A diagram with a live router, so that its change batches can be seen.
class RoutedDiagram : public CDiagram {
 public:
  CArcRouter* GetNewArcRouter(UINT method) override {
    return method == 1 ? new CArcRouter(this, &CDiagram::m_autoRouteOption) : nullptr;
  }
  int BatchDepth() const { return m_pRouter ? m_pRouter->IsDoingDynamicRouteChanges() : -1; }
};

TEST(InterruptedCommandTest, AThrowingStepLeavesTheRecordingAndBatchClosed) {
  struct Case {
    const char* command;
    std::function<void(CDiagram&, CDrawDoc&, FailingObj*)> run;
  };
  const Case cases[] = {
      {"force onto canvas", [](CDiagram& d, CDrawDoc&, FailingObj*) { d.HandleObjectsBeyondCanvas(0, 1); }},
      {"delete elements",
       [](CDiagram&, CDrawDoc& doc, FailingObj* f) {
         CDrawList list;
         list.AddTail(f);
         list.DeleteElements(&doc);
       }},
      {"move to front", [](CDiagram& d, CDrawDoc&, FailingObj* f) { d.MoveFoward(f, 1); }},
      {"move to back", [](CDiagram& d, CDrawDoc&, FailingObj* f) { d.MoveBack(f, 1); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.command);
    RoutedDiagram diagram;
    CDrawDoc doc;
    diagram.SetDocument(&doc);
    diagram.SetAutoRouteModeAndMethod(2, 1);
    ASSERT_EQ(diagram.BatchDepth(), 0);
    diagram.ToggleSnapToGrid();
    ASSERT_TRUE(diagram.SetCanvasSize(1, 1));  // x -425..425
    auto* other = new CDrawObj(CRect(0, 10, 10, 0));
    auto* failing = new FailingObj(CRect(500, 10, 520, 0));  // beyond the canvas
    ASSERT_TRUE(diagram.Add(other));
    ASSERT_TRUE(diagram.Add(failing));
    doc.ClearUndoStack();
    failing->armed = true;

    EXPECT_THROW(k.run(diagram, doc, failing), std::runtime_error);
    EXPECT_EQ(doc.GetUndoLevel(), 0u);
    EXPECT_EQ(diagram.BatchDepth(), 0);

    const int undos = doc.GetNumberUndosOnStack();
    ASSERT_TRUE(other->SetLineColor(RGB(1, 2, 3)));
    EXPECT_EQ(doc.GetNumberUndosOnStack(), undos + 1);
    ASSERT_TRUE(doc.UndoLast());
    EXPECT_NE(other->GetLineColor(), RGB(1, 2, 3));
    failing->armed = false;
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    diagram.SetDocument(nullptr);
  }
}

}  // namespace
