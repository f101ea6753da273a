// This library's ODBC functions: each checks its handle, forwards to the
// driver manager, and adds the dBase tables and the GBK conversions (see
// Sql.h, DbaseTables.h).
#include "platform/odbc/Sql.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/odbc/CallFailure.h"
#include "platform/odbc/DbaseTables.h"
#include "platform/odbc/OdbcCalls.h"
#include "platform/odbc/OdbcHandles.h"

using namespace platform::odbc;

namespace {

// The handles alive, so that a stale or foreign handle is answered with
// SQL_INVALID_HANDLE rather than followed.
std::mutex g_handlesMutex;
std::unordered_set<const OdbcHandle*>& Handles() {
  static std::unordered_set<const OdbcHandle*> handles;
  return handles;
}

template <class T>
T* Lookup(SQLHANDLE h, SQLSMALLINT type) {
  if (!h) return nullptr;
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  auto* p = static_cast<OdbcHandle*>(h);
  if (!Handles().count(p) || p->Type() != type) return nullptr;
  return static_cast<T*>(p);
}

OdbcHandle* LookupAny(SQLSMALLINT type, SQLHANDLE h) {
  if (type == SQL_HANDLE_ENV) return Lookup<OdbcEnvironment>(h, type);
  if (type == SQL_HANDLE_DBC) return Lookup<OdbcConnection>(h, type);
  if (type == SQL_HANDLE_STMT) return Lookup<OdbcStatement>(h, type);
  return nullptr;
}

void Register(OdbcHandle* h) {
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  Handles().insert(h);
}

void Unregister(OdbcHandle* h) {
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  Handles().erase(h);
}

const OdbcCalls& Calls() { return *GetOdbcCalls(); }

std::string Text(const SQLCHAR* text, SQLINTEGER length) {
  if (!text) return {};
  const char* s = reinterpret_cast<const char*>(text);
  return length == SQL_NTS || length < 0 ? std::string(s) : std::string(s, static_cast<size_t>(length));
}

// Gives a result through the caller's buffer (at most max - 1 bytes and a
// terminator, never half a GBK character); SQL_SUCCESS_WITH_INFO when cut.
SQLRETURN CopyOut(const std::string& value, SQLCHAR* out, SQLSMALLINT max, SQLSMALLINT* length) {
  if (length) *length = static_cast<SQLSMALLINT>(std::min<size_t>(value.size(), 32767));
  if (!out || max <= 0) return value.empty() ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
  size_t n = 0;
  while (n < value.size()) {
    size_t step = platform::IsGbkLeadByte(static_cast<unsigned char>(value[n])) && n + 1 < value.size() ? 2 : 1;
    if (n + step > static_cast<size_t>(max - 1)) break;
    n += step;
  }
  std::memcpy(out, value.data(), n);
  out[n] = '\0';
  return n < value.size() ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

// The folder of a data source's dBase files.
std::string DataSourceFolder(const std::string& dsn) {
  std::string folder = GetDataSourceValue(dsn.c_str(), "DefaultDir");
  if (!folder.empty()) return folder;
  std::string database = GetDataSourceValue(dsn.c_str(), "Database");
  size_t slash = database.rfind('/');
  return slash == std::string::npos ? std::string(".") : database.substr(0, slash);
}

// The value of a key in a connection string ("DSN=Qelvo;UID=;").
std::string ConnectionValue(const std::string& text, const char* key) {
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(';', at);
    if (end == std::string::npos) end = text.size();
    std::string part = text.substr(at, end - at);
    size_t eq = part.find('=');
    if (eq != std::string::npos) {
      std::string k = part.substr(0, eq);
      std::string kk;
      for (char c : k) {
        if (c != ' ') kk += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      }
      if (kk == key) return part.substr(eq + 1);
    }
    at = end + 1;
  }
  return {};
}

void Connected(OdbcConnection& c, const std::string& dsn) {
  c.connected = true;
  c.dataSource = dsn;
  c.tables = std::make_unique<DbaseTables>(c, DataSourceFolder(dsn));
}

// Character values bound for rows [first, first + count) turned between
// GBK and UTF-8 before the driver reads them (SQLSetPos). Every value is
// converted before any buffer is written: when one does not fit its buffer
// in UTF-8, false is returned and every buffer keeps its GBK value.
bool BoundRowsToUtf8(OdbcStatement& s, SQLULEN first, SQLULEN count) {
  struct Converted {
    char* target;
    SQLLEN* indicator;
    std::string utf8;
  };
  std::vector<Converted> converted;
  for (auto& [column, b] : s.charBindings) {
    (void)column;
    for (SQLULEN r = first; r < first + count && r < s.rowArraySize; ++r) {
      char* target = s.BoundValue(b, r);
      SQLLEN* ind = s.BoundIndicator(b, r);
      if (ind && *ind == SQL_NULL_DATA) continue;
      size_t length = ::strnlen(target, static_cast<size_t>(b.bufferLength));
      std::string utf8 = platform::GbkToUtf8(std::string_view(target, length));
      if (static_cast<SQLLEN>(utf8.size()) >= b.bufferLength) return false;
      converted.push_back({target, ind, std::move(utf8)});
    }
  }
  for (const Converted& c : converted) {
    std::memcpy(c.target, c.utf8.data(), c.utf8.size());
    c.target[c.utf8.size()] = '\0';
    if (c.indicator && *c.indicator != SQL_NTS) *c.indicator = static_cast<SQLLEN>(c.utf8.size());
  }
  return true;
}

void BoundRowsToGbk(OdbcStatement& s, SQLULEN first, SQLULEN count) {
  for (auto& [column, b] : s.charBindings) {
    (void)column;
    for (SQLULEN r = first; r < first + count && r < s.rowArraySize; ++r) {
      ConvertCharValue(s.BoundValue(b, r), b.bufferLength, s.BoundIndicator(b, r));
    }
  }
}

}  // namespace

