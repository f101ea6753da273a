// Failures of ODBC calls on purpose, so that a test can see what a caller
// does when the data source fails part-way. While a ScopedSqlFailure lives,
// this library's ODBC functions (Sql.h) count the calls that do work, and
// the one at the planned count fails as a driver that lost its data source
// fails it: SQL_ERROR before the driver is asked, with a diagnostic record
// (by default state 08S01, "Communication link failure") on the handle
// the call was made on (on the environment or connection that allocates,
// for SQLAllocHandle; none for a new environment, as the driver manager
// gives none).
//
// Calls that release or look at what is there (SQLFreeHandle,
// SQLFreeStmt, SQLDisconnect, SQLCloseCursor, SQLGetDiagRec, SQLError) are
// neither counted nor failed: a caller's clean-up runs as it would.
#pragma once

#include <string>

namespace platform::odbc {

class OdbcHandle;

class ScopedSqlFailure {
 public:
  // Counts only: nothing fails; Calls() tells how many calls a piece of
  // work makes.
  static ScopedSqlFailure None() { return ScopedSqlFailure(-1, "", ""); }
  // Call number `call` (from 0) fails.
  static ScopedSqlFailure AtCall(int call, const char* state = "08S01",
                                 const char* message = "Communication link failure") {
    return ScopedSqlFailure(call, state, message);
  }
  ~ScopedSqlFailure();
  ScopedSqlFailure(const ScopedSqlFailure&) = delete;
  ScopedSqlFailure& operator=(const ScopedSqlFailure&) = delete;

  int Calls() const;
  // The name of the function that failed on the plan, or empty.
  std::string FailedCall() const;

  struct Plan {
    int failAt;
    std::string state;
    std::string message;
    int calls = 0;
    std::string failed;
    Plan* previous = nullptr;
  };

 private:
  ScopedSqlFailure(int failAt, const char* state, const char* message);
  Plan plan_;
};

// For Sql.cpp: counts a call of `function` and tells whether it is to fail;
// the diagnostic goes on `handle` when given.
bool FailsOnPlan(const char* function, OdbcHandle* handle);

}  // namespace platform::odbc
