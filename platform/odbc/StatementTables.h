// Finds the table names of an SQL statement (GBK text): what the statement
// does and where each table name stands, so that the names can be replaced
// and their dBase files kept in step with the statement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::odbc {

enum class StatementKind { kOther, kSelect, kInsert, kCreateTable, kDropTable, kUpdate, kDelete };

struct TableReference {
  size_t begin = 0;  // the name's bytes in the statement, quotes included
  size_t end = 0;
  std::string name;  // without its quotes
  bool target = false;  // the table the statement creates, drops or changes
};

struct StatementTables {
  StatementKind kind = StatementKind::kOther;
  std::vector<TableReference> tables;
};

// Table names follow FROM, JOIN, INTO, UPDATE and CREATE/DROP TABLE; a name
// is quoted ("...", `...`, [...]) or runs to the next blank, ',', '(', ')'
// or ';' (so a path is one name). Literals and quoted names are skipped as
// wholes; a GBK trail byte is never taken for punctuation.
StatementTables FindStatementTables(std::string_view sql);

}  // namespace platform::odbc
