// CFieldExchange: the context of a recordset's field exchange, and the bulk
// exchange function RFX_Text_Bulk, which allocates, binds and frees the
// arrays of one text column of a rowset.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/odbc/Sql.h"

class CRecordset;

class CFieldExchange {
 public:
  enum RFX_Operation {
    BindParam = 0,
    RebindParam,
    BindFieldToColumn,
    BindFieldForUpdate,
    UnbindFieldForUpdate,
    Fixup,
    MarkForAddNew,
    MarkForUpdate,
    Name,
    NameValue,
    Value,
    SetFieldNull,
    StoreField,
    LoadField,
    AllocCache,
    AllocMultiRowBuffer,
    DeleteMultiRowBuffer,
  };
  enum FieldType { noFieldType = -1, outputColumn = 0, param = 1, inputParam = 1, outputParam = 4, inoutParam = 2 };

  CFieldExchange(UINT operation, CRecordset* recordset) : m_nOperation(operation), m_prs(recordset) {}

  void SetFieldType(UINT fieldType) { m_nFieldType = fieldType; }

  UINT m_nOperation;
  CRecordset* m_prs;
  UINT m_nFieldType = outputColumn;
  // The column of the next field exchanged (1-based after the increment).
  UINT m_nFields = 0;
  // The field names of a Name pass, joined with ','.
  CStringA* m_pstr = nullptr;
};

// One text column of a bulk rowset: `values` gets an array of rowset-size
// texts of `maxLength` bytes each (terminator included) and `lengths` their
// indicators; they are bound to the next column, and freed again by the
// DeleteMultiRowBuffer pass. A value longer than `maxLength` - 1 bytes makes
// the fetch report SQL_SUCCESS_WITH_INFO (state 01004) and keeps its whole
// length in its indicator.
void RFX_Text_Bulk(CFieldExchange* fx, LPCSTR name, LPSTR* values, SQLLEN** lengths, int maxLength);
