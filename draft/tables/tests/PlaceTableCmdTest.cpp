// The table placement command driven through the command stack: docking
// the start point to lines, wrap heights and the columns they give, the
// outlines of placed columns, the right button, and the drawing's parts
// list through placement, undo, redo and abandoning.
#include <gtest/gtest.h>

#include <memory>

#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/tables/DetailTableDlg.h"
#include "draft/tables/PlaceTableCmd.h"
#include "draft/tables/TableDataDlg.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ModalDriver.h"

using drafttest::DevicePoint;

namespace {

constexpr double kWidth = 40.0;   // every table is one column this wide
constexpr double kHeight = 10.0;  // and every row this high

// A table of kind `kind`: a header row and `rows` data rows.
CTableEntity* MakeTable(int kind, int rows, int direction = 0) {
  CTableEntity* t = ConstructTableEntity(0, nullptr);
  t->SetTableKind(kind);
  t->SetDirection(direction);
  for (int r = 0; r <= rows; ++r) {
    CTableRow* row = ConstructTableRow(r == 0 ? 0 : 1);
    AddRowCell(row, ConstructTableCell(r == 0 ? "h" : "v", kWidth, kHeight, 2));
    t->AddRow(row);
  }
  RecalcTable(t);
  return t;
}

class PlaceTableCmdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    view.SetSnapModes(0);
  }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }

  CPlaceTableCmd* Start(CTableEntity* table) {
    auto* cmd = new CPlaceTableCmd(nullptr, 900, 3, table);
    stack.Push(&view, cmd);
    return stack.GetCurrent() == cmd ? cmd : nullptr;
  }
  void Click(double x, double y) { stack.OnLButton(0, DevicePoint(x, y), &view); }
  void RightButton(double x = 700, double y = 50) { stack.OnRButton(0, DevicePoint(x, y), &view); }
  void Tab() { stack.OnChar(DevicePoint(700, 50), 9, 1, 0, &view); }
  CEntity* AddLine(double x1, double y1, double x2, double y2) {
    CEntity* line = ConstructLineEntity(0, nullptr, x1, y1, x2, y2);
    view.AddEntityToView(line);
    return line;
  }
  bool InDrawing(const CEntity* e) { return view.IsInDrawing(e); }
  int CountInDrawing(const CEntity* e) {
    int n = 0;
    for (CEntity* x : *view.GetEntityList()) n += x == e;
    return n;
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  drafttest::MessageBoxAnswers answers{IDNO};
  CDraftView view;
  CCmdStack stack;
};

}  // namespace

TEST_F(PlaceTableCmdTest, TheFirstClickDocksToTheLinesItPicks) {
  struct Case {
    const char* name;
    bool vertical, horizontal, zeroLength;
    int tabs;
    double clickX, clickY;
    bool xDocked, yDocked;
    double startX, startY;
    int phase;
  };
  const Case cases[] = {
      {"vertical line", true, false, false, 0, 100, 250, true, false, 100, 0, 0},
      {"horizontal line", false, true, false, 0, 300, 400, false, true, 0, 400, 0},
      {"zero-length line docks both", false, false, true, 0, 200, 300, true, true, 200, 300, 1},
      {"empty click", false, false, false, 0, 50, 60, true, true, 50, 60, 1},
      {"odd TAB: the line is the right edge", true, false, false, 1, 100, 250, true, false, 100 - kWidth, 0, 0},
      {"even TAB", true, false, false, 2, 100, 250, true, false, 100, 0, 0},
      {"odd TAB on an empty click", false, false, false, 3, 50, 60, true, true, 50 - kWidth, 60, 1},
      {"odd TAB leaves a horizontal line's y", false, true, false, 1, 300, 400, false, true, 0, 400, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDraftView fresh;
    fresh.SetSnapModes(0);
    CCmdStack freshStack;
    if (c.vertical) fresh.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 0, 100, 500));
    if (c.horizontal) fresh.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 400, 700, 400));
    if (c.zeroLength) fresh.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 300, 200, 300));
    auto* cmd = new CPlaceTableCmd(nullptr, 900, 3, MakeTable(0, 3));
    freshStack.Push(&fresh, cmd);
    ASSERT_EQ(freshStack.GetCurrent(), cmd);
    for (int i = 0; i < c.tabs; ++i) freshStack.OnChar(DevicePoint(700, 50), 9, 1, 0, &fresh);
    freshStack.OnLButton(0, DevicePoint(c.clickX, c.clickY), &fresh);
    EXPECT_EQ(cmd->IsXDocked(), c.xDocked);
    EXPECT_EQ(cmd->IsYDocked(), c.yDocked);
    if (c.xDocked) {
      EXPECT_DOUBLE_EQ(cmd->GetStartX(), c.startX);
    }
    if (c.yDocked) {
      EXPECT_DOUBLE_EQ(cmd->GetStartY(), c.startY);
    }
    EXPECT_EQ(cmd->GetPhase(), c.phase);
    freshStack.EndAll(&fresh);
  }
}

