// The ODBC call interface the libraries use: handles, connecting, executing,
// binding and fetching (also in rowsets), positioned operations, statement
// attributes, column descriptions and diagnostics.
//
// The functions are C++ functions of this library (their link names are not
// the driver manager's), so nothing here clashes with the system's ODBC
// driver manager, which the implementation loads at run time (OdbcCalls.h)
// and forwards to. Texts are GBK in both directions: statements and names
// are converted to the drivers' UTF-8 on the way in, and character data,
// column names and messages back to GBK on the way out.
//
// Table names in statements are dBase files: see DbaseTables.h.
#pragma once

#include <cstdint>

typedef unsigned char SQLCHAR;
typedef signed char SQLSCHAR;
typedef int16_t SQLSMALLINT;
typedef uint16_t SQLUSMALLINT;
typedef int32_t SQLINTEGER;
typedef uint32_t SQLUINTEGER;
typedef int64_t SQLLEN;
typedef uint64_t SQLULEN;
typedef SQLULEN SQLSETPOSIROW;
typedef int16_t SQLRETURN;
typedef void* SQLPOINTER;
typedef void* SQLHANDLE;
typedef SQLHANDLE SQLHENV;
typedef SQLHANDLE SQLHDBC;
typedef SQLHANDLE SQLHSTMT;
typedef void* SQLHWND;
typedef SQLSMALLINT RETCODE;
typedef SQLSMALLINT SWORD;
typedef SQLUINTEGER UDWORD;
typedef SQLHENV HENV;
typedef SQLHDBC HDBC;
typedef SQLHSTMT HSTMT;

// Return codes.
#define SQL_SUCCESS 0
#define SQL_SUCCESS_WITH_INFO 1
#define SQL_STILL_EXECUTING 2
#define SQL_NEED_DATA 99
#define SQL_NO_DATA 100
#define SQL_NO_DATA_FOUND SQL_NO_DATA
#define SQL_ERROR (-1)
#define SQL_INVALID_HANDLE (-2)
#define SQL_SUCCEEDED(rc) (((rc) & (~1)) == 0)

#define SQL_NTS (-3)
#define SQL_NULL_DATA (-1)
#define SQL_NULL_HANDLE nullptr
#define SQL_NULL_HENV nullptr
#define SQL_NULL_HDBC nullptr
#define SQL_NULL_HSTMT nullptr
#define SQL_MAX_MESSAGE_LENGTH 512

// Handle types.
#define SQL_HANDLE_ENV 1
#define SQL_HANDLE_DBC 2
#define SQL_HANDLE_STMT 3

// Environment and connection attributes.
#define SQL_ATTR_ODBC_VERSION 200
#define SQL_OV_ODBC2 2UL
#define SQL_OV_ODBC3 3UL
#define SQL_ATTR_ACCESS_MODE 101
#define SQL_ATTR_AUTOCOMMIT 102
#define SQL_ATTR_LOGIN_TIMEOUT 103
#define SQL_MODE_READ_WRITE 0UL
#define SQL_MODE_READ_ONLY 1UL
#define SQL_AUTOCOMMIT_OFF 0UL
#define SQL_AUTOCOMMIT_ON 1UL

// Statement attributes.
#define SQL_ATTR_CONCURRENCY 7
#define SQL_ATTR_CURSOR_TYPE 6
#define SQL_ATTR_MAX_LENGTH 3
#define SQL_ATTR_MAX_ROWS 1
#define SQL_ATTR_QUERY_TIMEOUT 0
#define SQL_ATTR_ROW_BIND_TYPE 5
#define SQL_ATTR_ROW_ARRAY_SIZE 27
#define SQL_ATTR_ROW_STATUS_PTR 25
#define SQL_ATTR_ROWS_FETCHED_PTR 26
#define SQL_ROWSET_SIZE 9
#define SQL_BIND_BY_COLUMN 0UL
#define SQL_CURSOR_FORWARD_ONLY 0UL
#define SQL_CURSOR_KEYSET_DRIVEN 1UL
#define SQL_CURSOR_DYNAMIC 2UL
#define SQL_CURSOR_STATIC 3UL
#define SQL_CONCUR_READ_ONLY 1
#define SQL_CONCUR_LOCK 2
#define SQL_CONCUR_ROWVER 3
#define SQL_CONCUR_VALUES 4

// SQLFreeStmt options.
#define SQL_CLOSE 0
#define SQL_DROP 1
#define SQL_UNBIND 2
#define SQL_RESET_PARAMS 3

// SQLDriverConnect completion.
#define SQL_DRIVER_NOPROMPT 0
#define SQL_DRIVER_COMPLETE 1
#define SQL_DRIVER_PROMPT 2
#define SQL_DRIVER_COMPLETE_REQUIRED 3

// SQLEndTran.
#define SQL_COMMIT 0
#define SQL_ROLLBACK 1

// Fetch orientations.
#define SQL_FETCH_NEXT 1
#define SQL_FETCH_FIRST 2
#define SQL_FETCH_LAST 3
#define SQL_FETCH_PRIOR 4
#define SQL_FETCH_ABSOLUTE 5
#define SQL_FETCH_RELATIVE 6

