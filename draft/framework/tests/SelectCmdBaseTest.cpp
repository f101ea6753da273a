#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "draft/framework/CmdStack.h"
#include "draft/framework/SelectCmdBase.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/ModalDriver.h"

using drafttest::DevicePoint;

namespace {

constexpr const char* kPickPrompt = "选择编辑图元(按 F 设置过滤条件, 按鼠标右键结束选择)";
constexpr const char* kCornerPrompt = "输入选择范围的另一角点, 按鼠标右键结束选择";
constexpr const char* kProcessPrompt = "处理所选图元";

// What a probe command saw; it outlives the command, which the stack deletes.
struct Probe {
  int processCalls = 0;
  int processResult = 1;
  int processClicks = 0;
};

class CProbeSelectCmd : public CSelectCmdBase {
 public:
  CProbeSelectCmd(Probe& probe, int selectAnew, int deselectMode, int filter = -1)
      : CSelectCmdBase(7, nullptr, selectAnew, deselectMode, 0x2000, filter), probe_(probe) {
    prompts_[2] = kProcessPrompt;
  }
  int ProcessSelection(CDraftView*) override {
    ++probe_.processCalls;
    return probe_.processResult;
  }
  int OnProcessClick(CDraftView*) override {
    ++probe_.processClicks;
    points_.clear();
    return 0;
  }

 private:
  Probe& probe_;
};

class SelectCommandTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  CEntity* Line(double x1, double y1, double x2, double y2, CDrawingGroup* group = nullptr) {
    CEntity* e = ConstructLineEntity(0, group, x1, y1, x2, y2);
    view.AddEntityToView(e);
    return e;
  }
  CProbeSelectCmd* Push(int selectAnew, int deselectMode, int filter = -1) {
    auto* cmd = new CProbeSelectCmd(probe, selectAnew, deselectMode, filter);
    stack.Push(&view, cmd);
    return stack.GetCurrent() == cmd ? cmd : nullptr;
  }
  void Click(double x, double y) { stack.OnLButton(0, DevicePoint(x, y), &view); }
  void Move(double x, double y) { stack.OnMouseMove(0, DevicePoint(x, y), &view); }
  void RButton() { stack.OnRButton(0, DevicePoint(0, 0), &view); }
  CStringA Prompt() { return stack.GetPrompt(); }
  bool Selected(const CEntity* e) { return view.GetSelectionList()->Contains(e); }

  Probe probe;
  CDraftView view;
  CCmdStack stack;
};

}  // namespace

TEST_F(SelectCommandTest, BeginDecidesBySelectionAndFlags) {
  struct Case {
    int selected, selectAnew, deselectMode, processResult;
    bool runs;
    int phase, pickMode, processCalls;
    const char* box;
  };
  const Case cases[] = {
      {1, 0, 0, 1, true, 1, 0, 1, nullptr},   // a selection is processed at once
      {1, 0, 0, 0, false, 0, 0, 1, nullptr},  // ... and a refusal there does not start the command
      {1, 1, 0, 1, true, 0, 1, 0, nullptr},   // select anew: selecting
      {1, 0, 1, 1, true, 0, 1, 0, nullptr},   // deselect mode with a selection: selecting
      {0, 0, 0, 1, true, 0, 1, 0, nullptr},
      {0, 1, 0, 1, true, 0, 1, 0, nullptr},
      {0, 0, 1, 1, false, 0, 0, 0, "没有编辑对象！"},  // deselect mode needs a selection
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "selected " << c.selected << " anew " << c.selectAnew << " deselect "
                                    << c.deselectMode << " process " << c.processResult);
    stack.DeleteAll();
    view.ClearSelection(nullptr);
    boxes.clear();
    probe = Probe{};
    probe.processResult = c.processResult;
    CEntity* a = Line(0, 0, 10, 0);
    if (c.selected) view.SelectEntity(a);

    CProbeSelectCmd* cmd = Push(c.selectAnew, c.deselectMode);
    EXPECT_EQ(cmd != nullptr, c.runs);
    EXPECT_EQ(probe.processCalls, c.processCalls);
    if (c.box) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0], c.box);
    } else {
      EXPECT_TRUE(boxes.empty());
    }
    if (!cmd) continue;
    EXPECT_EQ(cmd->GetPhase(), c.phase);
    EXPECT_EQ(cmd->IsPickMode(), c.pickMode);
    EXPECT_EQ(Prompt(), c.phase ? kProcessPrompt : kPickPrompt);
  }
}

