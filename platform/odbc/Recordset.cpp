#include "platform/odbc/Recordset.h"

#include <cstring>

#include "platform/odbc/DBException.h"

IMPLEMENT_DYNAMIC(CRecordset, CObject)

CRecordset::CRecordset(CDatabase* database) : m_pDatabase(database) {}

CRecordset::~CRecordset() { Close(); }

CStringA CRecordset::GetDefaultConnect() { return "ODBC;"; }

CStringA CRecordset::GetDefaultSQL() { return {}; }

void CRecordset::DoFieldExchange(CFieldExchange* fx) { (void)fx; }

void CRecordset::DoBulkFieldExchange(CFieldExchange* fx) { (void)fx; }

BOOL CRecordset::Check(RETCODE retCode) const {
  switch (retCode) {
    case SQL_SUCCESS:
    case SQL_SUCCESS_WITH_INFO:
    case SQL_NO_DATA:
    case SQL_NEED_DATA:
      return TRUE;
    default:
      return FALSE;
  }
}

void CRecordset::ThrowDBException(RETCODE retCode, HSTMT statement) {
  AfxThrowDBException(retCode, m_pDatabase, statement ? statement : m_hstmt);
}

void CRecordset::SetRowsetSize(DWORD rows) { m_dwRowsetSize = rows == 0 ? 1 : rows; }

WORD CRecordset::GetRowStatus(WORD row) const {
  if (!m_rgRowStatus || row == 0 || row > m_dwRowsetSize) return SQL_ROW_NOROW;
  return m_rgRowStatus[row - 1];
}

void CRecordset::GetODBCFieldInfo(short index, CODBCFieldInfo& info) const {
  if (!IsOpen() || index < 0 || index >= m_nResultCols) throw CDBException(AFX_SQL_ERROR, u"No such field.\n");
  SQLCHAR name[256] = {};
  SQLSMALLINT nameLength = 0, type = 0, scale = 0, nullable = 0;
  SQLULEN precision = 0;
  RETCODE rc = SQLDescribeCol(m_hstmt, static_cast<SQLUSMALLINT>(index + 1), name, sizeof name, &nameLength, &type,
                              &precision, &scale, &nullable);
  if (!SQL_SUCCEEDED(rc)) AfxThrowDBException(rc, m_pDatabase, m_hstmt);
  info.m_strName = reinterpret_cast<char*>(name);
  info.m_nSQLType = type;
  info.m_nPrecision = static_cast<UDWORD>(precision);
  info.m_nScale = scale;
  info.m_nNullability = nullable;
}

void CRecordset::ExchangeFields(UINT operation) {
  CFieldExchange fx(operation, this);
  if (m_dwOptions & useMultiRowFetch)
    DoBulkFieldExchange(&fx);
  else
    DoFieldExchange(&fx);
}

