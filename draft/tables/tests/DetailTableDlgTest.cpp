// The bill-of-materials dialog run from its template with the modal driver:
// a fresh table from a structure just defined, data files written and read
// back, the save question's rename, pasted rows, the kind change of an
// edited table, and generation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/ResourceSwitch.h"
#include "draft/host/DraftView.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "draft/host/SymbolMenuDlg.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/DetailTableDlg.h"
#include "draft/tables/LibraryString.h"
#include "draft/tables/TableFiles.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "draft/tables/tests/TableDialogRun.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Charset.h"
#include "platform/core/DynamicLibrary.h"
#include "platform/core/MessageBox.h"
#include "platform/core/String.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/ToolBar.h"

namespace {

class DetailTableDlgTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  DetailTableDlgTest() : MessageBoxAnswers(IDNO) {}

  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    SetProgramFolder(scratch_.GetFolder().c_str());  // scratch files of this test only
    for (const char* name : {"序号", "名称", "材料", "数量"}) fields.Add(CFieldRecord(name, 0, 20.0, 2));
  }
  void TearDown() override {
    SetProgramFolder(nullptr);
    SetSettingsBacking(std::move(previous_));
  }

  CStringA Scratch(const char* name) const { return (scratch_.GetFolder() + "/" + name).c_str(); }

  // Runs the dialog; `act` works in it, then it is cancelled. The font
  // dialog is confirmed.
  INT_PTR Run(CDetailTableDlg& dlg, const std::function<void(CDetailTableDlg&, platform::ModalSession&)>& act) {
    dlg.SetFieldArray(&fields);
    return tabletest::RunConfirmingFont(dlg, act);
  }
  static void Command(platform::ModalSession& s, int id) { s.Window().SendMessage(WM_COMMAND, id, 0); }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  CFieldArray fields;
  CDraftView view;
};

}  // namespace

TEST_F(DetailTableDlgTest, AStructureJustDefinedStartsAFreshGeneralTable) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  const INT_PTR result = Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1; ; ;1"}));
    EXPECT_EQ(d.GetSerialColumn(), 0);
    EXPECT_EQ(d.GetMaterialColumn(), 2);
    EXPECT_EQ(d.GetWidthText(), "80 mm");
    EXPECT_EQ(d.GetTableType(), 0);
    EXPECT_TRUE(s.As<CDialog>()->IsDlgButtonChecked(CDetailTableDlg::kGeneralType));
    ASSERT_GT(d.GetMaterialBox().GetCount(), 0);
    CStringA first;
    d.GetMaterialBox().GetLBText(0, first);
    EXPECT_EQ(first, "Q235-A");
    EXPECT_EQ(d.GetDataPath(), Scratch("temp.tyb"));
    EXPECT_TRUE(s.Click(CDetailTableDlg::kGenerate));
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(GetProfileIntSetting("DefineFrameSetting", "DefineFrame", 1), 0);
  std::unique_ptr<CTableEntity> table(dlg.TakeResultTable());
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetTableKind(), 0);
}

TEST_F(DetailTableDlgTest, ASavedBillOfMaterialsIsReadBackAsOne) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  const CStringA path = Scratch("bom.lst");
  CDetailTableDlg first(2311, &view, nullptr, 1, nullptr);
  Run(first, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    Command(s, CDetailTableDlg::kAddRow);
    ASSERT_TRUE(d.SaveDataFile(path));
    EXPECT_EQ(d.GetTableType(), 1);  // an .lst file is a bill of materials
    EXPECT_FALSE(d.SaveDataFile(Scratch("bom.xyz")));
  });
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "TableDataFilePath"), path);

  CDetailTableDlg second(2311, &view, nullptr, 1, nullptr);
  Run(second, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    EXPECT_EQ(d.GetTableType(), 1);
    EXPECT_TRUE(s.As<CDialog>()->IsDlgButtonChecked(CDetailTableDlg::kDetailType));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1; ; ;1", "2; ; ;1"}));
    CStringA caption;
    s.Window().GetWindowText(caption);
    EXPECT_EQ(caption.Find("表内容 (文件路径: "), 0);
  });
}

