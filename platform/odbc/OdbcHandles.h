// The objects behind this library's ODBC handles. Each wraps the driver
// manager's handle of the same kind and keeps what the wrapping needs: the
// diagnostics this layer adds, the dBase tables of a connection, and a
// statement's character bindings (converted from the driver's UTF-8 to GBK
// after each fetch).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/odbc/Sql.h"

namespace platform::odbc {

class DbaseTables;

struct DiagRecord {
  std::string state;
  SQLINTEGER native = 0;
  std::string message;  // GBK
};

class OdbcHandle {
 public:
  explicit OdbcHandle(SQLSMALLINT type) : type_(type) {}
  virtual ~OdbcHandle() = default;
  OdbcHandle(const OdbcHandle&) = delete;
  OdbcHandle& operator=(const OdbcHandle&) = delete;

  SQLSMALLINT Type() const { return type_; }
  SQLHANDLE real = nullptr;

  // The records of the last call: this layer's own, or else the driver
  // manager's (read through `real`).
  std::vector<DiagRecord> own;
  // The next record SQLError gives.
  SQLSMALLINT nextError = 1;
  // Starts a call: forgets the diagnostics of the previous one.
  void BeginCall() {
    own.clear();
    nextError = 1;
  }
  SQLRETURN Fail(const char* state, const std::string& message) {
    own.push_back({state, 0, message});
    return SQL_ERROR;
  }

 private:
  SQLSMALLINT type_;
};

class OdbcEnvironment : public OdbcHandle {
 public:
  OdbcEnvironment() : OdbcHandle(SQL_HANDLE_ENV) {}
};

class OdbcConnection : public OdbcHandle {
 public:
  explicit OdbcConnection(OdbcEnvironment* env);
  ~OdbcConnection() override;
  OdbcEnvironment* environment;
  bool connected = false;
  std::string dataSource;
  std::unique_ptr<DbaseTables> tables;
};

struct CharBinding {
  char* target = nullptr;
  SQLLEN bufferLength = 0;
  SQLLEN* indicator = nullptr;
};

class OdbcStatement : public OdbcHandle {
 public:
  explicit OdbcStatement(OdbcConnection* conn) : OdbcHandle(SQL_HANDLE_STMT), connection(conn) {}
  OdbcConnection* connection;

  std::map<SQLUSMALLINT, CharBinding> charBindings;
  SQLULEN rowArraySize = 1;
  SQLULEN rowBindType = SQL_BIND_BY_COLUMN;
  // The rows of the last fetch, counted into this layer's own place; the
  // caller's place (SQL_ATTR_ROWS_FETCHED_PTR) gets a copy.
  SQLULEN rowsFetched = 0;
  SQLULEN* callerRowsFetched = nullptr;

  // Converts the bound character values of the rows just fetched.
  void ConvertFetchedRows();
  // Where row r of a character binding lies by the binding layout (by
  // column, or rows of rowBindType bytes): its value, and its length or
  // indicator (null when none is bound).
  char* BoundValue(const CharBinding& b, SQLULEN r) const;
  SQLLEN* BoundIndicator(const CharBinding& b, SQLULEN r) const;

  // A character value being read with SQLGetData: read whole from the
  // driver and turned to GBK at the first call, then given out in pieces.
  SQLUSMALLINT pendingColumn = 0;
  bool pendingNull = false;
  std::string pendingText;
  size_t pendingOffset = 0;
  void ForgetPending() {
    pendingColumn = 0;
    pendingText.clear();
    pendingOffset = 0;
  }
};

}  // namespace platform::odbc

namespace platform::odbc {

// A diagnostic record of the driver (its message UTF-8), the message turned
// to GBK. A message of the data source's extension ("[dBase] STATE text")
// gives the record its state.
DiagRecord DriverRecord(const char* state, SQLINTEGER native, const char* utf8Message);

// Copies the driver manager's diagnostics of a handle (messages turned to
// GBK) into this layer's records of `to`.
void CopyDriverDiagnostics(SQLSMALLINT type, SQLHANDLE real, OdbcHandle& to);

}  // namespace platform::odbc

namespace platform::odbc {

// The driver's UTF-8 character value in a buffer, turned to GBK in place.
void ConvertCharValue(char* target, SQLLEN bufferLength, SQLLEN* indicator);

}  // namespace platform::odbc
