// The routing-failure report, run through the modal driver as a user sees it.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "diagram/model/DrawArc.h"
#include "diagram/model/DrawBlock.h"
#include "diagram/model/DrawPort.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/ui/Failed2RouteDlg.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WinApp.h"

namespace {

// What the failure dialog showed.
struct FailureShown {
  int opened = 0;
  CStringW countText;
  bool selectedTextVisible = false;
};

// A diagram with two blocks joined by two arcs, shown by the active view of
// the application's main frame.
class RoutingFailureReport : public ::testing::Test {
 protected:
  void SetUp() override {
    doctest::LinkLibrary();
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDrawView);
    context.m_pCurrentDoc = &doc;
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(u"AfxWnd", u"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, nullptr, 0,
                              &context));
    frameWindow = frame->m_hWnd;
    frame->InitialUpdateFrame(&doc, TRUE);
    view = static_cast<CDrawView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    app.m_pMainWnd = frame;

    const CPoint origin = diagram->GetRect().TopLeft();
    CDrawBlock* source = PlaceBlock(2, CPoint(origin.x + 50, origin.y - 50));
    CDrawBlock* target = PlaceBlock(200, CPoint(origin.x + 400, origin.y - 250));
    ASSERT_TRUE(source && target);
    for (int i = 0; i < 2; ++i) {
      auto* arc = new CDrawArc;
      ASSERT_TRUE(arc->Initialize(PortOf(source, i), PortOf(target, i), TRUE));
      ASSERT_TRUE(diagram->Add(arc));
      arcs.AddTail(arc);
    }
    doc.ClearUndoStack();
  }
  void TearDown() override {
    app.m_pMainWnd = nullptr;
    if (::IsWindow(frameWindow)) frame->DestroyWindow();
    doc.ClearUndoStack();
    doc.ClearRedoStack();
  }

  CDrawBlock* PlaceBlock(UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    if (!block->InitializeAs(code, at, view) || !block->AddBlockAndComponentsToDiagram(diagram)) {
      delete block;
      return nullptr;
    }
    return block;
  }
  static CDrawPort* PortOf(CDrawBlock* block, int index) {
    return static_cast<CDrawPort*>(block->GetPorts().GetAt(block->GetPorts().FindIndex(index)));
  }
  // Reports `failed` as `reporter`, reading and closing the dialog.
  FailureShown Report(CDiagram* reporter, const CDrawList& failed) {
    FailureShown shown;
    platform::ScopedModalDriver driver([&shown](platform::ModalSession& s) {
      ++shown.opened;
      EXPECT_EQ(s.Caption(), CStringW(u"Failed To Route Some Arcs"));
      EXPECT_NE(s.As<CFailed2RouteDlg>(), nullptr);
      shown.countText = s.Text(CFailed2RouteDlg::kCountText);
      shown.selectedTextVisible = s.IsVisible(CFailed2RouteDlg::kSelectedText);
      s.Click(IDOK);
    });
    reporter->ReportArcRoutingFailure(failed);
    return shown;
  }

  viewtest::SavedViewOptions saved;
  CWinApp app{u"Routing host"};
  CDrawDoc doc;
  CDiagram* diagram = nullptr;
  CFrameWnd* frame = nullptr;
  HWND frameWindow = nullptr;
  CDrawView* view = nullptr;
  CDrawList arcs;
};

TEST_F(RoutingFailureReport, TheFailedArcsOfTheShownDiagramBecomeTheSelection) {
  struct Case {
    int count;
    const char16_t* text;
  };
  for (const Case& c : {Case{1, u"One arc was not routed successfully."},
                        Case{2, u"2 arcs were not routed successfully."}}) {
    view->Select(nullptr, 0);
    CDrawList failed;
    POSITION pos = arcs.GetHeadPosition();
    for (int i = 0; i < c.count; ++i) failed.AddTail(arcs.GetNext(pos));
    const FailureShown shown = Report(diagram, failed);
    EXPECT_EQ(shown.opened, 1);
    EXPECT_EQ(shown.countText, CStringW(c.text));
    EXPECT_TRUE(shown.selectedTextVisible);
    EXPECT_EQ(view->GetSelection().GetCount(), c.count);
    for (POSITION f = failed.GetHeadPosition(); f;) EXPECT_TRUE(view->GetSelection().Find(failed.GetNext(f)));
  }
}

TEST_F(RoutingFailureReport, ADiagramTheActiveViewDoesNotShowSelectsNothing) {
  CDiagram other;
  view->Select(nullptr, 0);
  const FailureShown shown = Report(&other, arcs);
  EXPECT_EQ(shown.opened, 1);
  EXPECT_EQ(shown.countText, CStringW(u"2 arcs were not routed successfully."));
  EXPECT_FALSE(shown.selectedTextVisible);
  EXPECT_TRUE(view->GetSelection().IsEmpty());
}

TEST_F(RoutingFailureReport, AnEmptyListShowsNothing) {
  const FailureShown shown = Report(diagram, CDrawList());
  EXPECT_EQ(shown.opened, 0);
}

}  // namespace
