#include "platform/odbc/DbaseTables.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/core/Charset.h"
#include "platform/core/PathResolve.h"
#include "platform/core/PosixFile.h"
#include "platform/odbc/DbaseFile.h"
#include "platform/odbc/OdbcCalls.h"
#include "platform/odbc/OdbcHandles.h"

namespace platform::odbc {

namespace {

std::string QuoteName(const std::string& utf8) {
  std::string q = "\"";
  for (char c : utf8) {
    q += c;
    if (c == '"') q += '"';
  }
  return q + "\"";
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool EndsWithDbf(const std::string& s) { return s.size() >= 4 && Upper(s.substr(s.size() - 4)) == ".DBF"; }

bool IsAbsolute(const std::string& s) {
  if (s.empty()) return false;
  if (s[0] == '/' || s[0] == '\\') return true;
  return s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':';
}

// The SQL column type a dBase field is loaded as.
std::string SqlTypeOf(const DbaseField& f) {
  switch (f.type) {
    case 'N':
      if (f.decimals == 0 && f.width <= 11) return "Integer";
      return "Numeric(" + std::to_string(f.width) + "," + std::to_string(f.decimals) + ")";
    case 'F':
      return "Double";
    case 'D':
      return "Date";
    case 'L':
      return "Bit";
    default:
      return "Char(" + std::to_string(f.width) + ")";
  }
}

// The two numbers of a declared size "(a,b)", when given.
void SizeOf(const std::string& declared, int& a, int& b) {
  size_t open = declared.find('(');
  if (open == std::string::npos) return;
  std::sscanf(declared.c_str() + open, "(%d,%d", &a, &b);
}

// The dBase field a column of a declared SQL type is written as.
DbaseField FieldOf(const std::string& gbkName, const std::string& declared) {
  DbaseField f;
  f.name = gbkName;
  std::string t = Upper(declared);
  auto starts = [&t](const char* p) { return t.rfind(p, 0) == 0; };
  if (starts("NUMERIC") || starts("DECIMAL") || starts("NUMBER")) {
    int p = 15, s = 0;
    SizeOf(t, p, s);
    f.type = 'N';
    f.width = std::max(1, std::min(p, 254));
    f.decimals = std::max(0, std::min(s, 15));
  } else if (starts("INT") || starts("SMALLINT") || starts("TINYINT") || starts("BIGINT")) {
    f.type = 'N';
    f.width = 11;
  } else if (starts("DOUBLE") || starts("FLOAT") || starts("REAL")) {
    f.type = 'F';
    f.width = 20;
    f.decimals = 6;
  } else if (starts("DATE")) {
    f.type = 'D';
    f.width = 8;
  } else if (starts("BIT") || starts("LOGICAL") || starts("BOOL")) {
    f.type = 'L';
    f.width = 1;
  } else {
    int w = 254, unused = 0;
    SizeOf(t, w, unused);
    f.type = 'C';
    f.width = std::max(1, std::min(w, 254));
  }
  return f;
}

// A table file that nobody may write (the read-only attribute): its table
// is read but never changed.
bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && IsReadOnlyMode(st.st_mode);
}

SQLRETURN FailReadOnly(OdbcHandle& diag, const std::string& path) {
  return diag.Fail("HY000", Utf8ToGbk("[dBase] the table is read-only: " + path));
}

}  // namespace

DbaseTables::DbaseTables(OdbcConnection& connection, std::string folder)
    : connection_(connection), folder_(std::move(folder)) {
  static std::atomic<unsigned> connections{0};
  prefix_ = std::to_string(::getpid()) + "." + std::to_string(++connections) + ":";
}

void DbaseTables::DropAll(OdbcHandle& diag) {
  for (const std::string& path : made_) Run(diag, "DROP TABLE IF EXISTS " + TableName(path));
  made_.clear();
  loaded_.clear();
}

std::string DbaseTables::TablePath(const std::string& gbkName) const {
  std::string name = gbkName;
  if (!EndsWithDbf(name)) name += ".dbf";
  if (IsAbsolute(name)) return ResolvePath(name.c_str());
  std::string folder = folder_.empty() ? std::string(".") : folder_;
  return ResolveUtf8Path(folder + "/" + GbkToUtf8(name));
}

std::string DbaseTables::TableName(const std::string& path) const { return QuoteName(prefix_ + path); }

bool DbaseTables::StampOf(const std::string& path, Stamp& stamp) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.modified = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return true;
}

