#include "draft/tables/BulkRecordsetMod.h"

IMPLEMENT_DYNAMIC(CBulkRecordsetMod, CRecordset)

CBulkRecordsetMod::CBulkRecordsetMod(CDatabase* database) : CRecordset(database) {}

CBulkRecordsetMod::~CBulkRecordsetMod() = default;

BOOL CBulkRecordsetMod::Open(UINT openType, LPCSTR sql, DWORD options) {
  return CRecordset::Open(openType, sql, options);
}

RETCODE CBulkRecordsetMod::SetPos(WORD row, WORD operation, WORD lockType) {
  if (!IsOpen()) return SQL_ERROR;
  RETCODE rc;
  do {
    rc = SQLSetPos(m_hstmt, row, operation, lockType);
  } while (rc == SQL_STILL_EXECUTING);
  return rc;
}

BOOL CBulkRecordsetMod::UpdateRow(WORD row, WORD lockType) {
  SetPos(row, SQL_UPDATE, lockType);
  return GetRowStatus(row) == SQL_ROW_UPDATED;
}

BOOL CBulkRecordsetMod::DeleteRow(WORD row, WORD lockType) {
  SetPos(row, SQL_DELETE, lockType);
  return GetRowStatus(row) == SQL_ROW_DELETED;
}

BOOL CBulkRecordsetMod::AddRow(WORD row, WORD lockType) {
  SetPos(row, SQL_ADD, lockType);
  return GetRowStatus(row) == SQL_ROW_ADDED;
}

BOOL CBulkRecordsetMod::CheckRowStatus(WORD row, WORD status) const {
  if (row != 0) return GetRowStatus(row) == status;
  for (DWORD i = 1; i <= GetRowsFetched(); ++i) {
    if (GetRowStatus(static_cast<WORD>(i)) != status) return FALSE;
  }
  return TRUE;
}
