#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "draft/edit/MoveCopyCmd.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/EntityValues.h"
#include "platform/core/MessageBox.h"

using drafttest::DevicePoint;

namespace {

constexpr int kId = 32;
constexpr const char* kPickPrompt = "选择编辑图元(按 F 设置过滤条件, 按鼠标右键结束选择)";
constexpr const char* kTargetPrompt = "输入目标位置点(shift键在特殊位置和任意位置间切换)";

// A table, as far as moving and copying cares: a line that is a table of
// some kind.
class CTableStub : public CLineEntity {
 public:
  CTableStub(int kind, double x1, double y1, double x2, double y2)
      : CLineEntity(0, nullptr, x1, y1, x2, y2), kind_(kind) {}
  BOOL IsTable() const override { return TRUE; }
  CEntity* Clone(int) const override { return new CTableStub(*this); }
  int GetTableKind() const override { return kind_; }
  BOOL SetTableKind(int kind) override {
    kind_ = kind;
    return TRUE;
  }

 private:
  int kind_;
};

// A line that cannot be transformed (its copy cannot be made).
class CFixedLine : public CLineEntity {
 public:
  using CLineEntity::CLineEntity;
  CEntity* Clone(int) const override { return nullptr; }
};

using drafttest::Geometry;

std::vector<std::vector<double>> Geometries(const std::vector<CEntity*>& list) {
  std::vector<std::vector<double>> out;
  for (const CEntity* e : list) out.push_back(Geometry(e));
  return out;
}

class MoveCopyTest : public ::testing::Test {
 protected:
  MoveCopyTest() : previousSettings_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~MoveCopyTest() override { SetSettingsBacking(std::move(previousSettings_)); }

  template <typename T = CLineEntity, typename... Args>
  T* Add(Args... args) {
    auto* e = new T(args...);
    view.AddEntityToView(e);
    return e;
  }
  CMoveCopyCmd* Start(int move, int orthogonal = 0, int repeat = 0) {
    auto* cmd = new CMoveCopyCmd(kId, move, orthogonal, 5, 6, repeat);
    stack.Push(&view, cmd);
    return stack.GetCurrent() == cmd ? cmd : nullptr;
  }
  void Click(double x, double y) { stack.OnLButton(0, DevicePoint(x, y), &view); }
  void Move(double x, double y) { stack.OnMouseMove(0, DevicePoint(x, y), &view); }
  void RButton() { stack.OnRButton(0, DevicePoint(0, 0), &view); }
  void Shift() { stack.OnKeyDown(DevicePoint(0, 0), 16, 1, 0, &view); }
  void Tab(double x, double y) { stack.OnChar(DevicePoint(x, y), 9, 1, 0, &view); }
  CStringA Prompt() { return stack.GetPrompt(); }
  std::vector<CEntity*> Drawing() {
    std::vector<CEntity*> all;
    for (CEntity* e : *view.GetEntityList()) all.push_back(e);
    for (CEntity* e : *view.GetSelectionList()) all.push_back(e);
    return all;
  }
  // The entities of the drawing that are not in `before`.
  std::vector<CEntity*> Added(const std::vector<CEntity*>& before) {
    std::vector<CEntity*> out;
    for (CEntity* e : Drawing())
      if (std::find(before.begin(), before.end(), e) == before.end()) out.push_back(e);
    return out;
  }
  std::vector<const ViewDrawOp*> Drawn(ViewDrawKind kind) {
    std::vector<const ViewDrawOp*> out;
    for (const ViewDrawOp& op : view.GetDrawLog())
      if (op.kind == kind) out.push_back(&op);
    return out;
  }

  CDraftView view;
  CCmdStack stack;
  platform::ScopedMessageBoxHandler boxes{[](const platform::MessageBoxRequest& r) {
    ADD_FAILURE() << "unexpected message: " << CStringA(r.text).GetString();
    return IDOK;
  }};

