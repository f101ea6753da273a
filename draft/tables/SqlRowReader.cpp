#include "draft/tables/SqlRowReader.h"

CSqlRowReader::CSqlRowReader(SQLHSTMT stmt) : stmt_(stmt) {
  SQLSMALLINT n = 0;
  counted_ = SQL_SUCCEEDED(SQLNumResultCols(stmt_, &n));
  if (counted_) columns_ = n;
}

SQLRETURN CSqlRowReader::Fetch(std::vector<SqlValue>& values) {
  values.assign(columns_, SqlValue());
  if (!counted_) return SQL_ERROR;  // the diagnostic of SQLNumResultCols stays on the statement
  SQLRETURN fetched = SQLFetch(stmt_);
  if (!SQL_SUCCEEDED(fetched)) return fetched;
  for (int c = 0; c < columns_; ++c) {
    SqlValue& v = values[c];
    char piece[512];
    while (true) {
      SQLLEN length = 0;
      SQLRETURN rc = SQLGetData(stmt_, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR, piece, sizeof piece, &length);
      if (rc == SQL_NO_DATA) break;
      if (!SQL_SUCCEEDED(rc)) return rc;
      if (length == SQL_NULL_DATA) break;
      v.null = false;
      v.text += piece;
      // A whole value (the rest of it) fitted: done; otherwise more follows.
      if (rc == SQL_SUCCESS) break;
    }
  }
  return fetched;
}
