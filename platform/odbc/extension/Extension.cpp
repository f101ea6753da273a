// The SQLite extension of the data source "Qelvo", loaded by the SQLite
// ODBC driver into every connection (the entry "LoadExt" of its set-up).
// It registers the module "dbase" and offers each .dbf file of the data
// source's folder (the folder of the connection's database file) as a
// table of the connection by the file's name without ".dbf": a program
// that reaches the data source by its name alone reads and changes the
// files themselves.
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <string>

#include "platform/odbc/extension/DbaseModule.h"

namespace platform::odbc {

namespace {

std::string Quoted(const std::string& s, char q) {
  std::string out(1, q);
  for (char c : s) {
    out += c;
    if (c == q) out += q;
  }
  return out + q;
}

bool IsDbfName(const std::string& name) {
  if (name.size() <= 4) return false;
  std::string e = name.substr(name.size() - 4);
  for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return e == ".dbf";
}

// A table for every .dbf file of the folder. A file that is no dBase table,
// or whose name another table has already, is left out.
void OfferFolder(sqlite3* db, const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsDbfName(name)) continue;
    const std::string path = folder + "/" + name;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    const std::string sql = "CREATE VIRTUAL TABLE IF NOT EXISTS temp." + Quoted(name.substr(0, name.size() - 4), '"') +
                            " USING dbase(" + Quoted(path, '\'') + ")";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  ::closedir(dir);
}

}  // namespace

}  // namespace platform::odbc

extern "C" __attribute__((visibility("default"))) int sqlite3_scriveldbase_init(sqlite3* db, char** error,
                                                                                const sqlite3_api_routines* api) {
  SQLITE_EXTENSION_INIT2(api);
  int rc = platform::odbc::RegisterDbaseModule(db);
  if (rc != SQLITE_OK) {
    *error = sqlite3_mprintf("cannot register the module dbase: %s", sqlite3_errmsg(db));
    return rc;
  }
  const char* database = sqlite3_db_filename(db, "main");
  std::string folder = database ? database : "";
  const size_t slash = folder.rfind('/');
  if (slash != std::string::npos) platform::odbc::OfferFolder(db, folder.substr(0, slash));
  return SQLITE_OK;
}
