// The grid's SQL layer against the real driver: tables of the data source
// "Qelvo" written from the grid and read back, sorted, totalled, looked up
// and computed.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DrawingSettings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableRecordset.h"
#include "draft/tables/ColumnRelationDlg.h"
#include "draft/tables/DynamicBulkSet.h"
#include "platform/odbc/DBException.h"
#include "platform/odbc/tests/IsqlSession.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "platform/core/Charset.h"
#include "platform/odbc/DBException.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/ModalDriver.h"

using gridtest::Column;
using gridtest::GridTest;
using gridtest::Load;
using gridtest::RowTexts;

namespace {

class PartsListSqlTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    settings.SetSystemReal(kSystemDecimals, 2);
    owner.grid.SetDrawingSettings(&settings);
  }
  // A GBK path of the test's folder.
  CStringA File(const char* name) const { return CStringA(platform::Utf8ToGbk(dir_ + "/" + name).c_str()); }
  // Sets typed fields: names and types.
  void Typed(const std::vector<std::pair<const char*, int>>& fields, const std::vector<const char*>& rows) {
    std::vector<const char*> names;
    for (const auto& f : fields) names.push_back(f.first);
    Load(owner, names, rows);
    for (size_t i = 0; i < fields.size(); ++i) owner.structure[i].type = fields[i].second;
  }

  CDrawingSettings settings;
  testsupport::ScratchFolder scratch_{"scrivel-sql"};
  const std::string& dir_ = scratch_.path();
};

TEST_F(PartsListSqlTest, ColumnDefinitionsAndSqlTypes) {
  const struct {
    const char* name;
    int type;
    double width;
    int mode;
    const char* want;
  } cases[] = {
      {"名称", kFieldChar, 12.5, 2, "名称 Char(13)"},
      {"重量(kg)", kFieldFloat, 20, 2, "重量 Numeric(15,2)"},
      {"件数", kFieldInteger, 8, 2, "件数 Integer"},
      {"件数", kFieldInteger, 8.4, 1, "件数 Char(8)"},  // mode 1: every column is text
      {"ＡＢ", kFieldDate, 10, 2, "AB Char(10)"},       // full-width letters cleaned
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    CStringA definitions;
    owner.grid.AppendColumnDef(definitions, c.name, c.type, c.width, c.mode);
    EXPECT_EQ(definitions, c.want);
  }
  CStringA two = "a Char(1)";
  owner.grid.AppendColumnDef(two, "b", kFieldCurrency, 1, 2);
  EXPECT_EQ(two, "a Char(1),b Numeric(15,2)");
  const int mapped[][2] = {{SQL_NUMERIC, 5}, {SQL_INTEGER, 1}, {SQL_DOUBLE, 4}, {SQL_DATE, 2}, {SQL_BIT, 6}, {SQL_CHAR, 0}};
  for (const auto& m : mapped) EXPECT_EQ(CPartsListCtrl::MapSqlType(m[0]), m[1]);
}

TEST_F(PartsListSqlTest, FormatDecimalsPadsOrCutsWithoutRounding) {
  const struct {
    double decimals;
    const char* in;
    const char* out;
  } cases[] = {{0, "12", "12."},      {0, "12.7", "12."},   {2, "12", "12.00"},
               {2, "12.789", "12.78"}, {3, "1.5", "1.500"},
               // The driver writes very small and very large reals with an exponent.
               {2, "2.2e-05", "0.00"}, {5, "-1.5e-03", "-0.00150"}, {1, "1.0e+16", "10000000000000000.0"}};
  for (const auto& c : cases) {
    settings.SetSystemReal(kSystemDecimals, c.decimals);
    CStringA text = c.in;
    owner.grid.FormatDecimals(text);
    EXPECT_EQ(text, c.out) << c.in << " with " << c.decimals;
  }
}

TEST_F(PartsListSqlTest, RowValuesQuoteTextsAndDoubleTheirQuotes) {
  Typed({{"名称", kFieldChar}, {"件数", kFieldInteger}, {"重量", kFieldFloat}, {"直径", kFieldFloat}},
        {"it's; ; ;Φ12", " ; ; ;Φ", "a;x;1.5;12", "a;1) OR (1=1;2;3"});
  const struct {
    int row, mode, symbol, serial;
    const char* want;
  } cases[] = {
      {0, 2, 3, 0, "'it''s',0,0.0,12"},
      {1, 2, 3, 0, "' ',0,0.0,0.0"},    // empty cells; a symbol alone
      {0, 1, 3, 0, "'it''s',' ',' ','12'"},  // mode 1: all text
      {2, 2, -1, 0, "'a','x',1.5,12"},  // a number cell that is no number is quoted
      {3, 2, -1, 0, "'a','1) OR (1=1',2,3"},
      {2, 2, -1, 1, "'2','a','x',1.5"},  // the serial first, the last field left out
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    CStringA values;
    ASSERT_TRUE(owner.grid.FormatRowValues(c.row, values, owner.structure, c.mode, c.symbol, c.serial));
    EXPECT_EQ(values, c.want);
  }
}