SQLRETURN SQLAllocHandle(SQLSMALLINT handleType, SQLHANDLE inputHandle, SQLHANDLE* outputHandle) {
  if (!outputHandle) return SQL_ERROR;
  *outputHandle = nullptr;
  const OdbcCalls* calls = GetOdbcCalls();
  if (handleType == SQL_HANDLE_ENV) {
    if (!calls || FailsOnPlan("SQLAllocHandle", nullptr)) return SQL_ERROR;
    auto env = std::make_unique<OdbcEnvironment>();
    SQLRETURN rc = calls->AllocHandle(SQL_HANDLE_ENV, nullptr, &env->real);
    if (!SQL_SUCCEEDED(rc)) return rc;
    Register(env.get());
    *outputHandle = env.release();
    return rc;
  }
  if (handleType == SQL_HANDLE_DBC) {
    auto* env = Lookup<OdbcEnvironment>(inputHandle, SQL_HANDLE_ENV);
    if (!env) return SQL_INVALID_HANDLE;
    env->BeginCall();
    if (FailsOnPlan("SQLAllocHandle", env)) return SQL_ERROR;
    auto conn = std::make_unique<OdbcConnection>(env);
    SQLRETURN rc = calls->AllocHandle(SQL_HANDLE_DBC, env->real, &conn->real);
    if (!SQL_SUCCEEDED(rc)) return rc;
    Register(conn.get());
    *outputHandle = conn.release();
    return rc;
  }
  if (handleType == SQL_HANDLE_STMT) {
    auto* conn = Lookup<OdbcConnection>(inputHandle, SQL_HANDLE_DBC);
    if (!conn) return SQL_INVALID_HANDLE;
    conn->BeginCall();
    if (FailsOnPlan("SQLAllocHandle", conn)) return SQL_ERROR;
    if (!conn->connected) return conn->Fail("08003", "Connection not open");
    auto stmt = std::make_unique<OdbcStatement>(conn);
    SQLRETURN rc = calls->AllocHandle(SQL_HANDLE_STMT, conn->real, &stmt->real);
    if (!SQL_SUCCEEDED(rc)) return rc;
    calls->SetStmtAttr(stmt->real, SQL_ATTR_ROWS_FETCHED_PTR, &stmt->rowsFetched, 0);
    Register(stmt.get());
    *outputHandle = stmt.release();
    return rc;
  }
  return SQL_ERROR;
}

