// Scale and align by base points: the transform of two pairs, the two
// refusals, and the space key ending the command through the main window's
// active b.view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draft/edit/ScaleByBasePointsCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/testsupport/EntityValues.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

namespace {

CCmdStack* g_scaleStack = nullptr;
CDraftView* g_scaleView = nullptr;

// The drafting view's window as a host has it: the right button goes to the
// command b.stack.
class CScaleTestView : public CView {
  DECLARE_DYNCREATE(CScaleTestView)

 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_RBUTTONUP && g_scaleStack) {
      ++rightButtons;
      g_scaleStack->OnRButton(0, CPoint(0, 0), g_scaleView);
      return 0;
    }
    return CView::WindowProc(message, wParam, lParam);
  }
  int rightButtons = 0;

 protected:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CScaleTestView, CView)

// A view and its stack with the line (0,0)-(10,0) selected and the command
// pushed on it.
struct ScaleBench {
  ScaleBench() {
    view.SetSnapModes(0);
    g_scaleStack = &stack;
    g_scaleView = &view;
    line = new CLineEntity(0, nullptr, 0, 0, 10, 0);
    view.AddEntityToView(line);
    view.SelectEntity(line);
    stack.Push(&view, new CScaleByBasePointsCmd(294));
  }
  ~ScaleBench() {
    stack.DeleteAll();
    g_scaleStack = nullptr;
    g_scaleView = nullptr;
  }
  void Type(const char* point) { stack.OnTypedInput(&view, point); }
  std::string Prompt() { return CStringA(stack.GetPrompt()).GetString(); }
  std::vector<std::vector<double>> Drawing() {
    std::vector<std::vector<double>> out;
    for (CEntity* e : *view.GetEntityList()) out.push_back(drafttest::Geometry(e));
    return out;
  }

  CDraftView view;
  CCmdStack stack;
  CEntity* line = nullptr;
};

void DispatchPosted() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

using ScaleByBasePointsTest = EditCmdFixture;

TEST_F(ScaleByBasePointsTest, TwoPairsTurnAndScaleOrOnlyTurn) {
  struct Case {
    int answer;
    std::vector<double> line;
  };
  const Case cases[] = {{IDYES, {5, 5, 5, 25}}, {IDNO, {5, 5, 5, 15}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer == IDYES ? "scaled" : "turned only");
    answers = {c.answer};
    boxes.clear();
    ScaleBench b;
    EXPECT_EQ(b.Prompt(), "选择源第一基点");
    b.Type("0,0");
    EXPECT_EQ(b.Prompt(), "选择目的第一基点");
    b.Type("5,5");
    EXPECT_EQ(b.Prompt(), "选择源第二基点(空格结束定点)");
    b.Type("10,0");
    EXPECT_EQ(b.Prompt(), "选择目的图第二基点");
    b.Type("5,25");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::string(boxes[0].GetString()), "是否进行图形缩放");
    ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
    const std::vector<double> got = drafttest::Geometry(b.view.GetEntityList()->GetHead());
    ASSERT_EQ(got.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(got[i], c.line[i], 1e-9);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
    ASSERT_TRUE(b.view.Undo());
    EXPECT_TRUE(b.view.IsInDrawing(b.line));
  }
}

TEST_F(ScaleByBasePointsTest, PointsThatGiveNoScaleAreRefused) {
  struct Case {
    const char* s2;
    const char* d2;
    const char* message;
  };
  const Case cases[] = {{"0,0", "5,25", "选择的基点不满足要求"}, {"0.00001,0", "0,20", "获得的比例不满足要求"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    answers = {IDYES};
    boxes.clear();
    ScaleBench b;
    b.Type("0,0");
    b.Type("0,0");
    b.Type(c.s2);
    b.Type(c.d2);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(std::string(boxes[1].GetString()), c.message);
    EXPECT_EQ(b.view.GetUndoCount(), 0);
    EXPECT_EQ(b.Drawing(), (std::vector<std::vector<double>>{{0, 0, 10, 0}}));
    // Back to selecting, the selection cleared.
    EXPECT_EQ(static_cast<CSelectCmdBase*>(b.stack.GetCurrent())->GetPhase(), CSelectCmdBase::kSelecting);
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
  }
}

TEST_F(ScaleByBasePointsTest, SpaceAfterTheFirstPairMovesAndEndsThroughTheActiveView) {
  for (bool withFrame : {true, false}) {
    SCOPED_TRACE(withFrame ? "MDI frame" : "no main window");
    CWinApp app("scale test");
    CMDIFrameWnd* main = nullptr;
    CScaleTestView* active = nullptr;
    if (withFrame) {
      main = new CMDIFrameWnd;
      ASSERT_TRUE(main->Create(u"AfxWnd", u"Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
      app.m_pMainWnd = main;
      CCreateContext context;
      context.m_pNewViewClass = RUNTIME_CLASS(CScaleTestView);
      auto* child = new CMDIChildWnd;
      ASSERT_TRUE(child->Create(u"AfxWnd", u"drawing", WS_CHILD | WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), main,
                                &context));
      active = static_cast<CScaleTestView*>(context.m_pLastView);
      child->SetActiveView(active);
      child->MDIActivate();
    }
    ScaleBench b;
    b.Type("0,0");
    b.Type("10,0");
    b.stack.OnChar(b.view.GetCursorPos(), ' ', 1, 0, &b.view);
    EXPECT_EQ(b.Drawing(), (std::vector<std::vector<double>>{{10, 0, 20, 0}}));
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    DispatchPosted();
    if (withFrame) {
      EXPECT_EQ(active->rightButtons, 1);
      EXPECT_TRUE(b.stack.IsEmpty());
      main->DestroyWindow();
      app.m_pMainWnd = nullptr;
    } else {
      EXPECT_FALSE(b.stack.IsEmpty());
    }
  }
}

}  // namespace
