// The parts-list grid's SQL layer: tables of the data source "Qelvo" (a
// folder of dBase files) written from the grid, read back, sorted, totalled,
// looked up and computed by relation expressions.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "draft/framework/ResourceSwitch.h"
#include "draft/host/DrawingSettings.h"
#include "draft/host/StringConverter.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableRecordset.h"
#include "draft/tables/ArrayRoom.h"
#include "draft/tables/ColumnRelationDlg.h"
#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/RowText.h"
#include "draft/tables/SqlRowReader.h"
#include "draft/tables/SqlText.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/DeleteFile.h"
#include "platform/core/FileAttributes.h"
#include "platform/core/MessageBox.h"
#include "platform/core/MoveFile.h"
#include "platform/odbc/Database.h"

namespace {

const char kDataSource[] = "Qelvo";
const char kNull[] = "<NULL>";

// The process-wide availability of the data source: once it could not be
// reached, no ODBC work is tried again.
int g_dataSourceAvailable = 1;

bool FileExists(const char* path) {
  DWORD a = GetFileAttributesA(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsQuotedType(int type) { return type == kFieldChar || type == kFieldDate || type == kFieldLogical; }

bool IsNumberType(int type) { return type == kFieldFloat || type == kFieldDouble || type == kFieldCurrency; }

// A value as the grid takes it: trimmed, "<NULL>" or null as empty, an
// integer field's value cut at its '.'.
CStringA GridValue(const SqlValue& v, int type) {
  if (v.null) return CStringA();
  CStringA text = v.text;
  text.Trim();
  if (text.CompareNoCase(kNull) == 0) return CStringA();
  if (type == kFieldInteger) {
    int dot = text.Find('.');
    if (dot >= 0) text = text.Left(dot);
  }
  return text;
}

int ColumnType(const CFieldArray& structure, int column) {
  return column >= 0 && column < structure.GetSize() ? structure[column].type : kFieldChar;
}

// The "数据库文件" + file + "\n" + "不存在!" message of a missing file.
BOOL ReportMissingFile(const char* file) {
  CStringA text = "数据库文件";
  text += file;
  text += "\n不存在!";
  AfxMessageBox(text.GetString());
  return FALSE;
}

// The SQL names a1, a2, ... of a structure's fields.
CStringA ColumnAlias(int index) {
  CStringA name;
  name.Format("a%d", index + 1);
  return name;
}

// Shows the first diagnostic record of the failed call (of the statement,
// else the connection, else the environment), or, when there is none, that
// the data source failed.
BOOL ReportSqlError(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt) {
  SQLCHAR state[6] = {};
  SQLINTEGER native = 0;
  SQLCHAR message[512] = {};
  SQLSMALLINT length = 0;
  const SQLRETURN rc = SQLError(env, dbc, stmt, state, &native, message, sizeof message, &length);
  AfxMessageBox(SQL_SUCCEEDED(rc) && message[0] ? reinterpret_cast<char*>(message) : "数据库驱动错误");
  return FALSE;
}

// A table file about to be made again: the file there is moved aside
// first (under a name no file has), and comes back in place of what was
// made unless Keep is called, so that a table that cannot be made or filled
// leaves the old one as it was; a table made where there was none goes
// again. A file that cannot be moved aside is reported, and IsReady says
// the table must not be made. The object is to go after the connection
// that writes the table is closed.
class CTableFileBackup {
 public:
  explicit CTableFileBackup(const char* file) : file_(file ? file : "") {
    if (file_.IsEmpty() || !FileExists(file_)) return;
    for (int n = 0; n < 100 && backup_.IsEmpty(); ++n) {
      CStringA name = file_ + "~";
      if (n > 0) name.AppendFormat("%d", n);
      if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) backup_ = name;
    }
    if (!backup_.IsEmpty() && MoveFileA(file_, backup_)) return;
    backup_.Empty();
    ready_ = false;
    ReportFileException(file_, CFileException::genericException);
  }
  ~CTableFileBackup() {
    if (!ready_ || kept_) {
      if (!backup_.IsEmpty()) DeleteFileA(backup_);
      return;
    }
    if (FileExists(file_)) DeleteFileA(file_);
    if (!backup_.IsEmpty()) MoveFileA(backup_, file_);
  }
  CTableFileBackup(const CTableFileBackup&) = delete;
  CTableFileBackup& operator=(const CTableFileBackup&) = delete;
  bool IsReady() const { return ready_; }
  void Keep() { kept_ = true; }

 private:
  CStringA file_;
  CStringA backup_;
  bool ready_ = true;
  bool kept_ = false;
};

// Reads the rows of an executed statement (at most `limit`): false, with
// the failure reported, when a fetch or a read fails, so that a caller fills
// nothing from a result it did not get whole.
bool ReadRows(SQLHSTMT stmt, std::vector<std::vector<SqlValue>>& rows, size_t limit = SIZE_MAX) {
  rows.clear();
  CSqlRowReader reader(stmt);
  std::vector<SqlValue> values;
  SQLRETURN rc = SQL_NO_DATA;
  while (rows.size() < limit && SQL_SUCCEEDED(rc = reader.Fetch(values))) rows.push_back(values);
  if (rows.size() == limit || rc == SQL_NO_DATA) return true;
  ReportSqlError(SQL_NULL_HENV, SQL_NULL_HDBC, stmt);
  return false;
}

// Runs a query on a connection of its own; the reader sees its rows. The
// connection is released when the object goes.
class CQuery {
 public:
  CQuery() { ok_ = CPartsListCtrl::Connect(env_, dbc_, stmt_); }
  ~CQuery() {
    if (ok_) CPartsListCtrl::Disconnect(env_, dbc_, stmt_);
  }
  CQuery(const CQuery&) = delete;
  CQuery& operator=(const CQuery&) = delete;
  BOOL Run(const CStringA& sql) {
    return ok_ && CPartsListCtrl::ExecuteSql(env_, dbc_, stmt_, sql.GetString()) ? TRUE : FALSE;
  }
  SQLHSTMT Statement() const { return stmt_; }

 private:
  SQLHENV env_ = SQL_NULL_HENV;
  SQLHDBC dbc_ = SQL_NULL_HDBC;
  SQLHSTMT stmt_ = SQL_NULL_HSTMT;
  bool ok_ = false;
};

}  // namespace

// ---- The data source and its connections.

int CPartsListCtrl::GetDataSourceFlag() { return g_dataSourceAvailable; }

BOOL CPartsListCtrl::IsDataSourceAvailable() {
  if (!g_dataSourceAvailable) return FALSE;
  CDatabase database;
  try {
    if (database.IsOpen()) database.Close();
    CStringA connect = "DSN=";
    connect += kDataSource;
    if (database.OpenEx(connect.GetString(), CDatabase::openReadOnly | CDatabase::noOdbcDialog)) {
      database.Close();
      return TRUE;
    }
  } catch (CException&) {
  }
  g_dataSourceAvailable = 0;
  return FALSE;
}

BOOL CPartsListCtrl::Connect(SQLHENV& env, SQLHDBC& dbc, SQLHSTMT& stmt) {
  env = SQL_NULL_HENV;
  dbc = SQL_NULL_HDBC;
  stmt = SQL_NULL_HSTMT;
  if (!g_dataSourceAvailable) return FALSE;
  // A failure on the way is shown with the driver's words.
  auto giveUp = [&]() {
    ReportSqlError(env, dbc, SQL_NULL_HSTMT);
    if (stmt) SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    if (dbc) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    if (env) SQLFreeHandle(SQL_HANDLE_ENV, env);
    env = SQL_NULL_HENV;
    dbc = SQL_NULL_HDBC;
    stmt = SQL_NULL_HSTMT;
    g_dataSourceAvailable = 0;
    return FALSE;
  };
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return giveUp();
  if (!SQL_SUCCEEDED(SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)))
    return giveUp();
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) return giveUp();
  SQLCHAR dsn[] = "Qelvo", user[] = "", password[] = "";
  SQLRETURN rc = SQLConnect(dbc, dsn, SQL_NTS, user, SQL_NTS, password, SQL_NTS);
  if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
    ReportSqlError(env, dbc, SQL_NULL_HSTMT);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    env = SQL_NULL_HENV;
    dbc = SQL_NULL_HDBC;
    return FALSE;
  }
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt))) {
    SQLDisconnect(dbc);
    return giveUp();
  }
  return TRUE;
}