SQLRETURN DbaseTables::Prepare(OdbcHandle& diag, std::string_view sql, std::string& driverSql,
                               StatementTables& tables, std::vector<std::string>& paths) {
  tables = FindStatementTables(sql);
  paths.clear();
  driverSql.clear();
  size_t at = 0;
  for (const TableReference& ref : tables.tables) {
    std::string path = TablePath(ref.name);
    paths.push_back(path);
    driverSql += GbkToUtf8(sql.substr(at, ref.begin - at));
    driverSql += TableName(path);
    made_.insert(path);
    at = ref.end;
  }
  driverSql += GbkToUtf8(sql.substr(at));
  // A statement that would change a read-only table fails before it runs.
  const bool changes = tables.kind == StatementKind::kInsert || tables.kind == StatementKind::kUpdate ||
                       tables.kind == StatementKind::kDelete || tables.kind == StatementKind::kDropTable;
  for (size_t i = 0; changes && i < tables.tables.size(); ++i) {
    if (tables.tables[i].target && IsReadOnlyFile(paths[i])) return FailReadOnly(diag, paths[i]);
  }
  for (const std::string& path : paths) {
    SQLRETURN rc = Load(diag, path);
    if (rc == SQL_ERROR) return rc;
  }
  return SQL_SUCCESS;
}

SQLRETURN DbaseTables::Finish(OdbcHandle& diag, const StatementTables& tables, const std::vector<std::string>& paths,
                              long long rowCount) {
  for (size_t i = 0; i < tables.tables.size() && i < paths.size(); ++i) {
    if (!tables.tables[i].target) continue;
    const std::string& path = paths[i];
    SQLRETURN rc = SQL_SUCCESS;
    switch (tables.kind) {
      case StatementKind::kCreateTable:
        rc = WriteFile(diag, path);
        if (rc != SQL_ERROR) {
          // Loaded again so that the table has the file's (perhaps cut)
          // field names.
          loaded_.erase(path);
          rc = Load(diag, path);
        }
        break;
      case StatementKind::kDropTable:
        loaded_.erase(path);
        // A file that stays fails the statement; its table comes back from
        // the file before the next statement.
        if (std::remove(path.c_str()) != 0 && errno != ENOENT) {
          const int error = errno;
          rc = diag.Fail("HY000", Utf8ToGbk("[dBase] cannot delete " + path + ": " + std::strerror(error)));
        }
        break;
      case StatementKind::kInsert:
        if (rowCount == 1) rc = AppendLastRow(diag, path);
        else if (rowCount != 0) rc = WriteFile(diag, path);
        break;
      case StatementKind::kUpdate:
      case StatementKind::kDelete:
        if (rowCount != 0) rc = WriteFile(diag, path);
        break;
      default:
        break;
    }
    if (rc == SQL_ERROR) return rc;
  }
  return SQL_SUCCESS;
}

