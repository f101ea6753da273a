// The SQLite module "dbase": a virtual table over one dBase file, read and
// written in place of a table of the database. The file is the only copy of
// the data: each scan reads it, and a transaction that changes the table
// writes it when it commits (rows appended to it, or, after an update or a
// delete, the file written again whole beside itself and renamed over it).
// A writer holds the file's write lock from its first change to the end of
// its transaction. A value the file cannot hold fails the statement and
// takes nothing in.
//
//   CREATE VIRTUAL TABLE temp.name USING dbase('/path/of/file.dbf')
//
// Errors read "[dBase] STATE text", STATE being the ODBC state that fits
// (22001, 22018, 22003, HYT00 for a lock not had in time, HY000 otherwise).
#pragma once

#include <sqlite3ext.h>

namespace platform::odbc {

// Registers the module with a connection.
int RegisterDbaseModule(sqlite3* db);

}  // namespace platform::odbc