TEST_F(PlaceTableCmdTest, AVerticalThenAHorizontalLineDockTheStartAndTheWrapIsAskedNext) {
  AddLine(100, 0, 100, 500);
  AddLine(0, 400, 700, 400);
  CPlaceTableCmd* cmd = Start(MakeTable(0, 3));
  ASSERT_NE(cmd, nullptr);
  EXPECT_EQ(cmd->GetPromptOverride(), "选择停靠图元确定表格起点");
  Click(100, 250);
  EXPECT_EQ(cmd->GetPromptOverride(), "选择停靠图元确定表格起点的 Y 坐标值");
  Click(300, 400);
  EXPECT_EQ(cmd->GetPhase(), 1);
  EXPECT_EQ(cmd->GetPromptOverride(), "确定表格转折高度(右健不限制高度)");
  EXPECT_DOUBLE_EQ(cmd->GetStartX(), 100);
  EXPECT_DOUBLE_EQ(cmd->GetStartY(), 400);
}

TEST_F(PlaceTableCmdTest, AWrapAboveTheStartOfADownwardTablePlacesItInOneColumn) {
  CTableEntity* t = MakeTable(0, 5);
  ASSERT_NE(Start(t), nullptr);
  Click(50, 500);
  Click(300, 550);  // above the start: no limit
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_TRUE(InDrawing(t));
  EXPECT_EQ(t->GetSegmentCount(), 1);
  EXPECT_TRUE(view.GetTempEntityList().IsEmpty());
  EXPECT_EQ(view.GetUndoCount(), 1);
  double v[kMaxGeometryValues] = {};
  t->GetGeometry(v);
  EXPECT_DOUBLE_EQ(v[0], 50);
  EXPECT_DOUBLE_EQ(v[1], 500);
}

TEST_F(PlaceTableCmdTest, AnUpwardTableWrappedBelowItsStartIsNotCut) {
  CTableEntity* t = MakeTable(0, 5, 1);
  ASSERT_NE(Start(t), nullptr);
  Click(50, 300);
  Click(300, 100);
  EXPECT_TRUE(InDrawing(t));
  EXPECT_EQ(t->GetSegmentCount(), 1);
}