void CPartsListCtrl::Disconnect(SQLHENV& env, SQLHDBC& dbc, SQLHSTMT& stmt) {
  if (stmt) SQLFreeStmt(stmt, SQL_CLOSE);
  if (env && dbc) {
    if (stmt) SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  }
  if (env) SQLFreeHandle(SQL_HANDLE_ENV, env);
  env = SQL_NULL_HENV;
  dbc = SQL_NULL_HDBC;
  stmt = SQL_NULL_HSTMT;
}

BOOL CPartsListCtrl::ExecuteSql(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, const char* sql) {
  // The statement is executed as it is, however long.
  CStringA text = sql ? sql : "";
  SQLFreeStmt(stmt, SQL_CLOSE);
  SQLRETURN rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(text.GetBuffer()), SQL_NTS);
  text.ReleaseBuffer();
  return CheckSql(env, dbc, stmt, rc);
}

BOOL CPartsListCtrl::CheckSql(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, SQLRETURN result) {
  return result != SQL_ERROR ? TRUE : ReportSqlError(env, dbc, stmt);
}

// ---- Names, types and values.

void CPartsListCtrl::CleanName(CStringA& text) {
  // Full-width letters, digits and signs become their one-byte forms, and
  // blanks around the name go.
  GetStringConverter().ConvertText(text);
  text.Trim();
}

