#include "platform/odbc/extension/DbaseModule.h"

SQLITE_EXTENSION_INIT3

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/odbc/DbaseFile.h"
#include "platform/odbc/extension/WriteLock.h"

namespace platform::odbc {

namespace {

// How long a writer waits for another's lock on the file.
constexpr int kLockTimeoutMs = 30000;

// A row of a transaction. Rows stay in ascending order of rowid; a deleted
// one stays too, marked, so that finding and deleting rows by rowid never
// moves the others.
struct Row {
  sqlite3_int64 rowid = 0;
  std::vector<DbaseValue> values;
  bool deleted = false;
};

// The place of a rowid in rows of ascending rowids.
size_t RowIndex(const std::vector<Row>& rows, sqlite3_int64 rowid) {
  return static_cast<size_t>(
      std::lower_bound(rows.begin(), rows.end(), rowid, [](const Row& r, sqlite3_int64 id) { return r.rowid < id; }) -
      rows.begin());
}

// What a transaction changed: rows to append to the file, or (once a row
// was updated or deleted) every row of the table, to be written whole.
struct Changes {
  bool whole = false;
  std::vector<Row> rows;
};

// What tells one state of a file from another.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modified = 0;
  bool operator==(const FileStamp&) const = default;
};

bool StampOf(const std::string& path, FileStamp& stamp) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  stamp = {st.st_dev, st.st_ino, st.st_size,
           static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
  return true;
}

struct DbaseTable : sqlite3_vtab {
  std::string path;
  std::vector<DbaseField> fields;
  // A row's rowid is its record's number in the file, except in the file
  // this table wrote whole last (while nobody changed it since): there each
  // row keeps the rowid it had before, so that rowids a program fetched
  // stay good after its own deletes (which leave the records out).
  bool numbered = false;
  FileStamp numberedStamp;
  // A scan keeps the numbers it started with, so they are replaced, never
  // changed.
  using Ids = std::shared_ptr<const std::vector<sqlite3_int64>>;
  Ids ids;
  // The transaction's state: the lock, the file as it opened (for writing)
  // and what changed; one saved state for each open savepoint.
  WriteLock lock;
  std::unique_ptr<DbaseFile> file;
  int fileRecords = 0;
  Ids fileIds;  // the rowids of the file's records, when numbered
  sqlite3_int64 nextRowid = 0;
  Changes changes;
  std::vector<Changes> savepoints;
};

struct DbaseCursor : sqlite3_vtab_cursor {
  std::unique_ptr<DbaseFile> file;
  int fileRecords = 0;
  DbaseTable::Ids ids;
  int record = 0;   // the next record of the file
  size_t next = 0;  // the next row of the changes
  bool onlyRowid = false;
  sqlite3_int64 wanted = 0;
  bool eof = true;
  sqlite3_int64 rowid = 0;
  std::vector<DbaseValue> values;
};

DbaseTable* TableOf(sqlite3_vtab* v) { return static_cast<DbaseTable*>(v); }
DbaseCursor* CursorOf(sqlite3_vtab_cursor* c) { return static_cast<DbaseCursor*>(c); }

// The rowids of the file's records as the table numbered them, or null
// when they are the records' numbers.
DbaseTable::Ids IdsOf(DbaseTable* t) {
  FileStamp now;
  if (t->numbered && StampOf(t->path, now) && now == t->numberedStamp) return t->ids;
  t->numbered = false;
  t->ids.reset();
  return nullptr;
}

sqlite3_int64 RowidOf(const DbaseTable::Ids& ids, int record) {
  return ids && static_cast<size_t>(record) < ids->size() ? (*ids)[static_cast<size_t>(record)] : record;
}

int Fail(sqlite3_vtab* v, const char* state, const std::string& message) {
  sqlite3_free(v->zErrMsg);
  v->zErrMsg = sqlite3_mprintf("[dBase] %s %s", state, message.c_str());
  return SQLITE_ERROR;
}

std::string Unquote(const char* arg) {
  std::string s = arg;
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  if (s.size() >= 2 && (s.front() == '\'' || s.front() == '"') && s.back() == s.front()) {
    const char q = s.front();
    std::string out;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
      out += s[i];
      if (s[i] == q && s[i + 1] == q) ++i;
    }
    return out;
  }
  return s;
}

