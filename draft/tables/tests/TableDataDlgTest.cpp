// The table-content dialog run from its template with the modal driver:
// a rebar schedule filled from the drawing's rebar labels, its computed
// columns, totals and per-diameter subtotals, undo, and generation.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SymbolMenuDlg.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/ColumnChoiceDlg.h"
#include "draft/tables/ColumnRelationDlg.h"
#include "draft/tables/SortKeyDlg.h"
#include "draft/tables/SummaryDlg.h"
#include "draft/tables/TableDataDlg.h"
#include "draft/tables/TableFiles.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "draft/tables/tests/TableDialogRun.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalDriver.h"

namespace {

class TableDataDlgTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  TableDataDlgTest() : MessageBoxAnswers(IDNO) {}

  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }

  // A line carrying the attribute items (name, value pairs).
  void AddLabel(std::initializer_list<std::pair<const char*, const char*>> items) {
    CEntity* e = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
    for (const auto& [name, value] : items) AddAttributeItem(e->GetEntityAttributes(), name, "字符串", value, 1, 1);
    view.AddEntityToView(e);
  }

  // Runs a new schedule's dialog; `act` works in it, then it is cancelled
  // (the save question answered No). The font dialog is confirmed.
  INT_PTR Run(CTableDataDlg& dlg, const std::function<void(CTableDataDlg&, platform::ModalSession&)>& act) {
    return tabletest::RunConfirmingFont(dlg, act);
  }

  // Replaces the grid's columns (name, type) and rows (row texts).
  static void Load(CTableDataDlg& dlg, std::initializer_list<std::pair<const char*, int>> columns,
                   std::initializer_list<const char*> rows) {
    CFieldArray f;
    for (const auto& [name, type] : columns) f.Add(CFieldRecord(name, type, 20.0, 2));
    CStringArray texts;
    for (const char* r : rows) texts.Add(r);
    dlg.SetContents(f, texts);
  }
  static std::vector<CStringA> Column(CTableDataDlg& dlg, int column) { return gridtest::Column(dlg.GetGrid(), column); }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  CDraftView view;
};

}  // namespace

TEST_F(TableDataDlgTest, ANewScheduleHasARowPerRebarLabelWithItsTotalLength) {
  AddLabel({{"钢筋标注", "1"}, {"钢筋编号", "1"}, {"直径", "12"}, {"单根长", "2000"}, {"根数", "4"}, {"备注", "x"}});
  AddLabel({{"钢筋标注", "0"}, {"编号", "9"}});
  AddLabel({{"编号", "8"}});
  AddLabel({{"钢筋标注", "1"}, {"编号", "2"}, {"直径", "Φ20"}, {"单根长", "1500"}, {"根数", "3"}});
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    ASSERT_EQ(d.GetFields().GetSize(), 5);
    EXPECT_EQ(d.GetFields()[1].GetName(), "直径(mm)");
    EXPECT_EQ(d.GetRowCount(), 2);
    EXPECT_EQ(Column(d, 0), (std::vector<CStringA>{"1", "2"}));
    EXPECT_EQ(Column(d, 1), (std::vector<CStringA>{"12", "Φ20"}));
    EXPECT_EQ(Column(d, 4), (std::vector<CStringA>{"8", "4.5"}));
  });
}

TEST_F(TableDataDlgTest, UnitAndTotalWeightsFollowTheDiameter) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    Load(d, {{"直径", 0}, {"总长", 4}}, {"12;8", "Φ20;2", "@;1", "/;1", "总计; "});
    CStringArray blanks;
    d.GetGrid().InsertColumn(2, CFieldRecord("单位重", 4, 20.0, 2), blanks, d.GetFields());
    d.ComputeUnitWeight(2);
    // Three decimals cut, not rounded; ditto marks carried over.
    EXPECT_EQ(Column(d, 2), (std::vector<CStringA>{"0.882", "2.450", "@", "/", "0.000"}));
    d.GetGrid().InsertColumn(3, CFieldRecord("总重", 4, 20.0, 2), blanks, d.GetFields());
    d.ComputeTotalWeight(3);
    EXPECT_EQ(Column(d, 3), (std::vector<CStringA>{"7.056", "4.9", "@", "/", "11.956"}));
  });
}