TEST_F(PartsListSqlTest, AnExportReadsBackThroughBothReaders) {
  // 60 columns, values with "'" and ';' and a value of more than 100 bytes.
  std::vector<std::string> names;
  std::vector<const char*> namePtrs;
  for (int i = 0; i < 60; ++i) names.push_back("c" + std::to_string(i + 1));
  for (const auto& n : names) namePtrs.push_back(n.c_str());
  const std::string longValue = std::string(60, 'x') + "长值" + std::string(60, 'y');
  std::vector<std::string> rows;
  for (int r = 0; r < 3; ++r) {
    std::string row;
    for (int c = 0; c < 60; ++c) {
      if (c) row += ";";
      if (c == 0) row += "o'k;;" + std::to_string(r);  // "o'k;" and the row
      else if (c == 1) row += longValue;
      else row += std::to_string(r * 100 + c);
    }
    rows.push_back(row);
  }
  std::vector<const char*> rowPtrs;
  for (const auto& r : rows) rowPtrs.push_back(r.c_str());
  Load(owner, namePtrs, rowPtrs);
  for (int c = 0; c < 60; ++c) owner.structure[c].width = c == 1 ? 150 : 12;
  const CStringA file = File("export.dbf");
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 1, 2, 0, -1, 0), 2) << (boxes.empty() ? "" : boxes[0].GetString());

  // The host's recordset, as row texts.
  CStringArray texts;
  CFieldArray structure;
  ASSERT_TRUE(owner.grid.ReadDbfTable(file, texts, structure));
  ASSERT_EQ(structure.GetSize(), 60);
  EXPECT_EQ(structure[1].width, 150);
  ASSERT_EQ(texts.GetSize(), 3);
  CStringArray cells;
  owner.grid.SplitRowText(texts[2], cells);
  ASSERT_EQ(cells.GetSize(), 60);
  EXPECT_EQ(cells[0], "o'k;2");
  EXPECT_EQ(std::string(cells[1].GetString()), longValue);
  EXPECT_EQ(cells[59], "259");

  // The driver, every column bound by its size.
  CDatabase db;
  ASSERT_TRUE(db.OpenEx("DSN=Qelvo"));
  CDynamicBulkSet rs(&db);
  rs.SetRowsetSize(2);
  ASSERT_TRUE(rs.Open(CRecordset::snapshot, "SELECT * FROM " + file, CRecordset::readOnly | CRecordset::useMultiRowFetch));
  ASSERT_EQ(rs.GetColumnCount(), 60);
  std::vector<std::string> first, second;
  while (!rs.IsEOF()) {
    for (DWORD r = 0; r < rs.GetRowsFetched(); ++r) {
      first.push_back(rs.GetValue(0, r));
      second.push_back(rs.GetValue(1, r));
    }
    rs.MoveNext();
  }
  EXPECT_EQ(first, (std::vector<std::string>{"o'k;0", "o'k;1", "o'k;2"}));
  EXPECT_EQ(second[2], longValue);

  // And the grid filled from the table.
  int rowCount = 0;
  CFieldArray loaded;
  ASSERT_TRUE(owner.grid.LoadDbfIntoList(file, loaded, rowCount, 1));
  EXPECT_EQ(rowCount, 3);
  EXPECT_EQ(owner.grid.GetCellText(1, 0), "o'k;1");
}

