#include "platform/odbc/Database.h"

#include <mutex>

#include "platform/odbc/DBException.h"

IMPLEMENT_DYNAMIC(CDatabase, CObject)

namespace {

// The environment shared by the connections of the process.
std::mutex g_envMutex;
HENV g_env = SQL_NULL_HENV;
int g_envUsers = 0;

HENV AcquireEnvironment() {
  std::lock_guard<std::mutex> lock(g_envMutex);
  if (!g_env) {
    HENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
      SQLFreeHandle(SQL_HANDLE_ENV, env);
      return SQL_NULL_HENV;
    }
    g_env = env;
  }
  ++g_envUsers;
  return g_env;
}

void ReleaseEnvironment() {
  std::lock_guard<std::mutex> lock(g_envMutex);
  if (g_envUsers > 0 && --g_envUsers == 0) {
    SQLFreeHandle(SQL_HANDLE_ENV, g_env);
    g_env = SQL_NULL_HENV;
  }
}

// The connection string without a leading "ODBC;".
CStringA StripOdbcPrefix(const CStringA& connect) {
  if (connect.Left(5).CompareNoCase("ODBC;") == 0) return connect.Mid(5);
  return connect;
}

}  // namespace

CDatabase::~CDatabase() { Close(); }

HENV CDatabase::GetEnvironment() {
  std::lock_guard<std::mutex> lock(g_envMutex);
  return g_env;
}

BOOL CDatabase::OpenEx(LPCWSTR connect, DWORD options) {
  CStringA text(connect ? connect : u"");
  return OpenEx(text.GetString(), options);
}

BOOL CDatabase::OpenEx(LPCSTR connect, DWORD options) {
  if (IsOpen()) AfxThrowDBException(AFX_SQL_ERROR, this, SQL_NULL_HSTMT);
  CStringA text = StripOdbcPrefix(CStringA(connect ? connect : ""));
  if (options & forceOdbcDialog) {
    throw CDBException(AFX_SQL_ERROR_CONNECT_FAIL, u"The ODBC dialog cannot be shown: there is no screen.\n");
  }
  HENV env = AcquireEnvironment();
  if (!env) throw CDBException(AFX_SQL_ERROR_CONNECT_FAIL, u"The ODBC driver manager cannot be loaded.\n");
  HDBC dbc = SQL_NULL_HDBC;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
    CDBException e = platform::odbc::MakeDBException(AFX_SQL_ERROR_CONNECT_FAIL, nullptr, SQL_NULL_HSTMT);
    ReleaseEnvironment();
    throw e;
  }
  if (m_dwLoginTimeout)
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(m_dwLoginTimeout)), 0);
  bool readOnly = (options & openReadOnly) != 0;
  if (readOnly) SQLSetConnectAttr(dbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
  SQLCHAR out[1024] = {};
  SQLSMALLINT outLength = 0;
  CStringA in = text;
  RETCODE rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(in.GetBuffer()), SQL_NTS, out, sizeof out,
                                &outLength, SQL_DRIVER_NOPROMPT);
  in.ReleaseBuffer();
  if (!SQL_SUCCEEDED(rc)) {
    m_hdbc = dbc;  // so the exception carries the connection's records
    CDBException e = platform::odbc::MakeDBException(rc, this, SQL_NULL_HSTMT);
    m_hdbc = SQL_NULL_HDBC;
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    ReleaseEnvironment();
    throw e;
  }
  m_hdbc = dbc;
  m_strConnect = CStringW(CStringA("ODBC;") + reinterpret_cast<char*>(out));
  m_bUpdatable = readOnly ? FALSE : TRUE;
  // The data-source name, from the connection string.
  m_strDataSource.Empty();
  CStringA upper = text;
  upper.MakeUpper();
  int at = upper.Find("DSN=");
  if (at >= 0) {
    int end = text.Find(';', at);
    m_strDataSource = CStringW(end < 0 ? text.Mid(at + 4) : text.Mid(at + 4, end - at - 4));
  }
  return TRUE;
}

BOOL CDatabase::Open(LPCSTR dataSource, BOOL exclusive, BOOL readOnly, LPCSTR connect, BOOL useCursorLib) {
  CStringA text = StripOdbcPrefix(CStringA(connect ? connect : ""));
  if (dataSource && *dataSource) {
    CStringA dsn;
    dsn.Format("DSN=%s;", dataSource);
    text = dsn + text;
  }
  DWORD options = noOdbcDialog;
  if (exclusive) options |= openExclusive;
  if (readOnly) options |= openReadOnly;
  if (useCursorLib) options |= CDatabase::useCursorLib;
  return OpenEx(text.GetString(), options);
}

BOOL CDatabase::Open(LPCWSTR dataSource, BOOL exclusive, BOOL readOnly, LPCWSTR connect, BOOL useCursorLib) {
  CStringA dsn(dataSource ? dataSource : u"");
  CStringA text(connect ? connect : u"");
  return Open(dsn.GetString(), exclusive, readOnly, text.GetString(), useCursorLib);
}

void CDatabase::Close() {
  if (!IsOpen()) return;
  SQLDisconnect(m_hdbc);
  SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
  m_hdbc = SQL_NULL_HDBC;
  m_strConnect.Empty();
  m_strDataSource.Empty();
  ReleaseEnvironment();
}

void CDatabase::ExecuteSQL(LPCWSTR sql) {
  CStringA text(sql ? sql : u"");
  ExecuteSQL(text.GetString());
}

void CDatabase::ExecuteSQL(LPCSTR sql) {
  if (!IsOpen()) throw CDBException(AFX_SQL_ERROR, u"The database is not open.\n");
  HSTMT stmt = SQL_NULL_HSTMT;
  RETCODE rc = SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &stmt);
  if (!Check(rc)) AfxThrowDBException(rc, this, SQL_NULL_HSTMT);
  OnSetOptions(stmt);
  CStringA text(sql ? sql : "");
  rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(text.GetBuffer()), SQL_NTS);
  text.ReleaseBuffer();
  if (!Check(rc)) {
    CDBException e = platform::odbc::MakeDBException(rc, this, stmt);
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    throw e;
  }
  SQLFreeHandle(SQL_HANDLE_STMT, stmt);
}

BOOL CDatabase::Check(RETCODE retCode) const {
  return retCode == SQL_SUCCESS || retCode == SQL_SUCCESS_WITH_INFO || retCode == SQL_NO_DATA ? TRUE : FALSE;
}

void CDatabase::OnSetOptions(HSTMT statement) {
  if (m_dwQueryTimeout)
    SQLSetStmtAttr(statement, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(m_dwQueryTimeout)), 0);
}