TEST_F(TableDataDlgTest, TotalsRefuseTextColumnsAndCutIntegers) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    Load(d, {{"名称", 0}, {"根数", 1}, {"总长", 4}}, {"a;3;1.25", "b;4;@", "c;2;/"});
    CArray<int, int> columns;
    columns.Add(1);
    columns.Add(2);
    ASSERT_TRUE(d.ComputeTotals(columns));
    ASSERT_EQ(d.GetRowCount(), 4);
    EXPECT_EQ(d.GetGrid().GetCellText(3, 0), "总计");
    EXPECT_EQ(d.GetGrid().GetCellText(3, 1), "9");
    EXPECT_EQ(d.GetGrid().GetCellText(3, 2), "1.25");
    ASSERT_TRUE(d.ComputeTotals(columns));  // the total row is found again, not doubled
    EXPECT_EQ(d.GetRowCount(), 4);
    EXPECT_EQ(d.GetGrid().GetCellText(3, 1), "9");
    CArray<int, int> text;
    text.Add(0);
    EXPECT_FALSE(d.ComputeTotals(text));
    EXPECT_EQ(boxes.back(), "数据类型错误,不能进行汇总!");
  });
}

TEST_F(TableDataDlgTest, SubtotalsPerDiameterShowMerged) {
  struct Case {
    const char* name;
    std::initializer_list<const char*> rows;
    std::vector<CStringA> subtotals;
  };
  const Case cases[] = {
      {"a run of three and a single row", {"12;1", "12;2", "12;3.5", "20;4", "总计;10.5"},
       {"@", "6.5@", "/", "4", "10.5"}},
      {"a run of two: the value stands in its last row", {"12;1", "12;2", "16;4"}, {"@", "3", "4"}},
      {"a value row marked by its diameter", {"12@;1", "12;2", "12;3"}, {"6@", "@", "/"}},
      // A mark with no value above it ends the subtotals; the closing row goes all the same.
      {"an unresolvable diameter", {"/;1", "12;2"}, {" ", " "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
    Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
      Load(d, {{"规格", 0}, {"总重", 4}}, c.rows);
      d.ComputeDiameterSubtotals();
      ASSERT_EQ(d.GetFields().GetSize(), 3);
      EXPECT_EQ(d.GetFields()[2].GetName(), "合计");
      EXPECT_EQ(d.GetRowCount(), static_cast<int>(c.subtotals.size()));  // the closing row is gone
      EXPECT_EQ(Column(d, 2), c.subtotals);
    });
  }
}

// "丂" is the GBK pair 0x81 0x40: its trail byte is the byte of '@', but a
// diameter ending in it carries no value mark.
TEST_F(TableDataDlgTest, ADiameterEndingInACharacterWhoseTrailByteIsAtCarriesNoMark) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    Load(d, {{"直径", 0}, {"总长", 4}}, {"12@;8", "12丂;8"});
    CStringArray blanks;
    d.GetGrid().InsertColumn(2, CFieldRecord("单位重", 4, 20.0, 2), blanks, d.GetFields());
    d.ComputeUnitWeight(2);
    EXPECT_EQ(Column(d, 2), (std::vector<CStringA>{"0.882@", "0.882"}));
  });
  CTableDataDlg subtotals(285, &view, nullptr, 1, nullptr);
  Run(subtotals, [&](CTableDataDlg& d, platform::ModalSession&) {
    // No row is marked as the value row: the value stands in the middle one.
    Load(d, {{"规格", 0}, {"总重", 4}}, {"12丂;1", "12丂;2", "12丂;3"});
    d.ComputeDiameterSubtotals();
    EXPECT_EQ(Column(d, 2), (std::vector<CStringA>{"@", "6@", "/"}));
  });
}

TEST_F(TableDataDlgTest, ARelationIsComputedOverTheRowsAboveTheTotalRow) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
    Load(d, {{"编号", 1}, {"单根长", 4}, {"根数", 1}, {"总长", 4}}, {"1;2000;4; ", "2;1500;2; ", "总计; ; ;9"});
    platform::ScopedModalDriver inner([&](platform::ModalSession& k) {
      EXPECT_TRUE(k.EnterText(CColumnRelationDlg::kFormulaCombo, CStringA("a4=a2*a3/1000")));
      EXPECT_TRUE(k.Click(IDOK));
    });
    ASSERT_TRUE(s.Click(CTableDataDlg::kCompute));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1;2000;4;8.000", "2;1500;2;3.000", "总计; ; ;9"}));
    EXPECT_EQ(d.GetRowCount(), 3);
    EXPECT_TRUE(d.IsModified());
  });
}