TEST_F(DetailTableDlgTest, TheSaveQuestionMovesADataFileOfTheOtherKind) {
  const CStringA path = Scratch("parts.lst");
  {
    std::ofstream(scratch_.GetFolder() + "/parts.lst", std::ios::binary) << "x";
  }
  WriteProfileStringSetting("SystemSetting", "TableDataFilePath", path);
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  answer = IDCANCEL;
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    d.GetGrid().SetCurrentCell(0, 1);
    Command(s, CDetailTableDlg::kAddRow);
    ASSERT_TRUE(s.Click(CDetailTableDlg::kGenerate));  // cancelled: the dialog stays
    EXPECT_TRUE(s.IsRunning());
    EXPECT_EQ(boxes.back(), "是否保存刚才打开的文件?");
    answer = IDNO;
  });
  // The fresh table is a general one: its data file is the .tyb of that name.
  EXPECT_EQ(dlg.GetDataPath(), GetProgramFolder() + "temp.tyb");
}

TEST_F(DetailTableDlgTest, PastedRowsAndTheirUndoFollowTheTableType) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    Command(s, CDetailTableDlg::kAddRow);
    d.GetGrid().SetItemText(0, 1, "bolt");
    d.GetGrid().SetCurrentCell(0, 1);
    Command(s, CDetailTableDlg::kCopyRow);
    // General table: a new row.
    d.GetGrid().SetCurrentCell(1, 1);
    Command(s, CDetailTableDlg::kPasteRow);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1;bolt; ;1", "2;bolt; ;1", "3; ; ;1"}));
    Command(s, CDetailTableDlg::kUndo);
    EXPECT_EQ(d.GetRowCount(), 2);
    // Bill of materials: the current row is overwritten, its serial number kept.
    ASSERT_TRUE(s.Click(CDetailTableDlg::kDetailType));
    d.GetGrid().SetCurrentCell(1, 1);
    Command(s, CDetailTableDlg::kPasteRow);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1;bolt; ;1", "2;bolt; ;1"}));
    Command(s, CDetailTableDlg::kUndo);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1;bolt; ;1", "2; ; ;1"}));
  });
}

TEST_F(DetailTableDlgTest, MakingAnEditedTableTheBillOfMaterialsAsksToReplaceTheOldOne) {
  const CStringA oldPath = Scratch("old.lst");
  struct Case {
    const char* name;
    int answer;
    int oldKind, editedKind;
    const char* editedFile;
    int tableType;  // SystemSetting/TableType afterwards (a .dbf data file), -1 not looked at
  };
  const Case cases[] = {{"yes", IDYES, 0, 1, "edited.tyb", -1},
                        {"no", IDNO, 1, 0, "edited.tyb", -1},
                        {"yes, a .dbf", IDYES, 0, 1, "edited.dbf", 1},
                        {"no, a .dbf", IDNO, 1, 0, "edited.dbf", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(scratch_.GetFolder() + "/old.tyb");
    {
      std::ofstream(scratch_.GetFolder() + "/old.lst", std::ios::binary) << "x";
    }
    WriteProfileIntSetting("SystemSetting", "TableType", -1);
    CDraftView drawing;
    CTableEntity* old = ConstructTableEntity(0, nullptr);
    old->SetTableKind(1);
    old->SetTableName(oldPath);
    drawing.AddEntityToView(old);
    CTableEntity* edited = ConstructTableEntity(0, nullptr);
    CTableRow* header = ConstructTableRow(0);
    AddRowCell(header, ConstructTableCell("名称", 20, 10, 2));
    edited->AddRow(header);
    CTableRow* row = ConstructTableRow(1);
    AddRowCell(row, ConstructTableCell("bolt", 20, 10, 2));
    edited->AddRow(row);
    edited->SetTableName(Scratch(c.editedFile));
    drawing.AddEntityToView(edited);

    CDetailTableDlg dlg(2311, &drawing, edited, 2, nullptr);
    fields.RemoveAll();
    Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
      EXPECT_EQ(d.GetTableType(), 0);
      EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"bolt"}));
      ASSERT_TRUE(s.Click(CDetailTableDlg::kDetailType));
      answer = c.answer;
      ASSERT_TRUE(s.Click(CDetailTableDlg::kGenerate));
    });
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), CStringA("图中已经有明细表,是否代替它?")), boxes.end());
    EXPECT_EQ(old->GetTableKind(), c.oldKind);
    EXPECT_EQ(edited->GetTableKind(), c.editedKind);
    if (c.tableType >= 0) {
      EXPECT_EQ(edited->GetTableName(), Scratch(c.editedFile));
      EXPECT_EQ(GetProfileIntSetting("SystemSetting", "TableType", -1), c.tableType);
    }
    const CTableEntity* now = static_cast<const CTableEntity*>(drawing.GetPartsListTable());
    EXPECT_EQ(now ? now->GetTableKind() : -1, 1);
    if (c.answer == IDYES) {
      EXPECT_EQ(old->GetTableName(), Scratch("old.tyb"));
      EXPECT_TRUE(IsFileExist(Scratch("old.tyb")));
      EXPECT_FALSE(IsFileExist(oldPath));
    }
    answer = IDNO;
  }
}

