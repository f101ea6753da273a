#include "platform/odbc/Recordset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/odbc/DBException.h"
#include "platform/odbc/tests/OdbcTestSupport.h"

using odbc_test::TempDir;

namespace {

// Two text columns fetched in rowsets.
class TwoColumnSet : public CRecordset {
 public:
  explicit TwoColumnSet(CDatabase* db) : CRecordset(db) {}
  ~TwoColumnSet() override { Close(); }
  void DoBulkFieldExchange(CFieldExchange* fx) override {
    fx->SetFieldType(CFieldExchange::outputColumn);
    RFX_Text_Bulk(fx, "a1", &names, &nameLengths, 12);
    RFX_Text_Bulk(fx, "a2", &values, &valueLengths, 12);
  }
  LPSTR names = nullptr;
  SQLLEN* nameLengths = nullptr;
  LPSTR values = nullptr;
  SQLLEN* valueLengths = nullptr;
};

void MakeTable(CDatabase& db, const std::string& file, int rows) {
  db.ExecuteSQL(("CREATE TABLE " + file + "(a1 Char(10),a2 Integer)").c_str());
  for (int i = 0; i < rows; ++i)
    db.ExecuteSQL(("INSERT INTO " + file + " VALUES('n" + std::to_string(i) + "'," + std::to_string(i * 10) + ")").c_str());
}

TEST(RecordsetTest, BulkRowsetsComeWithTheirCountsAndStatus) {
  TempDir dir;
  CDatabase db;
  ASSERT_TRUE(db.OpenEx("DSN=Qelvo", CDatabase::noOdbcDialog));
  EXPECT_TRUE(db.GetDatabaseName() == CStringW(u"Qelvo"));
  const std::string file = dir.File("rs.dbf");
  MakeTable(db, file, 7);

  TwoColumnSet rs(&db);
  rs.SetRowsetSize(3);
  rs.m_strSort = "a2 DESC";
  ASSERT_TRUE(rs.Open(CRecordset::snapshot, file.c_str(), CRecordset::readOnly | CRecordset::useMultiRowFetch));
  EXPECT_EQ(rs.GetODBCFieldCount(), 2);
  CODBCFieldInfo info;
  rs.GetODBCFieldInfo(1, info);
  EXPECT_STREQ(info.m_strName.GetString(), "a2");
  EXPECT_EQ(info.m_nSQLType, SQL_INTEGER);
  std::vector<DWORD> counts;
  std::vector<std::string> names;
  while (!rs.IsEOF()) {
    counts.push_back(rs.GetRowsFetched());
    for (DWORD i = 0; i < rs.GetRowsFetched(); ++i) {
      EXPECT_EQ(rs.GetRowStatus(static_cast<WORD>(i + 1)), SQL_ROW_SUCCESS);
      names.push_back(rs.names + i * 12);
    }
    rs.MoveNext();
  }
  EXPECT_EQ(counts, (std::vector<DWORD>{3, 3, 1}));
  ASSERT_EQ(names.size(), 7u);
  EXPECT_EQ(names.front(), "n6");
  EXPECT_EQ(names.back(), "n0");
  rs.MoveFirst();
  EXPECT_EQ(std::string(rs.names), "n6");
  rs.Close();
  EXPECT_EQ(rs.names, nullptr);  // the buffers go with the close
}

TEST(RecordsetTest, FailuresThrowWithTheStateText) {
  TempDir dir;
  CDatabase db;
  db.OpenEx("DSN=Qelvo");
  try {
    db.ExecuteSQL(("SELECT * FROM " + dir.File("missing.dbf")).c_str());
    FAIL() << "no exception";
  } catch (CDBException& e) {
    EXPECT_EQ(e.m_nRetCode, SQL_ERROR);
    EXPECT_EQ(e.m_strStateNativeOrigin.Find(u"State:HY000,Native:1,Origin:[SQLite]"), 0);
    EXPECT_GE(e.m_strError.Find(u"no such table"), 0);
  }
  TwoColumnSet rs(&db);
  EXPECT_THROW(rs.Open(CRecordset::forwardOnly, "SELECT nothing FROM nowhere", CRecordset::useMultiRowFetch),
               CDBException);
  EXPECT_FALSE(rs.IsOpen());

  CDatabase none;
  try {
    none.OpenEx("DSN=NoSuchSource", CDatabase::noOdbcDialog);
    FAIL() << "no exception";
  } catch (CDBException& e) {
    EXPECT_GE(e.m_strStateNativeOrigin.Find(u"State:IM002"), 0);
    EXPECT_FALSE(none.IsOpen());
  }
}

}  // namespace