TEST_F(TableDataDlgTest, EveryRowAndColumnChangeIsUndone) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
    Load(d, {{"编号", 1}, {"根数", 1}}, {"1;2", "2;3"});
    const std::vector<CStringA> before = gridtest::RowTexts(d.GetGrid());
    struct Step {
      const char* name;
      int button;
    };
    d.GetGrid().SetCurrentCell(1, 1);
    for (const Step& step : {Step{"add row", CTableDataDlg::kAddRow}, Step{"insert row", CTableDataDlg::kInsertRow},
                             Step{"delete row", CTableDataDlg::kDeleteRow}, Step{"clear", CTableDataDlg::kClear},
                             Step{"delete column", CTableDataDlg::kDeleteColumn}}) {
      SCOPED_TRACE(step.name);
      d.GetGrid().SetCurrentCell(1, 1);
      ASSERT_TRUE(s.Click(step.button));
      EXPECT_NE(gridtest::RowTexts(d.GetGrid()), before);
      ASSERT_TRUE(s.Click(CTableDataDlg::kUndo));
      EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), before);
      EXPECT_EQ(d.GetRowCount(), 2);
      EXPECT_EQ(d.GetFields().GetSize(), 2);
    }
    d.GetGrid().SetCurrentCell(0, 0);
    ASSERT_TRUE(s.Click(CTableDataDlg::kCopyRow));
    ASSERT_TRUE(s.Click(CTableDataDlg::kPasteRow));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1;2", "1;2", "2;3"}));
    ASSERT_TRUE(s.Click(CTableDataDlg::kUndo));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), before);
    EXPECT_TRUE(d.GetUndoList().IsEmpty());
  });
}

TEST_F(TableDataDlgTest, GenerateMakesARebarTableAndTheEditUpdatesIt) {
  AddLabel({{"钢筋标注", "1"}, {"编号", "1"}, {"直径", "12"}, {"单根长", "2000"}, {"根数", "4"}});
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  answer = IDNO;  // not saved
  const INT_PTR result = Run(dlg, [&](CTableDataDlg&, platform::ModalSession& s) {
    EXPECT_TRUE(s.Click(CTableDataDlg::kGenerate));
  });
  EXPECT_EQ(result, IDOK);
  std::unique_ptr<CTableEntity> table(dlg.TakeResultTable());
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetTableKind(), 2);
  ASSERT_EQ(table->GetRowCount(), 2);  // the header and one row
  EXPECT_EQ(table->GetRow(1)->GetCell(4)->GetText(), "8");
  view.AddEntityToView(table.get());
  CTableEntity* placed = table.release();

  // Mode 2: the table's contents, changed and written back as one step.
  CTableDataDlg edit(285, &view, placed, 2, nullptr);
  Run(edit, [&](CTableDataDlg& d, platform::ModalSession& s) {
    EXPECT_EQ(d.GetRowCount(), 1);
    d.GetGrid().SetCurrentCell(0, 0);
    EXPECT_TRUE(s.Click(CTableDataDlg::kAddRow));
    EXPECT_TRUE(s.Click(CTableDataDlg::kGenerate));
  });
  ASSERT_EQ(view.GetUndoCount(), 1);
  const auto* updated = static_cast<const CTableEntity*>(view.GetEntityList()->GetTail());
  EXPECT_EQ(updated->GetRowCount(), 3);
}

TEST_F(TableDataDlgTest, TheSaveQuestionCancelKeepsTheDialogOpen) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  answer = IDCANCEL;
  Run(dlg, [&](CTableDataDlg&, platform::ModalSession& s) {
    EXPECT_TRUE(s.Click(CTableDataDlg::kAddRow));
    EXPECT_TRUE(s.Click(CTableDataDlg::kGenerate));
    EXPECT_TRUE(s.IsRunning());
    EXPECT_EQ(boxes.back(), "是否保存刚才打开的文件?");
    answer = IDNO;
  });
}

