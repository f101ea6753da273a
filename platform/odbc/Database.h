// CDatabase: a connection to an ODBC data source. Every connection of the
// process shares one ODBC environment (version 3), made with the first
// connection opened and freed with the last one closed.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/odbc/Sql.h"

class CDatabase : public CObject {
  DECLARE_DYNAMIC(CDatabase)

 public:
  // OpenEx options.
  enum DbOpenOptions {
    openExclusive = 0x0001,
    openReadOnly = 0x0002,
    useCursorLib = 0x0004,
    noOdbcDialog = 0x0008,
    forceOdbcDialog = 0x0010,
  };

  CDatabase() = default;
  ~CDatabase() override;
  CDatabase(const CDatabase&) = delete;
  CDatabase& operator=(const CDatabase&) = delete;

  // Connects with a connection string ("DSN=Qelvo", an "ODBC;" prefix
  // allowed) through the driver without any dialog (there is no screen:
  // forceOdbcDialog fails). A connection already open is an error. Throws
  // CDBException when the driver refuses.
  virtual BOOL OpenEx(LPCSTR connect, DWORD options = 0);
  BOOL OpenEx(LPCWSTR connect, DWORD options = 0);
  // The older form: a data-source name and flags.
  virtual BOOL Open(LPCSTR dataSource, BOOL exclusive = FALSE, BOOL readOnly = FALSE, LPCSTR connect = "ODBC;",
                    BOOL useCursorLib = TRUE);
  BOOL Open(LPCWSTR dataSource, BOOL exclusive = FALSE, BOOL readOnly = FALSE, LPCWSTR connect = u"ODBC;",
            BOOL useCursorLib = TRUE);
  virtual void Close();

  BOOL IsOpen() const { return m_hdbc != SQL_NULL_HDBC; }
  CStringW GetConnect() const { return m_strConnect; }
  CStringW GetDatabaseName() const { return m_strDataSource; }
  BOOL CanUpdate() const { return m_bUpdatable; }

  // Executes a statement that returns no rows; throws CDBException on an
  // error.
  void ExecuteSQL(LPCSTR sql);
  void ExecuteSQL(LPCWSTR sql);

  // TRUE for the codes that let work go on (success, success with
  // information, no data).
  virtual BOOL Check(RETCODE retCode) const;
  // Called for every statement made on the connection.
  virtual void OnSetOptions(HSTMT statement);

  // The process-wide environment of open connections (null when none).
  static HENV GetEnvironment();

  HDBC m_hdbc = SQL_NULL_HDBC;
  DWORD m_dwLoginTimeout = 15;
  DWORD m_dwQueryTimeout = 15;

 protected:
  CStringW m_strConnect;
  CStringW m_strDataSource;
  BOOL m_bUpdatable = FALSE;
};
