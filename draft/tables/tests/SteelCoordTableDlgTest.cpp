// The tendon coordinate dialog: its default columns, the curves built from
// the rows (empty cells skipped, a column without values adding no curve),
// a graph written back into rows, and the .zbb file buttons.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/LayerTable.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TendonGraphEntity.h"
#include "draft/tables/SteelCoordTableDlg.h"
#include "draft/tables/TendonFile.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "draft/tables/tests/TableDialogRun.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/ui/FileDialog.h"

namespace {

class SteelCoordTableDlgTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  SteelCoordTableDlgTest() : MessageBoxAnswers(IDNO) {}
  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }

  using Act = std::function<void(CSteelCoordTableDlg&, platform::ModalSession&)>;
  INT_PTR Run(CSteelCoordTableDlg& dlg, const Act& act) { return tabletest::RunConfirmingFont(dlg, act); }
  static void Load(CSteelCoordTableDlg& dlg, std::initializer_list<const char*> rows) {
    CFieldArray f;
    for (const char* name : {"X", "Y1", "Y2", "Y3"}) f.Add(CFieldRecord(name, 4, 20.0, 2));
    CStringArray texts;
    for (const char* r : rows) texts.Add(r);
    dlg.SetContents(f, texts);
  }
  // Answers the next file dialog with `path`.
  static void ChooseFile(platform::ModalSession& s, int button, const std::string& path) {
    platform::ScopedModalDriver files([&](platform::ModalSession& f) {
      ASSERT_NE(f.As<CFileDialog>(), nullptr);
      EXPECT_TRUE(f.EnterText(edt1, CStringA(path.c_str())));
      EXPECT_TRUE(f.Click(IDOK));
    });
    ASSERT_TRUE(s.Click(button));
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  CDraftView view;
};

TEST_F(SteelCoordTableDlgTest, ANewTableHasThreeCoordinateColumnsByDirection) {
  struct {
    int direction;
    std::vector<CStringA> names;
  } cases[] = {{0, {"X", "Y1", "Y2"}}, {1, {"Y", "X1", "X2"}}};
  for (const auto& c : cases) {
    CSteelCoordTableDlg dlg(&view, nullptr, nullptr, c.direction, nullptr);
    Run(dlg, [&](CSteelCoordTableDlg& d, platform::ModalSession& s) {
      std::vector<CStringA> names;
      for (INT_PTR i = 0; i < d.GetFields().GetSize(); ++i) {
        names.push_back(d.GetFields()[i].GetName());
        EXPECT_EQ(d.GetFields()[i].type, 4);
        EXPECT_EQ(d.GetFields()[i].width, 20.0);
      }
      EXPECT_EQ(names, c.names);
      EXPECT_EQ(d.GetRowCount(), 1);
      EXPECT_EQ(s.CheckState(CSteelCoordTableDlg::kCoordTable), BST_CHECKED);
      EXPECT_EQ(s.CheckState(CSteelCoordTableDlg::kAxis), BST_CHECKED);
    });
  }
}

TEST_F(SteelCoordTableDlgTest, CurvesComeFromTheCellsThatHoldValues) {
  struct {
    int direction;
    std::vector<std::vector<double>> first, second;  // per curve
    double max1, max2;
  } cases[] = {
      {0, {{0, 20}, {10}}, {{1, 3}, {-5}}, 20, 3},
      {1, {{1, 3}, {-5}}, {{0, 20}, {10}}, 3, 20},
  };
  for (const auto& c : cases) {
    CSteelCoordTableDlg dlg(&view, nullptr, nullptr, c.direction, nullptr);
    Run(dlg, [&](CSteelCoordTableDlg& d, platform::ModalSession&) {
      Load(d, {"0;1; ; ", "10; ;-5; ", "20;3; ; "});  // column Y3 holds nothing
      std::unique_ptr<CTendonGraphEntity> graph(d.BuildGraph());
      ASSERT_NE(graph, nullptr);
      ASSERT_EQ(graph->GetCurves().size(), 2u);
      for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(graph->GetCurves()[k].first, c.first[k]) << c.direction;
        EXPECT_EQ(graph->GetCurves()[k].second, c.second[k]) << c.direction;
      }
      EXPECT_EQ(graph->GetMax1(), c.max1);
      EXPECT_EQ(graph->GetMax2(), c.max2);
      EXPECT_EQ(graph->GetSettings().direction, c.direction);
      EXPECT_EQ(graph->GetColumnNames().size(), 4u);
      EXPECT_EQ(graph->GetEntityLayer(), GetLineKindLayer(2));
    });
  }
}

