// Reads the rows of an executed statement value by value, each value whole
// however long it is (SQLGetData in pieces), so no value is cut to a
// buffer's size.
#pragma once

#include <vector>

#include "platform/core/String.h"
#include "platform/odbc/Sql.h"

struct SqlValue {
  bool null = true;
  CStringA text;
};

class CSqlRowReader {
 public:
  explicit CSqlRowReader(SQLHSTMT stmt);

  int GetColumnCount() const { return columns_; }
  // The next row's values; the fetch's result (SQL_NO_DATA at the end, or
  // the failing result of a fetch or a read, also when the statement's
  // columns could not be counted).
  SQLRETURN Fetch(std::vector<SqlValue>& values);

 private:
  SQLHSTMT stmt_;
  int columns_ = 0;
  bool counted_ = false;
};
