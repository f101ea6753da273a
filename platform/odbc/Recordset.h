// CRecordset: the rows of a query on a CDatabase. With the option
// useMultiRowFetch it fetches rowsets: DoBulkFieldExchange allocates and
// binds one array per column (RFX_Text_Bulk), each fetch fills up to the
// rowset size rows, and GetRowsFetched and GetRowStatus tell what came.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/odbc/Database.h"
#include "platform/odbc/FieldExchange.h"
#include "platform/odbc/Sql.h"

#define AFX_DB_USE_DEFAULT_TYPE (0xFFFFFFFFu)

struct CODBCFieldInfo {
  CStringA m_strName;
  SWORD m_nSQLType = 0;
  UDWORD m_nPrecision = 0;
  SWORD m_nScale = 0;
  SWORD m_nNullability = 0;
};

class CRecordset : public CObject {
  DECLARE_DYNAMIC(CRecordset)

 public:
  enum OpenType { dynaset = 0, snapshot = 1, dynamic = 2, forwardOnly = 3 };
  enum OpenOptions {
    none = 0x0,
    readOnly = 0x0004,
    appendOnly = 0x0008,
    skipDeletedRecords = 0x0010,
    noDirtyFieldCheck = 0x0020,
    useBookmarks = 0x0100,
    useMultiRowFetch = 0x0200,
    userAllocMultiRowBuffers = 0x0400,
    useExtendedFetch = 0x0800,
    executeDirect = 0x2000,
  };

  explicit CRecordset(CDatabase* database = nullptr);
  ~CRecordset() override;
  CRecordset(const CRecordset&) = delete;
  CRecordset& operator=(const CRecordset&) = delete;

  // Runs the query: `sql` (or GetDefaultSQL) is either a whole SELECT or a
  // table name, which becomes "SELECT * FROM" the table; m_strFilter adds a
  // WHERE clause and m_strSort an ORDER BY. Without a database of its own
  // the recordset opens one on GetDefaultConnect. The first row(set) is
  // fetched. Throws CDBException when the driver refuses.
  virtual BOOL Open(UINT openType = AFX_DB_USE_DEFAULT_TYPE, LPCSTR sql = nullptr, DWORD options = none);
  virtual void Close();

  BOOL IsOpen() const { return m_hstmt != SQL_NULL_HSTMT; }
  BOOL IsEOF() const { return m_bEOF; }
  BOOL IsBOF() const { return m_bBOF; }
  // The next row, or rowset with multi-row fetch.
  void MoveNext();
  // The first row(set) again (not for forward-only recordsets).
  void MoveFirst();

  DWORD GetRowsetSize() const { return m_dwRowsetSize; }
  // Before Open: the rows fetched at a time with multi-row fetch.
  virtual void SetRowsetSize(DWORD rows);
  DWORD GetRowsFetched() const { return static_cast<DWORD>(m_dwRowsFetched); }
  // The status of row `row` (1-based) of the last rowset (SQL_ROW_...).
  WORD GetRowStatus(WORD row) const;

  short GetODBCFieldCount() const { return m_nResultCols; }
  void GetODBCFieldInfo(short index, CODBCFieldInfo& info) const;

  const CStringA& GetSQL() const { return m_strSQL; }

  virtual CStringA GetDefaultConnect();
  virtual CStringA GetDefaultSQL();
  virtual void DoFieldExchange(CFieldExchange* fx);
  virtual void DoBulkFieldExchange(CFieldExchange* fx);
  // TRUE for the codes that let work go on (success, success with
  // information, no data, need data).
  virtual BOOL Check(RETCODE retCode) const;
  [[noreturn]] virtual void ThrowDBException(RETCODE retCode, HSTMT statement = SQL_NULL_HSTMT);

  CDatabase* m_pDatabase;
  HSTMT m_hstmt = SQL_NULL_HSTMT;
  CStringA m_strFilter;
  CStringA m_strSort;
  UINT m_nFields = 0;
  UINT m_nParams = 0;
  UINT m_nDefaultType = snapshot;
  DWORD m_dwOptions = none;

 protected:
  // Fetches the next rowset (or the first); sets EOF at the end.
  void Fetch(SQLSMALLINT orientation);
  // Runs a field-exchange pass of the operation over the fields.
  void ExchangeFields(UINT operation);

  UINT m_nOpenType = snapshot;
  CStringA m_strSQL;
  DWORD m_dwRowsetSize = 1;
  SQLULEN m_dwRowsFetched = 0;
  WORD* m_rgRowStatus = nullptr;
  short m_nResultCols = 0;
  BOOL m_bEOF = TRUE;
  BOOL m_bBOF = TRUE;
  bool m_bOwnDatabase = false;
  bool m_bBuffersAllocated = false;
};