SQLRETURN SQLFreeHandle(SQLSMALLINT handleType, SQLHANDLE handle) {
  OdbcHandle* h = LookupAny(handleType, handle);
  if (!h) return SQL_INVALID_HANDLE;
  h->BeginCall();
  if (handleType == SQL_HANDLE_DBC && static_cast<OdbcConnection*>(h)->connected)
    return h->Fail("HY010", "Function sequence error: the connection is still open");
  SQLRETURN rc = Calls().FreeHandle(handleType, h->real);
  if (rc == SQL_ERROR) return rc;
  Unregister(h);
  delete h;
  return rc;
}

SQLRETURN SQLFreeStmt(SQLHSTMT statement, SQLUSMALLINT option) {
  if (option == SQL_DROP) return SQLFreeHandle(SQL_HANDLE_STMT, statement);
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (option == SQL_UNBIND) s->charBindings.clear();
  s->ForgetPending();
  return Calls().FreeStmt(s->real, option);
}

SQLRETURN SQLSetEnvAttr(SQLHENV environment, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length) {
  auto* e = Lookup<OdbcEnvironment>(environment, SQL_HANDLE_ENV);
  if (!e) return SQL_INVALID_HANDLE;
  e->BeginCall();
  if (FailsOnPlan("SQLSetEnvAttr", e)) return SQL_ERROR;
  return Calls().SetEnvAttr(e->real, attribute, value, length);
}

SQLRETURN SQLSetConnectAttr(SQLHDBC connection, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length) {
  auto* c = Lookup<OdbcConnection>(connection, SQL_HANDLE_DBC);
  if (!c) return SQL_INVALID_HANDLE;
  c->BeginCall();
  if (FailsOnPlan("SQLSetConnectAttr", c)) return SQL_ERROR;
  return Calls().SetConnectAttr(c->real, attribute, value, length);
}

SQLRETURN SQLConnect(SQLHDBC connection, SQLCHAR* dataSource, SQLSMALLINT dataSourceLength, SQLCHAR* user,
                     SQLSMALLINT userLength, SQLCHAR* password, SQLSMALLINT passwordLength) {
  auto* c = Lookup<OdbcConnection>(connection, SQL_HANDLE_DBC);
  if (!c) return SQL_INVALID_HANDLE;
  c->BeginCall();
  if (FailsOnPlan("SQLConnect", c)) return SQL_ERROR;
  if (c->connected) return c->Fail("08002", "Connection name in use");
  std::string dsn = platform::GbkToUtf8(Text(dataSource, dataSourceLength));
  std::string uid = platform::GbkToUtf8(Text(user, userLength));
  std::string pwd = platform::GbkToUtf8(Text(password, passwordLength));
  SQLRETURN rc = Calls().Connect(c->real, reinterpret_cast<SQLCHAR*>(dsn.data()), SQL_NTS,
                                 reinterpret_cast<SQLCHAR*>(uid.data()), SQL_NTS,
                                 reinterpret_cast<SQLCHAR*>(pwd.data()), SQL_NTS);
  if (SQL_SUCCEEDED(rc)) Connected(*c, dsn);
  return rc;
}

SQLRETURN SQLDriverConnect(SQLHDBC connection, SQLHWND window, SQLCHAR* inConnection, SQLSMALLINT inLength,
                           SQLCHAR* outConnection, SQLSMALLINT outMax, SQLSMALLINT* outLength,
                           SQLUSMALLINT completion) {
  (void)window;
  (void)completion;
  auto* c = Lookup<OdbcConnection>(connection, SQL_HANDLE_DBC);
  if (!c) return SQL_INVALID_HANDLE;
  c->BeginCall();
  if (FailsOnPlan("SQLDriverConnect", c)) return SQL_ERROR;
  if (c->connected) return c->Fail("08002", "Connection name in use");
  std::string in = platform::GbkToUtf8(Text(inConnection, inLength));
  char out[1024] = {};
  SQLSMALLINT outLen = 0;
  SQLRETURN rc = Calls().DriverConnect(c->real, nullptr, reinterpret_cast<SQLCHAR*>(in.data()), SQL_NTS,
                                       reinterpret_cast<SQLCHAR*>(out), sizeof out, &outLen, SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(rc)) return rc;
  Connected(*c, ConnectionValue(in, "DSN"));
  SQLRETURN copied = CopyOut(platform::Utf8ToGbk(out), outConnection, outMax, outLength);
  return copied == SQL_SUCCESS_WITH_INFO ? copied : rc;
}