bool SameFields(const std::vector<DbaseField>& a, const std::vector<DbaseField>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].type != b[i].type || a[i].width != b[i].width ||
        a[i].decimals != b[i].decimals)
      return false;
  }
  return true;
}

// Opens the table's file for reading or writing; fails, with the table's
// error set, when it is gone, is not a dBase table or has other fields now.
std::unique_ptr<DbaseFile> OpenFile(DbaseTable* t, bool write) {
  std::unique_ptr<DbaseFile> file = DbaseFile::Open(t->path, write);
  if (!file) {
    Fail(t, "HY000", "not a dBase table: " + t->path);
  } else if (!SameFields(file->Fields(), t->fields)) {
    Fail(t, "HY000", "the fields of " + t->path + " changed: the table must be opened again");
    file.reset();
  }
  return file;
}

int Connect(sqlite3* db, void*, int argc, const char* const* argv, sqlite3_vtab** out, char** error) {
  if (argc < 4) {
    *error = sqlite3_mprintf("[dBase] HY000 a dBase table needs its file: USING dbase('path.dbf')");
    return SQLITE_ERROR;
  }
  auto t = std::make_unique<DbaseTable>();
  t->path = Unquote(argv[3]);
  std::unique_ptr<DbaseFile> file = DbaseFile::Open(t->path, false);
  if (!file) {
    *error = sqlite3_mprintf("[dBase] HY000 not a dBase table: %s", t->path.c_str());
    return SQLITE_ERROR;
  }
  t->fields = file->Fields();
  std::string schema = "CREATE TABLE x(";
  for (size_t i = 0; i < t->fields.size(); ++i) {
    if (i) schema += ",";
    schema += "\"";
    for (char c : GbkToUtf8(t->fields[i].name)) {
      schema += c;
      if (c == '"') schema += '"';
    }
    schema += "\" " + DbaseSqlType(t->fields[i]);
  }
  schema += ")";
  int rc = sqlite3_declare_vtab(db, schema.c_str());
  if (rc != SQLITE_OK) {
    *error = sqlite3_mprintf("[dBase] HY000 the fields of %s cannot be a table: %s", t->path.c_str(),
                             sqlite3_errmsg(db));
    return rc;
  }
  *out = t.release();
  (*out)->zErrMsg = nullptr;
  (*out)->nRef = 0;
  (*out)->pModule = nullptr;
  return SQLITE_OK;
}

int Disconnect(sqlite3_vtab* v) {
  sqlite3_free(v->zErrMsg);
  delete TableOf(v);
  return SQLITE_OK;
}

// A whole scan, or the row of one rowid (what a positioned change asks).
int BestIndex(sqlite3_vtab*, sqlite3_index_info* info) {
  for (int i = 0; i < info->nConstraint; ++i) {
    const auto& c = info->aConstraint[i];
    if (c.usable && c.iColumn == -1 && c.op == SQLITE_INDEX_CONSTRAINT_EQ) {
      info->aConstraintUsage[i].argvIndex = 1;
      info->aConstraintUsage[i].omit = 1;
      info->idxNum = 1;
      info->estimatedCost = 1;
      info->estimatedRows = 1;
      return SQLITE_OK;
    }
  }
  info->idxNum = 0;
  info->estimatedCost = 1000000;
  return SQLITE_OK;
}

int Open(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
  *out = new DbaseCursor();
  return SQLITE_OK;
}

int Close(sqlite3_vtab_cursor* c) {
  delete CursorOf(c);
  return SQLITE_OK;
}

