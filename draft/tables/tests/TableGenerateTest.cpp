// The table generators: a grid's rows made into a table entity, the
// drawing's parts list replaced, an edited table rebuilt, and a table read
// back into the grid and written to a file. The font dialog is answered by
// the modal driver, the questions by the message-box handler.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/ModalDriver.h"

namespace {

class TableGenerateTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  TableGenerateTest() : MessageBoxAnswers(IDYES) {}

  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    ASSERT_TRUE(owner.CreateTop());
  }
  void TearDown() override {
    owner.DestroyWindow();
    SetSettingsBacking(std::move(previous_));
  }

  // Columns "序号", "名称", "备注" and the rows (row texts).
  void Fill(const std::vector<const char*>& rows) { gridtest::Load(owner, {"序号", "名称", "备注"}, rows); }
  int Rows() { return owner.grid.GetItemCount(); }

  // Runs `call` with the font dialog answered by `script` (OK by default).
  void WithFontDialog(const std::function<void()>& call,
                      std::function<void(platform::ModalSession&)> script = [](platform::ModalSession& s) {
                        EXPECT_TRUE(s.Click(IDOK));
                      }) {
    platform::ScopedModalDriver driver(std::move(script));
    call();
  }

  CTableEntity* Generate(int force, int kind) {
    CTableEntity* table = nullptr;
    WithFontDialog([&] { owner.grid.GenerateTable(Rows(), owner.structure, &table, &view, "a.lst", force, kind); });
    return table;
  }

  // A parts list in the drawing made from the grid (rows upward), in two
  // segments: the first holding the header alone, the last closed just
  // after its last row.
  CTableEntity* PlaceGenerated() {
    CTableEntity* t = Generate(1, 1);
    EXPECT_NE(t, nullptr);
    int remaining = t->GetRowsToPlace();
    EXPECT_FALSE(PlaceTable(t, 0, 0, &remaining, 0.5));
    PlaceTable(t, 100, 0, &remaining, 1e300);
    CTableSegment& last = t->GetSegment(t->GetSegmentCount() - 1);
    double w = 0, step = 0;
    GetRowPosition(t, t->GetRow(t->GetRowCount() - 1), w, step);
    last.endY = last.startY + t->GetDirectionFactor() * step * (t->GetRowCount() - 1);
    RecalcTable(t);
    view.AddEntityToView(t);
    return t;
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  gridtest::COwnerWnd owner;
  CDraftView view;
};

}  // namespace

TEST_F(TableGenerateTest, DittoMarksAreStoredAsCodesAndRestoredOnLoad) {
  // "丂" ends in the byte 0x40, '@': it is no mark, and it keeps a mark typed after it.
  Fill({"1;8@;$", "2;%%c20;@", "3;a/;x$", "4;丂;丂@"});
  std::unique_ptr<CTableEntity> t(Generate(2, 2));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->GetTableKind(), 2);
  EXPECT_EQ(t->GetDirection(), 1);
  ASSERT_EQ(t->GetRowCount(), 5);
  EXPECT_EQ(t->GetRow(0)->GetFlag(), 0);
  EXPECT_EQ(t->GetRow(0)->GetCell(1)->GetText(), "名称");
  struct Case {
    int row, column;
    const char* text;
    int code;
  };
  for (const Case& c : {Case{1, 1, "8", 2}, Case{1, 2, " ", 4}, Case{2, 1, "Φ20", 0}, Case{2, 2, " ", 1},
                        Case{3, 1, "a/", 0}, Case{3, 2, "x", 5}, Case{4, 1, "丂", 0}, Case{4, 2, "丂", 2}}) {
    const CTableCell& cell = *t->GetRow(c.row)->GetCell(c.column);
    EXPECT_EQ(cell.GetText(), c.text) << c.row << "," << c.column;
    EXPECT_EQ(cell.GetDittoCode(), c.code) << c.row << "," << c.column;
  }

  owner.grid.DeleteAllItems();
  CBillFontDef def;
  CFieldArray structure;
  owner.grid.LoadFromTableEntity(def, t.get(), structure);
  ASSERT_EQ(structure.GetSize(), 3);
  EXPECT_EQ(structure[2].GetName(), "备注");
  EXPECT_EQ(def.m_nBTSort, 1);
  const std::vector<CStringA> want{"1;8@;$", "2;%%c20;@", "3;a/;x$", "4;丂;丂@"};
  EXPECT_EQ(gridtest::RowTexts(owner.grid), want);
}