TEST_F(TableDataDlgTest, ATableSavedAsDbfIsReadBackWithItsStructure) {
  const CStringA path = (scratch_.GetFolder() + "/steel table.dbf").c_str();
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
    Load(d, {{"编号", 1}, {"直径(mm)", 0}, {"根数", 1}}, {"1;Φ12;4", "2;it's;3"});
    ASSERT_TRUE(d.SaveTableFile(path));
    // Saving writes through the data source only: no structure file, and the
    // structure path of the other dialogs is left alone.
    EXPECT_FALSE(IsFileExist((scratch_.GetFolder() + "/steel table.def").c_str()));
    EXPECT_EQ(GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath"), "");
    ASSERT_TRUE(d.GetGrid().WriteStructureFile((scratch_.GetFolder() + "/steel table.def").c_str(), d.GetFields()));
    EXPECT_EQ(GetProfileStringSetting("SteelSetting", "SteelTableFilePath"), path);
    CStringA caption;
    s.Window().GetWindowText(caption);
    EXPECT_EQ(caption.Find("表内容 (文件路径: "), 0);
    Load(d, {{"x", 0}}, {});
    ASSERT_TRUE(d.LoadTableFile(path));
    EXPECT_EQ(d.GetFields()[1].GetName(), "直径(mm)");  // the structure file's names
    EXPECT_EQ(d.GetRowCount(), 2);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1;Φ12;4", "2;it's;3"}));
  });
}

TEST_F(TableDataDlgTest, AFileThatCannotBeReadLeavesTheChangesToSave) {
  {
    std::ofstream(scratch_.GetFolder() + "/bad.dbf", std::ios::binary) << "not a table";
  }
  const CStringA bad = (scratch_.GetFolder() + "/bad.dbf").c_str();
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
    ASSERT_TRUE(s.Click(CTableDataDlg::kAddRow));
    platform::ScopedModalDriver files([&](platform::ModalSession& f) {
      ASSERT_NE(f.As<CFileDialog>(), nullptr);
      EXPECT_TRUE(f.EnterText(edt1, bad));
      EXPECT_TRUE(f.Click(IDOK));
    });
    ASSERT_TRUE(s.Click(CTableDataDlg::kReadFile));
    EXPECT_EQ(d.GetRowCount(), 1);
    EXPECT_TRUE(d.IsModified());
    EXPECT_FALSE(d.GetUndoList().IsEmpty());
    EXPECT_NE(d.GetFilePath(), bad);
    boxes.clear();
    answer = IDNO;
    s.Click(IDCANCEL);  // the save question is still asked
    EXPECT_EQ(boxes, std::vector<CStringA>{"是否保存刚才打开的文件?"});
  });
}

TEST_F(TableDataDlgTest, YesToTheSaveQuestionWritesTheTableBeforeGenerating) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  answer = IDYES;
  const INT_PTR result = Run(dlg, [&](CTableDataDlg&, platform::ModalSession& s) {
    EXPECT_TRUE(s.Click(CTableDataDlg::kAddRow));
    EXPECT_TRUE(s.Click(CTableDataDlg::kGenerate));
  });
  EXPECT_EQ(result, IDOK);
  // No setting: the system folder's table; its structure did not change, so
  // no structure file is written.
  EXPECT_EQ(dlg.GetFilePath(), GetSystemFilePath("Def\\steel.dbf"));
  EXPECT_TRUE(IsFileExist(GetSystemFilePath("Def\\steel.dbf")));
  EXPECT_FALSE(IsFileExist(GetSystemFilePath("Def\\steel.def")));
  std::unique_ptr<CTableEntity> table(dlg.TakeResultTable());
  ASSERT_NE(table, nullptr);
}

