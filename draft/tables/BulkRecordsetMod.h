// A recordset of bulk rowsets with positioned changes: a row of the current
// rowset is updated, deleted or added through SQLSetPos, and its status
// tells whether the driver did it.
#pragma once

#include "platform/odbc/Recordset.h"

class CBulkRecordsetMod : public CRecordset {
  DECLARE_DYNAMIC(CBulkRecordsetMod)

 public:
  explicit CBulkRecordsetMod(CDatabase* database = nullptr);
  ~CBulkRecordsetMod() override;

  BOOL Open(UINT openType = AFX_DB_USE_DEFAULT_TYPE, LPCSTR sql = nullptr, DWORD options = none) override;

  // Row `row` (1-based) of the rowset written back from its buffers; TRUE
  // when its status is then "updated".
  virtual BOOL UpdateRow(WORD row, WORD lockType = SQL_LOCK_NO_CHANGE);
  // TRUE when the row's status is then "deleted".
  virtual BOOL DeleteRow(WORD row, WORD lockType = SQL_LOCK_NO_CHANGE);
  // The row's buffers added as a new row; TRUE when its status is "added".
  virtual BOOL AddRow(WORD row, WORD lockType = SQL_LOCK_NO_CHANGE);

  // Row 0: every fetched row has the status (also when none was fetched);
  // otherwise the status of that row (1-based).
  BOOL CheckRowStatus(WORD row, WORD status) const;

 protected:
  // SQLSetPos, repeated while the driver is still executing.
  RETCODE SetPos(WORD row, WORD operation, WORD lockType);
};
