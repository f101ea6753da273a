// Tressil's table recordset: the fields and records of a dBase (.dbf) file,
// read directly from the file. Each field tells its name, ODBC SQL type and
// size; records flagged deleted are still visited (IsDeleted tells them), a
// null value reads as "<NULL>". A filter keeps the records it holds for,
// and a sort orders them.
//
// Filter: comparisons `field op value` (op one of = <> != < <= > >=, or
// LIKE with '%' and '_'), joined with AND and OR (AND binding first),
// a value a number or a '-quoted text ('' for a quote). Numeric fields
// compare as numbers, the others as texts with trailing blanks ignored.
// Sort: fields separated by ',', each perhaps followed by ASC or DESC; equal
// records keep their file order. Field names compare without regard to case.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/String.h"

struct CTableFieldInfo {
  CStringA m_strName;
  short m_nSQLType = 0;  // SQL_CHAR, SQL_NUMERIC, SQL_INTEGER, SQL_DOUBLE, SQL_DATE or SQL_BIT
  int m_nSize = 0;       // the field's width in the file
  int m_nDecimals = 0;
};

class CTableRecordset {
 public:
  CTableRecordset();
  ~CTableRecordset();
  CTableRecordset(const CTableRecordset&) = delete;
  CTableRecordset& operator=(const CTableRecordset&) = delete;

  // Reads the file (a GBK path); FALSE when it is missing or not a dBase
  // table, or when the filter or the sort cannot be read (nothing is then
  // open). The first record becomes current.
  BOOL Open(const char* path, const char* filter = nullptr, const char* sort = nullptr);
  void Close();
  BOOL IsOpen() const { return open_; }

  int GetFieldCount() const { return static_cast<int>(fields_.size()); }
  const CTableFieldInfo& GetFieldInfo(int field) const { return fields_[field]; }
  // The records that pass the filter.
  int GetRecordCount() const { return static_cast<int>(order_.size()); }

  BOOL IsEOF() const { return current_ >= order_.size(); }
  void MoveFirst() { current_ = 0; }
  void MoveNext() {
    if (current_ < order_.size()) ++current_;
  }
  BOOL IsDeleted() const;
  // The current record's value of a field, "<NULL>" for a null one.
  CStringA GetFieldValue(int field) const;

 private:
  struct Record;
  bool open_ = false;
  std::vector<CTableFieldInfo> fields_;
  std::vector<Record> records_;
  std::vector<size_t> order_;
  size_t current_ = 0;
};
