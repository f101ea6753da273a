// The clip commands and the view-rectangle pickers, driven through the
// command stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draft/edit/ClipCircleCmd.h"
#include "draft/edit/ClipRectCmd.h"
#include "draft/edit/ViewClipRectAltCmd.h"
#include "draft/edit/ViewClipRectCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "draft/testsupport/DevicePoint.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/Wnd.h"

namespace {

class ClipCmdTest : public EditCmdFixture {
 protected:
  ClipCmdTest() { answer = IDNO; }
  ~ClipCmdTest() override { stack.DeleteAll(); }

  CEntity* Line(double x1, double y1, double x2, double y2) {
    auto* l = new CLineEntity(0, nullptr, x1, y1, x2, y2);
    view.AddEntityToView(l);
    return l;
  }
  void Click(double x, double y) {
    stack.OnMouseMove(0, drafttest::DevicePoint(x, y), &view);
    stack.OnLButton(0, drafttest::DevicePoint(x, y), &view);
  }
  void Tab() { stack.OnChar(view.GetCursorPos(), 9, 1, 0, &view); }
  std::string Prompt() { return CStringA(stack.GetPrompt()).GetString(); }

  CDraftView view;
  CCmdStack stack;
};

TEST_F(ClipCmdTest, TabSwitchesTheStateAndThePromptNamesTheStateTabGives) {
  struct Case {
    bool circle;
    std::string cut, keep;  // the step 0 prompt in state 0 and in state 1
  };
  const Case cases[] = {{true, "输入第一点(TAB:切换到圆保留状态)", "输入第一点(TAB:切换到圆裁减状态)"},
                        {false, "输入矩形第一点(TAB:切换到矩形保留状态)", "输入矩形第一点(TAB:切换到矩形裁减状态)"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.circle ? "circle" : "rectangle");
    CCmdBase* cmd = c.circle ? static_cast<CCmdBase*>(new CClipCircleCmd(290)) : new CClipRectCmd(291);
    stack.Push(&view, cmd);
    EXPECT_EQ(Prompt(), c.cut);
    Tab();
    EXPECT_EQ(Prompt(), c.keep);
    Tab();
    EXPECT_EQ(Prompt(), c.cut);
    Tab();
    stack.DeleteAll();
    // The state last used is where the next command starts.
    CCmdBase* next = c.circle ? static_cast<CCmdBase*>(new CClipCircleCmd(290)) : new CClipRectCmd(291);
    stack.Push(&view, next);
    EXPECT_EQ(Prompt(), c.keep);
    stack.DeleteAll();
  }
  EXPECT_EQ(GetProfileIntSetting("Draw Function ClipCircle", "ClipCircle State", 0), 1);
  EXPECT_EQ(GetProfileIntSetting("Draw Function ClipRect", "ClipRect State", 0), 1);
}

TEST_F(ClipCmdTest, ACircleThatClipsNothingMakesNoRecordAndAsksNothing) {
  Line(100, 100, 200, 100);
  stack.Push(&view, new CClipCircleCmd(290));
  Click(400, 400);
  Click(410, 400);
  EXPECT_EQ(view.GetUndoCount(), 0);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
}

TEST_F(ClipCmdTest, YesDrawsTheCircleInTheSameRecordAndUndoRestores) {
  CEntity* through = Line(100, 100, 300, 100);
  answers = {IDYES};
  stack.Push(&view, new CClipCircleCmd(290));
  Click(200, 100);
  Click(250, 100);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(std::string(boxes[0].GetString()), "画上圆？");
  ASSERT_EQ(view.GetUndoCount(), 1);
  const CUndoRecord* record = view.GetLastUndoRecord();
  EXPECT_EQ(record->GetOldEntities(), std::vector<CEntity*>{through});
  ASSERT_EQ(record->GetNewEntities().size(), 3u);  // two pieces and the circle
  EXPECT_TRUE(record->GetNewEntities()[2]->IsCircle());
  EXPECT_EQ(view.GetEntityList()->GetCount(), 3);
  EXPECT_FALSE(view.IsInDrawing(through));
  // The command stays for the next clip.
  EXPECT_EQ(stack.GetCount(), 1);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
  EXPECT_TRUE(view.IsInDrawing(through));
}

TEST_F(ClipCmdTest, ARectangleKeepingItsInsideWithItsSidesDrawn) {
  WriteProfileIntSetting("Draw Function ClipRect", "ClipRect State", 1);
  Line(0, 50, 300, 50);
  Line(0, 500, 300, 500);  // wholly outside: dropped
  answers = {IDYES};
  stack.Push(&view, new CClipRectCmd(291));
  Click(200, 100);
  Click(100, 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(std::string(boxes[0].GetString()), "画上矩形？");
  ASSERT_EQ(view.GetUndoCount(), 1);
  EXPECT_EQ(view.GetLastUndoRecord()->GetOldEntities().size(), 2u);
  EXPECT_EQ(view.GetLastUndoRecord()->GetNewEntities().size(), 5u);
  std::vector<std::vector<double>> lines;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    lines.push_back({v[0], v[1], v[2], v[3]});
  }
  const std::vector<std::vector<double>> want = {
      {100, 50, 200, 50}, {200, 100, 200, 0}, {200, 0, 100, 0}, {100, 0, 100, 100}, {100, 100, 200, 100}};
  EXPECT_EQ(lines, want);
}

// Keeps the messages posted to it.
class CClipTargetWnd : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= WM_USER + 10 && message <= WM_USER + 11) told.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<UINT> told;
};

void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST_F(ClipCmdTest, ViewRectanglesStoredInOrderTellTheirWindowAndEnd) {
  CClipTargetWnd target;
  ASSERT_TRUE(target.CreateEx(0, u"AfxWnd", u"target", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  struct Case {
    bool alt;
    bool withTarget;
    std::vector<UINT> told;
  };
  const Case cases[] = {{false, true, {WM_USER + 10}}, {true, true, {WM_USER + 11}}, {false, false, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.alt << c.withTarget);
    target.told.clear();
    CWnd* wnd = c.withTarget ? &target : nullptr;
    stack.Push(&view, c.alt ? new CViewClipRectAltCmd(wnd, 293) : new CViewClipRectCmd(wnd, 292));
    EXPECT_EQ(Prompt(), "输入裁剪区域的第一点");
    Click(300, 250);
    EXPECT_EQ(stack.GetCount(), 1);
    Click(100, 50);  // right to left, top to bottom
    EXPECT_TRUE(stack.IsEmpty());
    const double* r = view.GetClipRect();
    EXPECT_EQ(std::vector<double>(r, r + 4), (std::vector<double>{100, 50, 300, 250}));
    DispatchWaiting();
    EXPECT_EQ(target.told, c.told);
    view.SetClipRect(0, 0, 0, 0);
  }
}

}  // namespace