TEST_F(TableDataDlgTest, SortingGroupsRowsByKeyAndShowsChosenColumnsMerged) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    Load(d, {{"直径", 0}, {"根数", 1}, {"总重", 4}},
         {"20;1;4", "Φ12;2;1.5", "20;3;2", "Φ12;1;1", "20;5;1", "总计; ;9.5"});
    CArray<int, int> merged;
    merged.Add(0);
    merged.Add(2);
    ASSERT_TRUE(d.SortRows(0, FALSE, &merged));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()),
              (std::vector<CStringA>{"@;2;@", "Φ12;1;2.5", "@;1;@", "20@;3;7@", "/;5;/", "总计; ;9.5"}));

    Load(d, {{"直径", 0}, {"根数", 1}}, {"8;1", "25;2", "8;3", "16;4"});
    ASSERT_TRUE(d.SortRows(0, TRUE, nullptr));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"25;2", "16;4", "8;1", "8;3"}));

    // Keys are grouped by their text: texts of one number stay apart, in the
    // order they first appear.
    Load(d, {{"直径", 0}, {"根数", 1}}, {"Φ20;1", "20;2", "Φ20;3", "12;4", "20;5"});
    ASSERT_TRUE(d.SortRows(0, FALSE, nullptr));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"12;4", "Φ20;1", "Φ20;3", "20;2", "20;5"}));

    Load(d, {{"直径", 0}, {"根数", 1}}, {"8;1", " ;2"});
    EXPECT_FALSE(d.SortRows(0, FALSE, nullptr));
    EXPECT_EQ(boxes.back(), "合并关键字一栏中存在空值!/n请补上数据后再合并.");
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"8;1", " ;2"}));
  });
}

TEST_F(TableDataDlgTest, TheSortAndSummaryButtonsRunTheirDialogs) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
    Load(d, {{"直径", 0}, {"总重", 4}}, {"20;4", "12;1", "12;2"});
    platform::ScopedModalDriver inner([&](platform::ModalSession& k) {
      if (k.As<CSortKeyDlg>()) {
        EXPECT_FALSE(k.IsEnabled(CSortKeyDlg::kMergedList));
        EXPECT_TRUE(k.Choose(CSortKeyDlg::kKeyList, 0));
      } else {
        EXPECT_TRUE(k.As<CSummaryDlg>() != nullptr);  // from Korrin's resources
        EXPECT_TRUE(k.Click(CSummaryDlg::kPerDiameter));
      }
      EXPECT_TRUE(k.Click(IDOK));
    });
    ASSERT_TRUE(s.Click(CTableDataDlg::kSort));
    EXPECT_EQ(Column(d, 0), (std::vector<CStringA>{"12", "12", "20"}));
    ASSERT_TRUE(s.Click(CTableDataDlg::kSummary));
    EXPECT_EQ(Column(d, 2), (std::vector<CStringA>{"@", "3", "4"}));
  });
}

TEST_F(TableDataDlgTest, ASpecialSymbolIsPastedIntoTheCellEdit) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg&, platform::ModalSession& s) {
    ASSERT_TRUE(s.EnterText(CTableDataDlg::kCellEdit, CStringA("12")));
    platform::ScopedModalDriver inner([&](platform::ModalSession& k) {
      EXPECT_TRUE(k.Choose(CSymbolMenuDlg::kSymbolList, 2));
      EXPECT_TRUE(k.Click(IDOK));
    });
    CEdit* edit = static_cast<CEdit*>(s.Window().GetDlgItem(CTableDataDlg::kCellEdit));
    edit->SetSel(0, 0);
    ASSERT_TRUE(s.Click(CTableDataDlg::kSpecialChar));
    CStringA text;
    edit->GetWindowText(text);
    EXPECT_EQ(text, CSymbolMenuDlg::SymbolsOf(0)[2] + "12");
  });
}

