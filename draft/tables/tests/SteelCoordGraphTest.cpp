// The tendon graph: the axis-type signs and exchange, the mirror
// distributions and the closed flag of its shape, and the command placing a
// new or edited graph (with the nested coordinate-table placement), and the
// table editor pairing a coordinate table with its graph.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/host/TendonGraphEntity.h"
#include "draft/tables/AxisSelDlg.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/EditTendonTableCmd.h"
#include "draft/tables/SteelCoordGraphCmd.h"
#include "draft/tables/SteelCoordTableDlg.h"
#include "draft/tables/TendonGraphShape.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/ui/ModalDriver.h"

namespace {

// A graph of one curve (0, 0) (10, 5) (20, 0), maxima 20 and 5, axes off.
std::unique_ptr<CTendonGraphEntity> OneCurveGraph() {
  std::unique_ptr<CTendonGraphEntity> g(ConstructTendonGraphEntity(0, nullptr, ""));
  g->GetCurves() = {TendonCurve{{0, 10, 20}, {0, 5, 0}}};
  g->SetMaxima(20, 5);
  g->SetAxisFlag(0);
  return g;
}

TEST(TendonGraphShapeTest, AxisTypesGiveTheSignsAndTheExchange) {
  struct {
    int type;
    double x, y;  // where (10, 5) lands from the origin (100, 100), scale 2
    int switched;
  } cases[] = {{0, 80, 110, 4}, {1, 120, 110, 5}, {2, 80, 90, 6},  {3, 120, 90, 7},
               {4, 90, 120, 0}, {5, 110, 120, 1}, {6, 90, 80, 2}, {7, 110, 80, 3}};
  auto graph = OneCurveGraph();
  for (const auto& c : cases) {
    TendonGraphSettings s;
    s.axisType = c.type;
    TendonGraphShape shape;
    BuildTendonGraphShape(*graph, s, 100, 100, 2.0, TendonLabelMetrics(), shape);
    ASSERT_EQ(shape.lines.size(), 2u);
    EXPECT_EQ(shape.lines[0].x1, 100);
    EXPECT_EQ(shape.lines[0].x2, c.x) << c.type;
    EXPECT_EQ(shape.lines[0].y2, c.y) << c.type;
    EXPECT_EQ(SwitchTendonAxisType(c.type), c.switched);
  }
}

TEST(TendonGraphShapeTest, DistributionsMirrorAndTheClosedFlagJoinsTheEnds) {
  auto graph = OneCurveGraph();
  struct {
    int distribution, closed;
    std::vector<TendonSegment> lines;
  } cases[] = {
      {2, 0, {{0, 0, 10, 5}, {10, 5, 20, 0}}},
      {0, 0, {{0, 0, 10, 5}, {0, 0, 10, -5}, {10, 5, 20, 0}, {10, -5, 20, 0}}},
      {1, 0, {{0, 0, 10, 5}, {0, 0, -10, 5}, {10, 5, 20, 0}, {-10, 5, -20, 0}}},
      {2, 1, {{0, 0, 10, 5}, {10, 5, 20, 0}, {20, 0, 0, 0}}},
  };
  for (const auto& c : cases) {
    TendonGraphSettings s;
    s.distribution = c.distribution;
    s.closed = c.closed;
    TendonGraphShape shape;
    BuildTendonGraphShape(*graph, s, 0, 0, 1.0, TendonLabelMetrics(), shape);
    ASSERT_EQ(shape.lines.size(), c.lines.size()) << c.distribution;
    for (size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(shape.lines[i].x1, c.lines[i].x1) << c.distribution << " " << i;
      EXPECT_EQ(shape.lines[i].y1, c.lines[i].y1) << c.distribution << " " << i;
      EXPECT_EQ(shape.lines[i].x2, c.lines[i].x2) << c.distribution << " " << i;
      EXPECT_EQ(shape.lines[i].y2, c.lines[i].y2) << c.distribution << " " << i;
    }
  }
}

TEST(TendonGraphShapeTest, TheAxesReachFifteenBeyondTheLargestValues) {
  auto graph = OneCurveGraph();
  graph->SetAxisFlag(1);
  TendonGraphSettings s;  // type 1: x right, y up
  TendonGraphShape shape;
  BuildTendonGraphShape(*graph, s, 0, 0, 1.0, TendonLabelMetrics{3.0, 1, 1, 2}, shape);
  ASSERT_EQ(shape.axes.size(), 2u);
  EXPECT_EQ(shape.axes[0].x2, 35);
  EXPECT_EQ(shape.axes[1].y2, 20);
  ASSERT_EQ(shape.labels.size(), 2u);
  EXPECT_EQ(shape.labels[0].text, "x");
  EXPECT_EQ(shape.labels[0].x, 37);
  EXPECT_EQ(shape.labels[0].y, -1);
}

class SteelCoordGraphTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  SteelCoordGraphTest() : MessageBoxAnswers(IDNO) {}
  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    SetProgramFolder(scratch_.GetFolder().c_str());
    view.SetSnapModes(0);
  }
  void TearDown() override {
    stack.EndAll(&view);
    SetProgramFolder(nullptr);
    SetSettingsBacking(std::move(previous_));
  }
  // Answers the dialogs: the axis dialog confirmed, the coordinate dialog
  // given `rows` (when any) and finished with "坐标表" as `table` says, the
  // font dialog confirmed.
  void Answer(std::vector<const char*> rows, bool table) {
    driver_.reset();  // a driver ends by putting back the one before it
    driver_ = std::make_unique<platform::ScopedModalDriver>([this, rows, table](platform::ModalSession& s) {
      if (s.As<CAxisSelDlg>() || s.As<CBillFontDlg>()) {
        s.Click(IDOK);
      } else if (auto* d = s.As<CSteelCoordTableDlg>()) {
        ++coordDialogs;
        if (!rows.empty()) {
          CFieldArray f;
          for (const char* name : {"X", "Y1"}) f.Add(CFieldRecord(name, 4, 20.0, 2));
          CStringArray texts;
          for (const char* r : rows) texts.Add(r);
          d->SetContents(f, texts);
        }
        if (!table) s.Click(CSteelCoordTableDlg::kCoordTable);
        s.Click(CSteelCoordTableDlg::kGraph);
      }
      if (s.IsRunning()) s.Click(IDCANCEL);
    });
  }
  CTableEntity* AddTable(int kind) {
    CTableEntity* t = ConstructTableEntity(0, nullptr);
    t->SetTableKind(kind);
    for (int r = 0; r < 2; ++r) {
      CTableRow* row = ConstructTableRow(r == 0 ? 0 : 1);
      AddRowCell(row, ConstructTableCell(r == 0 ? "X" : "0", 20, 10, 2));
      AddRowCell(row, ConstructTableCell(r == 0 ? "Y1" : "5", 20, 10, 2));
      t->AddRow(row);
    }
    int remaining = 1;
    t->Place(0, 20, &remaining, 1e300);
    view.AddEntityToView(t);
    return t;
  }
  // A graph in the drawing: one curve, its segment along y = 50.
  CTendonGraphEntity* AddGraph() {
    CTendonGraphEntity* g = ConstructTendonGraphEntity(0, nullptr, "");
    g->GetColumnNames() = {"X", "Y1"};
    g->GetColumnWidths() = {20, 20};
    g->GetCurves() = {TendonCurve{{0, 100}, {50, 50}}};
    g->SetMaxima(100, 50);
    g->AddSegment(0, 50, 100, 50);
    view.AddEntityToView(g);
    return g;
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  std::unique_ptr<platform::ScopedModalDriver> driver_;
  CDraftView view;
  CCmdStack stack;
  int coordDialogs = 0;
};

