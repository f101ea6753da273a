#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/DeleteFile.h"
#include "platform/odbc/DbaseFile.h"
#include "platform/odbc/tests/OdbcTestSupport.h"

using odbc_test::Connection;
using odbc_test::Gbk;
using odbc_test::Rows;
using odbc_test::TempDir;
using platform::odbc::DbaseField;
using platform::odbc::DbaseFile;
using platform::odbc::DbaseValue;

namespace {

TEST(OdbcApiTest, ATableCreatedAndFilledIsADbaseFileReadBackThroughSql) {
  TempDir dir;
  Connection c;
  ASSERT_TRUE(c.connected);
  const std::string file = dir.File("parts.dbf");
  ASSERT_EQ(c.Exec("CREATE TABLE " + file + "(" + Gbk("名称") + " Char(20),a2 Numeric(15,2),a3 Integer)"),
            SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('" + Gbk("螺栓") + " M8',12.5,3)"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('it''s;ok',0.0,0)"), SQL_SUCCESS) << c.Message();

  // The file holds the fields and the rows, in GBK.
  auto dbf = DbaseFile::Open(file, false);
  ASSERT_TRUE(dbf);
  ASSERT_EQ(dbf->Fields().size(), 3u);
  EXPECT_EQ(dbf->Fields()[0].name, Gbk("名称"));
  EXPECT_EQ(dbf->Fields()[0].type, 'C');
  EXPECT_EQ(dbf->Fields()[0].width, 20);
  EXPECT_EQ(dbf->Fields()[1].type, 'N');
  EXPECT_EQ(dbf->Fields()[1].width, 15);
  EXPECT_EQ(dbf->Fields()[1].decimals, 2);
  EXPECT_EQ(dbf->Fields()[2].decimals, 0);
  ASSERT_EQ(dbf->RecordCount(), 2);
  EXPECT_EQ(dbf->ReadRecord(0)[0].text, Gbk("螺栓") + " M8");
  EXPECT_EQ(dbf->ReadRecord(0)[1].text, "12.50");
  EXPECT_EQ(dbf->ReadRecord(1)[0].text, "it's;ok");

  // A new connection loads the file afresh.
  Connection d;
  ASSERT_EQ(d.Exec("SELECT * FROM " + file + " ORDER BY a2 DESC"), SQL_SUCCESS) << d.Message();
  auto rows = Rows(d);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], Gbk("螺栓") + " M8");
  EXPECT_EQ(rows[0][2], "3");
  EXPECT_EQ(rows[1][0], "it's;ok");
  SQLCHAR name[32] = {};
  SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
  SQLULEN size = 0;
  ASSERT_EQ(SQLDescribeCol(d.stmt, 1, name, sizeof name, &nameLength, &type, &size, &digits, &nullable), SQL_SUCCESS);
  EXPECT_EQ(reinterpret_cast<char*>(name), Gbk("名称"));
}

TEST(OdbcApiTest, AFileChangedOutsideIsLoadedAgainAndDeletedRecordsAreLeftOut) {
  TempDir dir;
  const std::string file = dir.File("ext.dbf");
  std::string error, state;
  auto write = [&](std::vector<std::string> values, int deleted) {
    auto dbf = DbaseFile::Create(file, {{"A1", 'C', 10, 0}}, error);
    ASSERT_TRUE(dbf) << error;
    for (const std::string& v : values) ASSERT_TRUE(dbf->AppendRecord({{false, v}}, state, error)) << error;
    dbf.reset();
    if (deleted >= 0) {
      // The deleted flag is the first byte of a record.
      std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
      unsigned char header[12];
      f.read(reinterpret_cast<char*>(header), sizeof header);
      int headerSize = header[8] | header[9] << 8, recordSize = header[10] | header[11] << 8;
      f.seekp(headerSize + deleted * recordSize);
      f.put('*');
    }
  };
  write({"a", "b", "c"}, 1);
  Connection c;
  ASSERT_EQ(c.Exec("SELECT A1 FROM " + file), SQL_SUCCESS) << c.Message();
  auto rows = Rows(c);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1][0], "c");
  write({"x", "y", "z", "w"}, -1);
  ASSERT_EQ(c.Exec("SELECT A1 FROM " + file), SQL_SUCCESS) << c.Message();
  EXPECT_EQ(Rows(c).size(), 4u);
  // A file removed is a table no more.
  ASSERT_TRUE(DeleteFileA(file.c_str()));
  EXPECT_EQ(c.Exec("SELECT A1 FROM " + file), SQL_ERROR);
  EXPECT_NE(c.Message().find("no such table"), std::string::npos) << c.Message();
}

