#include "platform/odbc/DBException.h"

#include <string>

#include "platform/odbc/Database.h"

namespace platform::odbc {

namespace {

// The records of one handle, oldest first.
void AddRecords(SQLSMALLINT type, SQLHANDLE handle, CDBException& e) {
  if (!handle) return;
  for (SQLSMALLINT i = 1;; ++i) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[SQL_MAX_MESSAGE_LENGTH * 4] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRec(type, handle, i, state, &native, message, sizeof message, &length))) break;
    std::string text = reinterpret_cast<char*>(message);
    // The origin is the run of bracketed driver names before the text.
    size_t cut = 0;
    while (cut < text.size() && text[cut] == '[') {
      size_t close = text.find(']', cut);
      if (close == std::string::npos) break;
      cut = close + 1;
    }
    CStringA line;
    line.Format("State:%s,Native:%ld,Origin:%s\n", reinterpret_cast<char*>(state), static_cast<long>(native),
                text.substr(0, cut).c_str());
    e.m_strStateNativeOrigin += CStringW(line);
    e.m_strError += CStringW(CStringA(text.substr(cut).c_str()));
    e.m_strError += u"\n";
  }
}

}  // namespace

CDBException MakeDBException(RETCODE retCode, const CDatabase* database, HSTMT statement) {
  CDBException e(retCode);
  AddRecords(SQL_HANDLE_STMT, statement, e);
  if (database) AddRecords(SQL_HANDLE_DBC, database->m_hdbc, e);
  AddRecords(SQL_HANDLE_ENV, CDatabase::GetEnvironment(), e);
  if (e.m_strError.IsEmpty()) {
    switch (retCode) {
      case AFX_SQL_ERROR_ROW_FETCH:
        e.m_strError = u"Error retrieving a row of the rowset.\n";
        break;
      case AFX_SQL_ERROR_CONNECT_FAIL:
        e.m_strError = u"Connecting to the data source failed.\n";
        break;
      case SQL_INVALID_HANDLE:
        e.m_strError = u"Invalid ODBC handle.\n";
        break;
      default:
        break;
    }
  }
  return e;
}

}  // namespace platform::odbc

void AfxThrowDBException(RETCODE retCode, CDatabase* database, HSTMT statement) {
  throw platform::odbc::MakeDBException(retCode, database, statement);
}
