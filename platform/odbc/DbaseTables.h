// The dBase tables of a connection. The data source is a folder of dBase
// files: a table named in a statement is a .dbf file (a bare name is a file
// of the data source's folder, the entry "DefaultDir" of its set-up, or else
// the folder of its database; ".dbf" is added when missing). The driver
// underneath is SQLite with the data source's extension loaded: each file a
// statement names is a virtual table of the module "dbase" in the
// connection's temporary schema (named by the file's full path), which
// reads and writes the file itself. CREATE TABLE writes the new empty file
// and DROP TABLE deletes it.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/odbc/DbaseFile.h"
#include "platform/odbc/Sql.h"
#include "platform/odbc/StatementTables.h"

namespace platform::odbc {

class OdbcConnection;
class OdbcHandle;

class DbaseTables {
 public:
  DbaseTables(OdbcConnection& connection, std::string folder);

  // Rewrites a statement (GBK) for the driver (UTF-8), each table name
  // replaced by its file's table, and opens a table for every file it
  // names (again when the file's fields changed; a file that is gone drops
  // its table). The files go to `paths` in the order of `tables.tables`. A
  // statement that would change a read-only file (insert, update, delete,
  // drop) fails here. On failure the diagnostics go to `diag`.
  SQLRETURN Prepare(OdbcHandle& diag, std::string_view sql, std::string& driverSql, StatementTables& tables,
                    std::vector<std::string>& paths);
  // After the statement ran: CREATE TABLE writes the new empty file from
  // the table the statement made, DROP TABLE deletes the file.
  SQLRETURN Finish(OdbcHandle& diag, const StatementTables& tables, const std::vector<std::string>& paths);

  // The file a table name stands for (a system path, UTF-8).
  std::string TablePath(const std::string& gbkName) const;
  // The driver's name of the table that holds the file.
  static std::string TableName(const std::string& path);

 private:
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified = 0;
    bool operator==(const Stamp&) const = default;
  };
  struct Opened {
    Stamp stamp;
    std::vector<DbaseField> fields;
  };
  static bool StampOf(const std::string& path, Stamp& stamp);

  // Makes sure the file's table stands for the file as it is now.
  SQLRETURN Offer(OdbcHandle& diag, const std::string& path);
  // Writes the new empty file of a table CREATE TABLE made, then puts the
  // file's table in its place.
  SQLRETURN WriteNewFile(OdbcHandle& diag, const std::string& path);
  // Makes a statement on the connection and executes `driverSql` on it,
  // its result in `rc`; false, with the connection's diagnostics, when no
  // statement could be made.
  bool Execute(OdbcHandle& diag, const std::string& driverSql, SQLHANDLE& stmt, SQLRETURN& rc);
  // Runs a statement of this layer's own on the connection.
  SQLRETURN Run(OdbcHandle& diag, const std::string& driverSql);
  // The rows of a query, each value as text (UTF-8) or null.
  SQLRETURN Query(OdbcHandle& diag, const std::string& driverSql,
                  std::vector<std::vector<std::pair<bool, std::string>>>& rows);

  OdbcConnection& connection_;
  std::string folder_;
  // The files whose tables the connection opened.
  std::map<std::string, Opened> opened_;
};

}  // namespace platform::odbc
