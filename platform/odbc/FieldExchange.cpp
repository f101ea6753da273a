#include "platform/odbc/FieldExchange.h"

#include "platform/odbc/DBException.h"
#include "platform/odbc/Recordset.h"

void RFX_Text_Bulk(CFieldExchange* fx, LPCSTR name, LPSTR* values, SQLLEN** lengths, int maxLength) {
  if (!fx || !values || !lengths) return;
  CRecordset* rs = fx->m_prs;
  switch (fx->m_nOperation) {
    case CFieldExchange::AllocMultiRowBuffer: {
      size_t rows = rs->GetRowsetSize();
      size_t width = maxLength > 0 ? static_cast<size_t>(maxLength) : 1;
      *values = new char[rows * width]();
      *lengths = new SQLLEN[rows]();
      break;
    }
    case CFieldExchange::DeleteMultiRowBuffer:
      delete[] *values;
      *values = nullptr;
      delete[] *lengths;
      *lengths = nullptr;
      break;
    case CFieldExchange::BindFieldToColumn: {
      SQLUSMALLINT column = static_cast<SQLUSMALLINT>(++fx->m_nFields);
      RETCODE rc = SQLBindCol(rs->m_hstmt, column, SQL_C_CHAR, *values, maxLength, *lengths);
      if (!rs->Check(rc)) rs->ThrowDBException(rc);
      break;
    }
    case CFieldExchange::Name:
      if (fx->m_pstr) {
        if (!fx->m_pstr->IsEmpty()) *fx->m_pstr += ",";
        *fx->m_pstr += name ? name : "";
      }
      ++fx->m_nFields;
      break;
    default:
      break;
  }
}