TEST_F(SteelCoordGraphTest, ANewGraphIsPlacedByOneClickInOneStep) {
  Answer({"0;0", "100;20"}, false);
  auto* cmd = new CSteelCoordGraphCmd(264, nullptr, nullptr);
  stack.Push(&view, cmd);
  ASSERT_EQ(stack.GetCurrent(), cmd);
  EXPECT_EQ(cmd->GetPromptOverride(), "确定钢束布置图放置位置(Tab键切换坐标轴的X向---Y向)");
  CTendonGraphEntity* graph = cmd->GetGraph();
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(cmd->GetTable(), nullptr);
  stack.OnChar(drafttest::DevicePoint(10, 10), '\t', 1, 0, &view);
  EXPECT_EQ(cmd->GetSettings().axisType, 5);
  stack.OnLButton(0, drafttest::DevicePoint(200, 300), &view);
  EXPECT_TRUE(stack.IsEmpty());
  ASSERT_TRUE(view.IsInDrawing(graph));
  EXPECT_EQ(graph->GetSettings().axisType, 5);
  EXPECT_EQ(graph->GetMemberCount(), 1 + 2 + 2);  // the segment, two axes, two labels
  EXPECT_EQ(view.GetUndoCount(), 1);
  EXPECT_TRUE(view.Undo());
  EXPECT_FALSE(view.IsInDrawing(graph));
}

