// A temporary folder and a connection to the data source "Qelvo" for the
// ODBC tests (the build's ODBC set-up is in the tests' environment).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/odbc/Sql.h"
#include "platform/testsupport/ScratchFolder.h"

namespace odbc_test {

using TempDir = testsupport::ScratchFolder;

// Environment, connection and statement on "Qelvo", freed at the end.
class Connection {
 public:
  Connection() {
    SQLAllocHandle(SQL_HANDLE_ENV, nullptr, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    SQLCHAR dsn[] = "Qelvo", empty[] = "";
    connected = SQL_SUCCEEDED(SQLConnect(dbc, dsn, SQL_NTS, empty, SQL_NTS, empty, SQL_NTS));
    if (connected) SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
  }
  ~Connection() {
    if (stmt) SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    if (connected) SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
  }
  // Executes a GBK statement on the statement handle (its cursor closed
  // first).
  SQLRETURN Exec(const std::string& sql) {
    SQLFreeStmt(stmt, SQL_CLOSE);
    std::string text = sql;
    return SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
  }
  std::string State() {
    SQLCHAR state[6] = {}, message[512] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLGetDiagRec(SQL_HANDLE_STMT, stmt, 1, state, &native, message, sizeof message, &length);
    return reinterpret_cast<char*>(state);
  }
  std::string Message() {
    SQLCHAR state[6] = {}, message[512] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLGetDiagRec(SQL_HANDLE_STMT, stmt, 1, state, &native, message, sizeof message, &length);
    return reinterpret_cast<char*>(message);
  }

  SQLHENV env = nullptr;
  SQLHDBC dbc = nullptr;
  SQLHSTMT stmt = nullptr;
  bool connected = false;
};

inline std::string Gbk(const char* utf8) { return platform::Utf8ToGbk(utf8); }

// Every row of the statement's result, each value as text ("<null>" for
// null), read with SQLGetData.
inline std::vector<std::vector<std::string>> Rows(Connection& c) {
  std::vector<std::vector<std::string>> rows;
  SQLSMALLINT cols = 0;
  SQLNumResultCols(c.stmt, &cols);
  while (SQL_SUCCEEDED(SQLFetch(c.stmt))) {
    std::vector<std::string> row;
    for (SQLSMALLINT i = 1; i <= cols; ++i) {
      char buffer[512] = {};
      SQLLEN length = 0;
      SQLGetData(c.stmt, i, SQL_C_CHAR, buffer, sizeof buffer, &length);
      row.push_back(length == SQL_NULL_DATA ? std::string("<null>") : std::string(buffer));
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace odbc_test