TEST_F(DetailTableDlgTest, TheOpenAndSaveFiltersFollowTheTableState) {
  struct Case {
    const char* name;
    const char* dataFile;  // the data file the table is saved as first
    int detailClick;       // 1: the bill-of-materials type chosen
    const char* open;
    const char* save;
  };
  const char* const dbfOpen =
      "数据库文件(*.dbf)|*.dbf|通用表文件(*.tyb)|*.tyb|明细表文件(*.lst)|*.lst|文本文件(*.txt)|*.txt|"
      "BOM文件(*.bom)|*.bom|所有文件(*.*)|*.*|||";
  const char* const dbfSave = "数据库文件(*.dbf)|*.dbf|通用表文件(*.tyb)|*.tyb|明细表文件(*.lst)|*.lst|||";
  const Case cases[] = {
      {"a .dbf table", "a.dbf", 0, dbfOpen, dbfSave},
      // The type button takes the extension of its kind.
      {"a .dbf table made a bill of materials", "a.dbf", 1,
       "明细表文件(*.lst)|*.lst|通用表文件(*.tyb)|*.tyb|数据库文件(*.dbf)|*.dbf|文本文件(*.txt)|*.txt|"
       "BOM文件(*.bom)|*.bom|所有文件(*.*)|*.*|||",
       "明细表文件(*.lst)|*.lst|通用表文件(*.tyb)|*.tyb|数据库文件(*.dbf)|*.dbf|||"},
      {"general table", "a.tyb", 0,
       "通用表文件(*.tyb)|*.tyb|明细表文件(*.lst)|*.lst|数据库文件(*.dbf)|*.dbf|文本文件(*.txt)|*.txt|"
       "BOM文件(*.bom)|*.bom|所有文件(*.*)|*.*|||",
       "通用表文件(*.tyb)|*.tyb|明细表文件(*.lst)|*.lst|数据库文件(*.dbf)|*.dbf|||"},
      {"bill of materials", "a.tyb", 1,
       "明细表文件(*.lst)|*.lst|通用表文件(*.tyb)|*.tyb|数据库文件(*.dbf)|*.dbf|文本文件(*.txt)|*.txt|"
       "BOM文件(*.bom)|*.bom|所有文件(*.*)|*.*|||",
       "明细表文件(*.lst)|*.lst|通用表文件(*.tyb)|*.tyb|数据库文件(*.dbf)|*.dbf|||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
    CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
    Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
      ASSERT_TRUE(d.SaveDataFile(Scratch(c.dataFile)));
      if (c.detailClick) {
        ASSERT_TRUE(s.Click(CDetailTableDlg::kDetailType));
      }
      EXPECT_EQ(d.GetOpenFilter(), c.open);
      EXPECT_EQ(d.GetSaveFilter(), c.save);
    });
  }
}

TEST_F(DetailTableDlgTest, AFileOpenedThroughTheDialogSetsTheTableType) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  const CStringA path = Scratch("list.lst");
  CDetailTableDlg writer(2311, &view, nullptr, 1, nullptr);
  Run(writer, [&](CDetailTableDlg& d, platform::ModalSession&) { ASSERT_TRUE(d.SaveDataFile(path)); });

  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    EXPECT_EQ(d.GetTableType(), 0);
    platform::ScopedModalDriver files([&](platform::ModalSession& f) {
      ASSERT_NE(f.As<CFileDialog>(), nullptr);
      EXPECT_TRUE(f.EnterText(edt1, path));
      EXPECT_TRUE(f.Click(IDOK));
    });
    Command(s, CDetailTableDlg::kReadFile);
    EXPECT_EQ(d.GetTableType(), 1);
    EXPECT_EQ(d.GetDataPath(), path);
    EXPECT_TRUE(d.GetUndoList().IsEmpty());
  });
}

