// The system's ODBC driver manager (unixODBC's libodbc), loaded at run time
// and reached through a table of its entry points. Loading it this way keeps
// its C symbols apart from this library's own ODBC functions (Sql.h), which
// forward to it.
#pragma once

#include <string>

#include "platform/odbc/Sql.h"

namespace platform::odbc {

struct OdbcCalls {
  SQLRETURN (*AllocHandle)(SQLSMALLINT, SQLHANDLE, SQLHANDLE*);
  SQLRETURN (*FreeHandle)(SQLSMALLINT, SQLHANDLE);
  SQLRETURN (*FreeStmt)(SQLHSTMT, SQLUSMALLINT);
  SQLRETURN (*SetEnvAttr)(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER);
  SQLRETURN (*SetConnectAttr)(SQLHDBC, SQLINTEGER, SQLPOINTER, SQLINTEGER);
  SQLRETURN (*Connect)(SQLHDBC, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT);
  SQLRETURN (*DriverConnect)(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*,
                             SQLUSMALLINT);
  SQLRETURN (*Disconnect)(SQLHDBC);
  SQLRETURN (*EndTran)(SQLSMALLINT, SQLHANDLE, SQLSMALLINT);
  SQLRETURN (*ExecDirect)(SQLHSTMT, SQLCHAR*, SQLINTEGER);
  SQLRETURN (*Prepare)(SQLHSTMT, SQLCHAR*, SQLINTEGER);
  SQLRETURN (*Execute)(SQLHSTMT);
  SQLRETURN (*BindParameter)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLSMALLINT, SQLSMALLINT, SQLULEN, SQLSMALLINT,
                             SQLPOINTER, SQLLEN, SQLLEN*);
  SQLRETURN (*RowCount)(SQLHSTMT, SQLLEN*);
  SQLRETURN (*CloseCursor)(SQLHSTMT);
  SQLRETURN (*NumResultCols)(SQLHSTMT, SQLSMALLINT*);
  SQLRETURN (*DescribeCol)(SQLHSTMT, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*, SQLSMALLINT*, SQLULEN*,
                           SQLSMALLINT*, SQLSMALLINT*);
  SQLRETURN (*BindCol)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
  SQLRETURN (*Fetch)(SQLHSTMT);
  SQLRETURN (*FetchScroll)(SQLHSTMT, SQLSMALLINT, SQLLEN);
  SQLRETURN (*GetData)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
  SQLRETURN (*SetPos)(SQLHSTMT, SQLSETPOSIROW, SQLUSMALLINT, SQLUSMALLINT);
  SQLRETURN (*SetStmtAttr)(SQLHSTMT, SQLINTEGER, SQLPOINTER, SQLINTEGER);
  SQLRETURN (*GetStmtAttr)(SQLHSTMT, SQLINTEGER, SQLPOINTER, SQLINTEGER, SQLINTEGER*);
  SQLRETURN (*GetDiagRec)(SQLSMALLINT, SQLHANDLE, SQLSMALLINT, SQLCHAR*, SQLINTEGER*, SQLCHAR*, SQLSMALLINT,
                          SQLSMALLINT*);
};

// The driver manager's entry points, loaded on first use; null when the
// driver manager cannot be loaded (every call then fails with a message
// saying so, see LoadError).
const OdbcCalls* GetOdbcCalls();
const char* LoadError();

// A value of the data source's entry in the ODBC set-up (odbc.ini), or
// empty.
std::string GetDataSourceValue(const char* dataSource, const char* key);

}  // namespace platform::odbc