void CPartsListCtrl::FormatDecimals(CStringA& text) const {
  const CDrawingSettings defaults;
  const CDrawingSettings& settings = drawingSettings_ ? *drawingSettings_ : defaults;
  const int decimals = std::max(0, static_cast<int>(settings.GetSystemReal(kSystemDecimals)));
  // A number the driver wrote with an exponent ("2.2e-05") is written out
  // in fixed notation first, with digits to spare for the cut below.
  if ((text.Find('e') >= 0 || text.Find('E') >= 0) && IsSqlNumber(text)) {
    CStringA fixed;
    fixed.Format("%.*f", decimals + 6, std::strtod(text.GetString(), nullptr));
    text = fixed;
  }
  const int dot = text.Find('.');
  if (dot < 0) {
    text += '.';
    for (int i = 0; i < decimals; ++i) text += '0';
    return;
  }
  const int have = text.GetLength() - dot - 1;
  if (have > decimals) {
    text = text.Left(dot + 1 + decimals);
  } else {
    for (int i = have; i < decimals; ++i) text += '0';
  }
}

int CPartsListCtrl::MapSqlType(int sqlType) {
  switch (sqlType) {
    case SQL_NUMERIC:
      return kFieldCurrency;
    case SQL_INTEGER:
      return kFieldInteger;
    case SQL_DOUBLE:
      return kFieldDouble;
    case SQL_DATE:
      return kFieldDate;
    case SQL_BIT:
      return kFieldLogical;
    default:
      return kFieldChar;
  }
}

const char* CPartsListCtrl::GetSqlType(int fieldType) {
  switch (fieldType) {
    case kFieldInteger:
      return "Integer";
    case kFieldFloat:
    case kFieldDouble:
    case kFieldCurrency:
      return "Numeric";
    default:
      return "Char";
  }
}

void CPartsListCtrl::AppendColumnDef(CStringA& definitions, const char* name, int fieldType, double width,
                                     int mode) const {
  CStringA column = name ? name : "";
  CleanName(column);
  const int paren = column.Find('(');
  if (paren >= 0) column = column.Left(paren);
  const CStringA type = mode == 2 ? GetSqlType(fieldType) : "Char";
  if (!definitions.IsEmpty()) definitions += ',';
  definitions += column + " " + type;
  CStringA size;
  if (type == "Char") {
    size.Format("(%d)", static_cast<int>(std::floor(width + 0.5)));
  } else if (type == "Numeric") {
    const CDrawingSettings defaults;
    const CDrawingSettings& settings = drawingSettings_ ? *drawingSettings_ : defaults;
    size.Format("(15,%d)", static_cast<int>(settings.GetSystemReal(kSystemDecimals)));
  }
  definitions += size;
}

BOOL CPartsListCtrl::CreateTable(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, const char* file,
                                 const CStringA& definitions) {
  if (FileExists(file)) DeleteFileA(file);
  // The file's name is used as given: cleaning it (as column names are)
  // would make another file than the one named, or deleted above.
  CStringA sql = "CREATE TABLE " + SqlTableName(file ? file : "") + "(" + definitions + ")";
  return ExecuteSql(env, dbc, stmt, sql.GetString());
}