TEST_F(DetailTableDlgTest, TheFixedColumnBomFileRoundTrips) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  const CStringA dat = Scratch("bom.dat");
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    Command(s, CDetailTableDlg::kAddRow);
    Command(s, CDetailTableDlg::kAddRow);
    d.GetGrid().SetItemText(0, 1, "M10 bolt");
    d.GetGrid().SetItemText(0, 2, "Q235-A");
    d.GetGrid().SetItemText(1, 3, " ");
    for (int c = 0; c < 4; ++c) d.GetGrid().SetItemText(2, c, " ");  // an empty row is left out
    const std::vector<CStringA> before = gridtest::RowTexts(d.GetGrid());
    ASSERT_TRUE(d.WriteBomFile(dat));
    std::ifstream in(scratch_.GetFolder() + "/bom.dat", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, CStringA("序号  名称      材料    数量\r\n"
                              "1     M10 bolt  Q235-A  1\r\n"
                              "2                       \r\n")
                         .GetString());
    ASSERT_TRUE(d.ImportFixedColumns(dat));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{before[0], before[1]}));
    EXPECT_FALSE(d.ImportFixedColumns(Scratch("bom.txt")));
  });
}

TEST_F(DetailTableDlgTest, ABomFileSkipsItsSecondLine) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  {
    std::ofstream out(scratch_.GetFolder() + "/part.bom", std::ios::binary);
    out << "No  Name   Mat  Qty\n--  -----  ---  ---\n1   nut    45   8\n2   washer\n";
  }
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession&) {
    ASSERT_TRUE(d.ImportFixedColumns(Scratch("part.bom")));
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1;nut;45;8", "2;washer; ; "}));
  });
}

TEST_F(DetailTableDlgTest, AValueFromTheExternalDataSourceIsPastedIntoTheCell) {
  {
    std::ofstream out(scratch_.GetFolder() + "/codes.txt", std::ios::binary);
    out << "nut,GB6170-M10,steel\nM10 bolt,GB5782-M10,steel\n";
  }
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  dlg.SetDataSourceText((" " + scratch_.GetFolder() + "/codes.txt | 1 |2 ").c_str());
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    ASSERT_TRUE(s.Click(CDetailTableDlg::kSetDataSource));
    EXPECT_EQ(d.GetDataSourceText(), (scratch_.GetFolder() + "/codes.txt|1|2").c_str());
    ASSERT_TRUE(s.EnterText(CDetailTableDlg::kCellEdit, CStringA("M10 bolt")));
    CEdit* edit = static_cast<CEdit*>(s.Window().GetDlgItem(CDetailTableDlg::kCellEdit));
    edit->SetSel(0, -1);
    ASSERT_TRUE(s.Click(CDetailTableDlg::kDataSourceValue));
    CStringA text;
    edit->GetWindowText(text);
    EXPECT_EQ(text, "GB5782-M10");
    // A key the source does not hold leaves the text as it is.
    edit->SetWindowText("screw");
    ASSERT_TRUE(s.Click(CDetailTableDlg::kDataSourceValue));
    edit->GetWindowText(text);
    EXPECT_EQ(text, "screw");
  });
}

TEST_F(DetailTableDlgTest, TheMaterialQueryFillsCodesBackIntoTheGrid) {
  fields.RemoveAll();
  for (const char* name : {"序号", "名称", "代号"}) fields.Add(CFieldRecord(name, 0, 20.0, 2));
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  const CStringA bom = GetProgramFolder() + "bom.dat";
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    Command(s, CDetailTableDlg::kAddRow);
    Command(s, CDetailTableDlg::kAddRow);
    d.GetGrid().SetItemText(0, 1, "nut");
    d.GetGrid().SetItemText(1, 1, "rivet");
    d.GetGrid().SetItemText(2, 1, "M10 bolt");
    Command(s, CDetailTableDlg::kMaterialQuery);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()),
              (std::vector<CStringA>{"1;nut;GB6170-M10", "2;rivet; ", "3;M10 bolt;GB5782-M10"}));
    // Nothing left to fill: the library reports nothing and the grid stays.
    d.GetGrid().SetItemText(1, 2, "own");
    Command(s, CDetailTableDlg::kMaterialQuery);
    EXPECT_EQ(d.GetGrid().GetCellText(1, 2), "own");
  });
  EXPECT_EQ(bom, Scratch("bom.dat"));
}