SQLRETURN SQLDisconnect(SQLHDBC connection) {
  auto* c = Lookup<OdbcConnection>(connection, SQL_HANDLE_DBC);
  if (!c) return SQL_INVALID_HANDLE;
  c->BeginCall();
  if (!c->connected) return c->Fail("08003", "Connection not open");
  if (c->tables) {
    c->tables->DropAll(*c);
    c->BeginCall();  // a table that could not be dropped does not keep the connection
  }
  SQLRETURN rc = Calls().Disconnect(c->real);
  if (SQL_SUCCEEDED(rc)) {
    c->connected = false;
    c->tables.reset();
  }
  return rc;
}

SQLRETURN SQLEndTran(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT completion) {
  OdbcHandle* h = LookupAny(handleType, handle);
  if (!h || handleType == SQL_HANDLE_STMT) return SQL_INVALID_HANDLE;
  h->BeginCall();
  if (FailsOnPlan("SQLEndTran", h)) return SQL_ERROR;
  return Calls().EndTran(handleType, h->real, completion);
}

SQLRETURN SQLExecDirect(SQLHSTMT statement, SQLCHAR* text, SQLINTEGER length) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLExecDirect", s)) return SQL_ERROR;
  if (!text) return s->Fail("HY009", "Invalid use of null pointer");
  std::string sql = Text(text, length);
  std::string driverSql;
  StatementTables tables;
  std::vector<std::string> paths;
  DbaseTables* dbase = s->connection->tables.get();
  if (dbase) {
    if (dbase->Prepare(*s, sql, driverSql, tables, paths) == SQL_ERROR) return SQL_ERROR;
  } else {
    driverSql = platform::GbkToUtf8(sql);
  }
  s->lastTables = paths;
  s->ForgetPending();
  SQLRETURN rc = Calls().ExecDirect(s->real, reinterpret_cast<SQLCHAR*>(driverSql.data()), SQL_NTS);
  if (rc == SQL_ERROR || !dbase) return rc;
  SQLLEN rows = 0;
  if (tables.kind == StatementKind::kInsert || tables.kind == StatementKind::kUpdate ||
      tables.kind == StatementKind::kDelete) {
    Calls().RowCount(s->real, &rows);
  }
  // The driver's own notes of the statement are kept with this layer's.
  if (rc == SQL_SUCCESS_WITH_INFO) CopyDriverDiagnostics(SQL_HANDLE_STMT, s->real, *s);
  if (dbase->Finish(*s, tables, paths, rows) == SQL_ERROR) return SQL_ERROR;
  return rc;
}

SQLRETURN SQLRowCount(SQLHSTMT statement, SQLLEN* rowCount) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLRowCount", s)) return SQL_ERROR;
  return Calls().RowCount(s->real, rowCount);
}

SQLRETURN SQLCloseCursor(SQLHSTMT statement) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  return Calls().CloseCursor(s->real);
}

SQLRETURN SQLNumResultCols(SQLHSTMT statement, SQLSMALLINT* columnCount) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLNumResultCols", s)) return SQL_ERROR;
  return Calls().NumResultCols(s->real, columnCount);
}

SQLRETURN SQLDescribeCol(SQLHSTMT statement, SQLUSMALLINT column, SQLCHAR* name, SQLSMALLINT nameMax,
                         SQLSMALLINT* nameLength, SQLSMALLINT* dataType, SQLULEN* columnSize,
                         SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLDescribeCol", s)) return SQL_ERROR;
  char utf8[1024] = {};
  SQLSMALLINT len = 0;
  SQLRETURN rc = Calls().DescribeCol(s->real, column, reinterpret_cast<SQLCHAR*>(utf8), sizeof utf8, &len, dataType,
                                     columnSize, decimalDigits, nullable);
  if (!SQL_SUCCEEDED(rc)) return rc;
  SQLRETURN copied = CopyOut(platform::Utf8ToGbk(utf8), name, nameMax, nameLength);
  return copied == SQL_SUCCESS_WITH_INFO ? copied : rc;
}

SQLRETURN SQLBindCol(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT targetType, SQLPOINTER target,
                     SQLLEN bufferLength, SQLLEN* indicator) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLBindCol", s)) return SQL_ERROR;
  SQLRETURN rc = Calls().BindCol(s->real, column, targetType, target, bufferLength, indicator);
  if (!SQL_SUCCEEDED(rc)) return rc;
  if (target && targetType == SQL_C_CHAR)
    s->charBindings[column] = {static_cast<char*>(target), bufferLength, indicator};
  else
    s->charBindings.erase(column);
  return rc;
}

