#include <gtest/gtest.h>

#include "draft/framework/CmdStack.h"
#include "draft/framework/CoordInputDlg.h"
#include "draft/framework/tests/RecordingCommand.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/testsupport/DevicePoint.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/ModalDriver.h"

using drafttest::DevicePoint;

namespace {
using Log = std::vector<std::string>;

class CommandTest : public ::testing::Test {
 protected:
  CRecordingCommand* Push(int pointCount, int id = 1) {
    auto* cmd = new CRecordingCommand(log, id, 2, 1, pointCount, &view);
    stack.Push(&view, cmd);
    log.clear();
    return cmd;
  }
  Log log;
  CDraftView view;
  CCmdStack stack;
  std::vector<CStringW> boxes;
  platform::ScopedMessageBoxHandler handler{[this](const platform::MessageBoxRequest& r) {
    boxes.push_back(r.text);
    return IDOK;
  }};
};
}  // namespace

TEST_F(CommandTest, ClicksTakeTheCursorAndExecuteAtThePointCount) {
  auto* cmd = Push(2);
  stack.OnLButton(0, DevicePoint(10, 20), &view);
  EXPECT_TRUE(log.empty());
  stack.OnLButton(0, DevicePoint(30, 40), &view);
  EXPECT_EQ(log, (Log{"1 execute (10,20) (30,40)"}));
  EXPECT_EQ(cmd->GetStep(), 0);  // the command cleared its points
}

TEST_F(CommandTest, TheCursorSnapsBeforeAClickTakesIt) {
  view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 50, 0));
  Push(1);
  stack.OnLButton(0, DevicePoint(51, 2), &view);  // within the pick aperture of the end (50, 0)
  EXPECT_EQ(log, (Log{"1 execute (50,0)"}));
}

TEST_F(CommandTest, TypedPointsNeedTwoNumbers) {
  auto* cmd = Push(2);
  CDrawingGroup* g = view.GetGroupTable()->AddGroup("part", 4.0);
  view.GetGroupTable()->SetActiveGroup(g);
  EXPECT_EQ(stack.OnTypedInput(&view, "10,20"), 1);
  ASSERT_EQ(cmd->Points().size(), 1u);
  EXPECT_EQ(cmd->Points()[0].x, 10);  // absolute drawing units, whatever the group scale
  EXPECT_EQ(cmd->Points()[0].y, 20);
  EXPECT_TRUE(boxes.empty());

  for (const char* bad : {"10,", ",5", "1,2,3", "5", "", "a,b", "1,b", "1,2x", "nan,1", "1e999,2"}) {
    SCOPED_TRACE(bad);
    boxes.clear();
    EXPECT_EQ(stack.OnTypedInput(&view, bad), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(CStringA(boxes[0]), "输入数据不正确");
  }
  EXPECT_EQ(cmd->Points().size(), 1u);  // nothing taken
  EXPECT_EQ(stack.OnTypedInput(&view, " -1.5, 2e1 "), 1);
  EXPECT_EQ(log.back(), "1 execute (10,20) (-1.5,20)");
}

TEST_F(CommandTest, DigitsBeforeTheFirstPointOpenTheRootDialog) {
  auto* cmd = Push(3);
  // Step 0: the root's coordinate dialog, never the command's own handler.
  stack.OnChar(DevicePoint(0, 0), '5', 1, 0, &view);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(view.ModalDialogFlag(), 0);  // set around the dialog and cleared after
  EXPECT_EQ(cmd->GetStep(), 0);          // a cancelled dialog takes no point
  // From the first point on, the command's own handler.
  stack.OnLButton(0, DevicePoint(1, 1), &view);
  stack.OnChar(DevicePoint(0, 0), '-', 1, 0, &view);
  EXPECT_EQ(log, (Log{"1 own number key -"}));
  ASSERT_EQ(cmd->Points().size(), 2u);
  EXPECT_EQ(cmd->Points()[1].x, 7);
  // The main keyboard's minus key is the '-' character.
  log.clear();
  stack.OnKeyDown(DevicePoint(0, 0), 189, 1, 0, &view);
  EXPECT_EQ(log, (Log{"1 own number key -", "1 execute (1,1) (7,8) (7,8)"}));
}

TEST_F(CommandTest, ADigitOpensTheCoordinateDialogUnderTheLibrarysResources) {
  CDrawingGroup* g = view.GetGroupTable()->AddGroup("part", 2.0);
  view.GetGroupTable()->SetActiveGroup(g);
  view.SetOrigin(100, 50);
  auto* cmd = Push(3);
  int runs = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    ++runs;
    EXPECT_EQ(CStringA(s.Caption()), "坐标输入");
    EXPECT_EQ(CStringA(s.Text(1004)), "5");  // the digit that opened it
    EXPECT_EQ(CStringA(s.Text(1018)), "相对坐标 &X:");
    EXPECT_EQ(s.CheckState(1272), BST_CHECKED);
    EXPECT_EQ(view.ModalDialogFlag(), 1);
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("Scrivel.DLL"));
    EXPECT_TRUE(s.EnterText(1005, CStringA("7")));
    EXPECT_TRUE(s.Click(IDOK));
  });
  const HINSTANCE before = AfxGetResourceHandle();
  stack.OnChar(DevicePoint(0, 0), '5', 1, 0, &view);
  EXPECT_EQ(runs, 1);
  ASSERT_EQ(cmd->Points().size(), 1u);
  EXPECT_EQ(cmd->Points()[0].x, 110);  // relative to the origin, scaled by the group: 100 + 2·5
  EXPECT_EQ(cmd->Points()[0].y, 64);   // 50 + 2·7
  EXPECT_EQ(view.ModalDialogFlag(), 0);
  EXPECT_EQ(AfxGetResourceHandle(), before);
}