TEST_F(TableGenerateTest, TheFontDialogRunsWithThisLibrarysResourcesAndTheModalFlag) {
  Fill({"1;a;b"});
  CTableEntity* table = PlaceGenerated();
  CBillFontDlg dlg(0, nullptr);
  CFieldArray structure;
  owner.grid.LoadFromTableEntity(dlg.GetFontDef(), table, structure);
  // A host library's resources are current when the generators are called.
  const HINSTANCE previous = AfxGetResourceHandle();
  const HINSTANCE before = GetModuleHandleA("Korrin.DLL");
  ASSERT_NE(before, nullptr);
  ASSERT_NE(GetModuleHandleA("Scrivel.DLL"), nullptr);
  AfxSetResourceHandle(before);
  int runs = 0;
  auto script = [&](platform::ModalSession& s) {
    ++runs;
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("Scrivel.DLL"));
    EXPECT_EQ(view.ModalDialogFlag(), 1);
    EXPECT_TRUE(s.Click(IDCANCEL));
  };
  CTableEntity* made = nullptr;
  WithFontDialog([&] { owner.grid.GenerateTable(Rows(), owner.structure, &made, &view, "a.lst", 2, 0); }, script);
  EXPECT_EQ(made, nullptr);
  WithFontDialog([&] { owner.grid.UpdateTableEntity(&dlg, table, structure, 1, &view); }, script);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(AfxGetResourceHandle(), before);
  AfxSetResourceHandle(previous);
  EXPECT_EQ(view.ModalDialogFlag(), 0);
  EXPECT_TRUE(view.IsInDrawing(table));
  EXPECT_EQ(view.GetUndoCount(), 0);
}

TEST_F(TableGenerateTest, APartsListAlreadyThereIsOfferedForReplacementFirst) {
  Fill({"1;a;b"});
  CTableEntity* existing = PlaceGenerated();
  Fill({"1;a;b", "2;c;d"});

  answer = IDNO;
  EXPECT_EQ(Generate(0, 1), nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "是否替代已生成的明细表?");
  EXPECT_EQ(view.GetPartsListTable(), existing);
  EXPECT_EQ(view.GetUndoCount(), 0);
  EXPECT_EQ(existing->GetRowCount(), 2);

  std::unique_ptr<CTableEntity> forced(Generate(1, 1));  // forced: no question, a new table
  ASSERT_NE(forced, nullptr);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(forced->GetRowCount(), 3);

  answer = IDYES;  // replaced in place, no new table
  EXPECT_EQ(Generate(0, 1), nullptr);
  CTableEntity* replaced = static_cast<CTableEntity*>(view.GetPartsListTable());
  ASSERT_NE(replaced, existing);
  EXPECT_EQ(replaced->GetRowCount(), 3);
  EXPECT_EQ(view.GetUndoCount(), 1);
  view.Undo();
  EXPECT_EQ(view.GetPartsListTable(), existing);
}

TEST_F(TableGenerateTest, ReplacingGrowsOrShrinksTheRowsAndTheClosedLastSegment) {
  Fill({"1;a;b", "2;c;d", "3;e;f"});
  CTableEntity* existing = PlaceGenerated();
  const double end = existing->GetSegment(1).endY;
  double w = 0, step = 0;
  GetRowPosition(existing, existing->GetRow(1), w, step);

  Fill({"1;a;b", "2;c;d", "3;e;f", "4;g;h", "5;i;j"});
  EXPECT_EQ(owner.grid.ReplacePartsListTable(&view, Rows(), owner.structure, "b.lst", nullptr, 1, 2, nullptr, nullptr),
            1);
  auto* more = static_cast<CTableEntity*>(view.GetPartsListTable());
  ASSERT_EQ(more->GetRowCount(), 6);
  EXPECT_EQ(more->GetTableName(), "b.lst");
  EXPECT_DOUBLE_EQ(more->GetSegment(1).endY, end + 2 * step * more->GetDirectionFactor());
  EXPECT_EQ(more->GetRow(5)->GetCell(1)->GetText(), "i");
  // Without a font dialog the existing cells keep their fonts.
  EXPECT_EQ(more->GetRow(1)->GetCell(1)->GetTextAttrib(), existing->GetRow(1)->GetCell(1)->GetTextAttrib());
  EXPECT_EQ(more->GetPlacedRows().back().segment, 1);  // the new rows are in the last part

  Fill({"9;z;y"});
  owner.grid.ReplacePartsListTable(&view, Rows(), owner.structure, "b.lst", nullptr, 1, 2, nullptr, nullptr);
  auto* fewer = static_cast<CTableEntity*>(view.GetPartsListTable());
  ASSERT_EQ(fewer->GetRowCount(), 2);
  EXPECT_EQ(fewer->GetRow(1)->GetCell(0)->GetText(), "9");
  EXPECT_EQ(view.GetUndoCount(), 2);

  CEntityList none;  // no table wanted: only the given lists are recorded
  EXPECT_EQ(owner.grid.ReplacePartsListTable(&view, Rows(), owner.structure, "c", nullptr, 0, 2, &none, &none), 1);
  EXPECT_EQ(view.GetUndoCount(), 2);
}

