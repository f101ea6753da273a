// Inner diagrams of composite blocks in windows of their own: opening one
// in an MDI child frame through its template and bringing it back, and
// closing every view of the inner diagrams when the block goes.
#include <gtest/gtest.h>

#include <vector>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/res/DocumentStrings.h"
#include "diagram/testsupport/ScratchFolder.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/MultiControlBarChildFrame.h"
#include "diagram/ui/MultiControlBarMainFrame.h"
#include "diagram/model/tests/LinkDiagramLibrary.h"
#include "platform/core/Profile.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/MultiDocTemplate.h"
#include "platform/ui/WinApp.h"

namespace {

class InnerDiagramWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    saved_ = platform::ProfilePath();
    platform::SetProfilePath(folder_.File("app.ini"));
    main = new CMultiControlBarMainFrame;
    ASSERT_TRUE(main->Create(u"AfxWnd", u"Diagrams", WS_OVERLAPPEDWINDOW, CRect(10, 10, 810, 610)));
    mainWindow_ = main->m_hWnd;
    app.m_pMainWnd = main;
    main->ShowWindow(SW_SHOW);
    docTemplate = new CMultiDocTemplate(IDR_DRAWTYPE, RUNTIME_CLASS(CDrawDoc), RUNTIME_CLASS(CMultiControlBarChildFrame),
                                        RUNTIME_CLASS(CDrawView));
    app.AddDocTemplate(docTemplate);
    doc = dynamic_cast<CDrawDoc*>(docTemplate->OpenDocumentFile(nullptr));
    ASSERT_NE(doc, nullptr);
    topView = dynamic_cast<CDrawView*>(doc->GetDiagram()->OpenDiagramView(RUNTIME_CLASS(CDrawView)));
    ASSERT_NE(topView, nullptr);
  }
  void TearDown() override {
    if (doc) {
      doc->ClearUndoStack();
      doc->ClearRedoStack();
    }
    if (::IsWindow(mainWindow_)) main->DestroyWindow();
    app.m_pMainWnd = nullptr;
    platform::SetProfilePath(saved_);
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  CCompositeBlock* PlaceComposite(CDrawView* view, CPoint at) {
    auto* block = new CCompositeBlock;
    if (!block->InitializeAs(101, at, view) || !block->AddBlockAndComponentsToDiagram(view->GetDiagram())) {
      ADD_FAILURE() << "not placed";
      delete block;
      return nullptr;
    }
    return block;
  }
  std::vector<CDrawView*> ViewsOf(CDiagram* diagram) {
    std::vector<CDrawView*> views;
    for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
      auto* view = dynamic_cast<CDrawView*>(doc->GetNextView(pos));
      if (view && view->GetDiagram() == diagram) views.push_back(view);
    }
    return views;
  }

  diagramtest::ScratchFolder folder_;
  std::filesystem::path saved_;
  CWinApp app{u"Diagram host"};
  CMultiControlBarMainFrame* main = nullptr;
  HWND mainWindow_ = nullptr;
  CMultiDocTemplate* docTemplate = nullptr;
  CDrawDoc* doc = nullptr;
  CDrawView* topView = nullptr;
};

TEST_F(InnerDiagramWindows, OpeningTwiceMakesOneFrameAndBringsItBack) {
  CCompositeBlock* block = PlaceComposite(topView, CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  CCompositeBlockDiagram* inner = block->GetInternalDiagram();
  block->OnOpen(topView);
  std::vector<CDrawView*> views = ViewsOf(inner);
  ASSERT_EQ(views.size(), 1u);
  EXPECT_NE(DYNAMIC_DOWNCAST(CMDIChildWnd, views[0]->GetParentFrame()), nullptr);
  EXPECT_EQ(inner->GetDocTemplate()->GetResourceID(), static_cast<UINT>(IDR_DRAWTYPE));
  block->OnOpen(topView);
  EXPECT_EQ(ViewsOf(inner).size(), 1u) << "the second open brings back the first view";
  EXPECT_EQ(topView->GetDiagram(), doc->GetDiagram());
}

TEST_F(InnerDiagramWindows, DeletingTheBlockClosesTheViewsOfEveryLevelInside) {
  CCompositeBlock* outer = PlaceComposite(topView, CPoint(0, 0));
  ASSERT_NE(outer, nullptr);
  outer->OnOpen(topView);
  std::vector<CDrawView*> innerViews = ViewsOf(outer->GetInternalDiagram());
  ASSERT_EQ(innerViews.size(), 1u);
  CCompositeBlock* nested = PlaceComposite(innerViews[0], CPoint(0, 0));
  ASSERT_NE(nested, nullptr);
  nested->OnOpen(innerViews[0]);
  ASSERT_EQ(ViewsOf(nested->GetInternalDiagram()).size(), 1u);

  ASSERT_TRUE(outer->Delete());
  platform::PumpPendingMessages();
  EXPECT_TRUE(ViewsOf(outer->GetInternalDiagram()).empty());
  EXPECT_TRUE(ViewsOf(nested->GetInternalDiagram()).empty());
  int views = 0;
  for (POSITION pos = doc->GetFirstViewPosition(); pos; doc->GetNextView(pos)) ++views;
  EXPECT_EQ(views, 1) << "the inner views' frames closed";
}

}  // namespace