TEST(OdbcApiTest, AValueTheFileCannotHoldFailsTheInsertAndLeavesBothAsTheyWere) {
  TempDir dir;
  Connection c;
  const std::string file = dir.File("narrow.dbf");
  ASSERT_EQ(c.Exec("CREATE TABLE " + file + "(a1 Char(4),a2 Numeric(5,1))"), SQL_SUCCESS) << c.Message();
  const struct {
    const char* values;
    const char* state;
  } cases[] = {{"'abcde',1", "22001"},
               {"'ab',123456", "22003"},
               {"'ab','x1'", "22018"},
               {"'ab','inf'", "22018"},  // a numeric field holds finite numbers only
               {"'ab','nan'", "22018"},
               {"'ab',1),('abcde',2", "22001"}};  // a row that fits does not go in without the other
  for (const auto& k : cases) {
    SCOPED_TRACE(k.values);
    EXPECT_EQ(c.Exec("INSERT INTO " + file + " VALUES(" + k.values + ")"), SQL_ERROR);
    EXPECT_EQ(c.State(), k.state);
  }
  ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('abcd',12.3)"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("SELECT * FROM " + file), SQL_SUCCESS);
  EXPECT_EQ(Rows(c).size(), 1u);
  EXPECT_EQ(DbaseFile::Open(file, false)->RecordCount(), 1);
  // An update the file cannot hold: the table shows the file's row again.
  EXPECT_EQ(c.Exec("UPDATE " + file + " SET a1='abcde'"), SQL_ERROR);
  EXPECT_EQ(c.State(), "22001");
  ASSERT_EQ(c.Exec("SELECT a1 FROM " + file), SQL_SUCCESS);
  EXPECT_EQ(Rows(c), std::vector<std::vector<std::string>>{{"abcd"}});
  EXPECT_EQ(DbaseFile::Open(file, false)->ReadRecord(0)[0].text, "abcd");
}

TEST(OdbcApiTest, UpdateDeleteAndDropWriteTheFile) {
  TempDir dir;
  Connection c;
  const std::string file = dir.File("t.dbf");
  ASSERT_EQ(c.Exec("CREATE TABLE " + file + "(a1 Char(8),a2 Integer)"), SQL_SUCCESS);
  for (int i = 0; i < 5; ++i)
    ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('r" + std::to_string(i) + "'," + std::to_string(i) + ")"),
              SQL_SUCCESS);
  ASSERT_EQ(c.Exec("UPDATE " + file + " SET a1='u' WHERE a2>=3"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("DELETE FROM " + file + " WHERE a2<2"), SQL_SUCCESS) << c.Message();
  auto dbf = DbaseFile::Open(file, false);
  ASSERT_EQ(dbf->RecordCount(), 3);
  EXPECT_EQ(dbf->ReadRecord(0)[0].text, "r2");
  EXPECT_EQ(dbf->ReadRecord(2)[0].text, "u");
  dbf.reset();
  ASSERT_EQ(c.Exec("DROP TABLE " + file), SQL_SUCCESS) << c.Message();
  struct stat st;
  EXPECT_NE(::stat(file.c_str(), &st), 0);
}