// Moves to the next row the cursor shows: the file's records not deleted
// (unless the transaction holds the whole table), then the rows the
// transaction added.
int Advance(DbaseCursor* c) {
  DbaseTable* t = TableOf(c->pVtab);
  while (true) {
    if (c->file && !t->changes.whole && c->record < c->fileRecords) {
      const int r = c->record++;
      if (c->file->IsDeleted(r)) continue;
      const sqlite3_int64 rowid = RowidOf(c->ids, r);
      if (c->onlyRowid && rowid != c->wanted) {
        // Records of rowids in ascending order: past the one asked for,
        // the file holds it no more.
        if (rowid > c->wanted) c->record = c->fileRecords;
        continue;
      }
      c->rowid = rowid;
      c->values = c->file->ReadRecord(r);
      c->eof = false;
      return SQLITE_OK;
    }
    if (c->next < t->changes.rows.size()) {
      const Row& row = t->changes.rows[c->next++];
      if (row.deleted || (c->onlyRowid && row.rowid != c->wanted)) continue;
      c->rowid = row.rowid;
      c->values = row.values;
      c->eof = false;
      return SQLITE_OK;
    }
    c->eof = true;
    return SQLITE_OK;
  }
}

int Filter(sqlite3_vtab_cursor* cursor, int idxNum, const char*, int argc, sqlite3_value** argv) {
  DbaseCursor* c = CursorOf(cursor);
  DbaseTable* t = TableOf(c->pVtab);
  c->onlyRowid = idxNum == 1 && argc == 1;
  if (c->onlyRowid) {
    if (sqlite3_value_numeric_type(argv[0]) != SQLITE_INTEGER) {
      c->eof = true;
      return SQLITE_OK;
    }
    c->wanted = sqlite3_value_int64(argv[0]);
  }
  c->record = 0;
  c->next = c->onlyRowid ? RowIndex(t->changes.rows, c->wanted) : 0;
  c->file.reset();
  c->fileRecords = 0;
  if (!t->changes.whole) {
    // In a transaction the file is the one locked; outside one, the file
    // as it is now.
    c->file = OpenFile(t, false);
    if (!c->file) return SQLITE_ERROR;
    c->fileRecords = t->file ? t->fileRecords : c->file->RecordCount();
    c->ids = t->file ? t->fileIds : IdsOf(t);
    if (c->onlyRowid) {
      if (c->ids) {
        c->record = static_cast<int>(std::lower_bound(c->ids->begin(), c->ids->end(), c->wanted) - c->ids->begin());
      } else if (c->wanted >= 0) {
        c->record = static_cast<int>(std::min<sqlite3_int64>(c->wanted, c->fileRecords));
      } else {
        c->record = c->fileRecords;
      }
    }
  }
  return Advance(c);
}

int Next(sqlite3_vtab_cursor* c) { return Advance(CursorOf(c)); }

int Eof(sqlite3_vtab_cursor* c) { return CursorOf(c)->eof ? 1 : 0; }