 private:
  std::unique_ptr<CSettingsBacking> previousSettings_;
};

}  // namespace

TEST_F(MoveCopyTest, AMoveRunsThroughSelectionAndIsOneReplaceRecord) {
  CEntity* line = Add(0, nullptr, 100.0, 100.0, 150.0, 100.0);
  CEntity* other = Add(0, nullptr, 500.0, 500.0, 550.0, 500.0);
  ASSERT_TRUE(Start(1));
  EXPECT_EQ(Prompt(), kPickPrompt);
  Shift();  // while selecting Shift does nothing
  Click(125, 100);
  RButton();
  EXPECT_EQ(Prompt(), "输入移动基点");
  Click(300, 300);
  EXPECT_EQ(Prompt(), kTargetPrompt);
  Click(340, 310);  // free: Shift was not counted while selecting
  EXPECT_EQ(Prompt(), kPickPrompt);  // back to selecting
  EXPECT_EQ(view.GetSelectionCount(), 0);

  const std::vector<CEntity*> now = Drawing();
  ASSERT_EQ(now.size(), 2u);
  EXPECT_EQ(now[0], other);
  EXPECT_EQ(Geometry(now[1]), (std::vector<double>{140, 110, 190, 110}));
  ASSERT_EQ(view.GetUndoCount(), 1);
  const CUndoRecord* record = view.GetLastUndoRecord();
  EXPECT_EQ(record->GetKind(), UndoKind::kReplaceList);
  EXPECT_EQ(record->GetOldEntities(), (std::vector<CEntity*>{line}));
  EXPECT_EQ(record->GetNewEntities(), (std::vector<CEntity*>{now[1]}));

  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Drawing(), (std::vector<CEntity*>{line, other}));
  EXPECT_EQ(Geometry(line), (std::vector<double>{100, 100, 150, 100}));
  RButton();  // nothing picked: the command ends
  EXPECT_TRUE(stack.IsEmpty());
}

TEST_F(MoveCopyTest, TheOrthogonalHoldKeepsTheLargerAxisAndATieGoesVertical) {
  struct Case {
    int orthogonal, shiftPresses;
    double tx, ty;      // the target, from the base (300, 300)
    double ex, ey;      // the displacement made
  };
  const Case cases[] = {
      {0, 0, 40, 10, 40, 10},    // free
      {1, 0, 40, 10, 40, 0},     // horizontal
      {1, 0, 10, -40, 0, -40},   // vertical
      {1, 0, 30, 30, 0, 30},     // a tie: vertical
      {1, 0, -30, -30, 0, -30},  // a tie: vertical
      {0, 1, 40, 10, 40, 0},     // Shift holds
      {1, 1, 40, 10, 40, 10},    // Shift frees
      {1, 2, 10, 40, 0, 40},     // twice: held again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "orthogonal " << c.orthogonal << " shift " << c.shiftPresses << " target ("
                                    << c.tx << ", " << c.ty << ")");
    stack.DeleteAll();
    CEntity* line = Add(0, nullptr, 100.0, 100.0, 150.0, 100.0);
    view.SelectEntity(line);
    ASSERT_TRUE(Start(1, c.orthogonal));  // a selection is moved at once
    Click(300, 300);
    for (int i = 0; i < c.shiftPresses; ++i) Shift();
    view.ClearDrawLog();
    Move(300 + c.tx, 300 + c.ty);
    const auto lines = Drawn(ViewDrawKind::kLine);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back()->values, (std::vector<double>{300, 300, 300 + c.ex, 300 + c.ey}));
    const auto shown = Drawn(ViewDrawKind::kSelectionTransformed);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->values, (std::vector<double>{c.ex, c.ey, 300, 300, 1, 0}));
    const std::vector<CEntity*> before = Drawing();
    Click(300 + c.tx, 300 + c.ty);
    const std::vector<CEntity*> moved = Added(before);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(Geometry(moved[0]), (std::vector<double>{100 + c.ex, 100 + c.ey, 150 + c.ex, 100 + c.ey}));
    EXPECT_FALSE(view.IsInDrawing(line));
  }
}

