// The data source's dBase files under failing writes (see
// platform/core/tests/WriteFailureSweep.h): a statement that changes a
// table whose file cannot be written fails with its diagnostic, and the
// file stays as it was: a one-row INSERT (appended in place), an UPDATE
// (the file written again whole) and a CREATE TABLE over no file.
#include <gtest/gtest.h>


#include "OdbcTestSupport.h"
#include "platform/core/tests/WriteFailureSweep.h"

using odbc_test::Connection;
using odbc_test::TempDir;
using testsupport::FileBytes;
using testsupport::SweepWriteFailures;
using testsupport::WriteOutcome;

namespace {

TEST(DbaseWriterFailureTest, StatementsThatChangeATable) {
  TempDir dir;
  const std::string table = dir / "parts.dbf";
  std::string old;
  {
    Connection c;
    ASSERT_TRUE(c.connected);
    ASSERT_TRUE(SQL_SUCCEEDED(c.Exec("CREATE TABLE " + table + " (name Char(8), qty Integer, w Numeric(8,2))")));
    ASSERT_TRUE(SQL_SUCCEEDED(c.Exec("INSERT INTO " + table + " VALUES('" + odbc_test::Gbk("螺栓") + "', 4, 1.5)")));
    ASSERT_TRUE(SQL_SUCCEEDED(c.Exec("INSERT INTO " + table + " VALUES('nut', 8, 0.25)")));
    old = FileBytes(table);
  }
  auto reset = [&] { testsupport::PutFileBytes(table, old); };
  const struct {
    const char* name;
    const char* sql;
  } statements[] = {
      {"one-row INSERT (appended)", "INSERT INTO %s VALUES('washer', 12, 0.05)"},
      {"UPDATE (written whole)", "UPDATE %s SET qty = qty + 1"},
  };
  for (const auto& s : statements) {
    char sql[512];
    std::snprintf(sql, sizeof sql, s.sql, table.c_str());
    SweepWriteFailures(s.name, dir.path(), reset, [&] {
      Connection c;
      const SQLRETURN rc = c.Exec(sql);
      WriteOutcome outcome{SQL_SUCCEEDED(rc), 0};
      if (!outcome.success) outcome.reports = c.State().empty() || c.Message().empty() ? 0 : 1;
      // The table follows its file: a failed statement leaves the rows
      // the file holds.
      if (!outcome.success) {
        SQLINTEGER rows = -1;
        c.Exec("SELECT COUNT(*) FROM " + table + " WHERE qty >= 4");
        SQLFetch(c.stmt);
        SQLGetData(c.stmt, 1, SQL_C_SLONG, &rows, 0, nullptr);
        EXPECT_EQ(rows, 2) << s.name;
      }
      return outcome;
    });
  }
  std::remove(table.c_str());
  const std::string created = dir / "new.dbf";
  SweepWriteFailures("CREATE TABLE", dir.path(), [&] { std::remove(created.c_str()); }, [&] {
    Connection c;
    const SQLRETURN rc = c.Exec("CREATE TABLE " + created + " (a Char(4), b Integer)");
    return WriteOutcome{SQL_SUCCEEDED(rc), SQL_SUCCEEDED(rc) || c.Message().empty() ? 0 : 1};
  });
}

}  // namespace