TEST_F(SelectCommandTest, AClickOnNothingOpensABoxWhoseCornersChooseWindowOrCrossing) {
  CEntity* inside = Line(10, 10, 40, 10);
  CEntity* crossing = Line(30, 50, 200, 50);
  CEntity* outside = Line(300, 300, 310, 310);
  ASSERT_TRUE(Push(0, 0));
  Click(500, 500);
  RButton();  // nothing selected: after a first corner only the box goes
  EXPECT_EQ(stack.GetCurrentId(), 7);
  EXPECT_EQ(Prompt(), kPickPrompt);

  Click(0, 0);  // nothing under the cursor: the first corner
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_EQ(Prompt(), kCornerPrompt);
  view.ClearDrawLog();
  Move(100, 60);
  std::vector<std::vector<double>> sides;
  for (const ViewDrawOp& op : view.GetDrawLog())
    if (op.kind == ViewDrawKind::kLine) {
      sides.push_back(op.values);
      EXPECT_EQ(op.flag, 0);  // a window box
    }
  EXPECT_EQ(sides, (std::vector<std::vector<double>>{
                       {0, 0, 100, 0}, {100, 0, 100, 60}, {100, 60, 0, 60}, {0, 60, 0, 0}}));
  EXPECT_EQ(stack.GetStatusText(), "宽: 100.000    高: 60.000");
  Click(100, 60);  // left to right: what lies wholly inside
  EXPECT_TRUE(Selected(inside));
  EXPECT_FALSE(Selected(crossing));
  EXPECT_EQ(Prompt(), kPickPrompt);

  Click(120, 0);
  view.ClearDrawLog();
  Move(35, 70);  // the cursor left of the first corner: a crossing box
  int crossingSides = 0;
  for (const ViewDrawOp& op : view.GetDrawLog())
    if (op.kind == ViewDrawKind::kLine && op.flag == 1) ++crossingSides;
  EXPECT_EQ(crossingSides, 4);
  EXPECT_EQ(stack.GetStatusText(), "宽: -85.000    高: 70.000");
  Click(35, 70);  // right to left: what crosses it too
  EXPECT_TRUE(Selected(inside));
  EXPECT_TRUE(Selected(crossing));
  EXPECT_FALSE(Selected(outside));

  Click(500, 500);
  RButton();  // with a selection made the corner is dropped and processing starts
  ASSERT_EQ(stack.GetCurrentId(), 7);
  EXPECT_EQ(view.GetSelectionCount(), 2);
  EXPECT_EQ(probe.processCalls, 1);
  EXPECT_EQ(stack.GetCurrent()->GetStep(), 0);
  EXPECT_EQ(Prompt(), kProcessPrompt);
}

TEST_F(SelectCommandTest, TheRightButtonEndsTheSelection) {
  CEntity* a = Line(0, 0, 50, 0);
  Line(0, 100, 50, 100);
  // Nothing picked: the command ends.
  ASSERT_TRUE(Push(0, 0));
  RButton();
  EXPECT_TRUE(stack.IsEmpty());
  // Select anew: the command ends with its selection made, without processing.
  ASSERT_TRUE(Push(1, 0));
  Click(25, 0);
  RButton();
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_TRUE(Selected(a));
  EXPECT_EQ(probe.processCalls, 0);
  // A refusal in ProcessSelection ends the command too.
  view.ClearSelection(nullptr);
  probe.processResult = 0;
  ASSERT_TRUE(Push(0, 0));
  Click(25, 0);
  RButton();
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(probe.processCalls, 1);
}

TEST_F(SelectCommandTest, PickingEverythingGoesOnToProcessing) {
  CEntity* a = Line(0, 0, 50, 0);
  CEntity* b = Line(0, 100, 50, 100);
  ASSERT_TRUE(Push(0, 0));
  Click(-10, -10);
  Click(60, 110);  // a window round both: nothing is left to pick
  EXPECT_TRUE(Selected(a));
  EXPECT_TRUE(Selected(b));
  ASSERT_EQ(stack.GetCurrentId(), 7);
  EXPECT_EQ(probe.processCalls, 1);
  EXPECT_EQ(Prompt(), kProcessPrompt);
  // Done selecting is not done processing: a processing click that stays
  // keeps the command.
  Click(200, 200);
  EXPECT_EQ(probe.processClicks, 1);
  EXPECT_EQ(stack.GetCurrentId(), 7);
  EXPECT_TRUE(Selected(a));
}

