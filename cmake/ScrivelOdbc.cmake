# The ODBC set-up of a build: the data source "Qelvo" (a folder of dBase
# tables over the SQLite ODBC driver), written as the build's own
# odbcinst.ini and odbc.ini. The driver loads the project's extension
# (platform/odbc/extension, built as odbc/libScrivelDbase.so) into every
# connection: it offers each .dbf file of the folder as a table. Its scratch
# database lies in the folder, which is how the extension finds the folder.
# Nothing is written to /etc: tests, the example hosts and `make demo` point
# ODBCSYSINI and ODBCINI at these files (SCRIVEL_ODBC_ENVIRONMENT).
find_library(SCRIVEL_SQLITE_ODBC_DRIVER NAMES sqlite3odbc PATH_SUFFIXES odbc
             DOC "The SQLite ODBC driver (Debian package libsqliteodbc)")
if(NOT SCRIVEL_SQLITE_ODBC_DRIVER)
  message(FATAL_ERROR "The SQLite ODBC driver (libsqlite3odbc.so) is not installed: run scripts/install-deps.sh")
endif()

set(SCRIVEL_ODBC_DIR ${CMAKE_BINARY_DIR}/odbc)
set(SCRIVEL_QELVO_DIR ${SCRIVEL_ODBC_DIR}/Qelvo)
file(MAKE_DIRECTORY ${SCRIVEL_QELVO_DIR})
file(WRITE ${SCRIVEL_ODBC_DIR}/odbcinst.ini
  "[Scrivel SQLite3]\nDescription=SQLite 3 ODBC driver\nDriver=${SCRIVEL_SQLITE_ODBC_DRIVER}\n")
file(WRITE ${SCRIVEL_ODBC_DIR}/odbc.ini
  "[Qelvo]\nDescription=dBase tables of the drafting library\nDriver=Scrivel SQLite3\n"
  "Database=${SCRIVEL_QELVO_DIR}/qelvo-scratch.sqlite3\nDefaultDir=${SCRIVEL_QELVO_DIR}\n"
  "LoadExt=${SCRIVEL_ODBC_DIR}/libScrivelDbase.so\nTimeout=100000\nSyncPragma=off\n")
set(SCRIVEL_ODBC_ENVIRONMENT ODBCSYSINI=${SCRIVEL_ODBC_DIR} ODBCINI=${SCRIVEL_ODBC_DIR}/odbc.ini)
message(STATUS "ODBC data source Qelvo: ${SCRIVEL_ODBC_DIR}/odbc.ini (driver ${SCRIVEL_SQLITE_ODBC_DRIVER})")
