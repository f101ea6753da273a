// The dBase tables of a connection. The data source is a folder of dBase
// files: a table named in a statement is a .dbf file (a bare name is a file
// of the data source's folder, the entry "DefaultDir" of its set-up, or else
// the folder of its database; ".dbf" is added when missing). The driver
// underneath is SQLite, whose database is scratch: each file read by a
// statement is loaded into a table of the connection's own (named by the
// connection and the file's full path, so connections never share one)
// before the statement runs, unless it is loaded already and unchanged
// since; the connection's tables are dropped when it ends; after a statement changes a table its file is written:
// CREATE TABLE writes the new empty file, an INSERT of one row appends it,
// other changes write the file again whole, and DROP TABLE deletes it.
#pragma once

#include <sys/types.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/odbc/Sql.h"
#include "platform/odbc/StatementTables.h"

namespace platform::odbc {

class OdbcConnection;
class OdbcHandle;

class DbaseTables {
 public:
  DbaseTables(OdbcConnection& connection, std::string folder);

  // Drops the tables of the connection from the scratch database (before
  // the connection ends).
  void DropAll(OdbcHandle& diag);

  // Rewrites a statement (GBK) for the driver (UTF-8), each table name
  // replaced by its file's table, and loads every file it names. The files
  // go to `paths` in the order of `tables.tables`. A statement that would
  // change a read-only file (insert, update, delete, drop) fails here. On
  // failure the diagnostics go to `diag`.
  SQLRETURN Prepare(OdbcHandle& diag, std::string_view sql, std::string& driverSql, StatementTables& tables,
                      std::vector<std::string>& paths);
  // After the statement ran: writes the files it changed (`rowCount` is
  // its count of rows affected).
  SQLRETURN Finish(OdbcHandle& diag, const StatementTables& tables, const std::vector<std::string>& paths,
                     long long rowCount);
  // Writes the file again whole from its table. When the file cannot be
  // written (a read-only file too), it stays as it was and the table is
  // loaded from it again when next used.
  SQLRETURN WriteFile(OdbcHandle& diag, const std::string& path);

  // The file a table name stands for (a system path, UTF-8).
  std::string TablePath(const std::string& gbkName) const;
  // The driver's name of the table that holds the file.
  std::string TableName(const std::string& path) const;

 private:
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified = 0;
    bool operator==(const Stamp&) const = default;
  };
  static bool StampOf(const std::string& path, Stamp& stamp);

  SQLRETURN Load(OdbcHandle& diag, const std::string& path);
  SQLRETURN AppendLastRow(OdbcHandle& diag, const std::string& path);
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
  std::string prefix_;  // the connection's part of its table names
  std::map<std::string, Stamp> loaded_;
  // Every file whose table the connection made.
  std::set<std::string> made_;
};

}  // namespace platform::odbc