TEST_F(SteelCoordGraphTest, TheCoordinateTableIsPlacedByANestedPlacementAndTheRightButtonThenOnlyEnds) {
  Answer({"0;0", "100;20"}, true);
  auto* cmd = new CSteelCoordGraphCmd(264, nullptr, nullptr);
  stack.Push(&view, cmd);
  ASSERT_EQ(stack.GetCurrent(), cmd);
  CTendonGraphEntity* graph = cmd->GetGraph();
  CTableEntity* table = cmd->GetTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetTableKind(), 3);
  stack.OnLButton(0, drafttest::DevicePoint(200, 300), &view);
  ASSERT_NE(stack.GetCurrent(), cmd);
  EXPECT_EQ(stack.GetCurrent()->GetId(), CSteelCoordGraphCmd::kTablePlacementId);
  EXPECT_EQ(cmd->GetPromptOverride(), "鼠标右键中止生成坐标图功能");
  EXPECT_EQ(cmd->GetGraph(), nullptr);
  EXPECT_EQ(cmd->GetTable(), nullptr);
  stack.OnLButton(0, drafttest::DevicePoint(400, 500), &view);
  stack.OnLButton(0, drafttest::DevicePoint(600, 550), &view);  // no wrap
  EXPECT_EQ(stack.GetCurrent(), cmd);
  EXPECT_TRUE(view.IsInDrawing(table));
  stack.OnRButton(0, drafttest::DevicePoint(0, 0), &view);
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_TRUE(view.IsInDrawing(graph));
  EXPECT_TRUE(view.IsInDrawing(table));
  EXPECT_EQ(view.GetUndoCount(), 2);
}

TEST_F(SteelCoordGraphTest, AnEditedGraphAndItsTableAreReplacedInOneStep) {
  CTendonGraphEntity* oldGraph = AddGraph();
  CTableEntity* oldTable = AddTable(3);
  Answer({}, false);
  auto* cmd = new CSteelCoordGraphCmd(403, oldGraph, oldTable);
  stack.Push(&view, cmd);
  ASSERT_EQ(stack.GetCurrent(), cmd);
  EXPECT_FALSE(view.IsInDrawing(oldGraph));
  EXPECT_FALSE(view.IsInDrawing(oldTable));
  CTendonGraphEntity* graph = cmd->GetGraph();
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->GetCurves().size(), 1u);  // written back from the old graph
  stack.OnLButton(0, drafttest::DevicePoint(200, 300), &view);
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_TRUE(view.IsInDrawing(graph));
  EXPECT_EQ(view.GetUndoCount(), 1);
  EXPECT_TRUE(view.Undo());
  EXPECT_FALSE(view.IsInDrawing(graph));
  EXPECT_TRUE(view.IsInDrawing(oldGraph));
  EXPECT_TRUE(view.IsInDrawing(oldTable));
}