// SQLSetPos operations and lock types.
#define SQL_POSITION 0
#define SQL_REFRESH 1
#define SQL_UPDATE 2
#define SQL_DELETE 3
#define SQL_ADD 4
#define SQL_LOCK_NO_CHANGE 0
#define SQL_LOCK_EXCLUSIVE 1
#define SQL_LOCK_UNLOCK 2

// Row status values.
#define SQL_ROW_SUCCESS 0
#define SQL_ROW_DELETED 1
#define SQL_ROW_UPDATED 2
#define SQL_ROW_NOROW 3
#define SQL_ROW_ADDED 4
#define SQL_ROW_ERROR 5
#define SQL_ROW_SUCCESS_WITH_INFO 6

// SQL data types.
#define SQL_UNKNOWN_TYPE 0
#define SQL_CHAR 1
#define SQL_NUMERIC 2
#define SQL_DECIMAL 3
#define SQL_INTEGER 4
#define SQL_SMALLINT 5
#define SQL_FLOAT 6
#define SQL_REAL 7
#define SQL_DOUBLE 8
#define SQL_DATE 9
#define SQL_DATETIME 9
#define SQL_VARCHAR 12
#define SQL_TYPE_DATE 91
#define SQL_LONGVARCHAR (-1)
#define SQL_BIGINT (-5)
#define SQL_TINYINT (-6)
#define SQL_BIT (-7)

// C data types.
#define SQL_C_CHAR SQL_CHAR
#define SQL_C_LONG SQL_INTEGER
#define SQL_C_SLONG (-16)
#define SQL_C_DOUBLE SQL_DOUBLE
#define SQL_C_DEFAULT 99

#define SQL_NO_NULLS 0
#define SQL_NULLABLE 1
#define SQL_NULLABLE_UNKNOWN 2

SQLRETURN SQLAllocHandle(SQLSMALLINT handleType, SQLHANDLE inputHandle, SQLHANDLE* outputHandle);
SQLRETURN SQLFreeHandle(SQLSMALLINT handleType, SQLHANDLE handle);
SQLRETURN SQLFreeStmt(SQLHSTMT statement, SQLUSMALLINT option);
SQLRETURN SQLSetEnvAttr(SQLHENV environment, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length);
SQLRETURN SQLSetConnectAttr(SQLHDBC connection, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length);

SQLRETURN SQLConnect(SQLHDBC connection, SQLCHAR* dataSource, SQLSMALLINT dataSourceLength, SQLCHAR* user,
                     SQLSMALLINT userLength, SQLCHAR* password, SQLSMALLINT passwordLength);
// Only SQL_DRIVER_NOPROMPT can be honoured: there is no screen for a
// driver's dialog, so the other completions connect without one when the
// string is complete and fail (state HY000) when it is not.
SQLRETURN SQLDriverConnect(SQLHDBC connection, SQLHWND window, SQLCHAR* inConnection, SQLSMALLINT inLength,
                           SQLCHAR* outConnection, SQLSMALLINT outMax, SQLSMALLINT* outLength,
                           SQLUSMALLINT completion);
SQLRETURN SQLDisconnect(SQLHDBC connection);
SQLRETURN SQLEndTran(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT completion);

SQLRETURN SQLExecDirect(SQLHSTMT statement, SQLCHAR* text, SQLINTEGER length);
SQLRETURN SQLRowCount(SQLHSTMT statement, SQLLEN* rowCount);
SQLRETURN SQLCloseCursor(SQLHSTMT statement);

SQLRETURN SQLNumResultCols(SQLHSTMT statement, SQLSMALLINT* columnCount);
SQLRETURN SQLDescribeCol(SQLHSTMT statement, SQLUSMALLINT column, SQLCHAR* name, SQLSMALLINT nameMax,
                         SQLSMALLINT* nameLength, SQLSMALLINT* dataType, SQLULEN* columnSize,
                         SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable);

SQLRETURN SQLBindCol(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT targetType, SQLPOINTER target,
                     SQLLEN bufferLength, SQLLEN* indicator);
SQLRETURN SQLFetch(SQLHSTMT statement);
SQLRETURN SQLFetchScroll(SQLHSTMT statement, SQLSMALLINT orientation, SQLLEN offset);
SQLRETURN SQLGetData(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT targetType, SQLPOINTER target,
                     SQLLEN bufferLength, SQLLEN* indicator);
SQLRETURN SQLSetPos(SQLHSTMT statement, SQLSETPOSIROW row, SQLUSMALLINT operation, SQLUSMALLINT lockType);

SQLRETURN SQLSetStmtAttr(SQLHSTMT statement, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length);
SQLRETURN SQLGetStmtAttr(SQLHSTMT statement, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER bufferLength,
                         SQLINTEGER* length);

// Diagnostics: the records of the handle's last call, 1-based.
SQLRETURN SQLGetDiagRec(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT record, SQLCHAR* state,
                        SQLINTEGER* nativeError, SQLCHAR* message, SQLSMALLINT messageMax,
                        SQLSMALLINT* messageLength);
// The older form: the next record not yet read, of the statement if given,
// else of the connection, else of the environment; SQL_NO_DATA when none.
SQLRETURN SQLError(SQLHENV environment, SQLHDBC connection, SQLHSTMT statement, SQLCHAR* state,
                   SQLINTEGER* nativeError, SQLCHAR* message, SQLSMALLINT messageMax, SQLSMALLINT* messageLength);