// A table written again keeps its file as it was until every row is in:
// an export that fails on the way leaves the old rows in place.
TEST_F(PartsListSqlTest, AFailedExportKeepsTheTableItWasToReplace) {
  Typed({{"名称", kFieldChar}, {"件数", kFieldInteger}}, {"a;2", "b;1"});
  owner.structure[0].width = 4;
  const CStringA file = File("keep.dbf");
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
  auto rowsOf = [&](const CStringA& path) {
    CStringArray rows;
    CFieldArray structure;
    EXPECT_TRUE(owner.grid.ReadDbfTable(path, rows, structure));
    return std::vector<CStringA>(rows.GetData(), rows.GetData() + rows.GetSize());
  };
  const std::vector<CStringA> before{"a;2", "b;1"};
  ASSERT_EQ(rowsOf(file), before);

  struct Case {
    std::vector<const char*> rows;
    std::vector<std::pair<const char*, int>> fields;
  };
  const Case cases[] = {
      {{"c;3", "much too long;4"}, {{"名称", kFieldChar}, {"件数", kFieldInteger}}},  // a row the file refuses
      {{"c;3"}, {{"名称", kFieldChar}, {"名称(kg)", kFieldInteger}}},               // a table that cannot be made
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows.back());
    Typed(c.fields, c.rows);
    owner.structure[0].width = 4;
    boxes.clear();
    EXPECT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 0);
    EXPECT_EQ(boxes.size(), 1u);  // the driver's message
    EXPECT_EQ(rowsOf(file), before);
  }
  Typed({{"名称", kFieldChar}, {"件数", kFieldInteger}}, {"d;5"});
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
  EXPECT_EQ(rowsOf(file), std::vector<CStringA>{"d;5"});
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir_)) files += e.is_regular_file();
  EXPECT_EQ(files, 1u);  // nothing left beside it
}

TEST_F(PartsListSqlTest, SortTotalsAndLookups) {
  Typed({{"名称", kFieldChar}, {"件数", kFieldInteger}, {"重量", kFieldFloat}},
        {"b'x;2;1.5", "a;10;2.25", "c;3;0"});
  const CStringA file = File("sort.dbf");
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
  ASSERT_TRUE(owner.grid.SortTable(file, "件数", 1, owner.structure));
  EXPECT_EQ(Column(owner.grid, 0), (std::vector<CStringA>{"a", "c", "b'x"}));
  ASSERT_TRUE(owner.grid.SortTable(file, "件数", 0, owner.structure));
  EXPECT_EQ(Column(owner.grid, 0), (std::vector<CStringA>{"b'x", "c", "a"}));

  CArray<int, int> columns;
  columns.Add(1);
  columns.Add(2);
  ASSERT_TRUE(owner.grid.QueryTotals(file, "SUM(件数),SUM(重量)", columns, owner.structure));
  ASSERT_EQ(owner.grid.GetItemCount(), 4);
  EXPECT_EQ(owner.grid.GetCellText(3, 0), "总计");
  EXPECT_EQ(owner.grid.GetCellText(3, 1), "15");
  EXPECT_EQ(owner.grid.GetCellText(3, 2), "3.75");
  // A total row already there is filled again, not added.
  ASSERT_TRUE(owner.grid.QueryTotals(file, "SUM(件数),SUM(重量)", columns, owner.structure));
  EXPECT_EQ(owner.grid.GetItemCount(), 4);

  // A key with a quote finds its row; numbers come with the decimals.
  ASSERT_TRUE(owner.grid.LookupRow(file, "名称", "b'x", 3, owner.structure));
  EXPECT_EQ(owner.grid.GetCellText(3, 1), "2");
  EXPECT_EQ(owner.grid.GetCellText(3, 2), "1.50");
  EXPECT_FALSE(owner.grid.LookupRow(file, "名称", "none", 3, owner.structure));
  CArray<int, int> targets;
  targets.Add(0);
  ASSERT_TRUE(owner.grid.LookupColumns(file, "件数", "10", "名称", 0, targets, owner.structure));
  EXPECT_EQ(owner.grid.GetCellText(0, 0), "a");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(PartsListSqlTest, RelationsComputeTheirTargetColumn) {
  CSystemDataScratch scratch;
  Typed({{"规格", kFieldChar}, {"件数", kFieldInteger}, {"总长", kFieldFloat}}, {"Φ12;2; ", "Φ8;3; "});
  const CStringA file = File("relation.dbf");
  const struct {
    const char* formula;
    std::vector<CStringA> third;
    std::vector<CStringA> boxes;
  } cases[] = {
      {"a3=a1*a2", {"24.00", "24.00"}, {}},
      {"a3=a2*0.00001", {"0.00", "0.00"}, {}},
      {"a3 a1", {" ", " "}, {"关系式有误!"}},
      {"b1=a1", {" ", " "}, {"关系式有误!"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    boxes.clear();
    owner.grid.SetItemText(0, 2, " ");
    owner.grid.SetItemText(1, 2, " ");
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      EXPECT_TRUE(s.EnterText(CColumnRelationDlg::kFormulaCombo, CStringA(c.formula)));
      EXPECT_TRUE(s.Click(IDOK));
    });
    CModalDialogScope scope(nullptr);
    owner.grid.ComputeRelation(file, owner.structure, 0);
    EXPECT_EQ(Column(owner.grid, 2), c.third);
    EXPECT_EQ(boxes, c.boxes);
  }
}

TEST_F(PartsListSqlTest, ARelationsResultsGoBackToTheRowsTheyWereComputedFrom) {
  CSystemDataScratch scratch;
  // The export leaves out the blank rows before the first with data.
  Typed({{"规格", kFieldChar}, {"件数", kFieldInteger}, {"总长", kFieldFloat}},
        {" ; ; ", " ; ; ", "Φ12;2; ", " ; ; ", "Φ8;3; "});
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    EXPECT_TRUE(s.EnterText(CColumnRelationDlg::kFormulaCombo, CStringA("a3=a1+a2")));
    EXPECT_TRUE(s.Click(IDOK));
  });
  CModalDialogScope scope(nullptr);
  ASSERT_TRUE(owner.grid.ComputeRelation(File("leading.dbf"), owner.structure, 0));
  EXPECT_EQ(Column(owner.grid, 2), (std::vector<CStringA>{" ", " ", "14.00", "0.00", "11.00"}));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(PartsListSqlTest, AStatementTheDriverRefusesShowsItsMessage) {
  Typed({{"名称", kFieldChar}}, {"x"});
  EXPECT_FALSE(owner.grid.SortTable(File("missing.dbf"), "名称", 0, owner.structure));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_GE(boxes[0].Find("no such table"), 0);
  CFieldArray structure;
  boxes.clear();
  EXPECT_FALSE(owner.grid.ReadDbfStructure(File("missing.dbf"), structure));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "数据库文件" + File("missing.dbf") + "\n不存在!");
}