TEST_F(CommandTest, TheCoordinateDialogSwitchesToPolarAndCancelTakesNothing) {
  auto* cmd = Push(3);
  {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      EXPECT_TRUE(s.Click(2289));  // polar
      EXPECT_EQ(CStringA(s.Text(1018)), "极半径 &L:");
      EXPECT_EQ(CStringA(s.Text(1122)), "角度 A&ng:");
      EXPECT_TRUE(s.Click(629));  // absolute
      EXPECT_TRUE(s.EnterText(1004, CStringA("10")));
      EXPECT_TRUE(s.EnterText(1005, CStringA("90")));
      EXPECT_TRUE(s.Click(IDOK));
    });
    view.SetOrigin(5, 5);
    stack.OnChar(DevicePoint(0, 0), '1', 1, 0, &view);
  }
  ASSERT_EQ(cmd->Points().size(), 1u);
  EXPECT_NEAR(cmd->Points()[0].x, 0, 1e-9);
  EXPECT_NEAR(cmd->Points()[0].y, 10, 1e-9);
  {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) { EXPECT_TRUE(s.Click(IDCANCEL)); });
    cmd->SetStep(0);
    stack.OnChar(DevicePoint(0, 0), '2', 1, 0, &view);
  }
  EXPECT_EQ(cmd->Points().size(), 1u);
}

TEST(CoordInputDlg, ComputesThePointByMode) {
  CCoordInputDlg polar(nullptr, 2.0, 0, 0, 0, 0, '1');  // polar, absolute, scale 2
  polar.Accept(10, 0);
  EXPECT_NEAR(polar.GetResultX(), 20, 1e-12);
  EXPECT_NEAR(polar.GetResultY(), 0, 1e-12);
  EXPECT_EQ(polar.GetFirstLabel(), "极半径 &L:");
  EXPECT_EQ(polar.GetInitialFirstText(), "1");

  CCoordInputDlg rel(nullptr, 1.0, 0, 0, 1, 1, 0);
  rel.SetBasePoint(100, 200);
  EXPECT_EQ(rel.GetFirstLabel(), "相对坐标 &X:");
  rel.Accept(1, 2);
  EXPECT_EQ(rel.GetResultX(), 101);
  EXPECT_EQ(rel.GetResultY(), 202);
  rel.OnModeChanged(false, true);  // absolute checked
  EXPECT_EQ(rel.GetSecondLabel(), "坐标 &Y:");
  rel.Accept(1, 2);
  EXPECT_EQ(rel.GetResultX(), 1);
}

