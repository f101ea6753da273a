#include "draft/tables/DynamicBulkSet.h"

#include <algorithm>

#include "platform/odbc/DBException.h"

IMPLEMENT_DYNAMIC(CDynamicBulkSet, CBulkRecordsetMod)

namespace {
// The widest value a column is given room for.
constexpr SQLLEN kMaxColumnBytes = 65536;
}  // namespace

CDynamicBulkSet::CDynamicBulkSet(CDatabase* database) : CBulkRecordsetMod(database) {}

CDynamicBulkSet::~CDynamicBulkSet() { Close(); }

void CDynamicBulkSet::Close() {
  CBulkRecordsetMod::Close();
  FreeBuffers();
}

void CDynamicBulkSet::FreeBuffers() {
  for (char* v : values_) delete[] v;
  for (SQLLEN* l : lengths_) delete[] l;
  values_.clear();
  lengths_.clear();
  widths_.clear();
}

void CDynamicBulkSet::DoBulkFieldExchange(CFieldExchange* fx) {
  const int columns = GetODBCFieldCount();
  if (fx->m_nOperation == CFieldExchange::AllocMultiRowBuffer) {
    if (!values_.empty()) return;  // made once
    for (int c = 0; c < columns; ++c) {
      CODBCFieldInfo info;
      GetODBCFieldInfo(static_cast<short>(c), info);
      // A GBK character takes at most two bytes; numbers and dates get room
      // for their text.
      SQLLEN width = std::clamp<SQLLEN>(2 * static_cast<SQLLEN>(info.m_nPrecision) + 1, 64, kMaxColumnBytes);
      widths_.push_back(width);
      values_.push_back(new char[width * GetRowsetSize()]());
      lengths_.push_back(new SQLLEN[GetRowsetSize()]());
    }
    return;
  }
  if (fx->m_nOperation == CFieldExchange::DeleteMultiRowBuffer) return;  // freed by Close
  fx->SetFieldType(CFieldExchange::outputColumn);
  for (int c = 0; c < columns && c < GetColumnCount(); ++c) {
    if (fx->m_nOperation == CFieldExchange::BindFieldToColumn) {
      SQLUSMALLINT column = static_cast<SQLUSMALLINT>(++fx->m_nFields);
      RETCODE rc = SQLBindCol(m_hstmt, column, SQL_C_CHAR, values_[c], widths_[c], lengths_[c]);
      if (!Check(rc)) ThrowDBException(rc);
    } else {
      RFX_Text_Bulk(fx, "Dummy", &values_[c], &lengths_[c], static_cast<int>(widths_[c]));
    }
  }
}

BOOL CDynamicBulkSet::Check(RETCODE retCode) const {
  if (retCode == SQL_SUCCESS_WITH_INFO) {
    CDBException e = platform::odbc::MakeDBException(retCode, m_pDatabase, m_hstmt);
    if (e.m_strStateNativeOrigin.Find(u"State:01S01") >= 0 && e.m_strStateNativeOrigin.Find(u"State:01004") < 0)
      throw CDBException(AFX_SQL_ERROR_ROW_FETCH, e.m_strError.GetString());
  }
  if (!CBulkRecordsetMod::Check(retCode))
    throw platform::odbc::MakeDBException(retCode, m_pDatabase, m_hstmt);
  return TRUE;
}

const char* CDynamicBulkSet::GetValue(int column, DWORD row) const {
  if (column < 0 || column >= GetColumnCount() || row >= GetRowsetSize()) return nullptr;
  if (lengths_[column][row] == SQL_NULL_DATA) return nullptr;
  return values_[column] + row * widths_[column];
}