BOOL CRecordset::Open(UINT openType, LPCSTR sql, DWORD options) {
  if (IsOpen()) Close();
  m_nOpenType = openType == AFX_DB_USE_DEFAULT_TYPE ? m_nDefaultType : openType;
  m_dwOptions = options;
  if (!m_pDatabase) {
    m_pDatabase = new CDatabase;
    m_bOwnDatabase = true;
  }
  if (!m_pDatabase->IsOpen()) m_pDatabase->OpenEx(GetDefaultConnect().GetString(), CDatabase::noOdbcDialog);

  // The statement.
  CStringA text = sql ? CStringA(sql) : GetDefaultSQL();
  text.Trim();
  CStringA head = text.Left(6);
  if (head.CompareNoCase("SELECT") != 0) text = "SELECT * FROM " + text;
  if (!m_strFilter.IsEmpty()) text += " WHERE " + m_strFilter;
  if (!m_strSort.IsEmpty()) text += " ORDER BY " + m_strSort;
  m_strSQL = text;

  RETCODE rc = SQLAllocHandle(SQL_HANDLE_STMT, m_pDatabase->m_hdbc, &m_hstmt);
  if (!Check(rc)) {
    m_hstmt = SQL_NULL_HSTMT;
    AfxThrowDBException(rc, m_pDatabase, SQL_NULL_HSTMT);
  }
  try {
    m_pDatabase->OnSetOptions(m_hstmt);
    SQLULEN cursor = m_nOpenType == forwardOnly ? SQL_CURSOR_FORWARD_ONLY
                     : m_nOpenType == dynamic   ? SQL_CURSOR_DYNAMIC
                     : m_nOpenType == dynaset   ? SQL_CURSOR_KEYSET_DRIVEN
                                                : SQL_CURSOR_STATIC;
    // A driver that offers another cursor says so and uses its nearest.
    SQLSetStmtAttr(m_hstmt, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(cursor), 0);
    SQLULEN concurrency = (options & readOnly) ? SQL_CONCUR_READ_ONLY : SQL_CONCUR_LOCK;
    SQLSetStmtAttr(m_hstmt, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(concurrency), 0);
    DWORD rows = (options & useMultiRowFetch) ? m_dwRowsetSize : 1;
    m_dwRowsetSize = rows;
    delete[] m_rgRowStatus;
    m_rgRowStatus = new WORD[rows]();
    rc = SQLSetStmtAttr(m_hstmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(rows)), 0);
    if (!Check(rc)) ThrowDBException(rc);
    SQLSetStmtAttr(m_hstmt, SQL_ATTR_ROW_STATUS_PTR, m_rgRowStatus, 0);
    SQLSetStmtAttr(m_hstmt, SQL_ATTR_ROWS_FETCHED_PTR, &m_dwRowsFetched, 0);

    rc = SQLExecDirect(m_hstmt, reinterpret_cast<SQLCHAR*>(text.GetBuffer()), SQL_NTS);
    text.ReleaseBuffer();
    if (!Check(rc)) ThrowDBException(rc);
    SQLSMALLINT cols = 0;
    rc = SQLNumResultCols(m_hstmt, &cols);
    if (!Check(rc)) ThrowDBException(rc);
    m_nResultCols = cols;

    if ((options & useMultiRowFetch) && !(options & userAllocMultiRowBuffers)) {
      ExchangeFields(CFieldExchange::AllocMultiRowBuffer);
      m_bBuffersAllocated = true;
    }
    ExchangeFields(CFieldExchange::BindFieldToColumn);
    m_bBOF = m_bEOF = FALSE;
    Fetch(SQL_FETCH_NEXT);
    m_bBOF = m_bEOF;
  } catch (...) {
    Close();
    throw;
  }
  return TRUE;
}

void CRecordset::Fetch(SQLSMALLINT orientation) {
  m_dwRowsFetched = 0;
  RETCODE rc = SQLFetchScroll(m_hstmt, orientation, 0);
  if (rc == SQL_NO_DATA) {
    m_bEOF = TRUE;
    return;
  }
  if (!Check(rc)) ThrowDBException(rc);
  m_bEOF = m_dwRowsFetched == 0;
}

void CRecordset::MoveNext() {
  if (!IsOpen()) throw CDBException(AFX_SQL_ERROR, u"The recordset is not open.\n");
  if (m_bEOF) throw CDBException(AFX_SQL_ERROR_NO_CURRENT_RECORD, u"No current record.\n");
  Fetch(SQL_FETCH_NEXT);
  m_bBOF = FALSE;
}

void CRecordset::MoveFirst() {
  if (!IsOpen()) throw CDBException(AFX_SQL_ERROR, u"The recordset is not open.\n");
  if (m_nOpenType == forwardOnly)
    throw CDBException(AFX_SQL_ERROR_RECORDSET_FORWARD_ONLY, u"The recordset is forward-only.\n");
  Fetch(SQL_FETCH_FIRST);
  m_bBOF = m_bEOF;
}

void CRecordset::Close() {
  if (m_hstmt) {
    SQLFreeStmt(m_hstmt, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, m_hstmt);
    m_hstmt = SQL_NULL_HSTMT;
  }
  if (m_bBuffersAllocated) {
    ExchangeFields(CFieldExchange::DeleteMultiRowBuffer);
    m_bBuffersAllocated = false;
  }
  delete[] m_rgRowStatus;
  m_rgRowStatus = nullptr;
  m_dwRowsFetched = 0;
  m_nResultCols = 0;
  m_bEOF = m_bBOF = TRUE;
  if (m_bOwnDatabase) {
    delete m_pDatabase;
    m_pDatabase = nullptr;
    m_bOwnDatabase = false;
  }
}
