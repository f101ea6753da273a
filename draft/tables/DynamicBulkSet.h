// A bulk recordset that binds every column of whatever query it runs as
// text: one value array and one length array per result column, made once
// when the first rowset is bound and freed when the recordset closes. Each
// column's values are as wide as the column's size can need in GBK, so a
// value is never cut to a fixed width; a computed column longer than the
// size the driver gives for it is cut, and IsValueCut tells.
#pragma once

#include <vector>

#include "draft/tables/BulkRecordsetMod.h"

class CDynamicBulkSet : public CBulkRecordsetMod {
  DECLARE_DYNAMIC(CDynamicBulkSet)

 public:
  explicit CDynamicBulkSet(CDatabase* database = nullptr);
  ~CDynamicBulkSet() override;

  void Close() override;
  void DoBulkFieldExchange(CFieldExchange* fx) override;
  // A fetch that only reports a row error (01S01) and no cut value (01004)
  // throws CDBException with the row-fetch code; other results go to the
  // base check, and a failure there throws too.
  BOOL Check(RETCODE retCode) const override;

  int GetColumnCount() const { return static_cast<int>(values_.size()); }
  // The value of a column (0-based) in a row (0-based) of the rowset; null
  // for a null value.
  const char* GetValue(int column, DWORD row) const;
  // TRUE when the driver had more of the value than the column's width
  // holds (a computed column whose size the driver cannot tell).
  BOOL IsValueCut(int column, DWORD row) const {
    const SQLLEN length = lengths_[column][row];
    return length != SQL_NULL_DATA && (length < 0 || length >= widths_[column]);
  }
  // The value and length buffers of a column's row, which a positioned
  // update or add writes from.
  char* GetValueBuffer(int column, DWORD row) { return values_[column] + row * widths_[column]; }
  SQLLEN* GetLengthBuffer(int column, DWORD row) { return lengths_[column] + row; }
  // The bytes a value of the column can take (terminator included).
  SQLLEN GetColumnWidth(int column) const { return widths_[column]; }

 private:
  void FreeBuffers();

  std::vector<char*> values_;
  std::vector<SQLLEN*> lengths_;
  std::vector<SQLLEN> widths_;
};