TEST_F(DetailTableDlgTest, ARowWithAnEmptyFirstCellKeepsItsCellsInTheirColumns) {
  fields.RemoveAll();
  for (const char* name : {"规格", "名称", "代号"}) fields.Add(CFieldRecord(name, 0, 20.0, 2));
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    Command(s, CDetailTableDlg::kAddRow);
    Command(s, CDetailTableDlg::kAddRow);
    d.GetGrid().SetItemText(0, 0, "M10");
    d.GetGrid().SetItemText(0, 1, "nut");
    d.GetGrid().SetItemText(1, 1, "M10 bolt");
    d.GetGrid().SetItemText(2, 2, "own");
    // The query reads and writes the file; the dialog reads it back.
    Command(s, CDetailTableDlg::kMaterialQuery);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()),
              (std::vector<CStringA>{"M10;nut;GB6170-M10", " ;M10 bolt;GB5782-M10", " ; ;own"}));
  });
}

TEST_F(DetailTableDlgTest, AnOutsideLibraryThatCannotBeLoadedIsNamedAndChangesNothing) {
  // Libraries of these names that are no libraries, found first.
  const std::filesystem::path folder = scratch_.GetFolder();
  std::ofstream(folder / "libTilbrack.so") << "not a library";
  std::ofstream(folder / "libSarnowe.so") << "not a library";
  fields.RemoveAll();
  for (const char* name : {"序号", "名称", "代号"}) fields.Add(CFieldRecord(name, 0, 20.0, 2));
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  struct Case {
    int id;
    const char* message;
  };
  const Case cases[] = {
      {CDetailTableDlg::kMaterialQuery, "加载动态连接库(Tilbrack.dll)发生错误，找不到动态连接库文件."},
      {CDetailTableDlg::kSetDataSource, "没有找到Sarnowe.dll"},
      {CDetailTableDlg::kDataSourceValue, "没有找到Sarnowe.dll"},
  };
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  dlg.SetDataSourceText("codes.txt|1|2");
  platform::SetLibraryFolder(folder);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    d.GetGrid().SetItemText(0, 1, "nut");
    const std::vector<CStringA> before = gridtest::RowTexts(d.GetGrid());
    for (const Case& c : cases) {
      SCOPED_TRACE(c.message);
      boxes.clear();
      s.Window().SendMessage(WM_COMMAND, c.id, 0);
      EXPECT_EQ(boxes, std::vector<CStringA>{c.message});
      EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), before);
      EXPECT_EQ(d.GetDataSourceText(), "codes.txt|1|2");
    }
  });
  platform::SetLibraryFolder({});
}

TEST_F(DetailTableDlgTest, ASpecialSymbolIsPastedIntoTheCellEdit) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg&, platform::ModalSession& s) {
    ASSERT_TRUE(s.EnterText(CDetailTableDlg::kCellEdit, CStringA("20")));
    CEdit* edit = static_cast<CEdit*>(s.Window().GetDlgItem(CDetailTableDlg::kCellEdit));
    edit->SetSel(0, 0);
    platform::ScopedModalDriver inner([&](platform::ModalSession& k) {
      EXPECT_TRUE(k.Choose(CSymbolMenuDlg::kSymbolList, 2));
      EXPECT_TRUE(k.Click(IDOK));
    });
    ASSERT_TRUE(s.Click(CDetailTableDlg::kSpecialChar));
    CStringA text;
    edit->GetWindowText(text);
    EXPECT_EQ(text, CSymbolMenuDlg::SymbolsOf(0)[2] + "20");
  });
}