SQLRETURN DbaseTables::Load(OdbcHandle& diag, const std::string& path) {
  Stamp stamp;
  const std::string table = TableName(path);
  if (!StampOf(path, stamp)) {
    loaded_.erase(path);
    // A table of the scratch database whose file is gone is gone too.
    return Run(diag, "DROP TABLE IF EXISTS " + table);
  }
  auto it = loaded_.find(path);
  if (it != loaded_.end() && it->second == stamp) return SQL_SUCCESS;
  std::unique_ptr<DbaseFile> file = DbaseFile::Open(path, false);
  if (!file) return diag.Fail("HY000", Utf8ToGbk("[dBase] not a dBase table: " + path));

  const OdbcCalls* calls = GetOdbcCalls();
  std::string create = "CREATE TABLE " + table + "(";
  std::string insert = "INSERT INTO " + table + " VALUES(";
  const std::vector<DbaseField>& fields = file->Fields();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) create += ",", insert += ",";
    create += QuoteName(GbkToUtf8(fields[i].name)) + " " + SqlTypeOf(fields[i]);
    insert += "?";
  }
  create += ")";
  insert += ")";
  if (Run(diag, "DROP TABLE IF EXISTS " + table) == SQL_ERROR || Run(diag, create) == SQL_ERROR) return SQL_ERROR;
  if (fields.empty() || file->RecordCount() == 0) {
    loaded_[path] = stamp;
    return SQL_SUCCESS;
  }

  // All records in one transaction, through one prepared INSERT.
  SQLHANDLE dbc = connection_.real;
  calls->SetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
  SQLHANDLE stmt = nullptr;
  SQLRETURN rc = calls->AllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
  if (SQL_SUCCEEDED(rc)) rc = calls->Prepare(stmt, reinterpret_cast<SQLCHAR*>(insert.data()), SQL_NTS);
  std::vector<std::string> texts(fields.size());
  std::vector<SQLLEN> lengths(fields.size());
  for (int r = 0, n = file->RecordCount(); SQL_SUCCEEDED(rc) && r < n; ++r) {
    if (file->IsDeleted(r)) continue;
    std::vector<DbaseValue> values = file->ReadRecord(r);
    for (size_t i = 0; i < fields.size() && SQL_SUCCEEDED(rc); ++i) {
      texts[i] = values[i].null ? std::string() : GbkToUtf8(values[i].text);
      lengths[i] = values[i].null ? SQL_NULL_DATA : static_cast<SQLLEN>(texts[i].size());
      rc = calls->BindParameter(stmt, static_cast<SQLUSMALLINT>(i + 1), 1 /* input */, SQL_C_CHAR, SQL_VARCHAR,
                                texts[i].size() + 1, 0, texts[i].data(), static_cast<SQLLEN>(texts[i].size()),
                                &lengths[i]);
    }
    if (SQL_SUCCEEDED(rc)) rc = calls->Execute(stmt);
  }
  if (!SQL_SUCCEEDED(rc) && stmt) CopyDriverDiagnostics(SQL_HANDLE_STMT, stmt, diag);
  if (stmt) calls->FreeHandle(SQL_HANDLE_STMT, stmt);
  calls->EndTran(SQL_HANDLE_DBC, dbc, SQL_SUCCEEDED(rc) ? SQL_COMMIT : SQL_ROLLBACK);
  calls->SetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
  if (!SQL_SUCCEEDED(rc)) {
    if (diag.own.empty()) diag.Fail("HY000", Utf8ToGbk("[dBase] cannot load " + path));
    return SQL_ERROR;
  }
  loaded_[path] = stamp;
  return SQL_SUCCESS;
}