// Clearing the process-wide flag is for good, so it runs in a process of
// its own.
TEST(PartsListSqlDeathTest, AMissingDataSourceTurnsOdbcOffForTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ::setenv("ODBCINI", "/nonexistent/odbc.ini", 1);
        ::setenv("ODBCSYSINI", "/nonexistent", 1);
        bool ok = CPartsListCtrl::GetDataSourceFlag() == 1 && !CPartsListCtrl::IsDataSourceAvailable() &&
                  CPartsListCtrl::GetDataSourceFlag() == 0;
        // Back in place, the data source is still not tried again.
        ::unsetenv("ODBCINI");
        SQLHENV env;
        SQLHDBC dbc;
        SQLHSTMT stmt;
        ok = ok && !CPartsListCtrl::IsDataSourceAvailable() && !CPartsListCtrl::Connect(env, dbc, stmt) &&
             env == SQL_NULL_HENV;
        std::exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(CPartsListCtrl::GetDataSourceFlag(), 1);
}

}  // namespace

namespace {

// Positioned changes through a bulk rowset reach the dBase file. The
// driver changes and deletes rows it can find again by their row id, so the
// query selects it, and adds rows of queries of every column.
TEST_F(PartsListSqlTest, PositionedChangesOfARowsetReachTheFile) {
  Typed({{"名称", kFieldChar}, {"件数", kFieldInteger}}, {"a;1", "b;2", "c;3"});
  const CStringA file = File("setpos.dbf");
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
  CDatabase db;
  ASSERT_TRUE(db.OpenEx("DSN=Qelvo"));
  {
    CDynamicBulkSet rs(&db);
    rs.SetRowsetSize(2);
    ASSERT_TRUE(rs.Open(CRecordset::dynaset, "SELECT 名称, rowid FROM " + file, CRecordset::useMultiRowFetch));
    ASSERT_EQ(rs.GetRowsFetched(), 2u);
    EXPECT_TRUE(rs.CheckRowStatus(0, SQL_ROW_SUCCESS));
    EXPECT_TRUE(rs.DeleteRow(1));
    std::strcpy(rs.GetValueBuffer(0, 1), "改");
    *rs.GetLengthBuffer(0, 1) = SQL_NTS;
    EXPECT_TRUE(rs.UpdateRow(2));
    EXPECT_TRUE(rs.CheckRowStatus(2, SQL_ROW_UPDATED));
    EXPECT_FALSE(rs.CheckRowStatus(0, SQL_ROW_UPDATED));
  }
  {
    CDynamicBulkSet rs(&db);
    rs.SetRowsetSize(1);
    ASSERT_TRUE(rs.Open(CRecordset::dynaset, "SELECT * FROM " + file, CRecordset::useMultiRowFetch));
    std::strcpy(rs.GetValueBuffer(0, 0), "d");
    *rs.GetLengthBuffer(0, 0) = SQL_NTS;
    *rs.GetLengthBuffer(1, 0) = SQL_NULL_DATA;
    EXPECT_TRUE(rs.AddRow(1)) << CStringA(platform::odbc::MakeDBException(0, &db, rs.m_hstmt).m_strError);
  }
  CStringArray rows;
  CFieldArray structure;
  ASSERT_TRUE(owner.grid.ReadDbfTable(file, rows, structure));
  std::vector<CStringA> texts(rows.GetData(), rows.GetData() + rows.GetSize());
  EXPECT_EQ(texts, (std::vector<CStringA>{"改;2", "c;3", "d; "}));
}

}  // namespace