BOOL CPartsListCtrl::CreateTableFromStructure(const char* file, const CFieldArray& structure, int mode) {
  CTableFileBackup backup(file);
  if (!backup.IsReady()) return FALSE;
  SQLHENV env;
  SQLHDBC dbc;
  SQLHSTMT stmt;
  if (!Connect(env, dbc, stmt)) return FALSE;
  CStringA definitions;
  for (INT_PTR i = 0; i < structure.GetSize(); ++i)
    AppendColumnDef(definitions, structure[i].name, structure[i].type, structure[i].width, mode);
  const BOOL ok = CreateTable(env, dbc, stmt, file, definitions);
  Disconnect(env, dbc, stmt);
  if (ok) backup.Keep();
  return ok;
}

BOOL CPartsListCtrl::FormatRowValues(int row, CStringA& values, const CFieldArray& structure, int mode,
                                     int symbolColumn, int serial) {
  values.Empty();
  INT_PTR fieldCount = structure.GetSize();
  if (serial) {
    CStringA number;
    number.Format("'%d'", row);
    values = number;
    --fieldCount;
  }
  for (int c = 0; c < fieldCount; ++c) {
    const int type = mode == 1 ? kFieldChar : structure[c].type;
    CStringA text = GetCellText(row, c);
    text.Trim();
    if (mode == 2 && ResolveDitto(row, c, text, static_cast<int>(structure.GetSize())) == kDittoFailed)
      return FALSE;
    text.Trim();
    if (text.IsEmpty()) {
      text = type == kFieldInteger ? "0" : IsNumberType(type) ? "0.0" : " ";
    } else if (c == symbolColumn && text.GetLength() > 1 && !(text[0] >= '0' && text[0] <= '9') && text[0] != '.') {
      // A double-byte symbol (a diameter sign) before the number.
      text = text.GetLength() == 2 ? CStringA("0.0") : text.Mid(2);
    }
    if (!values.IsEmpty()) values += ',';
    // Text types are quoted; so is a value of a number type that is not a
    // number, which the driver then refuses instead of reading it as SQL.
    if (IsQuotedType(type) || !IsSqlNumber(text))
      values += SqlQuoted(text);
    else
      values += text;
  }
  return TRUE;
}

int CPartsListCtrl::FirstDataRow() const {
  const int rows = GetItemCount();
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < GetColumnCount(); ++c) {
      if (!TrimmedCell(r, c).IsEmpty()) return r;
    }
  }
  return rows;
}

int CPartsListCtrl::ExportTable(const char* file, const CFieldArray& structure, int mode, int kind, int dropLastRow,
                                int symbolColumn, int serial) {
  if (GetItemCount() == 0 || structure.GetSize() == 0) return 0;
  if (!IsDataSourceAvailable()) {
    AfxMessageBox("数据库驱动错误");
    return 0;
  }
  // The table replaces the file only when all its rows are in.
  CTableFileBackup backup(file);
  if (!backup.IsReady()) return 0;
  SQLHENV env;
  SQLHDBC dbc;
  SQLHSTMT stmt;
  if (!Connect(env, dbc, stmt)) return 0;
  CStringA definitions;
  for (INT_PTR i = 0; i < structure.GetSize(); ++i)
    AppendColumnDef(definitions, structure[i].name, structure[i].type, structure[i].width, mode);
  if (!CreateTable(env, dbc, stmt, file, definitions)) {
    Disconnect(env, dbc, stmt);
    return 0;
  }
  const CStringA insert = "INSERT INTO " + SqlTableName(file) + " VALUES";
  const int last = GetItemCount() - (dropLastRow ? 1 : 0);
  for (int r = FirstDataRow(); r < last; ++r) {
    CStringA values;
    if (!FormatRowValues(r, values, structure, mode, symbolColumn, serial)) {
      Disconnect(env, dbc, stmt);
      return 0;
    }
    CStringA sql = insert + "(" + values + ")";
    if (kind == 1 && mode == 2) {
      SQLFreeStmt(stmt, SQL_CLOSE);
      SQLRETURN rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(sql.GetBuffer()), SQL_NTS);
      sql.ReleaseBuffer();
      if (rc != SQL_SUCCESS) {
        Disconnect(env, dbc, stmt);
        return 1;
      }
    } else if (mode == 1 || kind == 2) {
      if (!ExecuteSql(env, dbc, stmt, sql.GetString())) {
        Disconnect(env, dbc, stmt);
        return 0;
      }
    }
  }
  Disconnect(env, dbc, stmt);
  backup.Keep();
  return 2;
}