SQLRETURN SQLFetchScroll(SQLHSTMT statement, SQLSMALLINT orientation, SQLLEN offset) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLFetchScroll", s)) return SQL_ERROR;
  s->rowsFetched = 0;
  s->ForgetPending();
  SQLRETURN rc = orientation == SQL_FETCH_NEXT && offset == 0 ? Calls().Fetch(s->real)
                                                             : Calls().FetchScroll(s->real, orientation, offset);
  if (SQL_SUCCEEDED(rc)) s->ConvertFetchedRows();
  if (s->callerRowsFetched) *s->callerRowsFetched = s->rowsFetched;
  return rc;
}

SQLRETURN SQLFetch(SQLHSTMT statement) { return SQLFetchScroll(statement, SQL_FETCH_NEXT, 0); }

SQLRETURN SQLGetData(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT targetType, SQLPOINTER target,
                     SQLLEN bufferLength, SQLLEN* indicator) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLGetData", s)) return SQL_ERROR;
  if (targetType != SQL_C_CHAR) {
    s->ForgetPending();
    return Calls().GetData(s->real, column, targetType, target, bufferLength, indicator);
  }
  if (s->pendingColumn != column) {
    // The whole value, read from the driver in pieces (UTF-8), as GBK.
    s->ForgetPending();
    std::string utf8;
    char piece[1024];
    bool null = false;
    while (true) {
      SQLLEN length = 0;
      SQLRETURN rc = Calls().GetData(s->real, column, SQL_C_CHAR, piece, sizeof piece, &length);
      if (rc == SQL_NO_DATA) {
        if (utf8.empty() && !null) return SQL_NO_DATA;
        break;
      }
      if (!SQL_SUCCEEDED(rc)) return rc;
      if (length == SQL_NULL_DATA) {
        null = true;
        break;
      }
      utf8 += piece;
      if (rc == SQL_SUCCESS) break;
    }
    s->pendingColumn = column;
    s->pendingNull = null;
    s->pendingText = platform::Utf8ToGbk(utf8);
    s->pendingOffset = 0;
  } else if (s->pendingNull || s->pendingOffset >= s->pendingText.size()) {
    return SQL_NO_DATA;  // the value was given out whole already
  }
  if (s->pendingNull) {
    if (indicator) *indicator = SQL_NULL_DATA;
    s->pendingOffset = 1;
    return SQL_SUCCESS;
  }
  const std::string& text = s->pendingText;
  size_t rest = text.size() - s->pendingOffset;
  if (indicator) *indicator = static_cast<SQLLEN>(rest);
  if (!target || bufferLength <= 0) return rest == 0 ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
  // As much as fits with the terminator, never half a GBK character.
  size_t n = 0;
  while (n < rest) {
    size_t step = platform::IsGbkLeadByte(static_cast<unsigned char>(text[s->pendingOffset + n])) && n + 1 < rest ? 2 : 1;
    if (n + step > static_cast<size_t>(bufferLength - 1)) break;
    n += step;
  }
  std::memcpy(target, text.data() + s->pendingOffset, n);
  static_cast<char*>(target)[n] = '\0';
  s->pendingOffset += n;
  if (n < rest) {
    s->own.push_back({"01004", 0, "String data, right truncated"});
    return SQL_SUCCESS_WITH_INFO;
  }
  s->pendingOffset = text.size() + (rest == 0 ? 1 : 0);
  return SQL_SUCCESS;
}

SQLRETURN SQLSetPos(SQLHSTMT statement, SQLSETPOSIROW row, SQLUSMALLINT operation, SQLUSMALLINT lockType) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLSetPos", s)) return SQL_ERROR;
  // Row 0 is every row of the rowset.
  SQLULEN first = row == 0 ? 0 : row - 1;
  SQLULEN count = row == 0 ? s->rowArraySize : 1;
  bool writes = operation == SQL_UPDATE || operation == SQL_ADD;
  if (writes && !BoundRowsToUtf8(*s, first, count)) {
    return s->Fail("22001", "String data, right truncated: a bound value does not fit its buffer in UTF-8");
  }
  SQLRETURN rc = Calls().SetPos(s->real, row, operation, lockType);
  if (writes || (SQL_SUCCEEDED(rc) && operation == SQL_REFRESH)) BoundRowsToGbk(*s, first, count);
  if (!SQL_SUCCEEDED(rc)) return rc;
  if (s->connection->tables && (writes || operation == SQL_DELETE)) {
    for (const std::string& path : s->lastTables) {
      if (s->connection->tables->WriteFile(*s, path) == SQL_ERROR) return SQL_ERROR;
    }
  }
  return rc;
}