TEST_F(MoveCopyTest, TabTurnsTheCopyAboutTheBasePointInQuarterTurns) {
  CEntity* line = Add(0, nullptr, 100.0, 100.0, 150.0, 100.0);
  view.SelectEntity(line);
  ASSERT_TRUE(Start(0));
  EXPECT_EQ(Prompt(), "输入拷贝基点");
  Click(100, 100);
  for (int i = 0; i < 5; ++i) Tab(200, 100);  // 5 mod 4: a quarter turn
  view.ClearDrawLog();
  Move(200, 100);
  const auto shown = Drawn(ViewDrawKind::kSelectionTransformed);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0]->values, (std::vector<double>{100, 0, 100, 100, 1, 90}));
  EXPECT_EQ(shown[0]->flag, 1);  // one entity drawn

  const std::vector<CEntity*> before = Drawing();
  Click(200, 100);
  const std::vector<CEntity*> copies = Added(before);
  ASSERT_EQ(copies.size(), 1u);
  const std::vector<double> turned = Geometry(copies[0]);
  ASSERT_EQ(turned.size(), 4u);
  const double expected[] = {200, 100, 200, 150};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(turned[static_cast<size_t>(i)], expected[i], 1e-9);
  EXPECT_EQ(Geometry(line), (std::vector<double>{100, 100, 150, 100}));  // the source stays
  EXPECT_TRUE(view.GetEntityList()->Contains(line));
  EXPECT_EQ(Prompt(), kPickPrompt);  // a plain copy ends the processing too

  const CUndoRecord* record = view.GetLastUndoRecord();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->GetKind(), UndoKind::kReplaceList);
  EXPECT_TRUE(record->GetOldEntities().empty());
  EXPECT_EQ(record->GetNewEntities(), copies);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Drawing(), (std::vector<CEntity*>{line}));
  ASSERT_TRUE(view.Redo());
  EXPECT_EQ(Added(before), copies);
}

TEST_F(MoveCopyTest, ARepeatCopyPlacesTheCopyCountOnEachClickUntilTheRightButton) {
  ASSERT_TRUE(WriteProfileIntSetting(CMoveCopyCmd::kSettingsSection, CMoveCopyCmd::kCopyCountKey, 3));
  CEntity* line = Add(0, nullptr, 100.0, 100.0, 150.0, 100.0);
  view.SelectEntity(line);
  CMoveCopyCmd* cmd = Start(0, 0, 1);
  ASSERT_TRUE(cmd);
  Click(100, 100);
  Tab(100, 140);
  view.ClearDrawLog();
  Move(100, 140);
  std::vector<std::vector<double>> previews;
  for (const ViewDrawOp* op : Drawn(ViewDrawKind::kSelectionTransformed)) previews.push_back(op->values);
  EXPECT_EQ(previews, (std::vector<std::vector<double>>{
                          {0, 40, 100, 100, 1, 90}, {0, 80, 100, 100, 1, 90}, {0, 120, 100, 100, 1, 90}}));

  std::vector<CEntity*> before = Drawing();
  Click(100, 140);
  std::vector<CEntity*> copies = Added(before);
  auto near = [](std::vector<std::vector<double>> got, std::vector<std::vector<double>> want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i)
      for (size_t j = 0; j < want[i].size(); ++j) EXPECT_NEAR(got[i][j], want[i][j], 1e-9) << i << "," << j;
  };
  // Turned about the base, then moved by 1, 2 and 3 times the displacement.
  near(Geometries(copies), {{100, 140, 100, 190}, {100, 180, 100, 230}, {100, 220, 100, 270}});
  EXPECT_EQ(view.GetUndoCount(), 1);
  EXPECT_TRUE(view.GetLastUndoRecord()->GetOldEntities().empty());
  EXPECT_EQ(view.GetLastUndoRecord()->GetNewEntities(), copies);
  // The base point stays and the source stays selected for the next target.
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(Prompt(), kTargetPrompt);
  EXPECT_EQ(*view.GetSelectionList()->begin(), line);

  before = Drawing();
  Click(300, 100);
  copies = Added(before);
  near(Geometries(copies), {{300, 100, 300, 150}, {500, 100, 500, 150}, {700, 100, 700, 150}});
  EXPECT_EQ(view.GetUndoCount(), 2);

  RButton();  // ends the command; nothing more is made
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_EQ(Drawing().size(), 7u);
  EXPECT_EQ(view.GetUndoCount(), 2);
}