TEST_F(TableDataDlgTest, FurtherTablesOfTheSameStructureAreAppended) {
  const std::string folder = scratch_.GetFolder();
  const CStringA a = (folder + "/a.dbf").c_str(), b = (folder + "/b.dbf").c_str(), c = (folder + "/c.dbf").c_str();
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    Load(d, {{"编号", 1}, {"直径(mm)", 0}}, {"1;Φ12", "2;Φ16"});
    // Each table with its structure file, as the structure editor writes it.
    const auto save = [&](const CStringA& path) {
      ASSERT_TRUE(d.SaveTableFile(path));
      ASSERT_TRUE(d.GetGrid().WriteStructureFile(path, d.GetFields()));
    };
    save(a);
    Load(d, {{"编号", 1}, {"直径(mm)", 0}}, {"3;Φ20"});
    save(b);
    Load(d, {{"编号", 1}, {"根数", 1}}, {"4;5"});
    save(c);

    // Yes: the grid's own structure decides ("直径" and "直径(mm)" agree).
    Load(d, {{"编号", 1}, {"直径", 0}}, {"0;Φ8"});
    d.GetUndoList().AddTail(new CPartsListRow(1, 0, -1));
    CStringArray files;
    for (const CStringA& f : {a, c, b}) files.Add(f);
    answer = IDYES;
    ASSERT_TRUE(d.AppendTables(files));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"0;Φ8", "1;Φ12", "2;Φ16", "3;Φ20"}));
    EXPECT_EQ(d.GetRowCount(), 4);
    EXPECT_EQ(boxes.back(), "表文件\n    [" + c + "]\n结构与已知表结构不同");
    EXPECT_TRUE(d.GetUndoList().IsEmpty());
    EXPECT_FALSE(d.IsModified());

    CStringArray other;
    other.Add(c);
    EXPECT_FALSE(d.AppendTables(other));
    EXPECT_EQ(boxes.back(), "所选取的表文件结构与\n已知表结构不相同!");

    // No: the files' own structure replaces the grid's.
    answer = IDNO;
    CStringArray same;
    same.Add(b);
    same.Add(a);
    ASSERT_TRUE(d.AppendTables(same));
    EXPECT_EQ(d.GetFields()[1].GetName(), "直径(mm)");
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"3;Φ20", "1;Φ12", "2;Φ16"}));
    EXPECT_FALSE(d.AppendTables(files));
    EXPECT_EQ(boxes.back(), "所选取的表文件结构不相同!");
    EXPECT_EQ(d.GetRowCount(), 3);

    CStringArray missing;
    missing.Add((folder + "/none.dbf").c_str());
    EXPECT_FALSE(d.AppendTables(missing));
    EXPECT_EQ(boxes.back(), "数据库文件" + missing[0] + "\n不存在!");
  });
}

TEST_F(TableDataDlgTest, EnterWalksThroughTheCellsAndAddsARowAfterTheLast) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
    Load(d, {{"编号", 1}, {"根数", 1}}, {"1;2", "2;3"});
    CWnd* edit = s.Window().GetDlgItem(CTableDataDlg::kCellEdit);
    d.GetGrid().SetCurrentCell(0, 0);
    d.GetGrid().SetFocus();
    ASSERT_TRUE(s.PressKey(VK_RETURN));  // from the grid: into the edit
    EXPECT_EQ(CWnd::GetFocus(), edit);
    ASSERT_TRUE(s.EnterText(CTableDataDlg::kCellEdit, CStringA("7")));
    ASSERT_TRUE(s.PressKey(VK_RETURN));  // from the edit: written, one cell on
    EXPECT_EQ(d.GetGrid().GetCellText(0, 0), "7");
    EXPECT_EQ(d.GetGrid().GetCurrentColumn(), 1);
    EXPECT_EQ(CWnd::GetFocus(), &d.GetGrid());

    d.GetGrid().SetCurrentCell(1, 1);
    edit->SetFocus();
    ASSERT_TRUE(s.PressKey(VK_RETURN));  // the last cell: a new row
    EXPECT_EQ(d.GetRowCount(), 3);
    EXPECT_EQ(d.GetGrid().GetCurrentRow(), 2);
    EXPECT_EQ(d.GetGrid().GetCurrentColumn(), 0);
    EXPECT_EQ(d.GetUndoList().GetTail()->kind, CPartsListRow::kAppendRow);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid())[0], "7;2");
  });
}

TEST_F(TableDataDlgTest, TheMaterialReportKeepsOrMergesTheChosenColumns) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    const auto fill = [&] {
      Load(d, {{"编号", 1}, {"直径", 0}, {"根数", 1}, {"总重", 4}},
           {"1;Φ20;2;4.5", "2;Φ12;1;1", "3;Φ20;3;2", "4;Φ12;4;0.25"});
    };
    CArray<int, int> columns;
    columns.Add(3);
    columns.Add(1);
    fill();
    ASSERT_TRUE(d.MaterialReport(columns, FALSE, -1));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"Φ20;4.5", "Φ12;1", "Φ20;2", "Φ12;0.25"}));

    fill();
    ASSERT_TRUE(d.MaterialReport(columns, TRUE, 1));
    ASSERT_EQ(d.GetFields().GetSize(), 2);
    EXPECT_EQ(d.GetFields()[0].GetName(), "直径");  // the basis goes first
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"Φ12;1.25", "Φ20;6.5"}));
    EXPECT_EQ(d.GetRowCount(), 2);

    fill();
    EXPECT_FALSE(d.MaterialReport(columns, TRUE, 0));  // a basis that was not chosen
    EXPECT_FALSE(d.MaterialReport(CArray<int, int>(), FALSE, -1));
    EXPECT_EQ(d.GetFields().GetSize(), 4);
  });
}