// ---- Reading through the host's table recordset.

namespace {

// The structure of an open recordset, one field record per field.
void StructureOf(const CTableRecordset& rs, CFieldArray& structure) {
  structure.RemoveAll();
  for (int i = 0; i < rs.GetFieldCount(); ++i) {
    const CTableFieldInfo& info = rs.GetFieldInfo(i);
    CStringA name = info.m_strName;
    name.Trim();
    if (name.CompareNoCase(kNull) == 0) name.Empty();
    structure.Add(CFieldRecord(name.GetString(), CPartsListCtrl::MapSqlType(info.m_nSQLType), info.m_nSize,
                               kAlignCentre));
  }
}

// The cells of the recordset's current record.
void CellsOf(const CTableRecordset& rs, const CFieldArray& structure, CStringArray& cells) {
  cells.RemoveAll();
  for (int i = 0; i < rs.GetFieldCount(); ++i) {
    SqlValue v{false, rs.GetFieldValue(i)};
    CStringA text = GridValue(v, ColumnType(structure, i));
    if (text.IsEmpty()) text = " ";
    cells.Add(text);
  }
}

// Hands the cells of each record that is not deleted to `take`, in order.
template <class Take>
void ForEachLiveRecord(CTableRecordset& rs, const CFieldArray& structure, Take take) {
  CStringArray cells;
  for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
    if (rs.IsDeleted()) continue;
    CellsOf(rs, structure, cells);
    take(cells);
  }
}

BOOL OpenRecordset(CTableRecordset& rs, const char* file, const char* filter, const char* sort) {
  if (!FileExists(file)) return ReportMissingFile(file);
  if (rs.Open(file, filter, sort)) return TRUE;
  if (rs.IsOpen()) rs.Close();
  return FALSE;
}

}  // namespace

BOOL CPartsListCtrl::ReadDbfStructure(const char* file, CFieldArray& structure) {
  CTableRecordset rs;
  if (!OpenRecordset(rs, file, nullptr, nullptr)) return FALSE;
  StructureOf(rs, structure);
  return TRUE;
}

BOOL CPartsListCtrl::ReadDbfTable(const char* file, CStringArray& rows, CFieldArray& structure, const char* filter,
                                  const char* sort) {
  CTableRecordset rs;
  if (!OpenRecordset(rs, file, filter, sort)) return FALSE;
  StructureOf(rs, structure);
  rows.RemoveAll();
  MakeRoom(rows, static_cast<size_t>(rs.GetRecordCount()));
  // Joined as row texts are, a ';' inside a value doubled.
  ForEachLiveRecord(rs, structure, [&](const CStringArray& cells) { rows.Add(JoinRowCells(cells)); });
  return TRUE;
}

BOOL CPartsListCtrl::LoadDbfStructure(const char* file, CFieldArray& structure) {
  if (!ReadDbfStructure(file, structure)) return FALSE;
  SetColumns(structure);
  return TRUE;
}

BOOL CPartsListCtrl::AppendDbfRows(const char* file) {
  CTableRecordset rs;
  if (!OpenRecordset(rs, file, nullptr, nullptr)) return FALSE;
  CFieldArray structure;
  StructureOf(rs, structure);
  ForEachLiveRecord(rs, structure, [&](const CStringArray& cells) { InsertCells(GetItemCount(), cells); });
  return TRUE;
}

BOOL CPartsListCtrl::LoadDbfIntoList(const char* file, CFieldArray& structure, int& rowCount, int useStructureFile) {
  CTableRecordset rs;
  if (!OpenRecordset(rs, file, nullptr, nullptr)) return FALSE;
  CFieldArray fromTable;
  StructureOf(rs, fromTable);
  bool fromFile = false;
  if (useStructureFile) {
    const CStringA definition = ReplaceFileExtension(CStringA(file), "def");
    CFieldArray read;
    if (ReadStructureFile(read, definition.GetString(), 0) == 1 && read.GetSize() == fromTable.GetSize()) {
      structure.Copy(read);
      fromFile = true;
    }
  }
  if (!fromFile) structure.Copy(fromTable);
  SetColumns(structure);
  DeleteAllItems();
  ForEachLiveRecord(rs, structure, [&](const CStringArray& cells) { InsertCells(GetItemCount(), cells); });
  rowCount = GetItemCount();
  return TRUE;
}

