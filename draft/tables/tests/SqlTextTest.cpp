#include "draft/tables/SqlText.h"

#include <gtest/gtest.h>

namespace {

TEST(SqlTextTest, LiteralsNamesAndNumbers) {
  const struct {
    const char* in;
    const char* quoted;
    const char* table;
    bool number;
  } cases[] = {
      {"abc", "'abc'", "abc", false},
      {"it's", "'it''s'", "\"it's\"", false},
      {"''", "''''''", "\"''\"", false},
      {"/tmp/a b/t.dbf", "'/tmp/a b/t.dbf'", "\"/tmp/a b/t.dbf\"", false},
      {"/tmp/x\"y.dbf", "'/tmp/x\"y.dbf'", "\"/tmp/x\"\"y.dbf\"", false},
      {"表(1).dbf", "'表(1).dbf'", "\"表(1).dbf\"", false},
      {" 12.5 ", "' 12.5 '", "\" 12.5 \"", true},
      {"-1e3", "'-1e3'", "-1e3", true},
      {"1-2", "'1-2'", "1-2", false},
      {"1) OR (1=1", "'1) OR (1=1'", "\"1) OR (1=1\"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(SqlQuoted(c.in), c.quoted);
    EXPECT_EQ(SqlTableName(c.in), c.table);
    EXPECT_EQ(IsSqlNumber(c.in), c.number ? TRUE : FALSE);
  }
}

}  // namespace
