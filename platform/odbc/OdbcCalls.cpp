#include "platform/odbc/OdbcCalls.h"

#include <dlfcn.h>

#include <string>

namespace platform::odbc {

namespace {

struct Loaded {
  OdbcCalls calls{};
  bool ok = false;
  std::string error;
  // SQLGetPrivateProfileString of the installer library.
  int (*getProfileString)(const char*, const char*, const char*, char*, int, const char*) = nullptr;
};

template <class F>
bool Bind(void* lib, const char* name, F& slot, std::string& error) {
  slot = reinterpret_cast<F>(::dlsym(lib, name));
  if (!slot && error.empty()) error = std::string("the ODBC driver manager has no ") + name;
  return slot != nullptr;
}

void* OpenFirst(std::initializer_list<const char*> names) {
  for (const char* n : names) {
    if (void* lib = ::dlopen(n, RTLD_NOW | RTLD_LOCAL)) return lib;
  }
  return nullptr;
}

Loaded LoadDriverManager() {
  Loaded l;
  // Kept loaded for the life of the process: drivers it loads stay in use.
  void* lib = OpenFirst({"libodbc.so.2", "libodbc.so"});
  if (!lib) {
    l.error = "the ODBC driver manager (libodbc) cannot be loaded";
    return l;
  }
  OdbcCalls& c = l.calls;
  std::string& e = l.error;
  // Every entry point is looked up (the first one missing is named).
  const bool found[] = {
      Bind(lib, "SQLAllocHandle", c.AllocHandle, e),     Bind(lib, "SQLFreeHandle", c.FreeHandle, e),
      Bind(lib, "SQLFreeStmt", c.FreeStmt, e),           Bind(lib, "SQLSetEnvAttr", c.SetEnvAttr, e),
      Bind(lib, "SQLSetConnectAttr", c.SetConnectAttr, e), Bind(lib, "SQLConnect", c.Connect, e),
      Bind(lib, "SQLDriverConnect", c.DriverConnect, e), Bind(lib, "SQLDisconnect", c.Disconnect, e),
      Bind(lib, "SQLEndTran", c.EndTran, e),             Bind(lib, "SQLExecDirect", c.ExecDirect, e),
      Bind(lib, "SQLPrepare", c.Prepare, e),             Bind(lib, "SQLExecute", c.Execute, e),
      Bind(lib, "SQLBindParameter", c.BindParameter, e), Bind(lib, "SQLRowCount", c.RowCount, e),
      Bind(lib, "SQLCloseCursor", c.CloseCursor, e),     Bind(lib, "SQLNumResultCols", c.NumResultCols, e),
      Bind(lib, "SQLDescribeCol", c.DescribeCol, e),     Bind(lib, "SQLBindCol", c.BindCol, e),
      Bind(lib, "SQLFetch", c.Fetch, e),                 Bind(lib, "SQLFetchScroll", c.FetchScroll, e),
      Bind(lib, "SQLGetData", c.GetData, e),             Bind(lib, "SQLSetPos", c.SetPos, e),
      Bind(lib, "SQLSetStmtAttr", c.SetStmtAttr, e),     Bind(lib, "SQLGetStmtAttr", c.GetStmtAttr, e),
      Bind(lib, "SQLGetDiagRec", c.GetDiagRec, e),
  };
  bool ok = true;
  for (bool f : found) ok = ok && f;
  l.ok = ok;
  if (void* inst = OpenFirst({"libodbcinst.so.2", "libodbcinst.so"})) {
    l.getProfileString = reinterpret_cast<decltype(l.getProfileString)>(::dlsym(inst, "SQLGetPrivateProfileString"));
  }
  return l;
}

const Loaded& Get() {
  static const Loaded loaded = LoadDriverManager();
  return loaded;
}

}  // namespace

const OdbcCalls* GetOdbcCalls() { return Get().ok ? &Get().calls : nullptr; }

const char* LoadError() { return Get().error.c_str(); }

std::string GetDataSourceValue(const char* dataSource, const char* key) {
  const Loaded& l = Get();
  if (!l.getProfileString || !dataSource || !key) return {};
  char buffer[4096] = {};
  int n = l.getProfileString(dataSource, key, "", buffer, sizeof buffer, "odbc.ini");
  if (n <= 0) return {};
  return std::string(buffer);
}

}  // namespace platform::odbc