TEST_F(CommandTest, ReadoutAndStatusFollowTheGroupAndTheOrigin) {
  CDrawingGroup* g = view.GetGroupTable()->AddGroup("part", 2.0);
  view.GetGroupTable()->SetActiveGroup(g);
  view.SetOrigin(10, 0);
  auto* cmd = Push(1);
  view.ClearDrawLog();
  stack.OnMouseMove(0, DevicePoint(30, 40), &view);
  EXPECT_EQ(cmd->GetStatusText(), "x: 10.000   y: 20.000");
  // The cross-hair, then the two readouts at the cursor, the second upright.
  const auto& ops = view.GetDrawLog();
  ASSERT_GE(ops.size(), 3u);
  EXPECT_EQ(ops[ops.size() - 3].kind, ViewDrawKind::kCrossHair);
  EXPECT_EQ(ops[ops.size() - 2].text, "10.000");
  EXPECT_EQ(ops.back().text, "20.000");
  EXPECT_EQ(ops.back().values[2], 90.0);

  view.PolarDisplayFlag() = 1;
  view.SetOrigin(30, 40);
  stack.OnMouseMove(0, DevicePoint(30, 60), &view);
  EXPECT_EQ(cmd->GetStatusText(), "极径: 10.000   角度: 90.00");
}

TEST_F(CommandTest, PromptsByStepWithOverride) {
  auto* cmd = Push(5);
  cmd->SetPrompts({"first", "second"});
  EXPECT_EQ(stack.GetPrompt(), "first");
  cmd->SetStep(1);
  EXPECT_EQ(stack.GetPrompt(), "second");
  cmd->SetStep(4);
  EXPECT_EQ(stack.GetPrompt(), "second");  // beyond the last: the last
  cmd->SetOverride("over");
  EXPECT_EQ(stack.GetPrompt(), "over");
  CRecordingCommand fresh(log, 9);
  EXPECT_EQ(fresh.GetPrompt(), "欢迎您使用Zarvex系列软件！");
}

TEST_F(CommandTest, TabCounterWrapsAndIsClearedByTheRightButton) {
  auto* cmd = Push(3);
  for (int i = 0; i < 59; ++i) stack.OnChar(DevicePoint(0, 0), 9, 1, 0, &view);
  EXPECT_EQ(cmd->TabCount(), 59);
  stack.OnChar(DevicePoint(0, 0), 9, 1, 0, &view);
  EXPECT_EQ(cmd->TabCount(), 0);
  stack.OnChar(DevicePoint(0, 0), 9, 1, 0, &view);
  stack.OnLButton(0, DevicePoint(1, 1), &view);
  stack.OnRButton(0, DevicePoint(1, 1), &view);
  EXPECT_EQ(cmd->TabCount(), 0);
}

TEST_F(CommandTest, KeysSnapAndNudgeTheCursor) {
  view.AddEntityToView(ConstructCircleEntity(0, nullptr, 300, 300, 20));
  auto* cmd = Push(1);
  stack.OnMouseMove(0, DevicePoint(10, 10), &view);
  stack.OnKeyDown(DevicePoint(10, 10), 34, 1, 0, &view);  // Page Down: the nearest centre
  EXPECT_EQ(cmd->Cursor().x, 300);
  EXPECT_EQ(cmd->SnapState(), kSnapCentre);
  EXPECT_EQ(view.GetCursorPos(), DevicePoint(300, 300));  // the screen cursor follows
  stack.OnKeyDown(DevicePoint(10, 10), 39, 1, 0, &view);  // Right: one length step
  EXPECT_EQ(cmd->Cursor().x, 301);
  EXPECT_EQ(cmd->SnapState(), 0u);
}

