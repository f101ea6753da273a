// The modify-dimension command hands a picked equation curve to a new
// equation-curve command through the message the host's active view gets;
// without such a view the new command is deleted.
#include <gtest/gtest.h>

#include <memory>

#include "draft/construct/CurveEquationCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ModifyDimCmd.h"
#include "draft/host/EquationCurveEntity.h"
#include "platform/ui/Document.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/MultiDocTemplate.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

namespace {

// What the host's view saw of the pushed command.
struct PushSeen {
  CommandBench* bench = nullptr;
  int messages = 0;
  int idOfPushed = 0;
  BYTE levelOfPicker = 0;
};
PushSeen g_pushSeen;

class CModifyDimTestDoc : public CDocument {
  DECLARE_DYNCREATE(CModifyDimTestDoc)
};
IMPLEMENT_DYNCREATE(CModifyDimTestDoc, CDocument)

// The host's view: pushes the command it is given on the bench's stack.
class CModifyDimTestView : public CView {
  DECLARE_DYNCREATE(CModifyDimTestView)

 protected:
  void OnDraw(CDC*) override {}
  afx_msg LRESULT OnPushCommand(WPARAM, LPARAM lParam) {
    auto* cmd = reinterpret_cast<CCmdBase*>(lParam);
    ++g_pushSeen.messages;
    g_pushSeen.idOfPushed = dynamic_cast<CCurveEquationCmd*>(cmd) ? cmd->GetId() : -1;
    CCmdBase* current = g_pushSeen.bench->stack.GetCurrent();
    g_pushSeen.levelOfPicker = current ? current->GetLevel() : 0;
    g_pushSeen.bench->stack.Push(&g_pushSeen.bench->view, cmd);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CModifyDimTestView, CView)
BEGIN_MESSAGE_MAP(CModifyDimTestView, CView)
ON_MESSAGE(CModifyDimCmd::kPushCommandMessage, OnPushCommand)
END_MESSAGE_MAP()

// The host's main window for one test: destroying it asks the thread's loop
// to quit, as the application's main window does; the quit is taken off the
// queue again, so that the modal loops of later tests do not end on it.
class MainWindowScope {
 public:
  explicit MainWindowScope(CWinApp& app) : app_(app) {}
  ~MainWindowScope() {
    if (main_ && ::IsWindow(window_)) main_->DestroyWindow();
    app_.m_pMainWnd = nullptr;
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  MainWindowScope(const MainWindowScope&) = delete;
  MainWindowScope& operator=(const MainWindowScope&) = delete;

  bool Create() {
    main_ = new CMDIFrameWnd;
    if (!main_->Create(u"AfxWnd", u"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400))) return false;
    window_ = main_->m_hWnd;
    app_.m_pMainWnd = main_;
    return true;
  }

 private:
  CWinApp& app_;
  CMDIFrameWnd* main_ = nullptr;
  HWND window_ = nullptr;
};

CEquationCurveEntity* PlaceEquationCurve(CommandBench& b) {
  auto* curve = ConstructEquationCurveEntity(0, nullptr);
  curve->AddCurveSegment(0, 50, 100, 50, 1);
  b.view.AddEntityToView(curve);
  return curve;
}

}  // namespace

TEST(ModifyDimCmd, TheCurveGoesToTheActiveViewWhileThePickerRunsAtLevelOne) {
  CWinApp app{u"Host"};
  MainWindowScope main(app);
  ASSERT_TRUE(main.Create());
  app.AddDocTemplate(new CMultiDocTemplate(9991, RUNTIME_CLASS(CModifyDimTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                           RUNTIME_CLASS(CModifyDimTestView)));
  ASSERT_NE(app.OpenDocumentFile(nullptr), nullptr);

  CommandBench b;
  g_pushSeen = PushSeen{&b};
  PlaceEquationCurve(b);
  auto* picker = b.Push(new CModifyDimCmd(77));
  EXPECT_EQ(b.stack.GetPrompt(), CString("选择要修改的标注"));
  b.Click(300, 300);  // nothing there
  EXPECT_EQ(g_pushSeen.messages, 0);
  b.Click(50, 50);
  EXPECT_EQ(g_pushSeen.messages, 1);
  EXPECT_EQ(g_pushSeen.idOfPushed, 77);
  EXPECT_EQ(g_pushSeen.levelOfPicker, 1);
  EXPECT_EQ(picker->GetLevel(), 2);
  EXPECT_EQ(picker->GetStep(), 0);
  b.stack.DeleteAll();
}

TEST(ModifyDimCmd, WithoutAnActiveViewTheNewCommandIsDeleted) {
  // No main window: the command made for the curve has nobody to take it
  // (the leak check fails if it is kept).
  CommandBench b;
  g_pushSeen = PushSeen{&b};
  PlaceEquationCurve(b);
  auto* picker = b.Push(new CModifyDimCmd(77));
  b.Click(50, 50);
  EXPECT_EQ(g_pushSeen.messages, 0);
  EXPECT_EQ(b.stack.GetCurrent(), picker);
  EXPECT_EQ(picker->GetLevel(), 2);
}