TEST_F(SelectCommandTest, AGroupPickedWholeComesWhole) {
  CDrawingGroup* bolt = view.GetGroupTable()->AddGroup("bolt", 1.0);
  bolt->SetGroupPickedWhole(TRUE);
  CDrawingGroup* loose = view.GetGroupTable()->AddGroup("loose", 1.0);
  CEntity* b1 = Line(0, 0, 50, 0, bolt);
  CEntity* b2 = Line(0, 100, 50, 100, bolt);
  CEntity* b3 = Line(200, 0, 250, 0, bolt);
  CEntity* l1 = Line(0, 200, 50, 200, loose);
  CEntity* l2 = Line(0, 300, 50, 300, loose);
  CEntity* plain = Line(400, 400, 450, 400);

  ASSERT_TRUE(Push(1, 0));
  Click(25, 100);  // one line of the bolt
  EXPECT_TRUE(Selected(b1) && Selected(b2) && Selected(b3));
  Click(25, 200);  // a group that is not picked whole: the line alone
  EXPECT_TRUE(Selected(l1));
  EXPECT_FALSE(Selected(l2));
  EXPECT_FALSE(Selected(plain));
  RButton();
  ASSERT_TRUE(stack.IsEmpty());

  // Deselecting one line of the bolt puts the whole bolt back into the
  // drawing's entity list; nothing leaves the drawing.
  view.SelectEntity(plain);
  ASSERT_TRUE(Push(0, 1));
  Click(225, 0);
  for (const CEntity* e : {b1, b2, b3}) {
    EXPECT_FALSE(Selected(e));
    EXPECT_TRUE(view.GetEntityList()->Contains(e));
  }
  EXPECT_TRUE(Selected(l1));
  EXPECT_TRUE(Selected(plain));
}

TEST_F(SelectCommandTest, DeselectModeEndsWhenTheSelectionIsEmpty) {
  CEntity* a = Line(0, 0, 50, 0);
  view.SelectEntity(a);
  ASSERT_TRUE(Push(0, 1));
  Click(25, 0);
  EXPECT_FALSE(Selected(a));
  EXPECT_TRUE(stack.IsEmpty());  // nothing left to deselect: done, and no selection to process
}

namespace {
// One script per dialog, in the order the dialogs open.
class ScriptedDialogs {
 public:
  using Script = std::function<void(platform::ModalSession&)>;
  ScriptedDialogs() = default;
  explicit ScriptedDialogs(std::initializer_list<Script> scripts) : scripts_(scripts) {}
  int Runs() const { return runs_; }
  bool AllRan() const { return scripts_.empty(); }

 private:
  std::deque<Script> scripts_;
  int runs_ = 0;
  platform::ScopedModalDriver driver_{[this](platform::ModalSession& s) {
    ++runs_;
    ASSERT_FALSE(scripts_.empty()) << "an unexpected dialog: " << CStringA(s.Caption()).GetString();
    Script script = std::move(scripts_.front());
    scripts_.pop_front();
    script(s);
  }};
};
}  // namespace