SQLRETURN DbaseTables::WriteFile(OdbcHandle& diag, const std::string& path) {
  // A table whose file is not written is loaded from the file again when it
  // is next used, so that it shows what the file holds.
  if (IsReadOnlyFile(path)) {
    loaded_.erase(path);
    return FailReadOnly(diag, path);
  }
  const std::string table = TableName(path);
  std::vector<std::vector<std::pair<bool, std::string>>> columns;
  if (Query(diag, "PRAGMA table_info(" + table + ")", columns) == SQL_ERROR) return SQL_ERROR;
  std::vector<DbaseField> fields;
  for (const auto& c : columns) {
    if (c.size() < 3) continue;
    fields.push_back(FieldOf(Utf8ToGbk(c[1].second), c[2].second));
  }
  std::vector<std::vector<std::pair<bool, std::string>>> rows;
  if (Query(diag, "SELECT * FROM " + table, rows) == SQL_ERROR) return SQL_ERROR;

  // Written beside the file and renamed over it, so a failure keeps the
  // old file.
  const std::string temp = path + ".new.dbf";
  std::string error, state = "HY000";
  std::unique_ptr<DbaseFile> file = DbaseFile::Create(temp, fields, error);
  bool ok = file != nullptr;
  for (size_t r = 0; ok && r < rows.size(); ++r) {
    std::vector<DbaseValue> values(rows[r].size());
    for (size_t i = 0; i < rows[r].size(); ++i) {
      values[i].null = !rows[r][i].first;
      values[i].text = Utf8ToGbk(rows[r][i].second);
    }
    ok = file->AppendRecord(values, state, error);
  }
  if (file) ok = file->Close(true, error) && ok;
  file.reset();
  if (ok && RenameCall(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = "cannot write " + path + ": " + std::strerror(errno);
  }
  if (!ok) {
    std::remove(temp.c_str());
    loaded_.erase(path);
    if (error.empty()) error = "cannot write " + path;
    return diag.Fail(state.c_str(), Utf8ToGbk("[dBase] " + error));
  }
  Stamp stamp;
  if (StampOf(path, stamp)) loaded_[path] = stamp;
  return SQL_SUCCESS;
}

SQLRETURN DbaseTables::AppendLastRow(OdbcHandle& diag, const std::string& path) {
  const std::string table = TableName(path);
  std::vector<std::vector<std::pair<bool, std::string>>> rows;
  if (Query(diag, "SELECT rowid, * FROM " + table + " WHERE rowid = last_insert_rowid()", rows) == SQL_ERROR)
    return SQL_ERROR;
  if (rows.size() != 1) return WriteFile(diag, path);
  std::vector<DbaseValue> values(rows[0].size() - 1);
  for (size_t i = 1; i < rows[0].size(); ++i) {
    values[i - 1].null = !rows[0][i].first;
    values[i - 1].text = Utf8ToGbk(rows[0][i].second);
  }
  std::string state, error;
  std::unique_ptr<DbaseFile> file = DbaseFile::Open(path, true);
  if (!file) {
    state = "HY000";
    error = "cannot open " + path + " for writing";
  } else if (file->Fields().size() == values.size() && file->AppendRecord(values, state, error) &&
             file->Close(false, error)) {
    file.reset();
    Stamp stamp;
    if (StampOf(path, stamp)) loaded_[path] = stamp;
    return SQL_SUCCESS;
  } else if (error.empty()) {
    state = "21S01";
    error = "the row does not match the fields of " + path;
  } else if (state.empty()) {
    state = "HY000";  // the file could not be written; closing put it back as it was
  }
  file.reset();
  // The file refused the row: the table gives it up too, so both stay in
  // step and the statement fails.
  Run(diag, "DELETE FROM " + table + " WHERE rowid = " + rows[0][0].second);
  return diag.Fail(state.c_str(), Utf8ToGbk("[dBase] " + error));
}

bool DbaseTables::Execute(OdbcHandle& diag, const std::string& driverSql, SQLHANDLE& stmt, SQLRETURN& rc) {
  const OdbcCalls* calls = GetOdbcCalls();
  stmt = nullptr;
  rc = calls->AllocHandle(SQL_HANDLE_STMT, connection_.real, &stmt);
  if (!SQL_SUCCEEDED(rc)) {
    CopyDriverDiagnostics(SQL_HANDLE_DBC, connection_.real, diag);
    return false;
  }
  std::string text = driverSql;
  rc = calls->ExecDirect(stmt, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
  return true;
}

SQLRETURN DbaseTables::Run(OdbcHandle& diag, const std::string& driverSql) {
  SQLHANDLE stmt = nullptr;
  SQLRETURN rc = SQL_ERROR;
  if (!Execute(diag, driverSql, stmt, rc)) return SQL_ERROR;
  if (rc == SQL_ERROR) CopyDriverDiagnostics(SQL_HANDLE_STMT, stmt, diag);
  GetOdbcCalls()->FreeHandle(SQL_HANDLE_STMT, stmt);
  return rc == SQL_ERROR ? SQL_ERROR : SQL_SUCCESS;
}

SQLRETURN DbaseTables::Query(OdbcHandle& diag, const std::string& driverSql,
                             std::vector<std::vector<std::pair<bool, std::string>>>& rows) {
  const OdbcCalls* calls = GetOdbcCalls();
  rows.clear();
  SQLHANDLE stmt = nullptr;
  SQLRETURN rc = SQL_ERROR;
  if (!Execute(diag, driverSql, stmt, rc)) return SQL_ERROR;
  SQLSMALLINT columns = 0;
  if (SQL_SUCCEEDED(rc)) rc = calls->NumResultCols(stmt, &columns);
  while (SQL_SUCCEEDED(rc)) {
    rc = calls->Fetch(stmt);
    if (rc == SQL_NO_DATA) {
      rc = SQL_SUCCESS;
      break;
    }
    if (!SQL_SUCCEEDED(rc)) break;
    std::vector<std::pair<bool, std::string>> row(columns);
    for (SQLSMALLINT c = 0; c < columns && SQL_SUCCEEDED(rc); ++c) {
      // Read in pieces, so a value of any length comes whole.
      std::string value;
      char piece[256];
      SQLLEN length = 0;
      while (true) {
        rc = calls->GetData(stmt, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR, piece, sizeof piece, &length);
        if (rc == SQL_NO_DATA) {
          rc = SQL_SUCCESS;
          break;
        }
        if (!SQL_SUCCEEDED(rc) || length == SQL_NULL_DATA) break;
        size_t got = (length >= 0 && length < static_cast<SQLLEN>(sizeof piece)) ? static_cast<size_t>(length)
                                                                                  : sizeof piece - 1;
        value.append(piece, got);
        if (rc == SQL_SUCCESS) break;
      }
      row[c] = {length != SQL_NULL_DATA, value};
    }
    rows.push_back(std::move(row));
  }
  if (!SQL_SUCCEEDED(rc)) CopyDriverDiagnostics(SQL_HANDLE_STMT, stmt, diag);
  calls->FreeHandle(SQL_HANDLE_STMT, stmt);
  return SQL_SUCCEEDED(rc) ? SQL_SUCCESS : SQL_ERROR;
}

}  // namespace platform::odbc