// A value as SQLite would hold it in a column of the field's declared
// type: texts of Char and Date, integers of Integer and Bit, numbers of
// Numeric (an integer when the value is whole), reals of Double.
int Column(sqlite3_vtab_cursor* cursor, sqlite3_context* ctx, int i) {
  DbaseCursor* c = CursorOf(cursor);
  DbaseTable* t = TableOf(c->pVtab);
  if (i < 0 || static_cast<size_t>(i) >= c->values.size() || static_cast<size_t>(i) >= t->fields.size()) {
    sqlite3_result_null(ctx);
    return SQLITE_OK;
  }
  const DbaseValue& v = c->values[static_cast<size_t>(i)];
  const DbaseField& f = t->fields[static_cast<size_t>(i)];
  if (v.null) {
    sqlite3_result_null(ctx);
    return SQLITE_OK;
  }
  if (f.type == 'N' || f.type == 'F' || f.type == 'L') {
    char* end = nullptr;
    errno = 0;
    const double d = std::strtod(v.text.c_str(), &end);
    if (end && *end == '\0' && end != v.text.c_str() && errno == 0) {
      if (f.type != 'F' && std::floor(d) == d && std::fabs(d) < 9.0e18) {
        sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
      } else {
        sqlite3_result_double(ctx, d);
      }
      return SQLITE_OK;
    }
  }
  const std::string utf8 = GbkToUtf8(v.text);
  sqlite3_result_text(ctx, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  return SQLITE_OK;
}

int Rowid(sqlite3_vtab_cursor* c, sqlite3_int64* rowid) {
  *rowid = CursorOf(c)->rowid;
  return SQLITE_OK;
}

int Begin(sqlite3_vtab* v) {
  DbaseTable* t = TableOf(v);
  std::string error;
  switch (t->lock.Acquire(t->path, kLockTimeoutMs, error)) {
    case WriteLock::Result::kLocked:
      break;
    case WriteLock::Result::kReadOnly:
      return Fail(v, "HY000", "the table is read-only: " + t->path);
    case WriteLock::Result::kTimedOut:
      return Fail(v, "HYT00", "another writer holds the lock of " + t->path);
    case WriteLock::Result::kFailed:
      return Fail(v, "HY000", error);
  }
  t->file = OpenFile(t, true);
  if (!t->file) {
    t->lock.Release();
    return SQLITE_ERROR;
  }
  t->fileRecords = t->file->RecordCount();
  t->fileIds = IdsOf(t);
  t->nextRowid = t->fileIds ? (t->fileIds->empty() ? 0 : t->fileIds->back() + 1) : t->fileRecords;
  t->changes = Changes();
  t->savepoints.clear();
  return SQLITE_OK;
}

void EndTransaction(DbaseTable* t) {
  t->file.reset();
  t->fileIds = nullptr;
  t->changes = Changes();
  t->savepoints.clear();
  t->lock.Release();
}

// Takes every row of the file into the transaction, so that rows can be
// changed and the file written whole.
void TakeWhole(DbaseTable* t) {
  if (t->changes.whole) return;
  std::vector<Row> rows;
  for (int r = 0; r < t->fileRecords; ++r) {
    if (!t->file->IsDeleted(r)) rows.push_back({RowidOf(t->fileIds, r), t->file->ReadRecord(r)});
  }
  for (Row& added : t->changes.rows) rows.push_back(std::move(added));
  t->changes.rows = std::move(rows);
  t->changes.whole = true;
}

Row* FindRow(DbaseTable* t, sqlite3_int64 rowid) {
  const size_t i = RowIndex(t->changes.rows, rowid);
  if (i == t->changes.rows.size()) return nullptr;
  Row& row = t->changes.rows[i];
  return row.rowid == rowid && !row.deleted ? &row : nullptr;
}

int Update(sqlite3_vtab* v, int argc, sqlite3_value** argv, sqlite3_int64* newRowid) {
  DbaseTable* t = TableOf(v);
  if (!t->file) return Fail(v, "HY000", "the table is not open for writing: " + t->path);
  if (argc == 1) {  // DELETE
    TakeWhole(t);
    if (Row* row = FindRow(t, sqlite3_value_int64(argv[0]))) row->deleted = true;
    return SQLITE_OK;
  }
  std::vector<DbaseValue> values(t->fields.size());
  for (size_t i = 0; i < values.size() && static_cast<int>(i) + 2 < argc; ++i) {
    sqlite3_value* value = argv[i + 2];
    if (sqlite3_value_type(value) == SQLITE_NULL) continue;
    const unsigned char* text = sqlite3_value_text(value);
    values[i].null = false;
    values[i].text = Utf8ToGbk(text ? reinterpret_cast<const char*>(text) : "");
  }
  std::string state, error;
  if (!t->file->CheckRecord(values, state, error)) return Fail(v, state.c_str(), error);
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {  // INSERT
    const sqlite3_int64 rowid = t->nextRowid++;
    t->changes.rows.push_back({rowid, std::move(values)});
    *newRowid = rowid;
    return SQLITE_OK;
  }
  TakeWhole(t);  // UPDATE
  Row* row = FindRow(t, sqlite3_value_int64(argv[0]));
  if (!row) return Fail(v, "HY000", "the row is gone from " + t->path);
  row->values = std::move(values);
  return SQLITE_OK;
}

// Writes what the transaction changed: the rows added appended to the
// file, or the table written whole beside the file and renamed over it.
int Sync(sqlite3_vtab* v) {
  DbaseTable* t = TableOf(v);
  if (!t->file) return SQLITE_OK;
  std::string state = "HY000", error;
  if (!t->changes.whole) {
    if (t->changes.rows.empty()) return SQLITE_OK;
    for (const Row& row : t->changes.rows) {
      if (!t->file->AppendRecord(row.values, state, error)) return Fail(v, state.c_str(), error);
    }
    // Rows appended take the next numbers, so only a numbered file needs
    // its numbers and its new state noted.
    if (t->fileIds) {
      auto ids = std::make_shared<std::vector<sqlite3_int64>>(*t->fileIds);
      for (const Row& row : t->changes.rows) ids->push_back(row.rowid);
      t->ids = std::move(ids);
      t->file.reset();  // closed, so that every byte is written
      t->numbered = StampOf(t->path, t->numberedStamp);
    }
    t->changes.rows.clear();
    return SQLITE_OK;
  }
  const std::string temp = t->path + ".new.dbf";
  std::unique_ptr<DbaseFile> file = DbaseFile::Create(temp, t->fields, error);
  bool ok = file != nullptr;
  for (size_t r = 0; ok && r < t->changes.rows.size(); ++r) {
    if (!t->changes.rows[r].deleted) ok = file->AppendRecord(t->changes.rows[r].values, state, error);
  }
  // Closed with its header written and on the disk, so that a write that
  // fails fails the statement.
  if (file) ok = file->Close(true, error) && ok;
  file.reset();
  // The new file is locked before it takes the path: another writer must
  // not change it before this transaction ends (it would find it free the
  // moment it is renamed, while this table notes the file as it wrote it).
  if (ok) ok = t->lock.LockReplacement(temp, error);
  if (!ok || std::rename(temp.c_str(), t->path.c_str()) != 0) {
    if (ok) error = "cannot write " + t->path + ": " + std::strerror(errno);
    t->lock.DropReplacement();
    std::remove(temp.c_str());
    return Fail(v, state.c_str(), error.empty() ? "cannot write " + t->path : error);
  }
  t->lock.TakeReplacement();
  auto ids = std::make_shared<std::vector<sqlite3_int64>>();
  for (const Row& row : t->changes.rows) {
    if (!row.deleted) ids->push_back(row.rowid);
  }
  t->ids = std::move(ids);
  t->numbered = StampOf(t->path, t->numberedStamp);
  t->changes = Changes();
  return SQLITE_OK;
}

int Commit(sqlite3_vtab* v) {
  EndTransaction(TableOf(v));
  return SQLITE_OK;
}

int Rollback(sqlite3_vtab* v) {
  EndTransaction(TableOf(v));
  return SQLITE_OK;
}

int Savepoint(sqlite3_vtab* v, int n) {
  DbaseTable* t = TableOf(v);
  t->savepoints.resize(static_cast<size_t>(n));
  t->savepoints.push_back(t->changes);
  return SQLITE_OK;
}

int Release(sqlite3_vtab* v, int n) {
  DbaseTable* t = TableOf(v);
  if (static_cast<size_t>(n) < t->savepoints.size()) t->savepoints.resize(static_cast<size_t>(n));
  return SQLITE_OK;
}

int RollbackTo(sqlite3_vtab* v, int n) {
  DbaseTable* t = TableOf(v);
  if (static_cast<size_t>(n) < t->savepoints.size()) {
    t->changes = t->savepoints[static_cast<size_t>(n)];
    t->savepoints.resize(static_cast<size_t>(n) + 1);
  }
  return SQLITE_OK;
}

sqlite3_module MakeModule() {
  sqlite3_module m = {};
  m.iVersion = 2;
  m.xCreate = Connect;
  m.xConnect = Connect;
  m.xBestIndex = BestIndex;
  m.xDisconnect = Disconnect;
  m.xDestroy = Disconnect;
  m.xOpen = Open;
  m.xClose = Close;
  m.xFilter = Filter;
  m.xNext = Next;
  m.xEof = Eof;
  m.xColumn = Column;
  m.xRowid = Rowid;
  m.xUpdate = Update;
  m.xBegin = Begin;
  m.xSync = Sync;
  m.xCommit = Commit;
  m.xRollback = Rollback;
  m.xSavepoint = Savepoint;
  m.xRelease = Release;
  m.xRollbackTo = RollbackTo;
  return m;
}

const sqlite3_module kModule = MakeModule();

}  // namespace

int RegisterDbaseModule(sqlite3* db) { return sqlite3_create_module(db, "dbase", &kModule, nullptr); }

}  // namespace platform::odbc