TEST_F(PlaceTableCmdTest, ACutColumnLeavesItsOutlineUntilTheTableIsComplete) {
  CTableEntity* t = MakeTable(0, 5);  // six counted rows, 60 high
  CPlaceTableCmd* cmd = Start(t);
  ASSERT_NE(cmd, nullptr);
  Click(50, 500);
  Click(300, 465);  // three rows fit above 465
  ASSERT_EQ(stack.GetCurrent(), cmd);
  EXPECT_EQ(cmd->GetRowsRemaining(), 3);
  EXPECT_EQ(cmd->GetPromptOverride(), "选择停靠图元确定确定表格下一起点的 Y 坐标值");
  EXPECT_TRUE(cmd->IsXDocked());
  EXPECT_FALSE(cmd->IsYDocked());
  // The tops of the three placed rows and of the first unplaced one, and
  // the two borders, as lines on the thick-line layer.
  CEntityList& temp = view.GetTempEntityList();
  ASSERT_EQ(temp.GetCount(), 6);
  std::vector<std::vector<double>> lines;
  for (CEntity* e : temp) {
    double v[kMaxGeometryValues] = {};
    e->GetGeometry(v);
    lines.push_back({v[0], v[1], v[2], v[3]});
    EXPECT_EQ(e->GetEntityLayer(), GetLineKindLayer(1));
  }
  const std::vector<std::vector<double>> want{{50, 500, 90, 500}, {50, 490, 90, 490}, {50, 480, 90, 480},
                                              {50, 470, 90, 470}, {50, 500, 50, 470}, {90, 470, 90, 500}};
  EXPECT_EQ(lines, want);
  EXPECT_FALSE(InDrawing(t));

  Click(150, 500);  // the next column's start
  Click(300, 400);  // the rest fits
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_TRUE(InDrawing(t));
  ASSERT_EQ(t->GetSegmentCount(), 2);
  EXPECT_DOUBLE_EQ(t->GetSegment(1).startX, 150);
  EXPECT_DOUBLE_EQ(t->GetSegment(1).startY, 500);
  EXPECT_TRUE(temp.IsEmpty());
  EXPECT_EQ(view.GetUndoCount(), 1);
}

TEST_F(PlaceTableCmdTest, EachCutColumnKeepsItsOwnOutlineWithTheRepeatedHeader) {
  CTableEntity* t = MakeTable(0, 5);  // a header and five rows, 10 high each
  t->SetRepeatHeader(1);
  CPlaceTableCmd* cmd = Start(t);
  ASSERT_NE(cmd, nullptr);
  Click(50, 500);
  Click(300, 465);  // the header and two rows
  ASSERT_EQ(cmd->GetRowsRemaining(), 3);
  Click(150, 500);
  Click(300, 465);  // the header again and two more rows
  ASSERT_EQ(stack.GetCurrent(), cmd);
  EXPECT_EQ(cmd->GetRowsRemaining(), 1);
  CEntityList& temp = view.GetTempEntityList();
  ASSERT_EQ(temp.GetCount(), 12);
  std::vector<std::vector<double>> second;
  int at = 0;
  for (CEntity* e : temp) {
    double v[kMaxGeometryValues] = {};
    e->GetGeometry(v);
    if (at++ >= 6) second.push_back({v[0], v[1], v[2], v[3]});
  }
  const std::vector<std::vector<double>> want{{150, 500, 190, 500}, {150, 490, 190, 490}, {150, 480, 190, 480},
                                              {150, 470, 190, 470}, {150, 500, 150, 470}, {190, 470, 190, 500}};
  EXPECT_EQ(second, want);

  Click(250, 500);
  RightButton();  // the last row without a limit
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_TRUE(temp.IsEmpty());
  EXPECT_TRUE(InDrawing(t));
  EXPECT_EQ(t->GetSegmentCount(), 3);
  EXPECT_EQ(view.GetUndoCount(), 1);
}

TEST_F(PlaceTableCmdTest, TheRightButtonAfterACutColumnAbandonsThePlacement) {
  CTableEntity* t = MakeTable(0, 5);
  ASSERT_NE(Start(t), nullptr);
  Click(50, 500);
  Click(300, 465);
  ASSERT_FALSE(view.GetTempEntityList().IsEmpty());
  RightButton();
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_TRUE(view.GetTempEntityList().IsEmpty());
  EXPECT_EQ(view.GetEntityList()->GetCount(), 0);
  EXPECT_EQ(view.GetUndoCount(), 0);
}

