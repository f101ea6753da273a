// Building and throwing CDBException from the diagnostics of ODBC handles.
// The exception's error text holds each record's message (after the driver
// names of its origin), one a line; its m_strStateNativeOrigin holds, for
// each record, "State:" the state ",Native:" the native code ",Origin:" the
// bracketed driver names, and a line feed.
#pragma once

#include "platform/core/Exceptions.h"
#include "platform/odbc/Sql.h"

class CDatabase;

// Error codes of this layer (m_nRetCode values beyond the ODBC ones).
#define AFX_SQL_ERROR 1000
#define AFX_SQL_ERROR_CONNECT_FAIL 1001
#define AFX_SQL_ERROR_RECORDSET_FORWARD_ONLY 1002
#define AFX_SQL_ERROR_RECORDSET_READONLY 1005
#define AFX_SQL_ERROR_NO_CURRENT_RECORD 1007
#define AFX_SQL_ERROR_ROW_FETCH 1022

namespace platform::odbc {

// The exception for a failed call, with the records of the statement (when
// given), the database's connection and the shared environment.
CDBException MakeDBException(RETCODE retCode, const CDatabase* database, HSTMT statement);

}  // namespace platform::odbc

[[noreturn]] void AfxThrowDBException(RETCODE retCode, CDatabase* database, HSTMT statement);
