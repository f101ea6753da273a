#include "platform/odbc/StatementTables.h"

#include <gtest/gtest.h>

#include "platform/core/Charset.h"

using platform::odbc::FindStatementTables;
using platform::odbc::StatementKind;

namespace {

struct Case {
  const char* sql;
  StatementKind kind;
  std::vector<std::string> names;
  std::vector<bool> targets;
};

TEST(StatementTablesTest, FindsTheTableNamesOfEachKindOfStatement) {
  const Case cases[] = {
      {"SELECT * FROM /tmp/a b.dbf", StatementKind::kSelect, {"/tmp/a"}, {false}},
      {"SELECT a1*a2 FROM /tmp/x/t.dbf WHERE a1='FROM y'", StatementKind::kSelect, {"/tmp/x/t.dbf"}, {false}},
      {"select * from \"/tmp/a b.dbf\" order by a1 DESC", StatementKind::kSelect, {"/tmp/a b.dbf"}, {false}},
      {"SELECT * FROM t1, t2 x WHERE 1", StatementKind::kSelect, {"t1", "t2"}, {false, false}},
      {"SELECT * FROM [C:\\data\\t.dbf] JOIN u ON 1", StatementKind::kSelect, {"C:\\data\\t.dbf", "u"},
       {false, false}},
      {"CREATE TABLE /tmp/q.dbf(a1 Char(13),a2 Numeric(15,2))", StatementKind::kCreateTable, {"/tmp/q.dbf"}, {true}},
      {"DROP TABLE IF EXISTS q", StatementKind::kDropTable, {"q"}, {true}},
      {"INSERT INTO q VALUES('a''FROM b',1)", StatementKind::kInsert, {"q"}, {true}},
      {"INSERT INTO q SELECT * FROM r", StatementKind::kInsert, {"q", "r"}, {true, false}},
      {"UPDATE q SET a1='x'", StatementKind::kUpdate, {"q"}, {true}},
      {"DELETE FROM q WHERE a1=1", StatementKind::kDelete, {"q"}, {true}},
      {"PRAGMA table_info(q)", StatementKind::kOther, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    auto found = FindStatementTables(c.sql);
    EXPECT_EQ(found.kind, c.kind);
    ASSERT_EQ(found.tables.size(), c.names.size());
    for (size_t i = 0; i < c.names.size(); ++i) {
      EXPECT_EQ(found.tables[i].name, c.names[i]);
      EXPECT_EQ(found.tables[i].target, c.targets[i]);
      std::string written(c.sql + found.tables[i].begin, found.tables[i].end - found.tables[i].begin);
      EXPECT_NE(written.find(c.names[i].substr(0, 1)), std::string::npos);
    }
  }
}

TEST(StatementTablesTest, AGbkTrailByteIsNeverTakenForAQuoteOrBracket) {
  // "表" is B1 ED and "犬" is C8 AE; "亚" is D1 C7... choose names whose
  // trail bytes are '[' (0x5B), '`' (0x60) and '\\' (0x5C).
  std::string name = platform::Utf8ToGbk("数据");  // CA FD BE DD
  name += "\x81\x5B\x81\x60\x81\x5C";
  std::string sql = "SELECT * FROM `" + name + ".dbf` WHERE a1='x'";
  auto found = FindStatementTables(sql);
  ASSERT_EQ(found.tables.size(), 1u);
  EXPECT_EQ(found.tables[0].name, name + ".dbf");
}

}  // namespace
