#include "platform/odbc/DbaseTables.h"

#include <sys/stat.h>

#include <algorithm>
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
    : connection_(connection), folder_(std::move(folder)) {}

std::string DbaseTables::TablePath(const std::string& gbkName) const {
  std::string name = gbkName;
  if (!EndsWithDbf(name)) name += ".dbf";
  if (IsAbsolute(name)) return ResolvePath(name.c_str());
  std::string folder = folder_.empty() ? std::string(".") : folder_;
  return ResolveUtf8Path(folder + "/" + GbkToUtf8(name));
}

std::string DbaseTables::TableName(const std::string& path) { return "temp." + QuoteName(path); }

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
    driverSql += GbkToUtf8(sql.substr(at, ref.begin - at));
    driverSql += TableName(path);
    paths.push_back(std::move(path));
    at = ref.end;
  }
  driverSql += GbkToUtf8(sql.substr(at));
  // A statement that would change a read-only table fails before it runs.
  const bool changes = tables.kind == StatementKind::kInsert || tables.kind == StatementKind::kUpdate ||
                       tables.kind == StatementKind::kDelete || tables.kind == StatementKind::kDropTable;
  for (size_t i = 0; changes && i < tables.tables.size(); ++i) {
    if (tables.tables[i].target && IsReadOnlyFile(paths[i])) return FailReadOnly(diag, paths[i]);
  }
  for (size_t i = 0; i < paths.size(); ++i) {
    // The table CREATE TABLE names is made by the statement.
    if (tables.kind == StatementKind::kCreateTable && tables.tables[i].target) continue;
    if (Offer(diag, paths[i]) == SQL_ERROR) return SQL_ERROR;
  }
  return SQL_SUCCESS;
}

SQLRETURN DbaseTables::Finish(OdbcHandle& diag, const StatementTables& tables, const std::vector<std::string>& paths) {
  for (size_t i = 0; i < tables.tables.size() && i < paths.size(); ++i) {
    if (!tables.tables[i].target) continue;
    const std::string& path = paths[i];
    if (tables.kind == StatementKind::kCreateTable) {
      if (WriteNewFile(diag, path) == SQL_ERROR) return SQL_ERROR;
    } else if (tables.kind == StatementKind::kDropTable) {
      opened_.erase(path);
      // A file that stays fails the statement; its table comes back before
      // the next statement that names it.
      if (std::remove(path.c_str()) != 0 && errno != ENOENT) {
        const int error = errno;
        return diag.Fail("HY000", Utf8ToGbk("[dBase] cannot delete " + path + ": " + std::strerror(error)));
      }
    }
  }
  return SQL_SUCCESS;
}

SQLRETURN DbaseTables::Offer(OdbcHandle& diag, const std::string& path) {
  const std::string table = TableName(path);
  Stamp stamp;
  auto it = opened_.find(path);
  if (!StampOf(path, stamp)) {
    // A file that is gone is a table no more.
    if (it == opened_.end()) return SQL_SUCCESS;
    opened_.erase(it);
    return Run(diag, "DROP TABLE IF EXISTS " + table);
  }
  if (it != opened_.end() && it->second.stamp == stamp) return SQL_SUCCESS;
  // The fields of the file as it is now; its table is made again only when
  // they are not those of the table.
  std::unique_ptr<DbaseFile> file = DbaseFile::Open(path, false);
  std::vector<DbaseField> fields;
  if (file) fields = file->Fields();
  file.reset();
  if (it != opened_.end()) {
    const auto& known = it->second.fields;
    const bool same = known.size() == fields.size() &&
                      std::equal(known.begin(), known.end(), fields.begin(), [](const auto& a, const auto& b) {
                        return a.name == b.name && a.type == b.type && a.width == b.width && a.decimals == b.decimals;
                      });
    if (same) {
      it->second.stamp = stamp;
      return SQL_SUCCESS;
    }
    opened_.erase(it);
    if (Run(diag, "DROP TABLE IF EXISTS " + table) == SQL_ERROR) return SQL_ERROR;
  }
  std::string literal = "'";
  for (char c : path) {
    literal += c;
    if (c == '\'') literal += c;
  }
  literal += "'";
  if (Run(diag, "CREATE VIRTUAL TABLE " + table + " USING dbase(" + literal + ")") == SQL_ERROR) return SQL_ERROR;
  opened_[path] = {stamp, std::move(fields)};
  return SQL_SUCCESS;
}

SQLRETURN DbaseTables::WriteNewFile(OdbcHandle& diag, const std::string& path) {
  const std::string table = TableName(path);
  std::vector<std::vector<std::pair<bool, std::string>>> columns;
  SQLRETURN rc = Query(diag, "PRAGMA temp.table_info(" + QuoteName(path) + ")", columns);
  std::vector<DbaseField> fields;
  for (const auto& c : columns) {
    if (c.size() >= 3) fields.push_back(FieldOf(Utf8ToGbk(c[1].second), c[2].second));
  }
  // The table the statement made only carried the fields: the file's table
  // takes its place.
  OdbcHandle dropDiag(diag.Type());
  Run(dropDiag, "DROP TABLE IF EXISTS " + table);
  if (rc == SQL_ERROR) return rc;
  if (IsReadOnlyFile(path)) return FailReadOnly(diag, path);
  // Written beside the file and renamed over it, so a failure keeps a file
  // that was there.
  const std::string temp = path + ".new.dbf";
  std::string error;
  std::unique_ptr<DbaseFile> file = DbaseFile::Create(temp, fields, error);
  bool ok = file != nullptr;
  if (file) ok = file->Close(true, error) && ok;
  file.reset();
  if (ok && RenameCall(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = "cannot write " + path + ": " + std::strerror(errno);
  }
  if (!ok) {
    std::remove(temp.c_str());
    if (error.empty()) error = "cannot write " + path;
    return diag.Fail("HY000", Utf8ToGbk("[dBase] " + error));
  }
  return Offer(diag, path);
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