TEST_F(TableGenerateTest, WithoutAFontDialogNewCellsTakeTheValuesOfTheExistingCells) {
  Fill({"1;a;b", "2;c;d"});
  CTableEntity* existing = PlaceGenerated();
  // The header's last cell, the first data row's last cell and the
  // largest heights give the values of the cells to be made.
  auto restyle = [](CTableCell& cell, double rowHeight, double textHeight, double spacing, double widthFactor) {
    CTextAttrib a = cell.GetTextAttrib();
    a.SetHeight(textHeight);
    a.SetSpacing(spacing);
    a.SetWidthFactor(widthFactor);
    cell.SetTextAttrib(a);
    cell.SetRowHeight(rowHeight);
  };
  for (int c = 0; c < 3; ++c) {
    restyle(*existing->GetRow(0)->GetCell(c), 16, c == 0 ? 7.5 : 6.0, 0.25, c == 2 ? 0.8 : 0.9);
    restyle(*existing->GetRow(1)->GetCell(c), 9, 4.0, c == 2 ? 0.5 : 0.1, 0.7);
  }
  restyle(*existing->GetRow(2)->GetCell(0), 11, 4.5, 0.3, 0.6);

  gridtest::Load(owner, {"序号", "名称", "备注", "规格"}, {"1;a;b;x", "2;c;d;y", "3;e;f;z"});
  owner.grid.ReplacePartsListTable(&view, Rows(), owner.structure, "b.lst", nullptr, 1, 2, nullptr, nullptr);
  auto* replaced = static_cast<CTableEntity*>(view.GetPartsListTable());
  ASSERT_EQ(replaced->GetRowCount(), 4);
  struct Case {
    int row, column;
    double rowHeight, textHeight, spacing, widthFactor;
  };
  const Case cases[] = {
      {0, 3, 16, 7.5, 0.25, 0.8},  // a header cell made: the header's values
      {1, 3, 9, 4.0, 0.5, 1.0},    // a data cell made: the first data row's
      {2, 3, 9, 4.5, 0.5, 1.0},    // the text height grows with the rows walked
      {3, 1, 9, 4.5, 0.5, 1.0},    // a new row
      {2, 0, 11, 4.5, 0.3, 0.6},   // an existing cell keeps its own
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
    const CTableCell& cell = *replaced->GetRow(c.row)->GetCell(c.column);
    EXPECT_DOUBLE_EQ(cell.GetRowHeight(), c.rowHeight);
    EXPECT_DOUBLE_EQ(cell.GetTextAttrib().GetHeight(), c.textHeight);
    EXPECT_DOUBLE_EQ(cell.GetTextAttrib().GetSpacing(), c.spacing);
    EXPECT_DOUBLE_EQ(cell.GetTextAttrib().GetWidthFactor(), c.widthFactor);
  }
  EXPECT_EQ(replaced->GetRow(0)->GetCell(3)->GetText(), "规格");
  EXPECT_EQ(replaced->GetRow(3)->GetCell(3)->GetText(), "z");
}