namespace {

// A table of the data source's folder is the same table to isql: what the
// grid exports isql reads at once, and rows isql adds, changes and deletes
// are at once in the file the host's recordset reads and in the driver's
// queries of the grid.
TEST_F(PartsListSqlTest, ATableOfTheDataSourceIsSharedWithIsql) {
  Typed({{"名称", kFieldChar}, {"件数", kFieldInteger}}, {"螺栓;1", "b;2", "c;3"});
  const std::string name = "scrivel_grid_" + std::to_string(::getpid());
  const std::string path = odbc_test::DataSourceFolder() + "/" + name + ".dbf";
  const CStringA file(path.c_str());
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
  // isql's statements and lines are UTF-8; the test's texts are GBK.
  using Lines = std::vector<std::string>;
  auto isql = [](const Lines& statements) {
    Lines utf8, printed;
    for (const std::string& s : statements) utf8.push_back(platform::GbkToUtf8(s));
    for (const std::string& line : odbc_test::RunIsql(utf8)) printed.push_back(platform::Utf8ToGbk(line));
    return printed;
  };
  EXPECT_EQ(isql({"SELECT * FROM " + name}), (Lines{"名称|件数", "螺栓|1", "b|2", "c|3"}));

  EXPECT_EQ(isql({"INSERT INTO " + name + " VALUES('垫圈',4)", "UPDATE " + name + " SET 件数=20 WHERE 名称='b'",
                  "DELETE FROM " + name + " WHERE 件数=3"}),
            Lines{});
  CStringArray rows;
  CFieldArray structure;
  ASSERT_TRUE(owner.grid.ReadDbfTable(file, rows, structure));
  EXPECT_EQ(std::vector<CStringA>(rows.GetData(), rows.GetData() + rows.GetSize()),
            (std::vector<CStringA>{"螺栓;1", "b;20", "垫圈;4"}));
  ASSERT_TRUE(owner.grid.SortTable(file, "件数", 1, owner.structure));
  EXPECT_EQ(Column(owner.grid, 0), (std::vector<CStringA>{"b", "垫圈", "螺栓"}));
  std::remove(path.c_str());
}

TEST_F(PartsListSqlTest, AFileNameWithBlanksAndQuotesIsOneTable) {
  Typed({{"名称", kFieldChar}, {"件数", kFieldInteger}}, {"a;2", "b;1"});
  const CStringA file = File("a b'c.dbf");
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
  ASSERT_TRUE(owner.grid.SortTable(file, "件数", 0, owner.structure));
  EXPECT_EQ(Column(owner.grid, 0), (std::vector<CStringA>{"b", "a"}));
  EXPECT_TRUE(boxes.empty());
}

// Full-width letters and brackets in a file's name are the file's own: the
// table is written to the file named, not to one of a cleaned name.
TEST_F(PartsListSqlTest, AFileNameWithFullWidthCharactersIsWrittenAsNamed) {
  Typed({{"名称", kFieldChar}, {"件数", kFieldInteger}}, {"a;2", "b;1"});
  // The literals of this file are GBK already.
  const CStringA folder = CStringA(dir_.c_str()) + "/";
  const CStringA file = folder + "表（ＡＢ）.dbf";
  for (int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, mode, 2, 0, -1, 0), 2);
    CStringArray rows;
    CFieldArray structure;
    ASSERT_TRUE(owner.grid.ReadDbfTable(file, rows, structure));
    EXPECT_EQ(std::vector<CStringA>(rows.GetData(), rows.GetData() + rows.GetSize()),
              (std::vector<CStringA>{"a;2", "b;1"}));
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/" + platform::GbkToUtf8("表(AB).dbf")));
  ASSERT_TRUE(owner.grid.CreateTableFromStructure(folder + "（空）.dbf", owner.structure, 2));
  CFieldArray empty;
  ASSERT_TRUE(owner.grid.ReadDbfStructure(folder + "（空）.dbf", empty));
  EXPECT_EQ(empty.GetSize(), 2);
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