// A read-only table file is read as any other, but every statement that
// would change it fails and leaves the file and the table as they were.
TEST(OdbcApiTest, AReadOnlyTableIsReadButNeverChanged) {
  TempDir dir;
  Connection c;
  const std::string file = dir.File("locked.dbf");
  ASSERT_EQ(c.Exec("CREATE TABLE " + file + "(a1 Char(8),a2 Integer)"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('r1',1)"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('r2',2)"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  auto bytes = [&file] {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string before = bytes();
  const std::vector<std::vector<std::string>> rows = {{"r1", "1"}, {"r2", "2"}};

  for (const std::string& sql : {"INSERT INTO " + file + " VALUES('r3',3)", "UPDATE " + file + " SET a1='u'",
                                 "DELETE FROM " + file + " WHERE a2=1", "DROP TABLE " + file}) {
    SCOPED_TRACE(sql);
    EXPECT_EQ(c.Exec(sql), SQL_ERROR);
    EXPECT_EQ(c.State(), "HY000");
    EXPECT_NE(c.Message().find("read-only"), std::string::npos) << c.Message();
    EXPECT_EQ(bytes(), before);
    ASSERT_EQ(c.Exec("SELECT a1, a2 FROM " + file + " ORDER BY a2"), SQL_SUCCESS) << c.Message();
    EXPECT_EQ(Rows(c), rows);
  }

  // A writable table in a folder where nothing may be deleted is not dropped
  // either (the superuser gets through, so only others can see it).
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    EXPECT_EQ(c.Exec("DROP TABLE " + file), SQL_ERROR);
    EXPECT_EQ(c.State(), "HY000");
    ::chmod(dir.path().c_str(), 0755);
    ASSERT_EQ(c.Exec("SELECT a1, a2 FROM " + file + " ORDER BY a2"), SQL_SUCCESS) << c.Message();
    EXPECT_EQ(Rows(c), rows);
  }
}

TEST(OdbcApiTest, BareNamesAreFilesOfTheDataSourceFolder) {
  Connection c;
  std::string name = "scrivel_odbc_test_" + std::to_string(::getpid());
  ASSERT_EQ(c.Exec("CREATE TABLE " + name + "(a1 Char(3))"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + name + ".dbf VALUES('x')"), SQL_SUCCESS) << c.Message();
  std::string folder = std::getenv("ODBCSYSINI") ? std::string(std::getenv("ODBCSYSINI")) + "/Qelvo" : ".";
  struct stat st;
  EXPECT_EQ(::stat((folder + "/" + name + ".dbf").c_str(), &st), 0);
  ASSERT_EQ(c.Exec("DROP TABLE " + name), SQL_SUCCESS) << c.Message();
}

TEST(OdbcApiTest, BulkFetchFillsRowsetsAndCountsThem) {
  TempDir dir;
  Connection c;
  const std::string file = dir.File("bulk.dbf");
  ASSERT_EQ(c.Exec("CREATE TABLE " + file + "(a1 Char(10))"), SQL_SUCCESS);
  for (int i = 0; i < 10; ++i)
    ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('" + Gbk("行") + std::to_string(i) + "')"), SQL_SUCCESS);
  SQLFreeStmt(c.stmt, SQL_CLOSE);
  SQLULEN fetched = 0;
  SQLUSMALLINT status[4] = {};
  char values[4][8] = {};
  SQLLEN lengths[4] = {};
  ASSERT_EQ(SQLSetStmtAttr(c.stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(4), 0), SQL_SUCCESS);
  SQLSetStmtAttr(c.stmt, SQL_ATTR_ROW_STATUS_PTR, status, 0);
  SQLSetStmtAttr(c.stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
  ASSERT_EQ(c.Exec("SELECT a1 FROM " + file), SQL_SUCCESS);
  ASSERT_EQ(SQLBindCol(c.stmt, 1, SQL_C_CHAR, values, sizeof values[0], lengths), SQL_SUCCESS);
  std::vector<SQLULEN> counts;
  std::vector<std::string> all;
  while (SQL_SUCCEEDED(SQLFetch(c.stmt))) {
    counts.push_back(fetched);
    for (SQLULEN i = 0; i < fetched; ++i) {
      EXPECT_EQ(status[i], SQL_ROW_SUCCESS);
      EXPECT_EQ(lengths[i], 3);  // GBK: two bytes and a digit
      all.push_back(values[i]);
    }
  }
  EXPECT_EQ(counts, (std::vector<SQLULEN>{4, 4, 2}));
  ASSERT_EQ(all.size(), 10u);
  EXPECT_EQ(all[9], Gbk("行") + "9");
}

// Positioned changes of one rowset and of the next keep reaching the rows
// fetched, though a delete writes the file again without the row.
TEST(OdbcApiTest, PositionedChangesReachTheRowsFetchedAcrossRowsets) {
  TempDir dir;
  Connection c;
  const std::string file = dir.File("rowsets.dbf");
  ASSERT_EQ(c.Exec("CREATE TABLE " + file + "(a1 Char(4))"), SQL_SUCCESS) << c.Message();
  for (const char* v : {"r0", "r1", "r2", "r3", "r4"})
    ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('" + v + "')"), SQL_SUCCESS) << c.Message();
  SQLFreeStmt(c.stmt, SQL_CLOSE);
  ASSERT_EQ(SQLSetStmtAttr(c.stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(2), 0), SQL_SUCCESS);
  ASSERT_EQ(SQLSetStmtAttr(c.stmt, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_LOCK), 0),
            SQL_SUCCESS);
  ASSERT_EQ(c.Exec("SELECT a1, rowid FROM " + file), SQL_SUCCESS) << c.Message();
  char values[2][8] = {}, rowids[2][24] = {};
  SQLLEN lengths[2] = {}, rowidLengths[2] = {};
  ASSERT_EQ(SQLBindCol(c.stmt, 1, SQL_C_CHAR, values, sizeof values[0], lengths), SQL_SUCCESS);
  ASSERT_EQ(SQLBindCol(c.stmt, 2, SQL_C_CHAR, rowids, sizeof rowids[0], rowidLengths), SQL_SUCCESS);
  ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(c.stmt)));
  ASSERT_EQ(SQLSetPos(c.stmt, 1, SQL_DELETE, SQL_LOCK_NO_CHANGE), SQL_SUCCESS) << c.Message();  // r0
  ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(c.stmt)));                                                   // r2, r3
  EXPECT_EQ(std::string(values[1]), "r3");
  std::strcpy(values[1], "u3");
  lengths[1] = SQL_NTS;
  ASSERT_EQ(SQLSetPos(c.stmt, 2, SQL_UPDATE, SQL_LOCK_NO_CHANGE), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(SQLSetPos(c.stmt, 1, SQL_DELETE, SQL_LOCK_NO_CHANGE), SQL_SUCCESS) << c.Message();  // r2
  SQLFreeStmt(c.stmt, SQL_UNBIND);
  SQLSetStmtAttr(c.stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
  ASSERT_EQ(c.Exec("SELECT a1 FROM " + file), SQL_SUCCESS) << c.Message();
  EXPECT_EQ(Rows(c), (std::vector<std::vector<std::string>>{{"r1"}, {"u3"}, {"r4"}}));
  EXPECT_EQ(DbaseFile::Open(file, false)->RecordCount(), 3);
}

TEST(OdbcApiTest, APositionedUpdateRefusedForAValueTooLongInUtf8LeavesEveryBufferAsItWas) {
  TempDir dir;
  Connection c;
  const std::string file = dir.File("setpos.dbf");
  ASSERT_EQ(c.Exec("CREATE TABLE " + file + "(a1 Char(8),a2 Char(8),a3 Char(8))"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('x','y','z')"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("SELECT a1, a2, a3 FROM " + file), SQL_SUCCESS) << c.Message();
  // The second column's buffer holds its GBK value, not the value in UTF-8;
  // the columns before and after it fit.
  char first[16] = {}, second[3] = {}, third[16] = {};
  SQLLEN lengths[3] = {};
  ASSERT_EQ(SQLBindCol(c.stmt, 1, SQL_C_CHAR, first, sizeof first, &lengths[0]), SQL_SUCCESS);
  ASSERT_EQ(SQLBindCol(c.stmt, 2, SQL_C_CHAR, second, sizeof second, &lengths[1]), SQL_SUCCESS);
  ASSERT_EQ(SQLBindCol(c.stmt, 3, SQL_C_CHAR, third, sizeof third, &lengths[2]), SQL_SUCCESS);
  ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(c.stmt)));
  const std::string value = Gbk("长");
  for (char* buffer : {first, second, third}) std::strcpy(buffer, value.c_str());
  for (SQLLEN& length : lengths) length = SQL_NTS;

  EXPECT_EQ(SQLSetPos(c.stmt, 1, SQL_UPDATE, SQL_LOCK_NO_CHANGE), SQL_ERROR);
  EXPECT_EQ(c.State(), "22001");
  EXPECT_EQ(std::string(first), value);
  EXPECT_EQ(std::string(second), value);
  EXPECT_EQ(std::string(third), value);
  for (SQLLEN length : lengths) EXPECT_EQ(length, SQL_NTS);
}

TEST(OdbcApiTest, DiagnosticsAndHandles) {
  Connection c;
  EXPECT_EQ(c.Exec("SELEC nonsense"), SQL_ERROR);
  SQLCHAR state[6] = {}, message[8] = {};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  // A message longer than the buffer is cut and says so.
  EXPECT_EQ(SQLError(c.env, c.dbc, c.stmt, state, &native, message, sizeof message, &length), SQL_SUCCESS_WITH_INFO);
  EXPECT_GT(length, 7);
  EXPECT_EQ(std::strlen(reinterpret_cast<char*>(message)), 7u);
  EXPECT_EQ(SQLError(c.env, c.dbc, c.stmt, state, &native, message, sizeof message, &length), SQL_NO_DATA);

  int notAHandle = 0;
  EXPECT_EQ(SQLExecDirect(&notAHandle, message, SQL_NTS), SQL_INVALID_HANDLE);
  EXPECT_EQ(SQLFreeHandle(SQL_HANDLE_DBC, c.dbc), SQL_ERROR);  // still connected

  SQLHDBC dbc = nullptr;
  SQLAllocHandle(SQL_HANDLE_DBC, c.env, &dbc);
  SQLCHAR dsn[] = "NoSuchSource", empty[] = "";
  EXPECT_EQ(SQLConnect(dbc, dsn, SQL_NTS, empty, SQL_NTS, empty, SQL_NTS), SQL_ERROR);
  EXPECT_EQ(SQLGetDiagRec(SQL_HANDLE_DBC, dbc, 1, state, &native, message, sizeof message, &length), SQL_SUCCESS_WITH_INFO);
  EXPECT_STREQ(reinterpret_cast<char*>(state), "IM002");
  SQLHSTMT stmt = nullptr;
  EXPECT_EQ(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt), SQL_ERROR);
  EXPECT_EQ(SQLFreeHandle(SQL_HANDLE_DBC, dbc), SQL_SUCCESS);
}