TEST_F(PlaceTableCmdTest, TheRightButtonAtTheWrapPromptFinishesInOneColumn) {
  CTableEntity* t = MakeTable(0, 5);
  ASSERT_NE(Start(t), nullptr);
  Click(50, 500);
  RightButton();
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_TRUE(InDrawing(t));
  EXPECT_EQ(t->GetSegmentCount(), 1);
  EXPECT_EQ(view.GetUndoCount(), 1);
}

TEST_F(PlaceTableCmdTest, AGeneralTableLeavesThePartsListWhereItIs) {
  CTableEntity* partsList = MakeTable(1, 2);
  view.AddEntityToView(partsList);
  CTableEntity* general = MakeTable(0, 2);
  ASSERT_NE(Start(general), nullptr);
  Click(300, 500);
  Click(300, 550);
  EXPECT_TRUE(InDrawing(general));
  EXPECT_EQ(CountInDrawing(partsList), 1);
  ASSERT_TRUE(view.Undo());
  EXPECT_FALSE(InDrawing(general));
  EXPECT_EQ(CountInDrawing(partsList), 1);
  ASSERT_TRUE(view.Redo());
  EXPECT_TRUE(InDrawing(general));
  EXPECT_EQ(CountInDrawing(partsList), 1);

  // Abandoned placements put nothing back twice.
  ASSERT_NE(Start(MakeTable(0, 2)), nullptr);
  RightButton();
  ASSERT_NE(Start(MakeTable(0, 5)), nullptr);
  Click(300, 500);
  Click(300, 485);  // one column cut, then the command is ended
  stack.EndAll(&view);
  EXPECT_EQ(CountInDrawing(partsList), 1);
  EXPECT_EQ(view.GetPartsListTable(), partsList);
}

TEST_F(PlaceTableCmdTest, APlacedPartsListReplacesThePreviousOneInOneStep) {
  CTableEntity* previous = MakeTable(1, 2);
  view.AddEntityToView(previous);
  CTableEntity* placed = MakeTable(1, 3);
  ASSERT_NE(Start(placed), nullptr);
  Click(300, 500);
  Click(300, 550);
  EXPECT_EQ(view.GetPartsListTable(), placed);
  EXPECT_FALSE(InDrawing(previous));
  EXPECT_EQ(view.GetUndoCount(), 1);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(view.GetPartsListTable(), previous);
  EXPECT_FALSE(InDrawing(placed));
  ASSERT_TRUE(view.Redo());
  EXPECT_EQ(view.GetPartsListTable(), placed);
  EXPECT_FALSE(InDrawing(previous));
}

TEST_F(PlaceTableCmdTest, CallersChangesAndThePlacedTableAreOneStep) {
  CEntity* gone = AddLine(0, 0, 10, 0);
  view.RemoveEntity(gone);
  CEntity* added = AddLine(0, 20, 10, 20);
  CEntityList oldList, newList;
  oldList.AddTail(gone);
  newList.AddTail(added);
  CTableEntity* t = MakeTable(0, 2);
  auto* cmd = new CPlaceTableCmd(nullptr, 900, 3, t, &oldList, &newList);
  EXPECT_TRUE(oldList.IsEmpty());
  EXPECT_TRUE(newList.IsEmpty());
  stack.Push(&view, cmd);
  Click(300, 500);
  Click(300, 550);
  ASSERT_EQ(view.GetUndoCount(), 1);
  ASSERT_TRUE(view.Undo());
  EXPECT_TRUE(InDrawing(gone));
  EXPECT_FALSE(InDrawing(added));
  EXPECT_FALSE(InDrawing(t));
}

TEST_F(PlaceTableCmdTest, WithoutATableTheCommandDoesNotStart) {
  EXPECT_EQ(Start(nullptr), nullptr);
}