// ---- Queries.

BOOL CPartsListCtrl::QueryColumn(const char* table, const char* expression, int targetColumn,
                                 const CFieldArray& structure) {
  CQuery query;
  if (!query.Run("SELECT " + CStringA(expression) + " FROM " + SqlTableName(table))) return FALSE;
  std::vector<std::vector<SqlValue>> results;
  if (!ReadRows(query.Statement(), results)) return FALSE;
  const int type = ColumnType(structure, targetColumn);
  // The table holds the grid's rows from the first with data (as
  // ExportTable writes them), so its results go back to those rows.
  size_t next = 0;
  for (int row = FirstDataRow(); row < GetItemCount(); ++row) {
    if (next >= results.size() || results[next].empty()) break;
    CStringA text = GridValue(results[next++][0], type);
    if (!text.IsEmpty() && type != kFieldInteger) FormatDecimals(text);
    SetItemText(row, targetColumn, text.GetString());
  }
  return TRUE;
}

BOOL CPartsListCtrl::QueryTotals(const char* table, const char* selectList, const CArray<int, int>& columns,
                                 const CFieldArray& structure) {
  CQuery query;
  if (!query.Run("SELECT " + CStringA(selectList) + " FROM " + SqlTableName(table))) return FALSE;
  std::vector<std::vector<SqlValue>> results;
  if (!ReadRows(query.Statement(), results, 1)) return FALSE;
  if (GetItemCount() == 0 || results.empty()) return TRUE;
  const std::vector<SqlValue>& values = results[0];
  CStringA first = TrimmedCell(GetItemCount() - 1, 0);
  CleanName(first);
  if (first != "总计" && first != "合计") {
    CStringArray cells;
    cells.Add("总计");
    InsertCells(GetItemCount(), cells);
  }
  const int last = GetItemCount() - 1;
  for (INT_PTR i = 0; i < columns.GetSize() && i < static_cast<INT_PTR>(values.size()); ++i) {
    const int column = columns[i];
    SetItemText(last, column, GridValue(values[i], ColumnType(structure, column)).GetString());
  }
  return TRUE;
}

BOOL CPartsListCtrl::FillFromStatement(SQLHSTMT stmt, const CFieldArray& structure) {
  // The grid changes only once the whole result is in.
  std::vector<std::vector<SqlValue>> results;
  if (!ReadRows(stmt, results)) return FALSE;
  DeleteAllItems();
  CStringArray cells;
  for (const std::vector<SqlValue>& values : results) {
    cells.RemoveAll();
    for (size_t c = 0; c < values.size(); ++c) {
      CStringA text = GridValue(values[c], ColumnType(structure, static_cast<int>(c)));
      cells.Add(text.IsEmpty() ? CStringA(" ") : text);
    }
    InsertCells(GetItemCount(), cells);
  }
  return TRUE;
}

BOOL CPartsListCtrl::SortTable(const char* table, const char* column, int descending, const CFieldArray& structure) {
  CQuery query;
  CStringA sql = "SELECT * FROM " + SqlTableName(table) + " ORDER BY " + column + (descending ? " DESC" : " ASC");
  if (!query.Run(sql)) return FALSE;
  return FillFromStatement(query.Statement(), structure);
}

BOOL CPartsListCtrl::QueryAll(const char* table, const char* columns, const CFieldArray& structure) {
  CQuery query;
  if (!query.Run("SELECT " + CStringA(columns) + " FROM " + SqlTableName(table))) return FALSE;
  return FillFromStatement(query.Statement(), structure);
}