TEST_F(TableDataDlgTest, TheColumnChoiceOffersMergingOnlyWithTwoColumnsChosen) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
    Load(d, {{"直径", 0}, {"总重", 4}}, {"12;1"});
    int shown = 0;
    platform::ScopedModalDriver inner([&](platform::ModalSession& k) {
      ++shown;
      ASSERT_NE(k.As<CColumnChoiceDlg>(), nullptr);  // from Korrin's resources
      EXPECT_FALSE(k.IsEnabled(CColumnChoiceDlg::kMergeYes));
      EXPECT_FALSE(k.IsEnabled(CColumnChoiceDlg::kBasis));
      EXPECT_TRUE(k.Click(IDOK));  // nothing chosen: nothing happens
    });
    ASSERT_TRUE(s.Click(CTableDataDlg::kMaterialReport));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(d.GetFields().GetSize(), 2);
  });
}


TEST_F(TableDataDlgTest, TheSaveQuestionWritesTheStructureFirstOnlyWhenItChanged) {
  // The system folder's table (no setting); its structure file only after a
  // change of the columns.
  for (bool changeStructure : {false, true}) {
    CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
    Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
      Load(d, {{"编号", 1}, {"根数", 1}}, {"1;2"});
      ASSERT_TRUE(s.Click(CTableDataDlg::kAddRow));
      if (changeStructure) {
        CArray<int, int> columns;
        columns.Add(0);
        ASSERT_TRUE(d.MaterialReport(columns, FALSE, -1));
      }
      answer = IDYES;  // to the save question
      ASSERT_TRUE(s.Click(CTableDataDlg::kGenerate));
      answer = IDNO;
    });
    EXPECT_TRUE(IsFileExist(dlg.GetFilePath())) << changeStructure;
    EXPECT_EQ(IsFileExist(ReplaceFileExtension(dlg.GetFilePath(), "def")) != FALSE, changeStructure) << changeStructure;
    EXPECT_EQ(GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath").IsEmpty(), !changeStructure);
    delete dlg.TakeResultTable();
  }
}

TEST_F(TableDataDlgTest, MarkedValuesFollowTheGridsDittoRule) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    Load(d, {{"直径", 0}}, {"12@", "12丂", "@"});  // 丂: its trail byte is 0x40
    CStringArray blanks;
    for (int i = 0; i < 3; ++i) blanks.Add(" ");
    d.GetGrid().InsertColumn(1, CFieldRecord("单位重", 4, 20.0, 2), blanks, d.GetFields());
    d.ComputeUnitWeight(1);
    EXPECT_EQ(Column(d, 1), (std::vector<CStringA>{"0.882@", "0.882", "@"}));
  });
}

TEST_F(TableDataDlgTest, TheMergedMaterialReportStopsAtAnEmptyBasisCell) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession&) {
    Load(d, {{"直径", 0}, {"总重", 4}}, {"Φ20;4.5", " ;1", "Φ20;2"});
    CArray<int, int> columns;
    columns.Add(0);
    columns.Add(1);
    boxes.clear();
    EXPECT_FALSE(d.MaterialReport(columns, TRUE, 0));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "合并关键字一栏中存在空值!/n请补上数据后再合并.");
    EXPECT_EQ(d.GetRowCount(), 3);  // the grid as it was
  });
}

TEST_F(TableDataDlgTest, EnterWritesTheEditsTextTrimmed) {
  CTableDataDlg dlg(285, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CTableDataDlg& d, platform::ModalSession& s) {
    Load(d, {{"编号", 1}, {"根数", 1}}, {"1;2"});
    d.GetGrid().SetCurrentCell(0, 1);
    d.GetGrid().SetFocus();
    ASSERT_TRUE(s.PressKey(VK_RETURN));
    ASSERT_TRUE(s.EnterText(CTableDataDlg::kCellEdit, CStringA("  7 ")));
    ASSERT_TRUE(s.PressKey(VK_RETURN));
    EXPECT_EQ(d.GetGrid().GetCellText(0, 1), "7");
  });
}