TEST_F(TableGenerateTest, AnUnchangedUpdateRecordsNothingAndAChangedOneReplaces) {
  Fill({"1;a;b", "2;c;d"});
  CTableEntity* table = PlaceGenerated();
  CBillFontDlg dlg(0, nullptr);
  CFieldArray structure;
  owner.grid.LoadFromTableEntity(dlg.GetFontDef(), table, structure);

  WithFontDialog([&] { owner.grid.UpdateTableEntity(&dlg, table, structure, 0, &view); });
  EXPECT_EQ(view.GetUndoCount(), 0);
  EXPECT_TRUE(view.IsInDrawing(table));

  owner.grid.SetItemText(1, 1, "new");
  WithFontDialog([&] { owner.grid.UpdateTableEntity(&dlg, table, structure, 1, &view); });
  EXPECT_EQ(view.GetUndoCount(), 1);
  EXPECT_FALSE(view.IsInDrawing(table));
  auto* updated = static_cast<CTableEntity*>(view.GetPartsListTable());
  EXPECT_EQ(updated->GetRow(2)->GetCell(1)->GetText(), "new");

  // Only the grid-lines option: the copy takes it and nothing else.
  WithFontDialog([&] { owner.grid.UpdateTableEntity(&dlg, updated, structure, 0, &view); },
                 [](platform::ModalSession& s) {
                   EXPECT_TRUE(s.Click(CBillFontDlg::kGridLines));
                   EXPECT_TRUE(s.Click(IDOK));
                 });
  auto* options = static_cast<CTableEntity*>(view.GetPartsListTable());
  EXPECT_EQ(options->GetGridShown(), 0);
  EXPECT_EQ(view.GetUndoCount(), 2);
}

TEST_F(TableGenerateTest, AnEmptiedUpdateRemovesTheTableUndoably) {
  Fill({"1;a;b"});
  CTableEntity* table = PlaceGenerated();
  CBillFontDlg dlg(0, nullptr);
  CFieldArray structure;
  owner.grid.LoadFromTableEntity(dlg.GetFontDef(), table, structure);
  owner.grid.DeleteAllItems();
  WithFontDialog([&] { owner.grid.UpdateTableEntity(&dlg, table, structure, 1, &view); },
                 [](platform::ModalSession& s) {
                   EXPECT_TRUE(s.Click(CBillFontDlg::kHeaderPresent));  // header off
                   EXPECT_TRUE(s.Click(IDOK));
                 });
  EXPECT_FALSE(view.IsInDrawing(table));
  ASSERT_EQ(view.GetUndoCount(), 1);
  view.Undo();
  EXPECT_TRUE(view.IsInDrawing(table));
}

TEST_F(TableGenerateTest, AFileRoundTripKeepsSemicolonsInsideCells) {
  Fill({"1;a;;b;%%c5"});
  std::unique_ptr<CTableEntity> t(Generate(2, 0));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->GetRow(1)->GetCell(1)->GetText(), "a;b");
  const std::string path = scratch_.GetFolder() + "/round.lst";
  ASSERT_TRUE(owner.grid.SaveTableEntityToFile(t.get(), path.c_str()));
  CStringArray rows;
  CFieldArray fields;
  ASSERT_TRUE(owner.grid.ReadDataFile(path.c_str(), rows, fields));
  ASSERT_EQ(fields.GetSize(), 3);
  EXPECT_EQ(fields[1].GetName(), "名称");
  ASSERT_EQ(rows.GetSize(), 1);
  CStringArray cells;
  owner.grid.SplitRowText(rows[0], cells);
  ASSERT_EQ(cells.GetSize(), 3);
  EXPECT_EQ(cells[1], "a;b");
  EXPECT_EQ(cells[2], "%%c5");
}

TEST_F(TableGenerateTest, AWiderUpdateMovesTheLaterSegmentsApart) {
  Fill({"1;a;b", "2;c;d"});
  CTableEntity* table = PlaceGenerated();
  ASSERT_EQ(table->GetSegmentCount(), 2);
  const double second = table->GetSegment(1).startX;
  CBillFontDlg dlg(0, nullptr);
  CFieldArray structure;
  owner.grid.LoadFromTableEntity(dlg.GetFontDef(), table, structure);
  structure[1].width += 15;  // the table grows by 15
  WithFontDialog([&] { owner.grid.UpdateTableEntity(&dlg, table, structure, 1, &view); });
  auto* updated = static_cast<CTableEntity*>(view.GetPartsListTable());
  ASSERT_NE(updated, table);
  EXPECT_DOUBLE_EQ(updated->GetSegment(0).startX, table->GetSegment(0).startX);
  EXPECT_DOUBLE_EQ(updated->GetSegment(1).startX, second + 15);
  EXPECT_DOUBLE_EQ(updated->GetRow(2)->GetCell(1)->GetWidth(), structure[1].width);
}