TEST_F(SteelCoordGraphTest, TheRightButtonBeforeTheClickPutsTheOldOnesBack) {
  CTendonGraphEntity* oldGraph = AddGraph();
  CTableEntity* oldTable = AddTable(3);
  Answer({}, true);
  stack.Push(&view, new CSteelCoordGraphCmd(403, oldGraph, oldTable));
  ASSERT_FALSE(stack.IsEmpty());
  stack.OnRButton(0, drafttest::DevicePoint(0, 0), &view);
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_TRUE(view.IsInDrawing(oldGraph));
  EXPECT_TRUE(view.IsInDrawing(oldTable));
  EXPECT_EQ(view.GetUndoCount(), 0);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 2);
}

TEST_F(SteelCoordGraphTest, TheEditorPairsACoordinateTableWithItsGraph) {
  CTendonGraphEntity* oldGraph = AddGraph();
  CTableEntity* oldTable = AddTable(3);
  Answer({}, false);
  auto* editor = new CEditTendonTableCmd(nullptr, 265);
  stack.Push(&view, editor);
  stack.OnLButton(0, drafttest::DevicePoint(20, 1), &view);  // the table
  EXPECT_EQ(editor->GetPhase(), 1);
  EXPECT_EQ(editor->GetPickedTable(), oldTable);
  EXPECT_EQ(stack.GetPrompt(), "选择坐标表对应的钢束图(鼠标右键结束选择)");
  EXPECT_EQ(coordDialogs, 0);
  stack.OnLButton(0, drafttest::DevicePoint(50, 50), &view);  // the graph
  ASSERT_NE(stack.GetCurrent(), editor);
  EXPECT_EQ(stack.GetCurrent()->GetId(), CEditTendonTableCmd::kPairedGraphId);
  EXPECT_EQ(editor->GetPhase(), 0);
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_FALSE(view.IsInDrawing(oldGraph));
  EXPECT_FALSE(view.IsInDrawing(oldTable));
  stack.OnRButton(0, drafttest::DevicePoint(0, 0), &view);  // the graph command gives them back
  EXPECT_EQ(stack.GetCurrent(), editor);
  EXPECT_TRUE(view.IsInDrawing(oldGraph));
  EXPECT_TRUE(view.IsInDrawing(oldTable));
}

TEST_F(SteelCoordGraphTest, TheRightButtonAfterOnePickEditsItAlone) {
  struct {
    bool graph;
  } cases[] = {{true}, {false}};
  for (const auto& c : cases) {
    CTendonGraphEntity* oldGraph = AddGraph();
    CTableEntity* oldTable = AddTable(3);
    Answer({}, false);
    auto* editor = new CEditTendonTableCmd(nullptr, 265);
    stack.Push(&view, editor);
    stack.OnLButton(0, c.graph ? drafttest::DevicePoint(50, 50) : drafttest::DevicePoint(20, 1), &view);
    EXPECT_EQ(stack.GetPrompt(), c.graph ? "选择钢束图对应的表(鼠标右键结束选择)" : "选择坐标表对应的钢束图(鼠标右键结束选择)");
    stack.OnRButton(0, drafttest::DevicePoint(0, 0), &view);
    EXPECT_EQ(coordDialogs, c.graph ? 1 : 2);
    ASSERT_NE(stack.GetCurrent(), editor);
    EXPECT_EQ(stack.GetCurrent()->GetId(), CEditTendonTableCmd::kSingleGraphId);
    EXPECT_EQ(view.IsInDrawing(oldGraph), !c.graph);
    EXPECT_EQ(view.IsInDrawing(oldTable), c.graph);
    stack.EndAll(&view);
    EXPECT_TRUE(view.IsInDrawing(oldGraph));
    EXPECT_TRUE(view.IsInDrawing(oldTable));
    view.DiscardEntity(oldGraph);
    view.DiscardEntity(oldTable);
  }
}

}  // namespace