namespace {

// The WHERE clause of a lookup: the key column against the value, quoted
// when the column is of a text type (or the value is no number).
CStringA KeyCondition(const char* keyColumn, const char* keyValue, const CFieldArray& structure) {
  CStringA key = keyColumn;
  CStringA value = keyValue;
  int type = kFieldChar;
  for (INT_PTR i = 0; i < structure.GetSize(); ++i) {
    CStringA name = structure[i].GetName();
    CPartsListCtrl::CleanName(name);
    if (name.CompareNoCase(key) == 0 || ColumnAlias(static_cast<int>(i)).CompareNoCase(key) == 0) {
      type = structure[i].type;
      break;
    }
  }
  const bool quoted = type == kFieldChar || type == kFieldDate || type == kFieldLogical || !IsSqlNumber(value);
  return " WHERE " + key + "=" + (quoted ? SqlQuoted(value) : value);
}

}  // namespace

BOOL CPartsListCtrl::LookupRow(const char* table, const char* keyColumn, const char* keyValue, int row,
                               const CFieldArray& structure) {
  CQuery query;
  if (!query.Run("SELECT * FROM " + SqlTableName(table) + KeyCondition(keyColumn, keyValue, structure)))
    return FALSE;
  std::vector<std::vector<SqlValue>> results;
  if (!ReadRows(query.Statement(), results, 1) || results.empty()) return FALSE;
  const std::vector<SqlValue>& values = results[0];
  for (size_t c = 0; c < values.size() && static_cast<int>(c) < GetColumnCount(); ++c) {
    const int type = ColumnType(structure, static_cast<int>(c));
    CStringA text = GridValue(values[c], type);
    if (!text.IsEmpty() && IsNumberType(type)) FormatDecimals(text);
    SetItemText(row, static_cast<int>(c), text.GetString());
  }
  return TRUE;
}

BOOL CPartsListCtrl::LookupColumns(const char* table, const char* keyColumn, const char* keyValue,
                                   const char* columns, int row, const CArray<int, int>& targets,
                                   const CFieldArray& structure) {
  CQuery query;
  if (!query.Run("SELECT " + CStringA(columns) + " FROM " + SqlTableName(table) +
                 KeyCondition(keyColumn, keyValue, structure)))
    return FALSE;
  std::vector<std::vector<SqlValue>> results;
  if (!ReadRows(query.Statement(), results, 1) || results.empty()) return FALSE;
  const std::vector<SqlValue>& values = results[0];
  for (INT_PTR i = 0; i < targets.GetSize() && i < static_cast<INT_PTR>(values.size()); ++i) {
    const int column = targets[i];
    const int type = ColumnType(structure, column);
    CStringA text = GridValue(values[i], type);
    if (!text.IsEmpty() && IsNumberType(type)) FormatDecimals(text);
    SetItemText(row, column, text.GetString());
  }
  return TRUE;
}

// ---- Relation expressions.

BOOL CPartsListCtrl::ComputeRelation(const char* file, const CFieldArray& structure, int serial) {
  try {
    CStringA formula;
    {
      CResourceSwitch resources(kScrivelModuleName);
      CColumnRelationDlg dialog(GetParent());
      if (dialog.DoModal() != IDOK) return FALSE;
      formula = dialog.m_formula;
    }
    const int equals = formula.Find('=');
    if (equals < 0) {
      AfxMessageBox("关系式有误!");
      return FALSE;
    }
    CStringA target = formula.Left(equals);
    target.Trim();
    const CStringA expression = formula.Mid(equals + 1);

    CFieldArray named;
    named.Copy(structure);
    int symbolColumn = -1;
    int targetColumn = -1;
    for (INT_PTR i = 0; i < named.GetSize(); ++i) {
      CStringA original = named[i].GetName();
      CleanName(original);
      if (symbolColumn < 0 && (original.Find("直径") >= 0 || original.Find("规格") >= 0)) {
        symbolColumn = static_cast<int>(i);
        named[i].type = kFieldFloat;
      }
      named[i].SetName(ColumnAlias(static_cast<int>(i)).GetString());
      if (target == named[i].GetName()) targetColumn = static_cast<int>(i);
    }
    if (targetColumn < 0) {
      AfxMessageBox("关系式有误!");
      return FALSE;
    }
    int result = ExportTable(file, named, 2, 1, 0, symbolColumn, serial);
    if (result == 1) result = ExportTable(file, named, 2, 2, 0, symbolColumn, serial);
    if (result != 2) return FALSE;
    return QueryColumn(file, expression.GetString(), targetColumn, structure);
  } catch (CException& e) {
    e.ReportError();
    return FALSE;
  }
}