TEST_F(DetailTableDlgTest, WithoutAMaterialColumnTheCellEditTakesSymbolsAndSourceValues) {
  {
    std::ofstream out(scratch_.GetFolder() + "/codes.txt", std::ios::binary);
    out << "nut,GB6170-M10\n";
  }
  fields.RemoveAll();
  for (const char* name : {"序号", "名称"}) fields.Add(CFieldRecord(name, 0, 20.0, 2));
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  dlg.SetDataSourceText((scratch_.GetFolder() + "/codes.txt|1|2").c_str());
  Run(dlg, [&](CDetailTableDlg&, platform::ModalSession& s) {
    EXPECT_FALSE(s.IsVisible(CDetailTableDlg::kMaterialBox));
    EXPECT_TRUE(s.IsVisible(CDetailTableDlg::kCellEdit));
    CEdit* edit = static_cast<CEdit*>(s.Window().GetDlgItem(CDetailTableDlg::kCellEdit));
    ASSERT_TRUE(s.EnterText(CDetailTableDlg::kCellEdit, CStringA("20")));
    edit->SetSel(0, 0);
    platform::ScopedModalDriver inner([&](platform::ModalSession& k) {
      EXPECT_TRUE(k.Choose(CSymbolMenuDlg::kSymbolList, 2));
      EXPECT_TRUE(k.Click(IDOK));
    });
    ASSERT_TRUE(s.Click(CDetailTableDlg::kSpecialChar));
    CStringA text;
    edit->GetWindowText(text);
    EXPECT_EQ(text, CSymbolMenuDlg::SymbolsOf(0)[2] + "20");

    edit->SetWindowText("nut");
    edit->SetSel(0, -1);
    ASSERT_TRUE(s.Click(CDetailTableDlg::kDataSourceValue));
    edit->GetWindowText(text);
    EXPECT_EQ(text, "GB6170-M10");
  });
}

TEST_F(DetailTableDlgTest, EnterWalksThroughTheCellsAndTheMaterialBoxEditsItsColumn) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession& s) {
    ASSERT_TRUE(s.Click(CDetailTableDlg::kDetailType));
    CWnd* edit = s.Window().GetDlgItem(CDetailTableDlg::kCellEdit);
    d.GetGrid().SetCurrentCell(0, 1);
    d.GetGrid().SetFocus();
    ASSERT_TRUE(s.PressKey(VK_RETURN));
    EXPECT_EQ(CWnd::GetFocus(), edit);
    ASSERT_TRUE(s.EnterText(CDetailTableDlg::kCellEdit, CStringA("bolt")));
    ASSERT_TRUE(s.PressKey(VK_RETURN));
    EXPECT_EQ(d.GetGrid().GetCellText(0, 1), "bolt");
    // The material column: the box takes the place of the cell edit.
    EXPECT_EQ(d.GetGrid().GetCurrentColumn(), 2);
    EXPECT_TRUE(s.IsVisible(CDetailTableDlg::kMaterialBox));
    EXPECT_FALSE(s.IsVisible(CDetailTableDlg::kCellEdit));
    ASSERT_TRUE(s.Choose(CDetailTableDlg::kMaterialBox, 1));
    EXPECT_EQ(d.GetGrid().GetCellText(0, 2), "Q345");
    // The last cell of a bill of materials wraps to its first row.
    d.GetGrid().SetCurrentCell(0, 3);
    d.GetGrid().SetFocus();
    ASSERT_TRUE(s.PressKey(VK_RETURN));  // into the cell edit, shown again
    EXPECT_EQ(CWnd::GetFocus(), edit);
    ASSERT_TRUE(s.PressKey(VK_RETURN));
    EXPECT_EQ(d.GetRowCount(), 1);
    EXPECT_EQ(d.GetGrid().GetCurrentRow(), 0);
    EXPECT_EQ(d.GetGrid().GetCurrentColumn(), 0);
  });
}

TEST_F(DetailTableDlgTest, QuotedTextLinesBecomeRowsAndExtraCellsBringColumns) {
  CFieldArray structure;
  structure.Add(CFieldRecord("序号", 0, 10.0, 2));
  structure.Add(CFieldRecord("名称", 0, 20.0, 2));
  ASSERT_TRUE(WriteStructureFileFields(Scratch("two.def"), structure));
  WriteProfileStringSetting("TableFrameSetting", "TableFrameFilePath", Scratch("two.def"));
  {
    std::ofstream out(scratch_.GetFolder() + "/rows.txt", std::ios::binary);
    out << "\"1\",\"M10 bolt\",\"Q235-A\"\r\n\"2\",\"nut\"\r\n\r\n\"3\",\"after the end\"\r\n";
    std::ofstream(scratch_.GetFolder() + "/empty.txt", std::ios::binary) << "no quotes here\r\n";
  }
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession&) {
    ASSERT_TRUE(d.LoadDataFile(Scratch("rows.txt")));
    ASSERT_EQ(fields.GetSize(), 3);
    EXPECT_EQ(fields[1].GetName(), "名称");
    EXPECT_EQ(fields[2].GetName(), " ");
    EXPECT_DOUBLE_EQ(fields[2].width, 25.0);
    EXPECT_EQ(gridtest::RowTexts(d.GetGrid()), (std::vector<CStringA>{"1;M10 bolt;Q235-A", "2;nut; "}));
    EXPECT_FALSE(d.LoadDataFile(Scratch("empty.txt")));
    EXPECT_EQ(boxes.back(), "文件类型不匹配,请重新选择!");
    EXPECT_EQ(d.GetRowCount(), 2);
  });
}