TEST_F(SteelCoordTableDlgTest, NoValuesMakeNoGraphAndNoTable) {
  CSteelCoordTableDlg dlg(&view, nullptr, nullptr, 0, nullptr);
  const INT_PTR result = Run(dlg, [&](CSteelCoordTableDlg& d, platform::ModalSession& s) {
    CFieldArray f;
    f.Add(CFieldRecord("X", 4, 20.0, 2));
    CStringArray rows;
    rows.Add("5");
    d.SetContents(f, rows);  // no data column
    s.Click(CSteelCoordTableDlg::kGraph);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.TakeGraph(), nullptr);
  EXPECT_EQ(dlg.TakeResultTable(), nullptr);
}

TEST_F(SteelCoordTableDlgTest, FinishingBuildsTheGraphAndTheCoordinateTableWhenChecked) {
  for (const bool table : {true, false}) {
    CSteelCoordTableDlg dlg(&view, nullptr, nullptr, 0, nullptr);
    const INT_PTR result = Run(dlg, [&](CSteelCoordTableDlg& d, platform::ModalSession& s) {
      Load(d, {"0;1;2; ", "10;2;3; "});
      if (!table) s.Click(CSteelCoordTableDlg::kCoordTable);
      s.Click(CSteelCoordTableDlg::kAxis);
      s.Click(CSteelCoordTableDlg::kGraph);
    });
    EXPECT_EQ(result, IDOK);
    std::unique_ptr<CTendonGraphEntity> graph(dlg.TakeGraph());
    std::unique_ptr<CTableEntity> made(dlg.TakeResultTable());
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->GetAxisFlag(), 0);
    EXPECT_EQ(dlg.IsTableWanted(), table ? 1 : 0);
    ASSERT_EQ(made != nullptr, table);
    if (made) {
      EXPECT_EQ(made->GetTableKind(), 3);
    }
  }
}

TEST_F(SteelCoordTableDlgTest, AGraphIsWrittenBackIntoRows) {
  std::unique_ptr<CTendonGraphEntity> graph(ConstructTendonGraphEntity(0, nullptr, ""));
  graph->GetColumnNames() = {"Y", "X1", "X2"};
  graph->GetColumnWidths() = {20.0, 12.5, 20.0};
  graph->GetCurves() = {TendonCurve{{1.5, 2}, {0, 10}}, TendonCurve{{-3, 4, 5}, {0, 10, 20}}};
  TendonGraphSettings settings;
  settings.direction = 1;  // the second array holds the stations
  graph->SetSettings(settings);
  graph->SetAxisFlag(0);
  CSteelCoordTableDlg dlg(&view, graph.get(), nullptr, 0, nullptr);
  Run(dlg, [&](CSteelCoordTableDlg& d, platform::ModalSession& s) {
    EXPECT_EQ(d.GetDirection(), 1);
    EXPECT_EQ(d.GetFields()[1].width, 12.5);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"0;1.5;-3", "10;2;4", "20; ;5"}));
    EXPECT_EQ(s.CheckState(CSteelCoordTableDlg::kAxis), BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(s.Window().GetDlgItem(CTableDataDlg::kReadFile)->GetSafeHwnd()));
  });
}

TEST_F(SteelCoordTableDlgTest, TheFileButtonsReadAndWriteZbbFiles) {
  const std::string wrong = scratch_.GetFolder() + "/wrong.zbb";
  std::ofstream(wrong, std::ios::binary) << "not a coordinate table\r\n";
  const std::string good = scratch_.GetFolder() + "/good.zbb";
  std::ofstream(good, std::ios::binary) << kTendonFileMagic99 << "\r\n1\r\n0\r\n2\r\nY;4;20;2\r\nX1;4;20;2\r\n0;1\r\n5;2\r\n";
  const std::string saved = scratch_.GetFolder() + "/saved.zbb";
  CSteelCoordTableDlg dlg(&view, nullptr, nullptr, 0, nullptr);
  Run(dlg, [&](CSteelCoordTableDlg& d, platform::ModalSession& s) {
    Load(d, {"1;2;3;4"});
    ChooseFile(s, CTableDataDlg::kReadFile, wrong);
    EXPECT_EQ(boxes, std::vector<CStringA>{"文件类型布匹配!"});
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), std::vector<CStringA>{"1;2;3;4"});
    ChooseFile(s, CTableDataDlg::kReadFile, good);
    EXPECT_EQ(d.GetDirection(), 1);
    EXPECT_EQ(d.GetFileFlag(), 0);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"0;1", "5;2"}));
    ChooseFile(s, CTableDataDlg::kSaveFile, saved);
  });
  EXPECT_EQ(testsupport::ReadFileBytes(saved), testsupport::ReadFileBytes(good));
}

}  // namespace