TEST_F(MoveCopyTest, TablesAndEntitiesThatCannotBeTransformed) {
  ASSERT_TRUE(WriteProfileIntSetting(CMoveCopyCmd::kSettingsSection, CMoveCopyCmd::kCopyCountKey, 2));
  auto* table = Add<CTableStub>(1, 0.0, 0.0, 50.0, 0.0);
  auto* fixed = Add<CFixedLine>(0, nullptr, 0.0, 100.0, 50.0, 100.0);

  // A repeat copy: the first copy of a table is a general table, the further
  // ones keep the source's kind; what cannot be transformed is selected again.
  view.SelectEntity(table);
  view.SelectEntity(fixed);
  ASSERT_TRUE(Start(0, 0, 1));
  std::vector<CEntity*> before = Drawing();
  Click(0, 0);
  Click(0, 300);
  std::vector<CEntity*> copies = Added(before);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0]->GetTableKind(), 0);
  EXPECT_EQ(copies[1]->GetTableKind(), 1);
  EXPECT_EQ(table->GetTableKind(), 1);
  EXPECT_EQ(view.GetLastUndoRecord()->GetNewEntities(), copies);
  EXPECT_EQ(view.GetSelectionCount(), 2);  // both stay selected for the next target
  EXPECT_TRUE(view.GetSelectionList()->Contains(fixed));
  RButton();
  ASSERT_TRUE(stack.IsEmpty());

  // A move keeps the kind; the fixed line stays where it is, out of the record,
  // and the record is pushed all the same.
  view.SelectEntity(table);
  view.SelectEntity(fixed);
  ASSERT_TRUE(Start(1));
  before = Drawing();
  Click(0, 0);
  Click(0, 300);
  const std::vector<CEntity*> moved = Added(before);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0]->GetTableKind(), 1);
  EXPECT_EQ(view.GetLastUndoRecord()->GetOldEntities(), (std::vector<CEntity*>{table}));
  EXPECT_EQ(view.GetLastUndoRecord()->GetNewEntities(), moved);
  EXPECT_TRUE(view.IsInDrawing(fixed));
  EXPECT_FALSE(view.IsInDrawing(table));
  EXPECT_EQ(view.GetSelectionCount(), 0);

  view.SelectEntity(fixed);
  RButton();  // selecting with nothing picked this pass: the command ends
  ASSERT_TRUE(stack.IsEmpty());
  ASSERT_TRUE(Start(1));  // only the fixed line: nothing moves, one empty record
  const int records = view.GetUndoCount();
  Click(0, 0);
  Click(0, 300);
  EXPECT_EQ(view.GetUndoCount(), records + 1);
  EXPECT_TRUE(view.GetLastUndoRecord()->IsEmpty());
  EXPECT_TRUE(view.IsInDrawing(fixed));
}

TEST_F(MoveCopyTest, TheRightButtonWhileTakingPointsEndsTheCommandAndChangesNothing) {
  CEntity* line = Add(0, nullptr, 100.0, 100.0, 150.0, 100.0);
  view.SelectEntity(line);
  ASSERT_TRUE(Start(1));
  Click(300, 300);
  RButton();
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_EQ(Drawing(), (std::vector<CEntity*>{line}));
  EXPECT_EQ(view.GetUndoCount(), 0);
}