TEST_F(SelectCommandTest, TheFilterDialogRestrictsPicksToAGroupUntilTheCommandEnds) {
  CDrawingGroup* frame = view.GetGroupTable()->AddGroup("frame", 1.0);
  CDrawingGroup* bolt = view.GetGroupTable()->AddGroup("bolt", 1.0);
  CEntity* frameLine = Line(0, 100, 100, 100, frame);
  CEntity* boltLine = Line(0, 100, 100, 100, bolt);  // right over it
  CProbeSelectCmd* cmd = Push(0, 0, 0);
  ASSERT_TRUE(cmd);

  // F does nothing while the filter key is not enabled.
  {
    ScriptedDialogs none;
    stack.OnChar(DevicePoint(0, 0), 'F', 1, 0, &view);
    EXPECT_EQ(none.Runs(), 0);
  }
  cmd->SetFilterEnabled(1);
  const HINSTANCE before = AfxGetResourceHandle();
  ScriptedDialogs dialogs({
      [&](platform::ModalSession& s) {
        EXPECT_EQ(CStringA(s.Caption()), "设置图形选择的过滤条件");
        EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("Scrivel.DLL"));
        EXPECT_EQ(view.ModalDialogFlag(), 1);
        EXPECT_FALSE(s.IsEnabled(1030));  // dimensions are chosen: no group to pick
        EXPECT_TRUE(s.Choose(1029, 0));   // "图组"
        EXPECT_TRUE(s.IsEnabled(1030));
        EXPECT_TRUE(s.Click(IDOK));  // no name yet: refused, the dialog stays
        EXPECT_TRUE(s.IsRunning());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], "没有选择限制选择的图组名称");
        EXPECT_TRUE(s.Click(1030));  // the group list
        EXPECT_EQ(CStringA(s.Text(1036)), "bolt");
        EXPECT_TRUE(s.Click(IDOK));
      },
      [&](platform::ModalSession& s) {
        EXPECT_EQ(CStringA(s.Caption()), "当前使用的图层列表");
        EXPECT_TRUE(s.Click(IDOK));  // no line chosen: nothing happens
        EXPECT_TRUE(s.IsRunning());
        EXPECT_TRUE(s.Choose(1038, 1));  // table order: frame, bolt
        EXPECT_TRUE(s.Click(IDOK));
      },
  });
  stack.OnChar(DevicePoint(0, 0), 'f', 1, 0, &view);
  EXPECT_TRUE(dialogs.AllRan());
  EXPECT_EQ(view.ModalDialogFlag(), 0);
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(view.SelectionFilterGroupName().groupName, "bolt");
  EXPECT_EQ(view.SelectionFilterGroupName().dimensionOnly, 0);

  Click(50, 100);
  EXPECT_TRUE(Selected(boltLine));
  EXPECT_FALSE(Selected(frameLine));
  RButton();  // processing
  ASSERT_EQ(cmd->GetPhase(), CSelectCmdBase::kProcessing);
  EXPECT_EQ(view.SelectionFilterGroupName().groupName, "bolt");
  RButton();  // ends the command: the filter goes with it
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_TRUE(view.SelectionFilterGroupName().groupName.IsEmpty());
}

TEST_F(SelectCommandTest, TheFilterDialogSetsDimensionsOnlyAndCancelKeepsTheFilter) {
  CProbeSelectCmd* cmd = Push(0, 0, 0);
  ASSERT_TRUE(cmd);
  cmd->SetFilterEnabled(1);
  view.SelectionFilterGroupName().groupName = "frame";
  {
    ScriptedDialogs cancel({[](platform::ModalSession& s) { EXPECT_TRUE(s.Click(IDCANCEL)); }});
    stack.OnChar(DevicePoint(0, 0), 'F', 1, 0, &view);
  }
  EXPECT_EQ(view.SelectionFilterGroupName().groupName, "frame");
  {
    ScriptedDialogs apply({[](platform::ModalSession& s) { EXPECT_TRUE(s.Click(IDOK)); }});
    stack.OnChar(DevicePoint(0, 0), 'F', 1, 0, &view);
  }
  EXPECT_EQ(view.SelectionFilterGroupName().dimensionOnly, 1);
  EXPECT_TRUE(view.SelectionFilterGroupName().groupName.IsEmpty());
  stack.EndAll(&view);
  EXPECT_EQ(view.SelectionFilterGroupName().dimensionOnly, 0);
}

TEST_F(SelectCommandTest, AnOutsideSelectionChangeSwitchesThePhase) {
  CEntity* a = Line(0, 0, 50, 0);
  CProbeSelectCmd* cmd = Push(0, 0);
  ASSERT_TRUE(cmd);
  Click(500, 500);  // a box corner, dropped by the change
  view.SelectEntity(a);
  stack.NotifySelection(&view, 1);
  EXPECT_EQ(cmd->GetPhase(), CSelectCmdBase::kProcessing);
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(probe.processCalls, 1);
  EXPECT_EQ(Prompt(), kProcessPrompt);
  Click(200, 200);  // one click is one processing click, the dropped corner forgotten
  EXPECT_EQ(probe.processClicks, 1);
  stack.NotifySelection(&view, 0);
  EXPECT_EQ(cmd->GetPhase(), CSelectCmdBase::kSelecting);
  EXPECT_EQ(cmd->IsPickMode(), 1);
  EXPECT_EQ(Prompt(), kPickPrompt);
}