TEST(OdbcApiTest, DeleteFileRemovesFilesOnly) {
  TempDir dir;
  std::ofstream(dir.File("a.dbf")) << "x";
  EXPECT_TRUE(DeleteFileA(dir.File("A.DBF").c_str()));  // resolved without regard to case
  EXPECT_FALSE(DeleteFileA(dir.File("a.dbf").c_str()));
  EXPECT_FALSE(DeleteFileA(dir.path().c_str()));
}

}  // namespace

namespace {

TEST(OdbcApiTest, LongFieldNamesAreCutOnACharacterBoundaryInFileAndTable) {
  TempDir dir;
  Connection c;
  const std::string file = dir.File("names.dbf");
  // 12 bytes of GBK: the file keeps 10, five whole characters.
  ASSERT_EQ(c.Exec("CREATE TABLE " + file + "(" + Gbk("材料名称规格") + " Char(4),x" + Gbk("材料名称规") + " Char(4))"),
            SQL_SUCCESS) << c.Message();
  auto dbf = DbaseFile::Open(file, false);
  ASSERT_TRUE(dbf);
  EXPECT_EQ(dbf->Fields()[0].name, Gbk("材料名称规"));
  EXPECT_EQ(dbf->Fields()[1].name, "x" + Gbk("材料名称"));  // 11 bytes would split the last character
  dbf.reset();
  ASSERT_EQ(c.Exec("INSERT INTO " + file + " VALUES('a','b')"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("SELECT " + Gbk("材料名称规") + " FROM " + file), SQL_SUCCESS) << c.Message();
  auto rows = Rows(c);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], "a");
}

}  // namespace