SQLRETURN SQLSetStmtAttr(SQLHSTMT statement, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLSetStmtAttr", s)) return SQL_ERROR;
  if (attribute == SQL_ATTR_ROWS_FETCHED_PTR) {
    s->callerRowsFetched = static_cast<SQLULEN*>(value);
    return SQL_SUCCESS;
  }
  SQLRETURN rc = Calls().SetStmtAttr(s->real, attribute, value, length);
  if (!SQL_SUCCEEDED(rc)) return rc;
  if (attribute == SQL_ATTR_ROW_ARRAY_SIZE) s->rowArraySize = std::max<SQLULEN>(1, reinterpret_cast<SQLULEN>(value));
  if (attribute == SQL_ATTR_ROW_BIND_TYPE) s->rowBindType = reinterpret_cast<SQLULEN>(value);
  return rc;
}

SQLRETURN SQLGetStmtAttr(SQLHSTMT statement, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER bufferLength,
                         SQLINTEGER* length) {
  auto* s = Lookup<OdbcStatement>(statement, SQL_HANDLE_STMT);
  if (!s) return SQL_INVALID_HANDLE;
  s->BeginCall();
  if (FailsOnPlan("SQLGetStmtAttr", s)) return SQL_ERROR;
  if (attribute == SQL_ATTR_ROWS_FETCHED_PTR) {
    if (value) *static_cast<SQLULEN**>(value) = s->callerRowsFetched;
    return SQL_SUCCESS;
  }
  return Calls().GetStmtAttr(s->real, attribute, value, bufferLength, length);
}

SQLRETURN SQLGetDiagRec(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT record, SQLCHAR* state,
                        SQLINTEGER* nativeError, SQLCHAR* message, SQLSMALLINT messageMax,
                        SQLSMALLINT* messageLength) {
  OdbcHandle* h = LookupAny(handleType, handle);
  if (!h) return SQL_INVALID_HANDLE;
  if (record < 1) return SQL_ERROR;
  DiagRecord d;
  if (!h->own.empty()) {
    if (static_cast<size_t>(record) > h->own.size()) return SQL_NO_DATA;
    d = h->own[record - 1];
  } else {
    SQLCHAR st[6] = {};
    SQLCHAR text[2048] = {};
    SQLSMALLINT len = 0;
    SQLRETURN rc = Calls().GetDiagRec(handleType, h->real, record, st, &d.native, text, sizeof text, &len);
    if (!SQL_SUCCEEDED(rc)) return rc;
    d.state = reinterpret_cast<char*>(st);
    d.message = platform::Utf8ToGbk(reinterpret_cast<char*>(text));
  }
  if (state) {
    std::memset(state, 0, 6);
    std::memcpy(state, d.state.data(), std::min<size_t>(d.state.size(), 5));
  }
  if (nativeError) *nativeError = d.native;
  return CopyOut(d.message, message, messageMax, messageLength);
}

SQLRETURN SQLError(SQLHENV environment, SQLHDBC connection, SQLHSTMT statement, SQLCHAR* state,
                   SQLINTEGER* nativeError, SQLCHAR* message, SQLSMALLINT messageMax, SQLSMALLINT* messageLength) {
  SQLSMALLINT type = statement ? SQL_HANDLE_STMT : connection ? SQL_HANDLE_DBC : SQL_HANDLE_ENV;
  SQLHANDLE handle = statement ? statement : connection ? connection : environment;
  OdbcHandle* h = LookupAny(type, handle);
  if (!h) return SQL_INVALID_HANDLE;
  SQLRETURN rc = SQLGetDiagRec(type, handle, h->nextError, state, nativeError, message, messageMax, messageLength);
  if (SQL_SUCCEEDED(rc)) ++h->nextError;
  return rc;
}