TEST_F(DetailTableDlgTest, ACommandsTipComesFromTheStringTable) {
  CStringA text;
  LoadScrivelString(301, text);
  EXPECT_EQ(text, "删除行\n删除行");
  LoadScrivelString(0, text);
  EXPECT_TRUE(text.IsEmpty());
  LoadScrivelString(9, text);
  EXPECT_TRUE(text.IsEmpty());

  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg&, platform::ModalSession& s) {
    for (const auto& [id, want] : {std::pair<UINT, std::u16string>{301, u"删除行"}, {32775, u"物料选用"}}) {
      NMTTDISPINFOW info{};
      info.hdr.hwndFrom = s.Window().GetSafeHwnd();
      info.hdr.idFrom = id;
      info.hdr.code = TTN_NEEDTEXTW;
      s.Window().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
      ASSERT_NE(info.lpszText, nullptr) << id;
      EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(info.lpszText)), want);
    }
    NMTTDISPINFOW none{};
    none.hdr.idFrom = 9;
    none.hdr.code = TTN_NEEDTEXTW;
    s.Window().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&none));
    EXPECT_EQ(none.lpszText, nullptr);
  });
}

TEST_F(DetailTableDlgTest, TheToolBarSendsItsButtonsAndShowsTheirTips) {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
  Run(dlg, [&](CDetailTableDlg& d, platform::ModalSession&) {
    CToolBar& bar = d.GetToolBar();
    ASSERT_TRUE(bar.GetSafeHwnd());
    // The query library is built beside the library's resources: its bar.
    EXPECT_EQ(CDetailTableDlg::ChooseToolBar(), static_cast<UINT>(CDetailTableDlg::kToolBarWithQuery));
    EXPECT_GE(bar.CommandToIndex(CDetailTableDlg::kMaterialQuery), 0);
    // The controls sit below the bar.
    CRect barRect, gridRect;
    bar.GetWindowRect(&barRect);
    d.GetGrid().GetWindowRect(&gridRect);
    EXPECT_GE(gridRect.top, barRect.bottom);

    CRect r;
    bar.GetItemRect(bar.CommandToIndex(CDetailTableDlg::kAddRow), &r);
    const LPARAM at = MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y);
    bar.SendMessage(WM_MOUSEMOVE, 0, at);
    EXPECT_EQ(std::u16string(bar.GetCurrentTip().GetString()), u"增加行");
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    bar.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(d.GetGrid().GetItemCount(), 2);
    // Released away from the button it was pressed on: nothing.
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.right + 200, r.CenterPoint().y));
    EXPECT_EQ(d.GetGrid().GetItemCount(), 2);
  });
}

TEST_F(DetailTableDlgTest, AQueryLibraryFoundElsewhereGivesTheBarWithoutTheQuery) {
  // A library of that name found first in another folder is not the one
  // beside the resources.
  const std::filesystem::path folder = scratch_.GetFolder();
  std::ofstream(folder / "libTilbrack.so") << "not a library";
  platform::SetLibraryFolder(folder);
  const UINT chosen = CDetailTableDlg::ChooseToolBar();
  platform::SetLibraryFolder({});
  EXPECT_EQ(chosen, static_cast<UINT>(CDetailTableDlg::kToolBar));
}

TEST_F(DetailTableDlgTest, TheQueryLibrarysResourcesAreCurrentUnderTheResourceSwitch) {
  HMODULE module = LoadLibraryA("Tilbrack.dll");
  ASSERT_NE(module, nullptr);
  {
    CResourceSwitch resources;
    EXPECT_TRUE(resources.SwitchToModule("Tilbrack.dll"));
    std::u16string text;
    EXPECT_TRUE(platform::LoadStringResource(1, text));
    EXPECT_EQ(platform::Utf16ToGbk(text), "已填写代号: %d");
  }
  FreeLibrary(module);
}