TEST_F(CommandTest, FindCellTextReadsTheCellAndFreesItsBoundaryOnce) {
  for (auto [x1, y1, x2, y2] : {std::array{0., 0., 40., 0.}, std::array{40., 0., 40., 10.},
                                std::array{40., 10., 0., 10.}, std::array{0., 10., 0., 0.},
                                std::array{20., 0., 20., 10.}})
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y1, x2, y2));
  CTextAttrib attr;
  attr.SetHeight(3.5);
  view.AddEntityToView(ConstructTextEntity(0, nullptr, "\xA3\xB1\xA3\xB2", 25, 2, attr));  // full-width "12"
  auto* cmd = Push(1);
  CString text;
  CTextAttrib got;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  ASSERT_EQ(cmd->FindCellText(&view, 30, 5, text, got, x0, y0, x1, y1), 1);
  EXPECT_EQ(text, "12");
  EXPECT_EQ(got.GetHeight(), 3.5);
  EXPECT_EQ(x0, 20);
  EXPECT_EQ(x1, 40);
  EXPECT_TRUE(cmd->Boundary().IsEmpty());  // taken off as deleted: nothing left to free twice

  ASSERT_EQ(cmd->FindCellRect(&view, 10, 5, x0, y0, x1, y1), 1);
  EXPECT_EQ(cmd->Boundary().GetCount(), 4);  // kept for the caller ...
  cmd->ReleaseBoundary(&view);
  EXPECT_TRUE(cmd->Boundary().IsEmpty());
}

TEST_F(CommandTest, ReleasingTheBoundaryEmptiesBothListsAndKeepsTheDrawing) {
  for (auto [x1, y1, x2, y2] : {std::array{0., 0., 40., 0.}, std::array{40., 0., 40., 10.},
                                std::array{40., 10., 0., 10.}, std::array{0., 10., 0., 0.}})
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y1, x2, y2));
  auto* cmd = Push(1);
  double x0, y0, x1, y1;
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(cmd->FindCellRect(&view, 10, 5, x0, y0, x1, y1), 1);
    EXPECT_EQ(cmd->SecondBoundary().GetCount(), 4);  // the drawing's lines the cell lies on
    cmd->ReleaseBoundary(&view);
    EXPECT_TRUE(cmd->Boundary().IsEmpty());
    EXPECT_TRUE(cmd->SecondBoundary().IsEmpty());  // emptied, its entities left to the drawing
    EXPECT_EQ(view.GetEntityList()->GetCount(), 4);
  }
}

TEST_F(CommandTest, FindCellRectRefusesACellThatIsNotARectangle) {
  for (auto [x1, y1, x2, y2] : {std::array{0., 0., 40., 5.}, std::array{40., 5., 35., 20.},
                                std::array{35., 20., 3., 12.}, std::array{3., 12., 0., 0.}})
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y1, x2, y2));
  auto* cmd = Push(1);
  double x0, y0, x1, y1;
  EXPECT_EQ(cmd->FindCellRect(&view, 20, 10, x0, y0, x1, y1), 0);
  EXPECT_TRUE(cmd->Boundary().IsEmpty());  // no temporary entity left behind
}

TEST(CmdBaseHelpers, SplittingAnEntityThatIsNoBlockChangesNothing) {
  CLineEntity line(0, nullptr, 0, 0, 10, 0);
  CCmdBase::ApplyEntitySplits(&line);
  CCmdBase::ApplyEntitySplits(nullptr);
  double v[kMaxGeometryValues];
  ASSERT_EQ(line.GetGeometry(v), 4);
  EXPECT_EQ(v[2], 10);
}
