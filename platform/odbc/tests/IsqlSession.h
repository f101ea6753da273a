// unixODBC's isql on the data source "Qelvo", for tests that check what any
// other ODBC program sees of the data source (the build's set-up is in the
// tests' environment, which isql inherits).
#pragma once

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace odbc_test {

// The data source's folder, where a bare table name is a file.
inline std::string DataSourceFolder() {
  const char* ini = std::getenv("ODBCSYSINI");
  return ini ? std::string(ini) + "/Qelvo" : std::string(".");
}

// Runs the statements (UTF-8, one a line) through `isql -v -b -c -d'|'` and
// gives what it printed, a line each: a result's column names first, then
// its rows, values split by '|'; an error as the driver's message. The
// counts isql adds ("SQLRowCount returns 1", "2 rows fetched") are left
// out.
inline std::vector<std::string> RunIsql(const std::vector<std::string>& statements) {
  char input[] = "/tmp/scrivel-isql-XXXXXX";
  const int fd = ::mkstemp(input);
  if (fd < 0) return {"cannot make the input of isql"};
  ::close(fd);
  {
    std::ofstream out(input);
    for (const std::string& s : statements) out << s << "\n";
  }
  std::vector<std::string> lines;
  const std::string command = std::string("isql Qelvo -v -b -c -d'|' < ") + input + " 2>&1";
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    std::string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
      if (c != '\n') {
        line += static_cast<char>(c);
        continue;
      }
      const bool count = line.rfind("SQLRowCount returns ", 0) == 0 ||
                         (line.size() > 13 && line.compare(line.size() - 13, 13, " rows fetched") == 0);
      if (!count) lines.push_back(line);
      line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    if (::pclose(pipe) != 0 && lines.empty()) lines.push_back("isql failed");
  } else {
    lines.push_back("isql did not start");
  }
  ::unlink(input);
  return lines;
}

}  // namespace odbc_test