TEST_F(PlaceTableCmdTest, ARebarScheduleFromTheContentDialogIsPlaced) {
  CEntity* label = ConstructLineEntity(0, nullptr, 600, 100, 610, 100);
  for (const auto& [name, value] : {std::pair{"钢筋标注", "1"}, {"编号", "1"}, {"直径", "12"}, {"单根长", "1000"}})
    AddAttributeItem(label->GetEntityAttributes(), name, "字符串", value, 1, 1);
  view.AddEntityToView(label);
  int sessions = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    ++sessions;
    if (s.As<CTableDataDlg>()) EXPECT_TRUE(s.Click(CTableDataDlg::kGenerate));
    else EXPECT_TRUE(s.Click(IDOK));  // the font dialog
  });
  auto* cmd = new CPlaceTableCmd(nullptr, 900, 2);
  stack.Push(&view, cmd);
  ASSERT_EQ(stack.GetCurrent(), cmd);
  EXPECT_EQ(sessions, 2);
  ASSERT_NE(cmd->GetTable(), nullptr);
  EXPECT_EQ(cmd->GetTable()->GetTableKind(), 2);
  EXPECT_EQ(view.ModalDialogFlag(), 0);
  Click(300, 500);
  Click(300, 550);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 2);
}

TEST_F(PlaceTableCmdTest, ACancelledContentDialogStartsNothing) {
  platform::ScopedModalDriver driver([](platform::ModalSession& s) { EXPECT_TRUE(s.Click(IDCANCEL)); });
  auto* cmd = new CPlaceTableCmd(nullptr, 900, 2);
  stack.Push(&view, cmd);
  EXPECT_EQ(stack.GetCurrent(), nullptr);
}

TEST_F(PlaceTableCmdTest, ATableFromTheBillOfMaterialsDialogIsPlaced) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CFieldArray fields;
  fields.Add(CFieldRecord("序号", 0, 10.0, 2));
  fields.Add(CFieldRecord("名称", 0, 30.0, 2));
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    if (s.As<CDetailTableDlg>()) EXPECT_TRUE(s.Click(CDetailTableDlg::kGenerate));
    else EXPECT_TRUE(s.Click(IDOK));  // the font dialog
  });
  auto* cmd = new CPlaceTableCmd(&fields, 900, 1);
  stack.Push(&view, cmd);
  ASSERT_EQ(stack.GetCurrent(), cmd);
  ASSERT_NE(cmd->GetTable(), nullptr);
  EXPECT_EQ(cmd->GetTable()->GetTableKind(), 0);
  EXPECT_EQ(fields.GetSize(), 2);  // the command's structure, edited in place
  Click(300, 500);
  Click(300, 550);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
}

TEST_F(PlaceTableCmdTest, ThePreviewFollowsTheCursorThenShowsTheWrapLine) {
  ASSERT_NE(Start(MakeTable(0, 1)), nullptr);  // two rows, 20 high
  const auto lines = [this] {
    std::vector<std::vector<double>> out;
    for (const ViewDrawOp& op : view.GetDrawLog())
      if (op.kind == ViewDrawKind::kLine) out.push_back(op.values);
    view.ClearDrawLog();
    return out;
  };
  view.ClearDrawLog();
  stack.OnMouseMove(0, DevicePoint(100, 300), &view);  // the move draws the preview
  EXPECT_EQ(lines(), (std::vector<std::vector<double>>{{100, 300, 140, 300},
                                                       {100, 290, 140, 290},
                                                       {100, 280, 140, 280},
                                                       {100, 300, 100, 280},
                                                       {140, 280, 140, 300}}));
  Click(100, 300);
  view.ClearDrawLog();
  stack.OnMouseMove(0, DevicePoint(200, 250), &view);
  const auto atWrap = lines();
  ASSERT_EQ(atWrap.size(), 6u);  // the rows stay at the start; the wrap line at the cursor's height
  EXPECT_EQ(atWrap[0], (std::vector<double>{100, 300, 140, 300}));
  EXPECT_EQ(atWrap[3], (std::vector<double>{90, 250, 150, 250}));
}
